#pragma once

#include <ExaminedRecord.h>
#include <RunOutcome.h>

#include <cstdint>
#include <string>

// The words the command line uses for how a run ended; empty for a run with nothing to report.
std::u16string CliOutcomeText(RunOutcome outcome);

// The word for a verdict, the same in the record table and in JSON.
const char* VerdictName(Verdict verdict);

// "12 Files Checked...", as the dialog's count line reads while a run goes on.
std::u16string CountLine(std::uint64_t count);
