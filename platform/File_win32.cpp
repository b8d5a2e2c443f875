#include "File.h"
#include "FaultSeams.h"
#include "FileSystem.h"
#include "Win32Path.h"
#include "Win32Text.h"

#include <windows.h>

namespace platform
{
namespace
{
HANDLE AsHandle(void* handle)
{
    return static_cast<HANDLE>(handle);
}

bool Identify(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info)
{
    return GetFileInformationByHandle(handle, &info) != 0;
}
}

// Keeps the system's reason before anything else can change it.
OpenResult CFile::Failure()
{
    m_openError = LastSystemError();
    return OpenResult::Failed;
}

CFile::~CFile()
{
    if (IsOpen())
        CloseHandle(AsHandle(m_handle));
}

bool CFile::IsOpen() const
{
    return AsHandle(m_handle) != INVALID_HANDLE_VALUE;
}

// Share mode 0: nobody else may open the file while we hold it, and we fail on a file someone
// holds. A device (CON, NUL, COM1, a pipe) opens at once and is then refused by its type.
OpenResult CFile::OpenForReading(const std::u16string& path)
{
    m_openError = 0;
    if (IsOpen() || SeamFails(Seam::Open))
        return Failure();
    if (IsFolder(path))
        return OpenResult::NotRegularFile;
    const std::u16string native = Win32Path(path);
    const HANDLE handle =
        CreateFileW(Wide(native), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return Failure();
    if (GetFileType(handle) != FILE_TYPE_DISK)
    {
        CloseHandle(handle);
        return OpenResult::NotRegularFile;
    }
    m_handle = handle;
    return OpenResult::Opened;
}

bool CFile::CreateNew(const std::u16string& path)
{
    m_openError = 0;
    const HANDLE handle = IsOpen() || SeamFails(Seam::Open)
                              ? INVALID_HANDLE_VALUE
                              : CreateFileW(Wide(Win32Path(path)), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
    {
        Failure();
        return false;
    }
    if (GetFileType(handle) != FILE_TYPE_DISK)
    {
        CloseHandle(handle);
        return false;
    }
    m_handle = handle;
    return true;
}

// An output takes the permissions its folder gives: nothing to take from the source.
FilePermissions CFile::Permissions() const
{
    return {};
}

bool CFile::SetPermissions(FilePermissions)
{
    return IsOpen();
}

// Opened for no access at all, the entry is found even while we hold the file without sharing;
// a link is opened as itself.
bool CFile::IsNamedBy(const std::u16string& path) const
{
    BY_HANDLE_FILE_INFORMATION opened{};
    if (!IsOpen() || !Identify(AsHandle(m_handle), opened))
        return false;
    const HANDLE entry = CreateFileW(Wide(Win32Path(path)), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                     nullptr);
    if (entry == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION named{};
    const bool identified = Identify(entry, named);
    CloseHandle(entry);
    return identified && opened.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           opened.nFileIndexHigh == named.nFileIndexHigh && opened.nFileIndexLow == named.nFileIndexLow;
}

bool CFile::Read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead)
{
    bytesRead = 0;
    if (!IsOpen() || SeamFails(Seam::Read))
        return false;
    auto* bytes = static_cast<char*>(buffer);
    while (bytesRead < count)
    {
        DWORD got = 0;
        if (!ReadFile(AsHandle(m_handle), bytes + bytesRead, count - bytesRead, &got, nullptr))
            return false;
        if (got == 0)
            break;
        bytesRead += got;
    }
    return true;
}

bool CFile::Write(const void* buffer, std::uint32_t count)
{
    if (!IsOpen() || SeamFails(Seam::Write))
        return false;
    const auto* bytes = static_cast<const char*>(buffer);
    std::uint32_t written = 0;
    while (written < count)
    {
        DWORD put = 0;
        if (!WriteFile(AsHandle(m_handle), bytes + written, count - written, &put, nullptr) || put == 0)
            return false;
        written += put;
    }
    return true;
}

bool CFile::Size(std::uint64_t& size) const
{
    LARGE_INTEGER length{};
    if (!IsOpen() || !GetFileSizeEx(AsHandle(m_handle), &length))
        return false;
    size = static_cast<std::uint64_t>(length.QuadPart);
    return true;
}

bool CFile::Flush()
{
    if (!IsOpen() || SeamFails(Seam::Flush))
        return false;
    return FlushFileBuffers(AsHandle(m_handle)) != 0;
}

bool CFile::Close()
{
    if (!IsOpen())
        return false;
    const bool injected = SeamFails(Seam::Close);
    // The handle is released either way: a failed close cannot be retried.
    const bool closed = CloseHandle(AsHandle(m_handle)) != 0;
    m_handle = INVALID_HANDLE_VALUE;
    return closed && !injected;
}
}
