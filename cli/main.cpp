#include "CommandLine.h"
#include "FileCheck.h"
#include "Inputs.h"
#include "JsonReport.h"
#include "Output.h"
#include "PrintableName.h"
#include "TextReport.h"
#include "Words.h"

#include <CheckJob.h>
#include <Console.h>
#include <Interrupts.h>
#include <JobsiftVersion.h>
#include <SourcePath.h>
#include <System.h>

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
        return Decimal(Files()) + u" files checked: " + Decimal(m_counts[0]) + u" without damage, " +
               Decimal(m_counts[1]) + u" with damage, " + Decimal(m_counts[2]) + u" failed";
    }

private:
    unsigned m_counts[3] = {0, 0, 0};
    ExitStatus m_status = kExitClean;
};

// What a salvage would take besides, each kind in a line of its own: behind damage, which plain
// --salvage takes, and behind the end mark, which may be older copies.
void TellLeftBehind(const FileReport& report)
{
    const LeftBehindCounts left = CountLeftBehind(report.results.leftBehind);
    const std::u16string file = PrintableName(report.path) + u": ";
    if (left.behindDamage == 1)
        output::Message(file + u"1 intact program lies behind damage; --salvage takes it");
    else if (left.behindDamage > 1)
        output::Message(file + Decimal(left.behindDamage) + u" intact programs lie behind damage; --salvage takes them");
    if (left.behindEndMark == 1)
        output::Message(file + u"1 intact program lies behind the end mark (it may be an older copy); "
                               u"--salvage --past-end takes it");
    else if (left.behindEndMark > 1)
        output::Message(file + Decimal(left.behindEndMark) +
                        u" intact programs lie behind the end mark (they may be older copies); "
                        u"--salvage --past-end takes them");
}

void Report(const CommandLine& line, const FileReport& report, bool withHeading)
{
    const std::u16string error = CliOutcomeText(report.outcome);
    if (!error.empty())
        output::Message(u"Error: " + error);
    if (line.json)
        output::Print(JsonReport(report));
    else
        output::Print(TextReport(report, withHeading) + (line.list ? RecordTable(report) : std::u16string()));
    TellLeftBehind(report);
}

// Checks each input in turn until all are done or an interrupt comes.
void CheckAll(const CommandLine& line, const std::vector<Input>& inputs, CTally& tally)
{
    const CheckOptions options{line.salvage, line.pastEnd, !line.testOnly};
    CFileCheck check(theCheckJob, line.saveActive, options);
    for (const Input& input : inputs)
    {
        if (platform::CInterruptWatch::ExitStatus() != 0)
            break;
        if (!input.problem.empty() || !IsStoredProgramPath(input.path))
        {
            output::Message(input.problem.empty() ? u"Improper file name or file path." : u"jobsift-cli: " + input.problem);
            tally.Add(kExitFailed);
            continue;
        }
        const FileReport report = check.Run(input.path);
        if (report.outcome == RunOutcome::Aborted)
            break;
        Report(line, report, inputs.size() > 1);
        tally.Add(StatusOf(report));
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
