#include "acoustic/app/AcousticView.h"

#include "platform/ui/Dc.h"

IMPLEMENT_DYNCREATE(CAcousticView, CView)

void CAcousticView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(0xFF, 0xFF, 0xFF));
}
