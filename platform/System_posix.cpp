#include "System.h"
#include "TextConversion.h"

#include <malloc.h>
#include <unistd.h>

#include <ctime>
#include <string>

namespace platform
{
std::u16string ApplicationName()
{
    std::string link(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", link.data(), link.size() - 1);
    if (length <= 0)
        return u"JOBSIFT";
    link.resize(static_cast<std::size_t>(length));
    std::string name = link.substr(link.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return FromUtf8(name);
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0)
    {
    }
}

// glibc gives a freed block of the image's size back to the system at once and faults it in again
// for the next file; fixed thresholds well above it keep it.
void KeepFreedMemory()
{
    constexpr int kKeep = 64 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kKeep / 2);
    mallopt(M_TRIM_THRESHOLD, kKeep);
}
}
