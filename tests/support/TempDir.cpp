#include "TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<unsigned> serial{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() /
             ("jobsift-test-" + std::to_string(stamp) + "-" + std::to_string(serial.fetch_add(1)));
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

void WriteFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::u16string U16(const fs::path& path)
{
    return path.u16string();
}
