#pragma once

#include <windows.h>

#include <string>

namespace toolkit
{
// Opens the file with the program the system has for its type (a page with the default browser),
// as a double click in Explorer would. Quiet: where no program can open it, the system shows no
// box of its own and the result says so.
bool OpenWithDefaultProgram(HWND owner, const std::u16string& path);
}
