// The worker on a thread of its own while this thread reads the job every few milliseconds, as the
// dialog does: what a reader can see along the way must never contradict the final results.
#include "support/NameLists.h"
#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <CheckJob.h>
#include <FaultInjection.h>
#include <StoredProgram.h>
#include <System.h>
#include <Thread.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <string>

namespace fs = std::filesystem;
using platform::CFaultInjection;

namespace
{
// One reading of the job, in the order a poller must take it: `done` first, so that when it is
// set everything read after it is final; the lists before the count, which the worker raises
// after it has listed a record.
struct Snapshot
{
    bool done = false;
    RunOutcome outcome = RunOutcome::Completed;
    std::u16string storedAs;
    std::u16string good;
    std::u16string bad;
    std::uint16_t count = 0;
};

Snapshot Read(const CheckJob& job)
{
    Snapshot s;
    s.done = job.done.load() != 0;
    s.outcome = job.outcome.load();
    s.storedAs = job.storedAs.Get();
    const std::vector<ExaminedRecord> records = job.records.Snapshot();
    s.good = KeptNames(records);
    s.bad = BadNames(records);
    s.count = job.count.load();
    return s;
}

std::size_t Entries(const std::u16string& list)
{
    std::size_t entries = 0;
    for (std::size_t at = list.find(u"\r\n"); at != std::u16string::npos; at = list.find(u"\r\n", at + 2))
        ++entries;
    return entries;
}

bool IsWholeEntries(const std::u16string& list)
{
    return list.empty() || list.ends_with(u"\r\n");
}

// What one tick may show, given the tick before it and the results the run ends with.
void ExpectConsistent(const Snapshot& before, const Snapshot& now, const Snapshot& last)
{
    EXPECT_GE(now.count, before.count);
    EXPECT_LE(now.count, last.count);
    EXPECT_TRUE(now.good.starts_with(before.good) && last.good.starts_with(now.good));
    EXPECT_TRUE(now.bad.starts_with(before.bad) && last.bad.starts_with(now.bad));
    EXPECT_TRUE(IsWholeEntries(now.good) && IsWholeEntries(now.bad));
    EXPECT_LE(Entries(now.good) + Entries(now.bad), now.count + 1u);
    EXPECT_TRUE(now.outcome == RunOutcome::Completed || now.outcome == last.outcome);
    EXPECT_TRUE(now.storedAs.empty() || now.storedAs == last.storedAs);
}

// Reads the job every millisecond until `done` is set, within a minute; returns every tick.
std::vector<Snapshot> PollUntilDone(const CheckJob& job)
{
    std::vector<Snapshot> ticks;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    do
    {
        platform::SleepMilliseconds(1);
        ticks.push_back(Read(job));
    } while (!ticks.back().done && std::chrono::steady_clock::now() < deadline);
    return ticks;
}

// The tick that saw `done` read everything else after it, so it must hold the results already.
void ExpectSettled(const Snapshot& tick, const Snapshot& last)
{
    EXPECT_EQ(tick.outcome, last.outcome);
    EXPECT_EQ(tick.storedAs, last.storedAs);
    EXPECT_EQ(tick.good, last.good);
    EXPECT_EQ(tick.bad, last.bad);
    EXPECT_EQ(tick.count, last.count);
}

void ExpectTicks(const std::vector<Snapshot>& ticks, const Snapshot& last)
{
    ASSERT_TRUE(ticks.back().done) << "the worker did not finish within a minute";
    Snapshot before;
    for (const Snapshot& tick : ticks)
    {
        ExpectConsistent(before, tick, last);
        before = tick;
    }
    ExpectSettled(ticks.back(), last);
}

// A source built record by record, together with what a run over it must end with.
class Fixture
{
public:
    Fixture& Good(const std::u16string& name, std::size_t body)
    {
        const Bytes record = RecordBuilder(name).BodyOfSize(body).Build();
        m_cleaned.insert(m_cleaned.end(), record.begin(), record.end());
        m_goodNames.push_back(name);
        return Examined(record, m_expected.good, name);
    }
    Fixture& Bad(const std::u16string& name, std::size_t body)
    {
        return Examined(RecordBuilder(name).BodyOfSize(body).WrongCrc().Build(), m_expected.bad, name);
    }
    Fixture& Unrecognised(const std::u16string& name, std::size_t body)
    {
        return Examined(RecordBuilder(name, 9).BodyOfSize(body).Build(), m_expected.bad, name);
    }
    Fixture& Empty(std::size_t body)
    {
        m_image.Add(RecordBuilder(u"", StoredProgram::kStateEmpty).BodyOfSize(body));
        ++m_expected.count;
        return *this;
    }
    // Bytes the run stops at or never reaches, and how the run ends.
    Fixture& Ending(const Bytes& tail, RunOutcome outcome)
    {
        m_image.Add(tail);
        m_expected.outcome = outcome;
        return *this;
    }

