#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ProcessResult
{
    int exitStatus = -1;
    std::string out; // bytes as written
    std::string err;
};

// Runs a program to its end in `directory`, its output streams caught in files.
ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& directory);

// A program of this build, given relative to the folder above the running test's own folder.
std::filesystem::path BuildProgram(const std::filesystem::path& relative);
