#include "ResultLists.h"

#include "DialogWords.h"

#include <PrintableName.h>

#include <optional>
#include <string_view>

namespace
{
// What an entry adds after the name; nothing for a record that the list leaves out.
using Tagging = std::optional<std::u16string_view> (*)(Verdict verdict);

std::optional<std::u16string_view> GoodTag(Verdict verdict)
{
    if (verdict == Verdict::Good)
        return u"";
    if (verdict == Verdict::Recovered)
        return words::kRecoveredTag;
    return std::nullopt;
}

std::optional<std::u16string_view> BadTag(Verdict verdict)
{
    if (verdict == Verdict::Bad || verdict == Verdict::UnknownState)
        return u"";
    if (verdict == Verdict::Duplicate)
        return words::kDuplicateTag;
    return std::nullopt;
}

std::u16string List(const std::vector<ExaminedRecord>& records, Tagging tag)
{
    std::u16string list;
    for (const ExaminedRecord& record : records)
    {
        if (const std::optional<std::u16string_view> added = tag(record.verdict))
            list += PrintableName(record.name) + std::u16string(*added) + u"\r\n";
    }
    return list;
}
}

std::u16string GoodList(const std::vector<ExaminedRecord>& records)
{
    return List(records, GoodTag);
}

std::u16string BadList(const std::vector<ExaminedRecord>& records)
{
    return List(records, BadTag);
}
