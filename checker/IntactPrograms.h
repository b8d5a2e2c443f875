#pragma once

#include "ProgramImage.h"
#include "Crc32.h"
#include "RangeCrc.h"

#include <cstdint>
#include <optional>
#include <unordered_map>

// Verifies stored programs in an image and finds intact ones. "An intact program at q": q lies
// inside the memory, the state there is 1 to 4, the record ends within the memory, and its
// checksum verifies. Checksums computed once are remembered, so the walks of one run share them.
class CIntactPrograms
{
public:
    // The image must be loaded already.
    CIntactPrograms(const CProgramImage& image, const CCrc32& crc);

    // The checksum over bytes 4 to the end of the stored program at `offset`, which ends within
    // the memory.
    std::uint32_t ComputedCrc(std::uint64_t offset, std::uint64_t size);

    bool IsIntactAt(std::uint64_t q);

    // The smallest q with from <= q < before and an intact program at it. A search of the whole
    // memory costs a few steps per candidate, never a checksum from scratch; a stretch already
    // searched is not searched again, so the searches of a walk that moves forward cost one pass.
    std::optional<std::uint64_t> FindFrom(std::uint64_t from, std::uint64_t before = StoredProgram::kMemorySize);

private:
    bool MayHoldProgram(std::uint64_t q, std::uint64_t& size) const;
    std::optional<std::uint64_t> Scan(std::uint64_t from, std::uint64_t before);

    const CProgramImage& m_image;
    const CCrc32& m_crc;
    CRangeCrc m_ranges;
    std::unordered_map<std::uint64_t, std::uint32_t> m_computed;
    // No intact program starts in [m_clearFrom, m_clearTo): what the last searches found.
    std::uint64_t m_clearFrom = 0;
    std::uint64_t m_clearTo = 0;
};
