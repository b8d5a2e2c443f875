#pragma once

#include <string>

// On Windows a wchar_t is one UTF-16 unit, so the program's text passes to and from Win32 as it is.
namespace platform
{
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* Wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// For a constant text: without it, the text would pass through a temporary string whose units
// are gone before the call that reads them.
inline const wchar_t* Wide(const char16_t* text)
{
    return reinterpret_cast<const wchar_t*>(text);
}

inline std::u16string FromWide(const wchar_t* text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

inline std::u16string FromWide(const wchar_t* text, std::size_t length)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
}
