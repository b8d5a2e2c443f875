#pragma once

#include "StoredProgram.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What became of an examined record.
enum class Verdict
{
    Good,         // a stored program whose checksum verifies, kept where the plain walk keeps it
    Bad,          // a stored program whose checksum fails, or that would end beyond the memory
    Empty,        // skipped whole, never listed
    UnknownState, // a state that is no class of record; listed as bad
    Recovered,    // intact, but taken only by the salvage walk
    Duplicate,    // recovered, but of the name of a program already kept: perhaps an older copy
};

// True for the verdicts whose record goes into the cleaned file.
bool IsKept(Verdict verdict);

// The word for a verdict, the same in every record table and in JSON.
const char* VerdictName(Verdict verdict);

// Every record the checker examined, as data: where it lies, what its header says and what
// became of it.
struct ExaminedRecord
{
    std::uint64_t offset = 0;
    std::uint64_t size = 0; // as the header's lengths give it; may reach far beyond the file
    std::uint32_t state = 0;
    StoredProgram::RecordClass recordClass = StoredProgram::RecordClass::Empty;
    Verdict verdict = Verdict::Empty;
    std::u16string name;
    std::uint32_t crcStored = 0;
    std::optional<std::uint32_t> crcComputed; // only for stored programs that lie within the memory
    bool pastEnd = false;                     // found behind an end mark
};

// A stretch of the file that a salvage search passed over to reach the next intact program.
struct SkippedRange
{
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// An intact program that a run did not take and a salvage walk past the end mark would: behind
// damage (plain `--salvage` takes it) or behind the end mark (`pastEnd`).
struct LeftBehindProgram
{
    std::uint64_t offset = 0;
    std::u16string name;
    bool pastEnd = false;
};

struct LeftBehindCounts
{
    std::uint32_t behindDamage = 0;
    std::uint32_t behindEndMark = 0;

    std::uint32_t Total() const { return behindDamage + behindEndMark; }
};

// Every record and skipped stretch of a run in file order, as the record tables list them: a
// stretch starts where the damaged record before it starts, and comes after that record.
void ForEachInFileOrder(const std::vector<ExaminedRecord>& records, const std::vector<SkippedRange>& skipped,
                        const std::function<void(const ExaminedRecord&)>& onRecord,
                        const std::function<void(const SkippedRange&)>& onSkipped);

LeftBehindCounts CountLeftBehind(const std::vector<LeftBehindProgram>& programs);
