// CMFCTabCtrl: the docking framework's tab control: a strip of tabs above (or below) the
// windows it holds, one window shown at a time. Tabs are drawn by the control itself in the
// visual manager's face colour, or each in its own colour with automatic colours; the active
// tab's label may be bold. A click on a tab makes it active and tells the parent with
// AFX_WM_CHANGE_ACTIVE_TAB (wParam: the new tab's index; sent, not posted).
#pragma once

#include "platform/core/Array.h"
#include "platform/ui/Font.h"
#include "platform/ui/Wnd.h"

PLATFORM_API extern const UINT AFX_WM_CHANGE_ACTIVE_TAB;

class PLATFORM_API CMFCTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CMFCTabCtrl)
public:
    enum Style
    {
        STYLE_3D = 0,
        STYLE_FLAT = 1,
        STYLE_FLAT_SHARED_HORZ_SCROLL = 2,
        STYLE_3D_SCROLLED = 3,
        STYLE_3D_ONENOTE = 4,
        STYLE_3D_VS2005 = 5,
        STYLE_3D_ROUNDED = 6,
        STYLE_3D_ROUNDED_SCROLL = 7
    };
    enum Location
    {
        LOCATION_BOTTOM = 0,
        LOCATION_TOP = 1
    };

    CMFCTabCtrl();
    ~CMFCTabCtrl() override;

    BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM,
                BOOL bCloseBtn = TRUE);

    // Makes pTabWnd a child of the control and adds its tab at the end; the first tab becomes
    // active. The image and detaching are accepted: tabs show no images and stay put.
    void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = static_cast<UINT>(-1),
                BOOL bDetachable = TRUE);
    int GetTabsNum() const { return static_cast<int>(m_Tabs.GetSize()); }
    // -1 when there are no tabs.
    int GetActiveTab() const { return m_nActiveTab; }
    CWnd* GetActiveWnd() const;
    // Shows the tab's window, hides the others and tells the parent. FALSE for a bad index.
    BOOL SetActiveTab(int iTab);
    CWnd* GetTabWnd(int iTab) const;
    BOOL GetTabLabel(int iTab, CString& strLabel) const;
    // The tab strip's rectangle of a tab, in client co-ordinates. FALSE for a bad index.
    BOOL GetTabRect(int iTab, CRect& rect) const;
    // The height of the tab strip (pixels).
    int GetTabsHeight() const;
    Style GetStyle() const { return m_Style; }
    Location GetLocation() const { return m_Location; }

    void EnableAutoColor(BOOL bEnable = TRUE);
    BOOL IsAutoColor() const { return m_bAutoColor; }
    // The automatic colour of a tab (its index modulo the colour table).
    static COLORREF GetAutoColour(int iTab);
    void SetActiveTabBoldFont(BOOL bIsBold = TRUE);
    BOOL IsActiveTabBoldFont() const { return m_bActiveTabBold; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct TAB
    {
        CWnd* pWnd;
        CString label;
    };
    // The area below (or above) the strip where the active window lies.
    CRect GetWindowArea() const;
    void PlaceActiveWindow();
    int TabWidth(CDC& dc, int iTab) const;

    CArray<TAB, const TAB&> m_Tabs;
    int m_nActiveTab = -1;
    Style m_Style = STYLE_3D;
    Location m_Location = LOCATION_BOTTOM;
    BOOL m_bAutoColor = FALSE;
    BOOL m_bActiveTabBold = FALSE;
    CFont m_BoldFont;
};
