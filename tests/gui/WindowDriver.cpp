#include "WindowDriver.h"

#include <thread>

namespace gui
{
namespace
{
constexpr auto kPollPeriod = 20ms;
constexpr UINT kSendTimeoutMilliseconds = 5000;
// A message box keeps its text in a static item with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

struct Search
{
    DWORD processId;
    const std::wstring* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM searchAddress)
{
    auto& search = *reinterpret_cast<Search*>(searchAddress);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) && Text(window) == *search.caption)
        search.found.push_back(window);
    return TRUE;
}
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        std::this_thread::sleep_for(kPollPeriod);
    }
    return true;
}

std::vector<HWND> TopWindows(DWORD processId, const std::wstring& caption)
{
    Search search{processId, &caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD processId, const std::wstring& caption, std::chrono::milliseconds timeout)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto windows = TopWindows(processId, caption);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

bool WaitForMenu(DWORD processId, std::chrono::milliseconds timeout)
{
    return WaitUntil(
        [processId] {
            for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu != nullptr;
                 menu = FindWindowExW(nullptr, menu, L"#32768", nullptr))
            {
                DWORD owner = 0;
                GetWindowThreadProcessId(menu, &owner);
                if (owner == processId && IsWindowVisible(menu))
                    return true;
            }
            return false;
        },
        timeout);
}

bool WaitUntilGone(HWND window, std::chrono::milliseconds timeout)
{
    return WaitUntil([window] { return !IsWindow(window); }, timeout);
}

std::wstring Text(HWND window)
{
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, kSendTimeoutMilliseconds, &copied))
        return L"<no answer>";
    return std::wstring(buffer, copied);
}

std::wstring ItemText(HWND dialog, int id)
{
    return Text(GetDlgItem(dialog, id));
}

void SetItemText(HWND dialog, int id, const std::wstring& text)
{
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetCheck(HWND dialog, int id, bool ticked)
{
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsItemEnabled(HWND dialog, int id)
{
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

void PostClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::vector<std::wstring> DescendantTexts(HWND window)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM found) {
            reinterpret_cast<std::vector<std::wstring>*>(found)->push_back(Text(child));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::wstring MessageBoxText(HWND box)
{
    return ItemText(box, kMessageBoxTextId);
}
}
