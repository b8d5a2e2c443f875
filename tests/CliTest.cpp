// jobsift-cli run as a process, as an operator or a script runs it: its streams, exit status
// and the files it leaves.
#include "support/Process.h"
#include "support/RecordBuilder.h"
#include "support/TempDir.h"

#include <File.h>
#include <JobsiftVersion.h>
#include <StoredProgram.h>
#include <WholeFile.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>

#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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
        {{"missing.pgs", "bad.pgs"}, 2},
        {{"bad.pgs", "clean.pgs"}, 1},
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
                                 "b.PGS", "1 Files Checked...", "File stored as: b__.PGS", "Good Programs (kept)", "TRAY",
                                 "Bad Programs (deleted)"}));
    EXPECT_EQ(result.err, Lines({"missing.pgs: Error: File not found.", "b.PGS: Error: Memory size exceeded.",
                                 "3 files checked: 1 without damage, 0 with damage, 2 failed"}));
    EXPECT_EQ(ReadFile(dir / "b__.PGS"), kTray);
}

// A file that is there but held by another program is "not found" all the same, with the system's
// reason after it; a file that is not there has no reason to add.
TEST_F(Cli, AFileInUseSaysTheSystemsReason)
{
    WriteFile(dir / "held.pgs", kBoxA);
    platform::CFile holder;
    ASSERT_EQ(holder.OpenForReading((dir / "held.pgs").u16string()), platform::OpenResult::Opened);
    const ProcessResult result = Run({"held.pgs", "missing.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    const std::string first = result.err.substr(0, result.err.find(NL));
#ifdef _WIN32
    EXPECT_TRUE(first.starts_with("held.pgs: Error: File not found. (") && first.ends_with(")")) << first;
#else
    EXPECT_EQ(first, "held.pgs: Error: File not found. (Resource temporarily unavailable)");
#endif
    EXPECT_NE(result.err.find(NL + "missing.pgs: Error: File not found." + NL), std::string::npos) << result.err;
}

TEST_F(Cli, ImproperPathIsSkippedAndTheOthersAreChecked)
{
    WriteFile(dir / "a.pgs", kBoxA);
    const ProcessResult result = Run({"notes.txt", "a.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"notes.txt: Improper file name or file path.",
                                 "2 files checked: 1 without damage, 0 with damage, 1 failed"}));
    EXPECT_EQ(result.out.find("notes.txt"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "a__.pgs"));
}

TEST_F(Cli, SalvageOnlyHeadingsAppearWhenTheyHaveEntries)
{
    WriteFile(dir / "clean.pgs", Concat({kBoxA, kLid}));
    EXPECT_EQ(Run({"--salvage", "clean.pgs"}).out, Lines({"2 Files Checked...Done!", "File stored as: clean__.pgs",
                                                          "Good Programs (kept)", "BOX A", "Bad Programs (deleted)",
                                                          "LID"}));
    WriteFile(dir / "twice.pgs", Concat({kBoxA, kLid, FileImage().EndMark().bytes(), kBoxA, kTray}));
    EXPECT_EQ(Run({"--salvage", "--past-end", "twice.pgs"}).out,
              Lines({"4 Files Checked...Done!", "File stored as: twice__.pgs", "Good Programs (kept)", "BOX A",
                     "Recovered Programs (kept)", "TRAY", "Bad Programs (deleted)", "LID",
                     "Duplicate Programs (left out)", "BOX A"}));
}

TEST_F(Cli, UnknownProgramStateIsAFailedCheckThatKeepsTheCleanedFile)
{
    const Bytes half = RecordBuilder(u"HALF").BodyOfSize(0xC0000 / 2 - 158).Build();
    WriteFile(dir / "full.pgs", Concat({half, half}));
    const ProcessResult result = Run({"full.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Error: Unknown Program State"}));
    EXPECT_EQ(result.out, Lines({"2 Files Checked...", "File stored as: full__.pgs", "Good Programs (kept)", "HALF",
                                 "HALF", "Bad Programs (deleted)"}));
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

// With --test the report is the one file written; a source without an extension (in a folder
// whose name makes it one to check) gets ".html".
TEST_F(Cli, ReportGoesBesideTheCleanedFileWithEveryOption)
{
    struct Case
    {
        std::vector<std::string> options;
        std::string source;
        std::vector<std::string> written;
    };
    const Case cases[] = {
        {{}, "line3.pgs", {"line3__.html", "line3__.pgs"}},
        {{"--test"}, "line3.pgs", {"line3__.html"}},
        {{"--salvage", "--past-end", "--json"}, "backup.pgs/LINE3", {"LINE3__", "LINE3__.html"}},
        {{"--list", "--test"}, "backup.pgs/LINE3", {"LINE3__.html"}},
    };
    for (const Case& c : cases)
    {
        const TempDir folder;
        const fs::path source = folder / c.source;
        fs::create_directories(source.parent_path());
        WriteFile(source, Concat({kBoxA, kLid}));
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--report", c.source});
        EXPECT_EQ(RunProcess(CliProgram(), arguments, folder.path()).exitStatus, 1);
        std::vector<std::string> written;
        for (const auto& entry : fs::directory_iterator(source.parent_path()))
        {
            if (entry.path() != source)
                written.push_back(entry.path().filename().string());
        }
        std::sort(written.begin(), written.end());
        EXPECT_EQ(written, c.written) << c.source;
    }
}

TEST_F(Cli, AReportThatCannotBeWrittenIsAFailedCheck)
{
    WriteFile(dir / "line3.pgs", kBoxA);
    fs::create_directory(dir / "line3__.html");
    const ProcessResult result = Run({"--report", "line3.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.err.find("line3.pgs: the report could not be written"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::exists(dir / "line3__.pgs")) << "the cleaned file stands";
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
    const Bytes heading = RecordBuilder(u"Bad Programs (deleted)").Build();
    const Bytes countLine = RecordBuilder(u"7 Files Checked...Done!").Build();
    const Bytes storedAs = RecordBuilder(u"File stored as: x.pgs").Build();
    const Bytes spaced = RecordBuilder(u" SPACED ").Build();
    const Bytes inside = RecordBuilder(u"A Bad Programs (deleted)").Build();
    WriteFile(dir / "names.pgs", Concat({faking, escaping, quoted, heading, countLine, storedAs, spaced, inside}));
    const ProcessResult result = Run({"names.pgs"});
    EXPECT_EQ(result.out, Lines({"8 Files Checked...Done!", "File stored as: names__.pgs", "Good Programs (kept)",
                                 "\"A\\r\\nBad Programs (deleted)\"", "\"\\\"Q\\\" \\\\ back\"",
                                 "\"Bad Programs (deleted)\"", "\"7 Files Checked...Done!\"",
                                 "\"File stored as: x.pgs\"", "\" SPACED \"", "A Bad Programs (deleted)",
                                 "Bad Programs (deleted)", "\"\\x1b[2J\\x1b]0;owned\\x07\""}));
    EXPECT_EQ(result.out.find('\x1b'), std::string::npos);

    const ProcessResult asJson = Run({"--json", "--test", "names.pgs"});
    const json line = json::parse(asJson.out);
    EXPECT_EQ(line["good"][0], "A\r\nBad Programs (deleted)");
    EXPECT_EQ(line["bad"][0], "\x1b[2J\x1b]0;owned\x07");
    EXPECT_EQ(asJson.out.find('\x1b'), std::string::npos);
}

TEST_F(Cli, AFailedSaveQuotesANameThatEndsInASpace)
{
    WriteFile(dir / "x.pgs", RecordBuilder(u"NUL ").Build());
    std::error_code ignored;
    fs::create_directory(dir / "NUL .pga", ignored);
    const ProcessResult result = Run({"--save-active", "x.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Failed to save active program \"NUL \""}));
}

// A second name of the source, or the link it was opened through, must never be replaced.
TEST_F(Cli, ACleanedNameThatIsTheSourceIsRefused)
{
    const Bytes image = Concat({kBoxA, kLid});
    WriteFile(dir / "real__.pgs", image);
    fs::create_hard_link(dir / "real__.pgs", dir / "real.pgs");
    const ProcessResult result = Run({"real.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Error: The cleaned file would replace the source."}));
    EXPECT_EQ(result.out.find("File stored as"), std::string::npos) << result.out;
    EXPECT_EQ(ReadFile(dir / "real__.pgs"), image) << "the second name still holds the damaged program";
    EXPECT_TRUE(TemporaryFiles(dir.path()).empty());
    EXPECT_EQ(Run({"--test", "real.pgs"}).exitStatus, 1) << "a check alone writes nothing";
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
    const std::string lists = result.out.substr(0, table);
    EXPECT_TRUE(lists.ends_with(NL + NL) && !lists.ends_with(NL + NL + NL))
        << "one blank line between the lists and the table: " << result.out;
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
    EXPECT_EQ(version.out, Lines({"JOBSIFT " JOBSIFT_VERSION_TEXT}));
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

    // Only beside its own source: the same name in another folder is a file of its own.
    fs::create_directory(dir / "a");
    fs::create_directory(dir / "b");
    WriteFile(dir / "a" / "line1.pgs", kBoxA);
    WriteFile(dir / "b" / "line1__.pgs", Concat({kTray, kLid}));
    const std::string sep(1, fs::path::preferred_separator);
    const ProcessResult both = Run({"a" + sep + "line1.pgs", "b" + sep + "line1__.pgs"});
    EXPECT_EQ(both.exitStatus, 1) << both.err;
    EXPECT_TRUE(fs::exists(dir / "a" / "line1__.pgs"));
    EXPECT_EQ(ReadFile(dir / "b" / "line1____.pgs"), kTray);
    // Two spellings of one folder are one folder.
    const ProcessResult spelled = Run({"." + sep + "line1.pgs", "line1__.pgs"});
    EXPECT_NE(spelled.err.find("line1__.pgs is left out"), std::string::npos) << spelled.err;
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

    // "?" stands for exactly one character: neither none nor two.
    WriteFile(dir / "line.pgs", kLid);
    WriteFile(dir / "line12.pgs", kLid);
    const ProcessResult one = Run({"--test", "line?.pgs"});
    EXPECT_EQ(one.exitStatus, 0) << one.out;
    EXPECT_EQ(one.out.find("line1.pgs" + NL), 0u) << one.out;
    EXPECT_NE(one.out.find("line2.PGS" + NL), std::string::npos);
    EXPECT_EQ(one.out.find("LID"), std::string::npos);
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

// On a terminal both streams meet: an error line follows the block of its own file.
TEST_F(Cli, InABatchAnErrorLineNamesItsFileAndFollowsItsBlock)
{
    WriteFile(dir / "a.pgs", kBoxA);
    WriteFile(dir / "b.pgs", kTray);
    const ProcessResult result = RunOnTerminal(CliProgram(), {"a.pgs", "missing.pgs", "b.pgs"}, dir.path());
    EXPECT_EQ(result.exitStatus, 2);
    const std::size_t heading = result.out.find("missing.pgs\r\n");
    const std::size_t error = result.out.find("missing.pgs: Error: File not found.\r\n");
    const std::size_t next = result.out.find("b.pgs\r\n");
    ASSERT_NE(error, std::string::npos) << result.out;
    EXPECT_LT(heading, error);
    EXPECT_LT(error, next);
}

// Linux file names are bytes: each is opened as given, and its cleaned copy is named from the
// same bytes. Only what is printed shows U+FFFD.
TEST_F(Cli, FileNamesThatAreNotUtf8AreOpenedAsGiven)
{
    WriteFile(dir / "bad\xff.pgs", Concat({kBoxA, kLid}));
    WriteFile(dir / "bad\xef\xbf\xbd.pgs", kTray);
    const ProcessResult result = Run({"bad\xff.pgs"});
    EXPECT_EQ(result.exitStatus, 1) << result.err;
    EXPECT_EQ(ReadFile(dir / "bad\xff__.pgs"), kBoxA);
    EXPECT_FALSE(fs::exists(dir / "bad\xef\xbf\xbd__.pgs"));
    EXPECT_NE(result.out.find("File stored as: bad\xef\xbf\xbd__.pgs"), std::string::npos) << result.out;

    fs::create_directory(dir / "latin1");
    WriteFile(dir / "latin1" / "Pr\xfc" "fung.pgs", Concat({kTray, kLid}));
    EXPECT_EQ(Run({"latin1/Pr\xfc" "fung.pgs"}).exitStatus, 1);
    EXPECT_EQ(ReadFile(dir / "latin1" / "Pr\xfc" "fung__.pgs"), kTray);
    fs::remove(dir / "latin1" / "Pr\xfc" "fung__.pgs");
    const ProcessResult walked = Run({"latin1"});
    EXPECT_EQ(walked.exitStatus, 1) << walked.err;
    EXPECT_EQ(ReadFile(dir / "latin1" / "Pr\xfc" "fung__.pgs"), kTray);
}

TEST_F(Cli, ALinkFromTheSourceToItsCleanedNameIsRefused)
{
    const Bytes image = Concat({kBoxA, kLid});
    WriteFile(dir / "real__.pgs", image);
    fs::create_symlink("real__.pgs", dir / "real.pgs");
    const ProcessResult result = Run({"real.pgs"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.err, Lines({"Error: The cleaned file would replace the source."}));
    EXPECT_EQ(ReadFile(dir / "real__.pgs"), image);
    EXPECT_TRUE(fs::is_symlink(dir / "real.pgs"));
    EXPECT_TRUE(TemporaryFiles(dir.path()).empty());

    // The other way round the link is only a name in the way: it is replaced, never written through.
    WriteFile(dir / "other.pgs", image);
    fs::create_symlink("other.pgs", dir / "other__.pgs");
    EXPECT_EQ(Run({"other.pgs"}).exitStatus, 1);
    EXPECT_FALSE(fs::is_symlink(dir / "other__.pgs"));
    EXPECT_EQ(ReadFile(dir / "other.pgs"), image);
}

// A folder that root cannot read either: one whose path is too long for the system to open.
const std::string kDeepName(200, 'd');

void MakeTooDeepToOpen(const fs::path& top)
{
    fs::create_directory(top);
    int folder = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
    for (int depth = 0; depth < 24 && folder >= 0; ++depth)
    {
        EXPECT_EQ(::mkdirat(folder, kDeepName.c_str(), 0755), 0);
        const int inner = ::openat(folder, kDeepName.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = inner;
    }
    ::close(folder);
}

// std::filesystem cannot name what lies that deep either: the chain comes down folder by folder.
void RemoveTooDeep(const fs::path& top)
{
    std::vector<int> folders{::open(top.c_str(), O_RDONLY | O_DIRECTORY)};
    while (folders.back() >= 0)
        folders.push_back(::openat(folders.back(), kDeepName.c_str(), O_RDONLY | O_DIRECTORY));
    folders.pop_back();
    for (std::size_t i = folders.size() - 1; i > 0; --i)
    {
        ::close(folders[i]);
        ::unlinkat(folders[i - 1], kDeepName.c_str(), AT_REMOVEDIR);
    }
    ::close(folders[0]);
}

TEST_F(Cli, AFolderThatCannotBeReadIsAFailedInput)
{
    const fs::path top = dir / "deep";
    MakeTooDeepToOpen(top);
    WriteFile(top / "line1.pgs", kBoxA);
    const ProcessResult result = Run({"--test", "deep"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.err.find(": this folder cannot be read"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("2 files checked: 1 without damage, 0 with damage, 1 failed"), std::string::npos)
        << result.err;
    RemoveTooDeep(top);
}

TEST_F(Cli, OutputsTakeTheSourcesPermissions)
{
    struct Case
    {
        unsigned source;
        unsigned umask;
        unsigned outputs;
    };
    const Case cases[] = {{0600, 022, 0600}, {0644, 022, 0644}, {0666, 027, 0640}, {0755, 022, 0755}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::oct << c.source << " under " << c.umask);
        WriteFile(dir / "x.pgs", kBoxA);
        fs::permissions(dir / "x.pgs", static_cast<fs::perms>(c.source));
        const mode_t before = ::umask(c.umask);
        const ProcessResult result = Run({"--save-active", "x.pgs"});
        ::umask(before);
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        for (const char* output : {"x__.pgs", "BOX A.pga"})
        {
            struct stat info {};
            ASSERT_EQ(::stat((dir / output).c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, c.outputs) << output;
        }
    }
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
