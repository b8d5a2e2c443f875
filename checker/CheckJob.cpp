#include "CheckJob.h"

void CheckJob::Reset()
{
    abort = 0;
    done = 1;
    count = 0;
    outcome = RunOutcome::Completed;
    records.Clear();
    storedAs.Empty();
    results = {};
}

void CheckJob::PrepareRun(const std::u16string& sourcePath, void* startedBy, bool writeActivePrograms,
                          IActiveProgramReport* activeProgramReport, CheckOptions runOptions)
{
    abort = 0;
    done = 0;
    count = 0;
    path.Set(sourcePath);
    owner = startedBy;
    saveActive = writeActivePrograms ? 1 : 0;
    report = activeProgramReport;
    options = runOptions;
    records.Clear();
    outcome = RunOutcome::Completed;
    results = {};
    std::lock_guard lock(m_doneLock);
    m_finished = false;
}

void CheckJob::Finish(RunOutcome how, CheckResults runResults)
{
    results = std::move(runResults);
    outcome = how;
    {
        std::lock_guard lock(m_doneLock);
        m_finished = true;
        m_doneSignal.notify_all();
    }
    // A front end that polls may let the job go once it sees `done`: nothing is touched after it.
    done = 1;
}

bool CheckJob::WaitUntilDone(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_doneLock);
    return m_doneSignal.wait_for(lock, timeout, [this] { return m_finished || done.load() != 0; });
}

bool StartChecker(CheckJob& job, platform::CThread& thread)
{
    if (thread.Start(CheckerThreadProc, &job))
        return true;
    job.Finish(RunOutcome::NotStarted, {});
    return false;
}
