#include "DialogJob.h"

#include <Thread.h>

void CDialogJob::Start(const std::u16string& path, bool saveActive, CheckOptions options)
{
    // The report of the last check is one choice away in the system menu: every run describes its
    // source for it.
    options.describeSource = true;
    m_activeProgramBoxes.ResetCount();
    m_job.PrepareRun(path, saveActive, &m_activeProgramBoxes, options, &m_runEnd);
    // The dialog keeps no hold on the worker: it hears of it through the job alone.
    platform::CThread worker;
    StartChecker(std::shared_ptr<CheckJob>(shared_from_this(), &m_job), worker);
}

FinishedRun CDialogJob::LastRun() const
{
    FinishedRun run = FinishedRunOf(m_job);
    run.failedSaves = m_activeProgramBoxes.NotSavedCount();
    return run;
}
