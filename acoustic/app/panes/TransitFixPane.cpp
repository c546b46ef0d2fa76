#include "acoustic/app/panes/TransitFixPane.h"

#include "acoustic/app/AcousticResources.h"

IMPLEMENT_DYNAMIC(CTransitFixPane, CDockablePane)

BOOL CTransitFixPane::Create(CWnd* pFrame, CTransitFix* pTransitFix)
{
    m_pTransitFix = pTransitFix;
    return CMyDockablePane::Create(pFrame, IDS_ACOUSTIC_TRANSIT_FIX, "Transit Fix");
}
