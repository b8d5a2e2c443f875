#pragma once

#include "ExitStatus.h"

#include <string>

// The report of one file for people: the count line, the name of the cleaned file and the
// lists of programs by what became of them; with `withHeading` the path first.
std::u16string TextReport(const FinishedRun& report, bool withHeading);

// One line per examined record and per stretch a search passed over, in file order: offset,
// size, state, verdict, stored and computed checksum, past-end mark and name.
std::u16string RecordTable(const FinishedRun& report);
