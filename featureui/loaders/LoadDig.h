// CLoadDig: the modal progress dialog behind which a digitised drawing (CDig) is loaded by a
// CLoadDigThread, showing "Copied <done> bytes of <total>" and offering "Quit"; and the base it
// shares with CLoadDxf (LoadDxf.h).
//
// DoModal gives IDOK when the worker finished (whatever it found: a file that did not open
// leaves the drawing empty) and IDCANCEL when the user quit. It returns only once the worker has
// ended, so the caller may use, change or delete the drawing at once whatever the result.
#pragma once

#include "featureui/TolvarApi.h"

#include "featureui/loaders/ProgressDialog.h"
#include "features/Dxf.h"

class CDig;

// What the two dialogs share: the counters the worker writes, the status line and the bar.
class CLoadDrawingDialog : public CProgressDialog
{
    DECLARE_DYNAMIC(CLoadDrawingDialog)
public:
    explicit CLoadDrawingDialog(CWnd* pParent = nullptr);

    // Written by the worker, read by the poll timer.
    LoadCounter m_BytesToRead{0};
    LoadCounter m_BytesRead{0};

protected:
    // Bar position done x 1000 / total once the total is known; "Copied <done> bytes of
    // <total>" on every tick, also before anything is known (0 of 0).
    void OnProgressTick() override;

    // A loader of class T created suspended, owned by this dialog and counting into its
    // counters, not yet resumed; null when it cannot be made. The dialog deletes it once its
    // thread has ended (see CProgressDialog), so it must not delete itself.
    template <class T> T* CreateWorker(CRuntimeClass* threadClass)
    {
        T* worker = static_cast<T*>(AfxBeginThread(threadClass, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        if (!worker)
            return nullptr;
        worker->m_bAutoDelete = FALSE;
        worker->SetOwner(this);
        worker->m_pBytesTotal = &m_BytesToRead;
        worker->m_pBytesDone = &m_BytesRead;
        return worker;
    }
};

class TOLVAR_API CLoadDig : public CLoadDrawingDialog
{
    DECLARE_DYNAMIC(CLoadDig)
public:
    explicit CLoadDig(CWnd* pParent = nullptr);
    // Stops the worker, if one still runs, waits for it and deletes it.
    ~CLoadDig() override;

    // The drawing to load (its file name set); before DoModal.
    void SetDig(CDig* dig) { m_pDig = dig; }

protected:
    // "Loading DIG <title>.........".
    CString GetCaption() override;
    CWinThread* StartWorker() override;
    void RequestStop() override;
    DECLARE_MESSAGE_MAP()

    CDig* m_pDig = nullptr;
};
