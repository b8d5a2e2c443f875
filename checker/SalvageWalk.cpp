#include "SalvageWalk.h"

using namespace StoredProgram;

CSalvageWalk::CSalvageWalk(const CProgramImage& image, CIntactPrograms& programs,
                           const std::unordered_set<std::uint64_t>& plainKept, bool pastEnd)
    : m_image(image), m_programs(programs), m_plainKept(plainKept), m_searchPastEnd(pastEnd)
{
}

WalkEnd CSalvageWalk::Run(IWalkVisitor& visitor)
{
    for (Step step = Step::Next; step != Step::Stop;)
    {
        if (step == Step::Header)
        {
            step = AtEndMark(visitor);
            continue;
        }
        if (visitor.ShouldAbort())
            return WalkEnd::Aborted;
        if (m_position >= kMemorySize)
            break;
        if (IsEndMarkAt(m_position))
        {
            step = AtEndMark(visitor);
            continue;
        }
        ExaminedRecord record = Examine(m_image, m_programs, m_position);
        record.pastEnd = m_pastEnd;
        const bool fits = m_position + record.size <= kMemorySize;
        if ((record.verdict == Verdict::Empty && fits) || record.verdict == Verdict::Good)
            step = AfterKept(visitor, record);
        else
            step = AfterDamage(visitor, record);
    }
    return WalkEnd::Completed;
}

bool CSalvageWalk::IsEndMarkAt(std::uint64_t offset) const
{
    return ClassifyState(m_image.State(offset)) == RecordClass::EndMark;
}

CSalvageWalk::Step CSalvageWalk::AtEndMark(IWalkVisitor& visitor)
{
    if (!m_searchPastEnd)
        return Step::Stop;
    m_pastEnd = true;
    return SearchOnFrom(visitor);
}

// An empty record that fits, or an intact program: taken whole, and the walk goes on behind it.
CSalvageWalk::Step CSalvageWalk::AfterKept(IWalkVisitor& visitor, ExaminedRecord& record)
{
    if (record.verdict == Verdict::Good && !m_plainKept.contains(record.offset))
        record.verdict = m_keptNames.contains(record.name) ? Verdict::Duplicate : Verdict::Recovered;
    if (IsKept(record.verdict))
        m_keptNames.insert(record.name);
    visitor.OnRecord(record);
    m_position += record.size;
    return Step::Next;
}

// Behind a damaged record the walk trusts what follows only if it is the end mark within the
// file or an intact program; otherwise it searches.
CSalvageWalk::Step CSalvageWalk::AfterDamage(IWalkVisitor& visitor, const ExaminedRecord& record)
{
    visitor.OnRecord(record);
    const std::uint64_t next = m_position + record.size;
    if (next <= m_image.LoadedLength() && next < kMemorySize && IsEndMarkAt(next))
    {
        m_position = next;
        return Step::Header;
    }
    if (m_programs.IsIntactAt(next))
    {
        m_position = next;
        return Step::Next;
    }
    return SearchOnFrom(visitor);
}

CSalvageWalk::Step CSalvageWalk::SearchOnFrom(IWalkVisitor& visitor)
{
    const std::optional<std::uint64_t> found = m_programs.FindFrom(m_position + 1);
    if (!found)
        return Step::Stop;
    visitor.OnSkipped({m_position, *found - m_position});
    m_position = *found;
    return Step::Next;
}

void CKeptOffsets::OnRecord(const ExaminedRecord& record)
{
    if (IsKept(record.verdict))
        m_offsets.insert(record.offset);
}

std::unordered_set<std::uint64_t> PlainKeptOffsets(const CProgramImage& image, CIntactPrograms& programs)
{
    CKeptOffsets kept;
    CRecordWalk(image, programs).Run(kept);
    return kept.Offsets();
}

namespace
{
class CLeftBehindList : public IWalkVisitor
{
public:
    explicit CLeftBehindList(const std::unordered_set<std::uint64_t>& runKept) : m_runKept(runKept) {}

    void OnRecord(const ExaminedRecord& record) override
    {
        if (IsKept(record.verdict) && !m_runKept.contains(record.offset))
            m_programs.push_back({record.offset, record.name, record.pastEnd});
    }

    std::vector<LeftBehindProgram> Programs() { return std::move(m_programs); }

private:
    const std::unordered_set<std::uint64_t>& m_runKept;
    std::vector<LeftBehindProgram> m_programs;
};
}

std::vector<LeftBehindProgram> FindLeftBehind(const CProgramImage& image, CIntactPrograms& programs,
                                              const std::unordered_set<std::uint64_t>& plainKept,
                                              const std::unordered_set<std::uint64_t>& runKept)
{
    CLeftBehindList list(runKept);
    CSalvageWalk(image, programs, plainKept, true).Run(list);
    return list.Programs();
}
