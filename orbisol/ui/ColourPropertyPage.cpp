#include "orbisol/ui/ColourPropertyPage.h"

#include "orbisol/ui/ColourPropertySheet.h"
#include "platform/ui/Dc.h"

BEGIN_MESSAGE_MAP(CColourPropertyPage, CPropertyPage)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CColourPropertyPage::CColourPropertyPage(UINT nIDTemplate) : CPropertyPage(nIDTemplate)
{
    m_Brush.CreateSolidBrush(m_BackgroundColour);
}

HBRUSH CColourPropertyPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (HBRUSH brush = OrbisolCtlColor(pDC, nCtlColor, m_Brush, m_BackgroundColour, m_TextColour))
        return brush;
    return CPropertyPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CColourPropertyPage::ShowSheetButtons(BOOL bShow)
{
    if (auto* sheet = dynamic_cast<CColourPropertySheet*>(GetSheet()))
        sheet->ShowOkCancel(bShow);
}

HBRUSH OrbisolCtlColor(CDC* pDC, UINT nCtlColor, CBrush& brush, COLORREF background, COLORREF text)
{
    if (nCtlColor != CTLCOLOR_DLG && nCtlColor != CTLCOLOR_STATIC && nCtlColor != CTLCOLOR_BTN)
        return nullptr;
    if (pDC)
    {
        pDC->SetTextColor(text);
        pDC->SetBkColor(background);
    }
    return static_cast<HBRUSH>(brush.GetSafeHandle());
}
