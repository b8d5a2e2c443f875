#pragma once

#include <cstddef>
#include <cstdint>

namespace platform
{
// A block from the process heap, released with the object.
class CHeapBlock
{
public:
    CHeapBlock() = default;
    ~CHeapBlock();
    CHeapBlock(const CHeapBlock&) = delete;
    CHeapBlock& operator=(const CHeapBlock&) = delete;

    bool Allocate(std::size_t size);
    void Release();
    std::uint8_t* Data() const { return m_data; }

private:
    std::uint8_t* m_data = nullptr;
};
}
