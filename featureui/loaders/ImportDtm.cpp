#include "featureui/loaders/ImportDtm.h"

#include "featureui/loaders/DtmResources.h"
#include "featureui/loaders/LoadDtmDlg.h"
#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "foundation/WindowMessages.h"

#include <cfloat>

namespace
{
UINT ImportDtmTemplate()
{
    RegisterDtmTemplates();
    return IDD_IMPORT_DTM;
}
} // namespace

IMPLEMENT_DYNAMIC(CImportDtm, CProgressDialog)

BEGIN_MESSAGE_MAP(CImportDtm, CProgressDialog)
ON_REGISTERED_MESSAGE(UM_DTM_THREAD, &CImportDtm::OnEndThread)
END_MESSAGE_MAP()

CImportDtm::CImportDtm(CWnd* pParent) : CProgressDialog(ImportDtmTemplate(), IDC_DTM_PROGRESS, pParent)
{
}

CImportDtm::~CImportDtm()
{
    StopWorker();
}

void CImportDtm::DoDataExchange(CDataExchange* pDX)
{
    CProgressDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_Quit);
}

CString CImportDtm::GetCaption()
{
    return DtmCaption(m_pDtm, "Computing DTM %s Extents", "Computing DTM %s & %s Extents");
}

CWinThread* CImportDtm::StartWorker()
{
    CLoadDtmThread* worker = CreateDtmWorker(this, m_pDtm, 1, &m_BytesTotal, &m_BytesDone);
    if (worker)
    {
        worker->m_pExtents = &m_Extents;
        worker->ResumeThread();
    }
    return worker;
}

void CImportDtm::RequestStop()
{
    if (m_pWorker)
        static_cast<CLoadDtmThread*>(m_pWorker)->m_bStop = true;
}

void CImportDtm::OnProgressTick()
{
    SetProgressPosition(m_BytesDone, m_BytesTotal);
    if (!m_pDtm)
        return;
    const DtmExtentsShownDef shown = m_Extents.Get();
    auto show = [this](int id, double value) {
        CString text;
        text.Format("%.3lf", value);
        SetDlgItemText(id, text);
    };
    auto showDepth = [this](int id, double value) {
        CString text("n/a");
        if (value != DBL_MAX)
            text.Format("%.3lf", value);
        SetDlgItemText(id, text);
    };
    show(IDC_DTM_MIN_ENG, shown.MinEasting);
    show(IDC_DTM_MAX_ENG, shown.MaxEasting);
    show(IDC_DTM_DE, shown.MaxEasting - shown.MinEasting);
    show(IDC_DTM_MIN_NNG, shown.MinNorthing);
    show(IDC_DTM_MAX_NNG, shown.MaxNorthing);
    show(IDC_DTM_DN, shown.MaxNorthing - shown.MinNorthing);
    show(IDC_DTM_STEP_E, shown.CellSize);
    show(IDC_DTM_STEP_N, shown.CellSize);
    CString count;
    count.Format("%d", shown.Columns);
    SetDlgItemText(IDC_DTM_MAX_X, count);
    count.Format("%d", shown.Rows);
    SetDlgItemText(IDC_DTM_MAX_Y, count);
    showDepth(IDC_DTM_MIN_DEPTH, shown.MinDepth);
    showDepth(IDC_DTM_MAX_DEPTH, shown.MaxDepth);
}
