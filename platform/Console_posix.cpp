#include "Console.h"
#include "Descriptor.h"
#include "TextConversion.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{
const bool kExpandsWildcards = false;
const char16_t* const kNewLine = u"\n";

namespace
{
bool g_missing[3] = {false, false, false};

int Descriptor(Stream stream)
{
    return stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO;
}
}

std::vector<std::u16string> CommandLineArguments(int argc, char** argv)
{
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(FromFileName(argv[i]));
    return arguments;
}

// open() takes the lowest free descriptor, so the null device fills each gap in order.
void GuardStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd)
    {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        g_missing[fd] = true;
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd)
            ::close(opened);
    }
}

bool WriteText(Stream stream, const std::u16string& text)
{
    const int fd = Descriptor(stream);
    if (g_missing[fd])
        return text.empty();
    const std::string bytes = ToUtf8(text);
    return WriteAll(fd, bytes.data(), bytes.size());
}

bool IsTerminal(Stream stream)
{
    const int fd = Descriptor(stream);
    return !g_missing[fd] && ::isatty(fd) != 0;
}
}
