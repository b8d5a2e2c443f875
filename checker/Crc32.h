#pragma once

#include <cstdint>

// The standard CRC-32 (IEEE 802.3, zlib) that guards every stored-program record, as zlib
// computes it.
class CCrc32
{
public:
    std::uint32_t Compute(const std::uint8_t* data, std::uint32_t length) const;
};
