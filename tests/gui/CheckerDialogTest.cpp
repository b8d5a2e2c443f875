// Drives the real JOBSIFT.exe from outside, as an operator would: opens a file with it, types a
// path or drops files, ticks the box, clicks the buttons and reads the dialog and its boxes.
#include "CheckerProcess.h"
#include "ProgramPath.h"
#include "RemoteDrop.h"
#include "WindowDriver.h"
#include "ZeroedSector.h"

#include <support/RecordBuilder.h>
#include <support/TempDir.h>

#include <resource.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
const std::wstring kProgramName = L"JOBSIFT";
const std::wstring kImproperPath = L"Improper file name or file path.";
// A few poll ticks of 500 ms, with room for a busy machine.
constexpr auto kRunTimeout = 10s;

class CheckerDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { StartProgram(ProgramPath()); }

    void StartProgram(const std::wstring& program, const std::vector<std::wstring>& arguments = {})
    {
        m_process = std::make_unique<CheckerProcess>(m_dir.path(), program, arguments);
        m_dialog = m_process->Dialog();
        ASSERT_NE(m_dialog, nullptr) << "the main dialog did not appear";
    }

    void Run(const std::wstring& path, bool saveActive = false)
    {
        gui::SetItemText(m_dialog, IDC_FILE_PATH, path);
        gui::SetCheck(m_dialog, IDC_SAVE_ACTIVE, saveActive);
        gui::PostClick(m_dialog, IDC_RUN_CHECKER);
    }

    bool WaitForCountLine(const std::wstring& expected, std::chrono::milliseconds timeout = kRunTimeout)
    {
        return gui::WaitUntil([&] { return gui::ItemText(m_dialog, IDC_CHECK_COUNT) == expected; }, timeout);
    }

    HWND WaitForBox(const std::wstring& caption) { return gui::WaitForTopWindow(m_process->Id(), caption); }

    std::size_t CountBoxes(const std::wstring& caption) const
    {
        return gui::TopWindows(m_process->Id(), caption).size();
    }

    void Dismiss(HWND box)
    {
        gui::PostClick(box, IDOK);
        EXPECT_TRUE(gui::WaitUntilGone(box)) << "the box did not close";
    }

    TempDir m_dir;
    std::unique_ptr<CheckerProcess> m_process;
    HWND m_dialog = nullptr;
};

// The road of one run: three good programs, one whose checksum fails, then the end mark.
struct RunFixture
{
    RecordBuilder boxA{u"BOX A"};
    RecordBuilder boxB{u"BOX B"};
    RecordBuilder lid{u"LID"};
    RecordBuilder tray{u"TRAY"};

    RunFixture()
    {
        boxA.BodyOfSize(40);
        boxB.BodyOfSize(17, 0x11);
        lid.BodyOfSize(30).WrongCrc();
        tray.BodyOfSize(64, 0x22);
    }

    Bytes Image() const { return FileImage().Add(boxA).Add(boxB).Add(lid).Add(tray).EndMark().bytes(); }
    Bytes GoodRecords() const { return FileImage().Add(boxA).Add(boxB).Add(tray).bytes(); }
};

// A folder in which every file's full path is longer than MAX_PATH (260 units).
fs::path LongFolder(const fs::path& base)
{
    fs::path folder = base;
    for (const char letter : {'a', 'b', 'c'})
        folder /= std::string(90, letter);
    fs::create_directories(folder);
    return folder;
}

TEST_F(CheckerDialogTest, PathsWithoutPgsAreRefusedAndTouchNothing)
{
    for (const std::wstring path : {L"", L"C:\\jobs\\line3.txt", L"C:\\jobs\\line3.pg", L"PGS"})
    {
        SCOPED_TRACE(path);
        Run(path);
        const HWND box = WaitForBox(kProgramName);
        ASSERT_NE(box, nullptr) << "no box captioned " << kProgramName;
        EXPECT_EQ(gui::MessageBoxText(box), kImproperPath);
        Dismiss(box);
    }
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), L"") << "a refused path started a poll";
    EXPECT_TRUE(gui::IsItemEnabled(m_dialog, IDC_RUN_CHECKER));
}

