#include "System.h"

#include <mutex>

namespace platform
{
void ShowSystemMessageBox(const std::u16string& text, const std::u16string& caption);

namespace
{
std::mutex g_handlerLock;
MessageBoxHandler g_handler;
}

void SetMessageBoxHandler(MessageBoxHandler handler)
{
    std::lock_guard lock(g_handlerLock);
    g_handler = std::move(handler);
}

void MessageBoxOk(const std::u16string& text, const std::u16string& caption)
{
    const std::u16string shownCaption = caption.empty() ? ApplicationName() : caption;
    MessageBoxHandler handler;
    {
        std::lock_guard lock(g_handlerLock);
        handler = g_handler;
    }
    if (handler)
        handler(text, shownCaption);
    else
        ShowSystemMessageBox(text, shownCaption);
}
}
