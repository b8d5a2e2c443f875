#include "Console.h"
#include "TextConversion.h"
#include "Win32Text.h"

#include <windows.h>
#include <shellapi.h>

namespace platform
{
const bool kExpandsWildcards = true;
const char16_t* const kNewLine = u"\r\n";

std::vector<std::u16string> CommandLineArguments(int, char**)
{
    std::vector<std::u16string> arguments;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(FromWide(words[i]));
    LocalFree(words);
    return arguments;
}

// Windows hands out handles, not the lowest free descriptor: a file we open can never take the
// place of a missing standard stream, and a missing stream shows as a null or invalid handle.
void GuardStandardStreams()
{
}

namespace
{
HANDLE Handle(Stream stream)
{
    return GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool IsMissing(HANDLE handle)
{
    return handle == nullptr || handle == INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE handle, const char* bytes, std::size_t size)
{
    while (size > 0)
    {
        DWORD put = 0;
        const auto chunk = static_cast<DWORD>(size < 0x10000000 ? size : 0x10000000);
        if (!WriteFile(handle, bytes, chunk, &put, nullptr) || put == 0)
            return false;
        bytes += put;
        size -= put;
    }
    return true;
}

// The console takes a limited amount per call; a pair of surrogates is never split.
bool WriteConsoleAll(HANDLE handle, const std::u16string& text)
{
    constexpr std::size_t kChunk = 8192;
    for (std::size_t start = 0; start < text.size();)
    {
        std::size_t end = start + kChunk < text.size() ? start + kChunk : text.size();
        if (end < text.size() && text[end] >= 0xDC00 && text[end] <= 0xDFFF)
            --end;
        DWORD written = 0;
        const auto units = static_cast<DWORD>(end - start);
        if (!WriteConsoleW(handle, text.data() + start, units, &written, nullptr) || written != units)
            return false;
        start = end;
    }
    return true;
}
}

bool IsTerminal(Stream stream)
{
    DWORD mode = 0;
    const HANDLE handle = Handle(stream);
    return !IsMissing(handle) && GetConsoleMode(handle, &mode) != 0;
}

bool WriteText(Stream stream, const std::u16string& text)
{
    const HANDLE handle = Handle(stream);
    if (IsMissing(handle))
        return text.empty();
    if (IsTerminal(stream))
        return WriteConsoleAll(handle, text);
    const std::string bytes = ToUtf8(text);
    return WriteAll(handle, bytes.data(), bytes.size());
}
}
