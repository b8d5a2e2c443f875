#pragma once

#include "ExaminedRecord.h"
#include "IntactPrograms.h"
#include "ProgramImage.h"

#include <cstdint>
#include <set>
#include <string>
#include <unordered_set>

enum class WalkEnd
{
    Completed,      // the end mark or the end of the file; a salvage walk has nothing left to take
    RecordLimit,    // 100 records examined
    BeyondMemory,   // a record would start at 786,432 or beyond
    MemoryExceeded, // a stored program would end beyond 786,432
    Aborted,
};

class IWalkVisitor
{
public:
    virtual ~IWalkVisitor() = default;
    // Asked before each record.
    virtual bool ShouldAbort() { return false; }
    // Each examined record (empty, stored program, unrecognised state), in file order.
    virtual void OnRecord(const ExaminedRecord& record) = 0;
    // A stretch that a salvage search passed over.
    virtual void OnSkipped(const SkippedRange& /*range*/) {}
};

// The record at `offset` (inside the memory) as a plain reading finds it: a stored program that
// ends within the memory is good or bad by its checksum, one that ends beyond it is bad.
ExaminedRecord Examine(const CProgramImage& image, CIntactPrograms& programs, std::uint64_t offset);

// The plain walk: record by record from the start of the file, trusting every length it reads,
// until the end mark, the end of the file, 100 records or one of the memory limits.
class CRecordWalk
{
public:
    CRecordWalk(const CProgramImage& image, CIntactPrograms& programs);

    WalkEnd Run(IWalkVisitor& visitor);

private:
    const CProgramImage& m_image;
    CIntactPrograms& m_programs;
};

// What a walk keeps: where its programs lie and their names.
struct KeptPrograms
{
    std::unordered_set<std::uint64_t> offsets;
    std::set<std::u16string> names;
};

class CKeptPrograms : public IWalkVisitor
{
public:
    void OnRecord(const ExaminedRecord& record) override;
    const KeptPrograms& Kept() const { return m_kept; }

private:
    KeptPrograms m_kept;
};

// What the plain walk keeps.
KeptPrograms PlainKept(const CProgramImage& image, CIntactPrograms& programs);
