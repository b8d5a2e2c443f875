#include "ActiveProgram.h"

#include <FileSystem.h>
#include <Paths.h>
#include <TextConversion.h>
#include <WholeFile.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace
{
bool IsControl(char16_t unit)
{
    return unit < 0x20 || unit == 0x7F;
}

#ifdef _WIN32
constexpr std::u16string_view kForbidden = u"<>:\"|?*";

char16_t UpperAscii(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
}

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 name devices whatever extension follows.
bool IsDeviceName(const std::u16string& name)
{
    std::u16string base = name.substr(0, name.find(u'.'));
    std::transform(base.begin(), base.end(), base.begin(), UpperAscii);
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

bool IsActiveProgramNameSafe(const std::u16string& name)
{
    // An unpaired surrogate is no character: on Linux it would become a byte of its own in the
    // file name, or the name another program's name gives too; anywhere it can be shown only as
    // U+FFFD, which names another file.
    if (platform::HasLoneSurrogate(name) ||
        std::any_of(name.begin(), name.end(), [](char16_t unit) { return platform::IsPathSeparator(unit) || IsControl(unit); }))
        return false;
#ifdef _WIN32
    return !IsForbiddenOnWindows(name);
#else
    return true;
#endif
}

int SaveActiveProgram(const std::uint8_t* record, std::uint32_t length, std::u16string name,
                      platform::FilePermissions permissions, std::u16string* savedAs)
{
    std::u16string directory;
    if (!IsActiveProgramNameSafe(name) || !platform::CurrentDirectory(directory))
        return 0;
    const std::u16string path = platform::JoinPath(directory, name + u".pga");
    platform::CWholeFile file;
    if (!file.Create(path, permissions) || !file.Write(record, length) || !file.Commit())
        return 0;
    if (savedAs != nullptr)
        *savedAs = path;
    return 1;
}
