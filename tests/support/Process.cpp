#include "Process.h"
#include "TempDir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace
{
std::string ReadText(const fs::path& path)
{
    const Bytes bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

#ifdef _WIN32
std::wstring Quoted(const std::wstring& word)
{
    std::wstring quoted = L"\"";
    for (const wchar_t c : word)
    {
        if (c == L'"')
            quoted += L'\\';
        quoted += c;
    }
    return quoted + L"\"";
}

HANDLE InheritableFile(const fs::path& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
}

int Spawn(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& directory,
          const fs::path& out, const fs::path& err)
{
    std::wstring commandLine = Quoted(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + Quoted(fs::u8path(argument).wstring());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = InheritableFile(out);
    startup.hStdError = InheritableFile(err);
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        directory.c_str(), &startup, &process);
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(status);
}
#else
// In the child, before exec: each stream as the test wants it.
bool SetUpStream(int fd, StreamSetup setup, const fs::path& file)
{
    if (setup == StreamSetup::Closed)
        return ::close(fd) == 0 || errno == EBADF;
    const int opened = setup == StreamSetup::DiskFull ? ::open("/dev/full", O_WRONLY)
                                                      : ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    return opened >= 0 && ::dup2(opened, fd) >= 0 && ::close(opened) == 0;
}

// The words a child is started with: the program first, or the emulator that starts it.
std::vector<char*> CommandWords(const fs::path& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
#ifdef JOBSIFT_CHILD_EMULATOR
    // This build's programs need the emulator that runs the tests; the kernel cannot start them.
    argv.push_back(const_cast<char*>(JOBSIFT_CHILD_EMULATOR));
#endif
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int Start(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& directory,
          const fs::path& streams, StreamSetup setup)
{
    std::vector<char*> argv = CommandWords(program, arguments);
    const pid_t child = fork();
    if (child == 0)
    {
        if (::chdir(directory.c_str()) != 0 || !SetUpStream(1, setup, streams / "out") ||
            !SetUpStream(2, setup, streams / "err"))
            _exit(127);
        ::execv(argv.front(), argv.data());
        _exit(127);
    }
    return child;
}

int StatusOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

int Spawn(const fs::path& program, const std::vector<std::string>& arguments, const fs::path& directory,
          const fs::path& out, const fs::path&)
{
    const pid_t child = Start(program, arguments, directory, out.parent_path(), StreamSetup::Caught);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child)
        return -1;
    return StatusOf(status);
}
#endif

fs::path RunningProgram()
{
#ifdef _WIN32
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
    return fs::path(std::wstring(buffer, length));
#else
    return fs::read_symlink("/proc/self/exe");
#endif
}
}

ProcessResult RunProcess(const fs::path& program, const std::vector<std::string>& arguments,
                         const fs::path& directory)
{
    const TempDir streams;
    ProcessResult result;
    result.exitStatus = Spawn(program, arguments, directory, streams / "out", streams / "err");
    result.out = ReadText(streams / "out");
    result.err = ReadText(streams / "err");
    return result;
}

fs::path BuildProgram(const fs::path& relative)
{
    return RunningProgram().parent_path().parent_path() / relative;
}

#ifndef _WIN32
ProcessResult RunOnTerminal(const fs::path& program, const std::vector<std::string>& arguments,
                            const fs::path& directory)
{
    std::vector<char*> argv = CommandWords(program, arguments);
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0)
    {
        if (::chdir(directory.c_str()) != 0)
            _exit(127);
        ::execv(argv.front(), argv.data());
        _exit(127);
    }
    ProcessResult result;
    if (child < 0)
        return result;
    char buffer[4096];
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR);)
        result.out.append(buffer, static_cast<std::size_t>(got > 0 ? got : 0));
    ::close(terminal);
    int status = 0;
    ::waitpid(child, &status, 0);
    result.exitStatus = StatusOf(status);
    return result;
}

RunningProcess::RunningProcess(const fs::path& program, const std::vector<std::string>& arguments,
                               const fs::path& directory, StreamSetup streams)
{
    m_pid = Start(program, arguments, directory, m_streams.path(), streams);
}

RunningProcess::~RunningProcess()
{
    if (m_pid > 0)
        Wait(std::chrono::milliseconds(0));
}

void RunningProcess::Signal(int signal)
{
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

ProcessResult RunningProcess::Wait(std::chrono::milliseconds timeout)
{
    ProcessResult result;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(m_pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (ended == 0)
    {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
        status = -1;
    }
    result.exitStatus = status == -1 ? -1 : StatusOf(status);
    m_pid = -1;
    result.out = ReadText(m_streams / "out");
    result.err = ReadText(m_streams / "err");
    return result;
}
#endif
