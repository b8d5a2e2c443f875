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
