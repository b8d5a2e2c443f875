#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The standard CRC-32 of any range of one run of bytes in a few steps, however many ranges are
// asked for. The checksums of the run's prefixes are built once, as far as the ranges reach;
// CRC-32 being linear, the checksum of a range follows from those of the two prefixes that bound
// it, combined as zlib combines checksums.
class CRangeCrc
{
public:
    CRangeCrc(const std::uint8_t* bytes, std::size_t size);

    // The checksum of bytes [from, to) of the run; from <= to <= size.
    std::uint32_t Range(std::size_t from, std::size_t to);

private:
    void ExtendTo(std::size_t to);

    const std::uint8_t* m_bytes;
    std::size_t m_size;
    std::vector<std::uint32_t> m_prefix; // m_prefix[i]: the checksum of the first i bytes
};
