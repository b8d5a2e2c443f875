#include "RangeCrc.h"

#include <zlib.h>

CRangeCrc::CRangeCrc(const std::uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}

std::uint32_t CRangeCrc::Range(std::size_t from, std::size_t to)
{
    ExtendTo(to);
    const uLong combination = crc32_combine_gen(static_cast<z_off_t>(to - from));
    return static_cast<std::uint32_t>(crc32_combine_op(m_prefix[from], m_prefix[to], combination));
}

// One step of zlib's byte table per byte, each prefix kept.
void CRangeCrc::ExtendTo(std::size_t to)
{
    const z_crc_t* table = get_crc_table();
    if (m_prefix.empty())
    {
        m_prefix.reserve(m_size + 1);
        m_prefix.push_back(0);
    }
    std::uint32_t crc = ~m_prefix.back();
    for (std::size_t i = m_prefix.size() - 1; i < to; ++i)
    {
        crc = (crc >> 8) ^ table[(crc ^ m_bytes[i]) & 0xFFu];
        m_prefix.push_back(~crc);
    }
}
