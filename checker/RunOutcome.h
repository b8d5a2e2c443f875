#pragma once

// How a run of the checker ended: the one result that the front ends turn into words and the
// worker into its thread exit code.
enum class RunOutcome
{
    Completed,        // the end mark, the end of the file, 100 records, or the end of a salvage
    BeyondMemory,     // a record would start at 786,432 or beyond ("Unknown Program State")
    MemoryExceeded,   // a stored program would end beyond 786,432
    AllocationFailed,
    OutputNotCreated,
    CleanedIsSource,  // the cleaned file's name is the source itself (a link, a second name)
    SourceNotOpened,  // missing, no access, or held open elsewhere
    SourceNotRegular, // a folder, a pipe or a device
    Aborted,          // stopped on request before its end
    ReadFailed,       // the system reported an error while reading the source
    WriteFailed,      // ... or while writing the cleaned file
    NotStarted,       // no thread could be started for the run
};

// False for the ways a run ends with no error to report: completed, or stopped on request.
bool IsFailure(RunOutcome outcome);

// The worker's thread exit code: 0 normal (end mark, end of file, 100 records, "Unknown Program
// State"), 1 memory size exceeded, 2 allocation failed, 3 output not created or refused, 4 source
// not opened, 5 aborted, 6 a read or write error (or no thread at all).
unsigned CheckerExitCode(RunOutcome outcome);
