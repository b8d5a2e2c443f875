#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text as the content of an HTML element or a quoted attribute: every character that could
// open markup or an entity, or close the attribute, is written as a character reference.
std::u16string HtmlEscaped(const std::u16string& text);

// ASCII words and numbers as page text; they need no escaping.
std::u16string HtmlAscii(std::string_view ascii);
std::u16string HtmlNumber(std::uint64_t value);
