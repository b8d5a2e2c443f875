#include "HtmlReport.h"

#include "HtmlText.h"
#include "MapSvg.h"
#include "OutcomeText.h"
#include "PrintableName.h"

#include <JobsiftVersion.h>
#include <Paths.h>

#include <algorithm>
#include <cstdio>

namespace
{
constexpr char16_t kStyle[] =
    u"body{font-family:Arial,Helvetica,sans-serif;font-size:10pt;color:#000;background:#fff;margin:1.5em}\n"
    u"h1{font-size:15pt;margin:0 0 .5em}h2{font-size:12pt;margin:1.2em 0 .4em}\n"
    u"table{border-collapse:collapse}th,td{border:1px solid #888;padding:1px 5px;text-align:left;vertical-align:top}\n"
    u"table.facts th{font-weight:normal;background:#eee;width:13em}\n"
    u"#records{font-family:Consolas,'Courier New',monospace;font-size:9pt}#records td.n{text-align:right}\n"
    u"#records thead{display:table-header-group}#records tr{page-break-inside:avoid}\n"
    u"#map rect{stroke:#999;stroke-width:1}#legend svg rect{stroke:#999;stroke-width:1}\n"
    u"rect.good{fill:#2e8b3d}rect.recovered{fill:#63b3ed}rect.duplicate{fill:#b794f4}rect.bad{fill:#d62728}\n"
    u"rect.unknown-state{fill:#ff8c1a}rect.empty{fill:#d9d9d9}rect.free{fill:#fff}rect.skipped{fill:#f6d743}\n"
    u"rect.unexamined{fill:#7a7a7a}rect.absent{fill:#fff;stroke-dasharray:2,2}\n"
    u"#map rect.damaged,#legend rect.damaged{stroke:#000;stroke-width:3}\n"
    u"#legend{list-style:none;padding:0;margin:.5em 0;font-size:9pt}#legend li{margin:0 0 2px}\n"
    u"#legend svg{vertical-align:middle}\n"
    u"@page{margin:12mm}@media print{body{margin:0}h2{page-break-after:avoid}#map{page-break-inside:avoid}}\n";

using Text = std::u16string;

Text Shown(const Text& text)
{
    return HtmlEscaped(PrintableName(text));
}

Text Element(const char16_t* tag, const Text& content)
{
    const Text name = tag;
    return u"<" + name + u">" + content + u"</" + name + u">\n";
}

Text Fact(const Text& what, const Text& value)
{
    return u"<tr><th>" + what + u"</th><td>" + value + u"</td></tr>\n";
}

Text Facts(const Text& facts)
{
    return u"<table class=\"facts\">\n" + facts + u"</table>\n";
}

Text Hex8(std::uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return HtmlAscii(text);
}

Text Mode(const CheckOptions& options)
{
    if (!options.salvage)
        return u"plain";
    return options.pastEnd ? u"salvage past the end mark" : u"salvage";
}

Text Bytes(std::uint64_t count)
{
    return HtmlNumber(count) + (count == 1 ? u" byte" : u" bytes");
}

Text WhatWasChecked(const FinishedRun& run)
{
    const CheckResults& results = run.results;
    const Text crc = results.sourceCrc ? Hex8(*results.sourceCrc) : Text(u"unknown: the file was not read whole");
    return Element(u"h2", u"What was checked") +
           Facts(Fact(u"File", Shown(results.sourcePath.empty() ? run.path : results.sourcePath)) +
                 Fact(u"Size", Bytes(results.sourceSize)) + Fact(u"CRC-32 of the whole file", crc) +
                 Fact(u"Checked", HtmlEscaped(results.checkedAt)) +
                 Fact(u"Checked by", u"JOBSIFT " JOBSIFT_VERSION_U16) + Fact(u"Mode", Mode(run.options)));
}

std::size_t CountOf(const FinishedRun& run, Verdict first, Verdict second)
{
    return static_cast<std::size_t>(std::count_if(run.records.begin(), run.records.end(), [&](const ExaminedRecord& record) {
        return record.verdict == first || record.verdict == second;
    }));
}

Text RunText(RunOutcome outcome)
{
    const Text error = outcome == RunOutcome::SourceNotRegular ? u"Not a regular file." : OutcomeText(outcome);
    if (!error.empty())
        return error;
    return outcome == RunOutcome::Aborted ? u"Stopped before its end." : u"Done!";
}

Text Programs(std::uint32_t count)
{
    return HtmlNumber(count) + (count == 1 ? u" intact program" : u" intact programs");
}

Text LeftBehind(const FinishedRun& run)
{
    const LeftBehindCounts left = CountLeftBehind(run.results.leftBehind);
    return Fact(u"Left behind damage", Programs(left.behindDamage) + u"; a salvage takes them") +
           Fact(u"Left behind the end mark", Programs(left.behindEndMark) + u"; a salvage past the end mark takes them");
}

Text Cleaned(const FinishedRun& run)
{
    if (!run.results.cleanedPath.empty())
        return Shown(run.results.cleanedPath) + u" (" + Bytes(run.results.cleanedSize) + u")";
    return run.options.writeCleaned ? u"none kept" : u"none: the check wrote no file";
}

Text Outcome(const FinishedRun& run)
{
    return Element(u"h2", u"Outcome") +
           Facts(Fact(u"Result", HtmlEscaped(RunText(run.outcome))) + Fact(u"Examined", HtmlNumber(run.count)) +
                 Fact(u"Good", HtmlNumber(CountOf(run, Verdict::Good, Verdict::Good))) +
                 Fact(u"Recovered", HtmlNumber(CountOf(run, Verdict::Recovered, Verdict::Recovered))) +
                 Fact(u"Bad", HtmlNumber(CountOf(run, Verdict::Bad, Verdict::UnknownState))) +
                 Fact(u"Duplicate", HtmlNumber(CountOf(run, Verdict::Duplicate, Verdict::Duplicate))) +
                 LeftBehind(run) + Fact(u"Cleaned file", Cleaned(run)));
}

Text Map(const FinishedRun& run)
{
    return Element(u"h2", u"Memory map") +
           Element(u"p", u"The memory of 786,432 bytes, 1,024 bytes a square, 32 squares a row, from offset 0 at the "
                         u"top left. A square shows what most of its bytes hold; point at it for its records.") +
           MapSvg(run) + MapLegend();
}

Text Cell(const Text& content, bool number = false)
{
    return (number ? u"<td class=\"n\">" : u"<td>") + content + u"</td>";
}

Text RecordRow(const ExaminedRecord& record)
{
    const Text verdict = HtmlAscii(VerdictName(record.verdict));
    return u"<tr class=\"" + verdict + u"\">" + Cell(HtmlNumber(record.offset), true) +
           Cell(HtmlNumber(record.size), true) + Cell(u"0x" + Hex8(record.state)) + Cell(verdict) +
           Cell(Hex8(record.crcStored)) + Cell(record.crcComputed ? Hex8(*record.crcComputed) : u"-") +
           Cell(record.pastEnd ? u"past-end" : u"-") + Cell(Shown(record.name)) + u"</tr>\n";
}

Text SkippedRow(const SkippedRange& range)
{
    return u"<tr class=\"skipped\">" + Cell(HtmlNumber(range.offset), true) + Cell(HtmlNumber(range.length), true) +
           Cell(u"-") + Cell(u"skipped") + Cell(u"-") + Cell(u"-") + Cell(u"-") + Cell(u"") + u"</tr>\n";
}

Text RecordRows(const FinishedRun& run)
{
    Text rows;
    ForEachInFileOrder(
        run.records, run.results.skipped, [&rows](const ExaminedRecord& record) { rows += RecordRow(record); },
        [&rows](const SkippedRange& range) { rows += SkippedRow(range); });
    return rows;
}

Text Records(const FinishedRun& run)
{
    return Element(u"h2", u"Records") +
           u"<table id=\"records\">\n<thead><tr><th>offset</th><th>size</th><th>state</th><th>verdict</th>"
           u"<th>stored</th><th>computed</th><th>past-end</th><th>name</th></tr></thead>\n<tbody>\n" +
           RecordRows(run) + u"</tbody>\n</table>\n";
}

Text FileName(const FinishedRun& run)
{
    return Shown(platform::LastComponent(run.results.sourcePath.empty() ? run.path : run.results.sourcePath));
}
}

std::u16string HtmlReportPage(const FinishedRun& run)
{
    return u"<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           u"<meta http-equiv=\"X-UA-Compatible\" content=\"IE=edge\">\n<title>JOBSIFT report: " +
           FileName(run) + u"</title>\n<style>\n" + kStyle + u"</style>\n</head>\n<body>\n" +
           Element(u"h1", u"JOBSIFT report: " + FileName(run)) + WhatWasChecked(run) + Outcome(run) + Map(run) +
           Records(run) + u"</body>\n</html>\n";
}
