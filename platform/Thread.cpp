#include "Thread.h"

#include <atomic>

namespace platform
{
namespace
{
std::atomic<std::uint32_t> g_failuresLeft{0};
}

void CThread::FailNextStarts(std::uint32_t count)
{
    g_failuresLeft.store(count);
}

bool CThread::ConsumeStartFailure()
{
    std::uint32_t left = g_failuresLeft.load();
    while (left != 0)
    {
        if (g_failuresLeft.compare_exchange_weak(left, left - 1))
            return true;
    }
    return false;
}
}
