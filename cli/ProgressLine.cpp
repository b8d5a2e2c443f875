#include "ProgressLine.h"

#include <Console.h>

#include <mutex>

using platform::Stream;

namespace
{
std::mutex g_lock;
bool g_showing = false;

constexpr char16_t kClearLine[] = u"\r\x1b[K";

void ClearLocked()
{
    if (g_showing)
        platform::WriteText(Stream::Error, kClearLine);
    g_showing = false;
}
}

CProgressLine::CProgressLine() = default;

CProgressLine::~CProgressLine()
{
    std::lock_guard lock(g_lock);
    ClearLocked();
}

void CProgressLine::Show(const std::u16string& text)
{
    if (!platform::IsTerminal(Stream::Error))
        return;
    std::lock_guard lock(g_lock);
    platform::WriteText(Stream::Error, kClearLine + text);
    g_showing = true;
}

void CProgressLine::WriteError(const std::u16string& line)
{
    std::lock_guard lock(g_lock);
    ClearLocked();
    platform::WriteText(Stream::Error, line + platform::kNewLine);
}
