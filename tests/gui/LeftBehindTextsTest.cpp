// The question's texts are shown where a link can be written as markup: a program's name never
// becomes one, and still reads as it was typed.
#include <LeftBehindTexts.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
struct NameCase
{
    const char* what;
    std::u16string name;
    std::u16string line;
};

TEST(LeftBehindTexts, NoNameReadsAsALink)
{
    const NameCase cases[] = {
        {"plain", u"LID", u"40: LID"},
        {"link", u"<A>LID</A>", u"40: <\u2060A>LID<\u2060/A>"},
        {"link with a target", u"<a href=\"x\">", u"40: <\u2060a href=\"x\">"},
        {"lone sign", u"A<B", u"40: A<\u2060B"},
    };
    for (const NameCase& testCase : cases)
    {
        SCOPED_TRACE(testCase.what);
        const LeftBehindTexts texts = MakeLeftBehindTexts(u"line3.pgs", u"line3__.pgs", {{40, testCase.name, false}});
        EXPECT_EQ(texts.programs, testCase.line);
        EXPECT_EQ(texts.content, u"line3.pgs holds 1 intact program behind damage.");
    }
}
}
