#include "FileSystem.h"
#include "FaultSeams.h"
#include "Paths.h"
#include "TextConversion.h"

#include <dirent.h>
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
    std::u16string folder = FolderPart(path);
    if (folder.empty())
        folder = path.starts_with(u"/") ? u"/" : u".";
    // realpath walks the folder as the system does: a link first, then "..", never as text.
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(ToUtf8(folder).c_str(), nullptr), &std::free);
    if (!resolved)
        return false;
    location = {FromUtf8(resolved.get()), name};
    return true;
}

bool CurrentDirectory(std::u16string& directory)
{
    const std::unique_ptr<char, decltype(&std::free)> buffer(::getcwd(nullptr, 0), &std::free);
    if (!buffer)
        return false;
    directory = FromUtf8(buffer.get());
    return true;
}

bool IsFolder(const std::u16string& path)
{
    struct stat info {};
    return ::stat(ToUtf8(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool RemoveFile(const std::u16string& path)
{
    return ::unlink(ToUtf8(path).c_str()) == 0;
}

bool RenameOver(const std::u16string& from, const std::u16string& to)
{
    if (SeamFails(Seam::Rename))
        return false;
    return std::rename(ToUtf8(from).c_str(), ToUtf8(to).c_str()) == 0;
}

namespace
{
struct FolderCloser
{
    void operator()(DIR* directory) const { ::closedir(directory); }
};

FolderEntry Describe(const std::string& folder, const char* name)
{
    FolderEntry entry{FromUtf8(name)};
    const std::string path = folder + "/" + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return entry;
    entry.isFolder = S_ISDIR(info.st_mode);
    if (S_ISLNK(info.st_mode) && ::stat(path.c_str(), &info) != 0)
        return entry;
    entry.isFile = S_ISREG(info.st_mode);
    return entry;
}
}

bool ListFolder(const std::u16string& folder, std::vector<FolderEntry>& entries)
{
    const std::string native = ToUtf8(folder);
    const std::unique_ptr<DIR, FolderCloser> directory(::opendir(native.c_str()));
    if (!directory)
        return false;
    while (const dirent* item = ::readdir(directory.get()))
    {
        const std::string name = item->d_name;
        if (name != "." && name != "..")
            entries.push_back(Describe(native, item->d_name));
    }
    return true;
}
}
