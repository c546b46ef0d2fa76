// CProgressDialog: the base of the modal dialogs behind which a worker thread reads a file,
// showing its progress on a bar and offering "Quit".
//
// A derived dialog gives its caption, starts its worker (created suspended through its run-time
// class, with m_bAutoDelete FALSE, filled in and resumed) and tells it to stop; it adds its
// worker's end message to its own message map, routed to OnEndThread:
//
//     ON_REGISTERED_MESSAGE(UM_DTM_THREAD, &CLoadDtmDlg::OnEndThread)
//
// "Quit" closes the dialog at once, but DoModal returns only after the worker has ended and
// has been deleted, so whatever the worker writes (counters held by the dialog, the data it
// fills) may belong to the dialog and to the caller's stack frame.
#pragma once

#include "foundation/ColourDialogEx.h"
#include "platform/core/WinThread.h"
#include "platform/ui/ProgressCtrl.h"

#include <cstdint>

class CProgressDialog : public CColourDialogEx
{
    DECLARE_DYNAMIC(CProgressDialog)
public:
    // `nIDProgress`: the id of the template's progress bar.
    CProgressDialog(UINT nIDTemplate, UINT nIDProgress, CWnd* pParent = nullptr);
    // Stops the worker, if one still runs, waits for it and deletes it.
    ~CProgressDialog() override;

    // The dialog's result (IDOK unless "Quit" was pressed), once the worker has ended.
    INT_PTR DoModal() override;

    // The result code the dialog ends with on the worker's end message.
    int GetResultCode() const { return m_nResult; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Bar range 0..1000 at 0, the caption, the worker started, a 100 ms poll timer.
    BOOL OnInitDialog() override;
    // Stops the worker and ends the dialog with IDCANCEL at once.
    void OnCancel() override;
    void OnTimer(UINT_PTR nIDEvent);
    // The worker's end message: ends the dialog with the result code.
    LRESULT OnEndThread(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The window caption.
    virtual CString GetCaption() = 0;
    // Creates the worker suspended, fills it in and resumes it; null when it cannot be made.
    // The worker must not delete itself (m_bAutoDelete FALSE).
    virtual CWinThread* StartWorker() = 0;
    // Asks the worker to stop after its current step.
    virtual void RequestStop() = 0;
    // Every poll tick, before the default processing.
    virtual void OnProgressTick() {}

    // Bar position done x 1000 / total (bytes), when total is above 0.
    void SetProgressPosition(int64_t done, int64_t total);
    // Stops, waits for and deletes the worker.
    void StopWorker();

    CProgressCtrl m_Progress;
    int m_nResult = IDOK;
    CWinThread* m_pWorker = nullptr;

private:
    UINT m_nIDProgress;
};
