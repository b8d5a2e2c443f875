#pragma once

#include <string>

namespace platform
{
// The date and time as the clock of this computer shows them now, with how far local time lies
// from UTC, so that a record kept for years still says when it was made: "2026-12-10 18:17:10
// UTC+01:00".
std::u16string LocalTimeNow();

// The same text for a given local time and its offset from UTC in minutes.
std::u16string LocalTimeText(int year, int month, int day, int hour, int minute, int second, int utcOffsetMinutes);
}
