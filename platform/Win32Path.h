#pragma once

#include <string>

namespace platform
{
// The full path as Win32 resolves it: relative to the current directory, "." and ".." and
// forward slashes folded as the system itself does.
std::u16string FullPathName(const std::u16string& path);

// A path to hand to a file function of Win32. Above MAX_PATH the full path goes in the "\\?\"
// form, which every Windows version takes, long-path setting or not.
std::u16string Win32Path(const std::u16string& path);
}
