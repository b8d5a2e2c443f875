#pragma once

#include "FinishedRun.h"

#include <string>

// The report a technician keeps with the work order: one self-contained HTML page per run, with
// what was checked, the outcome, a map of the controller's memory and the table of every record.
// It needs nothing but a browser: no script, no file or font of its own, plain CSS and inline
// SVG; it prints, and its table says all the map shows for those who print without colour.
// The page is UTF-16 text; written as UTF-8, as its head declares.
std::u16string HtmlReportPage(const FinishedRun& run);
