#include "Interrupts.h"

#include <csignal>

namespace platform
{
namespace
{
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> g_signal{0};
std::atomic<std::atomic<std::int32_t>*> g_stop{nullptr};
struct sigaction g_previous[3];

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<std::int32_t>::is_always_lock_free,
              "a signal handler may only touch lock-free atomics");

void OnSignal(int signal)
{
    g_signal.store(signal);
    if (std::atomic<std::int32_t>* stop = g_stop.load())
        stop->store(1);
}
}

CInterruptWatch::CInterruptWatch(std::atomic<std::int32_t>& stop)
{
    g_stop.store(&stop);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
}

CInterruptWatch::~CInterruptWatch()
{
    for (int i = 0; i < 3; ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
    g_stop.store(nullptr);
}

int CInterruptWatch::ExitStatus()
{
    const int signal = g_signal.load();
    return signal == 0 ? 0 : 128 + signal;
}
}
