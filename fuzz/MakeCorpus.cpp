// Writes the fuzzer's seed files into the folder named by the first argument: small stored-program
// files that between them reach every way a run can end and every kind of record.
#include <StoredProgram.h>
#include <support/RecordBuilder.h>
#include <support/TempDir.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace
{
using StoredProgram::kHeaderSize;
using StoredProgram::kMemorySize;

Bytes Records(std::initializer_list<RecordBuilder> records)
{
    FileImage image;
    for (const RecordBuilder& record : records)
        image.Add(record);
    return image.bytes();
}

Bytes HundredAndOneGood()
{
    FileImage image;
    for (int i = 0; i < 101; ++i)
        image.Add(RecordBuilder(u"P" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10))).BodyOfSize(4));
    return image.bytes();
}

// A flipped bit in a length: the plain walk loses what follows, a salvage finds it again.
Bytes DamagedLength()
{
    Bytes bytes = Records({RecordBuilder(u"A").BodyOfSize(9), RecordBuilder(u"B").BodyOfSize(20),
                           RecordBuilder(u"C").BodyOfSize(31), RecordBuilder(u"D", 3).BodyOfSize(4)});
    bytes[168 + StoredProgram::kBodyLength1Offset + 3] ^= 0x02;
    return bytes;
}

std::vector<std::pair<std::string, Bytes>> Seeds()
{
    const RecordBuilder boxA = RecordBuilder(u"BOX A").Body({1, 2, 3});
    return {
        {"empty", {}},
        {"good-bad-good-end",
         FileImage()
             .Add(boxA)
             .Add(RecordBuilder(u"BOX B", 2).BodyOfSize(40))
             .Add(RecordBuilder(u"LID").BodyOfSize(12).WrongCrc())
             .Add(RecordBuilder(u"TRAY", 4).BodyOfSize(7))
             .EndMark()
             .Add(RecordBuilder(u"AFTER END", 3).BodyOfSize(2))
             .bytes()},
        {"empty-and-unrecognised",
         Records({RecordBuilder(u"OLD", 0).BodyOfSize(10), RecordBuilder(u"ODD", 5).BodyOfSize(21).Lengths(20, 1),
                  RecordBuilder(u"HIGH", 0x80000000).BodyOfSize(2), boxA})},
        {"names",
         Records({RecordBuilder(u""), RecordBuilder(u".."), RecordBuilder(u"no/such/folder"),
                  RecordBuilder(u"\u00c4\u20ac\U0001F600"), RecordBuilder().RawNameUnits({0xD800, u'x', 0xDC00}),
                  RecordBuilder().RawNameUnits(std::vector<std::uint16_t>(60, u'W')), RecordBuilder(u"BOX A")})},
        {"same-name-twice", Records({boxA, RecordBuilder(u"BOX A").BodyOfSize(9)})},
        {"cut-in-body", FileImage().Add(boxA).Add(RecordBuilder(u"CUT").BodyOfSize(30)).Truncate(200).bytes()},
        {"cut-in-header", FileImage().Add(boxA).Add(RecordBuilder(u"CUT")).Truncate(160 + 140).bytes()},
        {"ends-at-memory-end", Records({RecordBuilder(u"EDGE").Lengths(kMemorySize - kHeaderSize, 0)})},
        {"beyond-memory", Records({boxA, RecordBuilder(u"OVER").Lengths(kMemorySize - kHeaderSize - 159, 0)})},
        {"huge-lengths", Records({boxA, RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0xFFFFFFFF)})},
        {"hundred-and-one", HundredAndOneGood()},
        {"damaged-length", DamagedLength()},
        {"stale-behind-end",
         FileImage()
             .Add(boxA)
             .EndMark()
             .Add(Bytes(3, 0x00))
             .Add(RecordBuilder(u"BOX A", 2).BodyOfSize(11))
             .Add(RecordBuilder(u"OLD").BodyOfSize(5))
             .bytes()},
        // The first byte places the rest at the end of the memory, behind zeros.
        {"placed-at-memory-end",
         FileImage()
             .Add(Bytes{0xE5, 0x00, 0x00, 0x00})
             .Add(boxA)
             .Add(RecordBuilder(u"", 0).Body(RecordBuilder(u"HIDDEN").BodyOfSize(20).Build()))
             .Add(RecordBuilder(u"LAST").BodyOfSize(33))
             .bytes()},
    };
}
}

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: make_corpus FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : Seeds())
        WriteFile(folder / name, bytes);
    return 0;
}
