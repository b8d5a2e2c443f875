#pragma once

#include <cstdint>
#include <string>

namespace platform
{
// The executable's file name without folder or extension: the caption of our message boxes.
std::u16string ApplicationName();

void SleepMilliseconds(std::uint32_t milliseconds);

// For programs that check file after file: the heap keeps the memory freed after one file for
// the next, instead of giving it back to the system and taking it again page by page.
void KeepFreedMemory();
}
