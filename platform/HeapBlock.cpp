#include "HeapBlock.h"
#include "FaultSeams.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace platform
{
CHeapBlock::~CHeapBlock()
{
    Release();
}

bool CHeapBlock::Allocate(std::size_t size)
{
    Release();
    if (SeamFails(Seam::Allocation))
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
}
