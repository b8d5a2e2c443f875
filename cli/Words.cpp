#include "Words.h"

#include <OutcomeText.h>

// The program's words, but for a source that is no regular file, which only the command line
// can tell apart.
std::u16string CliOutcomeText(RunOutcome outcome)
{
    return outcome == RunOutcome::SourceNotRegular ? u"Not a regular file." : OutcomeText(outcome);
}

std::u16string Decimal(std::uint64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string CountLine(std::uint64_t count)
{
    return Decimal(count) + u" Files Checked...";
}
