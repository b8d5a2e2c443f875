#include "SourcePath.h"

#include <AsciiCase.h>

bool IsStoredProgramPath(const std::u16string& path)
{
    return platform::UpperAscii(path).find(u".PGS") != std::u16string::npos;
}
