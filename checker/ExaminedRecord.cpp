#include "ExaminedRecord.h"

bool IsKept(Verdict verdict)
{
    return verdict == Verdict::Good || verdict == Verdict::Recovered;
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
