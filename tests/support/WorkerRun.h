#pragma once

#include "CurrentDirectory.h"
#include "RecordBuilder.h"
#include "TempDir.h"

#include <CheckJob.h>

#include <filesystem>
#include <string>
#include <vector>

// One run of the worker on this thread, over a source file in a scratch folder that is also
// the current directory (where active program files land). Message boxes are collected.
class WorkerRun
{
public:
    WorkerRun();
    ~WorkerRun();

    std::filesystem::path Source(const Bytes& image, const std::string& name = "line3.pgs");
    unsigned Run(const std::filesystem::path& source, bool saveActive = false);

    std::filesystem::path Cleaned(const std::string& name = "line3__.pgs") const { return m_dir / name; }
    const TempDir& dir() const { return m_dir; }

    CheckJob job;
    std::vector<std::u16string> boxes;

private:
    TempDir m_dir;
    CurrentDirectory m_inDir{m_dir.path()};
};

// The names as the job lists them: each followed by "\r\n".
std::u16string ListOf(const std::vector<std::u16string>& names);
