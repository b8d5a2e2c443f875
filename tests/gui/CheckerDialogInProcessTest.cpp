// What only the dialog's own process can see: its system menu, its window icons, the focus, the
// job it resets and waits for, and drops and failed starts with their boxes. The dialog runs
// modally on the test's thread (see ModalRun.h).
#include "ModalRun.h"
#include "WindowDriver.h"

#include <CheckerDlg.h>
#include <DialogJob.h>
#include <FaultInjection.h>
#include <resource.h>
#include <support/RecordBuilder.h>
#include <support/TempDir.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using modal::RunAndInspect;
using modal::RunWithOperator;

namespace
{
std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
    return text;
}

HICON ApplicationIcon()
{
    return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

class CheckerDialogInProcessTest : public ::testing::Test
{
protected:
    std::shared_ptr<CDialogJob> m_dialogJob = std::make_shared<CDialogJob>();
    CheckJob& m_job = m_dialogJob->Job();
};

TEST_F(CheckerDialogInProcessTest, SystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    CCheckerDlg dialog(*m_dialogJob);
    RunAndInspect(dialog, [](HWND window) {
        const HMENU menu = GetSystemMenu(window, FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
        EXPECT_EQ(MenuText(menu, count - 1), L"&About JOBSIFT...");
    });
}

// Above the About entry's separator, greyed until a run has ended.
TEST_F(CheckerDialogInProcessTest, ReportEntryIsGreyedUntilARunHasEnded)
{
    const TempDir dir;
    const fs::path source = dir / "line3.pgs";
    WriteFile(source, FileImage().Add(RecordBuilder(u"BOX A").BodyOfSize(40)).EndMark().bytes());
    CCheckerDlg dialog(*m_dialogJob);
    dialog.SetInitialPath(U16(source));
    RunWithOperator(dialog, [](HWND window) {
        const HMENU menu = GetSystemMenu(window, FALSE);
        ASSERT_NE(menu, nullptr);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 4);
        EXPECT_EQ(GetMenuItemID(menu, count - 3), static_cast<UINT>(IDM_REPORT));
        EXPECT_EQ(MenuText(menu, count - 3), L"&Report of the Last Check...");
        EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 4), MF_BYPOSITION) & MF_SEPARATOR);
        const auto greyed = [menu] { return (GetMenuState(menu, IDM_REPORT, MF_BYCOMMAND) & MF_GRAYED) != 0; };
        EXPECT_TRUE(greyed());

        gui::PostClick(window, IDC_RUN_CHECKER);
        const auto done = [window] { return gui::ItemText(window, IDC_CHECK_COUNT) == L"1 Files Checked...Done!"; };
        ASSERT_TRUE(gui::WaitUntil(done)) << "count line: " << gui::ItemText(window, IDC_CHECK_COUNT);
        EXPECT_TRUE(gui::WaitUntil([&greyed] { return !greyed(); })) << "still greyed after the run";
    });
}

TEST_F(CheckerDialogInProcessTest, WindowIconsAndDragIconAreTheApplicationIcon)
{
    CCheckerDlg dialog(*m_dialogJob);
    RunAndInspect(dialog, [](HWND window) {
        const auto icon = reinterpret_cast<LRESULT>(ApplicationIcon());
        ASSERT_NE(icon, 0);
        EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_BIG, 0), icon);
        EXPECT_EQ(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), icon);
        EXPECT_EQ(SendMessageW(window, WM_QUERYDRAGICON, 0, 0), icon);
    });
}

TEST_F(CheckerDialogInProcessTest, OpensEmptyWithTheFocusOnSelectFile)
{
    CCheckerDlg dialog(*m_dialogJob);
    RunAndInspect(dialog, [](HWND window) {
        EXPECT_EQ(GetFocus(), GetDlgItem(window, IDC_SELECT_FILE));
        EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(window, IDC_FILE_PATH)), 0);
        EXPECT_EQ(IsDlgButtonChecked(window, IDC_SAVE_ACTIVE), BST_UNCHECKED);
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
    });
}

