// The dialog base's own duties, on a dialog of the tests' own built from the About box's template:
// messages that it does not route reach OnMessage, and nothing a handler throws gets into Windows.
#include "ModalRun.h"
#include "WindowDriver.h"

#include <Dialog.h>
#include <resource.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr UINT kFail = WM_APP + 1;
constexpr UINT kCount = WM_APP + 2;

// Fails in its own way on kFail and counts kCount, both through OnMessage.
class FailingDialog : public toolkit::CDialog
{
public:
    explicit FailingDialog(void (*fail)()) : CDialog(IDD_ABOUTBOX), m_fail(fail) {}

    int Counted() const { return m_counted; }

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override
    {
        if (message == kFail)
            m_fail();
        else if (message == kCount)
            ++m_counted;
        else
            return CDialog::OnMessage(message, wParam, lParam, result);
        return true;
    }

private:
    void (*m_fail)();
    int m_counted = 0;
};

// The caption of the program's boxes: its file name without the extension.
std::wstring ApplicationName()
{
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::filesystem::path(std::wstring(path.data(), length)).stem().wstring();
}

struct FailureCase
{
    const char* name;
    void (*fail)();
    std::wstring told;
};

class DialogBaseTest : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(DialogBaseTest, AThrowingHandlerIsReportedInABoxAndTheDialogGoesOn)
{
    FailingDialog dialog(GetParam().fail);
    modal::RunWithOperator(dialog, [&dialog](HWND window) {
        PostMessageW(window, kCount, 0, 0);
        PostMessageW(window, kFail, 0, 0);
        const HWND box = gui::WaitForTopWindow(GetCurrentProcessId(), ApplicationName());
        ASSERT_NE(box, nullptr) << "no box captioned " << ApplicationName();
        EXPECT_EQ(gui::MessageBoxText(box), GetParam().told);
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        gui::PostClick(box, IDOK);
        ASSERT_TRUE(gui::WaitUntilGone(box));
        SendMessageW(window, kCount, 0, 0);
        EXPECT_EQ(dialog.Counted(), 2) << "messages it does not route did not all reach OnMessage";
    });
}

INSTANTIATE_TEST_SUITE_P(
    Thrown, DialogBaseTest,
    ::testing::Values(FailureCase{"Exception", [] { throw std::runtime_error("the list is broken"); },
                                  L"Unexpected error: the list is broken"},
                      FailureCase{"OutOfMemory", [] { throw std::bad_alloc(); }, L"Memory allocation failed."},
                      FailureCase{"NoException", [] { throw 7; }, L"Unexpected error."}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// A handler that throws on every message (a tick, say) while its first box is showing: the box's
// own loop delivers the messages, and no second box opens over the first. Once it is closed, the
// next failure is told again.
TEST(DialogBaseGuardTest, ABoxOfAThrownExceptionNeverStacksASecondOne)
{
    FailingDialog dialog([] { throw std::runtime_error("again"); });
    modal::RunWithOperator(dialog, [](HWND window) {
        const auto boxes = [] { return gui::TopWindows(GetCurrentProcessId(), ApplicationName()); };
        PostMessageW(window, kFail, 0, 0);
        const HWND box = gui::WaitForTopWindow(GetCurrentProcessId(), ApplicationName());
        ASSERT_NE(box, nullptr) << "no box";
        for (int failure = 0; failure < 3; ++failure)
            PostMessageW(window, kFail, 0, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_EQ(boxes().size(), 1u) << "a second box opened over the first";
        gui::PostClick(box, IDOK);
        ASSERT_TRUE(gui::WaitUntilGone(box));

        PostMessageW(window, kFail, 0, 0);
        const HWND next = gui::WaitForTopWindow(GetCurrentProcessId(), ApplicationName());
        ASSERT_NE(next, nullptr) << "a later failure was not told";
        gui::PostClick(next, IDOK);
        ASSERT_TRUE(gui::WaitUntilGone(next));
    });
}
}
