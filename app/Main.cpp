#include "Globals.h"

CCheckerApp theApp;

// The raw command line goes unused: the application takes its arguments from the platform layer,
// split as the system splits them.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    theApp.InitInstance();
    return 0;
}
