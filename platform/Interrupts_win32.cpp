#include "Interrupts.h"

#include <windows.h>

namespace platform
{
namespace
{
constexpr int kInterruptedStatus = 130;
constexpr DWORD kCleanUpMilliseconds = 4000;

std::atomic<bool> g_interrupted{false};
std::atomic<std::atomic<std::int32_t>*> g_stop{nullptr};
HANDLE g_finished = nullptr;

// Runs on a thread of its own. When the console is closed, the process ends as soon as this
// returns, so it waits (within the few seconds Windows allows) for the program to stop in order.
BOOL WINAPI OnControl(DWORD event)
{
    g_interrupted.store(true);
    if (std::atomic<std::int32_t>* stop = g_stop.load())
        stop->store(1);
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        WaitForSingleObject(g_finished, kCleanUpMilliseconds);
    return TRUE;
}
}

CInterruptWatch::CInterruptWatch(std::atomic<std::int32_t>& stop)
{
    g_stop.store(&stop);
    g_finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnControl, TRUE);
}

CInterruptWatch::~CInterruptWatch()
{
    g_stop.store(nullptr);
    if (g_finished != nullptr)
        SetEvent(g_finished);
}

int CInterruptWatch::ExitStatus()
{
    return g_interrupted.load() ? kInterruptedStatus : 0;
}
}
