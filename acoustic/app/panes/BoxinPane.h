// CBoxinPane: the list of the imported Boxin observations.
#pragma once

#include "acoustic/app/panes/BoxinListCtrl.h"
#include "platform/ui/DockablePane.h"

class CBoxin;

class CBoxinPane : public CDockablePane
{
    DECLARE_DYNAMIC(CBoxinPane)
public:
    // A pane of the frame showing the Boxin object
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CBoxin* pBoxin);
    using CDockablePane::Create;

    CBoxinListCtrl& GetList() { return m_List; }

    CBoxin* m_pBoxin = nullptr;
    CWnd* m_pFrame = nullptr; // told of a clicked row

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    DECLARE_MESSAGE_MAP()

    CBoxinListCtrl m_List;
};
