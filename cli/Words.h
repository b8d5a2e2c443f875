#pragma once

#include <ExaminedRecord.h>
#include <RunOutcome.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The words the command line uses for how a run ended; empty for a run with nothing to report.
std::u16string CliOutcomeText(RunOutcome outcome);

// "12 Files Checked...", as the dialog's count line reads while a run goes on.
std::u16string CountLine(std::uint64_t count);

// The lists of programs in the text report, by what became of them.
enum class ProgramList
{
    Good,
    Recovered,
    Bad,
    Duplicate,
};
// What became of the cleaned file, as the headings say it.
enum class CleanedFile
{
    Kept,
    NotKept,    // the run failed before it was written
    NotWritten, // the run only checks
};
// "Good Programs (kept)" and the like.
std::u16string Heading(ProgramList list, CleanedFile cleaned);

// "File stored as: NAME".
std::u16string StoredAsLine(const std::u16string& name);

// True for a text that reads as a line of the report's own layout: a heading, a count line or a
// "File stored as:" line.
bool IsLayoutLine(std::u16string_view text);

// A name or a path as the command line prints it: PrintableName, and quoted also where it is empty
// or reads as a line of the layout.
std::u16string ShownName(const std::u16string& name);

// The command's usage, as --help prints it and a wrong word recalls it.
std::u16string Usage();

// The last line of a command that checked more than one file.
std::u16string Summary(unsigned clean, unsigned damaged, unsigned failed);

// What a salvage would take besides, each kind in a line of its own: behind damage, which plain
// --salvage takes, and behind the end mark, where they may be older copies.
std::vector<std::u16string> LeftBehindLines(const LeftBehindCounts& left);

// "Error: TEXT", and the system's reason in parentheses where it gave one.
std::u16string ErrorLine(const std::u16string& error, const std::u16string& reason);

std::u16string ImproperPath();
std::u16string ActiveProgramReplaced(const std::u16string& name);
std::u16string ActiveProgramNotSaved(const std::u16string& name);
std::u16string ReportNotWritten(const std::u16string& path);
