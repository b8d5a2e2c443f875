#include <FileNames.h>
#include <TextConversion.h>

#include <gtest/gtest.h>

#include <vector>

// What may stand as a file name by itself in a folder: the active program files take their names
// from the records, and a name must not put a file anywhere else or be changed by the system.
TEST(PlainFileName, SeparatorsControlsUnpairedSurrogatesAndWhatWindowsForbidsAreRefused)
{
    std::vector<std::u16string> refused = {u"../escaped", u"a/../../escaped", u"a/..", u"cell/PART",
                                           u"/abs", u"A\rB",      u"TAB\tNAME",     u"\x1b[2J", u"DEL\x7f",
                                           // No character, and on Linux a stray byte.
                                           u"X\xd800Y", u"X\xdcffY", u"\xde00\xd83d"};
    std::vector<std::u16string> taken = {u"..a", u"BOX A", u".pga", u"", u"CAF\u00c9", u"\xd83d\xde00"};
#ifdef _WIN32
    refused.insert(refused.end(), {u"..\\escaped", u"a\\b", u"c:escaped", u"x:y", u"C:\\escaped", u"A<B",
                                   u"A>B", u"A\"B", u"A|B", u"A?", u"A*", u"TRAILING.", u"TRAILING ", u"CON",
                                   u"con", u"NUL.txt", u"COM1", u"lpt9", u"AUX .x", u"CONIN$", u"..", u"...", u"a.."});
    taken.insert(taken.end(), {u"CONSOLE", u"COM10", u"COM0", u"LPT", u"A.B"});
#else
    // "..pga" and "...pga" are plain names in the current folder.
    taken.insert(taken.end(), {u"a\\b", u"A<B>", u"A:B", u"CON", u"TRAILING.", u"..", u"...", u"a.."});
#endif
    for (const auto& name : refused)
        EXPECT_FALSE(platform::IsPlainFileName(name)) << platform::ToUtf8(name);
    for (const auto& name : taken)
        EXPECT_TRUE(platform::IsPlainFileName(name)) << platform::ToUtf8(name);
}
