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
        worker->ResumeThread();
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
    // Read while the worker writes them: a value may be one update behind, which a display
    // refreshed every tick does not mind.
    const CDtm& dtm = *m_pDtm;
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
    show(IDC_DTM_MIN_ENG, dtm.m_MinEasting);
    show(IDC_DTM_MAX_ENG, dtm.m_MaxEasting);
    show(IDC_DTM_DE, dtm.m_MaxEasting - dtm.m_MinEasting);
    show(IDC_DTM_MIN_NNG, dtm.m_MinNorthing);
    show(IDC_DTM_MAX_NNG, dtm.m_MaxNorthing);
    show(IDC_DTM_DN, dtm.m_MaxNorthing - dtm.m_MinNorthing);
    show(IDC_DTM_STEP_E, dtm.m_Header.CellSize);
    show(IDC_DTM_STEP_N, dtm.m_Header.CellSize);
    CString count;
    count.Format("%d", dtm.m_Header.Columns);
    SetDlgItemText(IDC_DTM_MAX_X, count);
    count.Format("%d", dtm.m_Header.Rows);
    SetDlgItemText(IDC_DTM_MAX_Y, count);
    showDepth(IDC_DTM_MIN_DEPTH, dtm.m_MinDepth);
    showDepth(IDC_DTM_MAX_DEPTH, dtm.m_MaxDepth);
}
