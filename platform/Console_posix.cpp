#include "Console.h"
#include "TextConversion.h"

#include <unistd.h>

namespace platform
{
const char16_t* const kNewLine = u"\n";

std::vector<std::u16string> CommandLineArguments(int argc, char** argv)
{
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(FromUtf8(argv[i]));
    return arguments;
}

namespace
{
int Descriptor(Stream stream)
{
    return stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO;
}
}

void WriteText(Stream stream, const std::u16string& text)
{
    const std::string bytes = ToUtf8(text);
    std::size_t written = 0;
    while (written < bytes.size())
    {
        const ssize_t put = ::write(Descriptor(stream), bytes.data() + written, bytes.size() - written);
        if (put <= 0)
            return;
        written += static_cast<std::size_t>(put);
    }
}

bool IsTerminal(Stream stream)
{
    return ::isatty(Descriptor(stream)) != 0;
}
}
