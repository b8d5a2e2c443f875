#include "LocalTime.h"

#include <windows.h>

namespace platform
{
namespace
{
// Windows gives the bias (UTC minus local time) of the zone and, apart, that of the season now
// in force.
int UtcOffsetMinutes()
{
    TIME_ZONE_INFORMATION zone{};
    switch (GetTimeZoneInformation(&zone))
    {
    case TIME_ZONE_ID_STANDARD:
        return -static_cast<int>(zone.Bias + zone.StandardBias);
    case TIME_ZONE_ID_DAYLIGHT:
        return -static_cast<int>(zone.Bias + zone.DaylightBias);
    case TIME_ZONE_ID_INVALID:
        return 0;
    default:
        return -static_cast<int>(zone.Bias);
    }
}
}

std::u16string LocalTimeNow()
{
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return LocalTimeText(local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
                         UtcOffsetMinutes());
}
}
