#include "Paths.h"
#include "AsciiCase.h"

namespace platform
{
bool IsPathSeparator(char16_t unit)
{
#ifdef _WIN32
    return unit == u'\\' || unit == u'/';
#else
    return unit == u'/';
#endif
}

namespace
{
std::size_t LastSeparator(const std::u16string& path)
{
    for (std::size_t i = path.size(); i > 0; --i)
    {
        if (IsPathSeparator(path[i - 1]))
            return i - 1;
    }
    return std::u16string::npos;
}
}

std::u16string JoinPath(const std::u16string& folder, const std::u16string& name)
{
    if (!folder.empty() && IsPathSeparator(folder.back()))
        return folder + name;
    return folder + kPathSeparator + name;
}

std::u16string LastComponent(const std::u16string& path)
{
    const std::size_t separator = LastSeparator(path);
    return separator == std::u16string::npos ? path : path.substr(separator + 1);
}

std::u16string FileNameKey(const std::u16string& path)
{
#ifdef _WIN32
    return UpperAscii(path);
#else
    return path;
#endif
}

// A separator that ends the root stays ("/x" gives "/"; on Windows "\x" gives "\" and "C:\x"
// gives "C:\"): without it the folder part would name the current folder (of a drive) instead.
std::u16string FolderPart(const std::u16string& path)
{
    const std::size_t separator = LastSeparator(path);
    if (separator == std::u16string::npos)
        return {};
#ifdef _WIN32
    const bool endsRoot = separator == 0 || (separator == 2 && path[1] == u':');
#else
    const bool endsRoot = separator == 0;
#endif
    return path.substr(0, endsRoot ? separator + 1 : separator);
}
}
