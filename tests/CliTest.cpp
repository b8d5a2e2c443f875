// jobsift-cli run as a process, as an operator or a script runs it: its streams, exit status
// and the files it leaves.
#include "support/Process.h"
#include "support/RecordBuilder.h"
#include "support/TempDir.h"

#include <StoredProgram.h>
#include <WholeFile.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <thread>
#endif

namespace fs = std::filesystem;
using nlohmann::json;

namespace
{
#ifdef _WIN32
const std::string NL = "\r\n";
const std::string kExe = ".exe";
#else
const std::string NL = "\n";
const std::string kExe;
#endif

const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kBoxB = RecordBuilder(u"BOX B", 2).BodyOfSize(41).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();
const Bytes kTray = RecordBuilder(u"TRAY", 3).BodyOfSize(30).Build();

std::string Lines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + NL;
    return text;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    FileImage image;
    for (const Bytes& part : parts)
        image.Add(part);
    return image.bytes();
}

fs::path CliProgram()
{
    return BuildProgram(fs::path("cli") / std::string("jobsift-cli").append(kExe));
}

std::vector<std::string> TemporaryFiles(const fs::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
    {
        if (platform::IsTemporaryFileName(entry.path().filename().u16string()))
            found.push_back(entry.path().string());
    }
    return found;
}

class Cli : public testing::Test
{
protected:
    ProcessResult Run(const std::vector<std::string>& arguments) { return RunProcess(CliProgram(), arguments, dir.path()); }

    TempDir dir;
};

TEST_F(Cli, ChecksAFileAndPrintsTheResults)
{
    WriteFile(dir / "line3.pgs", FileImage().Add(kBoxA).Add(kLid).Add(kTray).EndMark().bytes());
    const ProcessResult result = Run({"line3.pgs"});
    EXPECT_EQ(result.exitStatus, 1) << "a bad record is damage";
    EXPECT_EQ(result.out, Lines({"3 Files Checked...Done!", "File stored as: line3__.pgs", "Good Programs (kept)",
                                 "BOX A", "TRAY", "Bad Programs (deleted)", "LID"}));
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(dir / "line3__.pgs"), FileImage().Add(kBoxA).Add(kTray).bytes());
    EXPECT_FALSE(fs::exists(dir / "BOX A.pga"));
}

// 0: nothing failed and every record was good or empty; 1: damage; 2: a check failed; the worst
// file of a command decides.
TEST_F(Cli, ExitStatusSaysWhatWasFound)
{
    const Bytes empty = RecordBuilder(u"", 0).BodyOfSize(10).Build();
    const Bytes unknown = RecordBuilder(u"ODD", 9).Build();
    const Bytes huge = RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0).Build();
    WriteFile(dir / "clean.pgs", Concat({kBoxA, empty, kTray}));
    WriteFile(dir / "bad.pgs", Concat({kBoxA, kLid}));
    WriteFile(dir / "unknown.pgs", Concat({kBoxA, unknown}));
    WriteFile(dir / "exceeded.pgs", Concat({kBoxA, huge}));
    WriteFile(dir / "recovered.pgs", Concat({kBoxA, huge, kTray}));
    WriteFile(dir / "duplicate.pgs", Concat({kBoxA, FileImage().EndMark().bytes(), kBoxA}));
    // Every record the plain walk reads is good or empty, but an empty record hides an intact
    // program: damage. An intact program behind the end mark alone is none.
    const Bytes hiding = RecordBuilder(u"", 0).Body(kTray).Build();
    WriteFile(dir / "hidden.pgs", Concat({kBoxA, hiding, FileImage().EndMark().bytes()}));
    WriteFile(dir / "stale.pgs", Concat({kBoxA, FileImage().EndMark().bytes(), kTray}));
    struct Case
    {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"clean.pgs"}, 0},
        {{"--test", "clean.pgs"}, 0},
        {{"bad.pgs"}, 1},
        {{"unknown.pgs"}, 1},
        {{"--salvage", "recovered.pgs"}, 1},
        {{"--salvage", "--past-end", "duplicate.pgs"}, 1},
        {{"--salvage", "duplicate.pgs"}, 0},
        {{"hidden.pgs"}, 1},
        {{"--test", "hidden.pgs"}, 1},
        {{"stale.pgs"}, 0},
        {{"--salvage", "stale.pgs"}, 0},
        {{"exceeded.pgs"}, 2},
        {{"missing.pgs"}, 2},
        {{"notes.txt"}, 2},
        {{"clean.pgs", "bad.pgs"}, 1},
        {{"bad.pgs", "missing.pgs", "clean.pgs"}, 2},
        {{"--frobnicate", "clean.pgs"}, 7},
        {{}, 7},
        {{"--test", "--save-active", "clean.pgs"}, 7},
        {{"--past-end", "clean.pgs"}, 7},
        {{"--list", "--json", "clean.pgs"}, 7},
    };
    for (const Case& c : cases)
    {
        const ProcessResult result = Run(c.arguments);
        EXPECT_EQ(result.exitStatus, c.status) << testing::PrintToString(c.arguments) << result.err;
    }
}

