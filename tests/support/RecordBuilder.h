#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Lays out a stored-program record from scratch: name, state and lengths big-endian,
// the body and a pad byte when it is odd, then the CRC-32 of bytes 4 to the end at offset 0.
class RecordBuilder
{
public:
    explicit RecordBuilder(std::u16string name = u"", std::uint32_t state = 1);

    RecordBuilder& State(std::uint32_t state);
    // The body; the lengths follow it (all of it in the first part) unless Lengths says otherwise.
    RecordBuilder& Body(Bytes body);
    RecordBuilder& BodyOfSize(std::size_t size, std::uint8_t fill = 0x5A);
    // Declared lengths; a body that does not match them is written as it is, with no pad byte.
    RecordBuilder& Lengths(std::uint32_t bodyLength1, std::uint32_t bodyLength2);
    // A name field of 60 units written as given, with no terminator.
    RecordBuilder& RawNameUnits(std::vector<std::uint16_t> units);
    // Stores a checksum that does not match the record.
    RecordBuilder& WrongCrc();

    Bytes Build() const;

private:
    std::u16string m_name;
    std::optional<std::vector<std::uint16_t>> m_rawName;
    std::uint32_t m_state;
    Bytes m_body;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> m_lengths;
    bool m_wrongCrc = false;
};

// A file image built from records and raw bytes, in order.
class FileImage
{
public:
    FileImage& Add(const RecordBuilder& record);
    FileImage& Add(const Bytes& bytes);
    FileImage& EndMark();
    // Cuts the image to its first `size` bytes.
    FileImage& Truncate(std::size_t size);
    const Bytes& bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

void PutBigEndian32(Bytes& bytes, std::size_t offset, std::uint32_t value);
