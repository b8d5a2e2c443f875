#pragma once

#include <string>

namespace platform
{
// Letter case as the program's own comparisons see it: only a to z change. The file system's
// and the records' other letters are compared as they are.
constexpr char16_t UpperAscii(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

inline std::u16string UpperAscii(std::u16string text)
{
    for (char16_t& unit : text)
        unit = UpperAscii(unit);
    return text;
}
}
