#include "platform/ui/PropertySheet.h"

#include "platform/ui/Resources.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CDialog)

namespace
{
// Dialog units: the margin round the pages and buttons, the standard button's size and gap.
constexpr int kMargin = 7;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 4;
// Room for the tab strip above the pages (the sheet grows to the strip's real height).
constexpr int kTabsHeight = 14;

// One sheet is shown at a time: the template is sized for the sheet about to be made. Its
// buttons sit right-aligned below the pages, in the order of the framework's sheets.
DLGITEM_TABLE gSheetItems[] = {
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 0, 0, kButtonWidth, kButtonHeight},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 0, 0, kButtonWidth, kButtonHeight},
    {DLGI_PUSHBUTTON, ID_APPLY_NOW, "&Apply", 0, 0, kButtonWidth, kButtonHeight, WS_DISABLED},
    {DLGI_PUSHBUTTON, IDHELP, "Help", 0, 0, kButtonWidth, kButtonHeight},
};
DLGTEMPLATE_TABLE gSheetTemplate = {CPropertySheet::kTemplateID,
                                    "",
                                    "MS Shell Dlg",
                                    8,
                                    0,
                                    0,
                                    200,
                                    100,
                                    DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    0,
                                    gSheetItems,
                                    AFX_DLGITEM_COUNT(gSheetItems)};
} // namespace

// ---------------------------------------------------------------------------------------
// CPropertyPage
// ---------------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate, nullptr)
{
    if (nIDCaption != 0)
        AfxLoadString(nIDCaption, m_strCaption);
}

CString CPropertyPage::GetCaption() const
{
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    const DLGTEMPLATE_TABLE* t = AfxFindDialogTemplate(m_nIDTemplate);
    return (t && t->caption) ? CString(t->caption) : CString();
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

// A page's own OK and Cancel do not end the page: the sheet ends.
void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

// ---------------------------------------------------------------------------------------
// CPropertySheet
// ---------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CDialog)
ON_REGISTERED_MESSAGE(AFX_WM_CHANGE_ACTIVE_TAB, &CPropertySheet::OnChangeActiveTab)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet(const char* pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CDialog(kTemplateID, pParentWnd), m_strCaption(pszCaption ? pszCaption : ""),
      m_nStartPage(static_cast<int>(iSelectPage))
{
}

CPropertySheet::~CPropertySheet()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage)
        return;
    pPage->m_pSheet = this;
    m_Pages.Add(pPage);
    if (GetSafeHwnd() && m_Tabs.GetSafeHwnd() && pPage->Create(pPage->GetTemplateID(), &m_Tabs))
        m_Tabs.AddTab(pPage, pPage->GetCaption());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return (nPage >= 0 && nPage < GetPageCount()) ? m_Pages[nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_Pages[i] == pPage)
            return i;
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    return m_nShownPage >= 0 ? m_nShownPage : m_nStartPage;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_Tabs.GetSafeHwnd())
    {
        m_nStartPage = nPage;
        return TRUE;
    }
    m_Tabs.SetActiveTab(nPage);
    return m_nShownPage == nPage;
}

LRESULT CPropertySheet::OnChangeActiveTab(WPARAM wParam, LPARAM)
{
    const int nPage = static_cast<int>(wParam);
    if (m_bSwitching || nPage == m_nShownPage)
        return 0;
    m_bSwitching = true;
    CPropertyPage* pOld = GetPage(m_nShownPage);
    if (pOld && !pOld->OnKillActive())
    {
        // The page keeps the sheet where it is.
        m_Tabs.SetActiveTab(m_nShownPage);
        m_bSwitching = false;
        return 0;
    }
    m_nShownPage = nPage;
    if (CPropertyPage* pNew = GetPage(nPage))
        pNew->OnSetActive();
    m_bSwitching = false;
    return 0;
}

