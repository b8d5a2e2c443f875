#include "SalvageWalk.h"

using namespace StoredProgram;

CSalvageWalk::CSalvageWalk(const CProgramImage& image, CIntactPrograms& programs, const KeptPrograms& plainKept,
                           bool pastEnd)
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
        if (record.verdict == Verdict::Empty && m_position + record.size <= kMemorySize)
            step = AfterEmpty(visitor, record);
        else if (record.verdict == Verdict::Good)
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
    return SkipTo(visitor, m_programs.FindFrom(m_position + 1));
}

// An empty record vouches for nothing, not even its length: a zeroed header reads as one. So an
// intact program that starts inside it wins over it.
CSalvageWalk::Step CSalvageWalk::AfterEmpty(IWalkVisitor& visitor, const ExaminedRecord& record)
{
    visitor.OnRecord(record);
    const std::uint64_t next = m_position + record.size;
    const std::optional<std::uint64_t> inside = m_programs.FindFrom(m_position + 1, next);
    if (inside)
        return SkipTo(visitor, inside);
    m_position = next;
    return Step::Next;
}

// An intact program is taken whole, and the walk goes on behind it.
CSalvageWalk::Step CSalvageWalk::AfterKept(IWalkVisitor& visitor, ExaminedRecord& record)
{
    if (!m_plainKept.offsets.contains(record.offset))
    {
        const bool nameKept = m_plainKept.names.contains(record.name) || m_keptNames.contains(record.name);
        record.verdict = nameKept ? Verdict::Duplicate : Verdict::Recovered;
    }
    if (IsKept(record.verdict))
        m_keptNames.insert(record.name);
    visitor.OnRecord(record);
    m_position += record.size;
    return Step::Next;
}

// A damaged record's length is not to be trusted: an intact program that starts inside its span
// wins over it. Behind it, the end mark within the file or an intact program is trusted; past
// either, the walk goes on at the next intact program.
CSalvageWalk::Step CSalvageWalk::AfterDamage(IWalkVisitor& visitor, const ExaminedRecord& record)
{
    visitor.OnRecord(record);
    const std::uint64_t next = m_position + record.size;
    const std::optional<std::uint64_t> found = m_programs.FindFrom(m_position + 1);
    if (found && *found < next)
        return SkipTo(visitor, found);
    if (next <= m_image.LoadedLength() && next < kMemorySize && IsEndMarkAt(next))
    {
        m_position = next;
        return Step::Header;
    }
    if (found && *found == next)
    {
        m_position = next;
        return Step::Next;
    }
    return SkipTo(visitor, found);
}

CSalvageWalk::Step CSalvageWalk::SkipTo(IWalkVisitor& visitor, std::optional<std::uint64_t> found)
{
    if (!found)
        return Step::Stop;
    visitor.OnSkipped({m_position, *found - m_position});
    m_position = *found;
    return Step::Next;
}

namespace
{
class CLeftBehindList : public IWalkVisitor
{
public:
    CLeftBehindList(const std::unordered_set<std::uint64_t>& runKept, IWalkVisitor& run)
        : m_runKept(runKept), m_run(run)
    {
    }

    bool ShouldAbort() override { return m_run.ShouldAbort(); }

    void OnRecord(const ExaminedRecord& record) override
    {
        if (IsKept(record.verdict) && !m_runKept.contains(record.offset))
            m_programs.push_back({record.offset, record.name, record.pastEnd});
    }

    std::vector<LeftBehindProgram> Programs() { return std::move(m_programs); }

private:
    const std::unordered_set<std::uint64_t>& m_runKept;
    IWalkVisitor& m_run;
    std::vector<LeftBehindProgram> m_programs;
};
}

std::optional<std::vector<LeftBehindProgram>> FindLeftBehind(const CProgramImage& image, CIntactPrograms& programs,
                                                             const KeptPrograms& plainKept,
                                                             const std::unordered_set<std::uint64_t>& runKept,
                                                             IWalkVisitor& run)
{
    CLeftBehindList list(runKept, run);
    if (CSalvageWalk(image, programs, plainKept, true).Run(list) == WalkEnd::Aborted)
        return std::nullopt;
    return list.Programs();
}
