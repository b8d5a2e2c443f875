#include "CheckerDlg.h"

#include "AboutDlg.h"
#include "OutcomeText.h"

#include <SourcePath.h>
#include <System.h>
#include <TextConversion.h>
#include <Thread.h>
#include <Win32FileDialog.h>
#include <Win32PaintDC.h>
#include <Win32Text.h>
#include <resource.h>

#include <string>
#include <utility>

namespace
{
constexpr UINT_PTR kPollTimer = 999;
constexpr UINT kPollMilliseconds = 500;
// The destructor gives a running worker 19 x 500 ms = 9.5 s to see `abort` and set `done`.
constexpr int kAbortWaits = 19;
constexpr std::uint32_t kAbortWaitMilliseconds = 500;

// One entry in the system's own form: description and pattern, each ended by a zero unit,
// and one more zero unit (added by the string's terminator) to end the list.
constexpr char16_t kFilter[] = u"Vantor Stored Program Files (*.pgs)\0*.pgs\0";
constexpr std::u16string_view kFilterView(kFilter, sizeof(kFilter) / sizeof(kFilter[0]) - 1);

std::u16string ResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0)
        return {};
    return platform::FromWide(text, static_cast<std::size_t>(length));
}
}

CCheckerDlg::CCheckerDlg(CheckJob& job, HWND parent)
    : CDialog(IDD_CHECKER_DIALOG, parent), m_job(job),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)))
{
}

void CCheckerDlg::SetInitialPath(std::u16string path)
{
    m_initialPath = std::move(path);
}

CCheckerDlg::~CCheckerDlg()
{
    m_job.abort = 1;
    if (m_job.done == 0)
        WaitForWorker();
}

void CCheckerDlg::WaitForWorker()
{
    for (int wait = 0; wait < kAbortWaits; ++wait)
    {
        platform::SleepMilliseconds(kAbortWaitMilliseconds);
        if (m_job.done != 0)
            return;
    }
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
    AddAboutEntry();
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_nTimer = 0;
    m_job.Reset();
    m_editPath.SetText(m_initialPath);
    // Registered here rather than in the template, whose styles stay as they have always been.
    toolkit::AcceptDroppedFiles(Handle());
    return true;
}

void CCheckerDlg::AddAboutEntry()
{
    const HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
    if (systemMenu == nullptr)
        return;
    const std::u16string about = ResourceString(IDS_ABOUTBOX);
    if (about.empty())
        return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, platform::Wide(about));
}

bool CCheckerDlg::OnCommand(WORD id, WORD notification)
{
    if (notification == BN_CLICKED && id == IDC_SELECT_FILE)
        OnSelectFile();
    else if (notification == BN_CLICKED && id == IDC_RUN_CHECKER)
        OnRunChecker();
    else
        return CDialog::OnCommand(id, notification);
    return true;
}

bool CCheckerDlg::OnSysCommand(UINT command, LPARAM lParam)
{
    if ((command & 0xFFF0) != IDM_ABOUTBOX)
        return CDialog::OnSysCommand(command, lParam);
    CAboutDlg about;
    about.DoModal();
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
    toolkit::COpenFileDialog dialog(OFN_FILEMUSTEXIST | OFN_LONGNAMES, kFilterView, u"Select PGS Data File");
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
    if (message != WM_DROPFILES)
        return CDialog::OnMessage(message, wParam, lParam, result);
    const toolkit::CDroppedFiles files(wParam);
    OnDropFiles(files);
    return true;
}

// The job serves one run at a time. The button is disabled during a run, but a click can still
// arrive as a message; while a worker holds the job it is ignored.
void CCheckerDlg::OnRunChecker()
{
    if (m_job.done == 0)
        return;
    if (!IsStoredProgramPath(m_editPath.Text()))
    {
        MessageBoxOk(u"Improper file name or file path.");
        return;
    }
    m_job.PrepareRun(m_editPath.Text(), this, m_checkSaveActive.GetCheck() == BST_CHECKED, &m_activeProgramBoxes);
    DisableRunChecker();
    m_nTimer = SetTimer(kPollTimer, kPollMilliseconds);
    // The dialog keeps no hold on the worker: it hears of it through the job alone.
    platform::CThread worker;
    if (!StartChecker(m_job, worker))
        EndRun(OutcomeText(m_job.outcome.load()));
}

// Stops the poll and makes "Run Checker" usable again; a failed run's text is shown once.
void CCheckerDlg::EndRun(const std::u16string& error)
{
    KillTimer(kPollTimer);
    m_nTimer = 0;
    m_buttonRunChecker.Enable(true);
    if (!error.empty())
        MessageBoxOk(error, u"Error");
}

// The button stays disabled until the poll sees the run end, so a second press can never start
// another worker on the job while one is using it. A disabled button cannot keep the focus.
void CCheckerDlg::DisableRunChecker()
{
    if (GetFocus() == m_buttonRunChecker.Handle())
        SendMessageW(Handle(), WM_NEXTDLGCTL, 0, FALSE);
    m_buttonRunChecker.Enable(false);
}

// `done` is read before the outcome: the worker stores its outcome before it sets `done`, so a
// tick that sees the end also sees how it ended. The poll is stopped before an error box opens:
// the box's own message loop keeps delivering ticks, and none of them may open a second box.
bool CCheckerDlg::OnTimer(UINT_PTR /*timerId*/)
{
    const bool finished = m_job.done != 0;
    const std::u16string error = finished ? OutcomeText(m_job.outcome.load()) : std::u16string();
    const std::u16string& reason = m_job.results.systemReason;
    if (!error.empty())
        EndRun(reason.empty() ? error : error + u"\n" + reason);
    else
        ShowProgress(finished);
    const std::vector<ExaminedRecord> records = m_job.records.Snapshot();
    m_editGoodList.SetText(GoodList(records));
    m_editBadList.SetText(BadList(records));
    return CDialog::OnTimer(kPollTimer);
}

void CCheckerDlg::ShowProgress(bool finished)
{
    std::u16string countLine = platform::Decimal(m_job.count.load()) + u" Files Checked...";
    if (finished)
    {
        if (m_nTimer != 0)
            KillTimer(kPollTimer);
        m_nTimer = 0;
        m_buttonRunChecker.Enable(true);
        countLine += u"Done!";
        m_staticStoredAs.SetText(u"File stored as: " + m_job.storedAs.Get());
    }
    m_staticCount.SetText(countLine);
}

void CCheckerDlg::OnDestroy()
{
    CDialog::OnDestroy();
    if (m_nTimer != 0)
        KillTimer(kPollTimer);
    m_nTimer = 0;
}
