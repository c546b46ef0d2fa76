#include "acoustic/app/panes/ThermoclinePane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CThermoclinePane, CDockablePane)

BOOL CThermoclinePane::Create(CWnd* pFrame, CSpeedOfSoundInWater* pSoundSpeed)
{
    m_pSoundSpeed = pSoundSpeed;
    return CreateFramePane(*this, pFrame, "Velocity Profile Pane", ID_ACOUSTIC_VELOCITY_PROFILE);
}
