#pragma once

#include "DialogJob.h"
#include "LeftBehindQuestion.h"

#include <CheckJob.h>
#include <Controls.h>
#include <Dialog.h>
#include <Win32DroppedFiles.h>

#include <string>

// The main window: the operator chooses a stored-program file, starts a check on the job's
// worker, follows its count through a 500 ms poll of the job and sees its result as soon as the
// worker posts its end. A run that left intact programs behind ends with the question whether
// to take them back. Once a run has ended, the system menu's report entry (and the question's
// link) writes the run's page beside the cleaned file and opens it in the default browser.
class CCheckerDlg : public toolkit::CDialog
{
public:
    // The job is borrowed: it lives as long as the program's entry and any worker keep it.
    explicit CCheckerDlg(CDialogJob& job, HWND parent = nullptr);
    ~CCheckerDlg() override;

    // The path box shows `path` when the dialog opens; nothing is checked until the operator
    // asks.
    void SetInitialPath(std::u16string path);

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD notification) override;
    bool OnSysCommand(UINT command, LPARAM lParam) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    bool OnTimer(UINT_PTR timerId) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // What a run was started with, so that a salvage run can follow on the same file.
    struct RunRequest
    {
        std::u16string path;
        bool saveActive = false;
        CheckOptions options;
    };

    void OnSelectFile();
    void OnDropFiles(const toolkit::CDroppedFiles& files);
    void OnRunChecker();
    void StartRun(RunRequest request);
    void OnRunEnded();
    void AskAboutLeftBehind();
    LeftBehindAnswer AskOpen(CLeftBehindQuestion& question);
    void AddSystemMenuEntries();
    void OfferReport(bool offered);
    // A box it shows belongs to `owner`: the dialog, or the question open over it.
    void ShowReport(HWND owner);
    void DisableRunChecker();
    void StopPoll();
    void ShowResult(bool done);
    void ShowLists();
    void ShowCountLine(bool done);

    CDialogJob& m_dialogJob;
    CheckJob& m_job;
    std::u16string m_initialPath;
    RunRequest m_run;
    bool m_running = false;
    bool m_closing = false;
    bool m_reportOffered = false; // a run has ended and the next has not started
    CLeftBehindQuestion* m_question = nullptr; // while the question is open
    UINT_PTR m_nTimer = 0;
    toolkit::CStatic m_staticStoredAs;
    toolkit::CEdit m_editGoodList;
    toolkit::CEdit m_editBadList;
    toolkit::CButton m_checkSaveActive;
    toolkit::CStatic m_staticCount;
    toolkit::CEdit m_editPath;
    toolkit::CButton m_buttonRunChecker;
    HICON m_hIcon;
};
