#pragma once

#include "RecordBuilder.h"

#include <filesystem>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

void WriteFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadFile(const std::filesystem::path& path);
std::u16string U16(const std::filesystem::path& path);
