#include "featureui/loaders/ProgressDialog.h"

#include "platform/core/Sync.h"

namespace
{
const UINT_PTR kPollTimer = 1;
const UINT kPollMilliseconds = 100;
} // namespace

IMPLEMENT_DYNAMIC(CProgressDialog, CColourDialogEx)

BEGIN_MESSAGE_MAP(CProgressDialog, CColourDialogEx)
ON_WM_TIMER()
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(UINT nIDTemplate, UINT nIDProgress, CWnd* pParent)
    : CColourDialogEx(nIDTemplate, pParent), m_nIDProgress(nIDProgress)
{
}

CProgressDialog::~CProgressDialog()
{
    // A derived dialog's RequestStop is gone by now; its own destructor or DoModal has
    // stopped the worker already, so this only covers a dialog that never ran.
    if (m_pWorker)
    {
        WaitForSingleObject(m_pWorker->m_hThread, INFINITE);
        delete m_pWorker;
        m_pWorker = nullptr;
    }
}

void CProgressDialog::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(m_nIDProgress), m_Progress);
}

INT_PTR CProgressDialog::DoModal()
{
    const INT_PTR result = CColourDialogEx::DoModal();
    // "Quit" ends the modal loop while the worker may be inside a step; it stops after that
    // step, and only then may the dialog and what the worker writes go.
    StopWorker();
    return result;
}

void CProgressDialog::StopWorker()
{
    if (!m_pWorker)
        return;
    RequestStop();
    if (m_pWorker->m_hThread)
        WaitForSingleObject(m_pWorker->m_hThread, INFINITE);
    delete m_pWorker;
    m_pWorker = nullptr;
}

BOOL CProgressDialog::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_Progress.SetRange(0, 1000);
    m_Progress.SetPos(0);
    SetWindowText(GetCaption());
    m_pWorker = StartWorker();
    SetTimer(kPollTimer, kPollMilliseconds);
    return TRUE;
}

void CProgressDialog::OnCancel()
{
    if (m_pWorker)
        RequestStop();
    m_nResult = IDCANCEL;
    CColourDialogEx::OnCancel();
}

void CProgressDialog::OnTimer(UINT_PTR nIDEvent)
{
    OnProgressTick();
    CColourDialogEx::OnTimer(nIDEvent);
}

LRESULT CProgressDialog::OnEndThread(WPARAM, LPARAM)
{
    EndDialog(m_nResult);
    return 0;
}

void CProgressDialog::SetProgressPosition(int64_t done, int64_t total)
{
    if (total > 0)
        m_Progress.SetPos(static_cast<int>(static_cast<double>(done) * 1000.0 / static_cast<double>(total)));
}
