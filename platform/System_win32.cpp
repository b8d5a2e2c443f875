#include "System.h"
#include "Win32Text.h"

#include <windows.h>

#include <memory>
#include <process.h>
#include <vector>

namespace platform
{
namespace
{
constexpr DWORD kCurrentDirectoryUnits = 1024;
}

bool IsPathSeparator(char16_t unit)
{
    return unit == u'\\' || unit == u'/';
}

// The directory must fit in 1024 units with its terminator; a longer one is a failure.
bool CurrentDirectory(std::u16string& directory)
{
    wchar_t buffer[kCurrentDirectoryUnits];
    const DWORD length = GetCurrentDirectoryW(kCurrentDirectoryUnits, buffer);
    if (length == 0 || length >= kCurrentDirectoryUnits)
        return false;
    directory = FromWide(buffer, length);
    return true;
}

bool RemoveFile(const std::u16string& path)
{
    return DeleteFileW(Wide(path)) != 0;
}

std::u16string ApplicationName()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()))) ==
           buffer.size())
        buffer.resize(buffer.size() * 2);
    std::u16string name = FromWide(buffer.data(), length);
    for (std::size_t i = name.size(); i > 0; --i)
    {
        if (IsPathSeparator(name[i - 1]))
        {
            name.erase(0, i);
            break;
        }
    }
    const auto dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0)
        name.resize(dot);
    return name;
}

namespace
{
struct ThreadStart
{
    ThreadProc proc;
    void* argument;
};

unsigned __stdcall RunThread(void* start)
{
    const std::unique_ptr<ThreadStart> owned(static_cast<ThreadStart*>(start));
    return owned->proc(owned->argument);
}
}

bool StartThread(ThreadProc proc, void* argument)
{
    auto start = std::make_unique<ThreadStart>(ThreadStart{proc, argument});
    const uintptr_t handle = _beginthreadex(nullptr, 0, RunThread, start.get(), 0, nullptr);
    if (handle == 0)
        return false;
    start.release();
    CloseHandle(reinterpret_cast<HANDLE>(handle));
    return true;
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

void ShowSystemMessageBox(const std::u16string& text, const std::u16string& caption)
{
    MessageBoxW(nullptr, Wide(text), Wide(caption), MB_OK);
}
}
