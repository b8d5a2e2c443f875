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
    EXPECT_EQ(run.Run(run.Source(image), true), RunOutcome::Completed);
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
    EXPECT_EQ(run.Run(run.Source(kBoxA), false), RunOutcome::Completed);
    EXPECT_FALSE(fs::exists(run.dir() / "BOX A.pga"));
}

TEST(ActiveProgram, LaterRecordOfTheSameNameReplacesALongerFile)
{
    WorkerRun run;
    const Bytes later = RecordBuilder(u"BOX A", 2).Body({9}).Build();
    WriteFile(run.dir() / "BOX A.pga", Bytes(4096, 0x11));
    EXPECT_EQ(run.Run(run.Source(FileImage().Add(kBoxA).Add(later).bytes()), true), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(run.dir() / "BOX A.pga"), later);
}

TEST(ActiveProgram, EmptyNameGivesDotPga)
{
    WorkerRun run;
    const Bytes unnamed = RecordBuilder(u"").Build();
    EXPECT_EQ(run.Run(run.Source(unnamed), true), RunOutcome::Completed);
    EXPECT_EQ(ReadFile(run.dir() / ".pga"), unnamed);
}

// A name that holds a path separator is refused even where the folder it names exists: active
// program files go into the current folder and nowhere else. The record stays good and kept.
TEST(ActiveProgram, NameWithASeparatorIsRefusedEvenWhereTheFolderExists)
{
    WorkerRun run;
    fs::create_directory(run.dir() / "cell1");
    const Bytes inside = RecordBuilder(u"cell1/PART").Build();
    EXPECT_EQ(run.Run(run.Source(inside), true), RunOutcome::Completed);
    EXPECT_FALSE(fs::exists(run.dir() / "cell1" / "PART.pga"));
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program cell1/PART"}));
    EXPECT_EQ(run.GoodList(), u"cell1/PART\r\n");
    EXPECT_EQ(ReadFile(run.Cleaned()), inside);
}

// A name that is not a plain file name here (see PlainFileNameTest) writes no file; the
// operator is told and the program stays good.
TEST(ActiveProgram, ANameThatIsNotAPlainFileNameIsRefused)
{
    WorkerRun run;
    fs::create_directory(run.dir() / "inner");
    const fs::path source = run.Source(RecordBuilder(u"../escaped").Build(), "inner/line3.pgs");
    fs::current_path(run.dir() / "inner");
    EXPECT_EQ(run.Run(source, true), RunOutcome::Completed);
    EXPECT_FALSE(fs::exists(run.dir() / "escaped.pga"));
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program ../escaped"}));
    EXPECT_EQ(run.GoodList(), u"../escaped\r\n");
    EXPECT_EQ(ReadFile(run.dir() / "inner" / "line3__.pgs"), RecordBuilder(u"../escaped").Build());
}

#ifndef _WIN32
// A link standing where an active program file goes is replaced by the file, never followed; a
// name through a link to a folder elsewhere is refused like any name with a separator.
TEST(ActiveProgram, LinksAreNeverWrittenThrough)
{
    WorkerRun run;
    const TempDir elsewhere;
    WriteFile(elsewhere / "target.bin", Bytes(9, 0x33));
    fs::create_symlink(elsewhere / "target.bin", run.dir() / "BOX A.pga");
    fs::create_directory_symlink(elsewhere.path(), run.dir() / "a2");
    const Bytes through = RecordBuilder(u"a2/x").Build();
    EXPECT_EQ(run.Run(run.Source(FileImage().Add(kBoxA).Add(through).bytes()), true), RunOutcome::Completed);
    EXPECT_FALSE(fs::is_symlink(run.dir() / "BOX A.pga"));
    EXPECT_EQ(ReadFile(run.dir() / "BOX A.pga"), kBoxA);
    EXPECT_EQ(ReadFile(elsewhere / "target.bin"), Bytes(9, 0x33));
    EXPECT_FALSE(fs::exists(elsewhere / "x.pga"));
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program a2/x"}));
}
#endif

TEST(ActiveProgram, UnwritableFileGivesOneBoxPerGoodRecordAndTheRunGoesOn)
{
    WorkerRun run;
    // A folder where each file would go cannot be opened as a file.
    fs::create_directory(run.dir() / "BOX A.pga");
    fs::create_directory(run.dir() / "TRAY.pga");
    const Bytes image = FileImage().Add(kBoxA).Add(kLid).Add(kTray).bytes();
    EXPECT_EQ(run.Run(run.Source(image), true), RunOutcome::Completed);
    EXPECT_EQ(run.boxes, (std::vector<std::u16string>{u"Failed to save active program BOX A",
                                                      u"Failed to save active program TRAY"}));
    EXPECT_EQ(run.GoodList(), u"BOX A\r\nTRAY\r\n");
    EXPECT_EQ(ReadFile(run.Cleaned()), FileImage().Add(kBoxA).Add(kTray).bytes());
}

TEST(ActiveProgram, FilesWrittenBeforeAFatalErrorStay)
{
    WorkerRun run;
    const Bytes image = FileImage().Add(kBoxA).Add(RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 1)).bytes();
    EXPECT_EQ(run.Run(run.Source(image), true), RunOutcome::MemoryExceeded);
    EXPECT_EQ(ReadFile(run.dir() / "BOX A.pga"), kBoxA);
}
}
