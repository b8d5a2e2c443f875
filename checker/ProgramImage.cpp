#include "ProgramImage.h"

#include <cstring>

using namespace StoredProgram;

bool CProgramImage::Allocate()
{
    return m_block.Allocate(kViewSize);
}

// A file of known size is read in one call. Only the bytes a short read leaves unfilled get the
// 0xFF fill.
bool CProgramImage::Load(platform::CFile& source)
{
    std::uint64_t size = kViewSize;
    if (!source.Size(size))
        size = kViewSize;
    const std::uint32_t wanted = size < kViewSize ? static_cast<std::uint32_t>(size) : kViewSize;
    std::uint32_t got = 0;
    if (!source.Read(m_block.Data(), wanted, got))
        return false;
    m_loaded = got;
    std::memset(m_block.Data() + got, 0xFF, kViewSize - got);
    return true;
}

std::uint32_t CProgramImage::Field32(std::uint64_t offset, std::size_t field) const
{
    return ReadField32(At(offset), field, m_byteOrder);
}

std::uint32_t CProgramImage::State(std::uint64_t offset) const
{
    return Field32(offset, kStateOffset);
}

std::uint64_t CProgramImage::RecordSize(std::uint64_t offset) const
{
    return StoredProgram::RecordSize(Field32(offset, kBodyLength1Offset), Field32(offset, kBodyLength2Offset));
}

std::uint32_t CProgramImage::StoredCrc(std::uint64_t offset) const
{
    return Field32(offset, kCrcOffset);
}

std::u16string CProgramImage::Name(std::uint64_t offset) const
{
    return ProgramName(At(offset), m_byteOrder);
}
