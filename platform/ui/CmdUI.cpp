#include "platform/ui/CmdUI.h"

#include "platform/ui/Menu.h"

CMenuCmdUI::CMenuCmdUI(CMenu* pMenu, UINT nIndex) : m_pMenu(pMenu)
{
    m_nIndex = nIndex;
}

void CMenuCmdUI::Enable(BOOL bOn)
{
    CCmdUI::Enable(bOn);
    if (m_pMenu)
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::SetCheck(int nCheck)
{
    CCmdUI::SetCheck(nCheck);
    if (m_pMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetRadio(BOOL bOn)
{
    CCmdUI::SetRadio(bOn);
    if (m_pMenu)
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetText(LPCTSTR lpszText)
{
    CCmdUI::SetText(lpszText);
    if (!m_pMenu)
        return;
    const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    if (state == static_cast<UINT>(-1))
        return;
    m_pMenu->ModifyMenu(m_nIndex,
                        MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)), m_nID,
                        lpszText);
}
