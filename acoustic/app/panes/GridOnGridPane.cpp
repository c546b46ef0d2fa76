#include "acoustic/app/panes/GridOnGridPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CGridOnGridPane, CDockablePane)

BOOL CGridOnGridPane::Create(CWnd* pFrame, CGridOnGrid* pGridOnGrid)
{
    m_pGridOnGrid = pGridOnGrid;
    return CreateFramePane(*this, pFrame, "Grid On Grid Pane", IDS_ACOUSTIC_GRID_ON_GRID);
}
