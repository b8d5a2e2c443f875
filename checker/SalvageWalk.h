#pragma once

#include "RecordWalk.h"

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

// The salvage walk: takes back every intact program it can reach, however the file is damaged.
// It follows the records while they hold together, but never passes over the start of an intact
// program except inside a program it takes: where one starts inside an empty record or a damaged
// one, the walk goes on there; behind a damaged record it goes on at the next record if that is
// intact (or the end mark), and otherwise at the next intact program, wherever it starts. It has
// no bound of 100 records, and the end of the memory is no error to it. With `pastEnd` it
// searches on behind each end mark too, marking what it finds there.
//
// A kept program is "good" where the plain walk keeps the program at that offset too, otherwise
// "recovered"; a recovered program is left out as a duplicate when the plain walk keeps one of
// its name or this walk kept one of its name before it.
class CSalvageWalk
{
public:
    CSalvageWalk(const CProgramImage& image, CIntactPrograms& programs, const KeptPrograms& plainKept, bool pastEnd);

    // Completed or Aborted.
    WalkEnd Run(IWalkVisitor& visitor);

private:
    enum class Step
    {
        Next,   // go on at m_position
        Header, // look at the header at m_position again, which is an end mark
        Stop,
    };

    Step AtEndMark(IWalkVisitor& visitor);
    Step AfterEmpty(IWalkVisitor& visitor, const ExaminedRecord& record);
    Step AfterKept(IWalkVisitor& visitor, ExaminedRecord& record);
    Step AfterDamage(IWalkVisitor& visitor, const ExaminedRecord& record);
    Step SkipTo(IWalkVisitor& visitor, std::optional<std::uint64_t> found);
    bool IsEndMarkAt(std::uint64_t offset) const;

    const CProgramImage& m_image;
    CIntactPrograms& m_programs;
    const KeptPrograms& m_plainKept;
    const bool m_searchPastEnd;

    std::uint64_t m_position = 0;
    bool m_pastEnd = false;
    std::set<std::u16string> m_keptNames;
};

// The intact programs the salvage walk past the end mark would take that a run keeping `runKept`
// did not; nothing when the run's visitor asks to stop meanwhile.
std::optional<std::vector<LeftBehindProgram>> FindLeftBehind(const CProgramImage& image, CIntactPrograms& programs,
                                                             const KeptPrograms& plainKept,
                                                             const std::unordered_set<std::uint64_t>& runKept,
                                                             IWalkVisitor& run);
