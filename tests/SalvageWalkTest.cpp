// The salvage walk against damage of every kind that backups suffer: each case says which
// programs come back, as what, and what the walk passed over.
#include "support/LoadedImage.h"
#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <SalvageWalk.h>
#include <StoredProgram.h>
#include <TextConversion.h>

#include <gtest/gtest.h>

#include <ostream>

namespace fs = std::filesystem;
using StoredProgram::kMemorySize;

namespace
{
struct Taken
{
    std::u16string name;
    Verdict verdict;
    bool pastEnd = false;

    bool operator==(const Taken&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Taken& taken)
{
    return out << platform::ToUtf8(taken.name) << ":" << static_cast<int>(taken.verdict) << (taken.pastEnd ? "+" : "");
}

class Recorder : public IWalkVisitor
{
public:
    void OnRecord(const ExaminedRecord& record) override { records.push_back(record); }
    void OnSkipped(const SkippedRange& range) override { skipped.push_back(range); }

    std::vector<ExaminedRecord> records;
    std::vector<SkippedRange> skipped;
};

struct Salvaged
{
    std::vector<Taken> taken; // kept and duplicate programs, in file order
    std::vector<ExaminedRecord> records;
    std::vector<SkippedRange> skipped;
};

Salvaged Salvage(const Bytes& bytes, bool pastEnd = false)
{
    LoadedImage loaded(bytes);
    const KeptPrograms plainKept = PlainKept(loaded.image(), loaded.programs());
    Recorder recorder;
    EXPECT_EQ(CSalvageWalk(loaded.image(), loaded.programs(), plainKept, pastEnd).Run(recorder), WalkEnd::Completed);
    Salvaged result{{}, recorder.records, recorder.skipped};
    for (const ExaminedRecord& record : recorder.records)
    {
        if (IsKept(record.verdict) || record.verdict == Verdict::Duplicate)
            result.taken.push_back({record.name, record.verdict, record.pastEnd});
    }
    return result;
}

std::u16string ProgramName(int i)
{
    std::u16string name = u"P00";
    name[1] = static_cast<char16_t>(u'0' + i / 10);
    name[2] = static_cast<char16_t>(u'0' + i % 10);
    return name;
}

// Twenty programs of different sizes, odd bodies among them, then the end mark.
struct TwentyPrograms
{
    std::vector<Bytes> records;
    std::vector<std::size_t> offsets;

    // Bodies of zeros, as many programs have, read as empty records wherever a walk lands in them.
    explicit TwentyPrograms(std::uint8_t bodyFill = 0x5A)
    {
        std::size_t offset = 0;
        for (int i = 0; i < 20; ++i)
        {
            records.push_back(RecordBuilder(ProgramName(i), static_cast<std::uint32_t>(1 + i % 4))
                                  .BodyOfSize(100 + 37 * static_cast<std::size_t>(i), bodyFill)
                                  .Build());
            offsets.push_back(offset);
            offset += records.back().size();
        }
    }

