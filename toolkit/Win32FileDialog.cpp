#include "Win32FileDialog.h"
#include <Win32Text.h>

#include <vector>

namespace toolkit
{
namespace
{
// Room for long paths; the system reports a longer choice as a failure.
constexpr DWORD kPathUnits = 4096;
}

COpenFileDialog::COpenFileDialog(DWORD flags, std::u16string_view filter, std::u16string title)
    : m_flags(flags), m_filter(filter), m_title(std::move(title))
{
}

bool COpenFileDialog::DoModal(HWND owner)
{
    std::vector<wchar_t> path(kPathUnits, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = platform::Wide(m_filter);
    request.nFilterIndex = 1;
    request.lpstrFile = path.data();
    request.nMaxFile = kPathUnits;
    request.lpstrTitle = platform::Wide(m_title);
    request.Flags = m_flags;
    if (!GetOpenFileNameW(&request))
        return false;
    m_pathName = platform::FromWide(path.data());
    return true;
}
}
