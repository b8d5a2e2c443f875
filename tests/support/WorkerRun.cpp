#include "WorkerRun.h"

#include <FileFaults.h>
#include <HeapBlock.h>
#include <System.h>

namespace fs = std::filesystem;

WorkerRun::WorkerRun()
{
    platform::SetMessageBoxHandler([this](const std::u16string& text, const std::u16string&) { boxes.push_back(text); });
    job.Reset();
}

WorkerRun::~WorkerRun()
{
    platform::SetMessageBoxHandler(nullptr);
    platform::CFileFaults::Reset();
    platform::CHeapBlock::FailNextAllocations(0);
}

fs::path WorkerRun::Source(const Bytes& image, const std::string& name)
{
    const fs::path path = m_dir / name;
    fs::create_directories(path.parent_path());
    WriteFile(path, image);
    return path;
}

unsigned WorkerRun::Run(const fs::path& source, bool saveActive)
{
    job.PrepareRun(U16(source), nullptr, saveActive);
    return CheckerThreadProc(&job);
}

std::u16string ListOf(const std::vector<std::u16string>& names)
{
    std::u16string list;
    for (const auto& name : names)
        list += name + u"\r\n";
    return list;
}
