#pragma once

#include "ActiveProgramBoxes.h"

#include <CheckJob.h>
#include <Controls.h>
#include <Dialog.h>

// The main window: the operator chooses a stored-program file, starts a check on the job's
// worker and follows it through a 500 ms poll of the job.
class CCheckerDlg : public platform::CDialog
{
public:
    explicit CCheckerDlg(CheckJob& job, HWND parent = nullptr);
    ~CCheckerDlg() override;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD notification) override;
    bool OnSysCommand(UINT command, LPARAM lParam) override;
    bool OnPaint() override;
    HICON OnQueryDragIcon() override;
    bool OnTimer(UINT_PTR timerId) override;
    void OnDestroy() override;

private:
    void OnSelectFile();
    void OnRunChecker();
    void AddAboutEntry();
    void DisableRunChecker();
    void ShowProgress(bool finished);
    void EndRun(const std::u16string& error);
    void WaitForWorker();

    CheckJob& m_job;
    CActiveProgramBoxes m_activeProgramBoxes;
    UINT_PTR m_nTimer = 0;
    platform::CStatic m_staticStoredAs;
    platform::CEdit m_editGoodList;
    platform::CEdit m_editBadList;
    platform::CButton m_checkSaveActive;
    platform::CStatic m_staticCount;
    platform::CEdit m_editPath;
    platform::CButton m_buttonRunChecker;
    HICON m_hIcon;
};
