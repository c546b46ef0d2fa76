#include "featureui/loaders/DtmDepths.h"

#include "featureui/loaders/DtmResources.h"
#include "featureui/loaders/LoadDtmDlg.h"
#include "features/Dtm.h"
#include "features/LoadDtmThread.h"
#include "foundation/WindowMessages.h"

#include <cfloat>

namespace
{
UINT DtmDepthsTemplate()
{
    RegisterDtmTemplates();
    return IDD_DTM_DEPTHS;
}
} // namespace

IMPLEMENT_DYNAMIC(CDtmDepths, CProgressDialog)

BEGIN_MESSAGE_MAP(CDtmDepths, CProgressDialog)
ON_REGISTERED_MESSAGE(UM_DTM_THREAD, &CDtmDepths::OnEndThread)
END_MESSAGE_MAP()

CDtmDepths::CDtmDepths(CWnd* pParent) : CProgressDialog(DtmDepthsTemplate(), IDC_DTM_PROGRESS, pParent)
{
}

CDtmDepths::~CDtmDepths()
{
    StopWorker();
}

void CDtmDepths::DoDataExchange(CDataExchange* pDX)
{
    CProgressDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_Quit);
}

CString CDtmDepths::GetCaption()
{
    return DtmCaption(m_pDtm, "Making Depths Array fo %s", "Making Depths Array fo %s and %s");
}

CWinThread* CDtmDepths::StartWorker()
{
    CLoadDtmThread* worker = CreateDtmWorker(this, m_pDtm, 2, &m_BytesTotal, &m_BytesDone);
    if (worker)
    {
        worker->m_pEasting = &m_Easting;
        worker->m_pNorthing = &m_Northing;
        worker->m_pDepth = &m_Depth;
        worker->ResumeThread();
    }
    return worker;
}

void CDtmDepths::RequestStop()
{
    if (m_pWorker)
        static_cast<CLoadDtmThread*>(m_pWorker)->m_bStop = true;
}

void CDtmDepths::OnProgressTick()
{
    SetProgressPosition(m_BytesDone, m_BytesTotal);
    if (!m_pDtm)
        return;
    // The dialog's own look-ups: they keep nothing in the model, whose kept last column and row
    // belong to whoever else looks up depths meanwhile.
    CString text;
    const double easting = m_Easting;
    if (easting != 0.0)
    {
        text.Format("%d", m_pDtm->ColumnOf(easting));
        SetDlgItemText(IDC_DTM_X, text);
    }
    const double northing = m_Northing;
    if (northing != 0.0)
    {
        text.Format("%d", m_pDtm->RowOf(northing));
        SetDlgItemText(IDC_DTM_Y, text);
    }
    const double depth = m_Depth;
    if (depth == DBL_MAX)
        text = "n/a";
    else
        text.Format("%.2lf", depth);
    SetDlgItemText(IDC_DTM_DEPTH, text);
}
