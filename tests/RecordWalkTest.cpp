#include "support/LoadedImage.h"
#include "support/RecordBuilder.h"

#include <RecordWalk.h>
#include <StoredProgram.h>

#include <gtest/gtest.h>

#include <ostream>

using StoredProgram::RecordClass;
using StoredProgram::kMemorySize;

namespace
{
struct Seen
{
    std::uint64_t start;
    std::uint64_t size;
    RecordClass recordClass;
    bool good;
    std::u16string name;

    bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen)
{
    return out << "{start " << seen.start << ", size " << seen.size << ", class " << static_cast<int>(seen.recordClass)
               << ", good " << seen.good << ", name of " << seen.name.size() << " units}";
}

class RecordingVisitor : public IWalkVisitor
{
public:
    bool ShouldAbort() override { return abortBefore == records.size(); }
    void OnRecord(const ExaminedRecord& record) override
    {
        records.push_back({record.offset, record.size, record.recordClass, record.verdict == Verdict::Good, record.name});
    }

    std::size_t abortBefore = SIZE_MAX;
    std::vector<Seen> records;
};

struct WalkResult
{
    WalkEnd end;
    std::vector<Seen> records;
};

WalkResult Walk(const Bytes& image, std::size_t abortBefore = SIZE_MAX)
{
    LoadedImage loaded(image);
    RecordingVisitor visitor;
    visitor.abortBefore = abortBefore;
    const WalkEnd end = CRecordWalk(loaded.image(), loaded.programs()).Run(visitor);
    return {end, visitor.records};
}

Seen Good(std::uint64_t start, std::uint64_t size, std::u16string name)
{
    return {start, size, RecordClass::StoredProgram, true, std::move(name)};
}

Seen Bad(std::uint64_t start, std::uint64_t size, std::u16string name)
{
    return {start, size, RecordClass::StoredProgram, false, std::move(name)};
}

Seen Unrecognised(std::uint64_t start, std::uint64_t size, std::u16string name)
{
    return {start, size, RecordClass::UnrecognisedState, false, std::move(name)};
}

Seen Empty(std::uint64_t start, std::uint64_t size, std::u16string name = u"")
{
    return {start, size, RecordClass::Empty, false, std::move(name)};
}

TEST(StoredProgramRecord, WorkedRecordNamedA)
{
    const Bytes record = RecordBuilder(u"A", 1).Body({0x42}).Build();
    ASSERT_EQ(record.size(), 160u);
    EXPECT_EQ(Bytes(record.begin(), record.begin() + 4), (Bytes{0x00, 0x2A, 0x69, 0x7D}));
    EXPECT_EQ(record[6], 0x00);
    EXPECT_EQ(record[7], 0x41);
    EXPECT_EQ(record[158], 0x42);
    EXPECT_EQ(record[159], 0x00);

    const WalkResult walk = Walk(record);
    EXPECT_EQ(walk.end, WalkEnd::Completed);
    EXPECT_EQ(walk.records, (std::vector<Seen>{Good(0, 160, u"A")}));
}

TEST(StoredProgramRecord, SizeIsFormedWithoutWrapping)
{
    EXPECT_EQ(StoredProgram::RecordSize(3, 2), 164u);
    EXPECT_EQ(StoredProgram::RecordSize(3, 3), 164u);
    EXPECT_EQ(StoredProgram::RecordSize(0, 0), 158u);
    EXPECT_EQ(StoredProgram::RecordSize(0xFFFFFFFF, 0xFFFFFFFF), 158u + 0x1FFFFFFFEull);
    EXPECT_EQ(StoredProgram::RecordSize(0xFFFFFFFF, 0), 158u + 0xFFFFFFFFull + 1);
}

TEST(StoredProgramRecord, StatesSortIntoFourClasses)
{
    EXPECT_EQ(StoredProgram::ClassifyState(0xFFFFFFFF), RecordClass::EndMark);
    EXPECT_EQ(StoredProgram::ClassifyState(0), RecordClass::Empty);
    for (std::uint32_t state : {1u, 2u, 3u, 4u})
        EXPECT_EQ(StoredProgram::ClassifyState(state), RecordClass::StoredProgram) << state;
    for (std::uint32_t state : {5u, 0x80000000u, 0xFFFFFFFEu})
        EXPECT_EQ(StoredProgram::ClassifyState(state), RecordClass::UnrecognisedState) << state;
}

TEST(StoredProgramRecord, CleanedNameGoesBeforeTheLastDotOfTheFilesOwnName)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"line3.pgs", u"line3__.pgs"}, {u"line3.pgs.old", u"line3.pgs__.old"},
        {u"line3", u"line3__"},         {u".pgs", u"__.pgs"},
        {u"LINE3.PGS", u"LINE3__.PGS"},
    };
    for (const auto& [source, cleaned] : cases)
    {
        EXPECT_EQ(StoredProgram::CleanedNameFor(source), cleaned);
        EXPECT_TRUE(StoredProgram::IsCleanedName(cleaned));
        EXPECT_FALSE(StoredProgram::IsCleanedName(source));
    }
}

