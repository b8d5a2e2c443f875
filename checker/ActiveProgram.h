#pragma once

#include <cstdint>
#include <string>

// Writes one good record by itself as "<current directory><separator><name>.pga".
// Returns 1 when the file was written and closed, 0 otherwise. A name that would lead out of the
// current directory ("..", or on Windows a drive or stream ':') is refused with 0.
int SaveActiveProgram(const std::uint8_t* record, std::uint32_t length, std::u16string name);

// True when `name` stays inside the current directory once joined to it.
bool IsActiveProgramNameSafe(const std::u16string& name);
