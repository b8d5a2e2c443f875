#include "Win32Path.h"
#include "Win32Text.h"

#include <windows.h>

#include <vector>

namespace platform
{
std::u16string FullPathName(const std::u16string& path)
{
    const DWORD needed = GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(Wide(path), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    return FromWide(buffer.data(), length);
}

std::u16string Win32Path(const std::u16string& path)
{
    if (path.size() < MAX_PATH || path.starts_with(u"\\\\?\\") || path.starts_with(u"\\\\.\\"))
        return path;
    const std::u16string full = FullPathName(path);
    if (full.size() < MAX_PATH || full.starts_with(u"\\\\?\\"))
        return full;
    if (full.starts_with(u"\\\\"))
        return u"\\\\?\\UNC\\" + full.substr(2);
    return u"\\\\?\\" + full;
}
}