TEST_F(CheckerDialogTest, BoxCaptionIsTheExecutableNameWithoutExtension)
{
    const fs::path renamed = m_dir / "checker.exe";
    fs::copy_file(ProgramPath(), renamed);
    StartProgram(renamed.wstring());
    Run(L"notes.txt");
    const HWND box = WaitForBox(L"checker");
    ASSERT_NE(box, nullptr) << "no box captioned checker";
    EXPECT_EQ(gui::MessageBoxText(box), kImproperPath);
    Dismiss(box);
}

struct GoodRunCase
{
    const char* name;
    bool saveActive;
};

class GoodRunTest : public CheckerDialogTest, public ::testing::WithParamInterface<GoodRunCase>
{
};

TEST_P(GoodRunTest, ShowsCountResultAndListsAndWritesTheFiles)
{
    const RunFixture fixture;
    WriteFile(m_dir / "line3.pgs", fixture.Image());
    Run((m_dir / "line3.pgs").wstring(), GetParam().saveActive);

    ASSERT_TRUE(WaitForCountLine(L"4 Files Checked...Done!")) << "count line: "
                                                                << gui::ItemText(m_dialog, IDC_CHECK_COUNT);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_STORED_AS), L"File stored as: line3__.pgs");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_GOOD_LIST), L"BOX A\r\nBOX B\r\nTRAY\r\n");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_BAD_LIST), L"LID\r\n");
    EXPECT_TRUE(gui::IsItemEnabled(m_dialog, IDC_RUN_CHECKER));
    EXPECT_EQ(ReadFile(m_dir / "line3__.pgs"), fixture.GoodRecords());

    const std::pair<const char*, const RecordBuilder*> actives[] = {
        {"BOX A.pga", &fixture.boxA}, {"BOX B.pga", &fixture.boxB}, {"TRAY.pga", &fixture.tray}};
    for (const auto& [file, record] : actives)
    {
        SCOPED_TRACE(file);
        if (GetParam().saveActive)
            EXPECT_EQ(ReadFile(m_dir / file), record->Build());
        else
            EXPECT_FALSE(fs::exists(m_dir / file));
    }
    EXPECT_FALSE(fs::exists(m_dir / "LID.pga"));
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(gui::TopWindows(m_process->Id(), kProgramName).empty()) << "a question after an undamaged file";
}

INSTANTIATE_TEST_SUITE_P(SaveActive, GoodRunTest,
                         ::testing::Values(GoodRunCase{"Unticked", false}, GoodRunCase{"Ticked", true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(CheckerDialogTest, MissingFileShowsOneErrorBoxAndANewRunStillWorks)
{
    Run((m_dir / "missing.pgs").wstring());
    const HWND box = WaitForBox(L"Error");
    ASSERT_NE(box, nullptr) << "no Error box";
    EXPECT_EQ(gui::MessageBoxText(box), L"File not found.");
    std::this_thread::sleep_for(1600ms);
    EXPECT_EQ(CountBoxes(L"Error"), 1u) << "ticks went on behind the box";
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), L"");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_STORED_AS), L"");
    Dismiss(box);
    std::this_thread::sleep_for(1100ms);
    EXPECT_EQ(CountBoxes(L"Error"), 0u) << "a second Error box came";
    EXPECT_FALSE(fs::exists(m_dir / "missing__.pgs"));

    const RunFixture fixture;
    WriteFile(m_dir / "second.PGS", fixture.Image());
    Run((m_dir / "second.PGS").wstring());
    EXPECT_TRUE(WaitForCountLine(L"4 Files Checked...Done!"));
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_STORED_AS), L"File stored as: second__.PGS");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_BAD_LIST), L"LID\r\n");
}

// The result shows as soon as the worker ends, not at the poll's first tick 500 ms after the
// click. Under Wine the whole run takes about 30 ms on a quiet machine, but over 100 ms on one
// busy compiling; the bound keeps clear of both.
TEST_F(CheckerDialogTest, DoneShowsAtOnce)
{
    WriteFile(m_dir / "three.pgs", FileImage()
                                       .Add(RecordBuilder(u"BOX A").BodyOfSize(40))
                                       .Add(RecordBuilder(u"BOX B").BodyOfSize(17))
                                       .Add(RecordBuilder(u"TRAY").BodyOfSize(64))
                                       .EndMark()
                                       .bytes());
    gui::SetItemText(m_dialog, IDC_FILE_PATH, (m_dir / "three.pgs").wstring());
    const auto clicked = std::chrono::steady_clock::now();
    gui::PostClick(m_dialog, IDC_RUN_CHECKER);
    ASSERT_TRUE(WaitForCountLine(L"3 Files Checked...Done!", 2s));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clicked);
    std::cout << "Done! " << took.count() << " ms after the click\n";
    EXPECT_LE(took, 200ms);
    const auto listed = [&] { return gui::ItemText(m_dialog, IDC_GOOD_LIST) == L"BOX A\r\nBOX B\r\nTRAY\r\n"; };
    EXPECT_TRUE(gui::WaitUntil(listed, 400ms))
        << "the list came with the next tick, not at once";
}

