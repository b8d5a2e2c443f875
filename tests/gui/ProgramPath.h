#pragma once

#include <string>

// The built JOBSIFT.exe as a Windows path. The build passes its host path in; under Wine the
// host's root is drive Z:.
std::wstring ProgramPath();
std::wstring WindowsPath(const std::string& hostPath);
