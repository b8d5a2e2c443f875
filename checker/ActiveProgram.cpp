#include "ActiveProgram.h"

#include <FileNames.h>
#include <FileSystem.h>
#include <Paths.h>
#include <WholeFile.h>

int SaveActiveProgram(const std::uint8_t* record, std::uint32_t length, std::u16string name,
                      platform::FilePermissions permissions, std::u16string* savedAs)
{
    std::u16string directory;
    if (!platform::IsPlainFileName(name) || !platform::CurrentDirectory(directory))
        return 0;
    const std::u16string path = platform::JoinPath(directory, name + u".pga");
    platform::CWholeFile file;
    if (!file.Create(path, permissions) || !file.Write(record, length) || !file.Commit())
        return 0;
    if (savedAs != nullptr)
        *savedAs = path;
    return 1;
}
