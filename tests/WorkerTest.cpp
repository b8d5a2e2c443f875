#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <File.h>
#include <FaultInjection.h>
#include <HeapBlock.h>
#include <OutcomeText.h>
#include <StoredProgram.h>
#include <SystemError.h>
#include <TextConversion.h>
#include <Thread.h>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;
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
    RunOutcome outcome;
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

void ExpectRun(WorkerRun& run, const fs::path& source, const Bytes& image, RunOutcome outcome, const Expected& e)
{
    EXPECT_EQ(outcome, e.outcome);
    EXPECT_EQ(run.exitCode, CheckerExitCode(e.outcome));
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_EQ(run.job.count.load(), e.count);
    EXPECT_EQ(run.GoodList(), ListOf(e.good));
    EXPECT_EQ(run.BadList(), ListOf(e.bad));
    EXPECT_EQ(fs::exists(run.Cleaned()), e.outputExists);
    if (e.outputExists)
    {
        EXPECT_EQ(ReadFile(run.Cleaned()), e.output);
        EXPECT_EQ(run.job.storedAs.Get(), u"line3__.pgs");
        EXPECT_EQ(fs::path(run.job.results.cleanedPath), fs::canonical(run.Cleaned()));
    }
    EXPECT_EQ(ReadFile(source), image) << "the source must never change";
    EXPECT_TRUE(run.Temporaries().empty());
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
         {RunOutcome::Completed, true, Concat({kBoxA, kBoxB, kTray}), 4, {u"BOX A", u"BOX B", u"TRAY"}, {u"LID"}}},
        {"an empty source", {}, {RunOutcome::Completed, true, {}, 0, {}, {}}},
        {"an empty record 10+0 before a good one",
         Concat({RecordBuilder(u"OLD", 0).BodyOfSize(10).Build(), kBoxA}),
         {RunOutcome::Completed, true, kBoxA, 2, {u"BOX A"}, {}}},
        {"an unrecognised state 20+1 before a good one",
         Concat({RecordBuilder(u"ODD", 7).BodyOfSize(21).Lengths(20, 1).Build(), kBoxA}),
         {RunOutcome::Completed, true, kBoxA, 2, {u"BOX A"}, {u"ODD"}}},
        {"a bad record between two good ones", Concat({kBoxA, kLid, kBoxB}),
         {RunOutcome::Completed, true, Concat({kBoxA, kBoxB}), 3, {u"BOX A", u"BOX B"}, {u"LID"}}},
        {"a stored program beyond the memory", Concat({kBoxA, kBoxB, exceeding}),
         {RunOutcome::MemoryExceeded, true, Concat({kBoxA, kBoxB}), 2, {u"BOX A", u"BOX B"}, {}}},
        {"records filling the memory exactly", Concat({half, half, kBoxA}),
         {RunOutcome::BeyondMemory, true, Concat({half, half}), 2, {u"HALF", u"HALF"}, {}}},
        {"101 good records", hundredAndOne.bytes(), {RunOutcome::Completed, true, firstHundred, 100, hundredTrays, {}}},
        {"an empty name", RecordBuilder(u"").Build(),
         {RunOutcome::Completed, true, RecordBuilder(u"").Build(), 1, {u""}, {}}},
    };
}

TEST(Worker, RunsEndAsTheFileDictates)
{
    for (const RunCase& c : RunCases())
    {
        SCOPED_TRACE(c.what);
        WorkerRun run;
        const fs::path source = run.Source(c.image);
        const RunOutcome outcome = run.Run(source);
        ExpectRun(run, source, c.image, outcome, c.expected);
        EXPECT_TRUE(run.boxes.empty());
    }
}

TEST(Worker, ThreadExitCodesStayAsTheyWere)
{
    const std::pair<RunOutcome, unsigned> codes[] = {
        {RunOutcome::Completed, 0},        {RunOutcome::BeyondMemory, 0},     {RunOutcome::MemoryExceeded, 1},
        {RunOutcome::AllocationFailed, 2}, {RunOutcome::OutputNotCreated, 3}, {RunOutcome::SourceNotOpened, 4},
        {RunOutcome::SourceNotRegular, 4}, {RunOutcome::Aborted, 5},          {RunOutcome::ReadFailed, 6},
        {RunOutcome::WriteFailed, 6},      {RunOutcome::CleanedIsSource, 3},
    };
    for (const auto& [outcome, code] : codes)
        EXPECT_EQ(CheckerExitCode(outcome), code) << static_cast<int>(outcome);
}

