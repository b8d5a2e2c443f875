#include "CheckerDlg.h"

#include "AboutDlg.h"
#include "DialogWords.h"
#include "OutcomeText.h"
#include "ResultLists.h"

#include <Paths.h>
#include <ReportFile.h>
#include <ShellOpen.h>
#include <SourcePath.h>
#include <Win32FileDialog.h>
#include <Win32PaintDC.h>
#include <Win32Text.h>
#include <resource.h>

#include <chrono>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

namespace
{
constexpr UINT_PTR kPollTimer = 999;
constexpr UINT kPollMilliseconds = 500;
// How long closing the dialog waits for a running worker to see `abort` and end.
constexpr std::chrono::milliseconds kAbortWait{9500};

// The string's terminator is the zero unit that ends the list.
constexpr std::u16string_view kFilterView(words::kFileFilter, std::size(words::kFileFilter) - 1);

std::u16string ResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0)
        return {};
    return platform::FromWide(text, static_cast<std::size_t>(length));
}
}

CCheckerDlg::CCheckerDlg(CDialogJob& job, HWND parent)
    : CDialog(IDD_CHECKER_DIALOG, parent), m_dialogJob(job), m_job(job.Job()),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

void CCheckerDlg::SetInitialPath(std::u16string path)
{
    m_initialPath = std::move(path);
}

// A worker that does not end in time (one waiting in its own box, say) is let go: it holds its
// own share of the job.
CCheckerDlg::~CCheckerDlg()
{
    m_job.abort = 1;
    if (m_job.done == 0)
        m_job.WaitUntilDone(kAbortWait);
}

void CCheckerDlg::DoDataExchange()
{
    const HWND dialog = Handle();
    m_staticStoredAs.Bind(dialog, IDC_STORED_AS);
    m_editGoodList.Bind(dialog, IDC_GOOD_LIST);
    m_editBadList.Bind(dialog, IDC_BAD_LIST);
    m_checkSaveActive.Bind(dialog, IDC_SAVE_ACTIVE);
    m_staticCount.Bind(dialog, IDC_CHECK_COUNT);
    m_editPath.Bind(dialog, IDC_FILE_PATH);
    m_buttonRunChecker.Bind(dialog, IDC_RUN_CHECKER);
}

bool CCheckerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AddSystemMenuEntries();
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_nTimer = 0;
    m_job.Reset();
    m_dialogJob.PostRunEndsTo(Handle());
    m_editPath.SetText(m_initialPath);
    // Registered here rather than in the template, whose styles stay as they have always been.
    toolkit::AcceptDroppedFiles(Handle());
    return true;
}

// The report entry waits, greyed, for the first run's end; the About entry stays the last.
void CCheckerDlg::AddSystemMenuEntries()
{
    const HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
    if (systemMenu == nullptr)
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING | MF_GRAYED, IDM_REPORT, platform::Wide(words::kReportEntry));
    const std::u16string about = ResourceString(IDS_ABOUTBOX);
    if (about.empty())
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, platform::Wide(about));
}

// A run that has ended keeps its results in the job until the next one starts; only then is
// there a report to write.
void CCheckerDlg::OfferReport(bool offered)
{
    m_reportOffered = offered;
    if (const HMENU systemMenu = GetSystemMenu(Handle(), FALSE))
        EnableMenuItem(systemMenu, IDM_REPORT, offered ? MF_BYCOMMAND | MF_ENABLED : MF_BYCOMMAND | MF_GRAYED);
}

// The page is written afresh each time, so it is the last run's even after an earlier one was
// opened. Where no program opens it, the page is still there beside the cleaned file: only a
// failed write is an error.
void CCheckerDlg::ShowReport(HWND owner)
{
    if (!m_reportOffered)
        return;
    const std::optional<std::u16string> written = WriteReportFile(m_dialogJob.LastRun());
    if (!written)
    {
        toolkit::MessageBoxOk(owner, OutcomeText(RunOutcome::WriteFailed), words::kErrorCaption);
        return;
    }
    toolkit::OpenWithDefaultProgram(owner, *written);
}

bool CCheckerDlg::OnCommand(WORD id, WORD notification)
{
    if (notification == BN_CLICKED && id == IDC_SELECT_FILE)
        OnSelectFile();
    else if (notification == BN_CLICKED && id == IDC_RUN_CHECKER)
        OnRunChecker();
    else
    {
        // The dialog is closing: an open question ends, and its answer starts nothing.
        if (id == IDOK || id == IDCANCEL)
        {
            m_closing = true;
            if (m_question != nullptr)
                m_question->Close();
        }
        return CDialog::OnCommand(id, notification);
    }
    return true;
}

bool CCheckerDlg::OnSysCommand(UINT command, LPARAM lParam)
{
    const UINT entry = command & 0xFFF0;
    if (entry == IDM_REPORT)
        ShowReport(Handle());
    else if (entry == IDM_ABOUTBOX)
    {
        CAboutDlg about;
        about.DoModal();
    }
    else
        return CDialog::OnSysCommand(command, lParam);
    return true;
}

bool CCheckerDlg::OnPaint()
{
    if (!IsIconic(Handle()))
        return CDialog::OnPaint();
    toolkit::CPaintDC dc(Handle());
    SendMessageW(Handle(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Handle()), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(Handle(), &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc.Handle(), x, y, m_hIcon);
    return true;
}

HICON CCheckerDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

void CCheckerDlg::OnSelectFile()
{
    toolkit::COpenFileDialog dialog(OFN_FILEMUSTEXIST | OFN_LONGNAMES, kFilterView, words::kSelectFileTitle);
    if (dialog.DoModal(Handle()))
        m_editPath.SetText(dialog.GetPathName());
}

// A dropped file only fills the path box, as a pick with "Select PGS File" does; of several,
// the first. Whether it is a stored-program file is for "Run Checker" to say. A drop that names
// no file leaves the box as it was.
void CCheckerDlg::OnDropFiles(const toolkit::CDroppedFiles& files)
{
    const std::u16string first = files.Path(0);
    if (!first.empty())
        m_editPath.SetText(first);
}

bool CCheckerDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result)
{
    if (message == WM_RUN_ENDED)
        OnRunEnded();
    else if (message == WM_DROPFILES)
        OnDropFiles(toolkit::CDroppedFiles(wParam));
    else
        return CDialog::OnMessage(message, wParam, lParam, result);
    return true;
}

