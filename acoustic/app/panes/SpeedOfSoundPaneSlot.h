// The place of the ROV library's speed-of-sound pane in the frame. Until that pane is part of
// the build, a stand-in that never creates a window keeps the frame's member order and
// creation steps whole; the frame then goes on without the pane, as for any pane that cannot
// be made.
#pragma once

#if __has_include("rov/SpeedOfSoundInWaterPane.h")
#include "rov/SpeedOfSoundInWaterPane.h"
#define ACOUSTIC_HAS_SPEED_OF_SOUND_PANE 1
#else
#include "platform/ui/DockablePane.h"
#define ACOUSTIC_HAS_SPEED_OF_SOUND_PANE 0

class CSpeedOfSoundInWaterPane : public CDockablePane
{
public:
    BOOL Create(CWnd*, int) { return FALSE; }
    using CDockablePane::Create;
};
#endif
