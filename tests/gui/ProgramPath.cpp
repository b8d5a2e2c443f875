#include "ProgramPath.h"

std::wstring WindowsPath(const std::string& hostPath)
{
    std::wstring path = hostPath.starts_with('/') ? L"Z:" : L"";
    for (const char unit : hostPath)
        path += unit == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(unit));
    return path;
}

std::wstring ProgramPath()
{
    return WindowsPath(JOBSIFT_EXE);
}