// A run of another file starts on a clean slate: a failed one leaves nothing of the run before
// on screen to be taken for its own result.
TEST_F(CheckerDialogTest, AFailedRunShowsNothingOfTheRunBefore)
{
    WriteFile(m_dir / "line3.pgs", RunFixture().Image());
    Run((m_dir / "line3.pgs").wstring());
    ASSERT_TRUE(WaitForCountLine(L"4 Files Checked...Done!"));
    Run((m_dir / "missing.pgs").wstring());
    const HWND box = WaitForBox(L"Error");
    ASSERT_NE(box, nullptr) << "no Error box";
    for (const int id : {IDC_CHECK_COUNT, IDC_STORED_AS, IDC_GOOD_LIST, IDC_BAD_LIST})
        EXPECT_EQ(gui::ItemText(m_dialog, id), L"") << id;
    Dismiss(box);
    for (const int id : {IDC_CHECK_COUNT, IDC_STORED_AS, IDC_GOOD_LIST, IDC_BAD_LIST})
        EXPECT_EQ(gui::ItemText(m_dialog, id), L"") << id;
}

// A name is data: one that holds a line break is one entry, escaped as the command line prints it.
TEST_F(CheckerDialogTest, ANameWithALineBreakIsOneEntry)
{
    WriteFile(m_dir / "line3.pgs", FileImage().Add(RecordBuilder(u"BOX A\r\nLID").BodyOfSize(40))
                                       .Add(RecordBuilder(u"LID").BodyOfSize(30).WrongCrc()).EndMark().bytes());
    Run((m_dir / "line3.pgs").wstring());
    ASSERT_TRUE(WaitForCountLine(L"2 Files Checked...Done!"));
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_GOOD_LIST), L"\"BOX A\\r\\nLID\"\r\n");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_BAD_LIST), L"LID\r\n");
}

// Explorer's "Open with", a file dropped on the program and a shortcut all start it with the
// file as its first argument.
struct OpenWithCase
{
    const char* name;
    bool longFolder; // the file's full path is longer than MAX_PATH
    bool relative;   // given from the start folder, through "sub\..\", with a second argument after it
};

class OpenWithTest : public CheckerDialogTest, public ::testing::WithParamInterface<OpenWithCase>
{
protected:
    // Each test starts the program itself, with its own arguments.
    void SetUp() override {}
};

TEST_P(OpenWithTest, PathBoxHoldsTheFullPathAndOnlyTheButtonStartsARun)
{
    const fs::path folder = GetParam().longFolder ? LongFolder(m_dir.path()) : m_dir.path();
    const fs::path source = folder / "line3.pgs";
    ASSERT_EQ(GetParam().longFolder, source.wstring().size() > MAX_PATH);
    const RunFixture fixture;
    WriteFile(source, fixture.Image());
    const std::vector<std::wstring> arguments =
        GetParam().relative ? std::vector<std::wstring>{L"sub\\..\\line3.pgs", L"other.pgs"}
                            : std::vector<std::wstring>{source.wstring()};
    ASSERT_NO_FATAL_FAILURE(StartProgram(ProgramPath(), arguments));

    EXPECT_EQ(gui::ItemText(m_dialog, IDC_FILE_PATH), source.wstring());
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), L"") << "a run started by itself";
    EXPECT_TRUE(gui::IsItemEnabled(m_dialog, IDC_RUN_CHECKER));
    EXPECT_FALSE(fs::exists(folder / "line3__.pgs"));

    gui::PostClick(m_dialog, IDC_RUN_CHECKER);
    ASSERT_TRUE(WaitForCountLine(L"4 Files Checked...Done!")) << "count line: "
                                                                << gui::ItemText(m_dialog, IDC_CHECK_COUNT);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_STORED_AS), L"File stored as: line3__.pgs");
    EXPECT_EQ(ReadFile(folder / "line3__.pgs"), fixture.GoodRecords());
}

