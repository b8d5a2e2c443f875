#pragma once

#include "File.h"

#include <cstdint>
#include <string>

namespace platform
{
// An output file that appears whole or not at all. It is written under a temporary name in the
// folder it goes to and renamed over its final name only once it is complete and on the device;
// until then a file of the final name stays as it was. An output that is not committed is
// removed, on every way out. The temporary file is private to its owner while it is written; it
// takes its permissions just before it is renamed.
class CWholeFile
{
public:
    CWholeFile() = default;
    ~CWholeFile();
    CWholeFile(const CWholeFile&) = delete;
    CWholeFile& operator=(const CWholeFile&) = delete;

    bool Create(const std::u16string& finalPath, FilePermissions permissions);
    bool Write(const void* data, std::uint32_t count);
    // Flushes to the device, closes, and renames over the final name; false leaves nothing behind.
    bool Commit();
    // Removes what was written so far.
    void Discard();

    const std::u16string& FinalPath() const { return m_finalPath; }
    // Why the last Create failed, as the system said.
    SystemErrorCode CreateError() const { return m_file.OpenError(); }

private:
    CFile m_file;
    std::u16string m_temporaryPath;
    std::u16string m_finalPath;
    FilePermissions m_permissions;
};

// Where the temporary file for `finalPath` is made: in the folder of the final name, so that the
// rename stays within one folder.
std::u16string TemporaryPathFor(const std::u16string& finalPath);

// True for the names our temporary files carry. A run that was killed may leave one behind; it
// is never taken for a stored-program file or a result.
bool IsTemporaryFileName(const std::u16string& name);
}
