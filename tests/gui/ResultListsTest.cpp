// The dialog's lists: which records each one holds, what an entry adds to the name, and names that
// could pass for layout.
#include <ResultLists.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
ExaminedRecord Record(std::u16string name, Verdict verdict)
{
    ExaminedRecord record;
    record.name = std::move(name);
    record.verdict = verdict;
    return record;
}

struct ListCase
{
    const char* what;
    std::vector<ExaminedRecord> records;
    std::u16string good;
    std::u16string bad;
};

TEST(ResultLists, EachRecordIsOneEntryInItsList)
{
    const ListCase cases[] = {
        {"every verdict, in file order",
         {Record(u"BOX A", Verdict::Good), Record(u"LID", Verdict::Bad), Record(u"", Verdict::Empty),
          Record(u"SPARE", Verdict::UnknownState), Record(u"TRAY", Verdict::Recovered),
          Record(u"BOX A", Verdict::Duplicate)},
         u"BOX A\r\nTRAY (recovered)\r\n", u"LID\r\nSPARE\r\nBOX A (duplicate, left out)\r\n"},
        {"a line break in a good name cannot make a second, bad-looking entry",
         {Record(u"BOX A\r\nLID", Verdict::Good), Record(u"LID", Verdict::Bad)}, u"\"BOX A\\r\\nLID\"\r\n",
         u"LID\r\n"},
        {"control characters escaped as the command line prints them",
         {Record(u"TAB\tBELL\a", Verdict::Recovered), Record(u"\"QUOTED\"", Verdict::Duplicate)},
         u"\"TAB\\tBELL\\x07\" (recovered)\r\n", u"\"\\\"QUOTED\\\"\" (duplicate, left out)\r\n"},
        {"plain names exactly as they are",
         {Record(u"PART 7", Verdict::Good), Record(u"Prüfung", Verdict::Bad)}, u"PART 7\r\n", u"Prüfung\r\n"},
    };
    for (const ListCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(GoodList(c.records), c.good);
        EXPECT_EQ(BadList(c.records), c.bad);
    }
}
}
