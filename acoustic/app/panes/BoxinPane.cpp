#include "acoustic/app/panes/BoxinPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CBoxinPane, CDockablePane)

BOOL CBoxinPane::Create(CWnd* pFrame, CBoxin* pBoxin)
{
    m_pBoxin = pBoxin;
    return CreateFramePane(*this, pFrame, "Boxin Data Pane", ID_ACOUSTIC_BOXIN_DRAW);
}
