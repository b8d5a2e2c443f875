#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <ActiveProgram.h>
#include <File.h>
#include <TextConversion.h>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kBoxB = RecordBuilder(u"BOX B", 3).BodyOfSize(40).Build();
const Bytes kTray = RecordBuilder(u"TRAY").BodyOfSize(8).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();
const Bytes kEmpty = RecordBuilder(u"EMPTY", 0).BodyOfSize(4).Build();
const Bytes kOdd = RecordBuilder(u"ODD", 9).Build();

TEST(ActiveProgram, EveryGoodRecordBecomesItsOwnFile)
{
    WorkerRun run;
    const Bytes image = FileImage().Add(kBoxA).Add(kLid).Add(kEmpty).Add(kOdd).Add(kBoxB).Add(kTray).bytes();
    EXPECT_EQ(run.Run(run.Source(image), true), kExitNormal);
    EXPECT_EQ(ReadFile(run.dir() / "BOX A.pga"), kBoxA);
    EXPECT_EQ(ReadFile(run.dir() / "BOX B.pga"), kBoxB);
    EXPECT_EQ(ReadFile(run.dir() / "TRAY.pga"), kTray);
    for (const char* never : {"LID.pga", "EMPTY.pga", "ODD.pga"})
        EXPECT_FALSE(fs::exists(run.dir() / never)) << never;
    EXPECT_TRUE(run.boxes.empty());
}

TEST(ActiveProgram, NothingIsWrittenWithTheOptionOff)
{
    WorkerRun run;
    EXPECT_EQ(run.Run(run.Source(kBoxA), false), kExitNormal);
    EXPECT_FALSE(fs::exists(run.dir() / "BOX A.pga"));
}

TEST(ActiveProgram, LaterRecordOfTheSameNameReplacesALongerFile)
{
    WorkerRun run;
    const Bytes later = RecordBuilder(u"BOX A", 2).Body({9}).Build();
    WriteFile(run.dir() / "BOX A.pga", Bytes(4096, 0x11));
    EXPECT_EQ(run.Run(run.Source(FileImage().Add(kBoxA).Add(later).bytes()), true), kExitNormal);
    EXPECT_EQ(ReadFile(run.dir() / "BOX A.pga"), later);
}

TEST(ActiveProgram, EmptyNameGivesDotPga)
{
    WorkerRun run;
    const Bytes unnamed = RecordBuilder(u"").Build();
    EXPECT_EQ(run.Run(run.Source(unnamed), true), kExitNormal);
    EXPECT_EQ(ReadFile(run.dir() / ".pga"), unnamed);
}

TEST(ActiveProgram, NameWithASeparatorWritesIntoAnExistingSubfolderOnly)
{
    WorkerRun run;
    fs::create_directory(run.dir() / "cell1");
    const Bytes inside = RecordBuilder(u"cell1/PART").Build();
    const Bytes nowhere = RecordBuilder(u"cell9/PART").Build();
    EXPECT_EQ(run.Run(run.Source(FileImage().Add(inside).Add(nowhere).bytes()), true), kExitNormal);
    EXPECT_EQ(ReadFile(run.dir() / "cell1" / "PART.pga"), inside);
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program cell9/PART"}));
    EXPECT_EQ(ReadFile(run.Cleaned()), FileImage().Add(inside).Add(nowhere).bytes());
}

TEST(ActiveProgram, NamesLeavingTheCurrentDirectoryAreRefused)
{
    std::vector<std::u16string> refused = {u"..", u"../escaped", u"a/../../escaped", u"a/.."};
#ifdef _WIN32
    refused.insert(refused.end(), {u"..\\escaped", u"a\\..\\..\\escaped", u"c:escaped", u"x:y", u"C:\\escaped"});
#endif
    for (const auto& name : refused)
        EXPECT_FALSE(IsActiveProgramNameSafe(name)) << platform::ToUtf8(name);
    for (const std::u16string name : {u"...", u"..a", u"a..", u"BOX A", u"cell/PART", u".pga"})
        EXPECT_TRUE(IsActiveProgramNameSafe(name)) << platform::ToUtf8(name);

    WorkerRun run;
    fs::create_directory(run.dir() / "inner");
    const fs::path source = run.Source(RecordBuilder(u"../escaped").Build(), "inner/line3.pgs");
    fs::current_path(run.dir() / "inner");
    EXPECT_EQ(run.Run(source, true), kExitNormal);
    EXPECT_FALSE(fs::exists(run.dir() / "escaped.pga"));
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program ../escaped"}));
    EXPECT_EQ(run.job.goodList.Get(), u"../escaped\r\n");
    EXPECT_EQ(ReadFile(run.dir() / "inner" / "line3__.pgs"), RecordBuilder(u"../escaped").Build());
}

TEST(ActiveProgram, UnwritableFileGivesOneBoxPerGoodRecordAndTheRunGoesOn)
{
    WorkerRun run;
    // A folder where each file would go cannot be opened as a file.
    fs::create_directory(run.dir() / "BOX A.pga");
    fs::create_directory(run.dir() / "TRAY.pga");
    const Bytes image = FileImage().Add(kBoxA).Add(kLid).Add(kTray).bytes();
    EXPECT_EQ(run.Run(run.Source(image), true), kExitNormal);
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program BOX A",
                                                      u"Failed to save active program TRAY"}));
    EXPECT_EQ(run.job.goodList.Get(), u"BOX A\r\nTRAY\r\n");
    EXPECT_EQ(ReadFile(run.Cleaned()), FileImage().Add(kBoxA).Add(kTray).bytes());
}

TEST(ActiveProgram, FilesWrittenBeforeAFatalErrorStay)
{
    WorkerRun run;
    const Bytes image = FileImage().Add(kBoxA).Add(RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 1)).bytes();
    EXPECT_EQ(run.Run(run.Source(image), true), kExitMemoryExceeded);
    EXPECT_EQ(ReadFile(run.dir() / "BOX A.pga"), kBoxA);
}
}
