#pragma once

#include <windows.h>

// What the remote drop hands to the drop helper inside the program: the window to drop on,
// then the full paths, each ended by a zero unit and the list by one more, as a drop keeps them.
struct DropRequest
{
    HWND window;
    wchar_t files[1];
};
