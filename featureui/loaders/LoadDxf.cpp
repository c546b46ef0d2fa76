#include "featureui/loaders/LoadDxf.h"

#include "features/LoadDxfThread.h"
#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"

IMPLEMENT_DYNAMIC(CLoadDxf, CLoadDrawingDialog)

BEGIN_MESSAGE_MAP(CLoadDxf, CLoadDrawingDialog)
ON_REGISTERED_MESSAGE(UM_DXF_THREAD, &CLoadDxf::OnEndThread)
END_MESSAGE_MAP()

CLoadDxf::CLoadDxf(CWnd* pParent) : CLoadDrawingDialog(pParent) {}

CLoadDxf::~CLoadDxf()
{
    StopWorker();
}

void CLoadDxf::DoDataExchange(CDataExchange* pDX)
{
    CLoadDrawingDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_Quit);
}

CString CLoadDxf::GetCaption()
{
    CString caption;
    caption.Format("Loading DXF %s.........", m_pDxf ? (LPCSTR)GetFileTitleFromPath(m_pDxf->m_FileName) : "");
    return caption;
}

CWinThread* CLoadDxf::StartWorker()
{
    CLoadDxfThread* worker = CreateWorker<CLoadDxfThread>(RUNTIME_CLASS(CLoadDxfThread));
    if (!worker)
        return nullptr;
    worker->m_pDxf = m_pDxf;
    worker->ResumeThread();
    return worker;
}

void CLoadDxf::RequestStop()
{
    if (m_pWorker)
        static_cast<CLoadDxfThread*>(m_pWorker)->m_bStop = true;
}
