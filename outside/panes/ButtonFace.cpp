#include "outside/panes/ButtonFace.h"

void DrawButtonFace(CDC* pDC, const CRect& rect, COLORREF face, const CString& strCaption)
{
    CRect r = rect;
    r.DeflateRect(1, 1);
    if (r.Width() <= 2 || r.Height() <= 2)
        return;
    pDC->FillSolidRect(&r, face);
    pDC->Draw3dRect(&r, 0xFFFFFF, 0x606060);
    // Dark faces take white captions; the weights are those of the usual luma.
    const int luma = (299 * GetRValue(face) + 587 * GetGValue(face) + 114 * GetBValue(face)) / 1000;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(luma < 110 ? 0xFFFFFF : 0x000000);
    pDC->DrawText(strCaption, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
