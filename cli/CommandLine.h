#pragma once

#include <string>
#include <vector>

// jobsift-cli [OPTIONS] FILE|FOLDER...
// jobsift-cli --help | --version
struct CommandLine
{
    bool saveActive = false;
    bool salvage = false;
    bool pastEnd = false;
    bool testOnly = false;
    bool list = false;
    bool json = false;
    bool report = false;
    bool help = false;
    bool version = false;
    std::vector<std::u16string> files;
    std::u16string problem; // not empty when the words make no sense

    static CommandLine Parse(const std::vector<std::u16string>& arguments);
};

