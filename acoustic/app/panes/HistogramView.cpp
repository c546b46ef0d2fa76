#include "acoustic/app/panes/HistogramView.h"

#include "acoustic/engine/GraphAxis.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"

IMPLEMENT_DYNAMIC(CHistogramView, CView)

BEGIN_MESSAGE_MAP(CHistogramView, CView)
ON_WM_ERASEBKGND()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CHistogramView::CHistogramView() = default;

BOOL CHistogramView::Create(CWnd* pParent)
{
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr, nullptr);
    const BOOL created =
        CWnd::Create(windowClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 700, 1200), pParent, 1);

    m_Graph.graphBackground = 0xFFFFFF;
    m_Graph.plotBackground = 0xFFFFFF;
    m_Graph.mode = GRAPH_BARS;
    m_pXAxis = new CGraphAxis;
    m_pXAxis->min = 0.0;
    m_pXAxis->max = 1.0;
    m_pXAxis->title = "Range C-O";
    m_pXAxis->attached = 1;
    m_pXAxis->position = 1; // below the plot, so the bars stand on it
    m_Graph.horizontalAxes.AddTail(m_pXAxis);
    m_pYAxis = new CGraphAxis;
    m_pYAxis->vertical = 1;
    m_pYAxis->min = 0.0;
    m_pYAxis->max = 1.0;
    m_pYAxis->title = "Observations";
    m_pYAxis->attached = 1;
    m_Graph.verticalAxes.AddTail(m_pYAxis);
    // The Y title reads a quarter turn clockwise.
    LOGFONT lf = CGraphLabelFormat::defaultLabelFont;
    if (CFont* current = m_pYAxis->format.GetFont(0))
        current->GetLogFont(&lf);
    lf.lfEscapement = -900;
    m_pYAxis->titleAngle = 0;
    auto* turned = new CFont;
    if (turned->CreateFontIndirect(&lf) && m_pYAxis->format.SetFont(0, turned))
        turned = nullptr;
    delete turned;

    if (CGraphSeries* series = m_Graph.AddSeries(&m_Points))
    {
        series->name = "C-O";
        series->horizontalAxis = m_pXAxis;
        series->verticalAxis = m_pYAxis;
        series->colour = 0xFFFF00;
        series->linePen.colour = 0xFFFF00;
    }
    return created;
}

void CHistogramView::XSteps(double selector, double* minor, double* major)
{
    // Bins widened past 10 (residuals spread wide) keep one tick per bin: steps of 10 over
    // such a span would ask for millions of ticks.
    *minor = *major = selector < 1.0 ? 1.0 : (selector > 10.0 ? selector : 10.0);
}

void CHistogramView::YSteps(double yMaximum, double* minor, double* major)
{
    if (yMaximum <= 10.0)
    {
        *minor = 1.0;
        *major = 1.0;
    }
    else if (yMaximum <= 100.0)
    {
        *minor = 1.0;
        *major = 10.0;
    }
    else
    {
        *minor = 10.0;
        *major = 50.0;
    }
}

void CHistogramView::OnDraw(CDC* pDC)
{
    if (!m_pXAxis || !m_pYAxis)
        return;
    m_pXAxis->min = m_XMinimum;
    m_pXAxis->max = m_XMaximum;
    XSteps(m_XStep, &m_pXAxis->minorStep, &m_pXAxis->majorStep);
    m_pYAxis->min = 0.0;
    m_pYAxis->max = m_YMaximum;
    YSteps(m_YMaximum, &m_pYAxis->minorStep, &m_pYAxis->majorStep);
    CRect client;
    GetClientRect(&client);
    m_Graph.Draw(pDC, client);
}

BOOL CHistogramView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

int CHistogramView::OnMouseActivate(CWnd*, UINT, UINT)
{
    return 1;
}