INSTANTIATE_TEST_SUITE_P(Argument, OpenWithTest,
                         ::testing::Values(OpenWithCase{"RelativeWithAnotherAfterIt", false, true},
                                           OpenWithCase{"LongerThanMaxPath", true, false}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// The drop handle is made inside the program, as the system makes it when files are let go
// over the window (see RemoteDrop.h).
TEST_F(CheckerDialogTest, DroppedFilesFillThePathBoxWithTheFirstAndStartNothing)
{
    const fs::path first = LongFolder(m_dir.path()) / "line3.pgs";
    const fs::path second = m_dir / "second.pgs";
    for (const fs::path& file : {first, second})
        WriteFile(file, RunFixture().Image());
    gui::SetItemText(m_dialog, IDC_FILE_PATH, L"typed.pgs");

    ASSERT_TRUE(gui::DropFiles(m_dialog, {first.wstring(), second.wstring()})) << "no drop could be made";
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::ItemText(m_dialog, IDC_FILE_PATH) == first.wstring(); }, 2s))
        << "path box: " << gui::ItemText(m_dialog, IDC_FILE_PATH);
    ASSERT_TRUE(gui::DropFiles(m_dialog, {second.wstring()})) << "no second drop could be made";
    EXPECT_TRUE(gui::WaitUntil([&] { return gui::ItemText(m_dialog, IDC_FILE_PATH) == second.wstring(); }, 2s))
        << "path box: " << gui::ItemText(m_dialog, IDC_FILE_PATH);

    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), L"") << "a drop started a run";
    EXPECT_TRUE(gui::IsItemEnabled(m_dialog, IDC_RUN_CHECKER));
    EXPECT_FALSE(fs::exists(first.parent_path() / "line3__.pgs"));
    EXPECT_FALSE(fs::exists(m_dir / "second__.pgs"));
}

// Alt+Space opens the system menu; Up wraps round to its last entry, and Enter chooses it.
TEST_F(CheckerDialogTest, AboutBoxOpensFromTheSystemMenuByKeyboardAndCloses)
{
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageW(m_dialog, WM_SYSKEYDOWN, VK_SPACE, kAltDown | 1);
    ASSERT_TRUE(gui::WaitForMenu(m_process->Id())) << "Alt+Space opened no system menu";
    PostMessageW(m_dialog, WM_KEYDOWN, VK_UP, 1);
    PostMessageW(m_dialog, WM_KEYDOWN, VK_RETURN, 1);
    const HWND about = WaitForBox(L"About JOBSIFT");
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(GetWindow(about, GW_OWNER), m_dialog);
    EXPECT_FALSE(IsWindowEnabled(m_dialog)) << "the About box does not block the dialog";
    const HWND icon = GetWindow(about, GW_CHILD);
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0) << "the About box shows no icon";
    const HWND text = GetWindow(icon, GW_HWNDNEXT);
    EXPECT_EQ(gui::Text(text), L"JOBSIFT Version 1.0");
    EXPECT_EQ(gui::Text(GetWindow(text, GW_HWNDNEXT)), L"OK");
    Dismiss(about);
    EXPECT_TRUE(IsWindowEnabled(m_dialog));
}

// Under Wine the default browser is Wine's own, which would hand a page on to a browser of the
// machine's: the programs that the test starts from now on are kept from loading it, so opening a
// page fails, quietly, as it does on a PC with no browser.
void KeepWineBrowserFromStarting()
{
    wchar_t overrides[512] = {};
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, static_cast<DWORD>(std::size(overrides)));
    const std::wstring kept = std::wstring(overrides) + L";winebrowser.exe=d";
    if (std::wstring(overrides).find(L"winebrowser") == std::wstring::npos)
        SetEnvironmentVariableW(L"WINEDLLOVERRIDES", kept.c_str());
}

// The report entry of the system menu.
class ReportEntryTest : public CheckerDialogTest
{
protected:
    void SetUp() override
    {
        KeepWineBrowserFromStarting();
        CheckerDialogTest::SetUp();
    }

