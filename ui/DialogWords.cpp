#include "DialogWords.h"

#include <TextConversion.h>

namespace words
{
using platform::Decimal;

std::u16string CountLine(std::uint16_t count, bool done)
{
    return Decimal(count) + u" Files Checked..." + (done ? u"Done!" : u"");
}

std::u16string StoredAs(const std::u16string& cleanedName)
{
    return u"File stored as: " + cleanedName;
}

std::u16string ActiveProgramNotSaved(const std::u16string& name)
{
    return u"Failed to save active program " + name;
}

std::u16string HeldBehindDamage(const std::u16string& fileName, std::uint32_t count)
{
    if (count == 1)
        return fileName + u" holds 1 intact program behind damage.";
    return fileName + u" holds " + Decimal(count) + u" intact programs behind damage.";
}

std::u16string HeldBehindEndMark(const std::u16string& fileName, std::uint32_t count)
{
    if (count == 1)
        return fileName + u" holds 1 intact program behind the end mark; it may be an older copy.";
    return fileName + u" holds " + Decimal(count) + u" intact programs behind the end mark; they may be older copies.";
}

std::u16string TakeBehindDamage(std::uint32_t count)
{
    if (count == 1)
        return u"Take back the program behind the damage";
    return u"Take back the " + Decimal(count) + u" programs behind the damage";
}

std::u16string TakeBehindDamageNote(const std::u16string& cleanedName)
{
    return u"They are checked again and added to " + cleanedName + u" in file order.";
}

std::u16string TakeBehindEndMark(std::uint32_t count)
{
    if (count == 1)
        return u"Take back the program behind the end mark";
    return u"Take back the " + Decimal(count) + u" programs behind the end mark";
}

std::u16string TakeAll(std::uint32_t total)
{
    return u"Take back all " + Decimal(total) + u", also those behind the end mark";
}

std::u16string LeftBehindLine(std::uint64_t offset, const std::u16string& printableName, bool pastEnd)
{
    return Decimal(offset) + u": " + printableName + (pastEnd ? u" (behind the end mark)" : u"");
}
}
