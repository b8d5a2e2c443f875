#include "FinishedRun.h"

FinishedRun FinishedRunOf(const CheckJob& job)
{
    FinishedRun run;
    run.path = job.path.Get();
    run.options = job.options;
    run.outcome = job.outcome.load();
    run.count = job.count.load();
    run.storedAs = job.storedAs.Get();
    run.results = job.results;
    run.records = job.records.Snapshot();
    return run;
}
