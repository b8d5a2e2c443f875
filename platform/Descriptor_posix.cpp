#include "Descriptor.h"

#include <cerrno>
#include <unistd.h>

namespace platform
{
bool WriteAll(int fd, const char* bytes, std::size_t count)
{
    std::size_t written = 0;
    while (written < count)
    {
        const ssize_t put = ::write(fd, bytes + written, count - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        written += static_cast<std::size_t>(put);
    }
    return true;
}
}
