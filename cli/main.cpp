#include "CommandLine.h"
#include "FileCheck.h"
#include "Inputs.h"
#include "JsonReport.h"
#include "Output.h"
#include "TextReport.h"
#include "Words.h"

#include <CheckJob.h>
#include <Console.h>
#include <Interrupts.h>
#include <JobsiftVersion.h>
#include <ReportFile.h>
#include <SourcePath.h>
#include <System.h>
#include <TextConversion.h>

#include <algorithm>
#include <string>

namespace
{
CheckJob theCheckJob;

// Tallies the files of one command for its exit status and its last line.
class CTally
{
public:
    void Add(ExitStatus status)
    {
        ++m_counts[status == kExitClean ? 0 : status == kExitDamaged ? 1 : 2];
        m_status = std::max(m_status, status);
    }
    ExitStatus Status() const { return m_status; }
    unsigned Files() const { return m_counts[0] + m_counts[1] + m_counts[2]; }

    std::u16string Summary() const
    {
        return ::Summary(m_counts[0], m_counts[1], m_counts[2]);
    }

private:
    unsigned m_counts[3] = {0, 0, 0};
    ExitStatus m_status = kExitClean;
};

void TellLeftBehind(const FinishedRun& report)
{
    for (const std::u16string& line : LeftBehindLines(CountLeftBehind(report.results.leftBehind)))
        output::Message(ShownName(report.path) + u": " + line);
}

// In a batch a message names its file and follows the file's block: on a terminal, where the two
// streams meet, it must not read as part of the file before.
std::u16string AboutFile(const std::u16string& path, bool inBatch)
{
    return inBatch ? ShownName(path) + u": " : std::u16string();
}

void Report(const CommandLine& line, const FinishedRun& report, bool inBatch)
{
    if (line.json)
        output::Print(JsonReport(report));
    else
        output::Print(TextReport(report, inBatch) + (line.list ? RecordTable(report) : std::u16string()));
    const std::u16string error = CliOutcomeText(report.outcome);
    if (!error.empty())
        output::Message(AboutFile(report.path, inBatch) + ErrorLine(error, report.results.systemReason));
    TellLeftBehind(report);
}

// A source that could not be opened was never checked: there is nothing to report on it.
bool KeepReport(const FinishedRun& report)
{
    if (report.outcome == RunOutcome::SourceNotOpened || report.outcome == RunOutcome::SourceNotRegular ||
        WriteReportFile(report))
        return true;
    output::Message(u"jobsift-cli: " + ReportNotWritten(report.path));
    return false;
}

// Checks each input in turn until all are done or an interrupt comes.
void CheckAll(const CommandLine& line, const std::vector<Input>& inputs, CTally& tally)
{
    const CheckOptions options{line.salvage, line.pastEnd, !line.testOnly, line.report};
    CFileCheck check(theCheckJob, line.saveActive, options);
    for (const Input& input : inputs)
    {
        if (platform::CInterruptWatch::ExitStatus() != 0)
            break;
        if (!input.problem.empty() || !IsStoredProgramPath(input.path))
        {
            output::Message(input.problem.empty()
                                ? AboutFile(input.path, inputs.size() > 1) + ImproperPath()
                                : u"jobsift-cli: " + input.problem);
            tally.Add(kExitFailed);
            continue;
        }
        const FinishedRun report = check.Run(input.path);
        if (report.outcome == RunOutcome::Aborted)
            break;
        Report(line, report, inputs.size() > 1);
        const bool kept = !line.report || KeepReport(report);
        tally.Add(kept ? StatusOf(report) : kExitFailed);
    }
}

int CheckFiles(const CommandLine& line)
{
    std::vector<std::u16string> notes;
    const std::vector<Input> inputs = ExpandInputs(line.files, notes);
    for (const std::u16string& note : notes)
        output::Message(u"jobsift-cli: " + note);
    theCheckJob.Reset();
    CTally tally;
    {
        const platform::CInterruptWatch watch(theCheckJob.abort);
        CheckAll(line, inputs, tally);
    }
    if (const int interrupted = platform::CInterruptWatch::ExitStatus())
    {
        output::Message(u"jobsift-cli: interrupted");
        return interrupted;
    }
    if (tally.Files() > 1)
        output::Message(tally.Summary());
    return tally.Status();
}

int Run(const CommandLine& line)
{
    if (!line.problem.empty())
    {
        output::Message(u"jobsift-cli: " + line.problem);
        output::Complain(Usage());
        return kExitUsage;
    }
    if (line.help)
    {
        output::Print(Usage());
        return kExitClean;
    }
    if (line.version)
    {
        output::Print(std::u16string(u"JOBSIFT " JOBSIFT_VERSION_U16) + platform::kNewLine);
        return kExitClean;
    }
    return CheckFiles(line);
}
}

int main(int argc, char** argv)
{
    platform::GuardStandardStreams();
    platform::KeepFreedMemory();
    const int status = Run(CommandLine::Parse(platform::CommandLineArguments(argc, argv)));
    // A report that did not arrive is a failed check, whatever it said.
    return output::Lost() ? std::max(status, static_cast<int>(kExitFailed)) : status;
}
