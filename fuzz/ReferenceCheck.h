#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

// A second, deliberately plain reading of a stored-program file, written apart from the checker:
// what a whole run must produce for these bytes. The fuzzer holds the checker to it.
namespace reference
{
using Bytes = std::vector<std::uint8_t>;

// The bytes of a file as a run sees them: every byte past the end reads as 0xFF.
class Image
{
public:
    explicit Image(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint8_t At(std::uint64_t offset) const;
    std::uint32_t BigEndian32(std::uint64_t offset) const;
    Bytes Slice(std::uint64_t start, std::uint64_t size) const;
    std::u16string Name(std::uint64_t recordStart) const;
    std::uint64_t Size() const { return m_bytes.size(); }

private:
    std::span<const std::uint8_t> m_bytes;
};

// The standard CRC-32 from its reflected polynomial, over [from, to) of the image.
std::uint32_t Crc32(const Image& image, std::uint64_t from, std::uint64_t to);

struct Span
{
    std::uint64_t start;
    std::uint64_t size;
};

struct Outcome
{
    unsigned exitCode = 0;
    std::u16string error;
    std::uint16_t count = 0;
    Bytes cleaned;                       // the good records back to back
    std::vector<Bytes> goodRecords;      // in file order
    std::set<std::uint64_t> goodOffsets;
    std::vector<std::u16string> goodNames;
    std::u16string goodList;
    std::u16string badList;
    std::vector<Span> storedPrograms;    // every stored program the run reads whole, good or bad
};

Outcome Expect(const Image& image);
}