    void ChooseReport() { PostMessageW(m_dialog, WM_SYSCOMMAND, IDM_REPORT, 0); }

    std::size_t CountPages() const
    {
        return static_cast<std::size_t>(std::count_if(fs::directory_iterator(m_dir.path()), fs::directory_iterator(),
                                                      [](const fs::directory_entry& entry) {
                                                          return entry.path().extension() == ".html";
                                                      }));
    }
};

TEST_F(ReportEntryTest, WritesTheLastRunsPageBesideTheCleanedFileOnlyOnceARunHasEnded)
{
    WriteFile(m_dir / "line3.pgs", RunFixture().Image());
    ChooseReport();
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(CountPages(), 0u) << "a page before any run";

    Run((m_dir / "line3.pgs").wstring());
    ASSERT_TRUE(WaitForCountLine(L"4 Files Checked...Done!"));
    ChooseReport();
    ASSERT_TRUE(gui::WaitUntil([&] { return fs::exists(m_dir / "line3__.html"); })) << "no page written";
    const Bytes bytes = ReadFile(m_dir / "line3__.html");
    const std::string page(bytes.begin(), bytes.end());
    EXPECT_NE(page.find("id=\"map\""), std::string::npos);
    EXPECT_NE(page.find("LID"), std::string::npos);
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(CountBoxes(kProgramName) + CountBoxes(L"Error"), 0u) << "a browser that did not start raised a box";
    EXPECT_EQ(CountPages(), 1u);
}

// A run that failed and kept no cleaned file still has its page: it says what happened.
TEST_F(ReportEntryTest, AFailedRunHasAPageAndAFailedWriteSaysSo)
{
    Run((m_dir / "gone.pgs").wstring());
    const HWND error = WaitForBox(L"Error");
    ASSERT_NE(error, nullptr) << "no Error box";
    Dismiss(error);
    ChooseReport();
    EXPECT_TRUE(gui::WaitUntil([&] { return fs::exists(m_dir / "gone__.html"); })) << "no page written";

    fs::create_directory(m_dir / "line3__.html");
    WriteFile(m_dir / "line3.pgs", RunFixture().Image());
    Run((m_dir / "line3.pgs").wstring());
    ASSERT_TRUE(WaitForCountLine(L"4 Files Checked...Done!"));
    ChooseReport();
    const HWND box = WaitForBox(L"Error");
    ASSERT_NE(box, nullptr) << "a failed write raised no box";
    EXPECT_EQ(gui::MessageBoxText(box), L"File write error.");
    Dismiss(box);
}

// A file typed into the file dialog's name box and confirmed lands in the path edit as a full
// path; a cancel leaves what was typed before.
struct FileChoiceCase
{
    const char* name;
    bool choose;
};

class FileDialogTest : public CheckerDialogTest, public ::testing::WithParamInterface<FileChoiceCase>
{
};

TEST_P(FileDialogTest, OpensWithItsTitleAndFillsThePathOnlyWhenAFileIsChosen)
{
    constexpr int kFileNameBox = 0x47C; // the name combo box of the system's open dialog
    WriteFile(m_dir / "line3.pgs", RunFixture().Image());
    const std::wstring typed = L"C:\\jobs\\typed.pgs";
    gui::SetItemText(m_dialog, IDC_FILE_PATH, typed);
    gui::PostClick(m_dialog, IDC_SELECT_FILE);
    const HWND chooser = WaitForBox(L"Select PGS Data File");
    ASSERT_NE(chooser, nullptr) << "no file dialog";
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), m_dialog);
    if (GetParam().choose)
    {
        gui::SetItemText(chooser, kFileNameBox, (m_dir / "line3.pgs").wstring());
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    }
    else
        PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(gui::WaitUntilGone(chooser));
    const std::wstring expected = GetParam().choose ? (m_dir / "line3.pgs").wstring() : typed;
    gui::WaitUntil([&] { return gui::ItemText(m_dialog, IDC_FILE_PATH) == expected; }, 2s);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_FILE_PATH), expected);
}

