// CGridOnGridPane: the list of the imported grid-on-grid point pairs.
#pragma once

#include "platform/ui/DockablePane.h"

class CGridOnGrid;

class CGridOnGridPane : public CDockablePane
{
    DECLARE_DYNAMIC(CGridOnGridPane)
public:
    // A pane of the frame showing the grid-on-grid object
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CGridOnGrid* pGridOnGrid);
    using CDockablePane::Create;

    CGridOnGrid* m_pGridOnGrid = nullptr;
};
