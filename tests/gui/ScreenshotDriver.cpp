// Stages the dialog for scripts/screenshot.sh: one run over a copy of the sample file with the
// box ticked, then the dialog held open until the picture is taken. With --question instead of a
// sample: one run over a file with a zeroed sector, held at the question that follows it.
//   screenshot_driver.exe READY RELEASE SAMPLE
//   screenshot_driver.exe READY RELEASE --question
// READY receives the window's screen rectangle "x y width height" once it is staged; the program
// closes when RELEASE exists. The file goes to a short folder of its own, C:\jobs, so that the
// picture shows a path an operator would recognise.
#include "CheckerProcess.h"
#include "ProgramPath.h"
#include "WindowDriver.h"
#include "ZeroedSector.h"

#include <resource.h>
#include <support/TempDir.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
bool WriteRectangle(const fs::path& ready, HWND window)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    std::ofstream out(ready);
    out << frame.left << ' ' << frame.top << ' ' << frame.right - frame.left << ' ' << frame.bottom - frame.top
        << '\n';
    return static_cast<bool>(out);
}

// Runs the check on `source` and gives the window to take: the dialog, or the question after the
// run's error box; null when it did not come.
using Staging = HWND (*)(const CheckerProcess& checker, const fs::path& source);

HWND DialogAfterTheRun(const CheckerProcess& checker, const fs::path& source)
{
    const HWND dialog = checker.Dialog();
    gui::SetItemText(dialog, IDC_FILE_PATH, source.wstring());
    gui::SetCheck(dialog, IDC_SAVE_ACTIVE, true);
    gui::PostClick(dialog, IDC_RUN_CHECKER);
    if (!gui::WaitUntil([&] { return gui::ItemText(dialog, IDC_CHECK_COUNT).ends_with(L"Done!"); }, 20s))
        return nullptr;
    return dialog;
}

HWND QuestionAfterTheRun(const CheckerProcess& checker, const fs::path& source)
{
    const HWND dialog = checker.Dialog();
    gui::SetItemText(dialog, IDC_FILE_PATH, source.wstring());
    gui::PostClick(dialog, IDC_RUN_CHECKER);
    const HWND error = gui::WaitForTopWindow(checker.Id(), L"Error", 20s);
    if (error == nullptr)
        return nullptr;
    gui::PostClick(error, IDOK);
    const HWND question = gui::WaitForTopWindow(checker.Id(), L"JOBSIFT", 20s);
    // On an X server with no window manager, Wine shows the task dialog's first frame only once
    // the window has moved: it is moved a little, and the picture waits for it to settle.
    std::this_thread::sleep_for(1s);
    RECT frame{};
    GetWindowRect(question, &frame);
    SetWindowPos(question, nullptr, frame.left + 40, frame.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::this_thread::sleep_for(1s);
    return question;
}

int Run(const fs::path& ready, const fs::path& release, const fs::path& source, Staging stage)
{
    CheckerProcess checker(source.parent_path(), ProgramPath());
    if (checker.Dialog() == nullptr)
        return std::fprintf(stderr, "screenshot: the dialog did not appear\n"), 1;
    const HWND shown = stage(checker, source);
    if (shown == nullptr)
        return std::fprintf(stderr, "screenshot: the run did not come to the picture\n"), 1;
    if (!WriteRectangle(ready, shown))
        return std::fprintf(stderr, "screenshot: cannot write %s\n", ready.string().c_str()), 1;
    gui::WaitUntil([&] { return fs::exists(release); }, 60s);
    PostMessageW(checker.Dialog(), WM_CLOSE, 0, 0);
    checker.WaitForExit(10s);
    return 0;
}

// The file to check is `sample` copied, or for the question the zeroed-sector file.
int Stage(const fs::path& ready, const fs::path& release, const std::string& sample)
{
    const fs::path work = "C:\\jobs";
    fs::remove_all(work);
    fs::create_directories(work);
    const bool question = sample == "--question";
    const fs::path source = work / (question ? fs::path("line3.pgs") : fs::path(WindowsPath(sample)).filename());
    if (question)
        WriteFile(source, ZeroedSector().Image());
    else
        fs::copy_file(fs::path(WindowsPath(sample)), source);
    const int result = Run(ready, release, source, question ? QuestionAfterTheRun : DialogAfterTheRun);
    fs::remove_all(work);
    return result;
}
}

int main(int argc, char** argv)
{
    if (argc != 4)
        return std::fprintf(stderr, "usage: screenshot_driver READY RELEASE SAMPLE|--question\n"), 2;
    return Stage(fs::path(WindowsPath(argv[1])), fs::path(WindowsPath(argv[2])), argv[3]);
}
