#pragma once

#include <cstdint>

// The standard CRC-32 (IEEE 802.3, zlib) that guards every stored-program record, as zlib
// computes it.
class CCrc32
{
public:
    std::uint32_t Compute(const std::uint8_t* data, std::uint32_t length) const;
    // The checksum of the bytes that gave `previous` followed by these, for data read in pieces.
    std::uint32_t Continue(std::uint32_t previous, const std::uint8_t* data, std::uint32_t length) const;
};
