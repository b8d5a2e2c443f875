#pragma once

#include "LeftBehindTexts.h"

#include <windows.h>

#include <string>

enum class LeftBehindAnswer
{
    Keep,             // Cancel, Esc, the close button, or the question closed by the program
    TakeBehindDamage, // a salvage run
    TakeAll,          // a salvage run past the end mark
};

// The question after a run that left intact programs behind, in a task dialog (common controls
// 6) with a command link for each kind of program left behind and the list of them folded away.
class CLeftBehindQuestion
{
public:
    explicit CLeftBehindQuestion(LeftBehindTexts texts);
    CLeftBehindQuestion(const CLeftBehindQuestion&) = delete;
    CLeftBehindQuestion& operator=(const CLeftBehindQuestion&) = delete;

    // Modal over `owner` until answered.
    LeftBehindAnswer Ask(HWND owner);
    // Ends the open question as Cancel would; nothing when none is open.
    void Close();

private:
    // Where further notifications (a link in the footer, say) would be handled.
    static HRESULT CALLBACK OnNotification(HWND window, UINT notification, WPARAM wParam, LPARAM lParam,
                                           LONG_PTR self);

    LeftBehindTexts m_texts;
    HWND m_window = nullptr;
};
