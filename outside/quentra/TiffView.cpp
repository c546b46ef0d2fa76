#include "outside/quentra/TiffView.h"

#include "platform/core/SysColor.h"
#include "platform/ui/Dc.h"

IMPLEMENT_DYNCREATE(CTiffView, CView)

void CTiffView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
}
