#include "rov/RovGridPane.h"

#include "foundation/GridLook.h"

void CRovGridPane::SetPropListFont()
{
    CreateMessageFacePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
}

void CRovGridPane::ClearPropList()
{
    m_wndPropList.RemoveAll();
    SetPropListFont();
    ApplyGreyGridScheme(m_wndPropList);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
}

void CRovGridPane::SetVSDotNetLook(int bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet != 0);
    m_wndPropList.SetGroupNameFullWidth(bSet != 0);
}

void CRovGridPane::SetTimeout(bool bTimeout)
{
    if (m_wndPropList.GetSafeHwnd() == nullptr || bTimeout == m_bTimeout)
        return;
    m_wndPropList.SetColourScheme(bTimeout ? TIMEOUT_SCHEME : NORMAL_SCHEME);
    m_bTimeout = bTimeout;
}

void CRovGridPane::SetDaylightMode()
{
    CPropertyGridPane::SetDaylightMode();
}

void CRovGridPane::SetNightMode(bool bNight)
{
    CPropertyGridPane::SetNightMode(bNight);
}

bool CRovGridPane::GetNightMode() const
{
    return CPropertyGridPane::GetNightMode();
}
