#include "ExaminedRecord.h"

bool IsKept(Verdict verdict)
{
    return verdict == Verdict::Good || verdict == Verdict::Recovered;
}

void ForEachInFileOrder(const std::vector<ExaminedRecord>& records, const std::vector<SkippedRange>& skipped,
                        const std::function<void(const ExaminedRecord&)>& onRecord,
                        const std::function<void(const SkippedRange&)>& onSkipped)
{
    auto stretch = skipped.begin();
    for (const ExaminedRecord& record : records)
    {
        for (; stretch != skipped.end() && stretch->offset < record.offset; ++stretch)
            onSkipped(*stretch);
        onRecord(record);
    }
    for (; stretch != skipped.end(); ++stretch)
        onSkipped(*stretch);
}

LeftBehindCounts CountLeftBehind(const std::vector<LeftBehindProgram>& programs)
{
    LeftBehindCounts counts;
    for (const LeftBehindProgram& program : programs)
        ++(program.pastEnd ? counts.behindEndMark : counts.behindDamage);
    return counts;
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
