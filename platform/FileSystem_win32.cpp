#include "FileSystem.h"
#include "FaultSeams.h"
#include "Paths.h"
#include "Win32Path.h"
#include "Win32Text.h"

#include <windows.h>

namespace platform
{
namespace
{
constexpr DWORD kCurrentDirectoryUnits = 1024;

DWORD Attributes(const std::u16string& path)
{
    return GetFileAttributesW(Wide(Win32Path(path)));
}
}

// Win32 itself folds "." and ".." in a path as text before the file system sees it, so the full
// path name is the folder that the system opens.
bool LocateFile(const std::u16string& path, FileLocation& location)
{
    const std::u16string full = FullPathName(path);
    const std::u16string name = LastComponent(full);
    if (name.empty())
        return false;
    location = {FolderPart(full), name};
    return true;
}

// The directory must fit in 1024 units with its terminator; a longer one is a failure.
bool CurrentDirectory(std::u16string& directory)
{
    wchar_t buffer[kCurrentDirectoryUnits];
    const DWORD length = GetCurrentDirectoryW(kCurrentDirectoryUnits, buffer);
    if (length == 0 || length >= kCurrentDirectoryUnits)
        return false;
    directory = FromWide(buffer, length);
    return true;
}

bool IsFolder(const std::u16string& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RemoveFile(const std::u16string& path)
{
    return DeleteFileW(Wide(Win32Path(path))) != 0;
}

bool RenameOver(const std::u16string& from, const std::u16string& to)
{
    if (SeamFails(Seam::Rename))
        return false;
    return MoveFileExW(Wide(Win32Path(from)), Wide(Win32Path(to)), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
}

bool ListFolder(const std::u16string& folder, std::vector<FolderEntry>& entries)
{
    WIN32_FIND_DATAW found{};
    const std::u16string pattern = Win32Path(JoinPath(folder, u"*"));
    const HANDLE search = FindFirstFileExW(Wide(pattern), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do
    {
        const std::u16string name = FromWide(found.cFileName);
        if (name == u"." || name == u"..")
            continue;
        const bool isLink = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        const bool isDirectory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({name, isDirectory && !isLink, !isDirectory});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}
}
