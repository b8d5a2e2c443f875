#include "ExaminedRecord.h"

bool IsKept(Verdict verdict)
{
    return verdict == Verdict::Good || verdict == Verdict::Recovered;
}
