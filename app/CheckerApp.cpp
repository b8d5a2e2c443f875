#include "CheckerApp.h"

#include <CheckerDlg.h>
#include <DialogJob.h>
#include <Console.h>
#include <Win32Path.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
// Explorer's "Open with", a file dropped on the program and a shortcut all name the file as the
// first argument; further arguments mean nothing to the dialog. A relative name is taken from
// the folder the program was started in, as the operator sees it there.
std::u16string FileToOpen()
{
    // On Windows the arguments come from the system's command line, not from argc and argv.
    const std::vector<std::u16string> arguments = platform::CommandLineArguments(0, nullptr);
    return arguments.empty() ? std::u16string() : platform::FullPathName(arguments.front());
}
}

// The dialogs host no embedded (ActiveX) controls, so no control container is set up. Loading
// the common controls gives the standard controls the visual styles that the manifest asks for.
BOOL CCheckerApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // The job outlives the dialog; a worker still running holds a share of it.
    const auto job = std::make_shared<CDialogJob>();
    {
        CCheckerDlg dialog(*job);
        dialog.SetInitialPath(FileToOpen());
        dialog.DoModal();
    }
    // The dialog's destructor has asked the worker to stop and waited 9.5 s for it. A worker
    // that is still running (one waiting in its own message box, say) keeps the job alive, but
    // the runtime's static destructors would go on under it. Ending the process here stops that
    // thread before any of them runs.
    if (job->Job().done == 0)
        ExitProcess(0);
    return FALSE;
}
