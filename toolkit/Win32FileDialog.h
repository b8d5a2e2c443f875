#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <string_view>

namespace toolkit
{
// The system's open-file dialog. The filter is in the system's own form: pairs of description
// and pattern, each ended by a zero unit, the whole ended by one more.
class COpenFileDialog
{
public:
    COpenFileDialog(DWORD flags, std::u16string_view filter, std::u16string title);

    // True when the operator chose a file; the owner is blocked while the dialog is open.
    bool DoModal(HWND owner);
    const std::u16string& GetPathName() const { return m_pathName; }

private:
    DWORD m_flags;
    std::u16string m_filter;
    std::u16string m_title;
    std::u16string m_pathName;
};
}
