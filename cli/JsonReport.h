#pragma once

#include "ExitStatus.h"

#include <string>

// The report of one file as one line of JSON (JSON Lines), ready for scripts. Text is UTF-8,
// a lone surrogate in a name becomes U+FFFD, and numbers are numbers.
std::u16string JsonReport(const FinishedRun& report);
