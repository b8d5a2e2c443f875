#pragma once

#include "RecordWalk.h"

#include <cstdint>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

// The salvage walk: takes back every intact program it can reach, however the file is damaged.
// It follows the records as the plain walk does while they hold together; behind a damaged
// record it goes on at the next record if that is intact (or the end mark), and otherwise
// searches byte by byte for the next intact program. It has no bound of 100 records, and the
// end of the memory is no error to it. With `pastEnd` it searches on behind each end mark too,
// marking what it finds there.
//
// A kept program is "good" where the plain walk keeps the program at that offset too, otherwise
// "recovered"; a recovered program of the name of one already kept is left out as a duplicate.
class CSalvageWalk
{
public:
    CSalvageWalk(const CProgramImage& image, CIntactPrograms& programs,
                 const std::unordered_set<std::uint64_t>& plainKept, bool pastEnd);

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
    Step AfterKept(IWalkVisitor& visitor, ExaminedRecord& record);
    Step AfterDamage(IWalkVisitor& visitor, const ExaminedRecord& record);
    Step SearchOnFrom(IWalkVisitor& visitor);
    bool IsEndMarkAt(std::uint64_t offset) const;

    const CProgramImage& m_image;
    CIntactPrograms& m_programs;
    const std::unordered_set<std::uint64_t>& m_plainKept;
    const bool m_searchPastEnd;

    std::uint64_t m_position = 0;
    bool m_pastEnd = false;
    std::set<std::u16string> m_keptNames;
};

// Keeps the offsets of the records a walk keeps.
class CKeptOffsets : public IWalkVisitor
{
public:
    void OnRecord(const ExaminedRecord& record) override;
    const std::unordered_set<std::uint64_t>& Offsets() const { return m_offsets; }

private:
    std::unordered_set<std::uint64_t> m_offsets;
};

// The offsets the plain walk keeps.
std::unordered_set<std::uint64_t> PlainKeptOffsets(const CProgramImage& image, CIntactPrograms& programs);

// The intact programs the salvage walk past the end mark would take that a run did not.
std::vector<LeftBehindProgram> FindLeftBehind(const CProgramImage& image, CIntactPrograms& programs,
                              const std::unordered_set<std::uint64_t>& plainKept,
                              const std::unordered_set<std::uint64_t>& runKept);