TEST_F(CheckerDialogInProcessTest, OpeningResetsTheJobButKeepsPathAndOption)
{
    m_job.done = 0;
    m_job.abort = 1;
    m_job.count = 7;
    m_job.outcome = RunOutcome::ReadFailed;
    ExaminedRecord leftOver;
    leftOver.name = u"left over";
    for (const Verdict verdict : {Verdict::Good, Verdict::Bad})
    {
        leftOver.verdict = verdict;
        m_job.records.Append(leftOver);
    }
    m_job.storedAs.Set(u"left over");
    m_job.results.cleanedPath = u"left over";
    m_job.path.Set(u"keep.pgs");
    m_job.saveActive = 1;
    CCheckerDlg dialog(*m_dialogJob);
    RunAndInspect(dialog, [this](HWND window) {
        EXPECT_EQ(m_job.done, 1);
        EXPECT_EQ(m_job.abort, 0);
        EXPECT_EQ(m_job.count, 0);
        EXPECT_EQ(m_job.outcome, RunOutcome::Completed);
        EXPECT_TRUE(m_job.records.Snapshot().empty());
        EXPECT_TRUE(m_job.storedAs.IsEmpty());
        EXPECT_TRUE(m_job.results.cleanedPath.empty());
        for (const int id : {IDC_GOOD_LIST, IDC_BAD_LIST, IDC_CHECK_COUNT, IDC_STORED_AS})
            EXPECT_EQ(GetWindowTextLengthW(GetDlgItem(window, id)), 0) << id;
        EXPECT_EQ(m_job.path.Get(), u"keep.pgs");
        EXPECT_EQ(m_job.saveActive, 1);
    });
}

// A stand-in worker that ends its run a while after it has seen `abort`: the close returns as soon
// as it has.
struct DestructorCase
{
    const char* name;
    bool running;
    std::chrono::milliseconds doneAfterAbort;
    std::chrono::milliseconds atLeast;
    std::chrono::milliseconds atMost;
};

class DestructorTest : public CheckerDialogInProcessTest, public ::testing::WithParamInterface<DestructorCase>
{
};

TEST_P(DestructorTest, SetsAbortAndWaitsOnlyForARunningWorker)
{
    const DestructorCase& testCase = GetParam();
    std::thread worker;
    auto dialog = std::make_unique<CCheckerDlg>(*m_dialogJob);
    RunAndInspect(*dialog, [&](HWND) {
        if (!testCase.running)
            return;
        m_job.done = 0;
        worker = std::thread([this, &testCase] {
            while (m_job.abort == 0)
                std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(testCase.doneAfterAbort);
            m_job.Finish(RunOutcome::Aborted, {});
        });
    });
    const auto start = std::chrono::steady_clock::now();
    dialog.reset();
    const auto took = std::chrono::steady_clock::now() - start;
    if (worker.joinable())
        worker.join();
    EXPECT_EQ(m_job.abort, 1);
    EXPECT_GE(took, testCase.atLeast);
    EXPECT_LE(took, testCase.atMost);
}

INSTANTIATE_TEST_SUITE_P(Worker, DestructorTest,
                         ::testing::Values(DestructorCase{"NeverStarted", false, 0ms, 0ms, 100ms},
                                           DestructorCase{"DoneAfter700ms", true, 700ms, 690ms, 1000ms}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// A drop handle as the shell makes it: a DROPFILES header, then the paths, each ended by a zero
// unit and the list by one more.
HGLOBAL MakeDrop(const std::vector<std::wstring>& files)
{
    std::wstring list;
    for (const std::wstring& file : files)
        list += file + L'\0';
    list += L'\0';
    const std::size_t listBytes = list.size() * sizeof(wchar_t);
    const HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + listBytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), listBytes);
    GlobalUnlock(drop);
    return drop;
}

std::wstring LongPath()
{
    return L"C:\\jobs\\" + std::wstring(120, L'a') + L"\\" + std::wstring(120, L'b') + L"\\line3.pgs";
}

