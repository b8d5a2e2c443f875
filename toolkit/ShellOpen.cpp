#include "ShellOpen.h"

#include <Win32Text.h>

#include <shellapi.h>

namespace toolkit
{
bool OpenWithDefaultProgram(HWND owner, const std::u16string& path)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = platform::Wide(path);
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}
}
