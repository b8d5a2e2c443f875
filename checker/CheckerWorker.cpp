#include "ActiveProgram.h"
#include "CheckJob.h"
#include "RecordWalk.h"

#include <File.h>
#include <HeapBlock.h>
#include <System.h>

using StoredProgram::RecordClass;

namespace
{
constexpr char16_t kListSeparator[] = u"\r\n";

// Copies good records to the cleaned file and reports every examined record through the job.
class CCheckingVisitor : public IRecordVisitor
{
public:
    CCheckingVisitor(CheckJob& job, platform::CFile& output) : m_job(job), m_output(output) {}

    bool ShouldAbort() override { return m_job.abort.load() != 0; }

    bool OnRecord(const RecordInfo& record) override
    {
        if (record.recordClass == RecordClass::StoredProgram && record.good)
        {
            if (!m_output.Write(record.bytes, static_cast<std::uint32_t>(record.size)))
                return false;
            m_job.goodList.Append(record.name + kListSeparator);
            if (m_job.saveActive.load() != 0)
                SaveActive(record);
        }
        else if (record.recordClass != RecordClass::Empty)
            m_job.badList.Append(record.name + kListSeparator);
        m_job.count.fetch_add(1);
        return true;
    }

private:
    static void SaveActive(const RecordInfo& record)
    {
        if (!SaveActiveProgram(record.bytes, static_cast<std::uint32_t>(record.size), record.name))
            platform::MessageBoxOk(u"Failed to save active program " + record.name);
    }

    CheckJob& m_job;
    platform::CFile& m_output;
};

// The one way every run ends: the error text (if any) first, `done` last.
unsigned Finish(CheckJob& job, unsigned exitCode, const char16_t* errorText = nullptr)
{
    if (errorText != nullptr)
        job.error.Set(errorText);
    job.done.store(1);
    return exitCode;
}

// A cleaned file that could not be written in full is removed: nobody should take it for a result.
unsigned FinishWithFileError(CheckJob& job, platform::CFile& source, platform::CFile& output,
                             const char16_t* errorText)
{
    source.Close();
    output.Close();
    platform::RemoveFile(output.FilePath());
    return Finish(job, kExitFileError, errorText);
}

unsigned EndNormally(CheckJob& job, platform::CFile& source, platform::CFile& output, const char16_t* errorText)
{
    const bool flushed = output.Flush();
    const bool sourceClosed = source.Close();
    if (!flushed || !output.Close())
        return FinishWithFileError(job, source, output, u"File write error.");
    if (!sourceClosed)
        return FinishWithFileError(job, source, output, u"File read error.");
    return Finish(job, kExitNormal, errorText);
}

unsigned EndEarly(CheckJob& job, platform::CFile& source, platform::CFile& output, unsigned exitCode,
                  const char16_t* errorText)
{
    const bool sourceClosed = source.Close();
    if (!output.Close())
        return FinishWithFileError(job, source, output, u"File write error.");
    if (!sourceClosed)
        return FinishWithFileError(job, source, output, u"File read error.");
    return Finish(job, exitCode, errorText);
}

unsigned EndOfWalk(CheckJob& job, WalkEnd end, platform::CFile& source, platform::CFile& output)
{
    switch (end)
    {
    case WalkEnd::EndMark:
    case WalkEnd::RecordLimit:
        return EndNormally(job, source, output, nullptr);
    case WalkEnd::BeyondMemory:
        return EndNormally(job, source, output, u"Unknown Program State");
    case WalkEnd::MemoryExceeded:
        return EndEarly(job, source, output, kExitMemoryExceeded, u"Memory size exceeded.");
    case WalkEnd::Aborted:
        return EndEarly(job, source, output, kExitAborted, nullptr);
    case WalkEnd::ReadFailed:
        return FinishWithFileError(job, source, output, u"File read error.");
    case WalkEnd::VisitorFailed:
        break;
    }
    return FinishWithFileError(job, source, output, u"File write error.");
}

unsigned RunCheck(CheckJob& job)
{
    const CCrc32 crc;
    const CByteOrder byteOrder;

    platform::CFile source;
    if (!source.OpenForReading(job.path.Get()))
        return Finish(job, kExitSourceNotOpened, u"File not found.");

    const std::u16string outputPath = StoredProgram::CleanedPathFor(source.FilePath());
    platform::CFile output;
    if (outputPath.empty() || !output.CreateForReadWrite(outputPath))
    {
        source.Close();
        return Finish(job, kExitOutputNotCreated, u"File not found.");
    }

    platform::CHeapBlock buffer;
    if (!buffer.Allocate(StoredProgram::kMemorySize))
        return EndEarly(job, source, output, kExitAllocationFailed, u"Memory allocation failed.");

    job.storedAs.Set(output.FileName());
    CCheckingVisitor visitor(job, output);
    const WalkEnd end = CRecordWalk(source, buffer.Data(), crc, byteOrder).Run(visitor);
    buffer.Release();
    return EndOfWalk(job, end, source, output);
}
}

unsigned CheckerThreadProc(void* job)
{
    return RunCheck(*static_cast<CheckJob*>(job));
}
