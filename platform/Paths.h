#pragma once

#include <string>

// Paths as text: the separator of this system and joining a folder and a name.
namespace platform
{
#ifdef _WIN32
constexpr char16_t kPathSeparator = u'\\';
#else
constexpr char16_t kPathSeparator = u'/';
#endif

bool IsPathSeparator(char16_t unit);

// The folder, one separator and the name; a folder that already ends in a separator (a root)
// gets none added.
std::u16string JoinPath(const std::u16string& folder, const std::u16string& name);

// The part of a path after its last separator.
std::u16string LastComponent(const std::u16string& path);
// The part before its last separator, or the root when that separator ends it ("/x" gives "/");
// empty when there is no separator.
std::u16string FolderPart(const std::u16string& path);

// A path as the file system compares names: two paths with the same key name the same file
// (on Windows, letters in either case).
std::u16string FileNameKey(const std::u16string& path);
}
