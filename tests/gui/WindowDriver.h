#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// What an operator does to another process's windows, from the outside: find them, read them,
// type into them and click them. Reads go through WM_GETTEXT, which crosses processes.
namespace gui
{
using namespace std::chrono_literals;

// Polls until `condition` holds or `timeout` has passed; the result is the last answer.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

// Visible top-level windows of process `processId` with this caption.
std::vector<HWND> TopWindows(DWORD processId, const std::wstring& caption);
// The one such window, waited for; null when none came in time.
HWND WaitForTopWindow(DWORD processId, const std::wstring& caption, std::chrono::milliseconds timeout = 5s);
// True once a popup menu (window class #32768) of the process is showing.
bool WaitForMenu(DWORD processId, std::chrono::milliseconds timeout = 5s);
bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout = 5s);

std::wstring Text(HWND window);
// The texts of every window inside `window`, shown or hidden, in the system's order.
std::vector<std::wstring> DescendantTexts(HWND window);
std::wstring ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::wstring& text);
void SetCheck(HWND dialog, int id, bool ticked);
bool IsItemEnabled(HWND dialog, int id);
// Posted, not sent: a click that opens a modal window would otherwise hold the caller.
void PostClick(HWND dialog, int id);
// The text of a message box (its static text item).
std::wstring MessageBoxText(HWND box);
}
