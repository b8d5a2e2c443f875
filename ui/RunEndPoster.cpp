#include "RunEndPoster.h"

void CRunEndPoster::PostTo(HWND window)
{
    m_window = window;
}

void CRunEndPoster::OnRunEnded()
{
    const HWND window = m_window.load();
    if (window != nullptr)
        PostMessageW(window, WM_RUN_ENDED, 0, 0);
}
