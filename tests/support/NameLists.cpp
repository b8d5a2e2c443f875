#include "NameLists.h"

namespace
{
template <typename Predicate>
std::u16string NamesOf(const std::vector<ExaminedRecord>& records, Predicate listed)
{
    std::u16string names;
    for (const ExaminedRecord& record : records)
    {
        if (listed(record.verdict))
            names += record.name + u"\r\n";
    }
    return names;
}
}

std::u16string KeptNames(const std::vector<ExaminedRecord>& records)
{
    return NamesOf(records, IsKept);
}

std::u16string BadNames(const std::vector<ExaminedRecord>& records)
{
    return NamesOf(records, [](Verdict verdict) { return verdict == Verdict::Bad || verdict == Verdict::UnknownState; });
}
