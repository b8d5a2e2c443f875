#pragma once

#include "Crc32.h"
#include "ProgramImage.h"

#include <File.h>

#include <cstdint>
#include <optional>

// The size and CRC-32 of a whole source file, by which a kept report names the very file it
// describes. The image holds the start of the file; a longer file is read on in pieces from
// where the image ends.
struct SourceFingerprint
{
    std::uint64_t size = 0;
    std::optional<std::uint32_t> crc; // none when the rest of the file could not be read
};

SourceFingerprint FingerprintOf(const CProgramImage& image, platform::CFile& source, const CCrc32& crc);
