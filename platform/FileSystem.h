#pragma once

#include <string>
#include <vector>

// What the program asks of the file system besides reading and writing files.
namespace platform
{
// Where a file lies as the system resolves its path: the folder it is found in (absolute, with
// links and ".." taken as the system takes them) and the file's own name.
struct FileLocation
{
    std::u16string folder;
    std::u16string name;
};
bool LocateFile(const std::u16string& path, FileLocation& location);

// The process's current directory, as the system reports it.
bool CurrentDirectory(std::u16string& directory);

bool IsFolder(const std::u16string& path);

// False when the file could not be removed.
bool RemoveFile(const std::u16string& path);

// Gives `from` the name `to` in one step. Whatever held that name is replaced, a link included:
// the link itself goes, its target is never written.
bool RenameOver(const std::u16string& from, const std::u16string& to);

struct FolderEntry
{
    std::u16string name;
    bool isFolder = false; // a folder of its own, not a link to one
    bool isFile = false;   // a regular file, or a link to one
};
// The entries of a folder, "." and ".." left out, in no particular order.
bool ListFolder(const std::u16string& folder, std::vector<FolderEntry>& entries);
}
