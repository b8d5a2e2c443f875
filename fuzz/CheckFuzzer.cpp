// Takes any bytes as a stored-program file, runs a whole check on it with active program files
// on, and holds every result to the plain reading in ReferenceCheck.
#include "ReferenceCheck.h"

#include <CheckJob.h>
#include <System.h>
#include <TextConversion.h>
#include <support/CurrentDirectory.h>
#include <support/TempDir.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

namespace
{
// One folder per process, made at the first input: the source and its cleaned copy, and beneath
// them the folder where the active program files land. Emptied after every input.
class Scratch
{
public:
    Scratch() : m_active(m_dir / "active")
    {
        fs::create_directory(m_active);
        platform::SetMessageBoxHandler(
            [this](const std::u16string& text, const std::u16string&) { m_boxes.push_back(text); });
    }

    fs::path Source() const { return m_dir / "input.pgs"; }
    fs::path Cleaned() const { return m_dir / "input__.pgs"; }
    const fs::path& Active() const { return m_active; }
    const std::vector<std::u16string>& Boxes() const { return m_boxes; }

    void Clear()
    {
        fs::remove(Source());
        fs::remove(Cleaned());
        for (const auto& entry : fs::directory_iterator(m_active))
            fs::remove_all(entry.path());
        m_boxes.clear();
    }

private:
    TempDir m_dir;
    fs::path m_active;
    std::vector<std::u16string> m_boxes;
};

void Require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "check failed: %s\n", what);
    std::abort();
}

void RequireJob(const CheckJob& job, unsigned exitCode, const reference::Outcome& expected)
{
    Require(job.done.load() != 0, "done is set");
    Require(job.count.load() <= 100, "at most 100 records are examined");
    Require(job.count.load() == expected.count, "count");
    Require(exitCode == expected.exitCode, "exit code");
    Require(job.error.Get() == expected.error, "error text");
    Require(job.goodList.Get() == expected.goodList, "good list");
    Require(job.badList.Get() == expected.badList, "bad list");
    Require(job.storedAs.Get() == u"input__.pgs", "stored as");
}

// A name that reaches the file system as it is: one component that is not "..", and no
// surrogate, which the conversion to a file name could merge with another name.
bool IsPlainName(const std::u16string& name)
{
    for (const char16_t unit : name)
    {
        if (unit == u'/' || (unit >= 0xD800 && unit <= 0xDFFF))
            return false;
    }
    return name != u"..";
}

bool IsGoodRecord(const Bytes& bytes, const reference::Outcome& expected)
{
    for (const Bytes& record : expected.goodRecords)
    {
        if (record == bytes)
            return true;
    }
    return false;
}

// The file of the plain name at `index` holds its record, or that of a later good record that
// may have written the same file: one of the same name, or one whose name is not plain.
bool PlainNameFileHolds(const Scratch& scratch, std::size_t index, const reference::Outcome& expected)
{
    const std::u16string& name = expected.goodNames[index];
    const Bytes file = ReadFile(scratch.Active() / platform::ToUtf8(name + u".pga"));
    for (std::size_t later = index; later < expected.goodNames.size(); ++later)
    {
        const std::u16string& laterName = expected.goodNames[later];
        if ((laterName == name || !IsPlainName(laterName)) && file == expected.goodRecords[later])
            return true;
    }
    return false;
}

// Whatever names did, every active program file is one good record; a plain name always gets its
// file; a box only ever names a name that is not plain.
void RequireActivePrograms(const Scratch& scratch, const reference::Outcome& expected)
{
    for (const auto& entry : fs::directory_iterator(scratch.Active()))
    {
        Require(entry.is_regular_file(), "only files are made");
        Require(IsGoodRecord(ReadFile(entry.path()), expected), "every active program file is a good record");
    }
    std::vector<std::u16string> refusable;
    for (std::size_t i = 0; i < expected.goodNames.size(); ++i)
    {
        if (IsPlainName(expected.goodNames[i]))
            Require(PlainNameFileHolds(scratch, i, expected), "a plain name gets its active program file");
        else
            refusable.push_back(u"Failed to save active program " + expected.goodNames[i]);
    }
    for (const std::u16string& box : scratch.Boxes())
        Require(std::find(refusable.begin(), refusable.end(), box) != refusable.end(), "box for a plain name");
}

// Mutations nearly always break a checksum. Sealing the stored programs again in half of them
// lets good records with fuzzed names, lengths and bodies reach the outputs.
void Reseal(std::uint8_t* data, std::size_t size)
{
    const reference::Image image({data, size});
    for (const reference::Span& record : reference::Expect(image).storedPrograms)
    {
        if (record.start + 4 > size)
            continue;
        const std::uint32_t crc = reference::Crc32(image, record.start + 4, record.start + record.size);
        for (std::size_t i = 0; i < 4; ++i)
            data[record.start + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    }
}
}

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed)
{
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 2 == 0)
        Reseal(data, size);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Scratch scratch;
    const Bytes input(data, data + size);
    WriteFile(scratch.Source(), input);

    CheckJob job;
    job.Reset();
    job.PrepareRun(U16(scratch.Source()), nullptr, true);
    unsigned exitCode = 0;
    {
        const CurrentDirectory inActive(scratch.Active());
        exitCode = CheckerThreadProc(&job);
    }

    const reference::Outcome expected = reference::Expect(reference::Image(input));
    RequireJob(job, exitCode, expected);
    Require(ReadFile(scratch.Source()) == input, "the source is unchanged");
    Require(ReadFile(scratch.Cleaned()) == expected.cleaned, "the cleaned file holds the good records");
    RequireActivePrograms(scratch, expected);
    scratch.Clear();
    return 0;
}
