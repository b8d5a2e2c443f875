#pragma once

#include <File.h>

#include <cstdint>
#include <string>

// Writes one good record by itself as "<current directory><separator><name>.pga", whole or not
// at all. Returns 1 when the file was written, 0 otherwise. A name that could put the file
// anywhere but in the current directory, or that the file system would not take as it is, is
// refused with 0 (platform::IsPlainFileName). The file takes `permissions` (those of the source).
// The full path written goes to `savedAs` when given.
int SaveActiveProgram(const std::uint8_t* record, std::uint32_t length, std::u16string name,
                      platform::FilePermissions permissions, std::u16string* savedAs = nullptr);