struct DropCase
{
    const char* name;
    std::vector<std::wstring> files;
    std::wstring shown; // in the path box afterwards, which held "typed.pgs" before
};

class DropTest : public CheckerDialogInProcessTest, public ::testing::WithParamInterface<DropCase>
{
};

TEST_P(DropTest, FirstFileGoesIntoThePathBoxNothingStartsAndTheHandleIsGivenBack)
{
    CCheckerDlg dialog(*m_dialogJob);
    RunAndInspect(dialog, [this](HWND window) {
        EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, WS_EX_ACCEPTFILES)
            << "the window takes no drops";
        SetDlgItemTextW(window, IDC_FILE_PATH, L"typed.pgs");
        const HGLOBAL drop = MakeDrop(GetParam().files);
        SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        EXPECT_EQ(gui::ItemText(window, IDC_FILE_PATH), GetParam().shown);
        EXPECT_EQ(GlobalFlags(drop), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the drop handle was kept";
        EXPECT_EQ(m_job.done, 1) << "a drop started a run";
    });
}

INSTANTIATE_TEST_SUITE_P(
    Files, DropTest,
    ::testing::Values(DropCase{"One", {L"C:\\jobs\\line3.pgs"}, L"C:\\jobs\\line3.pgs"},
                      DropCase{"Several",
                               {L"C:\\jobs\\first.pgs", L"D:\\second.pgs", L"C:\\third.txt"},
                               L"C:\\jobs\\first.pgs"},
                      DropCase{"LongerThanMaxPath", {LongPath()}, LongPath()},
                      DropCase{"NotAStoredProgramFile", {L"C:\\jobs\\notes.txt"}, L"C:\\jobs\\notes.txt"},
                      DropCase{"None", {}, L"typed.pgs"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// The worker's thread cannot be started: one box says so, the poll is over, and the next click
// runs the check.
TEST_F(CheckerDialogInProcessTest, AThreadThatCannotStartEndsTheRunWithOneBoxAndRunCheckerWorksAgain)
{
    const TempDir dir;
    const fs::path source = dir / "line3.pgs";
    WriteFile(source, FileImage().Add(RecordBuilder(u"BOX A").BodyOfSize(40)).EndMark().bytes());
    platform::CFaultInjection::FailNth(platform::Seam::ThreadStart, 1);
    CCheckerDlg dialog(*m_dialogJob);
    dialog.SetInitialPath(U16(source));
    RunWithOperator(dialog, [&](HWND window) {
        gui::PostClick(window, IDC_RUN_CHECKER);
        const HWND box = gui::WaitForTopWindow(GetCurrentProcessId(), L"Error");
        ASSERT_NE(box, nullptr) << "no Error box";
        EXPECT_EQ(gui::MessageBoxText(box), L"The check could not be started.");
        EXPECT_EQ(GetWindow(box, GW_OWNER), window);
        gui::PostClick(box, IDOK);
        ASSERT_TRUE(gui::WaitUntilGone(box));
        EXPECT_TRUE(gui::IsItemEnabled(window, IDC_RUN_CHECKER));
        EXPECT_EQ(m_job.outcome, RunOutcome::NotStarted);
        EXPECT_EQ(m_job.done, 1);
        std::this_thread::sleep_for(700ms);
        EXPECT_TRUE(gui::TopWindows(GetCurrentProcessId(), L"Error").empty()) << "a poll went on after the failure";
        EXPECT_EQ(gui::ItemText(window, IDC_CHECK_COUNT), L"");
        EXPECT_FALSE(fs::exists(dir / "line3__.pgs"));

        gui::PostClick(window, IDC_RUN_CHECKER);
        const auto done = [window] { return gui::ItemText(window, IDC_CHECK_COUNT) == L"1 Files Checked...Done!"; };
        EXPECT_TRUE(gui::WaitUntil(done)) << "count line: " << gui::ItemText(window, IDC_CHECK_COUNT);
        EXPECT_TRUE(fs::exists(dir / "line3__.pgs"));
    });
    platform::CFaultInjection::Reset();
}
}