// The dialog and the command line say why, with the same words.
TEST(Worker, ACleanedNameThatIsASecondNameOfTheSourceIsRefused)
{
    WorkerRun run;
    const Bytes image = Concat({kBoxA, kLid});
    const fs::path source = run.Source(image);
    fs::create_hard_link(source, run.Cleaned());
    EXPECT_EQ(run.Run(source, true), RunOutcome::CleanedIsSource);
    EXPECT_EQ(OutcomeText(run.job.outcome.load()), u"The cleaned file would replace the source.");
    EXPECT_EQ(ReadFile(run.Cleaned()), image);
    EXPECT_FALSE(fs::exists(run.dir() / "BOX A.pga"));
    EXPECT_TRUE(run.Temporaries().empty());
}

TEST(Worker, MissingSourceCreatesNothing)
{
    WorkerRun run;
    EXPECT_EQ(run.Run(run.dir() / "missing.pgs"), RunOutcome::SourceNotOpened);
    EXPECT_EQ(run.exitCode, 4u);
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_FALSE(fs::exists(run.dir() / "missing__.pgs"));
    EXPECT_TRUE(run.job.storedAs.IsEmpty());
}

TEST(Worker, SourceHeldOpenElsewhereIsNotOpened)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    platform::CFile holder;
    ASSERT_EQ(holder.OpenForReading(U16(source)), platform::OpenResult::Opened);
    EXPECT_EQ(run.Run(source), RunOutcome::SourceNotOpened);
#ifdef _WIN32
    EXPECT_EQ(run.job.results.systemReason, platform::SystemReason(ERROR_SHARING_VIOLATION));
#else
    EXPECT_EQ(run.job.results.systemReason, u"Resource temporarily unavailable");
#endif
    EXPECT_FALSE(fs::exists(run.Cleaned()));
}

// The system's reason goes with "File not found." unless the reason is that the file is not there;
// a forced failure reports access denied.
TEST(Worker, AFileThatCannotBeOpenedOrCreatedCarriesTheSystemsReason)
{
#ifdef _WIN32
    const std::u16string denied = platform::SystemReason(ERROR_ACCESS_DENIED);
#else
    const std::u16string denied = u"Permission denied";
#endif
    struct Case
    {
        const char* what;
        const char* source;
        void (*arm)();
        RunOutcome outcome;
        bool reason;
    };
    const Case cases[] = {
        {"a missing source", "missing.pgs", [] {}, RunOutcome::SourceNotOpened, false},
        {"a source in a missing folder", "nowhere/line3.pgs", [] {}, RunOutcome::SourceNotOpened, false},
        {"a folder", "folder.pgs", [] {}, RunOutcome::SourceNotRegular, false},
        {"a source refused", "line3.pgs", [] { platform::CFaultInjection::FailNth(platform::Seam::Open, 1); },
         RunOutcome::SourceNotOpened, true},
        {"a cleaned file refused", "line3.pgs", [] { platform::CFaultInjection::FailNth(platform::Seam::Open, 2); },
         RunOutcome::OutputNotCreated, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WorkerRun run;
        run.Source(kBoxA);
        fs::create_directory(run.dir() / "folder.pgs");
        c.arm();
        EXPECT_EQ(run.Run(run.dir() / c.source), c.outcome);
        EXPECT_EQ(run.job.results.systemReason, c.reason ? denied : u"");
    }
}

TEST(Worker, OnlyRegularFilesAreSources)
{
    WorkerRun run;
    fs::create_directory(run.dir() / "folder.pgs");
    EXPECT_EQ(run.Run(run.dir() / "folder.pgs"), RunOutcome::SourceNotRegular);
    EXPECT_FALSE(fs::exists(run.dir() / "folder__.pgs"));
}

// The cleaned file goes beside the source under the source's own name, whatever dots the
// folders hold.
TEST(Worker, CleanedFileStaysBesideTheSource)
{
    WorkerRun run;
    const fs::path dotted = run.Source(kBoxA, "backup.pgs/LINE3");
    EXPECT_EQ(run.Run(dotted), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(run.dir() / "backup.pgs" / "LINE3__"), kBoxA);
    EXPECT_EQ(run.job.storedAs.Get(), u"LINE3__");
    EXPECT_FALSE(fs::exists(run.dir() / "backup__.pgs"));

    const fs::path twoDots = run.Source(kTray, "jobs/line3.pgs.old");
    EXPECT_EQ(run.Run(twoDots), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(run.dir() / "jobs" / "line3.pgs__.old"), kTray);
}

TEST(Worker, ExistingOutputIsReplacedWhole)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    WriteFile(run.Cleaned(), Bytes(5000, 0xEE));
    EXPECT_EQ(run.Run(source), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(run.Cleaned()), kBoxA);
    EXPECT_TRUE(run.Temporaries().empty());
}

