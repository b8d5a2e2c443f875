#pragma once

#include <string>

namespace platform
{
// True when `name` names a file directly in a folder, nothing else, on this system: no path
// separator, no control character, no unpaired surrogate, and on Windows none of the characters it forbids, no
// trailing dot or space (Windows drops them) and no device name (CON, NUL, COM1, ...) whatever
// extension follows.
bool IsPlainFileName(const std::u16string& name);
}
