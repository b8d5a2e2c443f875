#include "Words.h"

#include <Console.h>
#include <OutcomeText.h>
#include <PrintableName.h>
#include <TextConversion.h>

#include <algorithm>
#include <initializer_list>

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
    // Every name printed is held against them: they are made once.
    static const std::vector<std::u16string> kHeadings = [] {
        std::vector<std::u16string> headings;
        for (const ProgramList list : {ProgramList::Good, ProgramList::Recovered, ProgramList::Bad, ProgramList::Duplicate})
        {
            for (const CleanedFile cleaned : {CleanedFile::Kept, CleanedFile::NotKept, CleanedFile::NotWritten})
                headings.push_back(Heading(list, cleaned));
        }
        return headings;
    }();
    return std::find(kHeadings.begin(), kHeadings.end(), text) != kHeadings.end() || text.starts_with(kStoredAs) ||
           IsCountLine(text);
}

// An empty name would print as an empty line, which reads as a break in the layout.
std::u16string ShownName(const std::u16string& name)
{
    return name.empty() || IsLayoutLine(name) ? QuotedName(name) : PrintableName(name);
}

namespace
{
std::u16string Lines(std::initializer_list<const char16_t*> lines)
{
    std::u16string text;
    for (const char16_t* line : lines)
        text += std::u16string(line) + platform::kNewLine;
    return text;
}

std::u16string Programs(std::uint32_t count, const char16_t* one, const char16_t* many)
{
    return count == 1 ? std::u16string(u"1 ") + one : platform::Decimal(count) + u" " + many;
}
}

std::u16string Usage()
{
    return Lines({
        u"usage: jobsift-cli [--save-active] [--salvage [--past-end]] [--test]",
        u"                   [--list | --json] [--report] FILE...",
        u"       jobsift-cli --help | --version",
        u"A FILE may be a folder: every .pgs file in it and below it is checked.",
        u"  --save-active  also write each good program as NAME.pga in the current folder",
        u"  --salvage      take back every intact program, also behind damage",
        u"  --past-end     with --salvage: also intact programs behind the end mark",
        u"  --test         check only; write no file but the --report",
        u"  --list         list every examined record: offset, size, state, verdict, checksums",
        u"  --json         one JSON object per file (JSON Lines) instead of the text",
        u"  --report       write NAME__.html beside each file: the check, with a map of the memory",
        u"Exit status: 0 no damage, 1 damage found, 2 a check failed, 7 wrong words.",
    });
}

std::u16string Summary(unsigned clean, unsigned damaged, unsigned failed)
{
    return platform::Decimal(clean + damaged + failed) + u" files checked: " + platform::Decimal(clean) +
           u" without damage, " + platform::Decimal(damaged) + u" with damage, " + platform::Decimal(failed) + u" failed";
}

std::vector<std::u16string> LeftBehindLines(const LeftBehindCounts& left)
{
    std::vector<std::u16string> lines;
    if (left.behindDamage != 0)
        lines.push_back(Programs(left.behindDamage, u"intact program lies behind damage; --salvage takes it",
                                 u"intact programs lie behind damage; --salvage takes them"));
    if (left.behindEndMark != 0)
        lines.push_back(Programs(left.behindEndMark,
                                 u"intact program lies behind the end mark (it may be an older copy); "
                                 u"--salvage --past-end takes it",
                                 u"intact programs lie behind the end mark (they may be older copies); "
                                 u"--salvage --past-end takes them"));
    return lines;
}

std::u16string ErrorLine(const std::u16string& error, const std::u16string& reason)
{
    return u"Error: " + error + (reason.empty() ? u"" : u" (" + reason + u")");
}

std::u16string ImproperPath()
{
    return u"Improper file name or file path.";
}

std::u16string ActiveProgramReplaced(const std::u16string& name)
{
    return u"Active program " + ShownName(name) + u" replaced an earlier one of the same name";
}

std::u16string ActiveProgramNotSaved(const std::u16string& name)
{
    return u"Failed to save active program " + ShownName(name);
}

std::u16string ReportNotWritten(const std::u16string& path)
{
    return ShownName(path) + u": the report could not be written";
}
