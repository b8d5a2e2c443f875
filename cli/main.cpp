#include "CommandLine.h"
#include "FileCheck.h"
#include "ProgressLine.h"

#include <CheckJob.h>
#include <Console.h>
#include <System.h>

using platform::Stream;

namespace
{
constexpr int kExitSucceeded = 0;
constexpr int kExitRunFailed = 1;
constexpr int kExitUsage = 2;

CheckJob theCheckJob;

int CheckFiles(const CommandLine& line)
{
    // A failed save is reported and the run goes on, as the desktop program's box does.
    platform::SetMessageBoxHandler(
        [](const std::u16string& text, const std::u16string&) { CProgressLine::WriteError(text); });
    theCheckJob.Reset();
    CFileCheck check(theCheckJob, line.saveActive);
    int status = kExitSucceeded;
    for (const std::u16string& file : line.files)
    {
        switch (check.Run(file, line.files.size() > 1))
        {
        case CheckOutcome::Succeeded:
            break;
        case CheckOutcome::Failed:
            status = status == kExitUsage ? kExitUsage : kExitRunFailed;
            break;
        case CheckOutcome::ImproperPath:
            status = kExitUsage;
            break;
        }
    }
    return status;
}
}

int main(int argc, char** argv)
{
    const CommandLine line = CommandLine::Parse(platform::CommandLineArguments(argc, argv));
    if (!line.problem.empty())
    {
        platform::WriteText(Stream::Error, u"jobsift-cli: " + line.problem + platform::kNewLine + Usage());
        return kExitUsage;
    }
    if (line.help)
    {
        platform::WriteText(Stream::Output, Usage());
        return kExitSucceeded;
    }
    if (line.version)
    {
        platform::WriteText(Stream::Output, std::u16string(u"JOBSIFT " JOBSIFT_VERSION_U16) + platform::kNewLine);
        return kExitSucceeded;
    }
    return CheckFiles(line);
}
