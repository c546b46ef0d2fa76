#include "acoustic/app/panes/BoxinHistogramPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/BoxinHistogramBins.h"
#include "acoustic/app/panes/FramePane.h"
#include "acoustic/engine/Boxin.h"

#include <vector>

IMPLEMENT_DYNAMIC(CBoxinHistogramPane, CDockablePane)

BEGIN_MESSAGE_MAP(CBoxinHistogramPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CBoxinHistogramPane::Create(CWnd* pFrame, CBoxin* pBoxin)
{
    m_pBoxin = pBoxin;
    return CreateFramePane(*this, pFrame, "Boxin Histogram Pane", ID_ACOUSTIC_BOXIN_HISTOGRAM);
}

int CBoxinHistogramPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_View.Create(this);
    return 0;
}

void CBoxinHistogramPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_View.GetSafeHwnd())
    {
        m_View.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
        m_View.Invalidate();
    }
}

void CBoxinHistogramPane::UpdateHistogram()
{
    if (!m_pBoxin)
        return;
    std::vector<double> residuals;
    residuals.reserve(static_cast<size_t>(m_pBoxin->GetSize()));
    for (INT_PTR i = 0; i < m_pBoxin->GetSize(); ++i)
        residuals.push_back((*m_pBoxin)[i].RangeError);
    BOXIN_HISTOGRAM bins = BinResiduals(m_pBoxin->m_MinResidual, m_pBoxin->m_MaxResidual, residuals);
    m_View.m_XMinimum = bins.xMin;
    m_View.m_XMaximum = bins.xMax;
    m_View.m_YMaximum = bins.yMax;
    m_View.m_XStep = bins.width;
    m_View.m_Points.Copy(bins.points);
    if (m_View.GetSafeHwnd())
        m_View.Invalidate();
}
