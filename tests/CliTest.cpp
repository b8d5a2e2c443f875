#include "support/Process.h"
#include "support/RecordBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
#ifdef _WIN32
const std::string NL = "\r\n";
#else
const std::string NL = "\n";
#endif

const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();
const Bytes kTray = RecordBuilder(u"TRAY", 3).BodyOfSize(30).Build();

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + NL;
    return text;
}

class Cli : public testing::Test
{
protected:
    ProcessResult Run(const std::vector<std::string>& arguments)
    {
        return RunProcess(BuildProgram(fs::path("cli") / std::string("jobsift-cli").append(Exe())), arguments, dir.path());
    }

    static std::string Exe()
    {
#ifdef _WIN32
        return ".exe";
#else
        return "";
#endif
    }

    TempDir dir;
};

TEST_F(Cli, ChecksAFileAndPrintsTheResults)
{
    WriteFile(dir / "line3.pgs", FileImage().Add(kBoxA).Add(kLid).Add(kTray).EndMark().bytes());
    const ProcessResult result = Run({"line3.pgs"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, Lines({"3 Files Checked...Done!", "File stored as: line3__.pgs", "Good Programs (kept)",
                                 "BOX A", "TRAY", "Bad Programs (deleted)", "LID"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(dir / "line3__.pgs"), FileImage().Add(kBoxA).Add(kTray).bytes());
    EXPECT_FALSE(fs::exists(dir / "BOX A.pga"));
}

TEST_F(Cli, SaveActiveWritesProgramsAndReportsFailedSaves)
{
    WriteFile(dir / "line3.pgs", FileImage().Add(kBoxA).Add(kTray).bytes());
    fs::create_directory(dir / "TRAY.pga");
    const ProcessResult result = Run({"--save-active", "line3.pgs"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(ReadFile(dir / "BOX A.pga"), kBoxA);
    EXPECT_EQ(result.err, Lines({"Failed to save active program TRAY"}));
    EXPECT_EQ(result.out, Lines({"2 Files Checked...Done!", "File stored as: line3__.pgs", "Good Programs (kept)",
                                 "BOX A", "TRAY", "Bad Programs (deleted)"}));
}

TEST_F(Cli, SeveralFilesEachUnderItsOwnHeading)
{
    WriteFile(dir / "a.pgs", kBoxA);
    const Bytes beyond = RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0).Build();
    WriteFile(dir / "b.PGS", FileImage().Add(kTray).Add(beyond).bytes());
    const ProcessResult result = Run({"a.pgs", "missing.pgs", "b.PGS"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, Lines({"a.pgs", "1 Files Checked...Done!", "File stored as: a__.pgs",
                                 "Good Programs (kept)", "BOX A", "Bad Programs (deleted)",
                                 "missing.pgs", "0 Files Checked...", "Good Programs (kept)", "Bad Programs (deleted)",
                                 "b.PGS", "1 Files Checked...", "Good Programs (kept)", "TRAY",
                                 "Bad Programs (deleted)"}));
    EXPECT_EQ(result.err, Lines({"Error: File not found.", "Error: Memory size exceeded."}));
}

TEST_F(Cli, ImproperPathIsSkippedAndWinsTheExitStatus)
{
    WriteFile(dir / "a.pgs", kBoxA);
    const ProcessResult result = Run({"notes.txt", "missing.pgs", "a.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Improper file name or file path.", "Error: File not found."}));
    EXPECT_EQ(result.out.find("notes.txt"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "a__.pgs"));
}

TEST_F(Cli, UnknownProgramStateIsAFailedRun)
{
    const Bytes half = RecordBuilder(u"HALF").BodyOfSize(0xC0000 / 2 - 158).Build();
    WriteFile(dir / "full.pgs", FileImage().Add(half).Add(half).bytes());
    const ProcessResult result = Run({"full.pgs"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, Lines({"Error: Unknown Program State"}));
    EXPECT_EQ(result.out, Lines({"2 Files Checked...", "Good Programs (kept)", "HALF", "HALF", "Bad Programs (deleted)"}));
}

TEST_F(Cli, NamesPrintAsUtf8AndALoneSurrogateAsReplacement)
{
    const Bytes accented = RecordBuilder(u"CAFÉ \u4E2D").Build();
    const Bytes broken = RecordBuilder().RawNameUnits({u'X', 0xD800, u'Y'}).WrongCrc().Build();
    WriteFile(dir / "names.pgs", FileImage().Add(accented).Add(broken).bytes());
    const ProcessResult result = Run({"names.pgs"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, Lines({"2 Files Checked...Done!", "File stored as: names__.pgs", "Good Programs (kept)",
                                 "CAF\xC3\x89 \xE4\xB8\xAD", "Bad Programs (deleted)", "X\xEF\xBF\xBDY"}));
}

TEST_F(Cli, UsageVersionAndHelp)
{
    struct Case { std::vector<std::string> arguments; int status; bool outputs; };
    const Case cases[] = {
        {{}, 2, false},
        {{"--frobnicate", "a.pgs"}, 2, false},
        {{"--help"}, 0, true},
    };
    for (const Case& c : cases)
    {
        const ProcessResult result = Run(c.arguments);
        EXPECT_EQ(result.exitStatus, c.status);
        EXPECT_EQ(result.out.find("usage: jobsift-cli [--save-active] FILE..."), c.outputs ? 0u : std::string::npos);
        if (!c.outputs)
        {
            EXPECT_NE(result.err.find("usage:"), std::string::npos);
        }
    }
    const ProcessResult version = Run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, Lines({"JOBSIFT 1.0.0.1"}));
}
}
