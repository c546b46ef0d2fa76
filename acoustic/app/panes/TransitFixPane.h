// CTransitFixPane: the transit fix's points, legs and centre; it starts hidden until the user's layout shows
// it.
#pragma once

#include "foundation/MyDockablePane.h"

class CTransitFix;

class CTransitFixPane : public CMyDockablePane
{
    DECLARE_DYNAMIC(CTransitFixPane)
public:
    // A pane of the frame showing the transit fix
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CTransitFix* pTransitFix);
    using CMyDockablePane::Create;

    CTransitFix* m_pTransitFix = nullptr;
};