void CPropertySheet::PrepareTemplate()
{
    int cx = 212;
    int cy = 100;
    for (int i = 0; i < GetPageCount(); ++i)
        if (const DLGTEMPLATE_TABLE* t = AfxFindDialogTemplate(m_Pages[i]->GetTemplateID()))
        {
            cx = std::max(cx, t->cx);
            cy = std::max(cy, t->cy);
        }
    const int width = cx + 2 * kMargin;
    const int buttonsTop = kMargin + kTabsHeight + cy + kMargin;
    int x = width - kMargin - kButtonWidth;
    for (int i = AFX_DLGITEM_COUNT(gSheetItems) - 1; i >= 0; --i)
    {
        gSheetItems[i].x = x;
        gSheetItems[i].y = buttonsTop;
        x -= kButtonWidth + kButtonGap;
    }
    gSheetTemplate.cx = width;
    gSheetTemplate.cy = buttonsTop + kButtonHeight + kMargin;
    gSheetTemplate.caption = m_strCaption.GetString();
    AfxRegisterDialogTemplate(&gSheetTemplate);
}

INT_PTR CPropertySheet::DoModal()
{
    PrepareTemplate();
    m_nShownPage = -1;
    const INT_PTR result = CDialog::DoModal();
    m_nShownPage = -1;
    return result;
}

BOOL CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_strCaption);
    // The tab strip's height is known in pixels only: the sheet grows to fit the largest page
    // below it, and the buttons keep their place at the bottom.
    CSize page(0, 0);
    for (int i = 0; i < GetPageCount(); ++i)
        if (const DLGTEMPLATE_TABLE* t = AfxFindDialogTemplate(m_Pages[i]->GetTemplateID()))
        {
            CRect r(0, 0, t->cx, t->cy);
            MapDialogRect(&r);
            page.cx = std::max(page.cx, r.Width());
            page.cy = std::max(page.cy, r.Height());
        }
    CRect units(kMargin, kButtonHeight, 0, 0);
    MapDialogRect(&units);
    const int margin = units.left;
    const int buttonHeight = units.top;
    // The tabs are made first: the sheet is as wide as the largest page or the tab strip.
    m_Tabs.Create(CMFCTabCtrl::STYLE_3D, CRect(margin, margin, margin + page.cx, margin + page.cy), this,
                  AFX_IDC_TAB_CONTROL, CMFCTabCtrl::LOCATION_TOP, FALSE);
    const int start = m_nStartPage;
    for (int i = 0; i < GetPageCount(); ++i)
    {
        CPropertyPage* p = m_Pages[i];
        if (p->Create(p->GetTemplateID(), &m_Tabs))
            m_Tabs.AddTab(p, p->GetCaption());
    }
    int tabsWidth = 0;
    CRect lastTab;
    if (m_Tabs.GetTabsNum() > 0 && m_Tabs.GetTabRect(m_Tabs.GetTabsNum() - 1, lastTab))
        tabsWidth = lastTab.right + 2;

    CRect client;
    GetClientRect(&client);
    const int width = std::max({client.Width(), page.cx + 2 * margin, tabsWidth + 2 * margin});
    const int height = margin + m_Tabs.GetTabsHeight() + page.cy + margin + buttonHeight + margin;
    const int grow = width - client.Width();
    if (height != client.Height() || grow != 0)
    {
        CRect window;
        GetWindowRect(&window);
        SetWindowPos(nullptr, 0, 0, window.Width() + grow, window.Height() + height - client.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        GetClientRect(&client);
        CenterWindow();
    }
    // The buttons keep to the bottom right corner.
    for (const DLGITEM_TABLE& item : gSheetItems)
        if (CWnd* button = GetDlgItem(item.id))
        {
            CRect r;
            button->GetWindowRect(&r);
            ScreenToClient(&r);
            button->SetWindowPos(nullptr, r.left + grow, client.bottom - margin - buttonHeight, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    m_Tabs.SetWindowPos(nullptr, margin, margin, client.Width() - 2 * margin,
                        client.Height() - 3 * margin - buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    // The first tab is active as soon as it is added; it becomes shown here, in order.
    m_nShownPage = -1;
    if (m_Tabs.GetTabsNum() > 0)
    {
        OnChangeActiveTab(0, 0);
        if (start > 0 && start < m_Tabs.GetTabsNum())
            m_Tabs.SetActiveTab(start);
    }
    return TRUE;
}

void CPropertySheet::OnOK()
{
    CPropertyPage* page = GetPage(m_nShownPage);
    if (page && !page->OnKillActive())
        return;
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_Pages[i]->GetSafeHwnd())
            m_Pages[i]->CPropertyPage::OnOK();
    EndDialog(IDOK);
}

void CPropertySheet::OnCancel()
{
    EndDialog(IDCANCEL);
}
