#include "HeapBlock.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace platform
{
namespace
{
std::atomic<std::uint32_t> g_failuresLeft{0};

bool ConsumeFailure()
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

CHeapBlock::~CHeapBlock()
{
    Release();
}

bool CHeapBlock::Allocate(std::size_t size)
{
    Release();
    if (ConsumeFailure())
        return false;
#ifdef _WIN32
    m_data = static_cast<std::uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size));
#else
    m_data = static_cast<std::uint8_t*>(std::malloc(size));
#endif
    return m_data != nullptr;
}

void CHeapBlock::Release()
{
    if (m_data == nullptr)
        return;
#ifdef _WIN32
    HeapFree(GetProcessHeap(), 0, m_data);
#else
    std::free(m_data);
#endif
    m_data = nullptr;
}

void CHeapBlock::FailNextAllocations(std::uint32_t count)
{
    g_failuresLeft.store(count);
}
}
