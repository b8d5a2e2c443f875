#include "TextReport.h"
#include "Words.h"

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
CleanedFile CleanedFileOf(const FinishedRun& report)
{
    if (!report.options.writeCleaned)
        return CleanedFile::NotWritten;
    return report.results.cleanedPath.empty() ? CleanedFile::NotKept : CleanedFile::Kept;
}

std::u16string NameBlock(ProgramList list, const FinishedRun& report, Verdict first, Verdict second)
{
    std::u16string block = Line(Heading(list, CleanedFileOf(report)));
    for (const ExaminedRecord& record : report.records)
    {
        if (record.verdict == first || record.verdict == second)
            block += Line(ShownName(record.name));
    }
    return block;
}

// The lists that only a salvage fills are left out while they are empty.
std::u16string SalvageBlock(ProgramList list, const FinishedRun& report, Verdict verdict)
{
    const bool any = std::any_of(report.records.begin(), report.records.end(),
                                 [verdict](const ExaminedRecord& record) { return record.verdict == verdict; });
    return any ? NameBlock(list, report, verdict, verdict) : std::u16string();
}

std::u16string CountLineOf(const FinishedRun& report)
{
    return Line(CountLine(report.count) + (IsFailure(report.outcome) ? u"" : u"Done!"));
}

// A run that failed after its walk ("Memory size exceeded.", "Unknown Program State") still
// keeps a cleaned file, and says where.
std::u16string StoredLine(const FinishedRun& report)
{
    return report.results.cleanedPath.empty() ? std::u16string() : Line(StoredAsLine(ShownName(report.storedAs)));
}
}

std::u16string TextReport(const FinishedRun& report, bool withHeading)
{
    std::u16string text = withHeading ? Line(ShownName(report.path)) : std::u16string();
    text += CountLineOf(report) + StoredLine(report);
    text += NameBlock(ProgramList::Good, report, Verdict::Good, Verdict::Good);
    text += SalvageBlock(ProgramList::Recovered, report, Verdict::Recovered);
    text += NameBlock(ProgramList::Bad, report, Verdict::Bad, Verdict::UnknownState);
    text += SalvageBlock(ProgramList::Duplicate, report, Verdict::Duplicate);
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
                ShownName(record.name));
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

std::u16string RecordTable(const FinishedRun& report)
{
    // A blank line sets the table apart from the lists above it.
    std::u16string table = Line(u"") + Line(Row("offset", "size", "state", "verdict", "stored", "computed", "past-end") + u"name");
    ForEachInFileOrder(
        report.records, report.results.skipped, [&table](const ExaminedRecord& record) { table += RecordRow(record); },
        [&table](const SkippedRange& range) { table += SkippedRow(range); });
    return table;
}
