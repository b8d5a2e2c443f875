#include "ActiveProgram.h"

#include <File.h>
#include <System.h>

namespace
{
bool HasParentComponent(const std::u16string& name)
{
    std::size_t componentStart = 0;
    for (std::size_t i = 0; i <= name.size(); ++i)
    {
        if (i < name.size() && !platform::IsPathSeparator(name[i]))
            continue;
        if (name.compare(componentStart, i - componentStart, u"..") == 0)
            return true;
        componentStart = i + 1;
    }
    return false;
}
}

bool IsActiveProgramNameSafe(const std::u16string& name)
{
#ifdef _WIN32
    if (name.find(u':') != std::u16string::npos)
        return false;
#endif
    return !HasParentComponent(name);
}

int SaveActiveProgram(const std::uint8_t* record, std::uint32_t length, std::u16string name)
{
    std::u16string directory;
    if (!IsActiveProgramNameSafe(name) || !platform::CurrentDirectory(directory))
        return 0;
    std::u16string path = directory;
    path += platform::kPathSeparator;
    path += name;
    path += u".pga";

    platform::CFile file;
    if (!file.CreateForReadWrite(path))
        return 0;
    const bool written = file.Write(record, length);
    const bool closed = file.Close();
    if (written && closed)
        return 1;
    // A partly written active program must not stand where the controller would take it.
    platform::RemoveFile(path);
    return 0;
}
