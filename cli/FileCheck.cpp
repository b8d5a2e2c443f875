#include "FileCheck.h"
#include "ProgressLine.h"

#include <Console.h>
#include <SourcePath.h>
#include <System.h>

#include <string>

using platform::Stream;
using platform::WriteText;

namespace
{
constexpr std::uint32_t kPollMilliseconds = 50;

std::u16string CountLine(unsigned count)
{
    const std::string digits = std::to_string(count);
    return std::u16string(digits.begin(), digits.end()) + u" Files Checked...";
}

// A job list holds each name followed by "\r\n"; print one name per line.
void PrintList(const std::u16string& heading, const std::u16string& list)
{
    std::u16string text = heading + platform::kNewLine;
    std::size_t start = 0;
    for (std::size_t end; (end = list.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
        text += list.substr(start, end - start) + platform::kNewLine;
    WriteText(Stream::Output, text);
}
}

CFileCheck::CFileCheck(CheckJob& job, bool saveActive) : m_job(job), m_saveActive(saveActive)
{
}

CheckOutcome CFileCheck::Run(const std::u16string& path, bool withHeading)
{
    if (!IsStoredProgramPath(path))
    {
        CProgressLine::WriteError(u"Improper file name or file path.");
        return CheckOutcome::ImproperPath;
    }
    if (withHeading)
        WriteText(Stream::Output, path + platform::kNewLine);
    m_job.PrepareRun(path, nullptr, m_saveActive);
    if (!platform::StartThread(CheckerThreadProc, &m_job))
    {
        m_job.error.Set(u"The check could not be started.");
        m_job.done = 1;
    }
    WaitForWorker();
    const std::u16string error = m_job.error.Get();
    if (!error.empty())
        CProgressLine::WriteError(u"Error: " + error);
    PrintResults(error.empty());
    return error.empty() ? CheckOutcome::Succeeded : CheckOutcome::Failed;
}

void CFileCheck::WaitForWorker()
{
    CProgressLine progress;
    while (m_job.done.load() == 0)
    {
        progress.Show(CountLine(m_job.count.load()));
        platform::SleepMilliseconds(kPollMilliseconds);
    }
}

void CFileCheck::PrintResults(bool succeeded)
{
    std::u16string summary = CountLine(m_job.count.load());
    if (succeeded)
        summary += u"Done!" + std::u16string(platform::kNewLine) + u"File stored as: " + m_job.storedAs.Get();
    WriteText(Stream::Output, summary + platform::kNewLine);
    PrintList(u"Good Programs (kept)", m_job.goodList.Get());
    PrintList(u"Bad Programs (deleted)", m_job.badList.Get());
}
