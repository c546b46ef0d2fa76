#include "featureui/loaders/LoadDig.h"

#include "featureui/loaders/LoadFileResources.h"
#include "features/Dig.h"
#include "features/LoadDigThread.h"
#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"

namespace
{
// The loading dialog's template, registered before the first dialog is made from it.
UINT LoadFileTemplate()
{
    RegisterLoadFileTemplate();
    return IDD_LOAD_FILE;
}
} // namespace

IMPLEMENT_DYNAMIC(CLoadDrawingDialog, CProgressDialog)

CLoadDrawingDialog::CLoadDrawingDialog(CWnd* pParent)
    : CProgressDialog(LoadFileTemplate(), IDC_LOAD_PROGRESS, pParent)
{
}

void CLoadDrawingDialog::OnProgressTick()
{
    const ULONGLONG total = m_BytesToRead.load(std::memory_order_relaxed);
    const ULONGLONG done = m_BytesRead.load(std::memory_order_relaxed);
    if (total != 0)
        SetProgressPosition(static_cast<int64_t>(done), static_cast<int64_t>(total));
    CString text;
    text.Format("Copied %ld bytes of %ld", static_cast<long>(done), static_cast<long>(total));
    SetDlgItemText(IDC_LOAD_STATUS, text);
}

IMPLEMENT_DYNAMIC(CLoadDig, CLoadDrawingDialog)

BEGIN_MESSAGE_MAP(CLoadDig, CLoadDrawingDialog)
ON_REGISTERED_MESSAGE(UM_DIG_THREAD, &CLoadDig::OnEndThread)
END_MESSAGE_MAP()

CLoadDig::CLoadDig(CWnd* pParent) : CLoadDrawingDialog(pParent) {}

CLoadDig::~CLoadDig()
{
    // Here, while RequestStop is still this class's.
    StopWorker();
}

CString CLoadDig::GetCaption()
{
    CString caption;
    caption.Format("Loading DIG %s.........", m_pDig ? (LPCSTR)GetFileTitleFromPath(m_pDig->m_FileName) : "");
    return caption;
}

CWinThread* CLoadDig::StartWorker()
{
    CLoadDigThread* worker = CreateWorker<CLoadDigThread>(RUNTIME_CLASS(CLoadDigThread));
    if (!worker)
        return nullptr;
    worker->m_pDig = m_pDig;
    worker->ResumeThread();
    return worker;
}

void CLoadDig::RequestStop()
{
    if (m_pWorker)
        static_cast<CLoadDigThread*>(m_pWorker)->m_bStop = true;
}
