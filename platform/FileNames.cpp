#include "FileNames.h"
#include "AsciiCase.h"
#include "Paths.h"
#include "TextConversion.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform
{
namespace
{
bool IsControl(char16_t unit)
{
    return unit < 0x20 || unit == 0x7F;
}

#ifdef _WIN32
constexpr std::u16string_view kForbidden = u"<>:\"|?*";

bool IsDeviceName(const std::u16string& name)
{
    std::u16string base = UpperAscii(name.substr(0, name.find(u'.')));
    while (!base.empty() && base.back() == u' ')
        base.pop_back();
    static constexpr std::array<std::u16string_view, 6> kDevices = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};
    if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end())
        return true;
    return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) && base[3] >= u'1' &&
           base[3] <= u'9';
}

bool IsForbiddenOnWindows(const std::u16string& name)
{
    if (!name.empty() && (name.back() == u'.' || name.back() == u' '))
        return true;
    return name.find_first_of(kForbidden) != std::u16string::npos || IsDeviceName(name);
}
#endif
}

bool IsPlainFileName(const std::u16string& name)
{
    // An unpaired surrogate is no character: on Linux it would become a byte of its own in the
    // file name, or the name that another name gives too; anywhere it can be shown only as U+FFFD,
    // which names another file.
    if (HasLoneSurrogate(name))
        return false;
    if (std::any_of(name.begin(), name.end(), [](char16_t unit) { return IsPathSeparator(unit) || IsControl(unit); }))
        return false;
#ifdef _WIN32
    return !IsForbiddenOnWindows(name);
#else
    return true;
#endif
}
}
