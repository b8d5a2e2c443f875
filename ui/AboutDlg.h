#pragma once

#include <Dialog.h>

// The About box: the icon, the program's name and version, and "OK". It needs no handlers of
// its own; OK, Esc and the close button end it through the base dialog.
class CAboutDlg : public toolkit::CDialog
{
public:
    CAboutDlg();
};
