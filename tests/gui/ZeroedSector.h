#pragma once

#include <support/RecordBuilder.h>

// Five programs of 758 bytes, the last behind the end mark, with a sector of zeros over the
// header of BOX B: the walk reads empty records through the zeros, then a state that is no class
// of record ("Unknown Program State"). LID and TRAY lie intact behind the damage, OLD behind the
// end mark.
struct ZeroedSector
{
    RecordBuilder boxA{u"BOX A"};
    RecordBuilder boxB{u"BOX B"};
    RecordBuilder lid{u"LID"};
    RecordBuilder tray{u"TRAY"};
    RecordBuilder old{u"OLD"};

    ZeroedSector();
    Bytes Image() const;
};
