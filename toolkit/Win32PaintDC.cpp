#include "Win32PaintDC.h"

namespace toolkit
{
CPaintDC::CPaintDC(HWND window) : m_hWnd(window), m_hDC(BeginPaint(window, &m_paint)) {}

CPaintDC::~CPaintDC()
{
    EndPaint(m_hWnd, &m_paint);
}
}
