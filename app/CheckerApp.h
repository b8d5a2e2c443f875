#pragma once

#include <windows.h>

// The application: runs the main dialog modally and ends when it closes.
class CCheckerApp
{
public:
    // Always FALSE: once the dialog has closed there is nothing left to run.
    BOOL InitInstance();
};
