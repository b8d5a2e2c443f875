#include "FileReport.h"

#include <algorithm>

ExitStatus StatusOf(const FileReport& report)
{
    if (IsFailure(report.outcome) || report.failedSaves != 0)
        return kExitFailed;
    const bool damaged = std::any_of(report.records.begin(), report.records.end(), [](const ExaminedRecord& record) {
        return record.verdict != Verdict::Good && record.verdict != Verdict::Empty;
    });
    return damaged ? kExitDamaged : kExitClean;
}
