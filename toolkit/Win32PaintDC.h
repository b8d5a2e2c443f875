#pragma once

#include <windows.h>

namespace toolkit
{
// BeginPaint for the life of the object, EndPaint when it goes.
class CPaintDC
{
public:
    explicit CPaintDC(HWND window);
    ~CPaintDC();
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Handle() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC;
};
}
