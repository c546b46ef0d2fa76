#include "survey/SurveyPane.h"

#include "foundation/GridLook.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

// The panes set their starting colours themselves rather than through the grid's scheme table,
// so that they look the same whichever grid library the host brings.
const COLORREF CSurveyPane::DAY_COLOURS[7] = {0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555};
const COLORREF CSurveyPane::NIGHT_COLOURS[7] = {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555};

BEGIN_MESSAGE_MAP(CSurveyPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CSurveyPane::OnSettingChange)
END_MESSAGE_MAP()

CSurveyPane::CSurveyPane(UINT gridId, LAYOUT layout) : m_GridId(gridId), m_Layout(layout) {}

CSurveyPane::~CSurveyPane()
{
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

int CSurveyPane::CreatePane(CWnd* pParent, int nID, const CString& strTitle, const std::function<void()>& storePointers)
{
    if (!CMyDockablePane::Create(pParent, nID, strTitle))
        return 0;
    storePointers();
    InitPropList();
    UpdateGpsPanes();
    AdjustLayout();
    return 1;
}

int CSurveyPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, m_GridId))
        return -1;
    return 0;
}

void CSurveyPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    if (m_Layout == LAYOUT_SIZE_AND_MOVE)
        m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                                   SWP_NOACTIVATE | SWP_NOZORDER);
    else
        m_wndPropList.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(),
                                   SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

void CSurveyPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CSurveyPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CSurveyPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CSurveyPane::SetPropListFont()
{
    CreateMessageFaceAndHeightPropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList, TRUE);
}

void CSurveyPane::BeginPropList()
{
    SetPropListFont();
    m_wndPropList.RemoveAll();
    m_wndPropList.EnableHeaderCtrl(FALSE, "Property", "Value");
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.SetVSDotNetLook(TRUE);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
    const COLORREF* c = m_wndPropList.GetNightMode() ? NIGHT_COLOURS : DAY_COLOURS;
    m_wndPropList.SetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    m_wndPropList.SetColourSchemeNumber(START_SCHEME);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.Invalidate();
}

void CSurveyPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CSurveyPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
}

void CSurveyPane::SetVSDotNetLook(int bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet != 0);
    m_wndPropList.SetGroupNameFullWidth(bSet != 0, TRUE);
}
