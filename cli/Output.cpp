#include "Output.h"

#include <Console.h>

#include <mutex>

using platform::Stream;

namespace output
{
namespace
{
constexpr char16_t kClearLine[] = u"\r\x1b[K";

std::mutex g_lock;
bool g_showing = false;
bool g_lost = false;

void WriteLocked(Stream stream, const std::u16string& text)
{
    if (!platform::WriteText(stream, text))
        g_lost = true;
}

void ClearLocked()
{
    if (g_showing)
        WriteLocked(Stream::Error, kClearLine);
    g_showing = false;
}
}

void Print(const std::u16string& text)
{
    std::lock_guard lock(g_lock);
    WriteLocked(Stream::Output, text);
}

void Message(const std::u16string& line)
{
    Complain(line + platform::kNewLine);
}

void Complain(const std::u16string& text)
{
    std::lock_guard lock(g_lock);
    ClearLocked();
    WriteLocked(Stream::Error, text);
}

bool ShowsProgress()
{
    return platform::IsTerminal(Stream::Error);
}

void ShowProgress(const std::u16string& text)
{
    std::lock_guard lock(g_lock);
    WriteLocked(Stream::Error, kClearLine + text);
    g_showing = true;
}

void ClearProgress()
{
    std::lock_guard lock(g_lock);
    ClearLocked();
}

bool Lost()
{
    std::lock_guard lock(g_lock);
    return g_lost;
}
}
