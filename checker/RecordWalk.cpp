#include "RecordWalk.h"

#include <cstring>

using StoredProgram::RecordClass;

CRecordWalk::CRecordWalk(platform::CFile& source, std::uint8_t* buffer, const CCrc32& crc,
                         const CByteOrder& byteOrder)
    : m_source(source), m_buffer(buffer), m_crc(crc), m_byteOrder(byteOrder)
{
}

WalkEnd CRecordWalk::Run(IRecordVisitor& visitor)
{
    std::uint64_t position = 0;
    if (!m_source.GetPosition(position))
        return WalkEnd::ReadFailed;
    for (std::uint32_t examined = 0;;)
    {
        if (visitor.ShouldAbort())
            return WalkEnd::Aborted;
        if (position >= StoredProgram::kMemorySize)
            return WalkEnd::BeyondMemory;
        RecordInfo record;
        if (!ReadHeader(position, record))
            return WalkEnd::ReadFailed;
        if (record.recordClass == RecordClass::EndMark)
            return WalkEnd::EndMark;
        if (record.recordClass == RecordClass::StoredProgram)
        {
            if (position + record.size > StoredProgram::kMemorySize)
                return WalkEnd::MemoryExceeded;
            if (!ReadBodyAndVerify(record))
                return WalkEnd::ReadFailed;
        }
        if (!visitor.OnRecord(record))
            return WalkEnd::VisitorFailed;
        position += record.size;
        if (++examined == StoredProgram::kRecordLimit)
            return WalkEnd::RecordLimit;
    }
}

// Bytes the file does not hold keep the 0xFF fill, so the end of the file reads as the end mark.
bool CRecordWalk::ReadHeader(std::uint64_t position, RecordInfo& record)
{
    std::memset(m_buffer, 0xFF, StoredProgram::kMemorySize);
    std::uint32_t got = 0;
    if (!m_source.Seek(position) || !m_source.Read(m_buffer, StoredProgram::kHeaderSize, got))
        return false;
    const std::uint32_t length1 = StoredProgram::ReadField32(m_buffer, StoredProgram::kBodyLength1Offset, m_byteOrder);
    const std::uint32_t length2 = StoredProgram::ReadField32(m_buffer, StoredProgram::kBodyLength2Offset, m_byteOrder);
    record.state = StoredProgram::ReadField32(m_buffer, StoredProgram::kStateOffset, m_byteOrder);
    record.start = position;
    record.size = StoredProgram::RecordSize(length1, length2);
    record.recordClass = StoredProgram::ClassifyState(record.state);
    record.bytes = m_buffer;
    if (record.recordClass == RecordClass::StoredProgram || record.recordClass == RecordClass::UnrecognisedState)
        record.name = StoredProgram::ProgramName(m_buffer, m_byteOrder);
    return true;
}

// Called only for a record that fits in the memory, so its size fits the buffer.
bool CRecordWalk::ReadBodyAndVerify(RecordInfo& record)
{
    const auto size = static_cast<std::uint32_t>(record.size);
    std::uint32_t got = 0;
    if (!m_source.Read(m_buffer + StoredProgram::kHeaderSize, size - StoredProgram::kHeaderSize, got))
        return false;
    const std::uint32_t computed = m_crc.Compute(m_buffer + StoredProgram::kChecksumStart,
                                                 size - static_cast<std::uint32_t>(StoredProgram::kChecksumStart));
    record.good = computed == StoredProgram::ReadField32(m_buffer, StoredProgram::kCrcOffset, m_byteOrder);
    return true;
}
