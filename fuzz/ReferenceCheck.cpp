#include "ReferenceCheck.h"

#include <array>

namespace reference
{
namespace
{
constexpr std::uint64_t kMemory = 786432;
constexpr std::uint64_t kHeader = 158;
constexpr unsigned kMostRecords = 100;
constexpr std::uint32_t kEndMark = 0xFFFFFFFF;

// Exit codes as the worker reports them.
constexpr unsigned kNormal = 0;
constexpr unsigned kTooLarge = 1;

bool IsStoredProgram(std::uint32_t state)
{
    return state >= 1 && state <= 4;
}

std::uint64_t SizeAt(const Image& image, std::uint64_t start)
{
    const std::uint64_t body = std::uint64_t{image.BigEndian32(start + 150)} + image.BigEndian32(start + 154);
    return kHeader + body + body % 2;
}

void Take(Outcome& outcome, const Image& image, std::uint64_t start, std::uint64_t size)
{
    const std::u16string name = image.Name(start);
    if (Crc32(image, start + 4, start + size) != image.BigEndian32(start))
    {
        outcome.badList += name + u"\r\n";
        return;
    }
    Bytes record = image.Slice(start, size);
    outcome.goodOffsets.insert(start);
    outcome.cleaned.insert(outcome.cleaned.end(), record.begin(), record.end());
    outcome.goodRecords.push_back(std::move(record));
    outcome.goodNames.push_back(name);
    outcome.goodList += name + u"\r\n";
}

// One step of the walk; false once the run has ended.
bool Step(Outcome& outcome, const Image& image, std::uint64_t& position)
{
    if (position >= kMemory)
    {
        outcome.error = u"Unknown Program State";
        return false;
    }
    const std::uint32_t state = image.BigEndian32(position + 126);
    if (state == kEndMark)
        return false;
    const std::uint64_t size = SizeAt(image, position);
    if (IsStoredProgram(state))
    {
        if (position + size > kMemory)
        {
            outcome.exitCode = kTooLarge;
            outcome.error = u"Memory size exceeded.";
            return false;
        }
        outcome.storedPrograms.push_back({position, size});
        Take(outcome, image, position, size);
    }
    else if (state != 0)
        outcome.badList += image.Name(position) + u"\r\n";
    position += size;
    return ++outcome.count < kMostRecords;
}
}

std::uint8_t Image::At(std::uint64_t offset) const
{
    return offset < m_bytes.size() ? m_bytes[offset] : std::uint8_t{0xFF};
}

std::uint32_t Image::BigEndian32(std::uint64_t offset) const
{
    std::uint32_t value = 0;
    for (std::uint64_t i = 0; i < 4; ++i)
        value = value << 8 | At(offset + i);
    return value;
}

Bytes Image::Slice(std::uint64_t start, std::uint64_t size) const
{
    Bytes slice;
    slice.reserve(size);
    for (std::uint64_t i = 0; i < size; ++i)
        slice.push_back(At(start + i));
    return slice;
}

std::u16string Image::Name(std::uint64_t recordStart) const
{
    std::u16string name;
    for (std::uint64_t offset = recordStart + 6; offset < recordStart + 126; offset += 2)
    {
        const auto unit = static_cast<char16_t>(At(offset) << 8 | At(offset + 1));
        if (unit == 0)
            break;
        name.push_back(unit);
    }
    return name;
}

std::uint32_t Crc32(const Image& image, std::uint64_t from, std::uint64_t to)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t i = 0; i < 256; ++i)
        {
            std::uint32_t entry = i;
            for (int bit = 0; bit < 8; ++bit)
                entry = (entry & 1) ? (entry >> 1) ^ 0xEDB88320u : entry >> 1;
            entries[i] = entry;
        }
        return entries;
    }();
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::uint64_t offset = from; offset < to; ++offset)
        crc = (crc >> 8) ^ table[(crc ^ image.At(offset)) & 0xFF];
    return ~crc;
}

Outcome Expect(const Image& image)
{
    Outcome outcome;
    outcome.exitCode = kNormal;
    for (std::uint64_t position = 0; Step(outcome, image, position);)
    {
    }
    return outcome;
}
}
