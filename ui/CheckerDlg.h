#pragma once

#include "ActiveProgramBoxes.h"

#include <CheckJob.h>
#include <Controls.h>
#include <Dialog.h>
#include <Win32DroppedFiles.h>

#include <string>

// The main window: the operator chooses a stored-program file, starts a check on the job's
// worker and follows it through a 500 ms poll of the job.
class CCheckerDlg : public toolkit::CDialog
{
public:
    explicit CCheckerDlg(CheckJob& job, HWND parent = nullptr);
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
    void OnSelectFile();
    void OnDropFiles(const toolkit::CDroppedFiles& files);
    void OnRunChecker();
    void AddAboutEntry();
    void DisableRunChecker();
    void ShowProgress(bool finished);
    void EndRun(const std::u16string& error);
    void WaitForWorker();

    CheckJob& m_job;
    std::u16string m_initialPath;
    CActiveProgramBoxes m_activeProgramBoxes;
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