    const Bytes& Image() const { return m_image.bytes(); }
    const Bytes& Cleaned() const { return m_cleaned; }
    const std::vector<std::u16string>& GoodNames() const { return m_goodNames; }
    Snapshot Expected() const
    {
        Snapshot last = m_expected;
        last.done = true;
        last.storedAs = u"line3__.pgs";
        return last;
    }

private:
    Fixture& Examined(const Bytes& record, std::u16string& list, const std::u16string& name)
    {
        m_image.Add(record);
        list += name + u"\r\n";
        ++m_expected.count;
        return *this;
    }

    FileImage m_image;
    Bytes m_cleaned;
    std::vector<std::u16string> m_goodNames;
    Snapshot m_expected;
};

std::u16string Numbered(const char16_t* stem, int i)
{
    return stem + std::u16string(1, static_cast<char16_t>(u'A' + i / 26)) +
           std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
}

// Many records of every kind, each listed as the walk reaches it.
Fixture EveryKindOfRecord()
{
    Fixture fixture;
    for (int i = 0; i < 96; ++i)
    {
        switch (i % 4)
        {
        case 0: fixture.Good(Numbered(u"GOOD ", i), 4000 + static_cast<std::size_t>(i)); break;
        case 1: fixture.Bad(Numbered(u"BAD ", i), 3001); break;
        case 2: fixture.Unrecognised(Numbered(u"ODD ", i), 12); break;
        default: fixture.Empty(100); break;
        }
    }
    return fixture.Ending(FileImage().EndMark().Add(RecordBuilder(u"AFTER").BodyOfSize(4)).bytes(),
                          RunOutcome::Completed);
}

Fixture MoreThanTheRecordLimit()
{
    Fixture fixture;
    for (int i = 0; i < 100; ++i)
        fixture.Good(Numbered(u"P", i), 2000);
    return fixture.Ending(RecordBuilder(u"UNREAD").BodyOfSize(2000).Build(), RunOutcome::Completed);
}

Fixture ExceedingTheMemory()
{
    Fixture fixture;
    for (int i = 0; i < 60; ++i)
        fixture.Good(Numbered(u"P", i), 3000);
    return fixture.Ending(RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0xFFFFFFFF).Build(), RunOutcome::MemoryExceeded);
}

// 96 records of 8,192 bytes: the memory to its last byte.
Fixture FillingTheMemory()
{
    Fixture fixture;
    for (int i = 0; i < 96; ++i)
        fixture.Good(Numbered(u"P", i), 8192 - StoredProgram::kHeaderSize);
    return fixture.Ending({}, RunOutcome::BeyondMemory);
}

void ExpectFiles(const WorkerRun& run, const Fixture& fixture, const fs::path& source, const Bytes& image)
{
    EXPECT_EQ(ReadFile(run.Cleaned()), fixture.Cleaned());
    EXPECT_EQ(ReadFile(source), image) << "the source must never change";
}

