#pragma once

#include "FaultSeams.h"

#include <cstdint>

namespace platform
{
// Arms the seams of the test variant of this library, so that every way a run can end is
// reachable. Process-wide and safe from any thread; a test program links it, a shipped one
// cannot (its library has no definition of these). A forced failure reports access denied as
// the system's reason.
class CFaultInjection
{
public:
    // The n-th use of `seam` from now on fails (n = 1: the next one; 0 disarms).
    static void FailNth(Seam seam, std::uint32_t n);
    // The n-th file operation of any kind from now on fails.
    static void FailNthFileOperation(std::uint32_t n);
    // Disarms every seam and restarts the count of file operations.
    static void Reset();
    // File operations performed since the last Reset, of every kind.
    static std::uint32_t FileOperationCount();
};
}
