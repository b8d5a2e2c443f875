#include "Crc32.h"

#include <zlib.h>

namespace
{
constexpr std::uint32_t kPolynomial = 0x04C11DB7;
}

CCrc32::CCrc32() : m_table{}
{
    BuildTable();
}

CCrc32::~CCrc32() = default;

std::uint32_t CCrc32::Reflect(std::uint32_t value, int bits)
{
    std::uint32_t result = 0;
    for (int i = 1; i <= bits; ++i)
    {
        if (value & 1u)
            result |= 1u << (bits - i);
        value >>= 1;
    }
    return result;
}

// Dividing the mirrored index most-significant-bit first and mirroring the remainder back
// gives the table of the bit-reflected algorithm that Compute runs.
void CCrc32::BuildTable()
{
    for (std::uint32_t i = 0; i < 256; ++i)
    {
        std::uint32_t r = Reflect(i, 8) << 24;
        for (int bit = 0; bit < 8; ++bit)
            r = (r & 0x80000000u) ? (r << 1) ^ kPolynomial : r << 1;
        m_table[i] = Reflect(r, 32);
    }
}

// zlib computes the same checksum as the table, several bytes at a step.
std::uint32_t CCrc32::Compute(const std::uint8_t* data, std::uint32_t length) const
{
    return Continue(0, data, length);
}

std::uint32_t CCrc32::Continue(std::uint32_t previous, const std::uint8_t* data, std::uint32_t length) const
{
    return static_cast<std::uint32_t>(crc32(previous, data, length));
}
