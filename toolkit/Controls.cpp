#include "Controls.h"
#include <Win32Text.h>

#include <vector>

namespace toolkit
{
void CControl::Bind(HWND dialog, int id)
{
    m_hWnd = GetDlgItem(dialog, id);
}

std::u16string CControl::Text() const
{
    const int length = GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return platform::FromWide(buffer.data(), static_cast<std::size_t>(copied));
}

// A new text redraws the control at once, which takes long enough to be seen (tens of
// milliseconds for a list under Wine): a text that is already shown is not set again.
void CControl::SetText(const std::u16string& text)
{
    if (Text() == text)
        return;
    ::SetWindowTextW(m_hWnd, platform::Wide(text));
}

void CControl::Enable(bool enable)
{
    ::EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}

int CButton::GetCheck() const
{
    return static_cast<int>(SendMessageW(Handle(), BM_GETCHECK, 0, 0));
}
}
