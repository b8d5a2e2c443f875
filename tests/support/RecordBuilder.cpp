#include "RecordBuilder.h"

#include <Crc32.h>
#include <StoredProgram.h>

#include <algorithm>

void PutBigEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

RecordBuilder::RecordBuilder(std::u16string name, std::uint32_t state) : m_name(std::move(name)), m_state(state)
{
}

RecordBuilder& RecordBuilder::State(std::uint32_t state)
{
    m_state = state;
    return *this;
}

RecordBuilder& RecordBuilder::Body(Bytes body)
{
    m_body = std::move(body);
    return *this;
}

RecordBuilder& RecordBuilder::BodyOfSize(std::size_t size, std::uint8_t fill)
{
    m_body.assign(size, fill);
    for (std::size_t i = 0; i < size; ++i)
        m_body[i] = static_cast<std::uint8_t>(fill + i * 7);
    return *this;
}

RecordBuilder& RecordBuilder::Lengths(std::uint32_t bodyLength1, std::uint32_t bodyLength2)
{
    m_lengths = {bodyLength1, bodyLength2};
    return *this;
}

RecordBuilder& RecordBuilder::RawNameUnits(std::vector<std::uint16_t> units)
{
    m_rawName = std::move(units);
    return *this;
}

RecordBuilder& RecordBuilder::WrongCrc()
{
    m_wrongCrc = true;
    return *this;
}

Bytes RecordBuilder::Build() const
{
    using namespace StoredProgram;
    Bytes record(kHeaderSize, 0);
    std::vector<std::uint16_t> units(m_name.begin(), m_name.end());
    if (m_rawName)
        units = *m_rawName;
    units.resize(std::min<std::size_t>(units.size(), kNameUnits));
    for (std::size_t i = 0; i < units.size(); ++i)
    {
        record[kNameOffset + 2 * i] = static_cast<std::uint8_t>(units[i] >> 8);
        record[kNameOffset + 2 * i + 1] = static_cast<std::uint8_t>(units[i]);
    }
    const auto [length1, length2] =
        m_lengths.value_or(std::pair{static_cast<std::uint32_t>(m_body.size()), std::uint32_t{0}});
    PutBigEndian32(record, kStateOffset, m_state);
    PutBigEndian32(record, kBodyLength1Offset, length1);
    PutBigEndian32(record, kBodyLength2Offset, length2);
    record.insert(record.end(), m_body.begin(), m_body.end());
    if (std::uint64_t{length1} + length2 == m_body.size() && m_body.size() % 2 == 1)
        record.push_back(0);
    const CCrc32 crc;
    const std::uint32_t computed =
        crc.Compute(record.data() + kChecksumStart, static_cast<std::uint32_t>(record.size() - kChecksumStart));
    PutBigEndian32(record, kCrcOffset, m_wrongCrc ? computed ^ 0x00010000u : computed);
    return record;
}

FileImage& FileImage::Add(const RecordBuilder& record)
{
    return Add(record.Build());
}

FileImage& FileImage::Add(const Bytes& bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

FileImage& FileImage::EndMark()
{
    return Add(RecordBuilder(u"", StoredProgram::kStateEndMark));
}

FileImage& FileImage::Truncate(std::size_t size)
{
    m_bytes.resize(std::min(size, m_bytes.size()));
    return *this;
}
