#include "SourceFingerprint.h"

#include <vector>

namespace
{
constexpr std::uint32_t kPieceSize = 64 * 1024;
}

SourceFingerprint FingerprintOf(const CProgramImage& image, platform::CFile& source, const CCrc32& crc)
{
    SourceFingerprint fingerprint;
    fingerprint.size = image.LoadedLength();
    std::uint32_t sum = crc.Compute(image.At(0), image.LoadedLength());
    if (image.LoadedLength() == CProgramImage::kViewSize)
    {
        std::vector<std::uint8_t> piece(kPieceSize);
        for (std::uint32_t got = kPieceSize; got == kPieceSize;)
        {
            if (!source.Read(piece.data(), kPieceSize, got))
                return fingerprint;
            sum = crc.Continue(sum, piece.data(), got);
            fingerprint.size += got;
        }
    }
    fingerprint.crc = sum;
    return fingerprint;
}
