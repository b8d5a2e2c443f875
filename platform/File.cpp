#include "File.h"
#include "System.h"

namespace platform
{
bool CFile::OpenForReading(const std::u16string& path)
{
    return Open(path, false);
}

bool CFile::CreateForReadWrite(const std::u16string& path)
{
    return Open(path, true);
}

std::u16string CFile::FileName() const
{
    for (std::size_t i = m_path.size(); i > 0; --i)
    {
        if (IsPathSeparator(m_path[i - 1]))
            return m_path.substr(i);
    }
    return m_path;
}
}
