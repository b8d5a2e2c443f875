#include "RecordWalk.h"

using namespace StoredProgram;

ExaminedRecord Examine(const CProgramImage& image, CIntactPrograms& programs, std::uint64_t offset)
{
    ExaminedRecord record;
    record.offset = offset;
    record.size = image.RecordSize(offset);
    record.state = image.State(offset);
    record.recordClass = ClassifyState(record.state);
    record.name = image.Name(offset);
    record.crcStored = image.StoredCrc(offset);
    switch (record.recordClass)
    {
    case RecordClass::StoredProgram:
        record.verdict = Verdict::Bad;
        if (offset + record.size <= kMemorySize)
        {
            record.crcComputed = programs.ComputedCrc(offset, record.size);
            if (*record.crcComputed == record.crcStored)
                record.verdict = Verdict::Good;
        }
        break;
    case RecordClass::UnrecognisedState:
        record.verdict = Verdict::UnknownState;
        break;
    case RecordClass::Empty:
    case RecordClass::EndMark:
        record.verdict = Verdict::Empty;
        break;
    }
    return record;
}

CRecordWalk::CRecordWalk(const CProgramImage& image, CIntactPrograms& programs)
    : m_image(image), m_programs(programs)
{
}

WalkEnd CRecordWalk::Run(IWalkVisitor& visitor)
{
    std::uint64_t position = 0;
    for (std::uint32_t examined = 0;;)
    {
        if (visitor.ShouldAbort())
            return WalkEnd::Aborted;
        if (position >= kMemorySize)
            return WalkEnd::BeyondMemory;
        const RecordClass recordClass = ClassifyState(m_image.State(position));
        if (recordClass == RecordClass::EndMark)
            return WalkEnd::Completed;
        const std::uint64_t size = m_image.RecordSize(position);
        if (recordClass == RecordClass::StoredProgram && position + size > kMemorySize)
            return WalkEnd::MemoryExceeded;
        visitor.OnRecord(Examine(m_image, m_programs, position));
        position += size;
        if (++examined == kRecordLimit)
            return WalkEnd::RecordLimit;
    }
}

void CKeptPrograms::OnRecord(const ExaminedRecord& record)
{
    if (!IsKept(record.verdict))
        return;
    m_kept.offsets.insert(record.offset);
    m_kept.names.insert(record.name);
}

KeptPrograms PlainKept(const CProgramImage& image, CIntactPrograms& programs)
{
    CKeptPrograms kept;
    CRecordWalk(image, programs).Run(kept);
    return kept.Kept();
}
