// CThermoclinePane: the graph of the imported velocity profile.
#pragma once

#include "platform/ui/DockablePane.h"

class CSpeedOfSoundInWater;

class CThermoclinePane : public CDockablePane
{
    DECLARE_DYNAMIC(CThermoclinePane)
public:
    // A pane of the frame showing the sound-speed object
    // (the frame owns it and outlives the pane).
    BOOL Create(CWnd* pFrame, CSpeedOfSoundInWater* pSoundSpeed);
    using CDockablePane::Create;

    CSpeedOfSoundInWater* m_pSoundSpeed = nullptr;
};
