#include "chart/frame/ChartexaFrame.h"

#include "platform/ui/View.h"

IMPLEMENT_DYNCREATE(CChartexaFrame, CMDIChildWndEx)

BEGIN_MESSAGE_MAP(CChartexaFrame, CMDIChildWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CChartexaFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CMDIChildWndEx::PreCreateWindow(cs) ? TRUE : FALSE;
}

void CChartexaFrame::OnUpdateFrameTitle(BOOL)
{
    CMDIChildWndEx::OnUpdateFrameTitle(FALSE);
}

int CChartexaFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CMDIChildWndEx::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

void CChartexaFrame::OnClose()
{
    // The chart's window stays for the host's life: closing it from its caption does nothing.
}

void CChartexaFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIChildWndEx::OnSize(nType, cx, cy);
    if (CView* view = GetActiveView())
    {
        if (CDC* dc = view->GetDC())
        {
            view->OnDraw(dc);
            view->ReleaseDC(dc);
        }
        view->Invalidate();
    }
}