struct WalkCase
{
    const char* what;
    Bytes image;
    WalkEnd end;
    std::vector<Seen> records;
};

Bytes FlipBit(Bytes bytes, std::size_t offset, int bit)
{
    bytes[offset] = static_cast<std::uint8_t>(bytes[offset] ^ (1u << bit));
    return bytes;
}

std::vector<std::uint16_t> SixtyUnits()
{
    std::vector<std::uint16_t> units(60);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<std::uint16_t>(u'A' + i % 26);
    return units;
}

std::vector<WalkCase> EdgeCases()
{
    const Bytes good = RecordBuilder(u"GOOD").BodyOfSize(6).Build(); // 164 bytes
    const Bytes odd = RecordBuilder(u"ODD").Body({1, 2, 3}).Lengths(3, 0).Build();
    const Bytes largest = RecordBuilder(u"FULL").BodyOfSize(kMemorySize - 158).Build();
    const auto units = SixtyUnits();
    const std::u16string sixty(units.begin(), units.end());
    return {
        {"empty file", {}, WalkEnd::Completed, {}},
        {"odd body carries a pad byte",
         FileImage().Add(RecordBuilder(u"P").Body({1, 2, 3, 4, 5}).Lengths(3, 2)).Add(good).bytes(),
         WalkEnd::Completed, {Good(0, 164, u"P"), Good(164, 164, u"GOOD")}},
        {"a wrong pad byte makes the record bad", FlipBit(odd, odd.size() - 1, 0), WalkEnd::Completed,
         {Bad(0, 162, u"ODD")}},
        {"header cut before the state reads as the end mark", FileImage().Add(good).Add(good).Truncate(164 + 100).bytes(),
         WalkEnd::Completed, {Good(0, 164, u"GOOD")}},
        {"header cut after the state, before the lengths", FileImage().Add(good).Truncate(140).bytes(),
         WalkEnd::MemoryExceeded, {}},
        {"body cut short is checked with 0xFF and found bad",
         FileImage().Add(RecordBuilder(u"CUT").BodyOfSize(100)).Truncate(200).bytes(), WalkEnd::Completed,
         {Bad(0, 258, u"CUT")}},
        {"lengths 0xFFFFFFFF on a stored program exceed the memory",
         FileImage().Add(good).Add(RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0xFFFFFFFF)).bytes(),
         WalkEnd::MemoryExceeded, {Good(0, 164, u"GOOD")}},
        {"lengths 0xFFFFFFFF on an empty record move past the memory",
         FileImage().Add(RecordBuilder(u"", 0).Lengths(0xFFFFFFFF, 0xFFFFFFFF)).bytes(), WalkEnd::BeyondMemory,
         {Empty(0, 158 + 0x1FFFFFFFEull)}},
        {"a record ending exactly at the memory's end is accepted", largest, WalkEnd::BeyondMemory,
         {Good(0, kMemorySize, u"FULL")}},
        {"a record ending two bytes beyond is refused",
         FileImage().Add(RecordBuilder(u"OVER").BodyOfSize(kMemorySize - 158 + 2)).bytes(), WalkEnd::MemoryExceeded,
         {}},
        {"sixty-unit name without terminator", RecordBuilder(u"").RawNameUnits(SixtyUnits()).Build(),
         WalkEnd::Completed, {Good(0, 158, sixty)}},
        {"empty name", RecordBuilder(u"").BodyOfSize(2).Build(), WalkEnd::Completed, {Good(0, 160, u"")}},
        {"name ends at the first zero unit", RecordBuilder(u"").RawNameUnits({u'A', u'B', 0, u'C'}).Build(),
         WalkEnd::Completed, {Good(0, 158, u"AB")}},
        {"state 0 is skipped whole, next record at 168",
         FileImage().Add(RecordBuilder(u"GONE", 0).BodyOfSize(10).Lengths(10, 0)).Add(good).bytes(), WalkEnd::Completed,
         {Empty(0, 168, u"GONE"), Good(168, 164, u"GOOD")}},
        {"state 5 is unrecognised, next record at 180",
         FileImage().Add(RecordBuilder(u"ODDSTATE", 5).BodyOfSize(21).Lengths(20, 1)).Add(good).bytes(), WalkEnd::Completed,
         {Unrecognised(0, 180, u"ODDSTATE"), Good(180, 164, u"GOOD")}},
        {"state 0x80000000 is unrecognised and not held to the memory",
         FileImage().Add(RecordBuilder(u"X", 0x80000000).Lengths(kMemorySize, 0)).bytes(), WalkEnd::BeyondMemory,
         {Unrecognised(0, kMemorySize + 158, u"X")}},
        {"state 0xFFFFFFFE is unrecognised", FileImage().Add(RecordBuilder(u"Y", 0xFFFFFFFE)).bytes(),
         WalkEnd::Completed, {Unrecognised(0, 158, u"Y")}},
        {"states 1 to 4 are stored programs",
         FileImage()
             .Add(RecordBuilder(u"S1", 1))
             .Add(RecordBuilder(u"S2", 2))
             .Add(RecordBuilder(u"S3", 3))
             .Add(RecordBuilder(u"S4", 4))
             .bytes(),
         WalkEnd::Completed, {Good(0, 158, u"S1"), Good(158, 158, u"S2"), Good(316, 158, u"S3"), Good(474, 158, u"S4")}},
        {"records behind the end mark are never read", FileImage().Add(good).EndMark().Add(good).bytes(),
         WalkEnd::Completed, {Good(0, 164, u"GOOD")}},
        {"a bad record between two good ones",
         FileImage().Add(good).Add(RecordBuilder(u"BAD").BodyOfSize(4).WrongCrc()).Add(good).bytes(),
         WalkEnd::Completed, {Good(0, 164, u"GOOD"), Bad(164, 162, u"BAD"), Good(326, 164, u"GOOD")}},
    };
}

