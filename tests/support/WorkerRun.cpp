#include "WorkerRun.h"

#include "NameLists.h"

#include <FaultInjection.h>
#include <WholeFile.h>

namespace fs = std::filesystem;

WorkerRun::WorkerRun()
{
    job.Reset();
}

WorkerRun::~WorkerRun()
{
    platform::CFaultInjection::Reset();
}

fs::path WorkerRun::Source(const Bytes& image, const std::string& name)
{
    const fs::path path = m_dir / name;
    fs::create_directories(path.parent_path());
    WriteFile(path, image);
    return path;
}

RunOutcome WorkerRun::Run(const fs::path& source, bool saveActive, CheckOptions options)
{
    job.PrepareRun(U16(source), saveActive, this, options);
    exitCode = CheckerThreadProc(&job);
    return job.outcome.load();
}

std::u16string WorkerRun::GoodList() const
{
    return KeptNames(job.records.Snapshot());
}

std::u16string WorkerRun::BadList() const
{
    return BadNames(job.records.Snapshot());
}

std::vector<std::string> WorkerRun::Temporaries() const
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(m_dir.path()))
    {
        if (platform::IsTemporaryFileName(entry.path().filename().u16string()))
            found.push_back(entry.path().filename().string());
    }
    return found;
}

void WorkerRun::OnSaved(const std::u16string& /*name*/, const std::u16string& path)
{
    saved.push_back(path);
}

void WorkerRun::OnNotSaved(const std::u16string& name)
{
    boxes.push_back(u"Failed to save active program " + name);
}

std::u16string ListOf(const std::vector<std::u16string>& names)
{
    std::u16string list;
    for (const auto& name : names)
        list += name + u"\r\n";
    return list;
}
