#include "ActiveProgram.h"
#include "CheckJob.h"
#include "SalvageWalk.h"
#include "SourceFingerprint.h"

#include <File.h>
#include <FileSystem.h>
#include <LocalTime.h>
#include <Paths.h>
#include <SystemError.h>
#include <WholeFile.h>

#include <cstring>
#include <optional>
#include <vector>

namespace
{
struct KeptRecord
{
    std::uint64_t offset;
    std::uint32_t size;
};

// Reports every examined record through the job, keeps track of what goes into the cleaned file
// and writes the active program files as the records come.
class CRunVisitor : public IWalkVisitor
{
public:
    CRunVisitor(CheckJob& job, const CProgramImage& image, CheckResults& results)
        : m_job(job), m_image(image), m_results(results)
    {
    }

    bool ShouldAbort() override { return m_job.abort.load() != 0; }

    // A kept record is listed first and then saved, so a front end that is told of a failed
    // save already lists the program; the count rises last.
    void OnRecord(const ExaminedRecord& record) override
    {
        m_job.records.Append(record);
        m_keptPrograms.OnRecord(record);
        if (!record.pastEnd)
            m_reached = record.offset + record.size;
        if (IsKept(record.verdict))
        {
            const auto size = static_cast<std::uint32_t>(record.size);
            m_kept.push_back({record.offset, size});
            if (m_job.saveActive.load() != 0)
                SaveActive(record.name, m_image.At(record.offset), size);
        }
        m_job.count.fetch_add(1);
    }

    void OnSkipped(const SkippedRange& range) override { m_results.skipped.push_back(range); }

    const std::vector<KeptRecord>& Kept() const { return m_kept; }
    const KeptPrograms& KeptNamed() const { return m_keptPrograms.Kept(); }
    // The end of the last record the walk took before any end mark.
    std::uint64_t Reached() const { return m_reached; }

private:
    void SaveActive(const std::u16string& name, const std::uint8_t* bytes, std::uint32_t size)
    {
        std::u16string savedAs;
        const bool saved = SaveActiveProgram(bytes, size, name, m_results.sourcePermissions, &savedAs) != 0;
        if (m_job.report == nullptr)
            return;
        if (saved)
            m_job.report->OnSaved(name, savedAs);
        else
            m_job.report->OnNotSaved(name);
    }

