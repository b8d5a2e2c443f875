#include "SystemError.h"
#include "TextConversion.h"

#include <cerrno>
#include <cstring>

namespace platform
{
SystemErrorCode LastSystemError()
{
    return static_cast<SystemErrorCode>(errno);
}

std::u16string SystemReason(SystemErrorCode code)
{
    if (code == 0 || code == ENOENT || code == ENOTDIR)
        return {};
    // The GNU strerror_r gives its text, which need not be in the buffer.
    char buffer[256] = {};
    return FromUtf8(::strerror_r(static_cast<int>(code), buffer, sizeof(buffer)));
}
}
