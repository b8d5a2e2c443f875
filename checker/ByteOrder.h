#pragma once

#include <cstdint>

// Turns the big-endian integers and UTF-16 units of a record into host order.
// The data is big-endian and the hosts are little-endian, so every call swaps.
class CByteOrder
{
public:
    std::uint32_t Swap32(std::uint32_t value) const;
    std::uint16_t Swap16(std::uint16_t value) const;
    // Each unit is read before it is written, so destination may equal source.
    void Swap16Array(std::uint16_t* destination, const std::uint16_t* source, std::uint32_t count) const;
};