    CheckJob& m_job;
    const CProgramImage& m_image;
    CheckResults& m_results;
    std::vector<KeptRecord> m_kept;
    CKeptPrograms m_keptPrograms;
    std::uint64_t m_reached = 0;
};

RunOutcome OutcomeOf(WalkEnd end)
{
    switch (end)
    {
    case WalkEnd::Completed:
    case WalkEnd::RecordLimit:
        return RunOutcome::Completed;
    case WalkEnd::BeyondMemory:
        return RunOutcome::BeyondMemory;
    case WalkEnd::MemoryExceeded:
        return RunOutcome::MemoryExceeded;
    case WalkEnd::Aborted:
        break;
    }
    return RunOutcome::Aborted;
}

// What a salvage past the end mark would take besides what the run kept. False when the run was
// asked to stop meanwhile.
bool FindWhatIsLeft(const CProgramImage& image, CIntactPrograms& programs, const KeptPrograms& plainKept,
                    CRunVisitor& visitor, CheckResults& results)
{
    auto left = FindLeftBehind(image, programs, plainKept, visitor.KeptNamed().offsets, visitor);
    if (!left)
        return false;
    results.leftBehind = std::move(*left);
    return true;
}

// The walk the options ask for, then the search for what a salvage past the end mark would take
// besides.
WalkEnd Walk(const CheckOptions& options, const CProgramImage& image, CIntactPrograms& programs,
             CRunVisitor& visitor, CheckResults& results)
{
    if (!options.salvage)
    {
        const WalkEnd end = CRecordWalk(image, programs).Run(visitor);
        if (end == WalkEnd::Aborted || !FindWhatIsLeft(image, programs, visitor.KeptNamed(), visitor, results))
            return WalkEnd::Aborted;
        return end;
    }
    const KeptPrograms plainKept = PlainKept(image, programs);
    const WalkEnd end = CSalvageWalk(image, programs, plainKept, options.pastEnd).Run(visitor);
    if (end == WalkEnd::Aborted || options.pastEnd)
        return end;
    return FindWhatIsLeft(image, programs, plainKept, visitor, results) ? end : WalkEnd::Aborted;
}

// A walk that completes stops at the end mark right behind the last record it took before it,
// unless the records ran out of the memory or a search found nothing more.
std::optional<std::uint64_t> EndMarkMet(const CProgramImage& image, WalkEnd end, std::uint64_t reached)
{
    if (end != WalkEnd::Completed || reached >= StoredProgram::kMemorySize ||
        StoredProgram::ClassifyState(image.State(reached)) != StoredProgram::RecordClass::EndMark)
        return std::nullopt;
    return reached;
}

// The kept records, moved together at the front of the image (each lies at or behind the place
// it moves to), go to the cleaned file in one write. A stop asked for before the file takes its
// name leaves the older file as it was.
RunOutcome WriteCleaned(platform::CWholeFile& output, CProgramImage& image, CRunVisitor& visitor,
                        CheckResults& results)
{
    const std::vector<KeptRecord>& kept = visitor.Kept();
    std::uint8_t* bytes = image.Data();
    std::uint32_t length = 0;
    for (const KeptRecord& record : kept)
    {
        if (record.offset != length)
            std::memmove(bytes + length, bytes + record.offset, record.size);
        length += record.size;
    }
    if (!output.Write(bytes, length))
        return RunOutcome::WriteFailed;
    if (visitor.ShouldAbort())
        return RunOutcome::Aborted;
    if (!output.Commit())
        return RunOutcome::WriteFailed;
    results.cleanedPath = output.FinalPath();
    results.cleanedSize = length;
    return RunOutcome::Completed;
}

// The cleaned file goes beside the source. A name that is the source itself, as a second name or
// as the link the source was opened through, is refused before anything is written: the rename
// would put the cleaned programs in place of the source's. Empty once the cleaned file is created.
std::optional<RunOutcome> CreateCleaned(const platform::CFile& source, const platform::FileLocation& location,
                                        platform::CWholeFile& output, CheckResults& results)
{
    const std::u16string cleaned = platform::JoinPath(location.folder, StoredProgram::CleanedNameFor(location.name));
    if (source.IsNamedBy(cleaned))
        return RunOutcome::CleanedIsSource;
    if (!output.Create(cleaned, results.sourcePermissions))
    {
        results.systemReason = platform::SystemReason(output.CreateError());
        return RunOutcome::OutputNotCreated;
    }
    return std::nullopt;
}

RunOutcome Check(CheckJob& job, CheckResults& results)
{
    const CCrc32 crc;
    const CByteOrder byteOrder;
    const std::u16string path = job.path.Get();
    results.checkedAt = platform::LocalTimeNow();

    platform::CFile source;
    const platform::OpenResult opened = source.OpenForReading(path);
    results.systemReason = platform::SystemReason(source.OpenError());
    if (opened != platform::OpenResult::Opened)
        return opened == platform::OpenResult::NotRegularFile ? RunOutcome::SourceNotRegular
                                                               : RunOutcome::SourceNotOpened;

    results.sourcePermissions = source.Permissions();
    platform::CWholeFile output;
    const bool writing = job.options.writeCleaned;
    platform::FileLocation location;
    const bool located = platform::LocateFile(path, location);
    if (located)
        results.sourcePath = platform::JoinPath(location.folder, location.name);
    if (writing)
    {
        if (!located)
            return RunOutcome::OutputNotCreated;
        if (const std::optional<RunOutcome> failed = CreateCleaned(source, location, output, results))
            return *failed;
    }

    CProgramImage image(byteOrder);
    if (!image.Allocate())
        return RunOutcome::AllocationFailed;
    if (writing)
        job.storedAs.Set(platform::LastComponent(output.FinalPath()));

    const bool loaded = image.Load(source);
    if (loaded && job.options.describeSource)
    {
        const SourceFingerprint fingerprint = FingerprintOf(image, source, crc);
        results.sourceSize = fingerprint.size;
        results.sourceCrc = fingerprint.crc;
    }
    if (!source.Close() || !loaded)
        return RunOutcome::ReadFailed;

    CIntactPrograms programs(image, crc);
    CRunVisitor visitor(job, image, results);
    const WalkEnd end = Walk(job.options, image, programs, visitor, results);
    if (end == WalkEnd::Aborted)
        return RunOutcome::Aborted;
    results.endMark = EndMarkMet(image, end, visitor.Reached());
    if (writing)
    {
        const RunOutcome written = WriteCleaned(output, image, visitor, results);
        if (written != RunOutcome::Completed)
            return written;
    }
    return OutcomeOf(end);
}
}

// Every file and the buffer are released when Check returns, before the job hears of the end.
unsigned CheckerThreadProc(void* job)
{
    CheckJob& checked = *static_cast<CheckJob*>(job);
    CheckResults results;
    const RunOutcome outcome = Check(checked, results);
    checked.Finish(outcome, std::move(results));
    return CheckerExitCode(outcome);
}
