#include "PrintableName.h"

#include <algorithm>

namespace
{
bool NeedsEscape(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || unit == 0x2028 || unit == 0x2029 ||
           (unit >= 0x202A && unit <= 0x202E) || (unit >= 0x2066 && unit <= 0x2069);
}

std::u16string Hex(unsigned value, int digits)
{
    constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text(static_cast<std::size_t>(digits), u'0');
    for (int i = digits - 1; i >= 0; --i, value >>= 4)
        text[static_cast<std::size_t>(i)] = kDigits[value & 0xF];
    return text;
}

std::u16string Escaped(char16_t unit)
{
    switch (unit)
    {
    case u'\t':
        return u"\\t";
    case u'\n':
        return u"\\n";
    case u'\r':
        return u"\\r";
    case u'"':
        return u"\\\"";
    case u'\\':
        return u"\\\\";
    default:
        break;
    }
    if (!NeedsEscape(unit))
        return std::u16string(1, unit);
    return unit < 0x100 ? u"\\x" + Hex(unit, 2) : u"\\u" + Hex(unit, 4);
}
}

std::u16string PrintableName(const std::u16string& name)
{
    if (!name.starts_with(u'"') && std::none_of(name.begin(), name.end(), NeedsEscape))
        return name;
    std::u16string quoted = u"\"";
    for (const char16_t unit : name)
        quoted += Escaped(unit);
    return quoted + u"\"";
}
