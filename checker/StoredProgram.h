#pragma once

#include "ByteOrder.h"

#include <cstdint>
#include <string>

// The stored-program file: back-to-back records, each a 158-byte big-endian header and a body,
// within a program memory of 786,432 bytes.
namespace StoredProgram
{
constexpr std::uint32_t kMemorySize = 0xC0000;
constexpr std::uint32_t kHeaderSize = 158;
constexpr std::uint32_t kRecordLimit = 100;

constexpr std::size_t kCrcOffset = 0;
constexpr std::size_t kChecksumStart = 4;
constexpr std::size_t kNameOffset = 6;
constexpr std::uint32_t kNameUnits = 60;
constexpr std::size_t kStateOffset = 126;
constexpr std::size_t kBodyLength1Offset = 150;
constexpr std::size_t kBodyLength2Offset = 154;

constexpr std::uint32_t kStateEmpty = 0;
constexpr std::uint32_t kStateEndMark = 0xFFFFFFFF;

enum class RecordClass
{
    EndMark,
    Empty,
    StoredProgram,
    UnrecognisedState,
};

RecordClass ClassifyState(std::uint32_t state);

// Header, body and a pad byte when the body is odd; the sum never wraps.
std::uint64_t RecordSize(std::uint32_t bodyLength1, std::uint32_t bodyLength2);

// A big-endian field of the record at `record`, in host order.
std::uint32_t ReadField32(const std::uint8_t* record, std::size_t offset, const CByteOrder& byteOrder);

// The units of the name field before the first zero unit, at most 60, in host order.
std::u16string ProgramName(const std::uint8_t* record, const CByteOrder& byteOrder);

// The cleaned file's name beside its source: "__" in front of the last '.' of the source's own
// name, or at its end when the name has no '.'.
constexpr char16_t kCleanedMark[] = u"__";
std::u16string CleanedNameFor(const std::u16string& fileName);
// True for a name that CleanedNameFor gives: its part before the last '.' ends in "__".
bool IsCleanedName(const std::u16string& fileName);
}
