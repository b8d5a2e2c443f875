#pragma once

#include <atomic>
#include <cstdint>

namespace platform
{
// Counts uses down to the one that is to fail: armed with n, the n-th use from then on fires,
// once. 0 is disarmed. Safe from any thread.
class CFailureCountdown
{
public:
    void Arm(std::uint32_t n) { m_left.store(n); }

    bool Fires()
    {
        std::uint32_t left = m_left.load();
        while (left != 0)
        {
            if (m_left.compare_exchange_weak(left, left - 1))
                return left == 1;
        }
        return false;
    }

private:
    std::atomic<std::uint32_t> m_left{0};
};
}
