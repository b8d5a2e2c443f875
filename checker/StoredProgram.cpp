#include "StoredProgram.h"

#include <bit>
#include <cstring>
#include <string_view>

static_assert(std::endian::native == std::endian::little, "records are converted for a little-endian host");

namespace StoredProgram
{
RecordClass ClassifyState(std::uint32_t state)
{
    if (state == kStateEndMark)
        return RecordClass::EndMark;
    if (state == kStateEmpty)
        return RecordClass::Empty;
    if (state >= 1 && state <= 4)
        return RecordClass::StoredProgram;
    return RecordClass::UnrecognisedState;
}

std::uint64_t RecordSize(std::uint32_t bodyLength1, std::uint32_t bodyLength2)
{
    const std::uint64_t body = std::uint64_t{bodyLength1} + bodyLength2;
    return kHeaderSize + body + (body % 2);
}

std::uint32_t ReadField32(const std::uint8_t* record, std::size_t offset, const CByteOrder& byteOrder)
{
    std::uint32_t raw = 0;
    std::memcpy(&raw, record + offset, sizeof raw);
    return byteOrder.Swap32(raw);
}

std::u16string ProgramName(const std::uint8_t* record, const CByteOrder& byteOrder)
{
    std::uint16_t units[kNameUnits];
    std::memcpy(units, record + kNameOffset, sizeof units);
    byteOrder.Swap16Array(units, units, kNameUnits);
    std::u16string name;
    for (const std::uint16_t unit : units)
    {
        if (unit == 0)
            break;
        name.push_back(static_cast<char16_t>(unit));
    }
    return name;
}

std::u16string CleanedNameFor(const std::u16string& fileName)
{
    std::u16string cleaned = fileName;
    const auto dot = cleaned.find_last_of(u'.');
    cleaned.insert(dot == std::u16string::npos ? cleaned.size() : dot, kCleanedMark);
    return cleaned;
}

bool IsCleanedName(const std::u16string& fileName)
{
    const auto dot = fileName.find_last_of(u'.');
    const std::u16string_view stem = std::u16string_view(fileName).substr(0, dot);
    return stem.ends_with(kCleanedMark);
}
}
