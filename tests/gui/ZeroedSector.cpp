#include "ZeroedSector.h"

#include <algorithm>

ZeroedSector::ZeroedSector()
{
    std::uint8_t fill = 0;
    for (RecordBuilder* record : {&boxA, &boxB, &lid, &tray, &old})
        record->BodyOfSize(600, fill += 0x11);
}

Bytes ZeroedSector::Image() const
{
    Bytes image = FileImage().Add(boxA).Add(boxB).Add(lid).Add(tray).EndMark().Add(old).bytes();
    std::fill_n(image.begin() + static_cast<std::ptrdiff_t>(boxA.Build().size()), 512, 0);
    return image;
}
