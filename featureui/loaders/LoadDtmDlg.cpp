#include "featureui/loaders/LoadDtmDlg.h"

#include "featureui/loaders/DtmResources.h"
#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"

namespace
{
UINT LoadDtmTemplate()
{
    RegisterDtmTemplates();
    return IDD_LOAD_DTM;
}
} // namespace

CLoadDtmThread* CreateDtmWorker(CCmdTarget* owner, CDtm* dtm, int mode, std::atomic<int64_t>* bytesTotal,
                                std::atomic<int64_t>* bytesDone)
{
    CLoadDtmThread* worker = static_cast<CLoadDtmThread*>(
        AfxBeginThread(RUNTIME_CLASS(CLoadDtmThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    if (!worker)
        return nullptr;
    worker->SetOwner(owner);
    worker->m_pDtm = dtm;
    worker->m_nMode = mode;
    worker->m_pBytesTotal = bytesTotal;
    worker->m_pBytesDone = bytesDone;
    return worker;
}

CString DtmCaption(const CDtm* dtm, const char* oneFormat, const char* twoFormat)
{
    CString caption;
    if (!dtm)
        return caption;
    const CString one = GetFileTitleFromPath(dtm->m_FileName[0]);
    if (dtm->m_FileName[1].IsEmpty())
        caption.Format(oneFormat, (LPCSTR)one);
    else
        caption.Format(twoFormat, (LPCSTR)one, (LPCSTR)GetFileTitleFromPath(dtm->m_FileName[1]));
    return caption;
}

IMPLEMENT_DYNAMIC(CLoadDtmDlg, CProgressDialog)

BEGIN_MESSAGE_MAP(CLoadDtmDlg, CProgressDialog)
ON_WM_CTLCOLOR()
ON_REGISTERED_MESSAGE(UM_DTM_THREAD, &CLoadDtmDlg::OnEndThread)
END_MESSAGE_MAP()

CLoadDtmDlg::CLoadDtmDlg(CWnd* pParent) : CProgressDialog(LoadDtmTemplate(), IDC_DTM_LOAD_PROGRESS, pParent)
{
}

CLoadDtmDlg::~CLoadDtmDlg()
{
    StopWorker();
}

void CLoadDtmDlg::DoDataExchange(CDataExchange* pDX)
{
    CProgressDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_Quit);
}

CString CLoadDtmDlg::GetCaption()
{
    return DtmCaption(m_pDtm, "Loading DTM %s.........", "Loading DTM %s & %s.........");
}

CWinThread* CLoadDtmDlg::StartWorker()
{
    CLoadDtmThread* worker = CreateDtmWorker(this, m_pDtm, 0, &m_BytesTotal, &m_BytesDone);
    if (worker)
        worker->ResumeThread();
    return worker;
}

void CLoadDtmDlg::RequestStop()
{
    if (m_pWorker)
        static_cast<CLoadDtmThread*>(m_pWorker)->m_bStop = true;
}

void CLoadDtmDlg::OnProgressTick()
{
    const int64_t total = m_BytesTotal;
    const int64_t done = m_BytesDone;
    if (total > 0)
    {
        SetProgressPosition(done, total);
        CString text;
        text.Format("Copied %lld bytes of %lld", static_cast<long long>(done), static_cast<long long>(total));
        SetDlgItemText(IDC_DTM_STATUS, text);
    }
}
