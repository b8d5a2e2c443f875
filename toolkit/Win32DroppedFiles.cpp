#include "Win32DroppedFiles.h"
#include <Win32Text.h>

#include <shellapi.h>

#include <vector>

namespace toolkit
{
namespace
{
// Asked for this index, the system gives the number of files instead of a name.
constexpr UINT kFileCount = 0xFFFFFFFF;
}

void AcceptDroppedFiles(HWND window)
{
    DragAcceptFiles(window, TRUE);
}

CDroppedFiles::CDroppedFiles(WPARAM drop) : m_drop(reinterpret_cast<HANDLE>(drop)) {}

CDroppedFiles::~CDroppedFiles()
{
    DragFinish(static_cast<HDROP>(m_drop));
}

std::size_t CDroppedFiles::Count() const
{
    return DragQueryFileW(static_cast<HDROP>(m_drop), kFileCount, nullptr, 0);
}

// A path may be longer than MAX_PATH: the length is asked for first.
std::u16string CDroppedFiles::Path(std::size_t index) const
{
    if (index >= Count())
        return {};
    const auto drop = static_cast<HDROP>(m_drop);
    const auto file = static_cast<UINT>(index);
    const UINT length = DragQueryFileW(drop, file, nullptr, 0);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const UINT copied = DragQueryFileW(drop, file, buffer.data(), length + 1);
    return platform::FromWide(buffer.data(), copied);
}
}
