#pragma once

#include <cstdint>
#include <string>

namespace platform
{
// The executable's file name without folder or extension: the caption of our message boxes.
std::u16string ApplicationName();

void SleepMilliseconds(std::uint32_t milliseconds);
}
