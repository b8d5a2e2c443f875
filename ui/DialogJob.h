#pragma once

#include "ActiveProgramBoxes.h"
#include "RunEndPoster.h"

#include <CheckJob.h>
#include <FinishedRun.h>

#include <memory>
#include <string>

// The main dialog's job and everything its worker may call: the failed-save boxes and the end
// notice. The program's entry makes it shared and the dialog only borrows it; each worker holds a
// share until its last act, so a worker that outlives the dialog and its wait at close still
// finds all of them.
class CDialogJob : public std::enable_shared_from_this<CDialogJob>
{
public:
    CheckJob& Job() { return m_job; }
    // The window that hears of each run's end (WM_RUN_ENDED); null once it has gone.
    void PostRunEndsTo(HWND window) { m_runEnd.PostTo(window); }
    // Prepares the job and starts a worker on it. A worker that cannot be started ends the run at
    // once; that end is posted as any other.
    void Start(const std::u16string& path, bool saveActive, CheckOptions options);
    // The run that has just ended, with the active program files it could not write; only while
    // the job is done.
    FinishedRun LastRun() const;

private:
    CheckJob m_job;
    CActiveProgramBoxes m_activeProgramBoxes;
    CRunEndPoster m_runEnd;
};
