#include "Inputs.h"
#include "Words.h"

#include <AsciiCase.h>
#include <Console.h>
#include <FileSystem.h>
#include <Paths.h>
#include <StoredProgram.h>
#include <WholeFile.h>

#include <algorithm>
#include <set>

namespace
{
bool EndsWithPgs(const std::u16string& name)
{
    return MatchesWildcard(u"*.pgs", name);
}

// Our own outputs, which a walk or a pattern must not take for sources.
bool IsOwnOutput(const std::u16string& name)
{
    return StoredProgram::IsCleanedName(name) || platform::IsTemporaryFileName(name);
}

// What a walk below a folder finds: the files to check and the folders it could not read.
struct FolderFinds
{
    std::vector<std::u16string> files;
    std::vector<std::u16string> unreadable;
};

void CollectBelow(const std::u16string& folder, FolderFinds& finds)
{
    std::vector<platform::FolderEntry> entries;
    if (!platform::ListFolder(folder, entries))
    {
        finds.unreadable.push_back(folder);
        return;
    }
    for (const platform::FolderEntry& entry : entries)
    {
        const std::u16string path = platform::JoinPath(folder, entry.name);
        if (entry.isFolder)
            CollectBelow(path, finds);
        else if (entry.isFile && EndsWithPgs(entry.name) && !IsOwnOutput(entry.name))
            finds.files.push_back(path);
    }
}

void AddAll(std::vector<Input>& inputs, std::vector<std::u16string> files, const std::u16string& none)
{
    if (files.empty())
        inputs.push_back({{}, none});
    std::sort(files.begin(), files.end());
    for (std::u16string& file : files)
        inputs.push_back({std::move(file), {}});
}

// A folder that cannot be read is a failed input of its own: the files in it are unknown.
void AddFolder(std::vector<Input>& inputs, const std::u16string& folder)
{
    FolderFinds finds;
    CollectBelow(folder, finds);
    std::sort(finds.unreadable.begin(), finds.unreadable.end());
    for (const std::u16string& unreadable : finds.unreadable)
        inputs.push_back({unreadable, ShownName(unreadable) + u": this folder cannot be read"});
    if (finds.files.empty() && !finds.unreadable.empty())
        return;
    AddAll(inputs, std::move(finds.files), u"no .pgs file in " + ShownName(folder));
}

bool HasWildcard(const std::u16string& text)
{
    return text.find_first_of(u"*?") != std::u16string::npos;
}

void AddPattern(std::vector<Input>& inputs, const std::u16string& pattern)
{
    const std::u16string folder = platform::FolderPart(pattern);
    const std::u16string namePattern = platform::LastComponent(pattern);
    std::vector<platform::FolderEntry> entries;
    std::vector<std::u16string> files;
    if (platform::ListFolder(folder.empty() ? u"." : folder, entries))
    {
        for (const platform::FolderEntry& entry : entries)
        {
            if (entry.isFile && MatchesWildcard(namePattern, entry.name) && !IsOwnOutput(entry.name))
                files.push_back(folder.empty() ? entry.name : platform::JoinPath(folder, entry.name));
        }
    }
    AddAll(inputs, std::move(files), u"no file matches " + ShownName(pattern));
}

// A file as the file system finds it, so that two spellings of one folder compare equal.
std::u16string LocatedKey(const std::u16string& path, bool cleanedCopy)
{
    platform::FileLocation location;
    if (!platform::LocateFile(path, location))
        return {};
    const std::u16string name = cleanedCopy ? StoredProgram::CleanedNameFor(location.name) : location.name;
    return platform::FileNameKey(platform::JoinPath(location.folder, name));
}

// The cleaned copies beside the sources that the words name.
std::set<std::u16string> CleanedCopiesOf(const std::vector<std::u16string>& words)
{
    std::set<std::u16string> copies;
    for (const std::u16string& word : words)
    {
        if (std::u16string key = LocatedKey(word, true); !key.empty())
            copies.insert(std::move(key));
    }
    return copies;
}
}

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name)
{
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::u16string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size())
    {
        if (p < pattern.size() && pattern[p] == u'*')
        {
            starAt = p++;
            resumeAt = n;
        }
        else if (p < pattern.size() && (pattern[p] == u'?' || platform::UpperAscii(pattern[p]) == platform::UpperAscii(name[n])))
        {
            ++p;
            ++n;
        }
        else if (starAt != std::u16string_view::npos)
        {
            p = starAt + 1;
            n = ++resumeAt;
        }
        else
            return false;
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

std::vector<Input> ExpandInputs(const std::vector<std::u16string>& words, std::vector<std::u16string>& notes)
{
    std::vector<Input> inputs;
    const std::set<std::u16string> cleanedCopies = CleanedCopiesOf(words);
    for (const std::u16string& word : words)
    {
        if (platform::kExpandsWildcards && HasWildcard(platform::LastComponent(word)))
            AddPattern(inputs, word);
        else if (platform::IsFolder(word))
            AddFolder(inputs, word);
        else if (cleanedCopies.contains(LocatedKey(word, false)))
            notes.push_back(ShownName(word) + u" is left out: it is the cleaned copy of another file named here");
        else
            inputs.push_back({word, {}});
    }
    return inputs;
}
