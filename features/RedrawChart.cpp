#include "features/RedrawChart.h"

#include "foundation/WindowMessages.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/WinApp.h"

namespace
{
// One per module, as receivers in this module expect; only the user-interface thread writes it.
tagXY g_ChartPoint = {0.0, 0.0};

void PostRedraw(CCmdTarget* target, WPARAM wParam)
{
    if (!target)
        target = AfxGetMainWnd();
    if (!target)
        return;
    ::PostMessage(target->GetSafeHwnd(), UM_REDRAW_CHART, wParam, 0);
    ::PostMessage(target->GetSafeHwnd(), UM_REDRAW_VECTOR_DISPLAY, wParam, 0);
}
} // namespace

void RedrawChart(CCmdTarget* target)
{
    PostRedraw(target, 0);
}

void MoveChartToPoint(CCmdTarget* target, tagXY position)
{
    g_ChartPoint = position;
    PostRedraw(target, reinterpret_cast<WPARAM>(&g_ChartPoint));
}

const tagXY* GetChartPoint()
{
    return &g_ChartPoint;
}
