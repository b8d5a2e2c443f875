#pragma once

#include <CheckJob.h>

#include <cstdint>
#include <string>
#include <vector>

// Everything known about one checked file once its run has ended: what the reports are made of.
struct FileReport
{
    std::u16string path; // as given
    CheckOptions options;
    RunOutcome outcome = RunOutcome::Completed;
    std::uint16_t count = 0;
    std::u16string storedAs;
    CheckResults results;
    std::vector<ExaminedRecord> records;
    std::uint32_t failedSaves = 0; // active program files that could not be written
};

// The exit statuses of the command, worst last; the worst of a command wins.
enum ExitStatus : int
{
    kExitClean = 0,   // nothing failed and every record was good or empty
    kExitDamaged = 1, // some record was bad, of unknown state, recovered or a duplicate
    kExitFailed = 2,  // a check failed, or a report or an output could not be written
    kExitUsage = 7,   // the words of the command make no sense
};

ExitStatus StatusOf(const FileReport& report);