    Bytes Image() const
    {
        FileImage image;
        for (const Bytes& record : records)
            image.Add(record);
        return image.EndMark().bytes();
    }
};

std::vector<Taken> Programs(int from, int to, Verdict verdict, bool pastEnd = false, int except = -1)
{
    std::vector<Taken> taken;
    for (int i = from; i < to; ++i)
    {
        if (i != except)
            taken.push_back({ProgramName(i), verdict, pastEnd});
    }
    return taken;
}

std::vector<Taken> Join(std::vector<Taken> first, const std::vector<Taken>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Bytes Flip(Bytes bytes, std::size_t offset, std::uint8_t mask)
{
    bytes[offset] = static_cast<std::uint8_t>(bytes[offset] ^ mask);
    return bytes;
}

// The record at `offset` declares a body of `size` - 158 bytes, all in its first part.
Bytes Length(Bytes bytes, std::size_t offset, std::size_t size)
{
    PutBigEndian32(bytes, offset + 150, static_cast<std::uint32_t>(size - 158));
    PutBigEndian32(bytes, offset + 154, 0);
    return bytes;
}

Bytes Fill(Bytes bytes, std::size_t offset, std::size_t count, std::uint8_t value)
{
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), count, value);
    return bytes;
}

TEST(SalvageWalk, AnUndamagedFileIsTakenAsThePlainWalkTakesIt)
{
    const TwentyPrograms twenty;
    const Salvaged salvaged = Salvage(twenty.Image());
    EXPECT_EQ(salvaged.taken, Programs(0, 20, Verdict::Good));
    EXPECT_TRUE(salvaged.skipped.empty());
}

struct DamageCase
{
    const char* what;
    Bytes image;
    bool pastEnd;
    std::vector<Taken> taken;
};

std::vector<DamageCase> DamageCases()
{
    const TwentyPrograms t;
    const Bytes image = t.Image();
    const std::size_t p3 = t.offsets[3];
    Bytes deleted = image;
    deleted.erase(deleted.begin() + static_cast<std::ptrdiff_t>(t.offsets[5] + 200));
    Bytes inserted = image;
    inserted.insert(inserted.begin() + static_cast<std::ptrdiff_t>(t.offsets[5] + 200), 0x5A);
    const std::vector<Taken> allButThree = Join(Programs(0, 3, Verdict::Good), Programs(4, 20, Verdict::Recovered));
    return {
        {"a flipped low bit in a length of program 3", Flip(image, p3 + 153, 0x01), false, allButThree},
        {"a flipped high bit in a length of program 3", Flip(image, p3 + 150, 0x80), false, allButThree},
        // An unrecognised state is skipped with its length, which holds: the plain walk goes on too.
        {"a flipped bit in the state of program 3", Flip(image, p3 + 126, 0x40), false,
         Join(Programs(0, 3, Verdict::Good), Programs(4, 20, Verdict::Good))},
        {"the state of program 3 damaged to the end mark", Fill(image, p3 + 126, 4, 0xFF), false,
         Programs(0, 3, Verdict::Good)},
        {"... and taken with --past-end", Fill(image, p3 + 126, 4, 0xFF), true,
         Join(Programs(0, 3, Verdict::Good), Programs(4, 20, Verdict::Recovered, true))},
        {"the first header erased to 0xFF", Fill(image, 0, 158, 0xFF), true, Programs(1, 20, Verdict::Recovered, true)},
        // Zeros read as an empty record of 158 bytes, whose length nothing vouches for: program 1
        // starts inside it and is taken.
        {"the first header zeroed", Fill(image, 0, 158, 0x00), false, Programs(1, 20, Verdict::Recovered)},
        {"a zeroed block across programs 7 and 8", Fill(image, t.offsets[8] - 40, 300, 0x00), false,
         Join(Programs(0, 7, Verdict::Good), Programs(9, 20, Verdict::Recovered))},
        {"a 0xFF block over the header of program 10", Fill(image, t.offsets[10], 158, 0xFF), true,
         Join(Programs(0, 10, Verdict::Good), Programs(11, 20, Verdict::Recovered, true))},
        {"a byte deleted from program 5", deleted, false,
         Join(Programs(0, 5, Verdict::Good), Programs(6, 20, Verdict::Recovered))},
        {"a byte inserted into program 5", inserted, false,
         Join(Programs(0, 5, Verdict::Good), Programs(6, 20, Verdict::Recovered))},
        {"the last program before the end mark damaged", Flip(image, t.offsets[19] + 170, 0x10), false,
         Programs(0, 19, Verdict::Good)},
        // The plain walk follows the length to program 6; the two programs it passes over come back.
        {"the length of program 3 damaged to lead exactly to program 6", Length(image, p3, t.offsets[6] - p3), false,
         Join(Join(Programs(0, 3, Verdict::Good), Programs(4, 6, Verdict::Recovered)), Programs(6, 20, Verdict::Good))},
    };
}

// A zeroed block, as an unreadable sector reads back, over one header and the start of a body of
// zeros: the walk hops through zeros as through empty records, but never over the start
// of an intact program.
std::vector<DamageCase> ZeroedSectorCases()
{
    const TwentyPrograms t(0x00);
    const Bytes image = t.Image();
    std::vector<DamageCase> cases;
    for (const int hit : {0, 5, 12, 19})
    {
        const std::size_t offset = t.offsets[static_cast<std::size_t>(hit)];
        cases.push_back({"zeros over a header and the start of its body", Fill(image, offset, 218, 0x00), false,
                         Join(Programs(0, hit, Verdict::Good), Programs(hit + 1, 20, Verdict::Recovered))});
    }
    return cases;
}

TEST(SalvageWalk, TakesBackEveryIntactProgramBehindDamage)
{
    std::vector<DamageCase> cases = DamageCases();
    for (DamageCase& sector : ZeroedSectorCases())
        cases.push_back(std::move(sector));
    for (const DamageCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        const Salvaged salvaged = Salvage(c.image, c.pastEnd);
        EXPECT_EQ(salvaged.taken, c.taken);
    }
}

// Behind damage the walk passes over what it cannot trust, and says where.
TEST(SalvageWalk, ReportsWhatASearchPassedOver)
{
    const TwentyPrograms t;
    const Salvaged salvaged = Salvage(Flip(t.Image(), t.offsets[3] + 153, 0x01));
    ASSERT_EQ(salvaged.skipped.size(), 1u);
    EXPECT_EQ(salvaged.skipped[0].offset, t.offsets[3]);
    EXPECT_EQ(salvaged.skipped[0].length, t.offsets[4] - t.offsets[3]);

    // A bad record whose length still holds leads straight to the next program: nothing skipped.
    const Salvaged checksumOnly = Salvage(Flip(t.Image(), t.offsets[3] + 170, 0x01));
    EXPECT_TRUE(checksumOnly.skipped.empty());
    EXPECT_EQ(checksumOnly.taken, Join(Programs(0, 3, Verdict::Good), Programs(4, 20, Verdict::Good)));
}

TEST(SalvageWalk, StaleProgramsBehindTheEndMarkOnlyWithPastEnd)
{
    const Bytes older = RecordBuilder(u"P02", 2).BodyOfSize(90, 0x77).Build();
    const Bytes gone = RecordBuilder(u"OLD9").BodyOfSize(61).Build();
    FileImage image;
    for (int i = 0; i < 5; ++i)
        image.Add(RecordBuilder(ProgramName(i)).BodyOfSize(50));
    const Bytes bytes = image.EndMark().Add(Bytes(33, 0x00)).Add(older).Add(gone).bytes();

    EXPECT_EQ(Salvage(bytes).taken, Programs(0, 5, Verdict::Good));
    EXPECT_EQ(Salvage(bytes, true).taken, Join(Programs(0, 5, Verdict::Good), {{u"P02", Verdict::Duplicate, true},
                                                                               {u"OLD9", Verdict::Recovered, true}}));
}

TEST(SalvageWalk, HasNoBoundOfOneHundredRecords)
{
    FileImage image;
    for (int i = 0; i < 120; ++i)
        image.Add(RecordBuilder(ProgramName(i % 100)).BodyOfSize(20));
    const Salvaged salvaged = Salvage(image.bytes());
    ASSERT_EQ(salvaged.taken.size(), 120u);
    EXPECT_EQ(salvaged.taken[99].verdict, Verdict::Good);
    // Beyond the plain walk's bound the programs are recovered, and a name seen before makes a
    // duplicate of them.
    EXPECT_EQ(salvaged.taken[100], (Taken{ProgramName(0), Verdict::Duplicate}));
}

TEST(SalvageWalk, AnEmptyRecordWithAnAbsurdLengthIsPassedOver)
{
    const Bytes absurd = RecordBuilder(u"", 0).Lengths(0xFFFFFFFF, 0x10).Build();
    const Bytes bytes = FileImage().Add(RecordBuilder(u"A").BodyOfSize(10)).Add(absurd).Add(RecordBuilder(u"B").BodyOfSize(10)).bytes();
    const Salvaged salvaged = Salvage(bytes);
    EXPECT_EQ(salvaged.taken, (std::vector<Taken>{{u"A", Verdict::Good}, {u"B", Verdict::Recovered}}));
    ASSERT_EQ(salvaged.records.size(), 3u);
    EXPECT_EQ(salvaged.records[1].verdict, Verdict::Empty);
}

// One flipped bit in the length of a real empty record makes it reach 64 KiB further, far past
// the programs behind it; they start inside it and are taken.
TEST(SalvageWalk, AnEmptyRecordNeverHidesTheProgramsInsideItsSpan)
{
    FileImage image;
    image.Add(RecordBuilder(u"FIRST").BodyOfSize(64));
    const std::size_t empty = image.bytes().size();
    image.Add(RecordBuilder(u"", 0).BodyOfSize(200, 0x00));
    for (int i = 0; i < 59; ++i)
        image.Add(RecordBuilder(ProgramName(i)).BodyOfSize(300));
    const Bytes bytes = Flip(image.EndMark().bytes(), empty + 151, 0x01);

    const Salvaged salvaged = Salvage(bytes);
    EXPECT_EQ(salvaged.taken, Join({{u"FIRST", Verdict::Good}}, Programs(0, 59, Verdict::Recovered)));
    ASSERT_EQ(salvaged.skipped.size(), 1u);
    EXPECT_EQ(salvaged.skipped[0].offset, empty);
    EXPECT_EQ(salvaged.skipped[0].length, 158u + 200u);
}

// An older copy that lies before the program of its name that the plain walk keeps is the
// duplicate, wherever the two lie: the cleaned file never holds one name twice.
TEST(SalvageWalk, AnOlderCopyBeforeTheKeptProgramIsTheDuplicate)
{
    const Bytes older = RecordBuilder(u"SAME", 2).BodyOfSize(40, 0x11).Build();
    const Bytes hiding = RecordBuilder(u"", 0).Body(older).Build();
    const Bytes bytes = FileImage()
                            .Add(RecordBuilder(u"A").BodyOfSize(10))
                            .Add(hiding)
                            .Add(RecordBuilder(u"SAME").BodyOfSize(50))
                            .EndMark()
                            .bytes();
    EXPECT_EQ(Salvage(bytes).taken, (std::vector<Taken>{{u"A", Verdict::Good},
                                                         {u"SAME", Verdict::Duplicate},
                                                         {u"SAME", Verdict::Good}}));
}

// The search takes a program that ends exactly where the memory ends, and nothing that would end
// one byte further.
TEST(SalvageWalk, AProgramEndingAtTheEndOfTheMemoryIsTaken)
{
    const Bytes last = RecordBuilder(u"LAST").BodyOfSize(90).Build();
    for (const std::size_t end : {std::size_t{kMemorySize}, std::size_t{kMemorySize} + 2})
    {
        Bytes bytes(end, 0x33);
        const Bytes first = RecordBuilder(u"FIRST").BodyOfSize(10).Build();
        std::copy(first.begin(), first.end(), bytes.begin());
        std::copy(last.begin(), last.end(), bytes.end() - static_cast<std::ptrdiff_t>(last.size()));
        const std::vector<Taken> taken = Salvage(bytes).taken;
        EXPECT_EQ(taken.size(), end == kMemorySize ? 2u : 1u);
        EXPECT_EQ(taken.back().name, end == kMemorySize ? u"LAST" : u"FIRST");
    }
}

// A program stored inside the body of another (a copy of an active program file, say) is never
// taken while the one around it is intact; once that one is damaged, it is the next intact
// program a search meets.
TEST(SalvageWalk, CandidatesInsideBodies)
{
    const Bytes inner = RecordBuilder(u"INNER").BodyOfSize(40).Build();
    const Bytes outer = RecordBuilder(u"OUTER").Body(Bytes(inner.begin(), inner.end())).Build();
    const Bytes after = RecordBuilder(u"AFTER").BodyOfSize(30).Build();
    const Bytes intact = FileImage().Add(outer).Add(after).bytes();
    EXPECT_EQ(Salvage(intact).taken, (std::vector<Taken>{{u"OUTER", Verdict::Good}, {u"AFTER", Verdict::Good}}));

    const Bytes damaged = Flip(intact, 150, 0x80);
    EXPECT_EQ(Salvage(damaged).taken,
              (std::vector<Taken>{{u"INNER", Verdict::Recovered}, {u"AFTER", Verdict::Recovered}}));
}

// A memory full of candidates that all fail their checksum: the search visits each once.
TEST(SalvageWalk, ProgramsAtOddOffsetsAndAFullMemory)
{
    Bytes bytes(kMemorySize, 0x00);
    for (std::size_t q = 0; q + 158 <= kMemorySize; q += 4)
        bytes[q + 129] = 1;
    const Bytes program = RecordBuilder(u"ODD").BodyOfSize(25).Build();
    std::copy(program.begin(), program.end(), bytes.begin() + 500001);
    const Salvaged salvaged = Salvage(bytes);
    EXPECT_EQ(salvaged.taken, (std::vector<Taken>{{u"ODD", Verdict::Recovered}}));
}

// The whole run: the cleaned file is the kept programs back to back, in file order, and a run
// that does not salvage counts what a salvage past the end mark would take besides.
TEST(SalvageWalk, ARunKeepsWhatItTakesAndCountsWhatItLeft)
{
    const TwentyPrograms t;
    const Bytes damaged = Flip(t.Image(), t.offsets[3] + 153, 0x01);
    Bytes expected;
    for (int i = 0; i < 20; ++i)
    {
        if (i != 3)
            expected.insert(expected.end(), t.records[static_cast<std::size_t>(i)].begin(),
                            t.records[static_cast<std::size_t>(i)].end());
    }

    WorkerRun salvage;
    EXPECT_EQ(salvage.Run(salvage.Source(damaged), false, {.salvage = true}), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(salvage.Cleaned()), expected);
    EXPECT_EQ(CountLeftBehind(salvage.job.results.leftBehind).Total(), 0u);
    EXPECT_EQ(salvage.job.results.skipped.size(), 1u);

    WorkerRun plain;
    plain.Run(plain.Source(damaged));
    EXPECT_EQ(CountLeftBehind(plain.job.results.leftBehind).Total(), 16u);

    WorkerRun endMarked;
    EXPECT_EQ(endMarked.Run(endMarked.Source(Fill(t.Image(), t.offsets[3] + 126, 4, 0xFF)), false, {.salvage = true}),
              RunOutcome::Completed);
    EXPECT_EQ(CountLeftBehind(endMarked.job.results.leftBehind).Total(), 16u);
}
}
