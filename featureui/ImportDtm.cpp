#include "featureui/ImportDtm.h"

#include "featureui/DtmResources.h"
#include "featureui/LoadDtmDlg.h"
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
    // The worker's copy: the model itself is the worker's until it ends.
    const DTM_EXTENTS_PROGRESS& found = m_Extents;
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
    const double minEasting = found.MinEasting, maxEasting = found.MaxEasting;
    const double minNorthing = found.MinNorthing, maxNorthing = found.MaxNorthing;
    show(IDC_DTM_MIN_ENG, minEasting);
    show(IDC_DTM_MAX_ENG, maxEasting);
    show(IDC_DTM_DE, maxEasting - minEasting);
    show(IDC_DTM_MIN_NNG, minNorthing);
    show(IDC_DTM_MAX_NNG, maxNorthing);
    show(IDC_DTM_DN, maxNorthing - minNorthing);
    show(IDC_DTM_STEP_E, found.CellSize);
    show(IDC_DTM_STEP_N, found.CellSize);
    CString count;
    count.Format("%d", static_cast<int>(found.Columns));
    SetDlgItemText(IDC_DTM_MAX_X, count);
    count.Format("%d", static_cast<int>(found.Rows));
    SetDlgItemText(IDC_DTM_MAX_Y, count);
    showDepth(IDC_DTM_MIN_DEPTH, found.MinDepth);
    showDepth(IDC_DTM_MAX_DEPTH, found.MaxDepth);
}