TEST(RecordWalk, EdgeCases)
{
    for (const WalkCase& c : EdgeCases())
    {
        SCOPED_TRACE(c.what);
        const WalkResult walk = Walk(c.image);
        EXPECT_EQ(walk.end, c.end);
        EXPECT_EQ(walk.records, c.records);
    }
}

TEST(RecordWalk, AnySingleFlippedBitFromOffset4ToThePadMakesARecordBad)
{
    const Bytes record = RecordBuilder(u"FLIP").Body({9, 8, 7}).Build(); // 162 bytes, pad included
    const std::size_t checked[] = {0, 3, 4, 5, 6, 50, 125, 130, 149, 158, 160, 161};
    for (const std::size_t offset : checked)
    {
        for (const int bit : {0, 7})
        {
            SCOPED_TRACE(testing::Message() << "offset " << offset << " bit " << bit);
            const WalkResult walk = Walk(FlipBit(record, offset, bit));
            ASSERT_EQ(walk.records.size(), 1u);
            EXPECT_FALSE(walk.records[0].good);
        }
    }
}

TEST(RecordWalk, AFlippedBitInStateOrLengthChangesClassOrSize)
{
    const Bytes record = RecordBuilder(u"FLIP", 1).Body({9, 8}).Build(); // 160 bytes
    const WalkResult toEmpty = Walk(FlipBit(record, 129, 0));
    EXPECT_EQ(toEmpty.records, (std::vector<Seen>{Empty(0, 160, u"FLIP")}));

    const WalkResult toUnrecognised = Walk(FlipBit(record, 126, 7));
    EXPECT_EQ(toUnrecognised.records, (std::vector<Seen>{Unrecognised(0, 160, u"FLIP")}));

    const WalkResult longer = Walk(FlipBit(record, 153, 2)); // bodyLength1 2 -> 6
    ASSERT_EQ(longer.records.size(), 1u);
    EXPECT_EQ(longer.records[0].size, 164u);
    EXPECT_FALSE(longer.records[0].good);
}

