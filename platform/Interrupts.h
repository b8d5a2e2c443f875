#pragma once

#include <atomic>
#include <cstdint>

namespace platform
{
// While it lives, Ctrl-C and the other ways a terminal asks a program to stop (SIGTERM and
// SIGHUP; on Windows Ctrl-Break and closing the console) set `stop` instead of ending the
// process, so the program can stop in order: the worker ends after its record and removes its
// temporary file.
class CInterruptWatch
{
public:
    explicit CInterruptWatch(std::atomic<std::int32_t>& stop);
    ~CInterruptWatch();
    CInterruptWatch(const CInterruptWatch&) = delete;
    CInterruptWatch& operator=(const CInterruptWatch&) = delete;

    // 0 while no interrupt came; then the exit status that shells expect after it (130 for Ctrl-C).
    static int ExitStatus();
};
}
