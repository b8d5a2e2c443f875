#pragma once

#include "ReferenceCheck.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// The salvage walk read as plainly as it is described, step by step, written apart from the
// checker: every checksum computed from scratch, every search one offset after another.
namespace reference
{
enum class SalvageVerdict
{
    Good,
    Bad,
    Empty,
    UnknownState,
    Recovered,
    Duplicate,
};

struct SalvagedRecord
{
    std::uint64_t offset = 0;
    SalvageVerdict verdict = SalvageVerdict::Empty;
    bool pastEnd = false;
    std::u16string name;
};

struct Salvage
{
    std::vector<SalvagedRecord> records;
    std::vector<Span> skipped;   // offset and length of each stretch a search passed over
    Bytes cleaned;               // the kept programs back to back
    std::set<std::uint64_t> kept; // their offsets
};

bool IsIntactAt(const Image& image, std::uint64_t q);

// `plainKept`: the offsets the plain walk keeps, which make a kept program "good".
Salvage ExpectSalvage(const Image& image, bool pastEnd, const std::set<std::uint64_t>& plainKept);

// The intact programs a salvage past the end mark takes that a run keeping `runKept` did not.
std::uint32_t ExpectLeftBehind(const Image& image, const std::set<std::uint64_t>& plainKept,
                               const std::set<std::uint64_t>& runKept);
}
