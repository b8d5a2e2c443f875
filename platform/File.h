#pragma once

#include <cstdint>
#include <string>

namespace platform
{
// A file opened without sharing: nobody else may open it while we hold it.
// Every operation reports failure by its result; the destructor closes a file left open.
class CFile
{
public:
    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // An existing regular file, read-only; never created or changed.
    bool OpenForReading(const std::u16string& path);
    // Created, or emptied when it exists; read and write.
    bool CreateForReadWrite(const std::u16string& path);

    // Reads up to count bytes; fewer arrive only at the end of the file.
    // Buffer bytes past those read are left as they were.
    bool Read(void* buffer, std::uint32_t count, std::uint32_t& bytesRead);
    bool Write(const void* buffer, std::uint32_t count);
    bool GetPosition(std::uint64_t& position);
    bool Seek(std::uint64_t position);
    bool Flush();
    bool Close();

    bool IsOpen() const;
    // The full absolute path the file was opened under, and its last component.
    const std::u16string& FilePath() const { return m_path; }
    std::u16string FileName() const;

private:
    bool Open(const std::u16string& path, bool create);

#ifdef _WIN32
    void* m_handle = reinterpret_cast<void*>(-1);
#else
    int m_fd = -1;
#endif
    std::u16string m_path;
};
}
