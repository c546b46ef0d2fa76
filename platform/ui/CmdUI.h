// The user-interface items that update handlers (ON_UPDATE_COMMAND_UI) act on: a menu item,
// whose enabling, check mark and text go into its menu at once.
#pragma once

#include "platform/core/CmdTarget.h"

class CMenu;

class PLATFORM_API CMenuCmdUI : public CCmdUI
{
public:
    // The item at nIndex of pMenu; m_nID is set by the caller.
    CMenuCmdUI(CMenu* pMenu, UINT nIndex);

    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;

    CMenu* m_pMenu;
};
