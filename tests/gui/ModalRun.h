#pragma once

#include <Dialog.h>

#include <functional>

// A dialog of the program run modally on the test's own thread, as the program runs it. The
// dialog has to end with IDCANCEL.
namespace modal
{
// `inspect` runs once from within the dialog's modal loop, on its thread; then the dialog is
// cancelled.
void RunAndInspect(toolkit::CDialog& dialog, std::function<void(HWND)> inspect);

// `operate` runs on a thread of its own, as a person at the screen: it can read and answer the
// boxes that the dialog opens on the test's thread, which the dialog's thread cannot while it
// waits in them. The dialog is cancelled once `operate` returns.
void RunWithOperator(toolkit::CDialog& dialog, std::function<void(HWND)> operate);
}
