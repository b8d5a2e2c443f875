#pragma once

#include <filesystem>

// Makes a folder the process's current directory for the life of the object, then goes back.
class CurrentDirectory
{
public:
    explicit CurrentDirectory(const std::filesystem::path& folder) : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectory() { std::filesystem::current_path(m_previous); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};
