#pragma once

#include <cstdint>

namespace platform
{
enum class FileOp
{
    Open,
    Read,
    Write,
    Seek,
    Flush,
    Close,
    Rename,
};

// A seam for tests: makes a chosen file operation fail as the system would report it,
// so that every way a run can end is reachable. Inactive unless a test arms it.
class CFileFaults
{
public:
    // The n-th operation of that kind from now on fails (n = 1: the next one).
    static void FailNth(FileOp op, std::uint32_t n);
    // The n-th file operation of any kind from now on fails.
    static void FailNthOfAny(std::uint32_t n);
    // Disarms every fault and restarts the count of operations.
    static void Reset();
    // Operations performed since the last Reset, of every kind.
    static std::uint32_t OperationCount();

    // Called by the file layer before each operation; true means: report a failure.
    static bool ShouldFail(FileOp op);
};
}
