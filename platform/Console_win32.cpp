#include "Console.h"
#include "Win32Text.h"
#include "TextConversion.h"

#include <windows.h>
#include <shellapi.h>

namespace platform
{
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

namespace
{
HANDLE Handle(Stream stream)
{
    return GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}
}

bool IsTerminal(Stream stream)
{
    DWORD mode = 0;
    return GetConsoleMode(Handle(stream), &mode) != 0;
}

void WriteText(Stream stream, const std::u16string& text)
{
    const HANDLE handle = Handle(stream);
    DWORD written = 0;
    if (IsTerminal(stream))
    {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = ToUtf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
}
