#include "System.h"
#include "Paths.h"
#include "Win32Text.h"

#include <windows.h>

#include <vector>

namespace platform
{
std::u16string ApplicationName()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) ==
           buffer.size())
        buffer.resize(buffer.size() * 2);
    std::u16string name = LastComponent(FromWide(buffer.data(), length));
    const auto dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0)
        name.resize(dot);
    return name;
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

// The process heap of Windows keeps freed blocks of this size for the next allocation.
void KeepFreedMemory()
{
}
}
