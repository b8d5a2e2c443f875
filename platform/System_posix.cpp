#include "System.h"
#include "TextConversion.h"

#include <pthread.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

namespace platform
{
bool IsPathSeparator(char16_t unit)
{
    return unit == u'/';
}

bool CurrentDirectory(std::u16string& directory)
{
    std::string buffer(4096, '\0');
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return false;
    directory = FromUtf8(buffer.c_str());
    return true;
}

bool RemoveFile(const std::u16string& path)
{
    return ::unlink(ToUtf8(path).c_str()) == 0;
}

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

namespace
{
struct ThreadStart
{
    ThreadProc proc;
    void* argument;
};

void* RunThread(void* start)
{
    const std::unique_ptr<ThreadStart> owned(static_cast<ThreadStart*>(start));
    owned->proc(owned->argument);
    return nullptr;
}
}

bool StartThread(ThreadProc proc, void* argument)
{
    auto start = std::make_unique<ThreadStart>(ThreadStart{proc, argument});
    pthread_t thread{};
    if (pthread_create(&thread, nullptr, RunThread, start.get()) != 0)
        return false;
    start.release();
    pthread_detach(thread);
    return true;
}

void SleepMilliseconds(std::uint32_t milliseconds)
{
    timespec wait{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0)
    {
    }
}

// Linux has no message box of ours: the text goes to the error stream.
void ShowSystemMessageBox(const std::u16string& text, const std::u16string& caption)
{
    std::fprintf(stderr, "%s: %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
}
}
