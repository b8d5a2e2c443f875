#pragma once

#include <FinishedRun.h>

// The exit statuses of the command, worst last; the worst of a command wins.
enum ExitStatus : int
{
    kExitClean = 0,   // nothing failed and every record was good or empty
    kExitDamaged = 1, // some record was bad, of unknown state, recovered or a duplicate
    kExitFailed = 2,  // a check failed, or a report or an output could not be written
    kExitUsage = 7,   // the words of the command make no sense
};

ExitStatus StatusOf(const FinishedRun& report);
