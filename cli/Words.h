#pragma once

#include <ExaminedRecord.h>
#include <RunOutcome.h>

#include <cstdint>
#include <string>

// The words the command line uses for how a run ended; empty for a run with nothing to report.
std::u16string CliOutcomeText(RunOutcome outcome);

std::u16string Decimal(std::uint64_t value);

// "12 Files Checked...", as the dialog's count line reads while a run goes on.
std::u16string CountLine(std::uint64_t count);
