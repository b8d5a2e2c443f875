// Stages the dialog for scripts/screenshot.sh: one run over a sample file with the box ticked,
// then the dialog held open until the picture is taken.
//   screenshot_driver.exe READY RELEASE [SAMPLE]
// READY receives the dialog's screen rectangle "x y width height" once the run is done; the
// dialog closes when RELEASE exists. Without SAMPLE a small file of our own is checked.
#include "CheckerProcess.h"
#include "ProgramPath.h"
#include "WindowDriver.h"

#include <support/RecordBuilder.h>
#include <support/TempDir.h>

#include <resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace
{
Bytes OwnSample()
{
    return FileImage()
        .Add(RecordBuilder(u"BOX A").BodyOfSize(40))
        .Add(RecordBuilder(u"BOX B").BodyOfSize(17))
        .Add(RecordBuilder(u"LID").BodyOfSize(30).WrongCrc())
        .Add(RecordBuilder(u"TRAY").BodyOfSize(64))
        .EndMark()
        .bytes();
}

bool WriteRectangle(const fs::path& ready, HWND dialog)
{
    RECT frame{};
    GetWindowRect(dialog, &frame);
    std::ofstream out(ready);
    out << frame.left << ' ' << frame.top << ' ' << frame.right - frame.left << ' ' << frame.bottom - frame.top
        << '\n';
    return static_cast<bool>(out);
}

int Stage(const fs::path& ready, const fs::path& release, const fs::path& sample)
{
    const TempDir work;
    const fs::path source = work / (sample.empty() ? fs::path("sample.pgs") : sample.filename());
    if (sample.empty())
        WriteFile(source, OwnSample());
    else
        fs::copy_file(sample, source);
    CheckerProcess checker(work.path(), ProgramPath());
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
    if (argc < 3)
        return std::fprintf(stderr, "usage: screenshot_driver READY RELEASE [SAMPLE]\n"), 2;
    const fs::path sample = argc > 3 ? fs::path(WindowsPath(argv[3])) : fs::path();
    return Stage(fs::path(WindowsPath(argv[1])), fs::path(WindowsPath(argv[2])), sample);
}
