#pragma once

#include <cstdint>

// The standard CRC-32 (IEEE 802.3, zlib) that guards every stored-program record.
// The table lives inside the object, so a run builds it once and allocates nothing; whole runs
// of bytes go through zlib, which gives the same checksum faster.
class CCrc32
{
public:
    CCrc32();
    virtual ~CCrc32();

    std::uint32_t Compute(const std::uint8_t* data, std::uint32_t length) const;
    // The checksum of the bytes that gave `previous` followed by these, for data read in pieces.
    std::uint32_t Continue(std::uint32_t previous, const std::uint8_t* data, std::uint32_t length) const;

protected:
    static std::uint32_t Reflect(std::uint32_t value, int bits);
    void BuildTable();

    std::uint32_t m_table[256];
};
