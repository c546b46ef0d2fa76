#include "platform/ui/TabCtrl.h"

#include "platform/core/RegisteredMessage.h"
#include "platform/core/SysColor.h"
#include "platform/ui/Dc.h"
#include "platform/ui/WindowDc.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/WinAppEx.h"

#include <algorithm>

const UINT AFX_WM_CHANGE_ACTIVE_TAB = RegisterWindowMessageA("AFX_WM_CHANGE_ACTIVE_TAB");

namespace
{
// Pale colours that tell neighbouring tabs apart.
const COLORREF kAutoColours[] = {0xE0C8A0, 0xA0E0C8, 0xC8A0E0, 0xA0C8E0, 0xE0A0C8, 0xC8E0A0, 0xB8B8E8};
constexpr int kTextMargin = 10;

CFont* GuiFont()
{
    return CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}
} // namespace

IMPLEMENT_DYNAMIC(CMFCTabCtrl, CWnd)

BEGIN_MESSAGE_MAP(CMFCTabCtrl, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_SIZE()
END_MESSAGE_MAP()

CMFCTabCtrl::CMFCTabCtrl() = default;

CMFCTabCtrl::~CMFCTabCtrl() = default;

BOOL CMFCTabCtrl::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location, BOOL)
{
    m_Style = style;
    m_Location = location;
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect,
                        pParentWnd, nID);
}

void CMFCTabCtrl::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT, BOOL)
{
    if (!pTabWnd || !pTabWnd->GetSafeHwnd())
        return;
    if (pTabWnd->GetParent() != this)
        pTabWnd->SetParent(this);
    m_Tabs.Add(TAB{pTabWnd, lpszTabLabel ? lpszTabLabel : ""});
    if (m_nActiveTab < 0)
    {
        m_nActiveTab = 0;
        PlaceActiveWindow();
        pTabWnd->ShowWindow(SW_SHOW);
    }
    else
        pTabWnd->ShowWindow(SW_HIDE);
    Invalidate();
}

CWnd* CMFCTabCtrl::GetActiveWnd() const
{
    return GetTabWnd(m_nActiveTab);
}

CWnd* CMFCTabCtrl::GetTabWnd(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_Tabs[iTab].pWnd : nullptr;
}

BOOL CMFCTabCtrl::GetTabLabel(int iTab, CString& strLabel) const
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    strLabel = m_Tabs[iTab].label;
    return TRUE;
}

BOOL CMFCTabCtrl::SetActiveTab(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    if (iTab != m_nActiveTab)
    {
        if (CWnd* old = GetActiveWnd())
            old->ShowWindow(SW_HIDE);
        m_nActiveTab = iTab;
        PlaceActiveWindow();
        m_Tabs[iTab].pWnd->ShowWindow(SW_SHOW);
        Invalidate();
    }
    if (CWnd* parent = GetParent())
        parent->SendMessage(AFX_WM_CHANGE_ACTIVE_TAB, static_cast<WPARAM>(iTab), 0);
    return TRUE;
}

int CMFCTabCtrl::GetTabsHeight() const
{
    // A memory context measures as the screen does, and also while the control paints, when
    // a second context on the window could not be opened.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(GuiFont());
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(old);
    return tm.tmHeight + 8;
}

int CMFCTabCtrl::TabWidth(CDC& dc, int iTab) const
{
    return dc.GetTextExtent(m_Tabs[iTab].label).cx + 2 * kTextMargin;
}

BOOL CMFCTabCtrl::GetTabRect(int iTab, CRect& rect) const
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(GuiFont());
    CRect client;
    GetClientRect(&client);
    const int height = GetTabsHeight();
    const int top = m_Location == LOCATION_TOP ? 0 : client.bottom - height;
    int left = 0;
    for (int i = 0; i < iTab; ++i)
        left += TabWidth(dc, i);
    rect = CRect(left, top, left + TabWidth(dc, iTab), top + height);
    dc.SelectObject(old);
    return TRUE;
}

CRect CMFCTabCtrl::GetWindowArea() const
{
    CRect area;
    GetClientRect(&area);
    if (m_Location == LOCATION_TOP)
        area.top = std::min(area.bottom, area.top + GetTabsHeight());
    else
        area.bottom = std::max(area.top, area.bottom - GetTabsHeight());
    return area;
}

void CMFCTabCtrl::PlaceActiveWindow()
{
    CWnd* active = GetActiveWnd();
    if (!active || !GetSafeHwnd())
        return;
    const CRect area = GetWindowArea();
    active->SetWindowPos(nullptr, area.left, area.top, area.Width(), area.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMFCTabCtrl::EnableAutoColor(BOOL bEnable)
{
    m_bAutoColor = bEnable;
    if (GetSafeHwnd())
        Invalidate();
}

COLORREF CMFCTabCtrl::GetAutoColour(int iTab)
{
    const int n = static_cast<int>(sizeof kAutoColours / sizeof kAutoColours[0]);
    return kAutoColours[((iTab % n) + n) % n];
}

void CMFCTabCtrl::SetActiveTabBoldFont(BOOL bIsBold)
{
    m_bActiveTabBold = bIsBold;
    if (GetSafeHwnd())
        Invalidate();
}

BOOL CMFCTabCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CMFCTabCtrl::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    PlaceActiveWindow();
}

void CMFCTabCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    COLORREF dark, black, highlight, face, darkShadow, light;
    CBrush* faceBrush = nullptr;
    CBrush* blackBrush = nullptr;
    CMFCVisualManager::GetInstance()->GetTabFrameColors(this, dark, black, highlight, face, darkShadow, light,
                                                        faceBrush, blackBrush);
    const int height = GetTabsHeight();
    const CRect strip(0, m_Location == LOCATION_TOP ? 0 : client.bottom - height, client.right,
                      m_Location == LOCATION_TOP ? height : client.bottom);
    dc.FillSolidRect(&strip, face);
    if (GetTabsNum() == 0)
        dc.FillSolidRect(&client, face);

    if (m_bActiveTabBold && !m_BoldFont.GetSafeHandle())
    {
        LOGFONT lf{};
        GuiFont()->GetLogFont(&lf);
        lf.lfWeight = FW_BOLD;
        m_BoldFont.CreateFontIndirect(&lf);
    }
    CPen edge(PS_SOLID, 1, dark);
    CPen* oldPen = dc.SelectObject(&edge);
    CFont* oldFont = dc.SelectObject(GuiFont());
    dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetTabsNum(); ++i)
    {
        CRect tab;
        GetTabRect(i, tab);
        const bool active = i == m_nActiveTab;
        const COLORREF fill = m_bAutoColor ? GetAutoColour(i) : (active ? highlight : face);
        dc.FillSolidRect(&tab, fill);
        dc.MoveTo(tab.left, tab.bottom - 1);
        dc.LineTo(tab.left, tab.top);
        dc.LineTo(tab.right - 1, tab.top);
        dc.LineTo(tab.right - 1, tab.bottom);
        dc.SelectObject(active && m_bActiveTabBold ? &m_BoldFont : GuiFont());
        dc.SetTextColor(black);
        CRect text = tab;
        dc.DrawText(m_Tabs[i].label, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectObject(oldFont);
    dc.SelectObject(oldPen);
}

void CMFCTabCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    for (int i = 0; i < GetTabsNum(); ++i)
    {
        CRect tab;
        if (GetTabRect(i, tab) && tab.PtInRect(point))
        {
            SetActiveTab(i);
            return;
        }
    }
    CWnd::OnLButtonDown(nFlags, point);
}