TEST_F(Cli, SaveActiveWritesProgramsAndReportsWhatItCouldNot)
{
    const Bytes later = RecordBuilder(u"BOX A", 4).BodyOfSize(9).Build();
    WriteFile(dir / "line3.pgs", Concat({kBoxA, kTray, later}));
    fs::create_directory(dir / "TRAY.pga");
    const ProcessResult result = Run({"--save-active", "line3.pgs"});
    EXPECT_EQ(result.exitStatus, 2) << "a failed save is a failed check";
    EXPECT_EQ(ReadFile(dir / "BOX A.pga"), later);
    EXPECT_EQ(result.err, Lines({"Failed to save active program TRAY",
                                 "Active program BOX A replaced an earlier one of the same name"}));
    EXPECT_EQ(result.out, Lines({"3 Files Checked...Done!", "File stored as: line3__.pgs", "Good Programs (kept)",
                                 "BOX A", "TRAY", "BOX A", "Bad Programs (deleted)"}));
}

TEST_F(Cli, SeveralFilesEachUnderItsOwnHeadingAndASummary)
{
    WriteFile(dir / "a.pgs", kBoxA);
    WriteFile(dir / "b.PGS", Concat({kTray, RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0).Build()}));
    const ProcessResult result = Run({"a.pgs", "missing.pgs", "b.PGS"});
    EXPECT_EQ(result.exitStatus, 2);
    // A run that failed keeps no cleaned file and says so; "Memory size exceeded." keeps the
    // programs found before it.
    EXPECT_EQ(result.out, Lines({"a.pgs", "1 Files Checked...Done!", "File stored as: a__.pgs",
                                 "Good Programs (kept)", "BOX A", "Bad Programs (deleted)",
                                 "missing.pgs", "0 Files Checked...", "Good Programs (not kept)", "Bad Programs (deleted)",
                                 "b.PGS", "1 Files Checked...", "Good Programs (kept)", "TRAY",
                                 "Bad Programs (deleted)"}));
    EXPECT_EQ(result.err, Lines({"Error: File not found.", "Error: Memory size exceeded.",
                                 "3 files checked: 1 without damage, 0 with damage, 2 failed"}));
    EXPECT_EQ(ReadFile(dir / "b__.PGS"), kTray);
}

TEST_F(Cli, ImproperPathIsSkippedAndTheOthersAreChecked)
{
    WriteFile(dir / "a.pgs", kBoxA);
    const ProcessResult result = Run({"notes.txt", "a.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Improper file name or file path.",
                                 "2 files checked: 1 without damage, 0 with damage, 1 failed"}));
    EXPECT_EQ(result.out.find("notes.txt"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "a__.pgs"));
}

