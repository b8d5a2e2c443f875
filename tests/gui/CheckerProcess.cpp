#include "CheckerProcess.h"

#include "WindowDriver.h"

namespace
{
const std::wstring kDialogCaption = L"Job (Program) Checker Ver. 1.005";
// Wine takes its time to start a process on a cold server.
constexpr auto kStartTimeout = std::chrono::seconds(20);
}

CheckerProcess::CheckerProcess(const std::filesystem::path& workDirectory, const std::wstring& program,
                               const std::vector<std::wstring>& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + program + L"\"";
    for (const std::wstring& argument : arguments)
        commandLine += L" \"" + argument + L"\"";
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDirectory.wstring().c_str(), &startup, &m_info))
        return;
    m_dialog = gui::WaitForTopWindow(Id(), kDialogCaption, kStartTimeout);
}

CheckerProcess::~CheckerProcess()
{
    if (m_info.hProcess == nullptr)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT)
    {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, INFINITE);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

bool CheckerProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    return m_info.hProcess != nullptr &&
           WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

DWORD CheckerProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}
