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

void CheckJob::PrepareRun(const std::u16string& sourcePath, bool writeActivePrograms,
                          IActiveProgramReport* activeProgramReport, CheckOptions runOptions,
                          IRunEndNotice* runEndNotice)
{
    abort = 0;
    done = 0;
    count = 0;
    path.Set(sourcePath);
    saveActive = writeActivePrograms ? 1 : 0;
    report = activeProgramReport;
    options = runOptions;
    endNotice = runEndNotice;
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
    // Taken before `done`: once it is set, the front end may prepare the next run on the job.
    IRunEndNotice* const notice = endNotice;
    {
        std::lock_guard lock(m_doneLock);
        m_finished = true;
        m_doneSignal.notify_all();
    }
    // A front end that polls may let the job go once it sees `done`: nothing of the job is
    // touched after it. A front end that hands in a notice keeps it until the worker has ended.
    done = 1;
    if (notice != nullptr)
        notice->OnRunEnded();
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

namespace
{
// The share is let go only after the run's last act, the end notice.
unsigned SharedCheckerThreadProc(void* share)
{
    const std::unique_ptr<std::shared_ptr<CheckJob>> held(static_cast<std::shared_ptr<CheckJob>*>(share));
    return CheckerThreadProc(held->get());
}
}

bool StartChecker(std::shared_ptr<CheckJob> job, platform::CThread& thread)
{
    auto share = std::make_unique<std::shared_ptr<CheckJob>>(job);
    if (thread.Start(SharedCheckerThreadProc, share.get()))
    {
        share.release();
        return true;
    }
    job->Finish(RunOutcome::NotStarted, {});
    return false;
}
