#include "Words.h"

std::u16string OutcomeText(RunOutcome outcome)
{
    switch (outcome)
    {
    case RunOutcome::Completed:
    case RunOutcome::Aborted:
        return {};
    case RunOutcome::BeyondMemory:
        return u"Unknown Program State";
    case RunOutcome::MemoryExceeded:
        return u"Memory size exceeded.";
    case RunOutcome::AllocationFailed:
        return u"Memory allocation failed.";
    case RunOutcome::OutputNotCreated:
    case RunOutcome::SourceNotOpened:
        return u"File not found.";
    case RunOutcome::SourceNotRegular:
        return u"Not a regular file.";
    case RunOutcome::ReadFailed:
        return u"File read error.";
    case RunOutcome::WriteFailed:
        return u"File write error.";
    case RunOutcome::NotStarted:
        break;
    }
    return u"The check could not be started.";
}

const char* VerdictName(Verdict verdict)
{
    switch (verdict)
    {
    case Verdict::Good:
        return "good";
    case Verdict::Bad:
        return "bad";
    case Verdict::Empty:
        return "empty";
    case Verdict::UnknownState:
        return "unknown-state";
    case Verdict::Recovered:
        return "recovered";
    case Verdict::Duplicate:
        break;
    }
    return "duplicate";
}
