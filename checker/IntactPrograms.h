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

    // The smallest q >= from with an intact program at it. A search of the whole memory costs a
    // few steps per candidate, never a checksum from scratch.
    std::optional<std::uint64_t> FindFrom(std::uint64_t from);

private:
    bool MayHoldProgram(std::uint64_t q, std::uint64_t& size) const;

    const CProgramImage& m_image;
    const CCrc32& m_crc;
    CRangeCrc m_ranges;
    std::unordered_map<std::uint64_t, std::uint32_t> m_computed;
};
