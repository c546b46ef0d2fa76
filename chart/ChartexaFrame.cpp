#include "chart/ChartexaFrame.h"

#include "platform/ui/View.h"
#include "platform/ui/WindowDc.h"

IMPLEMENT_DYNCREATE(CChartexaFrame, CMDIChildWndEx)

BEGIN_MESSAGE_MAP(CChartexaFrame, CMDIChildWndEx)
ON_WM_CREATE()
ON_WM_MDIACTIVATE()
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

int CChartexaFrame::OnCreate(LPCREATESTRUCT createStruct)
{
    return CMDIChildWndEx::OnCreate(createStruct) == -1 ? -1 : 0;
}

void CChartexaFrame::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWndEx::OnMDIActivate(activate, activateWnd, deactivateWnd);
}

void CChartexaFrame::OnClose()
{
}

void CChartexaFrame::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWndEx::OnSize(type, cx, cy);
    CView* view = GetActiveView();
    if (!view || !view->GetSafeHwnd())
        return;
    CDC* dc = view->GetDC();
    if (dc)
    {
        view->OnDraw(dc);
        view->ReleaseDC(dc);
    }
    view->Invalidate();
}