INSTANTIATE_TEST_SUITE_P(Operator, FileDialogTest,
                         ::testing::Values(FileChoiceCase{"Cancels", false}, FileChoiceCase{"ChoosesAFile", true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// With no run going on, every way of closing the dialog ends the program at once.
struct CloseCase
{
    const char* name;
    int target; // the control that gets the key, or 0 for the dialog itself
    UINT message;
    WPARAM wParam;
};

class CloseIdleTest : public CheckerDialogTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(CloseIdleTest, EndsTheProgramAtOnce)
{
    const CloseCase& testCase = GetParam();
    const HWND target = testCase.target == 0 ? m_dialog : GetDlgItem(m_dialog, testCase.target);
    PostMessageW(target, testCase.message, testCase.wParam, 1);
    EXPECT_TRUE(m_process->WaitForExit(5s)) << "the program did not end";
    EXPECT_EQ(m_process->ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    By, CloseIdleTest,
    ::testing::Values(CloseCase{"EscapeOnSelectFile", IDC_SELECT_FILE, WM_KEYDOWN, VK_ESCAPE},
                      CloseCase{"EnterInThePathEdit", IDC_FILE_PATH, WM_KEYDOWN, VK_RETURN},
                      CloseCase{"CloseButton", 0, WM_SYSCOMMAND, SC_CLOSE}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// A run that stays busy: every record is good, but its active program file cannot be written
// because a folder of that name is in the way, so the worker waits in a box after each record.
struct LongRunCase
{
    const char* name;
    bool dismissWorkerBox;
    std::chrono::milliseconds atLeast;
    std::chrono::milliseconds atMost;
};

class CloseDuringRunTest : public CheckerDialogTest, public ::testing::WithParamInterface<LongRunCase>
{
protected:
    void StartLongRun()
    {
        FileImage image;
        for (int record = 0; record < 100; ++record)
            image.Add(RecordBuilder(u"SLOW").BodyOfSize(20));
        WriteFile(m_dir / "long.pgs", image.EndMark().bytes());
        fs::create_directory(m_dir / "SLOW.pga");
        Run((m_dir / "long.pgs").wstring(), true);
    }
};

TEST_P(CloseDuringRunTest, DialogGoesAtOnceAndTheProgramEndsInTime)
{
    StartLongRun();
    const HWND workerBox = WaitForBox(kProgramName);
    ASSERT_NE(workerBox, nullptr) << "the worker raised no box";
    EXPECT_EQ(gui::MessageBoxText(workerBox), L"Failed to save active program SLOW");
    EXPECT_TRUE(WaitForCountLine(L"0 Files Checked...")) << "no tick while the worker's box is up";
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_GOOD_LIST), L"SLOW\r\n");
    EXPECT_FALSE(gui::IsItemEnabled(m_dialog, IDC_RUN_CHECKER)) << "a second run could start";
    gui::PostClick(m_dialog, IDC_RUN_CHECKER);
    std::this_thread::sleep_for(700ms);
    EXPECT_EQ(CountBoxes(kProgramName) + CountBoxes(L"Error"), 1u)
        << "a click during the run started a second worker";
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_GOOD_LIST), L"SLOW\r\n");

    const auto closed = std::chrono::steady_clock::now();
    PostMessageW(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(gui::WaitUntilGone(m_dialog, 2s)) << "the dialog stayed while the worker ran";
    if (GetParam().dismissWorkerBox)
        gui::PostClick(workerBox, IDOK);
    ASSERT_TRUE(m_process->WaitForExit(15s)) << "the program did not end";
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - closed);
    std::cout << GetParam().name << ": ended " << took.count() << " ms after the close\n";
    EXPECT_GE(took, GetParam().atLeast);
    EXPECT_LE(took, GetParam().atMost);
    EXPECT_EQ(m_process->ExitCode(), 0u);
}

// A worker held in its box past the 19 waits of 500 ms is not waited for any longer; the bound
// allows for Wine's slow process teardown.
INSTANTIATE_TEST_SUITE_P(
    Worker, CloseDuringRunTest,
    ::testing::Values(LongRunCase{"SeesAbortAtItsNextRecord", true, 0ms, 3000ms},
                      LongRunCase{"HeldInItsBox", false, 9000ms, 11000ms}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

struct AnswerCase
{
    const char* name;
    UINT message; // posted to the question
    WPARAM wParam;
    std::wstring countLine;
    std::wstring goodList;
    bool takesBehindDamage;
    bool takesBehindEndMark;
};

class LeftBehindQuestionTest : public CheckerDialogTest, public ::testing::WithParamInterface<AnswerCase>
{
protected:
    // Runs the zeroed-sector file, closes its error box and gives the question that follows.
    HWND RunUntilAsked(const ZeroedSector& fixture)
    {
        WriteFile(m_dir / "line3.pgs", fixture.Image());
        Run((m_dir / "line3.pgs").wstring());
        const HWND error = WaitForBox(L"Error");
        if (error == nullptr)
            return nullptr;
        EXPECT_EQ(gui::MessageBoxText(error), L"Unknown Program State");
        EXPECT_TRUE(gui::TopWindows(m_process->Id(), kProgramName).empty()) << "asked before the box was closed";
        Dismiss(error);
        return WaitForBox(kProgramName);
    }
};

TEST_P(LeftBehindQuestionTest, AsksOnceAndTakesBackWhatTheAnswerSays)
{
    const ZeroedSector fixture;
    const HWND question = RunUntilAsked(fixture);
    ASSERT_NE(question, nullptr) << "no question";
    EXPECT_EQ(GetWindow(question, GW_OWNER), m_dialog);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), L"5 Files Checked...");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_STORED_AS), L"File stored as: line3__.pgs");
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_GOOD_LIST), L"BOX A\r\n");

    const std::vector<std::wstring> texts = gui::DescendantTexts(question);
    const auto shows = [&texts](const std::wstring& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    };
    EXPECT_TRUE(shows(L"Intact programs were left behind"));
    EXPECT_TRUE(shows(L"line3.pgs holds 2 intact programs behind damage.\n"
                      L"line3.pgs holds 1 intact program behind the end mark; it may be an older copy."));
    const std::size_t size = fixture.boxA.Build().size();
    EXPECT_TRUE(shows(std::to_wstring(2 * size) + L": LID\n" + std::to_wstring(3 * size) + L": TRAY\n" +
                      std::to_wstring(4 * size + 158) + L": OLD (behind the end mark)"));
    EXPECT_TRUE(gui::ItemText(question, IDC_TAKE_BEHIND_DAMAGE)
                    .starts_with(L"Take back the 2 programs behind the damage"))
        << gui::ItemText(question, IDC_TAKE_BEHIND_DAMAGE);
    EXPECT_TRUE(gui::ItemText(question, IDC_TAKE_ALL).starts_with(L"Take back all 3, also those behind the end mark"))
        << gui::ItemText(question, IDC_TAKE_ALL);

    const Bytes plain = ReadFile(m_dir / "line3__.pgs");
    EXPECT_EQ(plain, FileImage().Add(fixture.boxA).bytes());
    PostMessageW(question, GetParam().message, GetParam().wParam, 0);
    ASSERT_TRUE(gui::WaitUntilGone(question)) << "the question stayed";

    EXPECT_TRUE(WaitForCountLine(GetParam().countLine)) << "count line: " << gui::ItemText(m_dialog, IDC_CHECK_COUNT);
    std::this_thread::sleep_for(700ms);
    EXPECT_TRUE(gui::TopWindows(m_process->Id(), kProgramName).empty()) << "asked again";
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), GetParam().countLine);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_GOOD_LIST), GetParam().goodList);
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_STORED_AS), L"File stored as: line3__.pgs");
    EXPECT_TRUE(gui::IsItemEnabled(m_dialog, IDC_RUN_CHECKER));
    FileImage cleaned;
    cleaned.Add(fixture.boxA);
    if (GetParam().takesBehindDamage)
        cleaned.Add(fixture.lid).Add(fixture.tray);
    if (GetParam().takesBehindEndMark)
        cleaned.Add(fixture.old);
    EXPECT_EQ(ReadFile(m_dir / "line3__.pgs"), cleaned.bytes());
}

