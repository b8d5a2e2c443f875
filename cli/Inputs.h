#pragma once

#include <string>
#include <vector>

// One thing to check, as the command line's words name it.
struct Input
{
    std::u16string path;    // the file, as shown and opened
    std::u16string problem; // not empty: there is nothing to check here, and this says why
};

// Turns the FILE words into the files to check, in order. A folder stands for every file in it
// and below it whose name ends in ".pgs" (any letter case), in sorted order; where the shell
// leaves wildcards to the program (Windows), "*" and "?" in a path's last part are expanded
// here. Folders and patterns pass over the program's own outputs (cleaned copies, temporary
// files); a folder that cannot be read is an input with a problem. A file named with its own
// cleaned copy beside it in one command (as a shell's "*.pgs" gives them after an earlier run) is
// checked, its copy is not; `notes` says so.
std::vector<Input> ExpandInputs(const std::vector<std::u16string>& words, std::vector<std::u16string>& notes);

// "*" any run of characters, "?" one character; letters match in either case.
bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);
