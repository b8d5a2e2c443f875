#include "ExitStatus.h"

#include <algorithm>

ExitStatus StatusOf(const FinishedRun& report)
{
    if (IsFailure(report.outcome) || report.failedSaves != 0)
        return kExitFailed;
    const bool damaged = std::any_of(report.records.begin(), report.records.end(), [](const ExaminedRecord& record) {
        return record.verdict != Verdict::Good && record.verdict != Verdict::Empty;
    });
    // Intact programs behind damage are damage too; behind the end mark they may be older copies.
    const bool leftBehindDamage = CountLeftBehind(report.results.leftBehind).behindDamage != 0;
    return damaged || leftBehindDamage ? kExitDamaged : kExitClean;
}
