// Takes any bytes as a stored-program file and runs whole checks on them: the plain walk with
// active program files on, then the salvage walk without and with --past-end. Every result is
// held to the plain readings in ReferenceCheck and ReferenceSalvage, and the report pages of the
// plain walk and the salvage past the end mark are made and hold their maps.
#include "ReferenceCheck.h"
#include "ReferenceSalvage.h"

#include <CheckJob.h>
#include <Crc32.h>
#include <FinishedRun.h>
#include <HtmlReport.h>
#include <TextConversion.h>
#include <WholeFile.h>
#include <support/CurrentDirectory.h>
#include <support/NameLists.h>
#include <support/TempDir.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace fs = std::filesystem;

namespace
{
constexpr std::uint8_t kPlaceAtMemoryEnd = 0xE5;

// One folder per process, made at the first input: the source and its cleaned copy, and beneath
// them the folder where the active program files land. Emptied after every input. It takes the
// reports of active program files as the dialog would show them.
class Scratch : public IActiveProgramReport
{
public:
    Scratch() : m_active(m_dir / "active") { fs::create_directory(m_active); }

    fs::path Source() const { return m_dir / "input.pgs"; }
    fs::path Cleaned() const { return m_dir / "input__.pgs"; }
    const fs::path& Active() const { return m_active; }
    const fs::path& Folder() const { return m_dir.path(); }
    const std::vector<std::u16string>& Boxes() const { return m_boxes; }

