#include "File.h"
#include "Descriptor.h"
#include "FaultSeams.h"
#include "TextConversion.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{
// A pipe or device is opened without waiting and then refused; an exclusive advisory lock
// stands for "not shared", so two of our processes never work on one file at once.
OpenResult Admit(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return OpenResult::Failed;
    if (!S_ISREG(info.st_mode))
        return OpenResult::NotRegularFile;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return OpenResult::Failed;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return OpenResult::Failed;
    return OpenResult::Opened;
}

// Read from the process's own status: umask() reads it only by changing it, and a file another
// thread made in that moment would be made without it. Where it cannot be read, the strictest
// mask stands in, so an output is never wider than it should be.
mode_t ProcessUmask()
{
    constexpr mode_t kStrictest = 077;
    std::FILE* status = std::fopen("/proc/self/status", "re");
    if (status == nullptr)
        return kStrictest;
    unsigned mask = kStrictest;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr)
    {
        if (std::sscanf(line, "Umask: %o", &mask) == 1)
            break;
    }
    std::fclose(status);
    return static_cast<mode_t>(mask);
}
}

CFile::~CFile()
{
    if (IsOpen())
        ::close(m_fd);
}

bool CFile::IsOpen() const
{
    return m_fd >= 0;
}

// Keeps the system's reason before anything else can change it.
OpenResult CFile::Failure()
{
    m_openError = LastSystemError();
    return OpenResult::Failed;
}

OpenResult CFile::OpenForReading(const std::u16string& path)
{
    m_openError = 0;
    if (IsOpen() || SeamFails(Seam::Open))
        return Failure();
    const int fd = ::open(ToFileName(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENXIO ? OpenResult::NotRegularFile : Failure();
    const OpenResult admitted = Admit(fd);
    if (admitted != OpenResult::Opened)
    {
        const OpenResult refused = admitted == OpenResult::Failed ? Failure() : admitted;
        ::close(fd);
        return refused;
    }
    m_fd = fd;
    return OpenResult::Opened;
}

bool CFile::CreateNew(const std::u16string& path)
{
    m_openError = 0;
    const int fd = IsOpen() || SeamFails(Seam::Open)
                       ? -1
                       : ::open(ToFileName(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0)
    {
        Failure();
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

FilePermissions CFile::Permissions() const
{
    struct stat info {};
    if (!IsOpen() || ::fstat(m_fd, &info) != 0)
        return {};
    static const mode_t processUmask = ProcessUmask();
    return {static_cast<std::uint32_t>(info.st_mode & 0777 & ~processUmask)};
}

bool CFile::SetPermissions(FilePermissions permissions)
{
    return IsOpen() && ::fchmod(m_fd, static_cast<mode_t>(permissions.bits & 0777)) == 0;
}

bool CFile::IsNamedBy(const std::u16string& path) const
{
    struct stat opened {};
    struct stat named {};
    return IsOpen() && ::fstat(m_fd, &opened) == 0 && ::lstat(ToFileName(path).c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool CFile::Read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead)
{
    bytesRead = 0;
    if (!IsOpen() || SeamFails(Seam::Read))
        return false;
    auto* bytes = static_cast<char*>(buffer);
    while (bytesRead < count)
    {
        const ssize_t got = ::read(m_fd, bytes + bytesRead, count - bytesRead);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        bytesRead += static_cast<std::uint32_t>(got);
    }
    return true;
}

bool CFile::Write(const void* buffer, std::uint32_t count)
{
    if (!IsOpen() || SeamFails(Seam::Write))
        return false;
    return WriteAll(m_fd, static_cast<const char*>(buffer), count);
}

bool CFile::Size(std::uint64_t& size) const
{
    struct stat info {};
    if (!IsOpen() || ::fstat(m_fd, &info) != 0)
        return false;
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool CFile::Flush()
{
    if (!IsOpen() || SeamFails(Seam::Flush))
        return false;
    return ::fsync(m_fd) == 0;
}

bool CFile::Close()
{
    if (!IsOpen())
        return false;
    const bool injected = SeamFails(Seam::Close);
    // The descriptor is released either way: a failed close cannot be retried.
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return closed && !injected;
}
}
