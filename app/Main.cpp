#include "Globals.h"

CCheckerApp theApp;
CheckJob theCheckJob;

// The program takes no command line.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    theApp.InitInstance();
    return 0;
}
