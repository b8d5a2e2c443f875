#pragma once

// The kept report of a run as a file, for every front end: after a run has ended,
//     FinishedRun run = FinishedRunOf(job);
//     std::optional<std::u16string> written = WriteReportFile(run);
// writes the page (HtmlReport.h) beside the run's cleaned file and tells where; nothing written
// is a failed write ("File write error.").

#include "FinishedRun.h"

#include <optional>
#include <string>

// The report's name for a cleaned file's name: ".html" in place of its extension, or after a
// name without one ("line3__.pgs" gives "line3__.html", "LINE3__" gives "LINE3__.html").
std::u16string ReportNameFor(const std::u16string& cleanedName);

// Where the report of a check of `sourcePath` goes: in the source's folder, named for its cleaned
// file whether or not one was written. Empty when the source's folder cannot be found.
std::u16string ReportPathFor(const std::u16string& sourcePath);

// Writes the page of the run whole or not at all, over any report of the same name. The full
// path of the page written, or none.
std::optional<std::u16string> WriteReportFile(const FinishedRun& run);
