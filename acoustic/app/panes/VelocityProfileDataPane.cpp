#include "acoustic/app/panes/VelocityProfileDataPane.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"

IMPLEMENT_DYNAMIC(CVelocityProfileDataPane, CDockablePane)

BOOL CVelocityProfileDataPane::Create(CWnd* pFrame, CSpeedOfSoundInWater* pSoundSpeed)
{
    m_pSoundSpeed = pSoundSpeed;
    return CreateFramePane(*this, pFrame, "Velocity Profile Pane", ID_ACOUSTIC_VELOCITY_DATA);
}
