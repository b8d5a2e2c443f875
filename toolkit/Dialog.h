#pragma once

#include <windows.h>

#include <string>

namespace toolkit
{
// A modal dialog built from a template in the executable. The object owns its window from
// WM_INITDIALOG to WM_NCDESTROY; the static procedure finds the object through GWLP_USERDATA
// and hands each message to the matching virtual handler. A handler that returns false leaves
// the message to the system's default dialog handling. A handler that throws never takes the
// exception into Windows: the operator is told in a box (one at a time) and the message gets the
// default handling.
class CDialog
{
public:
    CDialog(int templateId, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog until EndDialog; IDOK, IDCANCEL, or -1 when it could not be created.
    INT_PTR DoModal();
    HWND Handle() const { return m_hWnd; }

protected:
    // Binds the controls to their wrappers; called once by OnInitDialog.
    virtual void DoDataExchange() {}
    // True lets the system give the focus to the first tab stop.
    virtual bool OnInitDialog();
    virtual bool OnCommand(WORD id, WORD notification);
    virtual bool OnSysCommand(UINT command, LPARAM lParam);
    virtual bool OnPaint();
    // The icon dragged for the minimised window; null leaves the choice to the system.
    virtual HICON OnQueryDragIcon();
    virtual bool OnTimer(UINT_PTR timerId);
    virtual void OnDestroy() {}
    // Every message the handlers above do not take. True when handled; `result` is what the
    // dialog procedure then returns, TRUE ("handled") unless the handler sets it, as the few
    // messages that answer through the return value itself need.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    void EndDialog(INT_PTR result);
    UINT_PTR SetTimer(UINT_PTR timerId, UINT milliseconds);
    void KillTimer(UINT_PTR timerId);
    // A box owned by this dialog; an empty caption means the application's name.
    void MessageBoxOk(const std::u16string& text, const std::u16string& caption = {});

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int m_templateId;
    HWND m_parent;
    HWND m_hWnd = nullptr;
    bool m_reportingError = false; // while the box of a thrown exception is showing
};

// The system's modal box with an OK button, owned by no window, from any thread; returns when it
// is closed. An empty caption means the application's name.
void MessageBoxOk(const std::u16string& text, const std::u16string& caption = {});
// The same box owned by `owner` (which it blocks), such as a window the dialog itself opened.
void MessageBoxOk(HWND owner, const std::u16string& text, const std::u16string& caption = {});
}
