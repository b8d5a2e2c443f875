#pragma once

#include <cstdint>
#include <string>

namespace platform
{
// The system's code for why a call failed: errno on Linux, GetLastError() on Windows; 0 is none.
using SystemErrorCode = std::uint32_t;

// The calling thread's code, read right after the call that failed.
SystemErrorCode LastSystemError();

// The system's own words for a failure, for the operator. Empty for no code and for a file or
// folder that is not there: the program's own "File not found." says that already.
std::u16string SystemReason(SystemErrorCode code);
}
