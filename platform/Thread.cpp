#include "Thread.h"
#include "FailureCountdown.h"

namespace platform
{
namespace
{
CFailureCountdown g_startFailures;
}

void CThread::FailNextStarts(std::uint32_t count)
{
    g_startFailures.Arm(count);
}

bool CThread::ConsumeStartFailure()
{
    return g_startFailures.Consume();
}
}
