#pragma once

#include <cstdint>

namespace platform
{
// The places where a test can make the system fail: every file operation, the buffer's
// allocation and the start of a thread.
enum class Seam : std::uint8_t
{
    Open,
    Read,
    Write,
    Flush,
    Close,
    Rename,
    Allocation,
    ThreadStart,
};
constexpr int kSeamCount = 8;

// True when this use of `seam` is to fail as the system would make it fail. Only the test variant
// of this library (jobsift_platform_seams, armed through FaultInjection.h) can say yes; in the
// programs as shipped the check is a constant and the seams are compiled away.
#ifdef JOBSIFT_FAULT_SEAMS
bool SeamFails(Seam seam);
#else
constexpr bool SeamFails(Seam) { return false; }
#endif
}
