#pragma once

#include "ExaminedRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// What a byte of the controller's memory holds after a run, in the order in which the kinds
// take precedence: the first that applies to a byte is its kind.
enum class ByteKind : std::uint8_t
{
    Absent,       // beyond the end of the file
    Good,         // held by an examined record: its verdict
    Recovered,
    Duplicate,
    Bad,
    UnknownState,
    Empty,
    Free,         // at or behind the first end mark the walk met
    Skipped,      // inside a stretch a salvage search passed over
    Unexamined,   // the walk stopped before it
};
constexpr std::size_t kByteKinds = 10;

// The word for a kind, as the report's classes and legend use it.
const char16_t* ByteKindName(ByteKind kind);

// One square of the memory map: 1,024 bytes.
struct MapCell
{
    ByteKind kind = ByteKind::Unexamined; // the kind of most of its bytes
    bool damaged = false;                 // any byte bad, of unknown state or skipped
    std::vector<std::size_t> records;     // the first records it touches, as indexes into the run's
    std::size_t recordsTouched = 0;       // all the records it touches
};

// The memory of a run as 768 cells of 1,024 bytes, cell i covering bytes 1024 i to 1024 i + 1023.
// A record holds the bytes from its offset up to its end or the next record's offset, whichever
// comes first.
class CMemoryMap
{
public:
    static constexpr std::uint32_t kCellSize = 1024;
    static constexpr std::uint32_t kCells = 768;
    static constexpr std::uint32_t kCellsPerRow = 32;
    static constexpr std::size_t kRecordsNamed = 3; // a cell names no more records than this

    CMemoryMap(const std::vector<ExaminedRecord>& records, const std::vector<SkippedRange>& skipped,
               std::uint64_t fileSize, std::optional<std::uint64_t> endMark);

    const std::vector<MapCell>& Cells() const { return m_cells; }

private:
    void Paint(std::vector<ByteKind>& bytes, const std::vector<ExaminedRecord>& records,
               const std::vector<SkippedRange>& skipped, std::optional<std::uint64_t> endMark) const;
    void Count(const std::vector<ByteKind>& bytes);
    void NameRecords(const std::vector<ExaminedRecord>& records);

    std::uint64_t m_fileSize;
    std::vector<MapCell> m_cells;
};
