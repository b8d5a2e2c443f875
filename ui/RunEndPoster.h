#pragma once

#include <CheckJob.h>

#include <windows.h>

#include <atomic>

// Posted to the dialog when a run has ended; the job then holds the run's outcome and results.
constexpr UINT WM_RUN_ENDED = WM_APP + 1;

// Tells the dialog of a run's end through its message queue, from the worker's thread, so that the
// result shows at once and is handled on the dialog's own thread.
class CRunEndPoster : public IRunEndNotice
{
public:
    // The window told from now on; null once it has gone, so that no later end reaches a window
    // that may have taken its handle.
    void PostTo(HWND window);
    void OnRunEnded() override;

private:
    std::atomic<HWND> m_window{nullptr};
};
