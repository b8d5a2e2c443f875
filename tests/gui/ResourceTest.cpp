// Reads the resources of the built JOBSIFT.exe back, loaded as a data file, and holds them
// against the dialog tables, the string table, the version block and the icon.
#include "DialogTemplate.h"
#include "ProgramPath.h"
#include "VersionBlock.h"

#include <windows.h>

#include <JobsiftVersion.h>
#include <resource.h>

#include <gtest/gtest.h>

#include <cstring>
#include <span>

namespace
{
constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;

class ResourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_module = LoadLibraryExW(ProgramPath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_module, nullptr) << "cannot load " << std::string(JOBSIFT_EXE);
    }
    void TearDown() override
    {
        if (m_module != nullptr)
            FreeLibrary(m_module);
    }

    std::span<const std::uint8_t> Bytes(LPCWSTR type, LPCWSTR name) const
    {
        const HRSRC found = FindResourceExW(m_module, type, name, kUsEnglish);
        if (found == nullptr)
            return {};
        const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(m_module, found)));
        return {data, SizeofResource(m_module, found)};
    }

    std::span<const std::uint8_t> Bytes(LPCWSTR type, int id) const { return Bytes(type, MAKEINTRESOURCEW(id)); }

    HMODULE m_module = nullptr;
};

// Our texts are ASCII; units beyond it show as '?', which no expected text holds.
std::string Narrow(const std::u16string& text)
{
    std::string narrow;
    for (const char16_t unit : text)
        narrow += unit < 0x80 ? static_cast<char>(unit) : '?';
    return narrow;
}

void ExpectItems(const std::vector<DialogItem>& actual, const std::vector<DialogItem>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected[i].id));
        EXPECT_EQ(actual[i].id, expected[i].id);
        EXPECT_EQ(Narrow(actual[i].className), Narrow(expected[i].className));
        EXPECT_EQ(Narrow(actual[i].text), Narrow(expected[i].text));
        EXPECT_EQ(actual[i].style, expected[i].style);
        EXPECT_EQ(actual[i].exStyle, expected[i].exStyle);
        EXPECT_TRUE(actual[i].rect == expected[i].rect)
            << actual[i].rect.x << ", " << actual[i].rect.y << ", " << actual[i].rect.cx << ", " << actual[i].rect.cy;
    }
}

TEST_F(ResourceTest, CheckerDialogTemplateMatchesItsTable)
{
    const DialogTemplate dialog = ParseDialogTemplate(Bytes(RT_DIALOG, IDD_CHECKER_DIALOG));
    EXPECT_TRUE(dialog.extended);
    EXPECT_EQ(dialog.style, static_cast<std::uint32_t>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
                                                       DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.exStyle, static_cast<std::uint32_t>(WS_EX_APPWINDOW));
    EXPECT_TRUE((dialog.rect == DialogRect{0, 0, 321, 199}));
    EXPECT_TRUE(dialog.menu.empty());
    EXPECT_TRUE(dialog.className.empty());
    EXPECT_EQ(Narrow(dialog.caption), Narrow(u"Job (Program) Checker Ver. 1.005"));
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.weight, 0);
    EXPECT_EQ(dialog.italic, 0);
    EXPECT_EQ(dialog.charset, 1);
    EXPECT_EQ(Narrow(dialog.face), Narrow(u"MS Sans Serif"));
    const std::uint32_t list = WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY;
    ExpectItems(dialog.items,
                {
                    {1000, u"Button", u"Select PGS File", kChild | WS_TABSTOP, 0, {37, 23, 78, 14}},
                    {1001, u"Edit", u"", kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, {37, 50, 130, 14}},
                    {1002, u"Button", u"Run Checker", kChild | WS_TABSTOP, 0, {37, 73, 50, 14}},
                    {1004, u"Static", u"", kChild | SS_LEFT | WS_GROUP, 0, {51, 161, 263, 11}},
                    {1005, u"Button", u"Save as Active Program Files", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 0,
                     {189, 51, 108, 10}},
                    {-1, u"Static", u"Good Programs (kept)", kChild | SS_LEFT | WS_GROUP, 0, {39, 97, 70, 8}},
                    {-1, u"Static", u"Bad Programs (deleted)", kChild | SS_LEFT | WS_GROUP, 0, {166, 97, 74, 8}},
                    {1008, u"Edit", u"", kChild | list, 0, {36, 109, 101, 43}},
                    {1009, u"Edit", u"", kChild | list, 0, {163, 109, 101, 43}},
                    {1006, u"Static", u"", kChild | SS_LEFT | WS_GROUP, 0, {51, 181, 263, 11}},
                });
}

