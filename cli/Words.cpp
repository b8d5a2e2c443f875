#include "Words.h"

#include <OutcomeText.h>
#include <TextConversion.h>

// The program's words, but for a source that is no regular file, which only the command line
// can tell apart.
std::u16string CliOutcomeText(RunOutcome outcome)
{
    return outcome == RunOutcome::SourceNotRegular ? u"Not a regular file." : OutcomeText(outcome);
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

std::u16string CountLine(std::uint64_t count)
{
    return platform::Decimal(count) + u" Files Checked...";
}
