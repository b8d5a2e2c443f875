#include "FileFaults.h"

#include <atomic>

namespace platform
{
namespace
{
constexpr int kOpKinds = 7;
std::atomic<std::uint32_t> g_countdownByOp[kOpKinds];
std::atomic<std::uint32_t> g_countdownAny{0};
std::atomic<std::uint32_t> g_operations{0};

// A countdown of 0 is disarmed; it fires when it falls from 1 to 0.
bool Fires(std::atomic<std::uint32_t>& countdown)
{
    std::uint32_t value = countdown.load();
    while (value != 0)
    {
        if (countdown.compare_exchange_weak(value, value - 1))
            return value == 1;
    }
    return false;
}
}

void CFileFaults::FailNth(FileOp op, std::uint32_t n)
{
    g_countdownByOp[static_cast<int>(op)].store(n);
}

void CFileFaults::FailNthOfAny(std::uint32_t n)
{
    g_countdownAny.store(n);
}

void CFileFaults::Reset()
{
    for (auto& countdown : g_countdownByOp)
        countdown.store(0);
    g_countdownAny.store(0);
    g_operations.store(0);
}

std::uint32_t CFileFaults::OperationCount()
{
    return g_operations.load();
}

bool CFileFaults::ShouldFail(FileOp op)
{
    g_operations.fetch_add(1);
    const bool byKind = Fires(g_countdownByOp[static_cast<int>(op)]);
    const bool byCount = Fires(g_countdownAny);
    return byKind || byCount;
}
}
