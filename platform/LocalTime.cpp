#include "LocalTime.h"

#include <cstdio>
#include <cstdlib>

namespace platform
{
std::u16string LocalTimeText(int year, int month, int day, int hour, int minute, int second, int utcOffsetMinutes)
{
    const char sign = utcOffsetMinutes < 0 ? '-' : '+';
    const int offset = std::abs(utcOffsetMinutes);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d UTC%c%02d:%02d", year, month, day, hour, minute,
                  second, sign, offset / 60, offset % 60);
    const std::string ascii = text;
    return std::u16string(ascii.begin(), ascii.end());
}
}
