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

// True when a surrogate in `text` is not one half of a pair.
bool HasLoneSurrogate(std::u16string_view text);

// A Linux file name is bytes, whatever its encoding; these two carry it through UTF-16 and back
// unchanged. Valid UTF-8 is decoded; each other byte b becomes the lone surrogate U+DC00 + b
// (U+DC80..U+DCFF), which no valid UTF-8 decodes to, and turns back into that byte. Printed with
// ToUtf8, such a byte shows as U+FFFD.
std::u16string FromFileName(std::string_view bytes);
std::string ToFileName(std::u16string_view name);

// A number in decimal digits, without separators.
std::u16string Decimal(std::uint64_t value);
}
