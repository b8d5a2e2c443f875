// The platform layer's own promises: file names carried through UTF-16 unchanged, the folder of
// a path, and where and how an output file is made.
#include "support/CurrentDirectory.h"
#include "support/TempDir.h"

#include <Paths.h>
#include <TextConversion.h>
#include <WholeFile.h>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace
{
std::vector<std::string> TemporariesIn(const fs::path& folder)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder))
    {
        if (platform::IsTemporaryFileName(entry.path().filename().u16string()))
            found.push_back(entry.path().filename().string());
    }
    return found;
}

// Every byte string comes back as it went in; valid UTF-8 is read as text, every other byte as
// a lone surrogate of its own.
TEST(FileNames, AnyBytesComeBackUnchanged)
{
    struct Case
    {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"line3.pgs", u"line3.pgs"},
        {"Pr\xc3\xbc" "fung", u"Pr\u00fcfung"},
        {"Pr\xfc" "fung", u"Pr\xdcfc" "fung"},
        {"bad\xff.pgs", u"bad\xdcff.pgs"},
        {"bad\xef\xbf\xbd.pgs", u"bad\ufffd.pgs"},
        {"cut\xe4\xb8", u"cut\xdce4\xdcb8"},
        {"long\xc0\xaf", u"long\xdcc0\xdcaf"},
        {"half\xed\xa0\x80", u"half\xdced\xdca0\xdc80"},
        {"big\xf4\x90\x80\x80", u"big\xdcf4\xdc90\xdc80\xdc80"},
        // A pair whose second half lies in the escape range, then an escaped byte.
        {"\xf0\x90\x82\x80\xff", u"\xd800\xdc80\xdcff"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        EXPECT_EQ(platform::FromFileName(c.bytes), c.text);
        EXPECT_EQ(platform::ToFileName(c.text), c.bytes);
    }
    EXPECT_EQ(platform::ToUtf8(platform::FromFileName("bad\xff.pgs")), "bad\xef\xbf\xbd.pgs") << "as printed";
}

TEST(FileNames, OnlyAnUnpairedSurrogateIsLone)
{
    EXPECT_FALSE(platform::HasLoneSurrogate(u"CAF\u00c9 \xd83d\xde00"));
    for (const std::u16string text : {u"X\xd800", u"\xdc80Y", u"\xde00\xd83d"})
        EXPECT_TRUE(platform::HasLoneSurrogate(text)) << platform::ToUtf8(text);
}

TEST(Paths, FolderPartKeepsARootSeparator)
{
    struct Case
    {
        std::u16string path;
        std::u16string folder;
    };
    std::vector<Case> cases = {{u"/x.pgs", u"/"}, {u"/a/x.pgs", u"/a"}, {u"sub/x.pgs", u"sub"}, {u"x.pgs", u""}};
#ifdef _WIN32
    cases.insert(cases.end(), {{u"C:\\x.pgs", u"C:\\"}, {u"\\x.pgs", u"\\"}, {u"C:\\a\\x.pgs", u"C:\\a"}});
#endif
    for (const Case& c : cases)
        EXPECT_EQ(platform::FolderPart(c.path), c.folder) << platform::ToUtf8(c.path);
    EXPECT_EQ(platform::FolderPart(platform::TemporaryPathFor(u"/x__.pgs")), u"/");
}

// The rename that commits the file never leaves the target's folder.
TEST(WholeFile, TheTemporaryFileIsMadeInTheTargetsFolder)
{
    const TempDir dir;
    const CurrentDirectory inDir(dir.path());
    fs::create_directory(dir / "sub");
    platform::CWholeFile file;
    ASSERT_TRUE(file.Create(u"sub/x__.pgs", {}));
    EXPECT_EQ(TemporariesIn(dir / "sub").size(), 1u);
    EXPECT_TRUE(TemporariesIn(dir.path()).empty());
    ASSERT_TRUE(file.Write("ab", 2) && file.Commit());
    EXPECT_EQ(ReadFile(dir / "sub" / "x__.pgs"), (Bytes{'a', 'b'}));
    EXPECT_TRUE(TemporariesIn(dir / "sub").empty());
}

#ifndef _WIN32
unsigned ModeOf(const fs::path& path)
{
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
}

// Private while it is written, whatever it becomes.
TEST(WholeFile, TakesItsPermissionsOnlyWhenCommitted)
{
    const TempDir dir;
    platform::CWholeFile file;
    ASSERT_TRUE(file.Create(U16(dir / "x__.pgs"), {0644}));
    const std::vector<std::string> temporaries = TemporariesIn(dir.path());
    ASSERT_EQ(temporaries.size(), 1u);
    EXPECT_EQ(ModeOf(dir / temporaries[0]), 0600u);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ModeOf(dir / "x__.pgs"), 0644u);
}
#endif
}