TEST_F(ResourceTest, AboutBoxTemplateMatchesItsTable)
{
    const DialogTemplate dialog = ParseDialogTemplate(Bytes(RT_DIALOG, IDD_ABOUTBOX));
    EXPECT_FALSE(dialog.extended);
    EXPECT_EQ(dialog.style, static_cast<std::uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT));
    EXPECT_EQ(dialog.exStyle, 0u);
    EXPECT_TRUE((dialog.rect == DialogRect{0, 0, 235, 55}));
    EXPECT_EQ(Narrow(dialog.caption), Narrow(u"About JOBSIFT"));
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(Narrow(dialog.face), Narrow(u"MS Sans Serif"));
    ExpectItems(dialog.items,
                {
                    {-1, u"Static", u"#128", kChild | SS_ICON, 0, {11, 17, 20, 20}},
                    {-1, u"Static", u"JOBSIFT Version 1.0", kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, 0,
                     {40, 10, 119, 8}},
                    {IDOK, u"Button", u"OK", kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, {178, 7, 50, 14}},
                });
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(ResourceTest, StringTableHoldsOnlyTheAboutEntry)
{
    wchar_t text[64] = {};
    EXPECT_EQ(LoadStringW(m_module, IDS_ABOUTBOX, text, static_cast<int>(std::size(text))), 17);
    EXPECT_STREQ(text, L"&About JOBSIFT...");
    // Strings are stored sixteen to a block; string 101 is the sixth of block 7.
    const auto block = Bytes(RT_STRING, IDS_ABOUTBOX / 16 + 1);
    ASSERT_FALSE(block.empty());
    std::vector<std::uint16_t> lengths;
    for (std::size_t offset = 0; offset + 1 < block.size();)
    {
        const auto length = static_cast<std::uint16_t>(block[offset] | block[offset + 1] << 8);
        lengths.push_back(length);
        offset += 2 + 2 * std::size_t{length};
    }
    std::vector<std::uint16_t> expected(16, 0);
    expected[IDS_ABOUTBOX % 16] = 17;
    EXPECT_EQ(lengths, expected);
    int blocks = 0;
    EnumResourceNamesW(m_module, RT_STRING, CountName, reinterpret_cast<LONG_PTR>(&blocks));
    EXPECT_EQ(blocks, 1);
}

TEST_F(ResourceTest, VersionBlockIsAsListed)
{
    const VersionNode root = ParseVersionBlock(Bytes(RT_VERSION, 1));
    ASSERT_TRUE(root.key == u"VS_VERSION_INFO");
    VS_FIXEDFILEINFO fixed{};
    ASSERT_EQ(root.value.size(), sizeof(fixed));
    std::memcpy(&fixed, root.value.data(), sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    constexpr DWORD kVersionMS = (JOBSIFT_VERSION_MAJOR << 16) | JOBSIFT_VERSION_MINOR;
    constexpr DWORD kVersionLS = (JOBSIFT_VERSION_PATCH << 16) | JOBSIFT_VERSION_TWEAK;
    EXPECT_EQ(fixed.dwFileVersionMS, kVersionMS);
    EXPECT_EQ(fixed.dwFileVersionLS, kVersionLS);
    EXPECT_EQ(fixed.dwProductVersionMS, kVersionMS);
    EXPECT_EQ(fixed.dwProductVersionLS, kVersionLS);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);

    const VersionNode* strings = root.Child(u"StringFileInfo");
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode& table = strings->children.front();
    EXPECT_EQ(Narrow(table.key), Narrow(u"040904B0"));
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"CompanyName", u""},
        {u"FileDescription", u"JOBSIFT MFC Application"},
        {u"FileVersion", u"" JOBSIFT_VERSION_COMMA_TEXT},
        {u"InternalName", u"JOBSIFT"},
        {u"LegalTrademarks", u""},
        {u"OriginalFilename", u"JOBSIFT.EXE"},
        {u"ProductName", u"JOBSIFT Application"},
        {u"ProductVersion", u"" JOBSIFT_VERSION_COMMA_TEXT},
    };
    std::vector<std::pair<std::u16string, std::u16string>> actual;
    for (const VersionNode& value : table.children)
        actual.emplace_back(value.key, value.text);
    EXPECT_TRUE(actual == expected);

    const VersionNode* variables = root.Child(u"VarFileInfo");
    ASSERT_NE(variables, nullptr);
    const VersionNode* translation = variables->Child(u"Translation");
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, (std::vector<std::uint8_t>{0x09, 0x04, 0xB0, 0x04}));
}

