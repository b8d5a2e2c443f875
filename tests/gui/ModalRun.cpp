#include "ModalRun.h"

#include <gtest/gtest.h>

#include <thread>
#include <utility>

namespace modal
{
namespace
{
std::function<void(HWND)> g_inside;
const toolkit::CDialog* g_running = nullptr;

void CALLBACK RunInsideOnce(HWND, UINT, UINT_PTR timerId, DWORD)
{
    KillTimer(nullptr, timerId);
    g_inside(g_running->Handle());
}

// A thread timer fires from the dialog's modal loop, once the dialog is up.
void RunModal(toolkit::CDialog& dialog, std::function<void(HWND)> inside)
{
    g_inside = std::move(inside);
    g_running = &dialog;
    SetTimer(nullptr, 0, 10, RunInsideOnce);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

void Cancel(HWND dialog)
{
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}
}

void RunAndInspect(toolkit::CDialog& dialog, std::function<void(HWND)> inspect)
{
    RunModal(dialog, [&inspect](HWND window) {
        inspect(window);
        Cancel(window);
    });
}

void RunWithOperator(toolkit::CDialog& dialog, std::function<void(HWND)> operate)
{
    std::thread person;
    RunModal(dialog, [&](HWND window) {
        person = std::thread([&operate, window] {
            operate(window);
            Cancel(window);
        });
    });
    if (person.joinable())
        person.join();
}
}
