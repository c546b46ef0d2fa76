#include "foundation/MyHeaderCtrl.h"

#include "platform/ui/Dc.h"

void CMyHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct)
        return;
    char text[256] = {0};
    HDITEM item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(static_cast<int>(lpDrawItemStruct->itemID), &item);
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC)
        return;
    CRect rect(lpDrawItemStruct->rcItem);
    pDC->SelectStockObject(DEFAULT_GUI_FONT);
    pDC->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    const COLORREF oldBack = pDC->GetBkColor();
    const COLORREF oldText = pDC->GetTextColor();
    pDC->FillSolidRect(&rect, m_BackColour);
    pDC->SetBkColor(m_BackColour);
    pDC->SetTextColor(m_TextColour);
    pDC->DrawText(text, -1, &rect, DT_CENTER);
    pDC->SelectStockObject(SYSTEM_FONT);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
}
