#include "zuduzuro/ui/PropertyPane.h"

#include "foundation/GridLook.h"

#include "outside/notifex/Notifex.h"
#include "platform/core/WinApp.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

namespace
{
constexpr UINT kGridId = 2;
} // namespace

IMPLEMENT_DYNAMIC(CPropertyPane, CDockablePane)

BEGIN_MESSAGE_MAP(CPropertyPane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CPropertyPane::OnSettingChange)
END_MESSAGE_MAP()

CPropertyPane::~CPropertyPane()
{
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

int CPropertyPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPropList.Create(WS_VISIBLE | WS_CHILD, CRect(0, 0, 0, 0), this, kGridId))
        return -1;
    SetPropListFont();
    InitPropList();
    AdjustLayout();
    return 0;
}

void CPropertyPane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CPropertyPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_wndPropList.SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPropertyPane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CPropertyPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CPropertyPane::SetPropListFont()
{
    MakeMessageFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fntPropList.GetSafeHandle()), 0);
}

void CPropertyPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CPropertyPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
}

void CPropertyPane::BeginPropList()
{
    m_wndPropList.RemoveAll();
    m_wndPropList.EnableHeaderCtrl(TRUE, "Property", "Value");
    m_wndPropList.EnableDescriptionArea(TRUE);
    m_wndPropList.SetVSDotNetLook(TRUE);
    SetColourScheme(&m_wndPropList, m_wndPropList.GetColourScheme());
    m_wndPropList.MarkModifiedProperties(TRUE);
}

CMFCPropertyGridProperty* CPropertyPane::Item(int group, int sub, int subSub, int subSubSub, int fifth) const
{
    CMFCPropertyGridProperty* prop = m_wndPropList.GetProperty(group);
    for (int index : {sub, subSub, subSubSub, fifth})
    {
        if (index < 0 || prop == nullptr)
            break;
        prop = prop->GetSubItem(index);
    }
    return prop;
}

void CPropertyPane::PostToOwner(UINT message) const
{
    CCmdTarget* target = m_pOwner != nullptr ? static_cast<CCmdTarget*>(m_pOwner) : AfxGetMainWnd();
    if (target != nullptr)
        ::PostMessage(target->GetSafeHwnd(), message, 0, 0);
}

void CPropertyPane::TellSaveFailure(bool saved, bool& told, const CString& what)
{
    if (saved || told)
        return;
    told = true;
    CString message;
    message.Format("%s could not be written.\nChanges are kept and saved again with the next change.",
                   static_cast<LPCSTR>(what));
    ErrorMessage(message, this);
}
