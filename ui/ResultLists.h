#pragma once

#include <ExaminedRecord.h>

#include <string>
#include <vector>

// The dialog's two lists, each entry followed by "\r\n", ready for a multi-line edit control.
// A name shows as the command line prints it (PrintableName), so one name is always one entry.
// The good list holds the kept programs, a recovered one as "NAME (recovered)"; the bad list the
// bad ones, those of unknown state and, as "NAME (duplicate, left out)", the duplicates.
std::u16string GoodList(const std::vector<ExaminedRecord>& records);
std::u16string BadList(const std::vector<ExaminedRecord>& records);
