// The map's cells from the records: which kind each cell shows and where damage is marked.
#include <MemoryMap.h>
#include <StoredProgram.h>

#include <gtest/gtest.h>

#include <string>

using StoredProgram::kMemorySize;

namespace
{
ExaminedRecord Record(std::uint64_t offset, std::uint64_t size, Verdict verdict, bool pastEnd = false)
{
    ExaminedRecord record;
    record.offset = offset;
    record.size = size;
    record.verdict = verdict;
    record.name = u"P" + std::u16string(1, static_cast<char16_t>(u'0' + offset % 10));
    record.pastEnd = pastEnd;
    return record;
}

std::string Classes(const MapCell& cell)
{
    const std::u16string kind = ByteKindName(cell.kind);
    return std::string(kind.begin(), kind.end()) + (cell.damaged ? " damaged" : "");
}

// Cells [first, first + count) show `classes`; the spans of a case cover all 768 cells in order.
struct Span
{
    std::uint32_t count;
    std::string classes;
};

struct MapCase
{
    const char* name;
    std::vector<ExaminedRecord> records;
    std::vector<SkippedRange> skipped;
    std::uint64_t fileSize;
    std::optional<std::uint64_t> endMark;
    std::vector<Span> spans;
};

std::vector<MapCase> Cases()
{
    std::vector<ExaminedRecord> hundred;
    for (std::uint64_t i = 0; i < 100; ++i)
        hundred.push_back(Record(i * 1024, 1024, Verdict::Good));
    return {
        // Cell 4 holds 904 good bytes and 120 free; cell 5 880 free and 144 absent.
        {"OneGoodFile",
         {Record(0, 3000, Verdict::Good), Record(3000, 2000, Verdict::Good)},
         {},
         6000,
         5000,
         {{5, "good"}, {1, "free"}, {762, "absent"}}},
        // 200 bad bytes inside cell 10 are outvoted but still mark it.
        {"ShortBadRecordInsideACell",
         {Record(0, 10500, Verdict::Good), Record(10500, 200, Verdict::Bad), Record(10700, 9780, Verdict::Good)},
         {},
         kMemorySize,
         20480,
         {{10, "good"}, {1, "good damaged"}, {9, "good"}, {748, "free"}}},
        // The bad record's 500 bytes lose cell 2 to the 524 skipped ones; the stretch runs on to
        // the recovered program.
        {"SkippedRange",
         {Record(0, 2048, Verdict::Good), Record(2048, 500, Verdict::Bad), Record(8192, 4096, Verdict::Recovered)},
         {{2048, 6144}},
         kMemorySize,
         12288,
         {{2, "good"}, {6, "skipped damaged"}, {4, "recovered"}, {756, "free"}}},
        // A record that claims to run on past the end of the file holds only what the file has.
        {"FileShorterThanTheMemory",
         {Record(0, 3072, Verdict::Good), Record(3072, 5000, Verdict::Bad)},
         {},
         3500,
         std::nullopt,
         {{3, "good"}, {1, "absent damaged"}, {764, "absent"}}},
        {"BehindTheEndMark",
         {Record(0, 1024, Verdict::Good), Record(4096, 2048, Verdict::Recovered, true),
          Record(6144, 1024, Verdict::Duplicate, true)},
         {},
         kMemorySize,
         1024,
         {{1, "good"}, {3, "free"}, {2, "recovered"}, {1, "duplicate"}, {761, "free"}}},
        {"HundredRecordStop", hundred, {}, kMemorySize, std::nullopt, {{100, "good"}, {668, "unexamined"}}},
        // A record that would end beyond the memory holds the rest of it.
        {"MemoryExceeded",
         {Record(0, 2048, Verdict::Good), Record(2048, 0x1'0000'0000, Verdict::Bad)},
         {},
         kMemorySize,
         std::nullopt,
         {{2, "good"}, {766, "bad damaged"}}},
    };
}

void PrintTo(const MapCase& c, std::ostream* out)
{
    *out << c.name;
}

class MemoryMapCells : public testing::TestWithParam<MapCase>
{
};

TEST_P(MemoryMapCells, ShowTheKindOfMostOfTheirBytes)
{
    const MapCase& c = GetParam();
    const CMemoryMap map(c.records, c.skipped, c.fileSize, c.endMark);
    ASSERT_EQ(map.Cells().size(), CMemoryMap::kCells);
    std::uint32_t cell = 0;
    for (const Span& span : c.spans)
    {
        for (std::uint32_t i = 0; i < span.count; ++i, ++cell)
        {
            ASSERT_LT(cell, CMemoryMap::kCells);
            EXPECT_EQ(Classes(map.Cells()[cell]), span.classes) << "cell " << cell;
        }
    }
    EXPECT_EQ(cell, CMemoryMap::kCells) << "the spans cover the memory";
}

INSTANTIATE_TEST_SUITE_P(Cases, MemoryMapCells, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<MapCase>& param) { return std::string(param.param.name); });

TEST(MemoryMap, CellsNameAFewOfTheRecordsTheyTouch)
{
    std::vector<ExaminedRecord> records;
    for (std::uint64_t i = 0; i < 5; ++i)
        records.push_back(Record(i * 200, 200, Verdict::Good));
    records.push_back(Record(1000, 2500, Verdict::Bad));
    const CMemoryMap map(records, {}, kMemorySize, 3500);
    EXPECT_EQ(map.Cells()[0].records, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(map.Cells()[0].recordsTouched, 6u);
    EXPECT_EQ(map.Cells()[1].records, (std::vector<std::size_t>{5}));
    EXPECT_EQ(map.Cells()[3].records, (std::vector<std::size_t>{5})) << "bytes 3072 to 3499";
    EXPECT_TRUE(map.Cells()[4].records.empty());
}
}
