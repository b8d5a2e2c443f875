#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UTF-16 is the program's text; UTF-8 is what Linux file names and every console stream take.
namespace platform
{
// A lone surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
// Bytes that are not valid UTF-8 become U+FFFD.
std::u16string FromUtf8(std::string_view text);

// A number in decimal digits, without separators.
std::u16string Decimal(std::uint64_t value);
}
