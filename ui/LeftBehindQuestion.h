#pragma once

#include "LeftBehindTexts.h"

#include <windows.h>

#include <functional>
#include <string>

enum class LeftBehindAnswer
{
    Keep,             // Cancel, Esc, the close button, or the question closed by the program
    TakeBehindDamage, // a salvage run
    TakeAll,          // a salvage run past the end mark
};

// The question after a run that left intact programs behind, in a task dialog (common controls
// 6) with a command link for each kind of program left behind, the list of them folded away and
// a link in the footer to the run's report.
class CLeftBehindQuestion
{
public:
    // `showReport` is called with the question's window, which stays open, when the footer's
    // link is clicked; a box it shows belongs to that window.
    using ReportAction = std::function<void(HWND question)>;

    CLeftBehindQuestion(LeftBehindTexts texts, ReportAction showReport);
    CLeftBehindQuestion(const CLeftBehindQuestion&) = delete;
    CLeftBehindQuestion& operator=(const CLeftBehindQuestion&) = delete;

    // Modal over `owner` until answered.
    LeftBehindAnswer Ask(HWND owner);
    // Ends the open question as Cancel would; nothing when none is open.
    void Close();

private:
    static HRESULT CALLBACK OnNotification(HWND window, UINT notification, WPARAM wParam, LPARAM lParam,
                                           LONG_PTR self);

    LeftBehindTexts m_texts;
    ReportAction m_showReport;
    HWND m_window = nullptr;
};
