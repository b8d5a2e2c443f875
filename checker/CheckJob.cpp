#include "CheckJob.h"

void CheckJob::Reset()
{
    abort = 0;
    done = 1;
    count = 0;
    error.Empty();
    badList.Empty();
    goodList.Empty();
    storedAs.Empty();
}

void CheckJob::PrepareRun(const std::u16string& sourcePath, void* startedBy, bool writeActivePrograms)
{
    abort = 0;
    done = 0;
    count = 0;
    path.Set(sourcePath);
    owner = startedBy;
    saveActive = writeActivePrograms ? 1 : 0;
    badList.Empty();
    goodList.Empty();
    error.Empty();
}
