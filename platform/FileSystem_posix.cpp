#include "FileSystem.h"
#include "FaultSeams.h"
#include "Paths.h"
#include "TextConversion.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace platform
{
bool LocateFile(const std::u16string& path, FileLocation& location)
{
    const std::u16string name = LastComponent(path);
    if (name.empty())
        return false;
    const std::u16string part = FolderPart(path);
    const std::u16string folder = part.empty() ? std::u16string(u".") : part;
    // realpath walks the folder as the system does: a link first, then "..", never as text.
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(ToFileName(folder).c_str(), nullptr), &std::free);
    if (!resolved)
        return false;
    location = {FromFileName(resolved.get()), name};
    return true;
}

bool CurrentDirectory(std::u16string& directory)
{
    const std::unique_ptr<char, decltype(&std::free)> buffer(::getcwd(nullptr, 0), &std::free);
    if (!buffer)
        return false;
    directory = FromFileName(buffer.get());
    return true;
}

bool IsFolder(const std::u16string& path)
{
    struct stat info {};
    return ::stat(ToFileName(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFile(const std::u16string& path)
{
    return ::unlink(ToFileName(path).c_str()) == 0;
}

bool RenameOver(const std::u16string& from, const std::u16string& to)
{
    if (SeamFails(Seam::Rename))
        return false;
    return std::rename(ToFileName(from).c_str(), ToFileName(to).c_str()) == 0;
}

namespace
{
struct FolderCloser
{
    void operator()(DIR* directory) const { ::closedir(directory); }
};

// Looked up beside the open folder, not by the joined path: an entry is described whatever the
// length of the path that leads to it.
FolderEntry Describe(DIR* directory, const char* name)
{
    FolderEntry entry{FromFileName(name)};
    const int folder = ::dirfd(directory);
    struct stat info {};
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return entry;
    entry.isFolder = S_ISDIR(info.st_mode);
    if (S_ISLNK(info.st_mode) && ::fstatat(folder, name, &info, 0) != 0)
        return entry;
    entry.isFile = S_ISREG(info.st_mode);
    return entry;
}
}

bool ListFolder(const std::u16string& folder, std::vector<FolderEntry>& entries)
{
    const std::unique_ptr<DIR, FolderCloser> directory(::opendir(ToFileName(folder).c_str()));
    if (!directory)
        return false;
    // readdir tells the end of the folder from an error only by errno.
    errno = 0;
    while (const dirent* item = ::readdir(directory.get()))
    {
        const std::string name = item->d_name;
        if (name != "." && name != "..")
            entries.push_back(Describe(directory.get(), item->d_name));
        errno = 0;
    }
    return errno == 0;
}
}