TEST(JobHandover, PollingReaderSeesTheRunGrowTowardsItsResults)
{
    const struct
    {
        const char* what;
        Fixture fixture;
    } cases[] = {
        {"every kind of record up to the end mark", EveryKindOfRecord()},
        {"more than 100 records", MoreThanTheRecordLimit()},
        {"a stored program beyond the memory", ExceedingTheMemory()},
        {"records filling the memory", FillingTheMemory()},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        WorkerRun run;
        const fs::path source = run.Source(c.fixture.Image());
        run.job.PrepareRun(U16(source), false, nullptr);
        platform::CThread worker;
        ASSERT_TRUE(StartChecker(run.job, worker));

        ExpectTicks(PollUntilDone(run.job), c.fixture.Expected());
        worker.Join();
        ExpectFiles(run, c.fixture, source, c.fixture.Image());
    }
}

// The front end's answer to a failed save blocks the worker, as the dialog's box does, until
// the test lets it go.
class CBlockingReport : public IActiveProgramReport
{
public:
    void OnSaved(const std::u16string&, const std::u16string&) override {}
    void OnNotSaved(const std::u16string& name) override
    {
        if (!name.ends_with(u"STOP"))
            return;
        m_shown.set_value();
        m_closing.wait();
    }

    std::future<void> Shown() { return m_shown.get_future(); }
    void Close() { m_closed.set_value(); }

private:
    std::promise<void> m_shown;
    std::promise<void> m_closed;
    std::shared_future<void> m_closing = m_closed.get_future().share();
};

// The operator closes the dialog while the worker waits in its "Failed to save" box: the abort
// takes effect once the box is closed, before the next record, and the run keeps no cleaned file.
TEST(JobHandover, AbortWhileTheWorkerWaitsInABox)
{
    Fixture fixture;
    for (int i = 0; i < 30; ++i)
        fixture.Good(Numbered(u"P", i), 3000);
    fixture.Good(u"no/such/folder/STOP", 10);
    Fixture whole = fixture;
    for (int i = 30; i < 60; ++i)
        whole.Good(Numbered(u"P", i), 3000);

    CBlockingReport box;
    WorkerRun run;
    const fs::path source = run.Source(whole.Image());
    WriteFile(run.Cleaned(), Bytes(20, 0x42));
    run.job.PrepareRun(U16(source), true, &box);
    platform::CThread worker;
    ASSERT_TRUE(StartChecker(run.job, worker));

    ASSERT_EQ(box.Shown().wait_for(std::chrono::minutes(1)), std::future_status::ready);
    const Snapshot atTheBox = Read(run.job);
    EXPECT_FALSE(atTheBox.done);
    EXPECT_EQ(atTheBox.count, 30);
    run.job.abort = 1;
    box.Close();

    Snapshot expected = fixture.Expected();
    expected.outcome = RunOutcome::Aborted;
    ExpectTicks(PollUntilDone(run.job), expected);
    worker.Join();
    EXPECT_EQ(ReadFile(run.Cleaned()), Bytes(20, 0x42));
    EXPECT_EQ(ReadFile(source), whole.Image());
    EXPECT_TRUE(run.Temporaries().empty());
    for (const std::u16string& name : fixture.GoodNames())
        EXPECT_EQ(fs::exists(run.dir() / fs::path(name + u".pga")), name != u"no/such/folder/STOP");
}

std::uint32_t OperationsOfACleanRun(const Fixture& fixture)
{
    WorkerRun run;
    const fs::path source = run.Source(fixture.Image());
    CFaultInjection::Reset();
    EXPECT_EQ(run.Run(source, true), RunOutcome::Completed);
    return CFaultInjection::FileOperationCount();
}

