#pragma once

#include <cstddef>

// What the POSIX file layer and console share about file descriptors.
namespace platform
{
// Writes all `count` bytes, going on after a partial write or a signal; false on an error or
// when the descriptor takes nothing.
bool WriteAll(int fd, const char* bytes, std::size_t count);
}
