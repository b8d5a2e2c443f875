#include "File.h"
#include "FileFaults.h"
#include "TextConversion.h"

#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{
std::u16string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    if (error)
        return FromUtf8(path);
    return FromUtf8(absolute.lexically_normal().string());
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

// "Not shared" is an exclusive advisory lock, taken before an existing file is emptied,
// so that two of our processes never work on one file at once.
bool CFile::Open(const std::u16string& path, bool create)
{
    if (IsOpen() || CFileFaults::ShouldFail(FileOp::Open))
        return false;
    const std::string native = ToUtf8(path);
    const int flags = create ? (O_RDWR | O_CREAT) : O_RDONLY;
    const int fd = ::open(native.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ::flock(fd, LOCK_EX | LOCK_NB) != 0 ||
        (create && ::ftruncate(fd, 0) != 0))
    {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_path = AbsolutePath(native);
    return true;
}

bool CFile::Read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead)
{
    bytesRead = 0;
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Read))
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
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Write))
        return false;
    const auto* bytes = static_cast<const char*>(buffer);
    std::uint32_t written = 0;
    while (written < count)
    {
        const ssize_t put = ::write(m_fd, bytes + written, count - written);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        written += static_cast<std::uint32_t>(put);
    }
    return true;
}

bool CFile::GetPosition(std::uint64_t& position)
{
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Seek))
        return false;
    const off_t offset = ::lseek(m_fd, 0, SEEK_CUR);
    if (offset < 0)
        return false;
    position = static_cast<std::uint64_t>(offset);
    return true;
}

bool CFile::Seek(std::uint64_t position)
{
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Seek))
        return false;
    return ::lseek(m_fd, static_cast<off_t>(position), SEEK_SET) >= 0;
}

bool CFile::Flush()
{
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Flush))
        return false;
    return ::fsync(m_fd) == 0;
}

bool CFile::Close()
{
    if (!IsOpen())
        return false;
    const bool injected = CFileFaults::ShouldFail(FileOp::Close);
    // The descriptor is released either way: a failed close cannot be retried.
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    return closed && !injected;
}
}
