#include "zuduzuro/ui/PropertyPane.h"

#include "foundation/GridLook.h"

#include "outside/notifex/Notifex.h"
#include "platform/core/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPane, CDockablePane)

BEGIN_MESSAGE_MAP(CPropertyPane, CPropertyGridPane)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CPropertyPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertyGridPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetPropListFont();
    InitPropList();
    AdjustLayout();
    return 0;
}

void CPropertyPane::SetPropListFont()
{
    MakeMessageFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fntPropList.GetSafeHandle()), 0);
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