TEST_F(Cli, UnknownProgramStateIsAFailedCheckThatKeepsTheCleanedFile)
{
    const Bytes half = RecordBuilder(u"HALF").BodyOfSize(0xC0000 / 2 - 158).Build();
    WriteFile(dir / "full.pgs", Concat({half, half}));
    const ProcessResult result = Run({"full.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Error: Unknown Program State"}));
    EXPECT_EQ(result.out, Lines({"2 Files Checked...", "Good Programs (kept)", "HALF", "HALF", "Bad Programs (deleted)"}));
    EXPECT_EQ(ReadFile(dir / "full__.pgs"), Concat({half, half}));
}

TEST_F(Cli, TestOnlyChecksAndWritesNothing)
{
    WriteFile(dir / "line3.pgs", Concat({kBoxA, kLid}));
    const ProcessResult result = Run({"--test", "line3.pgs"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, Lines({"2 Files Checked...Done!", "Good Programs (would be kept)", "BOX A",
                                 "Bad Programs (would be deleted)", "LID"}));
    EXPECT_FALSE(fs::exists(dir / "line3__.pgs"));
    EXPECT_TRUE(TemporaryFiles(dir.path()).empty());
}

TEST_F(Cli, NamesPrintAsUtf8AndALoneSurrogateAsReplacement)
{
    const Bytes accented = RecordBuilder(u"CAFÉ \u4E2D").Build();
    const Bytes broken = RecordBuilder().RawNameUnits({u'X', 0xD800, u'Y'}).WrongCrc().Build();
    WriteFile(dir / "names.pgs", Concat({accented, broken}));
    const ProcessResult result = Run({"names.pgs"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, Lines({"2 Files Checked...Done!", "File stored as: names__.pgs", "Good Programs (kept)",
                                 "CAF\xC3\x89 \xE4\xB8\xAD", "Bad Programs (deleted)", "X\xEF\xBF\xBDY"}));
}

// A name is data: it can neither make two entries, fake a heading nor reach the terminal as an
// escape sequence.
TEST_F(Cli, NamesThatCouldPassForLayoutAreQuoted)
{
    const Bytes faking = RecordBuilder(u"A\r\nBad Programs (deleted)").Build();
    const Bytes escaping = RecordBuilder(u"\x1b[2J\x1b]0;owned\x07").WrongCrc().Build();
    const Bytes quoted = RecordBuilder(u"\"Q\" \\ back").Build();
    WriteFile(dir / "names.pgs", Concat({faking, escaping, quoted}));
    const ProcessResult result = Run({"names.pgs"});
    EXPECT_EQ(result.out, Lines({"3 Files Checked...Done!", "File stored as: names__.pgs", "Good Programs (kept)",
                                 "\"A\\r\\nBad Programs (deleted)\"", "\"\\\"Q\\\" \\\\ back\"",
                                 "Bad Programs (deleted)", "\"\\x1b[2J\\x1b]0;owned\\x07\""}));
    EXPECT_EQ(result.out.find('\x1b'), std::string::npos);

    const ProcessResult asJson = Run({"--json", "--test", "names.pgs"});
    const json line = json::parse(asJson.out);
    EXPECT_EQ(line["good"][0], "A\r\nBad Programs (deleted)");
    EXPECT_EQ(line["bad"][0], "\x1b[2J\x1b]0;owned\x07");
    EXPECT_EQ(asJson.out.find('\x1b'), std::string::npos);
}

// The worked example of the read-me: one flipped bit in a length field of program 3.
Bytes TwentyProgramsWithADamagedLength(std::vector<Bytes>& programs)
{
    FileImage image;
    for (int i = 0; i < 20; ++i)
    {
        const std::u16string name = u"JOB " + std::u16string(1, static_cast<char16_t>(u'A' + i));
        programs.push_back(RecordBuilder(name).BodyOfSize(200 + 2 * static_cast<std::size_t>(i)).Build());
        image.Add(programs.back());
    }
    Bytes bytes = image.EndMark().bytes();
    const std::size_t third = programs[0].size() + programs[1].size() + programs[2].size();
    bytes[third + StoredProgram::kBodyLength1Offset + 3] ^= 0x04;
    return bytes;
}

TEST_F(Cli, SalvageTakesBackWhatThePlainWalkLoses)
{
    std::vector<Bytes> programs;
    WriteFile(dir / "line3.pgs", TwentyProgramsWithADamagedLength(programs));

    const ProcessResult plain = Run({"line3.pgs"});
    EXPECT_EQ(plain.exitStatus, 1);
    EXPECT_NE(plain.err.find("line3.pgs: 16 intact programs lie behind damage; --salvage takes them"),
              std::string::npos)
        << plain.err;

    const ProcessResult salvage = Run({"--salvage", "line3.pgs"});
    EXPECT_EQ(salvage.exitStatus, 1);
    EXPECT_EQ(salvage.err, "");
    std::string expected = Lines({"20 Files Checked...Done!", "File stored as: line3__.pgs", "Good Programs (kept)",
                                  "JOB A", "JOB B", "JOB C", "Recovered Programs (kept)"});
    for (char c = 'E'; c <= 'T'; ++c)
        expected += std::string("JOB ") + c + NL;
    expected += Lines({"Bad Programs (deleted)", "JOB D", "Duplicate Programs (left out)"});
    EXPECT_EQ(salvage.out.substr(0, salvage.out.find("JOB D")), expected.substr(0, expected.find("JOB D")));
    Bytes cleaned;
    for (std::size_t i = 0; i < programs.size(); ++i)
    {
        if (i != 3)
            cleaned.insert(cleaned.end(), programs[i].begin(), programs[i].end());
    }
    EXPECT_EQ(ReadFile(dir / "line3__.pgs"), cleaned);
}

TEST_F(Cli, ListShowsEveryRecordAndWhatASearchPassedOver)
{
    std::vector<Bytes> programs;
    WriteFile(dir / "line3.pgs", TwentyProgramsWithADamagedLength(programs));
    const ProcessResult result = Run({"--salvage", "--list", "--test", "line3.pgs"});
    const std::size_t table = result.out.find("  offset       size  state       verdict");
    ASSERT_NE(table, std::string::npos) << result.out;
    std::vector<std::string> rows;
    for (std::size_t at = result.out.find(NL, table) + NL.size(); at < result.out.size();)
    {
        const std::size_t end = result.out.find(NL, at);
        rows.push_back(result.out.substr(at, end - at));
        at = end + NL.size();
    }
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[0].substr(0, 8), "       0");
    EXPECT_NE(rows[0].find("0x00000001  good"), std::string::npos) << rows[0];
    EXPECT_NE(rows[3].find("bad "), std::string::npos) << rows[3];
    EXPECT_NE(rows[4].find("skipped"), std::string::npos) << rows[4];
    EXPECT_NE(rows[5].find("recovered"), std::string::npos) << rows[5];
    EXPECT_TRUE(rows[5].ends_with("JOB E")) << rows[5];
}

TEST_F(Cli, JsonGivesOneObjectPerFile)
{
    std::vector<Bytes> programs;
    WriteFile(dir / "line3.pgs", TwentyProgramsWithADamagedLength(programs));
    WriteFile(dir / "a.pgs", Concat({kBoxA, FileImage().EndMark().bytes(), kTray}));
    const ProcessResult result = Run({"--json", "--salvage", "line3.pgs", "missing.pgs", "a.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    std::vector<json> lines;
    for (std::size_t at = 0; at < result.out.size();)
    {
        const std::size_t end = result.out.find('\n', at);
        lines.push_back(json::parse(result.out.substr(at, end - at)));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 3u);

    const json& salvaged = lines[0];
    EXPECT_EQ(salvaged["path"], "line3.pgs");
    EXPECT_EQ(fs::path(salvaged["cleaned"].get<std::string>()), fs::canonical(dir / "line3__.pgs"));
    EXPECT_TRUE(salvaged["error"].is_null());
    EXPECT_EQ(salvaged["examined"], 20);
    EXPECT_EQ(salvaged["good"], json({"JOB A", "JOB B", "JOB C"}));
    EXPECT_EQ(salvaged["bad"], json({"JOB D"}));
    EXPECT_EQ(salvaged["recovered"].size(), 16u);
    EXPECT_EQ(salvaged["left_behind"], 0);
    const json& bad = salvaged["records"][3];
    EXPECT_EQ(bad["verdict"], "bad");
    EXPECT_EQ(bad["state"], 1);
    EXPECT_TRUE(bad["crc_computed"].is_number());
    EXPECT_NE(bad["crc_computed"], bad["crc_stored"]);
    EXPECT_EQ(bad["past_end"], false);
    ASSERT_EQ(salvaged["skipped"].size(), 1u);
    EXPECT_EQ(salvaged["skipped"][0]["offset"], bad["offset"]);

    EXPECT_EQ(lines[1]["path"], "missing.pgs");
    EXPECT_TRUE(lines[1]["cleaned"].is_null());
    EXPECT_EQ(lines[1]["error"], "File not found.");
    EXPECT_EQ(lines[1]["records"], json::array());

    EXPECT_EQ(lines[2]["left_behind"], 1);
    EXPECT_EQ(lines[2]["left_behind_past_end"], 1);
    EXPECT_EQ(lines[2]["records"][0]["crc_computed"], lines[2]["records"][0]["crc_stored"]);
    EXPECT_NE(result.err.find("a.pgs: 1 intact program lies behind the end mark (it may be an older copy); --salvage --past-end takes it"), std::string::npos)
        << result.err;
}

TEST_F(Cli, UsageVersionAndHelp)
{
    struct Case
    {
        std::vector<std::string> arguments;
        int status;
        bool outputs;
    };
    const Case cases[] = {
        {{}, 7, false},
        {{"--frobnicate", "a.pgs"}, 7, false},
        {{"--help"}, 0, true},
    };
    for (const Case& c : cases)
    {
        const ProcessResult result = Run(c.arguments);
        EXPECT_EQ(result.exitStatus, c.status);
        EXPECT_EQ(result.out.find("usage: jobsift-cli"), c.outputs ? 0u : std::string::npos);
        if (!c.outputs)
        {
            EXPECT_NE(result.err.find("usage:"), std::string::npos);
        }
    }
    const ProcessResult version = Run({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, Lines({"JOBSIFT 1.0.0.1"}));
}

// A folder stands for every .pgs file in it and below it, in sorted order; the program's own
// outputs and temporary files are passed over.
TEST_F(Cli, AFolderChecksEveryStoredProgramFileBelowIt)
{
    fs::create_directories(dir / "backup" / "line2");
    WriteFile(dir / "backup" / "line1.pgs", kBoxA);
    WriteFile(dir / "backup" / "line2" / "b.PGS", kTray);
    WriteFile(dir / "backup" / "line2" / "a.Pgs", Concat({kBoxA, kLid}));
    WriteFile(dir / "backup" / "line1__.pgs", kBoxA);
    WriteFile(dir / "backup" / "~jobsift-0123456789ab.tmp", kBoxA);
    WriteFile(dir / "backup" / "notes.txt", kBoxA);
    const ProcessResult result = Run({"--test", "backup"});
    EXPECT_EQ(result.exitStatus, 1);
    const std::string sep(1, fs::path::preferred_separator);
    const std::string first = "backup" + sep + "line1.pgs";
    const std::string second = "backup" + sep + "line2" + sep + "a.Pgs";
    const std::string third = "backup" + sep + "line2" + sep + "b.PGS";
    const std::size_t at1 = result.out.find(first + NL);
    const std::size_t at2 = result.out.find(second + NL);
    const std::size_t at3 = result.out.find(third + NL);
    ASSERT_NE(at1, std::string::npos) << result.out;
    EXPECT_LT(at1, at2);
    EXPECT_LT(at2, at3);
    EXPECT_NE(at3, std::string::npos);
    EXPECT_EQ(result.out.find("line1__"), std::string::npos);
    EXPECT_EQ(result.err, Lines({"3 files checked: 2 without damage, 1 with damage, 0 failed"}));

    fs::create_directory(dir / "nothing");
    EXPECT_EQ(Run({"nothing"}).exitStatus, 2);
}

// "jobsift-cli *.pgs" a second time: the shell names the cleaned copies of the first run too.
TEST_F(Cli, ACleanedCopyNamedBesideItsSourceIsLeftOut)
{
    WriteFile(dir / "line1.pgs", kBoxA);
    ASSERT_EQ(Run({"line1.pgs"}).exitStatus, 0);
    const ProcessResult again = Run({"line1.pgs", "line1__.pgs"});
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_FALSE(fs::exists(dir / "line1____.pgs"));
    EXPECT_NE(again.err.find("line1__.pgs is left out: it is the cleaned copy of another file named here"),
              std::string::npos)
        << again.err;
    // Named alone, a cleaned file is checked like any other.
    EXPECT_EQ(Run({"--test", "line1__.pgs"}).exitStatus, 0);
}

#ifdef _WIN32
// The Windows console hands "*" and "?" on as typed: the program expands them itself.
TEST_F(Cli, WildcardsAreExpandedOnWindows)
{
    WriteFile(dir / "line1.pgs", kBoxA);
    WriteFile(dir / "line2.PGS", kTray);
    WriteFile(dir / "line1__.pgs", kBoxA);
    const ProcessResult result = Run({"--test", "*.pgs"});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out.find("line1.pgs" + NL), 0u) << result.out;
    EXPECT_NE(result.out.find("line2.PGS" + NL), std::string::npos);
    EXPECT_EQ(result.out.find("line1__"), std::string::npos);
    EXPECT_EQ(Run({"line?.pgx"}).exitStatus, 2);
}
#else
// On a terminal the worker runs on a thread of its own beside the live count; the results are
// the same as anywhere else.
TEST_F(Cli, OnATerminalTheWorkerRunsBesideTheLiveCount)
{
    FileImage image;
    for (int i = 0; i < 60; ++i)
        image.Add(RecordBuilder(u"P").BodyOfSize(12000));
    WriteFile(dir / "big.pgs", image.bytes());
    WriteFile(dir / "bad.pgs", Concat({kBoxA, kLid}));
    const ProcessResult result = RunOnTerminal(CliProgram(), {"big.pgs", "bad.pgs"}, dir.path());
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_NE(result.out.find("60 Files Checked...Done!"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("LID"), std::string::npos);
    EXPECT_NE(result.out.find("2 files checked: 1 without damage, 1 with damage, 0 failed"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "bad__.pgs"), kBoxA);
}

TEST_F(Cli, AFifoIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo((dir / "x.pgs").c_str(), 0600), 0);
    RunningProcess cli(CliProgram(), {"x.pgs"}, dir.path());
    const ProcessResult result = cli.Wait(std::chrono::seconds(10));
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Error: Not a regular file."}));
}

// With its streams closed the program must not write its messages into its own files, and a
// report that cannot be written is a failed check.
TEST_F(Cli, AReportThatCannotBeWrittenFailsTheCheck)
{
    const Bytes image = Concat({kBoxA, kTray});
    WriteFile(dir / "x.pgs", image);
    fs::create_directory(dir / "TRAY.pga");
    RunningProcess closed(CliProgram(), {"--save-active", "x.pgs"}, dir.path(), StreamSetup::Closed);
    EXPECT_EQ(closed.Wait().exitStatus, 2);
    EXPECT_EQ(ReadFile(dir / "x__.pgs"), image);
    EXPECT_EQ(ReadFile(dir / "BOX A.pga"), kBoxA);

    WriteFile(dir / "clean.pgs", kBoxA);
    RunningProcess full(CliProgram(), {"clean.pgs"}, dir.path(), StreamSetup::DiskFull);
    EXPECT_EQ(full.Wait().exitStatus, 2);
}

// Many full images, so that a signal finds the program in the middle of its work.
std::vector<std::string> ManyFullImages(const TempDir& dir, std::vector<Bytes>& contents)
{
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i)
    {
        FileImage image;
        for (int r = 0; r < 100; ++r)
            image.Add(RecordBuilder(u"P" + std::u16string(1, static_cast<char16_t>(u'A' + r % 26)))
                          .BodyOfSize(7600 + static_cast<std::size_t>(i), static_cast<std::uint8_t>(r)));
        names.push_back("f" + std::to_string(100 + i) + ".pgs");
        WriteFile(dir / names.back(), image.bytes());
        contents.push_back(image.bytes());
    }
    return names;
}

// Each source's cleaned file as it stood before the run.
void WriteOlderCleanedFiles(const TempDir& dir, const std::vector<std::string>& names, const Bytes& older)
{
    for (const std::string& name : names)
        WriteFile(dir / (name.substr(0, name.size() - 4) + "__.pgs"), older);
}

// Every cleaned file is the older one or the complete new one.
void ExpectWholeOrOlder(const TempDir& dir, const std::vector<std::string>& names, const std::vector<Bytes>& contents,
                        const Bytes& older)
{
    for (std::size_t i = 0; i < names.size(); ++i)
    {
        const fs::path cleaned = dir / (names[i].substr(0, names[i].size() - 4) + "__.pgs");
        const Bytes file = ReadFile(cleaned);
        EXPECT_TRUE(file == older || file == contents[i]) << cleaned << " holds " << file.size() << " bytes";
    }
}

TEST_F(Cli, CtrlCStopsInOrderWithStatus130)
{
    std::vector<Bytes> contents;
    const std::vector<std::string> names = ManyFullImages(dir, contents);
    const Bytes older(64, 0x42);
    WriteOlderCleanedFiles(dir, names, older);
    RunningProcess cli(CliProgram(), names, dir.path());
    // Once the first file is done the program is surely watching for interrupts, with many to go.
    const fs::path first = dir / "f100__.pgs";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (ReadFile(first).size() != contents[0].size() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    cli.Signal(SIGINT);
    const ProcessResult result = cli.Wait();
    EXPECT_EQ(result.exitStatus, 130) << result.err;
    EXPECT_TRUE(result.err.ends_with("jobsift-cli: interrupted\n")) << result.err;
    EXPECT_TRUE(TemporaryFiles(dir.path()).empty());
    ExpectWholeOrOlder(dir, names, contents, older);
}

// A kill leaves no half-written file that looks like a result; what it may leave is a temporary
// file that the next run passes over.
TEST_F(Cli, AKilledRunLeavesEveryOutputOldOrWhole)
{
    std::vector<Bytes> contents;
    const std::vector<std::string> names = ManyFullImages(dir, contents);
    const Bytes older(64, 0x42);
    WriteOlderCleanedFiles(dir, names, older);
    for (const int delay : {15, 35, 60})
    {
        RunningProcess cli(CliProgram(), names, dir.path());
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        cli.Signal(SIGKILL);
        EXPECT_EQ(cli.Wait().exitStatus, 128 + SIGKILL);
        ExpectWholeOrOlder(dir, names, contents, older);
    }
    const ProcessResult again = Run({"--test", "."});
    EXPECT_EQ(again.exitStatus, 0) << again.err;
    EXPECT_EQ(again.err, Lines({"40 files checked: 40 without damage, 0 with damage, 0 failed"}));
}
#endif
}
