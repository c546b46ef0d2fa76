// CBoxinParameterPane: the Boxin calculation's parameters and results.
#pragma once

#include "platform/ui/DockablePane.h"

class CBoxin;

class CBoxinParameterPane : public CDockablePane
{
    DECLARE_DYNAMIC(CBoxinParameterPane)
public:
    // A pane of the frame; the Boxin object is handed over afterwards (SetData).
    BOOL Create(CWnd* pFrame);
    void SetData(CBoxin* pBoxin) { m_pBoxin = pBoxin; }
    using CDockablePane::Create;

    CBoxin* m_pBoxin = nullptr;
};
