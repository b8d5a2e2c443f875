#pragma once

#include <atomic>
#include <cstdint>

namespace platform
{
// A seam for tests: the next `count` uses of something fail, as the system would make them fail.
// Inactive unless a test arms it; safe from any thread.
class CFailureCountdown
{
public:
    void Arm(std::uint32_t count) { m_left.store(count); }

    // True when this use is to fail.
    bool Consume()
    {
        std::uint32_t left = m_left.load();
        while (left != 0)
        {
            if (m_left.compare_exchange_weak(left, left - 1))
                return true;
        }
        return false;
    }

private:
    std::atomic<std::uint32_t> m_left{0};
};
}
