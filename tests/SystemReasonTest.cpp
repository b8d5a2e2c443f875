#include <SystemError.h>
#include <TextConversion.h>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace
{
// "Not found" is what the program's own words say already; any other reason is the system's own
// text, on one line.
TEST(SystemReason, NotFoundAndNoCodeGiveNoReason)
{
#ifdef _WIN32
    const platform::SystemErrorCode silent[] = {0, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_BAD_NETPATH};
#else
    const platform::SystemErrorCode silent[] = {0, ENOENT, ENOTDIR};
#endif
    for (const platform::SystemErrorCode code : silent)
        EXPECT_EQ(platform::SystemReason(code), u"") << code;
}

TEST(SystemReason, OtherCodesGiveTheSystemsOwnTextOnOneLine)
{
#ifdef _WIN32
    const platform::SystemErrorCode told[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_WRITE_PROTECT};
#else
    const platform::SystemErrorCode told[] = {EACCES, EWOULDBLOCK, EROFS};
    EXPECT_EQ(platform::SystemReason(EACCES), u"Permission denied");
    EXPECT_EQ(platform::SystemReason(EROFS), u"Read-only file system");
#endif
    for (const platform::SystemErrorCode code : told)
    {
        const std::u16string reason = platform::SystemReason(code);
        EXPECT_FALSE(reason.empty()) << code;
        EXPECT_EQ(reason.find_first_of(u"\r\n"), std::u16string::npos) << platform::ToUtf8(reason);
        EXPECT_NE(reason.back(), u' ') << platform::ToUtf8(reason);
    }
}
}
