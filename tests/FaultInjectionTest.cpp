#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <FileFaults.h>
#include <TextConversion.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::CFileFaults;
using platform::FileOp;

namespace
{
const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();
const Bytes kBoxB = RecordBuilder(u"BOX B").BodyOfSize(40).Build();
const Bytes kImage = FileImage().Add(kBoxA).Add(kLid).Add(kBoxB).EndMark().bytes();

struct FaultCase
{
    FileOp op;
    std::uint32_t nth;
    unsigned exitCode;
    const char16_t* error;
    bool outputExists;
};

// Without active program files the operations come in this order: open the source, create the
// output, take the position, then per record seek, read the header (and body), write a good one;
// at the end flush the output, close the source, close the output.
TEST(FaultInjection, EachFileOperationFailingEndsTheRunInOrder)
{
    const FaultCase cases[] = {
        {FileOp::Open, 1, kExitSourceNotOpened, u"File not found.", false},
        {FileOp::Open, 2, kExitOutputNotCreated, u"File not found.", false},
        {FileOp::Seek, 1, kExitFileError, u"File read error.", false},
        {FileOp::Seek, 3, kExitFileError, u"File read error.", false},
        {FileOp::Read, 1, kExitFileError, u"File read error.", false},
        {FileOp::Read, 2, kExitFileError, u"File read error.", false},
        {FileOp::Write, 1, kExitFileError, u"File write error.", false},
        {FileOp::Write, 2, kExitFileError, u"File write error.", false},
        {FileOp::Flush, 1, kExitFileError, u"File write error.", false},
        {FileOp::Close, 1, kExitFileError, u"File read error.", false},
        {FileOp::Close, 2, kExitFileError, u"File write error.", false},
    };
    for (const FaultCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "operation " << static_cast<int>(c.op) << " #" << c.nth);
        WorkerRun run;
        const fs::path source = run.Source(kImage);
        CFileFaults::FailNth(c.op, c.nth);
        EXPECT_EQ(run.Run(source), c.exitCode);
        EXPECT_EQ(run.job.error.Get(), c.error);
        EXPECT_EQ(run.job.done.load(), 1);
        EXPECT_EQ(fs::exists(run.Cleaned()), c.outputExists);
        EXPECT_EQ(ReadFile(source), kImage);
    }
}

bool IsPrefixOfGoodRecords(const Bytes& output)
{
    for (const Bytes& prefix : {Bytes{}, kBoxA, FileImage().Add(kBoxA).Add(kBoxB).bytes()})
    {
        if (output == prefix)
            return true;
    }
    return false;
}

std::uint32_t OperationsOfACleanRun()
{
    WorkerRun run;
    const fs::path source = run.Source(kImage);
    CFileFaults::Reset();
    EXPECT_EQ(run.Run(source, true), kExitNormal);
    return CFileFaults::OperationCount();
}

// With active program files on, every single operation of a run is made to fail in turn.
TEST(FaultInjection, EveryOperationOfARunFailingInTurn)
{
    const std::uint32_t operations = OperationsOfACleanRun();
    ASSERT_GT(operations, 10u);
    for (std::uint32_t k = 1; k <= operations; ++k)
    {
        SCOPED_TRACE(testing::Message() << "operation " << k << " of " << operations);
        WorkerRun run;
        const fs::path source = run.Source(kImage);
        CFileFaults::Reset();
        CFileFaults::FailNthOfAny(k);
        run.Run(source, true);

        EXPECT_EQ(run.job.done.load(), 1);
        EXPECT_EQ(ReadFile(source), kImage);
        if (fs::exists(run.Cleaned()))
        {
            EXPECT_TRUE(IsPrefixOfGoodRecords(ReadFile(run.Cleaned())));
        }
        for (const auto& [name, record] : {std::pair{"BOX A.pga", kBoxA}, std::pair{"BOX B.pga", kBoxB}})
        {
            if (fs::exists(run.dir() / name))
            {
                EXPECT_EQ(ReadFile(run.dir() / name), record) << name;
            }
        }
        const std::u16string error = run.job.error.Get();
        if (error.empty())
        {
            // Only an active program file can fail without ending the run; the operator is told.
            EXPECT_EQ(run.boxes.size(), 1u);
            EXPECT_EQ(ReadFile(run.Cleaned()), FileImage().Add(kBoxA).Add(kBoxB).bytes());
        }
        else
        {
            EXPECT_TRUE(error == u"File not found." || error == u"File read error." || error == u"File write error.")
                << platform::ToUtf8(error);
        }
    }
}
}
