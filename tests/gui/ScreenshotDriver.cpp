// Stages the dialog for scripts/screenshot.sh: one run over a copy of the sample file with the
// box ticked, then the dialog held open until the picture is taken.
//   screenshot_driver.exe READY RELEASE SAMPLE
// READY receives the dialog's screen rectangle "x y width height" once the run is done; the
// dialog closes when RELEASE exists. The copy goes to a short folder of its own, C:\jobs, so
// that the picture shows a path an operator would recognise.
#include "CheckerProcess.h"
#include "ProgramPath.h"
#include "WindowDriver.h"

#include <resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
bool WriteRectangle(const fs::path& ready, HWND dialog)
{
    RECT frame{};
    GetWindowRect(dialog, &frame);
    std::ofstream out(ready);
    out << frame.left << ' ' << frame.top << ' ' << frame.right - frame.left << ' ' << frame.bottom - frame.top
        << '\n';
    return static_cast<bool>(out);
}

int Run(const fs::path& ready, const fs::path& release, const fs::path& work, const fs::path& source);

int Stage(const fs::path& ready, const fs::path& release, const fs::path& sample)
{
    const fs::path work = "C:\\jobs";
    fs::remove_all(work);
    fs::create_directories(work);
    const fs::path source = work / sample.filename();
    fs::copy_file(sample, source);
    const int result = Run(ready, release, work, source);
    fs::remove_all(work);
    return result;
}

int Run(const fs::path& ready, const fs::path& release, const fs::path& work, const fs::path& source)
{
    CheckerProcess checker(work, ProgramPath());
    const HWND dialog = checker.Dialog();
    if (dialog == nullptr)
        return std::fprintf(stderr, "screenshot: the dialog did not appear\n"), 1;
    gui::SetItemText(dialog, IDC_FILE_PATH, source.wstring());
    gui::SetCheck(dialog, IDC_SAVE_ACTIVE, true);
    gui::PostClick(dialog, IDC_RUN_CHECKER);
    if (!gui::WaitUntil([&] { return gui::ItemText(dialog, IDC_CHECK_COUNT).ends_with(L"Done!"); }, 20s))
        return std::fprintf(stderr, "screenshot: the run did not finish\n"), 1;
    if (!WriteRectangle(ready, dialog))
        return std::fprintf(stderr, "screenshot: cannot write %s\n", ready.string().c_str()), 1;
    gui::WaitUntil([&] { return fs::exists(release); }, 60s);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    checker.WaitForExit(10s);
    return 0;
}
}

int main(int argc, char** argv)
{
    if (argc != 4)
        return std::fprintf(stderr, "usage: screenshot_driver READY RELEASE SAMPLE\n"), 2;
    return Stage(fs::path(WindowsPath(argv[1])), fs::path(WindowsPath(argv[2])), fs::path(WindowsPath(argv[3])));
}
