#include "OutcomeText.h"

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
    case RunOutcome::CleanedIsSource:
        return u"The cleaned file would replace the source.";
    case RunOutcome::OutputNotCreated:
    case RunOutcome::SourceNotOpened:
    case RunOutcome::SourceNotRegular:
        return u"File not found.";
    case RunOutcome::ReadFailed:
        return u"File read error.";
    case RunOutcome::WriteFailed:
        return u"File write error.";
    case RunOutcome::NotStarted:
        break;
    }
    return u"The check could not be started.";
}
