#include "RunOutcome.h"

bool IsFailure(RunOutcome outcome)
{
    return outcome != RunOutcome::Completed && outcome != RunOutcome::Aborted;
}

unsigned CheckerExitCode(RunOutcome outcome)
{
    switch (outcome)
    {
    case RunOutcome::Completed:
    case RunOutcome::BeyondMemory:
        return 0;
    case RunOutcome::MemoryExceeded:
        return 1;
    case RunOutcome::AllocationFailed:
        return 2;
    case RunOutcome::OutputNotCreated:
    case RunOutcome::CleanedIsSource:
        return 3;
    case RunOutcome::SourceNotOpened:
    case RunOutcome::SourceNotRegular:
        return 4;
    case RunOutcome::Aborted:
        return 5;
    case RunOutcome::ReadFailed:
    case RunOutcome::WriteFailed:
    case RunOutcome::NotStarted:
        break;
    }
    return 6;
}
