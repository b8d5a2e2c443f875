#include "SourcePath.h"

#include <algorithm>

namespace
{
char16_t UpperAscii(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}
}

bool IsStoredProgramPath(const std::u16string& path)
{
    std::u16string upper = path;
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
    return upper.find(u".PGS") != std::u16string::npos;
}
