#include "FileCheck.h"
#include "Output.h"
#include "Words.h"

#include <Paths.h>
#include <Thread.h>

#include <chrono>

namespace
{
constexpr std::chrono::milliseconds kProgressPeriod{100};
}

CFileCheck::CFileCheck(CheckJob& job, bool saveActive, CheckOptions options)
    : m_job(job), m_saveActive(saveActive), m_options(options)
{
}

FinishedRun CFileCheck::Run(const std::u16string& path)
{
    m_failedSaves = 0;
    m_job.PrepareRun(path, m_saveActive, this, m_options);
    if (output::ShowsProgress())
        RunWithLiveCount();
    else
        CheckerThreadProc(&m_job);

    FinishedRun report = FinishedRunOf(m_job);
    report.failedSaves = m_failedSaves;
    return report;
}

// On a terminal the worker runs on a thread of its own while this one shows its count. Without
// one there is nothing to show, and the check runs right here: a thread per file would cost more
// than many a check.
void CFileCheck::RunWithLiveCount()
{
    platform::CThread worker;
    if (!StartChecker(m_job, worker))
        return;
    while (!m_job.WaitUntilDone(kProgressPeriod))
        output::ShowProgress(CountLine(m_job.count.load()));
    output::ClearProgress();
    worker.Join();
}

void CFileCheck::OnSaved(const std::u16string& name, const std::u16string& path)
{
    if (!m_savedFiles.insert(platform::FileNameKey(path)).second)
        output::Message(ActiveProgramReplaced(name));
}

void CFileCheck::OnNotSaved(const std::u16string& name)
{
    ++m_failedSaves;
    output::Message(ActiveProgramNotSaved(name));
}
