#include "SystemError.h"
#include "Win32Text.h"

#include <windows.h>

namespace platform
{
SystemErrorCode LastSystemError()
{
    return GetLastError();
}

// The message comes in the user's language where Windows has it, and ends in a line break that
// the program's own layout replaces.
std::u16string SystemReason(SystemErrorCode code)
{
    switch (code)
    {
    case ERROR_SUCCESS:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return {};
    default:
        break;
    }
    wchar_t buffer[512] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer, sizeof(buffer) / sizeof(buffer[0]), nullptr);
    std::u16string text = FromWide(buffer, length);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
        text.pop_back();
    return text;
}
}
