#pragma once

#include "CurrentDirectory.h"
#include "RecordBuilder.h"
#include "TempDir.h"

#include <CheckJob.h>

#include <filesystem>
#include <string>
#include <vector>

// One run of the worker on this thread, over a source file in a scratch folder that is also
// the current directory (where active program files land). Reports of active program files are
// collected: `boxes` holds the text the dialog would show for each one that could not be saved.
class WorkerRun : public IActiveProgramReport
{
public:
    WorkerRun();
    ~WorkerRun() override;

    std::filesystem::path Source(const Bytes& image, const std::string& name = "line3.pgs");
    RunOutcome Run(const std::filesystem::path& source, bool saveActive = false, CheckOptions options = {});

    std::filesystem::path Cleaned(const std::string& name = "line3__.pgs") const { return m_dir / name; }
    const TempDir& dir() const { return m_dir; }

    // The names of the last run's kept and bad records (see NameLists.h).
    std::u16string GoodList() const;
    std::u16string BadList() const;
    // Temporary files anywhere in the scratch folder: a run leaves none, however it ends.
    std::vector<std::string> Temporaries() const;

    CheckJob job;
    unsigned exitCode = 0;
    std::vector<std::u16string> boxes;
    std::vector<std::u16string> saved;

private:
    void OnSaved(const std::u16string& name, const std::u16string& path) override;
    void OnNotSaved(const std::u16string& name) override;

    TempDir m_dir;
    CurrentDirectory m_inDir{m_dir.path()};
};

// The names as the job lists them: each followed by "\r\n".
std::u16string ListOf(const std::vector<std::u16string>& names);
