#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gui
{
// Drops files on a window of another process as Explorer would: the drop handle is made and
// posted inside that process by the test's drop helper, which is loaded into it the first time.
// False when the helper could not be loaded or run there.
bool DropFiles(HWND window, const std::vector<std::wstring>& files);
}
