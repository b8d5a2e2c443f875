#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <File.h>
#include <FileFaults.h>
#include <HeapBlock.h>
#include <StoredProgram.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::CFileFaults;
using platform::FileOp;
using StoredProgram::kMemorySize;

namespace
{
const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kBoxB = RecordBuilder(u"BOX B", 2).BodyOfSize(40).Build();
const Bytes kTray = RecordBuilder(u"TRAY", 4).BodyOfSize(7).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();

Bytes Concat(std::initializer_list<Bytes> parts)
{
    FileImage image;
    for (const Bytes& part : parts)
        image.Add(part);
    return image.bytes();
}

// What a run leaves behind, against what the case expects.
struct Expected
{
    unsigned exitCode;
    std::u16string error;
    bool outputExists;
    Bytes output;
    std::uint16_t count;
    std::vector<std::u16string> good;
    std::vector<std::u16string> bad;
};

struct RunCase
{
    const char* what;
    Bytes image;
    Expected expected;
};

void ExpectRun(WorkerRun& run, const fs::path& source, const Bytes& image, unsigned exitCode, const Expected& e)
{
    EXPECT_EQ(exitCode, e.exitCode);
    EXPECT_EQ(run.job.error.Get(), e.error);
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_EQ(run.job.count.load(), e.count);
    EXPECT_EQ(run.job.goodList.Get(), ListOf(e.good));
    EXPECT_EQ(run.job.badList.Get(), ListOf(e.bad));
    EXPECT_EQ(fs::exists(run.Cleaned()), e.outputExists);
    if (e.outputExists)
    {
        EXPECT_EQ(ReadFile(run.Cleaned()), e.output);
        EXPECT_EQ(run.job.storedAs.Get(), u"line3__.pgs");
    }
    EXPECT_EQ(ReadFile(source), image) << "the source must never change";
}

std::vector<RunCase> RunCases()
{
    const Bytes exceeding = RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0xFFFFFFFF).Build();
    const Bytes half = RecordBuilder(u"HALF").BodyOfSize(kMemorySize / 2 - 158).Build();
    FileImage hundredAndOne;
    for (int i = 0; i < 101; ++i)
        hundredAndOne.Add(kTray);
    Bytes firstHundred;
    for (int i = 0; i < 100; ++i)
        firstHundred.insert(firstHundred.end(), kTray.begin(), kTray.end());
    const std::vector<std::u16string> hundredTrays(100, u"TRAY");

    return {
        {"the road of one run", Concat({kBoxA, kBoxB, kLid, kTray, FileImage().EndMark().bytes()}),
         {0, u"", true, Concat({kBoxA, kBoxB, kTray}), 4, {u"BOX A", u"BOX B", u"TRAY"}, {u"LID"}}},
        {"an empty source", {}, {0, u"", true, {}, 0, {}, {}}},
        {"an empty record 10+0 before a good one",
         Concat({RecordBuilder(u"OLD", 0).BodyOfSize(10).Build(), kBoxA}),
         {0, u"", true, kBoxA, 2, {u"BOX A"}, {}}},
        {"an unrecognised state 20+1 before a good one",
         Concat({RecordBuilder(u"ODD", 7).BodyOfSize(21).Lengths(20, 1).Build(), kBoxA}),
         {0, u"", true, kBoxA, 2, {u"BOX A"}, {u"ODD"}}},
        {"a bad record between two good ones", Concat({kBoxA, kLid, kBoxB}),
         {0, u"", true, Concat({kBoxA, kBoxB}), 3, {u"BOX A", u"BOX B"}, {u"LID"}}},
        {"a stored program beyond the memory", Concat({kBoxA, kBoxB, exceeding}),
         {1, u"Memory size exceeded.", true, Concat({kBoxA, kBoxB}), 2, {u"BOX A", u"BOX B"}, {}}},
        {"records filling the memory exactly", Concat({half, half, kBoxA}),
         {0, u"Unknown Program State", true, Concat({half, half}), 2, {u"HALF", u"HALF"}, {}}},
        {"101 good records", hundredAndOne.bytes(), {0, u"", true, firstHundred, 100, hundredTrays, {}}},
        {"an empty name", RecordBuilder(u"").Build(), {0, u"", true, RecordBuilder(u"").Build(), 1, {u""}, {}}},
    };
}