INSTANTIATE_TEST_SUITE_P(
    Answer, LeftBehindQuestionTest,
    ::testing::Values(AnswerCase{"TakeBehindDamage", WM_COMMAND, IDC_TAKE_BEHIND_DAMAGE, L"7 Files Checked...Done!",
                                 L"BOX A\r\nLID (recovered)\r\nTRAY (recovered)\r\n", true, false},
                      AnswerCase{"TakeAll", WM_COMMAND, IDC_TAKE_ALL, L"8 Files Checked...Done!",
                                 L"BOX A\r\nLID (recovered)\r\nTRAY (recovered)\r\nOLD (recovered)\r\n", true, true},
                      AnswerCase{"Cancel", WM_COMMAND, IDCANCEL, L"5 Files Checked...", L"BOX A\r\n", false, false},
                      AnswerCase{"CloseButton", WM_SYSCOMMAND, SC_CLOSE, L"5 Files Checked...", L"BOX A\r\n", false,
                                 false}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

// One good program, the end mark, and one intact program behind it.
class EndMarkQuestionTest : public CheckerDialogTest
{
protected:
    HWND RunUntilAsked()
    {
        WriteFile(m_dir / "line3.pgs", FileImage()
                                           .Add(RecordBuilder(u"BOX A").BodyOfSize(40))
                                           .EndMark()
                                           .Add(RecordBuilder(u"OLD").BodyOfSize(40))
                                           .bytes());
        Run((m_dir / "line3.pgs").wstring());
        return WaitForBox(kProgramName);
    }
};

// The run is done, and the question speaks of one program.
TEST_F(EndMarkQuestionTest, OneProgramBehindTheEndMarkIsAskedAboutInTheSingular)
{
    const HWND question = RunUntilAsked();
    ASSERT_NE(question, nullptr) << "no question";
    EXPECT_EQ(gui::ItemText(m_dialog, IDC_CHECK_COUNT), L"1 Files Checked...Done!");
    const std::vector<std::wstring> texts = gui::DescendantTexts(question);
    EXPECT_NE(std::find(texts.begin(), texts.end(),
                        L"line3.pgs holds 1 intact program behind the end mark; it may be an older copy."),
              texts.end());
    EXPECT_EQ(GetDlgItem(question, IDC_TAKE_BEHIND_DAMAGE), nullptr);
    EXPECT_TRUE(gui::ItemText(question, IDC_TAKE_ALL).starts_with(L"Take back the program behind the end mark"))
        << gui::ItemText(question, IDC_TAKE_ALL);
    gui::PostClick(question, IDCANCEL);
    EXPECT_TRUE(gui::WaitUntilGone(question));
}

// The dialog is closed while it asks: the question goes with it and nothing more is run.
TEST_F(EndMarkQuestionTest, ClosingWhileAskedEndsTheQuestionAndStartsNothing)
{
    const HWND question = RunUntilAsked();
    ASSERT_NE(question, nullptr) << "no question";
    const Bytes plain = ReadFile(m_dir / "line3__.pgs");
    PostMessageW(m_dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_process->WaitForExit(5s)) << "the program did not end";
    EXPECT_EQ(m_process->ExitCode(), 0u);
    EXPECT_EQ(ReadFile(m_dir / "line3__.pgs"), plain);
}

// The question's footer link writes the page as the report entry does, and the question stays.
class ReportLinkTest : public EndMarkQuestionTest
{
protected:
    void SetUp() override
    {
        KeepWineBrowserFromStarting();
        EndMarkQuestionTest::SetUp();
    }
};

HWND ChildWithText(HWND window, const std::wstring& text)
{
    struct Search
    {
        const std::wstring& text;
        HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM state) -> BOOL {
            auto* searching = reinterpret_cast<Search*>(state);
            if (gui::Text(child) == searching->text)
                searching->found = child;
            return searching->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST_F(ReportLinkTest, TheFootersLinkWritesThePageAndTheQuestionStays)
{
    const HWND question = RunUntilAsked();
    ASSERT_NE(question, nullptr) << "no question";
    const HWND footer = ChildWithText(question, L"<A>Show the report</A>");
    ASSERT_NE(footer, nullptr) << "no footer link";
    const LPARAM onTheLink = MAKELPARAM(4, 4);
    PostMessageW(footer, WM_LBUTTONDOWN, MK_LBUTTON, onTheLink);
    PostMessageW(footer, WM_LBUTTONUP, 0, onTheLink);
    EXPECT_TRUE(gui::WaitUntil([&] { return fs::exists(m_dir / "line3__.html"); })) << "no page written";
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(IsWindow(question)) << "the question closed";
    EXPECT_EQ(CountBoxes(L"Error"), 0u);
    gui::PostClick(question, IDCANCEL);
    EXPECT_TRUE(gui::WaitUntilGone(question));
}
}
