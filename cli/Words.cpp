#include "Words.h"

#include <OutcomeText.h>
#include <PrintableName.h>
#include <TextConversion.h>

// The program's words, but for a source that is no regular file, which only the command line
// can tell apart.
std::u16string CliOutcomeText(RunOutcome outcome)
{
    return outcome == RunOutcome::SourceNotRegular ? u"Not a regular file." : OutcomeText(outcome);
}

std::u16string CountLine(std::uint64_t count)
{
    return platform::Decimal(count) + u" Files Checked...";
}

namespace
{
constexpr char16_t kStoredAs[] = u"File stored as: ";

std::u16string Fate(ProgramList list, CleanedFile cleaned)
{
    switch (list)
    {
    case ProgramList::Bad:
        return cleaned == CleanedFile::NotWritten ? u"(would be deleted)" : u"(deleted)";
    case ProgramList::Duplicate:
        return u"(left out)";
    case ProgramList::Good:
    case ProgramList::Recovered:
        break;
    }
    if (cleaned == CleanedFile::NotWritten)
        return u"(would be kept)";
    return cleaned == CleanedFile::Kept ? u"(kept)" : u"(not kept)";
}

bool IsCountLine(std::u16string_view text)
{
    const std::size_t digits = text.find_first_not_of(u"0123456789");
    if (digits == 0 || digits == std::u16string_view::npos)
        return false;
    const std::u16string_view rest = text.substr(digits);
    return rest == u" Files Checked..." || rest == u" Files Checked...Done!";
}
}

std::u16string Heading(ProgramList list, CleanedFile cleaned)
{
    constexpr const char16_t* kKinds[] = {u"Good", u"Recovered", u"Bad", u"Duplicate"};
    return kKinds[static_cast<int>(list)] + std::u16string(u" Programs ") + Fate(list, cleaned);
}

std::u16string StoredAsLine(const std::u16string& name)
{
    return kStoredAs + name;
}

bool IsLayoutLine(std::u16string_view text)
{
    for (const ProgramList list : {ProgramList::Good, ProgramList::Recovered, ProgramList::Bad, ProgramList::Duplicate})
    {
        for (const CleanedFile cleaned : {CleanedFile::Kept, CleanedFile::NotKept, CleanedFile::NotWritten})
        {
            if (text == Heading(list, cleaned))
                return true;
        }
    }
    return text.starts_with(kStoredAs) || IsCountLine(text);
}

std::u16string ShownName(const std::u16string& name)
{
    return IsLayoutLine(name) ? QuotedName(name) : PrintableName(name);
}
