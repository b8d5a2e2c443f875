#pragma once

#include <string>
#include <vector>

namespace platform
{
enum class Stream
{
    Output,
    Error,
};

// The program's arguments as UTF-16, the program name left out.
std::vector<std::u16string> CommandLineArguments(int argc, char** argv);

// Writes text to a standard stream: UTF-8 into pipes and files, as the console shows it otherwise.
void WriteText(Stream stream, const std::u16string& text);

bool IsTerminal(Stream stream);

// The line end of text files on this system.
extern const char16_t* const kNewLine;
}