// Each file operation of a run failing in turn (0: the buffer allocation instead), with the worker
// on its own thread: once a reader sees `done`, the outcome is in place, the source is unchanged,
// and the cleaned file is the older one or the complete new one.
TEST(JobHandover, EveryFailureEndsWithDoneLast)
{
    Fixture fixture;
    fixture.Good(u"BOX A", 3).Bad(u"LID", 12).Good(u"BOX B", 40).Ending(FileImage().EndMark().bytes(),
                                                                        RunOutcome::Completed);
    const Bytes older(50, 0x42);
    const std::uint32_t operations = OperationsOfACleanRun(fixture);
    for (std::uint32_t k = 0; k <= operations; ++k)
    {
        SCOPED_TRACE(k == 0 ? "the allocation fails" : "file operation " + std::to_string(k) + " fails");
        WorkerRun run;
        const fs::path source = run.Source(fixture.Image());
        WriteFile(run.Cleaned(), older);
        CFaultInjection::Reset();
        if (k == 0)
            CFaultInjection::FailNth(platform::Seam::Allocation, 1);
        else
            CFaultInjection::FailNthFileOperation(k);
        run.job.PrepareRun(U16(source), true, nullptr);
        platform::CThread worker;
        ASSERT_TRUE(StartChecker(run.job, worker));

        const Snapshot seen = PollUntilDone(run.job).back();
        ASSERT_TRUE(seen.done);
        worker.Join();
        ExpectSettled(seen, Read(run.job));
        EXPECT_EQ(ReadFile(source), fixture.Image());
        // Only an active program file can fail without ending the run.
        EXPECT_EQ(ReadFile(run.Cleaned()), seen.outcome == RunOutcome::Completed ? fixture.Cleaned() : older);
        EXPECT_TRUE(run.Temporaries().empty());
    }
}
}

namespace
{
// Blocks the worker in its "Failed to save" answer until the gate, which the test owns, opens.
class CGatedReport : public IActiveProgramReport
{
public:
    CGatedReport(std::promise<void>& shown, std::shared_future<void> gate) : m_shown(shown), m_gate(std::move(gate)) {}

    void OnSaved(const std::u16string&, const std::u16string&) override {}
    void OnNotSaved(const std::u16string&) override
    {
        m_shown.set_value();
        m_gate.wait();
    }

private:
    std::promise<void>& m_shown;
    std::shared_future<void> m_gate;
};

// What the desktop program keeps for its worker in one shared block: the job, the report and the
// end notice. Going, it tells whether the end notice came before.
struct SharedRun : IRunEndNotice
{
    SharedRun(std::promise<bool>& gone, CGatedReport reportAs) : m_gone(gone), report(std::move(reportAs)) {}
    ~SharedRun() override { m_gone.set_value(m_ended); }

    void OnRunEnded() override { m_ended = true; }

    std::promise<bool>& m_gone;
    bool m_ended = false;
    CheckJob job;
    CGatedReport report;
};
}

// The front end asks the worker to stop, gives up waiting while the worker is held in its box, and
// lets go of the job. The worker still finds the job, the report and the notice; the block goes
// with the worker's last act, the end notice. The sanitizer builds see any touch of freed memory.
TEST(JobHandover, ASharedJobOutlivesTheFrontEndThatLetItGo)
{
    Fixture fixture;
    fixture.Good(u"BOX A", 3).Good(u"no/such/folder/BOX B", 10).Good(u"TRAY", 40);
    WorkerRun scratch;
    const fs::path source = scratch.Source(fixture.Image());
    WriteFile(scratch.Cleaned(), Bytes(20, 0x42));

    std::promise<void> shown;
    std::promise<void> gate;
    std::promise<bool> gone;
    std::future<bool> goneSeen = gone.get_future();
    auto shared = std::make_shared<SharedRun>(gone, CGatedReport(shown, gate.get_future().share()));
    shared->job.Reset();
    shared->job.PrepareRun(U16(source), true, &shared->report, {}, shared.get());
    platform::CThread worker;
    ASSERT_TRUE(StartChecker(std::shared_ptr<CheckJob>(shared, &shared->job), worker));

    ASSERT_EQ(shown.get_future().wait_for(std::chrono::minutes(1)), std::future_status::ready);
    shared->job.abort = 1;
    EXPECT_FALSE(shared->job.WaitUntilDone(std::chrono::milliseconds(50)));
    shared.reset();
    EXPECT_EQ(goneSeen.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout)
        << "the job went while its worker was still running";

    gate.set_value();
    ASSERT_EQ(goneSeen.wait_for(std::chrono::minutes(1)), std::future_status::ready);
    EXPECT_TRUE(goneSeen.get()) << "the block went before the end notice";
    worker.Join();
    EXPECT_EQ(ReadFile(scratch.Cleaned()), Bytes(20, 0x42));
    EXPECT_TRUE(scratch.Temporaries().empty());
}
