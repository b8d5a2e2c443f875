#include "TextReport.h"
#include "Words.h"
#include "PrintableName.h"

#include <Console.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace
{
std::u16string Ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

std::u16string Line(const std::u16string& text)
{
    return text + platform::kNewLine;
}

// What the report may say of the programs it keeps: a failed run that kept no cleaned file, and
// a run that writes nothing, must not call anything kept.
const char16_t* KeptWord(const FileReport& report)
{
    if (!report.options.writeCleaned)
        return u"(would be kept)";
    return report.results.cleanedPath.empty() ? u"(not kept)" : u"(kept)";
}

std::u16string NameBlock(const std::u16string& heading, const FileReport& report, Verdict first, Verdict second)
{
    std::u16string block = Line(heading);
    for (const ExaminedRecord& record : report.records)
    {
        if (record.verdict == first || record.verdict == second)
            block += Line(PrintableName(record.name));
    }
    return block;
}

std::u16string CountLineOf(const FileReport& report)
{
    return Line(CountLine(report.count) + (IsFailure(report.outcome) ? u"" : u"Done!"));
}

std::u16string StoredLine(const FileReport& report)
{
    if (IsFailure(report.outcome) || report.results.cleanedPath.empty())
        return {};
    return Line(u"File stored as: " + report.storedAs);
}
}

std::u16string TextReport(const FileReport& report, bool withHeading)
{
    const std::u16string kept = KeptWord(report);
    const bool salvage = report.options.salvage;
    std::u16string text = withHeading ? Line(PrintableName(report.path)) : std::u16string();
    text += CountLineOf(report) + StoredLine(report);
    text += NameBlock(u"Good Programs " + kept, report, Verdict::Good, Verdict::Good);
    if (salvage)
        text += NameBlock(u"Recovered Programs " + kept, report, Verdict::Recovered, Verdict::Recovered);
    const std::u16string deleted = report.options.writeCleaned ? u"(deleted)" : u"(would be deleted)";
    text += NameBlock(u"Bad Programs " + deleted, report, Verdict::Bad, Verdict::UnknownState);
    if (salvage)
        text += NameBlock(u"Duplicate Programs (left out)", report, Verdict::Duplicate, Verdict::Duplicate);
    return text;
}

namespace
{
std::string Hex8(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

// The columns line up for people; each row stands on its own for grep.
std::u16string Row(const std::string& offset, const std::string& size, const std::string& state, const char* verdict,
                   const std::string& stored, const std::string& computed, const char* pastEnd)
{
    char text[160];
    std::snprintf(text, sizeof text, "%8s %10s  %-10s  %-13s  %-8s  %-8s  %-8s  ", offset.c_str(), size.c_str(),
                  state.c_str(), verdict, stored.c_str(), computed.c_str(), pastEnd);
    return Ascii(text);
}

std::u16string RecordRow(const ExaminedRecord& record)
{
    return Line(Row(std::to_string(record.offset), std::to_string(record.size), "0x" + Hex8(record.state), VerdictName(record.verdict),
                    Hex8(record.crcStored), record.crcComputed ? Hex8(*record.crcComputed) : "-",
                    record.pastEnd ? "past-end" : "-") +
                PrintableName(record.name));
}

std::u16string Trimmed(std::u16string row)
{
    while (!row.empty() && row.back() == u' ')
        row.pop_back();
    return row;
}

std::u16string SkippedRow(const SkippedRange& range)
{
    return Line(Trimmed(Row(std::to_string(range.offset), std::to_string(range.length), "-", "skipped", "-", "-", "-")));
}
}

std::u16string RecordTable(const FileReport& report)
{
    // A blank line sets the table apart from the lists above it.
    std::u16string table = Line(u"") + Line(Row("offset", "size", "state", "verdict", "stored", "computed", "past-end") + u"name");
    // A stretch starts where the damaged record before it starts, and shows after that record.
    auto skipped = report.results.skipped.begin();
    const auto skippedEnd = report.results.skipped.end();
    for (const ExaminedRecord& record : report.records)
    {
        for (; skipped != skippedEnd && skipped->offset < record.offset; ++skipped)
            table += SkippedRow(*skipped);
        table += RecordRow(record);
    }
    for (; skipped != skippedEnd; ++skipped)
        table += SkippedRow(*skipped);
    return table;
}
