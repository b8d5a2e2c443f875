// The kept report as the core makes it: what the worker learns for it, its name and its file.
// The page itself is parsed back by tests/check-report-page.py.
#include "support/RecordBuilder.h"
#include "support/WorkerRun.h"

#include <Crc32.h>
#include <FinishedRun.h>
#include <HtmlText.h>
#include <LocalTime.h>
#include <ProgramImage.h>
#include <ReportFile.h>
#include <StoredProgram.h>

#include <gtest/gtest.h>

#include <regex>

namespace fs = std::filesystem;

namespace
{
const Bytes kBoxA = RecordBuilder(u"BOX A").Body({1, 2, 3}).Build();
const Bytes kLid = RecordBuilder(u"LID").BodyOfSize(12).WrongCrc().Build();
const Bytes kTray = RecordBuilder(u"TRAY", 3).BodyOfSize(30).Build();

TEST(ReportName, TakesTheCleanedNameWithHtmlForItsExtension)
{
    struct Case
    {
        std::u16string cleaned;
        std::u16string report;
    };
    const Case cases[] = {
        {u"line3__.pgs", u"line3__.html"},
        {u"LINE3__", u"LINE3__.html"},
        {u"line.3__.PGS", u"line.3__.html"},
        {u"__.pgs", u"__.html"},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(ReportNameFor(c.cleaned) == c.report) << std::string(c.cleaned.begin(), c.cleaned.end());
}

TEST(HtmlText, EscapesEveryCharacterThatCouldMakeMarkup)
{
    EXPECT_TRUE(HtmlEscaped(u"<script>alert(1)</script> & \"'") ==
                u"&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;&#39;");
    EXPECT_TRUE(HtmlEscaped(u"&amp;") == u"&amp;amp;");
}

TEST(LocalTime, GivesTheDateTheTimeAndTheOffsetFromUtc)
{
    EXPECT_TRUE(platform::LocalTimeText(2026, 3, 9, 7, 5, 1, -210) == u"2026-03-09 07:05:01 UTC-03:30");
    EXPECT_TRUE(platform::LocalTimeText(2026, 12, 10, 18, 17, 10, 60) == u"2026-12-10 18:17:10 UTC+01:00");
    const std::u16string now = platform::LocalTimeNow();
    EXPECT_TRUE(std::regex_match(std::string(now.begin(), now.end()),
                                 std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d UTC[+-]\d\d:\d\d)")));
}

class ReportFacts : public testing::Test
{
protected:
    WorkerRun run;
};

// The image holds the first 786,590 bytes; the size and CRC-32 are those of the whole file. Only
// a run that asks for them pays the pass over every byte: a plain check knows neither.
TEST_F(ReportFacts, FingerprintTheWholeSourceHoweverLong)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{1000}, std::size_t{CProgramImage::kViewSize},
                                   std::size_t{CProgramImage::kViewSize} + 200'000})
    {
        Bytes image = FileImage().Add(kBoxA).EndMark().bytes();
        image.resize(size, 0x3C);
        ASSERT_EQ(run.Run(run.Source(image), false, {.writeCleaned = false, .describeSource = true}),
                  RunOutcome::Completed);
        EXPECT_EQ(run.job.results.sourceSize, size);
        EXPECT_EQ(run.job.results.sourceCrc, CCrc32().Compute(image.data(), static_cast<std::uint32_t>(size)));
    }
    ASSERT_EQ(run.Run(run.Source(FileImage().Add(kBoxA).EndMark().bytes())), RunOutcome::Completed);
    EXPECT_FALSE(run.job.results.sourceCrc);
}

TEST_F(ReportFacts, TellWhereTheEndMarkWasMetAndWhatWasKept)
{
    const Bytes image = FileImage().Add(kBoxA).Add(kLid).Add(kTray).EndMark().bytes();
    ASSERT_EQ(run.Run(run.Source(image)), RunOutcome::Completed);
    const CheckResults& results = run.job.results;
    EXPECT_EQ(results.endMark, kBoxA.size() + kLid.size() + kTray.size());
    EXPECT_EQ(results.cleanedSize, kBoxA.size() + kTray.size());
    EXPECT_EQ(fs::file_size(run.Cleaned()), results.cleanedSize);
    EXPECT_TRUE(fs::equivalent(fs::path(results.sourcePath), run.dir() / "line3.pgs"));
    EXPECT_FALSE(results.checkedAt.empty());
}

TEST_F(ReportFacts, NoEndMarkWhereTheWalkStoppedBeforeOne)
{
    FileImage hundred;
    for (int i = 0; i < 101; ++i)
        hundred.Add(kBoxA);
    ASSERT_EQ(run.Run(run.Source(hundred.EndMark().bytes())), RunOutcome::Completed);
    EXPECT_EQ(run.job.results.endMark, std::nullopt) << "stopped at 100 records";
    const Bytes huge = RecordBuilder(u"HUGE").Lengths(0xFFFFFFFF, 0).Build();
    ASSERT_EQ(run.Run(run.Source(FileImage().Add(kBoxA).Add(huge).bytes())), RunOutcome::MemoryExceeded);
    EXPECT_EQ(run.job.results.endMark, std::nullopt);
}

TEST_F(ReportFacts, ReportIsWrittenBesideTheCleanedFileWhetherOrNotOneWasWritten)
{
    for (const bool writeCleaned : {true, false})
    {
        const fs::path source = run.Source(FileImage().Add(kBoxA).EndMark().bytes(), "LINE3");
        ASSERT_EQ(run.Run(source, false, {false, false, writeCleaned}), RunOutcome::Completed);
        const std::optional<std::u16string> written = WriteReportFile(FinishedRunOf(run.job));
        ASSERT_TRUE(written.has_value());
        EXPECT_TRUE(fs::path(*written) == run.dir() / "LINE3__.html");
        EXPECT_EQ(fs::exists(run.dir() / "LINE3__"), writeCleaned);
        fs::remove(run.dir() / "LINE3__.html");
        fs::remove(run.dir() / "LINE3__");
    }
}

TEST_F(ReportFacts, ReportThatCannotBeWrittenLeavesNothing)
{
    const fs::path source = run.Source(FileImage().Add(kBoxA).EndMark().bytes());
    ASSERT_EQ(run.Run(source), RunOutcome::Completed);
    fs::create_directory(run.dir() / "line3__.html");
    EXPECT_EQ(WriteReportFile(FinishedRunOf(run.job)), std::nullopt);
    EXPECT_TRUE(run.Temporaries().empty());
}
}