TEST_F(ResourceTest, VersionQueriesOnTheFileAgree)
{
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    std::vector<std::uint8_t> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    void* value = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", &value, &size));
    EXPECT_EQ(static_cast<const VS_FIXEDFILEINFO*>(value)->dwFileVersionLS, 1u);
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\040904B0\\ProductName", &value, &size));
    EXPECT_STREQ(static_cast<const wchar_t*>(value), L"JOBSIFT Application");
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &size));
    EXPECT_EQ(*static_cast<const DWORD*>(value), 0x04B00409u);
}

#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(ResourceTest, GroupIconHoldsTwoSixteenColourImages)
{
    const auto group = Bytes(RT_GROUP_ICON, IDR_MAINFRAME);
    ASSERT_GE(group.size(), 6u);
    const auto count = static_cast<std::size_t>(group[4] | group[5] << 8);
    ASSERT_EQ(count, 2u);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupIconEntry));
    const int sizes[] = {32, 16};
    for (std::size_t i = 0; i < count; ++i)
    {
        SCOPED_TRACE(sizes[i]);
        GroupIconEntry entry{};
        std::memcpy(&entry, group.data() + 6 + i * sizeof(entry), sizeof(entry));
        EXPECT_EQ(entry.width, sizes[i]);
        EXPECT_EQ(entry.height, sizes[i]);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.bitCount, 4);
        const auto image = Bytes(RT_ICON, entry.id);
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header{};
        std::memcpy(&header, image.data(), sizeof(header));
        EXPECT_EQ(header.biWidth, sizes[i]);
        EXPECT_EQ(header.biHeight, 2 * sizes[i]);
        EXPECT_EQ(header.biBitCount, 4);
    }
}

TEST_F(ResourceTest, ManifestAsksForCommonControlsSixDpiAwarenessLongPathsAndAsInvoker)
{
    const auto bytes = Bytes(RT_MANIFEST, 1);
    const std::string manifest(bytes.begin(), bytes.end());
    for (const char* part : {"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "<dpiAware",
                             ">PerMonitorV2, PerMonitor, system<", "level=\"asInvoker\"",
                             "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true<",
                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

TEST_F(ResourceTest, ManifestNamesTheVersionAndTheProgramsProcessor)
{
    const auto bytes = Bytes(RT_MANIFEST, 1);
    const std::string manifest(bytes.begin(), bytes.end());
    const std::string processor = sizeof(void*) == 8 ? "amd64" : "x86";
    const std::string identity = "name=\"JOBSIFT\" version=\"" JOBSIFT_VERSION_TEXT "\" processorArchitecture=\"" + processor + "\"";
    EXPECT_NE(manifest.find(identity), std::string::npos) << identity;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages)
{
    reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
    return TRUE;
}

BOOL CALLBACK AddNameLanguages(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR languages)
{
    EnumResourceLanguagesW(module, type, name, AddLanguage, languages);
    return TRUE;
}

BOOL CALLBACK AddTypeLanguages(HMODULE module, LPWSTR type, LONG_PTR languages)
{
    EnumResourceNamesW(module, type, AddNameLanguages, languages);
    return TRUE;
}

TEST_F(ResourceTest, EveryResourceIsInLanguage1033)
{
    std::vector<WORD> languages;
    EnumResourceTypesW(m_module, AddTypeLanguages, reinterpret_cast<LONG_PTR>(&languages));
    ASSERT_FALSE(languages.empty());
    for (const WORD language : languages)
        EXPECT_EQ(language, 1033);
}
}
