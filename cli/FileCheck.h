#pragma once

#include <CheckJob.h>

#include <string>

enum class CheckOutcome
{
    Succeeded,
    Failed,
    ImproperPath,
};

// Checks one stored-program file as the desktop program does: the worker on a thread of its own,
// polled until it is done, then the results printed.
class CFileCheck
{
public:
    CFileCheck(CheckJob& job, bool saveActive);
    // With a heading, the results are preceded by a line holding the path as given.
    CheckOutcome Run(const std::u16string& path, bool withHeading);

private:
    void WaitForWorker();
    void PrintResults(bool succeeded);

    CheckJob& m_job;
    bool m_saveActive;
};
