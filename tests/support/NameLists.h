#pragma once

#include <ExaminedRecord.h>

#include <string>
#include <vector>

// The names of a run's records as plain text, each followed by "\r\n", for comparing whole runs:
// the kept programs (good and recovered), and the bad ones with those of unknown state.
std::u16string KeptNames(const std::vector<ExaminedRecord>& records);
std::u16string BadNames(const std::vector<ExaminedRecord>& records);
