// Writes the sample stored-program file: good, bad, empty and unrecognised records, then the end mark.
#include "RecordBuilder.h"
#include "TempDir.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make-sample OUTPUT.pgs\n");
        return 2;
    }
    const Bytes image = FileImage()
                            .Add(RecordBuilder(u"BOX A", 1).BodyOfSize(120, 0x10))
                            .Add(RecordBuilder(u"BOX B", 2).BodyOfSize(87, 0x20))
                            .Add(RecordBuilder(u"LID", 1).BodyOfSize(64, 0x30).WrongCrc())
                            .Add(RecordBuilder(u"", 0).BodyOfSize(40, 0x00))
                            .Add(RecordBuilder(u"TRAY", 3).BodyOfSize(200, 0x40))
                            .Add(RecordBuilder(u"SPARE", 9).BodyOfSize(16, 0x50))
                            .Add(RecordBuilder(u"PALLET", 4).BodyOfSize(33, 0x60))
                            .EndMark()
                            .bytes();
    WriteFile(argv[1], image);
    return 0;
}
