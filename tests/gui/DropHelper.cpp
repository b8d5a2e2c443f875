// A test-only DLL that the GUI tests load into JOBSIFT.exe. A drop handle is memory of the
// process that made it, so a drop on the program's window has to be made inside the program,
// as the system itself makes it there when the operator lets files go over the window.
#include "DropRequest.h"

#include <shlobj.h>

#include <cstring>
#include <cwchar>

// Thread procedure, started in the program by the test: builds the drop the shell would build and
// posts it to the window. 1 when posted; the window then owns the handle.
extern "C" __declspec(dllexport) DWORD WINAPI PostDrop(void* requestAddress)
{
    const auto* request = static_cast<const DropRequest*>(requestAddress);
    const wchar_t* end = request->files;
    while (*end != L'\0')
        end += std::wcslen(end) + 1;
    const auto listBytes = static_cast<SIZE_T>(end - request->files + 1) * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + listBytes);
    if (drop == nullptr)
        return 0;
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, request->files, listBytes);
    GlobalUnlock(drop);
    if (PostMessageW(request->window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0))
        return 1;
    GlobalFree(drop);
    return 0;
}
