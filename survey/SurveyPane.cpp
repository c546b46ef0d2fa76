#include "survey/SurveyPane.h"

#include "foundation/GridLook.h"
#include "outside/panes/GroupProperty.h"

// The panes set their starting colours themselves rather than through the grid's scheme table,
// so that they look the same whichever grid library the host brings.
const COLORREF CSurveyPane::DAY_COLOURS[7] = {0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555};
const COLORREF CSurveyPane::NIGHT_COLOURS[7] = {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555};

IMPLEMENT_DYNAMIC(CSurveyPane, CDockablePane)

BEGIN_MESSAGE_MAP(CSurveyPane, CPropertyGridPane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CSurveyPane::OnSettingChange)
END_MESSAGE_MAP()

CSurveyPane::CSurveyPane(UINT gridId, LAYOUT layout) : CPropertyGridPane(gridId), m_Layout(layout) {}

int CSurveyPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CPropertyGridPane::OnCreate(lpCreateStruct);
}

void CSurveyPane::OnSize(UINT nType, int cx, int cy)
{
    CPropertyGridPane::OnSize(nType, cx, cy);
}

void CSurveyPane::OnSetFocus(CWnd* pOldWnd)
{
    CPropertyGridPane::OnSetFocus(pOldWnd);
}

LRESULT CSurveyPane::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    return CPropertyGridPane::OnSettingChange(wParam, lParam);
}

void CSurveyPane::SetDaylightMode()
{
    CPropertyGridPane::SetDaylightMode();
}

void CSurveyPane::SetNightMode(bool bNight)
{
    CPropertyGridPane::SetNightMode(bNight);
}

bool CSurveyPane::GetNightMode() const
{
    return CPropertyGridPane::GetNightMode();
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

void CSurveyPane::AdjustLayout()
{
    if (m_Layout == LAYOUT_SIZE_AND_MOVE)
    {
        CPropertyGridPane::AdjustLayout();
        return;
    }
    if (GetSafeHwnd() == nullptr || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_wndPropList.SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
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

void CSurveyPane::SetVSDotNetLook(int bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet != 0);
    m_wndPropList.SetGroupNameFullWidth(bSet != 0, TRUE);
}

void CSurveyPane::SetTimeout(int position)
{
    if (position == -1)
        return;
    if (auto* group = dynamic_cast<CMFCGroupPropertyGridProperty*>(m_wndPropList.GetProperty(position)))
        group->Timeout(true);
}

int AddExpandedGroup(CMyMFCPropertyGridCtrl& grid, CMFCPropertyGridProperty* pGroup)
{
    const int position = grid.GetPropertyCount();
    grid.AddProperty(pGroup);
    pGroup->Expand(TRUE);
    return position;
}