#ifndef _WIN32
// A link where the cleaned file goes is replaced by the file; what it points at is never written,
// the source included.
TEST(Worker, ALinkWhereTheCleanedFileGoesIsReplacedNotFollowed)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    const fs::path elsewhere = run.dir() / "elsewhere.bin";
    WriteFile(elsewhere, Bytes(10, 0x77));
    fs::create_symlink(elsewhere, run.Cleaned());
    EXPECT_EQ(run.Run(source), RunOutcome::Completed);
    EXPECT_FALSE(fs::is_symlink(run.Cleaned()));
    EXPECT_EQ(ReadFile(run.Cleaned()), kBoxA);
    EXPECT_EQ(ReadFile(elsewhere), Bytes(10, 0x77));

    fs::remove(run.Cleaned());
    fs::create_symlink(source, run.Cleaned());
    EXPECT_EQ(run.Run(source), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(source), kBoxA);
}

// "sublink/../line3.pgs" is the line3.pgs beside the folder the link points to, as the system
// opens it; the cleaned file goes there too, not beside the link.
TEST(Worker, TheSourcesFolderIsTheOneTheSystemOpens)
{
    WorkerRun run;
    fs::create_directories(run.dir() / "real" / "inner");
    fs::create_directory(run.dir() / "links");
    fs::create_directory_symlink(run.dir() / "real" / "inner", run.dir() / "links" / "sublink");
    const fs::path opened = run.Source(kBoxA, "real/line3.pgs");
    run.Source(kTray, "links/line3.pgs");
    EXPECT_EQ(run.Run(run.dir() / "links" / "sublink" / ".." / "line3.pgs"), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(run.dir() / "real" / "line3__.pgs"), kBoxA);
    EXPECT_FALSE(fs::exists(run.dir() / "links" / "line3__.pgs"));
    EXPECT_EQ(ReadFile(opened), kBoxA);
}
#endif

// Whatever ends a run early, an older cleaned file of that name stays as it was.
TEST(Worker, ARunThatFailsKeepsNothingNew)
{
    const Bytes older(300, 0x42);
    struct Case
    {
        const char* what;
        void (*arm)();
        RunOutcome outcome;
    };
    const Case cases[] = {
        {"no memory", [] { platform::CFaultInjection::FailNth(platform::Seam::Allocation, 1); }, RunOutcome::AllocationFailed},
        {"a read error", [] { platform::CFaultInjection::FailNth(platform::Seam::Read, 1); }, RunOutcome::ReadFailed},
        {"a write error", [] { platform::CFaultInjection::FailNth(platform::Seam::Write, 1); }, RunOutcome::WriteFailed},
        {"a failed rename", [] { platform::CFaultInjection::FailNth(platform::Seam::Rename, 1); },
         RunOutcome::WriteFailed},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WorkerRun run;
        const fs::path source = run.Source(Concat({kBoxA, kBoxB}));
        WriteFile(run.Cleaned(), older);
        c.arm();
        EXPECT_EQ(run.Run(source), c.outcome);
        EXPECT_EQ(ReadFile(run.Cleaned()), older);
        EXPECT_TRUE(run.Temporaries().empty());
    }
}

