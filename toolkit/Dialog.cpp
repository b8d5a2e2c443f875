#include "Dialog.h"

#include <System.h>
#include <TextConversion.h>
#include <Win32Text.h>

#include <exception>
#include <new>

namespace toolkit
{
CDialog::CDialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

// With no parent given, the dialog that is active in this thread (if any) owns the new one,
// so a box opened from the main dialog stays above it and blocks it.
INT_PTR CDialog::DoModal()
{
    const HWND owner = m_parent != nullptr ? m_parent : GetActiveWindow();
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::OnInitDialog()
{
    DoDataExchange();
    return true;
}

bool CDialog::OnCommand(WORD id, WORD /*notification*/)
{
    if (id != IDOK && id != IDCANCEL)
        return false;
    EndDialog(id);
    return true;
}

bool CDialog::OnSysCommand(UINT /*command*/, LPARAM /*lParam*/)
{
    return false;
}

bool CDialog::OnPaint()
{
    return false;
}

HICON CDialog::OnQueryDragIcon()
{
    return nullptr;
}

bool CDialog::OnTimer(UINT_PTR /*timerId*/)
{
    return false;
}

bool CDialog::OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/)
{
    return false;
}

void CDialog::EndDialog(INT_PTR result)
{
    ::EndDialog(m_hWnd, result);
}

UINT_PTR CDialog::SetTimer(UINT_PTR timerId, UINT milliseconds)
{
    return ::SetTimer(m_hWnd, timerId, milliseconds, nullptr);
}

void CDialog::KillTimer(UINT_PTR timerId)
{
    ::KillTimer(m_hWnd, timerId);
}

void CDialog::MessageBoxOk(const std::u16string& text, const std::u16string& caption)
{
    toolkit::MessageBoxOk(m_hWnd, text, caption);
}

void MessageBoxOk(const std::u16string& text, const std::u16string& caption)
{
    MessageBoxOk(nullptr, text, caption);
}

void MessageBoxOk(HWND owner, const std::u16string& text, const std::u16string& caption)
{
    const std::u16string shown = caption.empty() ? platform::ApplicationName() : caption;
    MessageBoxW(owner, platform::Wide(text), platform::Wide(shown), MB_OK);
}

namespace
{
std::u16string UnexpectedErrorText(const std::exception_ptr& error)
{
    try
    {
        std::rethrow_exception(error);
    }
    catch (const std::bad_alloc&)
    {
        return u"Memory allocation failed.";
    }
    catch (const std::exception& known)
    {
        return u"Unexpected error: " + platform::FromUtf8(known.what());
    }
    catch (...)
    {
        return u"Unexpected error.";
    }
}

// Whatever went wrong, the operator hears of it; when even the words cannot be put together
// (no memory left), the system's own plain box has to do.
void ReportUnexpectedError(HWND owner, const std::exception_ptr& error) noexcept
{
    try
    {
        toolkit::MessageBoxOk(owner, UnexpectedErrorText(error), {});
    }
    catch (...)
    {
        MessageBoxW(owner, L"Unexpected error.", nullptr, MB_OK);
    }
}
}

// Messages that come before WM_INITDIALOG (WM_SETFONT and the like) find no object yet and
// get the default handling. An exception must not unwind through the system's code that called
// us: it is caught here, at the last frame of ours.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (dialog == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY)
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        dialog->m_hWnd = nullptr;
        return FALSE;
    }
    try
    {
        return dialog->Dispatch(message, wParam, lParam);
    }
    catch (...)
    {
        // The box runs its own message loop: a handler that throws again meanwhile (on every
        // tick, say) must not stack a second box on it.
        if (!dialog->m_reportingError)
        {
            dialog->m_reportingError = true;
            ReportUnexpectedError(window, std::current_exception());
            dialog->m_reportingError = false;
        }
        return FALSE;
    }
}

// WM_INITDIALOG and WM_QUERYDRAGICON return their result directly; for the others TRUE means
// handled.
INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam), lParam) ? TRUE : FALSE;
    case WM_PAINT:
        return OnPaint() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_TIMER:
        return OnTimer(wParam) ? TRUE : FALSE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default:
    {
        INT_PTR result = TRUE;
        return OnMessage(message, wParam, lParam, result) ? result : FALSE;
    }
    }
}
}
