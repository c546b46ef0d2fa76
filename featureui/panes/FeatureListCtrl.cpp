#include "featureui/panes/FeatureListCtrl.h"

#include "foundation/WindowMessages.h"
#include "platform/ui/GdiObject.h"

IMPLEMENT_DYNAMIC(CFeatureListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CFeatureListCtrl, CListCtrl)
ON_WM_ERASEBKGND()
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CFeatureListCtrl::OnCustomDraw)
ON_NOTIFY_REFLECT(NM_CLICK, &CFeatureListCtrl::OnClick)
END_MESSAGE_MAP()

BOOL CFeatureListCtrl::CreateList(CWnd* pOwner, UINT nID)
{
    if (!Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 100, 100), pOwner, nID))
        return FALSE;
    m_pOwner = pOwner;
    SetupColours();
    return TRUE;
}

void CFeatureListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    SetupColours();
}

void CFeatureListCtrl::SetupColours()
{
    SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    ModifyStyle(0x0003, LVS_REPORT);
    m_bNight = false;
    SetBkColor(kDayBack);
    SetTextColor(kDayText);
    m_Header.Bind(GetSafeHwnd());
    m_Header.m_BackColour = m_HeaderBackColour;
    m_Header.m_TextColour = m_HeaderTextColour;
    Invalidate();
}

int CFeatureListCtrl::AddColumn(LPCTSTR lpszHeading)
{
    CHeaderCtrl* header = GetHeaderCtrl();
    const int index = header ? header->GetItemCount() : 0;
    const int at = InsertColumn(index, lpszHeading, LVCFMT_LEFT, GetStringWidth(lpszHeading) + 16);
    if (at >= 0 && header)
    {
        HDITEM hd{};
        hd.mask = HDI_FORMAT;
        header->GetItem(at, &hd);
        hd.fmt |= HDF_OWNERDRAW;
        header->SetItem(at, &hd);
    }
    return at;
}

void CFeatureListCtrl::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    SetBkColor(bNight ? kNightBack : kDayBack);
    SetTextColor(bNight ? kNightText : kDayText);
    Invalidate();
}

BOOL CFeatureListCtrl::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    CBrush brush(GetBackColour());
    pDC->FillRect(&rect, &brush);
    brush.DeleteObject();
    return FALSE;
}

void CFeatureListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (cd->nmcd.dwDrawStage)
    {
    case CDDS_PREPAINT: *pResult = CDRF_NOTIFYITEMDRAW; break;
    case CDDS_ITEMPREPAINT: *pResult = CDRF_NOTIFYSUBITEMDRAW; break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: cd->clrTextBk = GetBackColour(); break;
    default: break;
    }
}

void CFeatureListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* click = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    if (click->iItem != -1 && m_pOwner != nullptr)
        m_pOwner->PostMessage(UM_SELECT_FEATURE, 0, static_cast<LPARAM>(click->iItem));
    *pResult = 0;
}
