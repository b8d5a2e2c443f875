#include "ByteOrder.h"

std::uint32_t CByteOrder::Swap32(std::uint32_t value) const
{
    return (value << 24) | ((value & 0xFF00u) << 8) | ((value >> 8) & 0xFF00u) | (value >> 24);
}

std::uint16_t CByteOrder::Swap16(std::uint16_t value) const
{
    return static_cast<std::uint16_t>(((value << 8) | (value >> 8)) & 0xFFFF);
}

void CByteOrder::Swap16Array(std::uint16_t* destination, const std::uint16_t* source, std::uint32_t count) const
{
    for (std::uint32_t i = 0; i < count; ++i)
        destination[i] = Swap16(source[i]);
}
