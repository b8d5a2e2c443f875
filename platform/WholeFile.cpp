#include "WholeFile.h"
#include "FileSystem.h"
#include "Paths.h"

#include <atomic>
#include <chrono>

#ifdef _WIN32
#include <process.h>
#define JOBSIFT_PROCESS_ID _getpid()
#else
#include <unistd.h>
#define JOBSIFT_PROCESS_ID ::getpid()
#endif

namespace platform
{
namespace
{
constexpr char16_t kTemporaryPrefix[] = u"~jobsift-";
constexpr char16_t kTemporarySuffix[] = u".tmp";
constexpr int kNameDigits = 12;

// Names only need to differ between the files that this and other processes have open at once.
std::uint64_t NameBits()
{
    static std::atomic<std::uint64_t> serial{0};
    std::uint64_t bits = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    bits ^= static_cast<std::uint64_t>(JOBSIFT_PROCESS_ID) << 40;
    bits += serial.fetch_add(1) * 0x9E3779B97F4A7C15ull;
    bits ^= bits >> 31;
    bits *= 0xBF58476D1CE4E5B9ull;
    return bits ^ (bits >> 29);
}

std::u16string TemporaryName()
{
    constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string name = kTemporaryPrefix;
    std::uint64_t bits = NameBits();
    for (int i = 0; i < kNameDigits; ++i, bits >>= 4)
        name += kDigits[bits & 0xF];
    return name + kTemporarySuffix;
}
}

CWholeFile::~CWholeFile()
{
    Discard();
}

std::u16string TemporaryPathFor(const std::u16string& finalPath)
{
    const std::u16string folder = FolderPart(finalPath);
    return folder.empty() ? TemporaryName() : JoinPath(folder, TemporaryName());
}

bool CWholeFile::Create(const std::u16string& finalPath, FilePermissions permissions)
{
    Discard();
    m_finalPath = finalPath;
    m_permissions = permissions;
    const std::u16string temporary = TemporaryPathFor(finalPath);
    if (!m_file.CreateNew(temporary))
        return false;
    m_temporaryPath = temporary;
    return true;
}

bool CWholeFile::Write(const void* data, std::uint32_t count)
{
    return m_file.Write(data, count);
}

bool CWholeFile::Commit()
{
    if (m_temporaryPath.empty())
        return false;
    const bool flushed = m_file.SetPermissions(m_permissions) && m_file.Flush();
    const bool closed = m_file.Close();
    if (!flushed || !closed || !RenameOver(m_temporaryPath, m_finalPath))
    {
        Discard();
        return false;
    }
    m_temporaryPath.clear();
    return true;
}

void CWholeFile::Discard()
{
    if (m_temporaryPath.empty())
        return;
    if (m_file.IsOpen())
        m_file.Close();
    RemoveFile(m_temporaryPath);
    m_temporaryPath.clear();
}

bool IsTemporaryFileName(const std::u16string& name)
{
    const std::u16string_view view(name);
    const std::size_t prefix = std::char_traits<char16_t>::length(kTemporaryPrefix);
    const std::size_t suffix = std::char_traits<char16_t>::length(kTemporarySuffix);
    return view.size() == prefix + kNameDigits + suffix && view.starts_with(kTemporaryPrefix) &&
           view.ends_with(kTemporarySuffix);
}
}
