#pragma once

#include <string>

// Everything the command line writes goes through here: the report on the output stream,
// messages and the live count on the error stream. It remembers whether any text was lost.
// Safe from any thread.
namespace output
{
void Print(const std::u16string& text);
// One line on the error stream; the live count is cleared first, so the two never share a line.
void Message(const std::u16string& line);
// Text as it is on the error stream.
void Complain(const std::u16string& text);
// The live count, rewritten in place; shown only when the error stream is a terminal.
bool ShowsProgress();
void ShowProgress(const std::u16string& text);
void ClearProgress();
// True once some text could not be written.
bool Lost();
}
