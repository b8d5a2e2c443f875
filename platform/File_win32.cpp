#include "File.h"
#include "Win32Text.h"
#include "FileFaults.h"

#include <windows.h>

#include <vector>

namespace platform
{
namespace
{
std::u16string FullPathName(const std::u16string& path)
{
    const DWORD needed = GetFullPathNameW(Wide(path), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(Wide(path), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    return FromWide(buffer.data(), length);
}

HANDLE AsHandle(void* handle)
{
    return static_cast<HANDLE>(handle);
}
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

// Share mode 0: nobody else may open the file while we hold it, and we fail on a file someone holds.
bool CFile::Open(const std::u16string& path, bool create)
{
    if (IsOpen() || CFileFaults::ShouldFail(FileOp::Open))
        return false;
    const DWORD access = create ? (GENERIC_READ | GENERIC_WRITE) : GENERIC_READ;
    const DWORD disposition = create ? CREATE_ALWAYS : OPEN_EXISTING;
    HANDLE handle = CreateFileW(Wide(path), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    if (GetFileType(handle) != FILE_TYPE_DISK)
    {
        CloseHandle(handle);
        return false;
    }
    m_handle = handle;
    m_path = FullPathName(path);
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
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Write))
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

bool CFile::GetPosition(std::uint64_t& position)
{
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Seek))
        return false;
    LARGE_INTEGER zero{};
    LARGE_INTEGER current{};
    if (!SetFilePointerEx(AsHandle(m_handle), zero, &current, FILE_CURRENT))
        return false;
    position = static_cast<std::uint64_t>(current.QuadPart);
    return true;
}

bool CFile::Seek(std::uint64_t position)
{
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Seek))
        return false;
    LARGE_INTEGER target{};
    target.QuadPart = static_cast<LONGLONG>(position);
    return SetFilePointerEx(AsHandle(m_handle), target, nullptr, FILE_BEGIN) != 0;
}

bool CFile::Flush()
{
    if (!IsOpen() || CFileFaults::ShouldFail(FileOp::Flush))
        return false;
    return FlushFileBuffers(AsHandle(m_handle)) != 0;
}

bool CFile::Close()
{
    if (!IsOpen())
        return false;
    const bool injected = CFileFaults::ShouldFail(FileOp::Close);
    // The handle is released either way: a failed close cannot be retried.
    const bool closed = CloseHandle(AsHandle(m_handle)) != 0;
    m_handle = INVALID_HANDLE_VALUE;
    return closed && !injected;
}
}
