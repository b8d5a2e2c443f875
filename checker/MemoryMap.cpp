#include "MemoryMap.h"

#include "StoredProgram.h"

#include <algorithm>

using StoredProgram::kMemorySize;

namespace
{
ByteKind KindOf(Verdict verdict)
{
    switch (verdict)
    {
    case Verdict::Good:
        return ByteKind::Good;
    case Verdict::Recovered:
        return ByteKind::Recovered;
    case Verdict::Duplicate:
        return ByteKind::Duplicate;
    case Verdict::Bad:
        return ByteKind::Bad;
    case Verdict::UnknownState:
        return ByteKind::UnknownState;
    case Verdict::Empty:
        break;
    }
    return ByteKind::Empty;
}

bool IsDamage(ByteKind kind)
{
    return kind == ByteKind::Bad || kind == ByteKind::UnknownState || kind == ByteKind::Skipped;
}

std::uint64_t HeldEnd(const std::vector<ExaminedRecord>& records, std::size_t index)
{
    const std::uint64_t end = records[index].offset + records[index].size;
    return index + 1 < records.size() ? std::min(end, records[index + 1].offset) : end;
}

void Fill(std::vector<ByteKind>& bytes, std::uint64_t from, std::uint64_t to, ByteKind kind)
{
    from = std::min<std::uint64_t>(from, kMemorySize);
    to = std::min<std::uint64_t>(to, kMemorySize);
    if (from < to)
        std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(to),
                  kind);
}
}

const char16_t* ByteKindName(ByteKind kind)
{
    static constexpr const char16_t* kNames[kByteKinds] = {
        u"absent", u"good", u"recovered", u"duplicate", u"bad", u"unknown-state", u"empty", u"free", u"skipped",
        u"unexamined",
    };
    return kNames[static_cast<std::size_t>(kind)];
}

CMemoryMap::CMemoryMap(const std::vector<ExaminedRecord>& records, const std::vector<SkippedRange>& skipped,
                       std::uint64_t fileSize, std::optional<std::uint64_t> endMark)
    : m_fileSize(fileSize), m_cells(kCells)
{
    std::vector<ByteKind> bytes(kMemorySize, ByteKind::Unexamined);
    Paint(bytes, records, skipped, endMark);
    Count(bytes);
    NameRecords(records);
}

// Each kind is painted over those that yield to it, the strongest last.
void CMemoryMap::Paint(std::vector<ByteKind>& bytes, const std::vector<ExaminedRecord>& records,
                       const std::vector<SkippedRange>& skipped, std::optional<std::uint64_t> endMark) const
{
    for (const SkippedRange& range : skipped)
        Fill(bytes, range.offset, range.offset + range.length, ByteKind::Skipped);
    if (endMark)
        Fill(bytes, *endMark, kMemorySize, ByteKind::Free);
    for (std::size_t i = 0; i < records.size(); ++i)
        Fill(bytes, records[i].offset, HeldEnd(records, i), KindOf(records[i].verdict));
    Fill(bytes, m_fileSize, kMemorySize, ByteKind::Absent);
}

// A tie goes to the kind that takes precedence.
void CMemoryMap::Count(const std::vector<ByteKind>& bytes)
{
    for (std::uint32_t cell = 0; cell < kCells; ++cell)
    {
        std::array<std::uint32_t, kByteKinds> counts{};
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(cell * kCellSize);
        std::for_each(first, first + static_cast<std::ptrdiff_t>(kCellSize),
                      [&counts](ByteKind kind) { ++counts[static_cast<std::size_t>(kind)]; });
        const auto most = std::max_element(counts.begin(), counts.end());
        MapCell& mapCell = m_cells[cell];
        mapCell.kind = static_cast<ByteKind>(most - counts.begin());
        for (std::size_t kind = 0; kind < kByteKinds; ++kind)
            mapCell.damaged = mapCell.damaged || (counts[kind] != 0 && IsDamage(static_cast<ByteKind>(kind)));
    }
}

// A record touches the cells its bytes within the file lie in.
void CMemoryMap::NameRecords(const std::vector<ExaminedRecord>& records)
{
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        const std::uint64_t end = std::min({HeldEnd(records, i), m_fileSize, std::uint64_t{kMemorySize}});
        for (std::uint64_t cell = records[i].offset / kCellSize; cell * kCellSize < end; ++cell)
        {
            MapCell& mapCell = m_cells[static_cast<std::size_t>(cell)];
            if (mapCell.records.size() < kRecordsNamed)
                mapCell.records.push_back(i);
            ++mapCell.recordsTouched;
        }
    }
}
