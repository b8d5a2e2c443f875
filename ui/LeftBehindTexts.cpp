#include "LeftBehindTexts.h"

#include "DialogWords.h"

#include <PrintableName.h>

namespace
{
// The question shows its texts where a link can be written as markup; a word joiner after every
// "<" keeps a program's name from reading as one, and shows nothing.
std::u16string WithoutLinkMarkup(const std::u16string& text)
{
    std::u16string plain;
    for (const char16_t unit : text)
    {
        plain += unit;
        if (unit == u'<')
            plain += u'\u2060';
    }
    return plain;
}

std::u16string Content(const std::u16string& fileName, const LeftBehindCounts& counts)
{
    std::u16string content;
    if (counts.behindDamage != 0)
        content = words::HeldBehindDamage(fileName, counts.behindDamage);
    if (counts.behindEndMark == 0)
        return content;
    if (!content.empty())
        content += u"\n";
    return content + words::HeldBehindEndMark(fileName, counts.behindEndMark);
}

std::u16string BehindDamageLink(const std::u16string& cleanedName, const LeftBehindCounts& counts)
{
    if (counts.behindDamage == 0)
        return {};
    return words::TakeBehindDamage(counts.behindDamage) + u"\n" + words::TakeBehindDamageNote(cleanedName);
}

// With programs behind damage too, the link takes them all.
std::u16string AllLink(const LeftBehindCounts& counts)
{
    if (counts.behindEndMark == 0)
        return {};
    const std::u16string text = counts.behindDamage != 0 ? words::TakeAll(counts.Total())
                                                         : words::TakeBehindEndMark(counts.behindEndMark);
    return text + u"\n" + words::kTakeBehindEndMarkNote;
}

std::u16string ProgramLines(const std::vector<LeftBehindProgram>& programs)
{
    std::u16string lines;
    for (const LeftBehindProgram& program : programs)
    {
        if (!lines.empty())
            lines += u"\n";
        lines += words::LeftBehindLine(program.offset, PrintableName(program.name), program.pastEnd);
    }
    return lines;
}
}

LeftBehindTexts MakeLeftBehindTexts(const std::u16string& fileName, const std::u16string& cleanedName,
                                    const std::vector<LeftBehindProgram>& programs)
{
    const LeftBehindCounts counts = CountLeftBehind(programs);
    return {WithoutLinkMarkup(Content(fileName, counts)), BehindDamageLink(cleanedName, counts), AllLink(counts),
            WithoutLinkMarkup(ProgramLines(programs))};
}
