#pragma once

#include <string>

// The front ends start a run only for a path that holds ".PGS" somewhere, in any letter case.
// Whether the file exists is for the worker to find out.
bool IsStoredProgramPath(const std::u16string& path);