TEST(Worker, AbortBeforeTheFirstRecordKeepsNothingNew)
{
    WorkerRun run;
    const fs::path source = run.Source(Concat({kBoxA, kBoxB}));
    run.job.PrepareRun(U16(source), false, nullptr);
    run.job.abort = 1;
    EXPECT_EQ(CheckerThreadProc(&run.job), 5u);
    EXPECT_EQ(run.job.outcome.load(), RunOutcome::Aborted);
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_EQ(run.job.count.load(), 0);
    EXPECT_FALSE(fs::exists(run.Cleaned()));
    EXPECT_TRUE(run.Temporaries().empty());
}

// A stop asked for once the walk has read its last record, while the run searches for what it
// left behind: the older cleaned file stays as it was.
class StopAtSave : public WorkerRun
{
public:
    explicit StopAtSave(std::u16string name) : m_name(std::move(name)) {}

private:
    void OnSaved(const std::u16string& name, const std::u16string& /*path*/) override
    {
        if (name == m_name)
            job.abort = 1;
    }

    std::u16string m_name;
};

TEST(Worker, AbortWhileCountingWhatIsLeftBehindKeepsTheOlderFile)
{
    FileImage image;
    for (int i = 0; i < 101; ++i)
    {
        std::u16string name = u"P";
        name += platform::Decimal(static_cast<std::uint64_t>(i));
        image.Add(RecordBuilder(name).BodyOfSize(8));
    }
    StopAtSave run(u"P99");
    const fs::path source = run.Source(image.bytes());
    const Bytes older = {1, 2, 3};
    WriteFile(run.Cleaned(), older);
    EXPECT_EQ(run.Run(source, true), RunOutcome::Aborted);
    EXPECT_EQ(run.job.count.load(), 100);
    EXPECT_EQ(ReadFile(run.Cleaned()), older);
    EXPECT_TRUE(run.Temporaries().empty());
}

TEST(Worker, TestOnlyWritesNothing)
{
    WorkerRun run;
    const fs::path source = run.Source(Concat({kBoxA, kLid}));
    EXPECT_EQ(run.Run(source, false, {.writeCleaned = false}), RunOutcome::Completed);
    EXPECT_EQ(run.GoodList(), ListOf({u"BOX A"}));
    EXPECT_EQ(run.BadList(), ListOf({u"LID"}));
    EXPECT_FALSE(fs::exists(run.Cleaned()));
    EXPECT_TRUE(run.job.storedAs.IsEmpty());
    EXPECT_TRUE(run.job.results.cleanedPath.empty());
    EXPECT_TRUE(run.Temporaries().empty());
}

TEST(Worker, SixtyUnitName)
{
    std::vector<std::uint16_t> units(60, u'W');
    const Bytes record = RecordBuilder().RawNameUnits(units).Build();
    WorkerRun run;
    EXPECT_EQ(run.Run(run.Source(record), true), RunOutcome::Completed);
    const std::u16string name(60, u'W');
    EXPECT_EQ(run.GoodList(), ListOf({name}));
    EXPECT_EQ(ReadFile(run.dir() / (std::string(60, 'W') + ".pga")), record);
}

// A job is idle from the moment it exists: nothing reads as a run going on.
TEST(Worker, AJobIsIdleFromItsConstruction)
{
    const CheckJob job;
    EXPECT_EQ(job.done.load(), 1);
    EXPECT_EQ(job.outcome.load(), RunOutcome::Completed);
    EXPECT_TRUE(job.records.Snapshot().empty());
}

TEST(Worker, AThreadThatCannotStartEndsTheRunInOrder)
{
    WorkerRun run;
    const fs::path source = run.Source(kBoxA);
    run.job.PrepareRun(U16(source), false, nullptr);
    platform::CFaultInjection::FailNth(platform::Seam::ThreadStart, 1);
    platform::CThread worker;
    EXPECT_FALSE(StartChecker(run.job, worker));
    EXPECT_EQ(run.job.done.load(), 1);
    EXPECT_EQ(run.job.outcome.load(), RunOutcome::NotStarted);
    EXPECT_TRUE(IsFailure(run.job.outcome.load()));
    EXPECT_FALSE(fs::exists(run.Cleaned()));
}
}
