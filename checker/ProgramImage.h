#pragma once

#include "ByteOrder.h"
#include "StoredProgram.h"

#include <File.h>
#include <HeapBlock.h>

#include <cstdint>
#include <string>

// The part of a stored-program file that a check looks at, read in one piece: the memory of
// 786,432 bytes and the header of a record that starts just inside its end. Bytes the file does
// not hold read as 0xFF, so the end of the file reads as an end mark.
class CProgramImage
{
public:
    static constexpr std::uint32_t kViewSize = StoredProgram::kMemorySize + StoredProgram::kHeaderSize;

    explicit CProgramImage(const CByteOrder& byteOrder) : m_byteOrder(byteOrder) {}

    bool Allocate();
    // Reads the file from its start with as few calls as it allows; false on a read error.
    bool Load(platform::CFile& source);

    // How many bytes the file held, counted up to kViewSize.
    std::uint32_t LoadedLength() const { return m_loaded; }

    const std::uint8_t* At(std::uint64_t offset) const { return m_block.Data() + offset; }
    std::uint8_t* Data() { return m_block.Data(); }

    // Header fields of the record at `offset`, which lies inside the memory, in host order.
    std::uint32_t State(std::uint64_t offset) const;
    std::uint64_t RecordSize(std::uint64_t offset) const;
    std::uint32_t StoredCrc(std::uint64_t offset) const;
    std::u16string Name(std::uint64_t offset) const;

private:
    std::uint32_t Field32(std::uint64_t offset, std::size_t field) const;

    const CByteOrder& m_byteOrder;
    platform::CHeapBlock m_block;
    std::uint32_t m_loaded = 0;
};
