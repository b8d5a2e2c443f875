#include "IntactPrograms.h"

#include <algorithm>

using namespace StoredProgram;

CIntactPrograms::CIntactPrograms(const CProgramImage& image, const CCrc32& crc)
    : m_image(image), m_crc(crc), m_ranges(image.At(0), kMemorySize)
{
}

std::uint32_t CIntactPrograms::ComputedCrc(std::uint64_t offset, std::uint64_t size)
{
    const auto known = m_computed.find(offset);
    if (known != m_computed.end())
        return known->second;
    const std::uint32_t computed =
        m_crc.Compute(m_image.At(offset + kChecksumStart), static_cast<std::uint32_t>(size - kChecksumStart));
    m_computed.emplace(offset, computed);
    return computed;
}

bool CIntactPrograms::MayHoldProgram(std::uint64_t q, std::uint64_t& size) const
{
    if (q >= kMemorySize || ClassifyState(m_image.State(q)) != RecordClass::StoredProgram)
        return false;
    size = m_image.RecordSize(q);
    return q + size <= kMemorySize;
}

bool CIntactPrograms::IsIntactAt(std::uint64_t q)
{
    std::uint64_t size = 0;
    return MayHoldProgram(q, size) && ComputedCrc(q, size) == m_image.StoredCrc(q);
}

std::optional<std::uint64_t> CIntactPrograms::FindFrom(std::uint64_t from, std::uint64_t before)
{
    const bool known = m_clearFrom <= from && from <= m_clearTo;
    const std::uint64_t start = known ? m_clearTo : from;
    if (!known)
        m_clearFrom = from;
    const std::optional<std::uint64_t> found = Scan(start, before);
    m_clearTo = std::max(start, found ? *found : std::min<std::uint64_t>(before, kMemorySize));
    return found;
}

// Only the last byte of a state of 1 to 4 is not zero, so most offsets are passed over by one
// byte comparison. Behind the file every byte reads 0xFF, so no program starts where that byte
// would lie behind it.
std::optional<std::uint64_t> CIntactPrograms::Scan(std::uint64_t from, std::uint64_t before)
{
    const std::uint8_t* bytes = m_image.At(0);
    const std::uint64_t lastStateByte = kStateOffset + 3;
    const std::uint64_t loaded = m_image.LoadedLength();
    const std::uint64_t end = std::min<std::uint64_t>({before, kMemorySize, loaded > lastStateByte ? loaded - lastStateByte : 0});
    for (std::uint64_t q = from; q < end; ++q)
    {
        const std::uint8_t last = bytes[q + kStateOffset + 3];
        std::uint64_t size = 0;
        if (last == 0 || last > 4 || !MayHoldProgram(q, size))
            continue;
        const auto known = m_computed.find(q);
        const std::uint32_t computed =
            known != m_computed.end() ? known->second : m_ranges.Range(static_cast<std::size_t>(q + kChecksumStart), static_cast<std::size_t>(q + size));
        if (computed != m_image.StoredCrc(q))
            continue;
        m_computed.emplace(q, computed);
        return q;
    }
    return std::nullopt;
}
