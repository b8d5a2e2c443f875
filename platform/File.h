#pragma once

#include "SystemError.h"

#include <cstdint>
#include <string>

namespace platform
{
enum class OpenResult
{
    Opened,
    Failed,         // missing, no access, or held open by another program
    NotRegularFile, // a folder, a pipe, a device: refused at once, never read
};

// The permission bits that an output made from a source file takes. On Linux they are the
// source's, less the process's umask, as cp gives them; on Windows an output takes its folder's
// and these are not used. The default is private to the owner.
struct FilePermissions
{
    std::uint32_t bits = 0600;
};

// A file held without sharing: nobody else may open it while we hold it.
// Every operation reports failure by its result; the destructor closes a file left open.
class CFile
{
public:
    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // An existing regular file, read-only; never created or changed. Opening never waits on
    // a pipe or device.
    OpenResult OpenForReading(const std::u16string& path);
    // A new file, for writing only, private to the owner; fails when anything of that name (a
    // link included) exists.
    bool CreateNew(const std::u16string& path);

    // What an output made from this file takes of its permissions.
    FilePermissions Permissions() const;
    bool SetPermissions(FilePermissions permissions);
    // True when the directory entry `path` itself (a link, not what it leads to) is this open file:
    // the same device and inode, or on Windows the same volume and file index.
    bool IsNamedBy(const std::u16string& path) const;

    // Reads until count bytes have arrived or the file ends. Buffer bytes past those read are
    // left as they were.
    bool Read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead);
    bool Write(const void* buffer, std::uint32_t count);
    // The size of an open file, as the system reports it now.
    bool Size(std::uint64_t& size) const;
    // Written data reaches the storage device.
    bool Flush();
    bool Close();

    bool IsOpen() const;
    // Why the last OpenForReading or CreateNew failed; 0 after one that succeeded or refused a
    // file that is not regular.
    SystemErrorCode OpenError() const { return m_openError; }

private:
    OpenResult Failure();

    SystemErrorCode m_openError = 0;
#ifdef _WIN32
    void* m_handle = reinterpret_cast<void*>(-1);
#else
    int m_fd = -1;
#endif
};
}
