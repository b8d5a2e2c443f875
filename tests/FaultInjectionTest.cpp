#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <File.h>
#include <FaultInjection.h>
#include <TextConversion.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::CFaultInjection;
using platform::Seam;

namespace
{
const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();
const Bytes kBoxB = RecordBuilder(u"BOX B").BodyOfSize(40).Build();
const Bytes kImage = FileImage().Add(kBoxA).Add(kLid).Add(kBoxB).EndMark().bytes();
const Bytes kCleaned = FileImage().Add(kBoxA).Add(kBoxB).bytes();
// What the folder held before the run: every output must be this or the complete new file.
const Bytes kOlder(77, 0x42);

struct FaultCase
{
    Seam op;
    std::uint32_t nth;
    RunOutcome outcome;
};

// Without active program files the operations come in this order: open the source, create the
// temporary cleaned file, read the source, close it; at the end write the cleaned file, flush
// it, close it and rename it over the older one.
TEST(FaultInjection, EachFileOperationFailingEndsTheRunInOrder)
{
    const FaultCase cases[] = {
        {Seam::Open, 1, RunOutcome::SourceNotOpened}, {Seam::Open, 2, RunOutcome::OutputNotCreated},
        {Seam::Read, 1, RunOutcome::ReadFailed},      {Seam::Close, 1, RunOutcome::ReadFailed},
        {Seam::Write, 1, RunOutcome::WriteFailed},    {Seam::Flush, 1, RunOutcome::WriteFailed},
        {Seam::Close, 2, RunOutcome::WriteFailed},    {Seam::Rename, 1, RunOutcome::WriteFailed},
    };
    for (const FaultCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(c.op) << " #" << c.nth);
        WorkerRun run;
        const fs::path source = run.Source(kImage);
        WriteFile(run.Cleaned(), kOlder);
        CFaultInjection::FailNth(c.op, c.nth);
        EXPECT_EQ(run.Run(source), c.outcome);
        EXPECT_EQ(run.job.done.load(), 1);
        EXPECT_TRUE(run.job.results.cleanedPath.empty());
        EXPECT_EQ(ReadFile(run.Cleaned()), kOlder);
        EXPECT_EQ(ReadFile(source), kImage);
        EXPECT_TRUE(run.Temporaries().empty());
        // The source was closed again: it can be opened without sharing.
        platform::CFile reopened;
        EXPECT_EQ(reopened.OpenForReading(U16(source)), platform::OpenResult::Opened);
    }
}

std::uint32_t OperationsOfACleanRun()
{
    WorkerRun run;
    const fs::path source = run.Source(kImage);
    CFaultInjection::Reset();
    EXPECT_EQ(run.Run(source, true), RunOutcome::Completed);
    return CFaultInjection::FileOperationCount();
}

// With active program files on, every single operation of a run is made to fail in turn: each
// output is then the file that was there before or the complete new one, and no temporary file
// stays.
TEST(FaultInjection, EveryOperationOfARunFailingInTurn)
{
    const std::uint32_t operations = OperationsOfACleanRun();
    ASSERT_GT(operations, 14u);
    for (std::uint32_t k = 1; k <= operations; ++k)
    {
        SCOPED_TRACE(testing::Message() << "operation " << k << " of " << operations);
        WorkerRun run;
        const fs::path source = run.Source(kImage);
        for (const char* output : {"line3__.pgs", "BOX A.pga", "BOX B.pga"})
            WriteFile(run.dir() / output, kOlder);
        CFaultInjection::Reset();
        CFaultInjection::FailNthFileOperation(k);
        const RunOutcome outcome = run.Run(source, true);

        EXPECT_EQ(run.job.done.load(), 1);
        EXPECT_EQ(ReadFile(source), kImage);
        EXPECT_TRUE(run.Temporaries().empty());
        for (const auto& [name, record] : {std::pair{"BOX A.pga", kBoxA}, std::pair{"BOX B.pga", kBoxB}})
        {
            const Bytes file = ReadFile(run.dir() / name);
            EXPECT_TRUE(file == kOlder || file == record) << name;
        }
        if (outcome == RunOutcome::Completed)
        {
            // Only an active program file can fail without ending the run; the operator is told.
            EXPECT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(ReadFile(run.Cleaned()), kCleaned);
        }
        else
        {
            EXPECT_TRUE(IsFailure(outcome)) << static_cast<int>(outcome);
            EXPECT_EQ(ReadFile(run.Cleaned()), kOlder);
        }
    }
}
}
