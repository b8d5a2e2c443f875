#pragma once

#include <string>

// The live count on a terminal's error stream, rewritten in place while a run goes on.
// Messages written through WriteError clear it first, so the two never share a line.
// Nothing is shown when the error stream is not a terminal.
class CProgressLine
{
public:
    CProgressLine();
    ~CProgressLine();
    CProgressLine(const CProgressLine&) = delete;
    CProgressLine& operator=(const CProgressLine&) = delete;

    void Show(const std::u16string& text);

    // One line on the error stream; safe from any thread.
    static void WriteError(const std::u16string& line);
};
