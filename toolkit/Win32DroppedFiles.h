#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace toolkit
{
// Files dragged from Explorer and let go over the window then reach it as WM_DROPFILES.
void AcceptDroppedFiles(HWND window);

// The files of one WM_DROPFILES, read from the drop handle in its wParam. The object owns that
// handle and gives it back to the system when it goes, however the handler ends.
class CDroppedFiles
{
public:
    explicit CDroppedFiles(WPARAM drop);
    ~CDroppedFiles();
    CDroppedFiles(const CDroppedFiles&) = delete;
    CDroppedFiles& operator=(const CDroppedFiles&) = delete;

    // The full path of a dropped file, in the order of the drop; empty past the last one.
    std::u16string Path(std::size_t index) const;

private:
    std::size_t Count() const;

    HANDLE m_drop;
};
}