TEST(Worker, RunsEndAsTheFileDictates)
{
    for (const RunCase& c : RunCases())
    {
        SCOPED_TRACE(c.what);
        WorkerRun run;
        const fs::path source = run.Source(c.image);
        const unsigned exitCode = run.Run(source);
        ExpectRun(run, source, c.image, exitCode, c.expected);
        EXPECT_TRUE(run.boxes.empty());
    }
}

TEST(Worker, MissingSourceCreatesNothing)
{
    WorkerRun run;
    EXPECT_EQ(run.Run(run.dir() / "missing.pgs"), kExitSourceNotOpened);
    EXPECT_EQ(run.job.error.Get(), u"File not found.");
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_FALSE(fs::exists(run.dir() / "missing__.pgs"));
    EXPECT_TRUE(run.job.storedAs.IsEmpty());
}

TEST(Worker, SourceHeldOpenElsewhereIsNotOpened)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    platform::CFile holder;
    ASSERT_TRUE(holder.OpenForReading(U16(source)));
    EXPECT_EQ(run.Run(source), kExitSourceNotOpened);
    EXPECT_EQ(run.job.error.Get(), u"File not found.");
    EXPECT_FALSE(fs::exists(run.Cleaned()));
}

TEST(Worker, OutputThatCannotBeCreated)
{
    WorkerRun run;
    // No '.' in the file name: "__" goes into the folder name, and that folder does not exist.
    const fs::path dotted = run.Source(kBoxA, "jobs.old/line3");
    EXPECT_EQ(run.Run(dotted), kExitOutputNotCreated);
    EXPECT_EQ(run.job.error.Get(), u"File not found.");
    EXPECT_EQ(run.job.done.load(), 1);

    // The output is held open by someone else.
    const fs::path source = run.Source(kBoxA);
    platform::CFile holder;
    ASSERT_TRUE(holder.CreateForReadWrite(U16(run.Cleaned())));
    EXPECT_EQ(run.Run(source), kExitOutputNotCreated);
    EXPECT_EQ(run.job.error.Get(), u"File not found.");
    // The source was closed again: it can be opened without sharing.
    platform::CFile reopened;
    EXPECT_TRUE(reopened.OpenForReading(U16(source)));
}

#ifndef _WIN32
// The cleaned file's name leads back to the source: the source is held without sharing, so the
// output cannot be opened over it and the source is never emptied.
TEST(Worker, OutputNameThatLeadsToTheSourceLeavesTheSourceAlone)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    fs::create_symlink(source, run.Cleaned());
    EXPECT_EQ(run.Run(source), kExitOutputNotCreated);
    EXPECT_EQ(run.job.error.Get(), u"File not found.");
    EXPECT_EQ(ReadFile(source), kBoxA);
}
#endif

TEST(Worker, ExistingOutputIsReplaced)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    WriteFile(run.Cleaned(), Bytes(5000, 0xEE));
    EXPECT_EQ(run.Run(source), kExitNormal);
    EXPECT_EQ(ReadFile(run.Cleaned()), kBoxA);
}

TEST(Worker, AllocationFailureLeavesAnEmptyOutput)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    platform::CHeapBlock::FailNextAllocations(1);
    EXPECT_EQ(run.Run(source), kExitAllocationFailed);
    EXPECT_EQ(run.job.error.Get(), u"Memory allocation failed.");
    EXPECT_EQ(run.job.done.load(), 1);
    ASSERT_TRUE(fs::exists(run.Cleaned()));
    EXPECT_EQ(fs::file_size(run.Cleaned()), 0u);
}

TEST(Worker, AbortBeforeTheFirstRecord)
{
    WorkerRun run;
    const fs::path source = run.Source(Concat({kBoxA, kBoxB}));
    run.job.PrepareRun(U16(source), nullptr, false);
    run.job.abort = 1;
    EXPECT_EQ(CheckerThreadProc(&run.job), kExitAborted);
    EXPECT_TRUE(run.job.error.IsEmpty());
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_EQ(run.job.count.load(), 0);
    ASSERT_TRUE(fs::exists(run.Cleaned()));
    EXPECT_EQ(fs::file_size(run.Cleaned()), 0u);
}

TEST(Worker, SixtyUnitName)
{
    std::vector<std::uint16_t> units(60, u'W');
    const Bytes record = RecordBuilder().RawNameUnits(units).Build();
    WorkerRun run;
    EXPECT_EQ(run.Run(run.Source(record), true), kExitNormal);
    const std::u16string name(60, u'W');
    EXPECT_EQ(run.job.goodList.Get(), ListOf({name}));
    EXPECT_EQ(ReadFile(run.dir() / (std::string(60, 'W') + ".pga")), record);
}
}