// The job serves one run at a time. The button is disabled during a run and the question blocks
// the dialog, but a click can still arrive as a message; it is ignored until the run's end has
// been shown and the question answered.
void CCheckerDlg::OnRunChecker()
{
    if (m_running || m_question != nullptr)
        return;
    if (!IsStoredProgramPath(m_editPath.Text()))
    {
        MessageBoxOk(words::kImproperPath);
        return;
    }
    StartRun({m_editPath.Text(), m_checkSaveActive.GetCheck() == BST_CHECKED, {}});
}

// Nothing of an earlier run stays on screen to be taken for this one's result.
void CCheckerDlg::StartRun(RunRequest request)
{
    m_staticCount.SetText({});
    m_staticStoredAs.SetText({});
    m_editGoodList.SetText({});
    m_editBadList.SetText({});
    m_run = std::move(request);
    OfferReport(false);
    DisableRunChecker();
    m_running = true;
    m_nTimer = SetTimer(kPollTimer, kPollMilliseconds);
    m_dialogJob.Start(m_run.path, m_run.saveActive, m_run.options);
}

// The button stays disabled until the run's end is shown, so a second press can never start
// another worker on the job while one is using it. A disabled button cannot keep the focus.
void CCheckerDlg::DisableRunChecker()
{
    if (GetFocus() == m_buttonRunChecker.Handle())
        SendMessageW(Handle(), WM_NEXTDLGCTL, 0, FALSE);
    m_buttonRunChecker.Enable(false);
}

// The live count and lists; the run's end comes as a message of its own.
bool CCheckerDlg::OnTimer(UINT_PTR /*timerId*/)
{
    if (m_running)
    {
        ShowCountLine(false);
        ShowLists();
    }
    return CDialog::OnTimer(kPollTimer);
}

// The worker has set `done`, so the outcome and results are in place. The poll stops before an
// error box opens: the box's own message loop would go on delivering ticks. A run that failed
// after writing its cleaned file says, once its box is closed, how far it got and where the file is.
// An aborted run (the dialog is closing) shows nothing more.
void CCheckerDlg::OnRunEnded()
{
    if (!m_running)
        return;
    m_running = false;
    StopPoll();
    m_buttonRunChecker.Enable(true);
    OfferReport(true);
    const RunOutcome outcome = m_job.outcome.load();
    const std::u16string error = OutcomeText(outcome);
    if (outcome == RunOutcome::Completed)
        ShowResult(true);
    else if (!error.empty())
    {
        ShowLists();
        // Where the system said why, its words follow on a line of their own.
        const std::u16string& reason = m_job.results.systemReason;
        MessageBoxOk(reason.empty() ? error : error + u"\n" + reason, words::kErrorCaption);
        if (!m_job.results.cleanedPath.empty())
            ShowResult(false);
    }
    if (!m_closing && !m_run.options.salvage && !m_job.results.leftBehind.empty())
        AskAboutLeftBehind();
}

// Asked once, after a run that is not itself a salvage run; an answer that takes the programs
// back starts that run on the same file with the same setting.
void CCheckerDlg::AskAboutLeftBehind()
{
    CLeftBehindQuestion question(
        MakeLeftBehindTexts(platform::LastComponent(m_run.path), m_job.storedAs.Get(), m_job.results.leftBehind),
        [this](HWND window) { ShowReport(window); });
    const LeftBehindAnswer answer = AskOpen(question);
    if (m_closing || answer == LeftBehindAnswer::Keep)
        return;
    RunRequest salvage = m_run;
    salvage.options.salvage = true;
    salvage.options.pastEnd = answer == LeftBehindAnswer::TakeAll;
    StartRun(std::move(salvage));
}

// While the question is open, closing the dialog can reach it; however Ask returns, it cannot.
LeftBehindAnswer CCheckerDlg::AskOpen(CLeftBehindQuestion& question)
{
    struct OpenQuestion
    {
        CLeftBehindQuestion*& slot;
        ~OpenQuestion() { slot = nullptr; }
    } open{m_question = &question};
    return question.Ask(Handle());
}

// The count line first: it is what says the run is over.
void CCheckerDlg::ShowResult(bool done)
{
    ShowCountLine(done);
    m_staticStoredAs.SetText(words::StoredAs(m_job.storedAs.Get()));
    ShowLists();
}

void CCheckerDlg::StopPoll()
{
    if (m_nTimer != 0)
        KillTimer(kPollTimer);
    m_nTimer = 0;
}

void CCheckerDlg::ShowLists()
{
    const std::vector<ExaminedRecord> records = m_job.records.Snapshot();
    m_editGoodList.SetText(GoodList(records));
    m_editBadList.SetText(BadList(records));
}

void CCheckerDlg::ShowCountLine(bool done)
{
    m_staticCount.SetText(words::CountLine(m_job.count.load(), done));
}

// No run's end may reach this window after it has gone, nor one whose handle it later takes.
void CCheckerDlg::OnDestroy()
{
    CDialog::OnDestroy();
    m_dialogJob.PostRunEndsTo(nullptr);
    StopPoll();
}
