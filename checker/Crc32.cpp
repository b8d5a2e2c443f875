#include "Crc32.h"

#include <zlib.h>

std::uint32_t CCrc32::Compute(const std::uint8_t* data, std::uint32_t length) const
{
    return Continue(0, data, length);
}

std::uint32_t CCrc32::Continue(std::uint32_t previous, const std::uint8_t* data, std::uint32_t length) const
{
    return static_cast<std::uint32_t>(crc32(previous, data, length));
}
