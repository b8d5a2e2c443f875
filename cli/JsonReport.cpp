#include "JsonReport.h"
#include "Words.h"

#include <Console.h>
#include <TextConversion.h>

#include <nlohmann/json.hpp>

// Keys keep the order they are written in, for people who read the lines too.
using json = nlohmann::ordered_json;

namespace
{
json Text(const std::u16string& text)
{
    return platform::ToUtf8(text);
}

json TextOrNull(const std::u16string& text)
{
    return text.empty() ? json(nullptr) : Text(text);
}

json Names(const FinishedRun& report, Verdict first, Verdict second)
{
    json names = json::array();
    for (const ExaminedRecord& record : report.records)
    {
        if (record.verdict == first || record.verdict == second)
            names.push_back(Text(record.name));
    }
    return names;
}

json Record(const ExaminedRecord& record)
{
    return {
        {"offset", record.offset},
        {"size", record.size},
        {"state", record.state},
        {"verdict", VerdictName(record.verdict)},
        {"name", Text(record.name)},
        {"crc_stored", record.crcStored},
        {"crc_computed", record.crcComputed ? json(*record.crcComputed) : json(nullptr)},
        {"past_end", record.pastEnd},
    };
}
}

std::u16string JsonReport(const FinishedRun& report)
{
    json records = json::array();
    for (const ExaminedRecord& record : report.records)
        records.push_back(Record(record));
    json skipped = json::array();
    for (const SkippedRange& range : report.results.skipped)
        skipped.push_back({{"offset", range.offset}, {"length", range.length}});
    const LeftBehindCounts left = CountLeftBehind(report.results.leftBehind);
    const json line = {
        {"path", Text(report.path)},
        {"cleaned", TextOrNull(report.results.cleanedPath)},
        {"error", TextOrNull(CliOutcomeText(report.outcome))},
        {"examined", report.count},
        {"good", Names(report, Verdict::Good, Verdict::Good)},
        {"bad", Names(report, Verdict::Bad, Verdict::UnknownState)},
        {"recovered", Names(report, Verdict::Recovered, Verdict::Recovered)},
        {"duplicates", Names(report, Verdict::Duplicate, Verdict::Duplicate)},
        {"left_behind", left.Total()},
        {"left_behind_past_end", left.behindEndMark},
        {"records", records},
        {"skipped", skipped},
    };
    const std::string text = line.dump(-1, ' ', false, json::error_handler_t::replace);
    return platform::FromUtf8(text) + platform::kNewLine;
}
