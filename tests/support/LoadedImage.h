#pragma once

#include "RecordBuilder.h"

#include <ByteOrder.h>
#include <Crc32.h>
#include <IntactPrograms.h>
#include <ProgramImage.h>

#include <optional>

// A file image as a run loads it, with what the walks need to read it.
class LoadedImage
{
public:
    explicit LoadedImage(const Bytes& bytes);

    CProgramImage& image() { return m_image; }
    CIntactPrograms& programs() { return *m_programs; }

private:
    CCrc32 m_crc;
    CByteOrder m_byteOrder;
    CProgramImage m_image{m_byteOrder};
    std::optional<CIntactPrograms> m_programs; // made once the image is loaded
};
