#pragma once

#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct ProcessResult
{
    int exitStatus = -1;
    std::string out; // bytes as written
    std::string err;
};

// Runs a program to its end in `directory`, its output streams caught in files.
ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& directory);

// A program of this build, given relative to the folder above the running test's own folder.
std::filesystem::path BuildProgram(const std::filesystem::path& relative);

#ifndef _WIN32
// How a child's standard output and error streams are set up.
enum class StreamSetup
{
    Caught,  // into files that the result returns
    Closed,  // not open at all
    DiskFull, // /dev/full: every write fails
};

// Runs a program to its end with a terminal of its own for its output streams; what it wrote to
// the terminal comes back in `out`.
ProcessResult RunOnTerminal(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                            const std::filesystem::path& directory);

// A child started and left running, for tests that stop it from outside.
class RunningProcess
{
public:
    RunningProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& directory, StreamSetup streams = StreamSetup::Caught);
    ~RunningProcess();
    RunningProcess(const RunningProcess&) = delete;
    RunningProcess& operator=(const RunningProcess&) = delete;

    void Signal(int signal);
    // Waits for the end; a child still running after `timeout` is killed and reported as -1.
    ProcessResult Wait(std::chrono::milliseconds timeout = std::chrono::seconds(60));

private:
    TempDir m_streams;
    int m_pid = -1;
};
#endif
