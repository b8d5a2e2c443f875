#include "CheckerApp.h"

#include "Globals.h"

#include <CheckerDlg.h>

#include <commctrl.h>

CCheckerApp::~CCheckerApp() = default;

// The dialogs host no embedded (ActiveX) controls, so no control container is set up. Loading
// the common controls gives the standard controls the visual styles that the manifest asks for.
BOOL CCheckerApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    {
        CCheckerDlg dialog(theCheckJob);
        dialog.DoModal();
    }
    // The dialog's destructor has asked the worker to stop and waited 9.5 s for it. A worker
    // that is still running (one waiting in its own message box, say) would go on using the job
    // while the static destructors tear it down. Ending the process here stops that thread
    // before any static destructor runs.
    if (theCheckJob.done == 0)
        ExitProcess(0);
    return FALSE;
}
