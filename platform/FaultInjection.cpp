#include "FaultInjection.h"
#include "FailureCountdown.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace platform
{
// Found in a program's bytes only when it carries the seams; the package test looks for it.
extern const char kFaultSeamsMark[];
const char kFaultSeamsMark[] = "JOBSIFT fault seams";

namespace
{
CFailureCountdown g_bySeam[kSeamCount];
CFailureCountdown g_anyFileOperation;
std::atomic<std::uint32_t> g_fileOperations{0};

bool IsFileOperation(Seam seam)
{
    return seam != Seam::Allocation && seam != Seam::ThreadStart;
}

bool Fires(Seam seam)
{
    const bool bySeam = g_bySeam[static_cast<int>(seam)].Fires();
    if (!IsFileOperation(seam))
        return bySeam;
    g_fileOperations.fetch_add(1);
    const bool byCount = g_anyFileOperation.Fires();
    return bySeam || byCount;
}
}

void CFaultInjection::FailNth(Seam seam, std::uint32_t n)
{
    g_bySeam[static_cast<int>(seam)].Arm(n);
}

void CFaultInjection::FailNthFileOperation(std::uint32_t n)
{
    g_anyFileOperation.Arm(n);
}

void CFaultInjection::Reset()
{
    for (CFailureCountdown& countdown : g_bySeam)
        countdown.Arm(0);
    g_anyFileOperation.Arm(0);
    g_fileOperations.store(0);
}

std::uint32_t CFaultInjection::FileOperationCount()
{
    return g_fileOperations.load();
}

// A forced failure gives the system's reason as a refused file would: access denied.
bool SeamFails(Seam seam)
{
    if (!Fires(seam))
        return false;
#ifdef _WIN32
    SetLastError(ERROR_ACCESS_DENIED);
#else
    errno = EACCES;
#endif
    return true;
}
}
