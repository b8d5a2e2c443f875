#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// One JOBSIFT.exe started for a test, in a working directory of the test's own, with the
// arguments given (each is put in double quotes, so none may hold one). A process that is still
// running when the object goes is terminated.
class CheckerProcess
{
public:
    CheckerProcess(const std::filesystem::path& workDirectory, const std::wstring& program,
                   const std::vector<std::wstring>& arguments = {});
    ~CheckerProcess();
    CheckerProcess(const CheckerProcess&) = delete;
    CheckerProcess& operator=(const CheckerProcess&) = delete;

    DWORD Id() const { return m_info.dwProcessId; }
    // The main dialog, or null when it did not appear.
    HWND Dialog() const { return m_dialog; }
    bool WaitForExit(std::chrono::milliseconds timeout);
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_info{};
    HWND m_dialog = nullptr;
};