    void OnSaved(const std::u16string&, const std::u16string&) override {}
    void OnNotSaved(const std::u16string& name) override { m_boxes.push_back(u"Failed to save active program " + name); }

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

// The texts the dialog shows for the ways a run on a readable file can end.
std::u16string ErrorText(RunOutcome outcome)
{
    switch (outcome)
    {
    case RunOutcome::BeyondMemory:
        return u"Unknown Program State";
    case RunOutcome::MemoryExceeded:
        return u"Memory size exceeded.";
    default:
        return {};
    }
}

void RequirePlainJob(const CheckJob& job, unsigned exitCode, const reference::Outcome& expected)
{
    const std::vector<ExaminedRecord> records = job.records.Snapshot();
    Require(job.done.load() != 0, "done is set");
    Require(job.count.load() <= 100, "at most 100 records are examined");
    Require(job.count.load() == expected.count, "count");
    Require(records.size() == expected.count, "one record reported per examined record");
    Require(exitCode == expected.exitCode, "exit code");
    Require(ErrorText(job.outcome.load()) == expected.error, "error text");
    Require(KeptNames(records) == expected.goodList, "good list");
    Require(BadNames(records) == expected.badList, "bad list");
    Require(job.storedAs.Get() == u"input__.pgs", "stored as");
}

// A name that reaches the file system as it is: no separator, no control character, and no
// surrogate, which the conversion to a file name could merge with another name.
bool IsPlainName(const std::u16string& name)
{
    return std::none_of(name.begin(), name.end(), [](char16_t unit) {
        return unit == u'/' || unit < 0x20 || unit == 0x7F || (unit >= 0xD800 && unit <= 0xDFFF);
    });
}

bool IsGoodRecord(const Bytes& bytes, const reference::Outcome& expected)
{
    return std::find(expected.goodRecords.begin(), expected.goodRecords.end(), bytes) != expected.goodRecords.end();
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
// file; a box only ever names a name that is not plain; nothing temporary stays.
void RequireActivePrograms(const Scratch& scratch, const reference::Outcome& expected)
{
    for (const auto& entry : fs::directory_iterator(scratch.Active()))
    {
        Require(entry.is_regular_file(), "only files are made");
        Require(!platform::IsTemporaryFileName(entry.path().filename().u16string()), "no temporary file stays");
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

std::size_t Occurrences(const std::u16string& text, const std::u16string& what)
{
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::u16string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// Whatever the names hold, the report is made, its map has its 768 cells, and no name becomes
// markup; it names the whole source by size and checksum.
void RequireReportPage(const CheckJob& job, const Bytes& input)
{
    const std::u16string page = HtmlReportPage(FinishedRunOf(job));
    const auto map = page.find(u"<svg id=\"map\"");
    Require(map != std::u16string::npos, "the page has its map");
    const std::u16string cells = page.substr(map, page.find(u"</svg>", map) - map);
    Require(Occurrences(cells, u"<rect ") == 768 && Occurrences(cells, u"<title>") == 768, "768 cells, each titled");
    Require(Occurrences(page, u"<script") == 0, "no name becomes markup");
    Require(job.results.sourceSize == input.size(), "the report's source size");
    Require(job.results.sourceCrc == CCrc32().Compute(input.data(), static_cast<std::uint32_t>(input.size())),
            "the report's CRC-32 of the source");
}

unsigned RunCheck(Scratch& scratch, CheckJob& job, bool saveActive, CheckOptions options)
{
    job.Reset();
    job.PrepareRun(U16(scratch.Source()), saveActive, &scratch, options);
    const CurrentDirectory inActive(scratch.Active());
    return CheckerThreadProc(&job);
}

reference::SalvageVerdict AsReference(Verdict verdict)
{
    switch (verdict)
    {
    case Verdict::Good:
        return reference::SalvageVerdict::Good;
    case Verdict::Bad:
        return reference::SalvageVerdict::Bad;
    case Verdict::Empty:
        return reference::SalvageVerdict::Empty;
    case Verdict::UnknownState:
        return reference::SalvageVerdict::UnknownState;
    case Verdict::Recovered:
        return reference::SalvageVerdict::Recovered;
    case Verdict::Duplicate:
        break;
    }
    return reference::SalvageVerdict::Duplicate;
}

// What holds of every kept program whatever the reference says: it verifies and lies at its
// offset in the source, kept programs never overlap, and the cleaned file is their
// concatenation in file order.
void RequireKeptPrograms(const std::vector<ExaminedRecord>& records, const Bytes& input, const Bytes& cleaned)
{
    const reference::Image image(input);
    Bytes concatenation;
    std::uint64_t end = 0;
    for (const ExaminedRecord& record : records)
    {
        if (!IsKept(record.verdict))
            continue;
        Require(record.offset >= end, "kept programs do not overlap and come in file order");
        Require(reference::IsIntactAt(image, record.offset), "every kept program verifies");
        const Bytes bytes = image.Slice(record.offset, record.size);
        concatenation.insert(concatenation.end(), bytes.begin(), bytes.end());
        end = record.offset + record.size;
    }
    Require(cleaned == concatenation, "the cleaned file is the kept programs back to back");
}

void RequireSalvage(const CheckJob& job, const reference::Salvage& expected, const Bytes& cleaned)
{
    const std::vector<ExaminedRecord> records = job.records.Snapshot();
    Require(job.outcome.load() == RunOutcome::Completed, "a salvage completes");
    Require(records.size() == expected.records.size(), "salvage: examined records");
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        const reference::SalvagedRecord& want = expected.records[i];
        Require(records[i].offset == want.offset, "salvage: offset");
        Require(AsReference(records[i].verdict) == want.verdict, "salvage: verdict");
        Require(records[i].pastEnd == want.pastEnd, "salvage: past end");
        Require(records[i].name == want.name, "salvage: name");
    }
    const std::vector<SkippedRange>& skipped = job.results.skipped;
    Require(skipped.size() == expected.skipped.size(), "salvage: skipped ranges");
    for (std::size_t i = 0; i < skipped.size(); ++i)
        Require(skipped[i].offset == expected.skipped[i].start && skipped[i].length == expected.skipped[i].size,
                "salvage: skipped range");
    Require(cleaned == expected.cleaned, "salvage: the cleaned file holds the kept programs");
}

// Whatever the walk does in detail, with --past-end it never passes over the start of an intact
// program except inside a program it takes or leaves out as a duplicate.
void RequireEveryIntactProgramReached(const std::vector<ExaminedRecord>& records, const Bytes& input)
{
    const reference::Image image(input);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> taken;
    for (const ExaminedRecord& record : records)
    {
        if (IsKept(record.verdict) || record.verdict == Verdict::Duplicate)
            taken.emplace_back(record.offset, record.offset + record.size);
    }
    const std::uint64_t end = std::min<std::uint64_t>(input.size(), 786432);
    for (std::uint64_t q = 0; q < end; ++q)
    {
        if (!reference::IsIntactAt(image, q))
            continue;
        const bool reached = std::any_of(taken.begin(), taken.end(), [q](const auto& span) {
            return span.first <= q && q < span.second;
        });
        Require(reached, "salvage past the end mark reaches every intact program");
    }
}

// One input byte in a few places the rest at the very end of a memory-sized image, behind one
// empty record that spans the zeros before it: so the walks meet the end of the memory too, at the
// cost of one record.
Bytes Placed(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t kMemory = 786432;
    if (size == 0 || data[0] != kPlaceAtMemoryEnd || size - 1 > kMemory)
        return Bytes(data, data + size);
    const std::size_t before = kMemory - (size - 1);
    Bytes image(before, 0x00);
    if (before >= 158)
    {
        const std::uint32_t body = static_cast<std::uint32_t>(before - 158);
        for (std::size_t i = 0; i < 4; ++i)
            image[150 + i] = static_cast<std::uint8_t>(body >> (24 - 8 * i));
    }
    image.insert(image.end(), data + 1, data + size);
    return image;
}

// Mutations nearly always break a checksum. Sealing the stored programs again in half of them
// lets good records with fuzzed names, lengths and bodies reach the outputs: those the plain walk
// reads, or in a quarter of them every stored program the salvage walk past the end mark meets.
void Seal(std::uint8_t* data, std::size_t size, std::uint64_t start, std::uint64_t recordSize)
{
    if (start + 4 > size)
        return;
    const std::uint32_t crc = reference::Crc32(reference::Image({data, size}), start + 4, start + recordSize);
    for (std::size_t i = 0; i < 4; ++i)
        data[start + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

void Reseal(std::uint8_t* data, std::size_t size, bool behindDamage)
{
    const reference::Image image({data, size});
    const reference::Outcome plain = reference::Expect(image);
    if (!behindDamage)
    {
        for (const reference::Span& record : plain.storedPrograms)
            Seal(data, size, record.start, record.size);
        return;
    }
    for (const reference::SalvagedRecord& record : reference::ExpectSalvage(image, true, plain.goodOffsets).records)
    {
        const std::uint64_t body = std::uint64_t{image.BigEndian32(record.offset + 150)} + image.BigEndian32(record.offset + 154);
        const std::uint64_t recordSize = 158 + body + body % 2;
        if (record.verdict == reference::SalvageVerdict::Bad && record.offset + recordSize <= 786432)
            Seal(data, size, record.offset, recordSize);
    }
}
}

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size, std::size_t maxSize,
                                               unsigned int seed)
{
    size = LLVMFuzzerMutate(data, size, maxSize);
    if (seed % 2 == 0)
    {
        // A placed input is sealed as the records it holds, from its second byte on.
        const std::size_t skip = size > 0 && data[0] == kPlaceAtMemoryEnd ? 1 : 0;
        Reseal(data + skip, size - skip, seed % 4 == 2);
    }
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Scratch scratch;
    const Bytes input = Placed(data, size);
    const reference::Image image(input);
    WriteFile(scratch.Source(), input);
    CheckJob job;

    const unsigned exitCode = RunCheck(scratch, job, true, {.describeSource = true});
    const reference::Outcome expected = reference::Expect(image);
    RequirePlainJob(job, exitCode, expected);
    Require(ReadFile(scratch.Source()) == input, "the source is unchanged");
    const Bytes cleaned = ReadFile(scratch.Cleaned());
    Require(cleaned == expected.cleaned, "the cleaned file holds the good records");
    RequireKeptPrograms(job.records.Snapshot(), input, cleaned);
    RequireActivePrograms(scratch, expected);
    RequireReportPage(job, input);
    Require(CountLeftBehind(job.results.leftBehind).Total() == reference::ExpectLeftBehind(image, expected.goodOffsets, expected.goodOffsets),
            "left behind by the plain walk");

    for (const bool pastEnd : {false, true})
    {
        RunCheck(scratch, job, false, {.salvage = true, .pastEnd = pastEnd, .describeSource = true});
        const reference::Salvage salvage = reference::ExpectSalvage(image, pastEnd, expected.goodOffsets);
        const Bytes salvaged = ReadFile(scratch.Cleaned());
        RequireSalvage(job, salvage, salvaged);
        RequireKeptPrograms(job.records.Snapshot(), input, salvaged);
        // The page of the plain salvage shows nothing the other two runs' pages do not.
        if (pastEnd)
            RequireReportPage(job, input);
        const std::uint32_t left = pastEnd ? 0 : reference::ExpectLeftBehind(image, expected.goodOffsets, salvage.kept);
        Require(CountLeftBehind(job.results.leftBehind).Total() == left, "left behind by the salvage walk");
        if (pastEnd)
            RequireEveryIntactProgramReached(job.records.Snapshot(), input);
    }
    Require(ReadFile(scratch.Source()) == input, "the source is unchanged");
    for (const auto& entry : fs::directory_iterator(scratch.Folder()))
        Require(!platform::IsTemporaryFileName(entry.path().filename().u16string()), "no temporary file stays");
    scratch.Clear();
    return 0;
}
