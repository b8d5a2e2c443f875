#pragma once

#include "ExitStatus.h"

#include <CheckJob.h>

#include <set>
#include <string>

// Checks one stored-program file with the desktop program's worker and hands back what it found. Failed saves of active program files are reported as they
// happen; so is an active program file that replaces one written earlier in the same command.
class CFileCheck : private IActiveProgramReport
{
public:
    CFileCheck(CheckJob& job, bool saveActive, CheckOptions options);

    FinishedRun Run(const std::u16string& path);

private:
    void RunWithLiveCount();
    void OnSaved(const std::u16string& name, const std::u16string& path) override;
    void OnNotSaved(const std::u16string& name) override;

    CheckJob& m_job;
    bool m_saveActive;
    CheckOptions m_options;
    std::uint32_t m_failedSaves = 0;
    std::set<std::u16string> m_savedFiles;
};
