#pragma once

#include "ByteOrder.h"
#include "Crc32.h"
#include "StoredProgram.h"

#include <File.h>

#include <cstdint>
#include <string>

// One record as the walk found it. `bytes` points at the record in the walk's buffer:
// the whole record for a stored program, the header alone for the other classes.
struct RecordInfo
{
    std::uint64_t start = 0;
    std::uint64_t size = 0;
    std::uint32_t state = 0;
    StoredProgram::RecordClass recordClass = StoredProgram::RecordClass::EndMark;
    bool good = false; // stored programs only: the checksum verified
    std::u16string name; // not read for empty records
    const std::uint8_t* bytes = nullptr;
};

enum class WalkEnd
{
    EndMark,        // the end mark, or the end of the file
    RecordLimit,    // 100 records examined
    BeyondMemory,   // a record would start at 786,432 or beyond
    MemoryExceeded, // a stored program would end beyond 786,432
    Aborted,
    ReadFailed,     // the source could not be positioned or read
    VisitorFailed,
};

class IRecordVisitor
{
public:
    virtual ~IRecordVisitor() = default;
    // Asked before each record.
    virtual bool ShouldAbort() = 0;
    // Each examined record (empty, stored program, unrecognised state), in file order.
    // False ends the walk.
    virtual bool OnRecord(const RecordInfo& record) = 0;
};

// Walks a stored-program file from its current position, record by record, reading each
// into the start of a buffer of the memory's size. The visitor decides what becomes of them.
class CRecordWalk
{
public:
    CRecordWalk(platform::CFile& source, std::uint8_t* buffer, const CCrc32& crc, const CByteOrder& byteOrder);

    WalkEnd Run(IRecordVisitor& visitor);

private:
    bool ReadHeader(std::uint64_t position, RecordInfo& record);
    bool ReadBodyAndVerify(RecordInfo& record);

    platform::CFile& m_source;
    std::uint8_t* m_buffer;
    const CCrc32& m_crc;
    const CByteOrder& m_byteOrder;
};
