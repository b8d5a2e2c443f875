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

// Called first thing: a standard stream that the program was started without is put on the
// null device, so that no file the program opens can take its place. Text for such a stream is
// lost, and WriteText says so.
void GuardStandardStreams();

// Writes text to a standard stream: UTF-8 into pipes and files, as the console shows it
// otherwise. False when the text did not all arrive.
bool WriteText(Stream stream, const std::u16string& text);

bool IsTerminal(Stream stream);

// True where the shell hands "*" and "?" on as typed (Windows), so the program expands them.
extern const bool kExpandsWildcards;

// The line end of text files on this system.
extern const char16_t* const kNewLine;
}
