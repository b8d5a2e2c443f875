#include "LeftBehindTexts.h"

#include <PrintableName.h>
#include <TextConversion.h>

namespace
{
using platform::Decimal;

std::u16string Content(const std::u16string& fileName, const LeftBehindCounts& counts)
{
    std::u16string content;
    if (counts.behindDamage == 1)
        content = fileName + u" holds 1 intact program behind damage.";
    else if (counts.behindDamage != 0)
        content = fileName + u" holds " + Decimal(counts.behindDamage) + u" intact programs behind damage.";
    if (counts.behindEndMark == 0)
        return content;
    if (!content.empty())
        content += u"\n";
    if (counts.behindEndMark == 1)
        return content + fileName + u" holds 1 intact program behind the end mark; it may be an older copy.";
    return content + fileName + u" holds " + Decimal(counts.behindEndMark) +
           u" intact programs behind the end mark; they may be older copies.";
}

std::u16string BehindDamageLink(const std::u16string& cleanedName, const LeftBehindCounts& counts)
{
    if (counts.behindDamage == 0)
        return {};
    const std::u16string text = counts.behindDamage == 1
                                    ? u"Take back the program behind the damage"
                                    : u"Take back the " + Decimal(counts.behindDamage) + u" programs behind the damage";
    return text + u"\nThey are checked again and added to " + cleanedName + u" in file order.";
}

std::u16string AllLink(const LeftBehindCounts& counts)
{
    if (counts.behindEndMark == 0)
        return {};
    std::u16string text;
    if (counts.behindDamage != 0)
        text = u"Take back all " + Decimal(counts.Total()) + u", also those behind the end mark";
    else if (counts.behindEndMark == 1)
        text = u"Take back the program behind the end mark";
    else
        text = u"Take back the " + Decimal(counts.behindEndMark) + u" programs behind the end mark";
    return text + u"\nPrograms behind the end mark may be older copies or programs deleted on the controller.";
}

std::u16string ProgramLines(const std::vector<LeftBehindProgram>& programs)
{
    std::u16string lines;
    for (const LeftBehindProgram& program : programs)
    {
        if (!lines.empty())
            lines += u"\n";
        lines += Decimal(program.offset) + u": " + PrintableName(program.name);
        if (program.pastEnd)
            lines += u" (behind the end mark)";
    }
    return lines;
}
}

LeftBehindTexts MakeLeftBehindTexts(const std::u16string& fileName, const std::u16string& cleanedName,
                                    const std::vector<LeftBehindProgram>& programs)
{
    const LeftBehindCounts counts = CountLeftBehind(programs);
    return {Content(fileName, counts), BehindDamageLink(cleanedName, counts), AllLink(counts), ProgramLines(programs)};
}