TEST(RecordWalk, StopsAfterOneHundredRecords)
{
    FileImage image;
    for (int i = 0; i < 101; ++i)
        image.Add(RecordBuilder(std::u16string{u'R', static_cast<char16_t>(u'0' + i % 10)}));
    const WalkResult walk = Walk(image.bytes());
    EXPECT_EQ(walk.end, WalkEnd::RecordLimit);
    ASSERT_EQ(walk.records.size(), 100u);
    EXPECT_EQ(walk.records.back().start, 99u * 158);
}

TEST(RecordWalk, FillingTheMemoryExactlyEndsBeyondIt)
{
    FileImage image;
    image.Add(RecordBuilder(u"A").BodyOfSize(kMemorySize / 2 - 158));
    image.Add(RecordBuilder(u"B", 0).Lengths(kMemorySize / 2 - 158, 0));
    const WalkResult walk = Walk(image.Add(RecordBuilder(u"C")).bytes());
    EXPECT_EQ(walk.end, WalkEnd::BeyondMemory);
    EXPECT_EQ(walk.records,
              (std::vector<Seen>{Good(0, kMemorySize / 2, u"A"), Empty(kMemorySize / 2, kMemorySize / 2, u"B")}));
}

// A record that starts just inside the memory has its header read from the bytes behind it:
// the image holds them, so a long file reads as it always did.
TEST(RecordWalk, AHeaderThatReachesBehindTheMemoryIsReadFromTheFile)
{
    const std::uint64_t lastStart = kMemorySize - 32;
    FileImage image;
    image.Add(RecordBuilder(u"A").BodyOfSize(lastStart - 158));
    image.Add(RecordBuilder(u"TAIL", 0));
    const WalkResult walk = Walk(image.Add(RecordBuilder(u"AFTER")).bytes());
    EXPECT_EQ(walk.end, WalkEnd::BeyondMemory);
    EXPECT_EQ(walk.records, (std::vector<Seen>{Good(0, lastStart, u"A"), Empty(lastStart, 158, u"TAIL")}));
}

TEST(RecordWalk, AbortIsLookedAtBeforeEachRecord)
{
    const Bytes good = RecordBuilder(u"G").Build();
    const Bytes image = FileImage().Add(good).Add(good).Add(good).bytes();
    EXPECT_EQ(Walk(image, 0).end, WalkEnd::Aborted);
    EXPECT_TRUE(Walk(image, 0).records.empty());
    const WalkResult afterTwo = Walk(image, 2);
    EXPECT_EQ(afterTwo.end, WalkEnd::Aborted);
    EXPECT_EQ(afterTwo.records.size(), 2u);
}
}
