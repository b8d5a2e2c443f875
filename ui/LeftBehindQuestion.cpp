#include "LeftBehindQuestion.h"

#include "DialogWords.h"

#include <System.h>
#include <Win32Text.h>
#include <resource.h>

#include <commctrl.h>

#include <utility>
#include <vector>

CLeftBehindQuestion::CLeftBehindQuestion(LeftBehindTexts texts, ReportAction showReport)
    : m_texts(std::move(texts)), m_showReport(std::move(showReport))
{
}

// A task dialog with no title of its own shows the executable's file name: it is given the
// program's name, as the message boxes have.
LeftBehindAnswer CLeftBehindQuestion::Ask(HWND owner)
{
    std::vector<TASKDIALOG_BUTTON> links;
    if (!m_texts.behindDamageLink.empty())
        links.push_back({IDC_TAKE_BEHIND_DAMAGE, platform::Wide(m_texts.behindDamageLink)});
    if (!m_texts.allLink.empty())
        links.push_back({IDC_TAKE_ALL, platform::Wide(m_texts.allLink)});
    const std::u16string title = platform::ApplicationName();

    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.dwFlags = TDF_USE_COMMAND_LINKS | TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW |
                     TDF_ENABLE_HYPERLINKS;
    config.dwCommonButtons = TDCBF_CANCEL_BUTTON;
    config.pszWindowTitle = platform::Wide(title);
    config.pszMainInstruction = platform::Wide(words::kLeftBehindInstruction);
    config.pszContent = platform::Wide(m_texts.content);
    config.cButtons = static_cast<UINT>(links.size());
    config.pButtons = links.data();
    config.nDefaultButton = links.empty() ? IDCANCEL : links.front().nButtonID;
    config.pszExpandedInformation = platform::Wide(m_texts.programs);
    config.pszExpandedControlText = platform::Wide(words::kShowPrograms);
    config.pszFooter = platform::Wide(words::kShowReportLink);
    config.pfCallback = OnNotification;
    config.lpCallbackData = reinterpret_cast<LONG_PTR>(this);

    int chosen = IDCANCEL;
    if (FAILED(TaskDialogIndirect(&config, &chosen, nullptr, nullptr)))
        return LeftBehindAnswer::Keep;
    if (chosen == IDC_TAKE_BEHIND_DAMAGE)
        return LeftBehindAnswer::TakeBehindDamage;
    return chosen == IDC_TAKE_ALL ? LeftBehindAnswer::TakeAll : LeftBehindAnswer::Keep;
}

void CLeftBehindQuestion::Close()
{
    if (m_window != nullptr)
        SendMessageW(m_window, TDM_CLICK_BUTTON, IDCANCEL, 0);
}

// The footer's is the only link the question has; any text that could pass for one is kept from
// being read as one (LeftBehindTexts).
HRESULT CALLBACK CLeftBehindQuestion::OnNotification(HWND window, UINT notification, WPARAM /*wParam*/,
                                                     LPARAM /*lParam*/, LONG_PTR self)
{
    auto* question = reinterpret_cast<CLeftBehindQuestion*>(self);
    if (notification == TDN_CREATED)
        question->m_window = window;
    else if (notification == TDN_DESTROYED)
        question->m_window = nullptr;
    else if (notification == TDN_HYPERLINK_CLICKED && question->m_showReport)
        question->m_showReport(window);
    return S_OK;
}
