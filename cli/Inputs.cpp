#include "Inputs.h"

#include <AsciiCase.h>
#include <Console.h>
#include <FileSystem.h>
#include <Paths.h>
#include <StoredProgram.h>
#include <WholeFile.h>

#include <algorithm>

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

void CollectBelow(const std::u16string& folder, std::vector<std::u16string>& files)
{
    std::vector<platform::FolderEntry> entries;
    if (!platform::ListFolder(folder, entries))
        return;
    for (const platform::FolderEntry& entry : entries)
    {
        const std::u16string path = platform::JoinPath(folder, entry.name);
        if (entry.isFolder)
            CollectBelow(path, files);
        else if (entry.isFile && EndsWithPgs(entry.name) && !IsOwnOutput(entry.name))
            files.push_back(path);
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

void AddFolder(std::vector<Input>& inputs, const std::u16string& folder)
{
    std::vector<std::u16string> files;
    CollectBelow(folder, files);
    AddAll(inputs, std::move(files), u"no .pgs file in " + folder);
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
    AddAll(inputs, std::move(files), u"no file matches " + pattern);
}

bool IsCleanedCopyOfAnother(const std::u16string& file, const std::vector<std::u16string>& words)
{
    return std::any_of(words.begin(), words.end(), [&file](const std::u16string& other) {
        return platform::FolderPart(other) == platform::FolderPart(file) &&
               StoredProgram::CleanedNameFor(platform::LastComponent(other)) == platform::LastComponent(file);
    });
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
    for (const std::u16string& word : words)
    {
        if (platform::kExpandsWildcards && HasWildcard(platform::LastComponent(word)))
            AddPattern(inputs, word);
        else if (platform::IsFolder(word))
            AddFolder(inputs, word);
        else if (IsCleanedCopyOfAnother(word, words))
            notes.push_back(word + u" is left out: it is the cleaned copy of another file named here");
        else
            inputs.push_back({word, {}});
    }
    return inputs;
}
