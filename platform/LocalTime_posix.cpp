#include "LocalTime.h"

#include <ctime>

namespace platform
{
std::u16string LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr)
        return {};
    return LocalTimeText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                         local.tm_sec, static_cast<int>(local.tm_gmtoff / 60));
}
}
