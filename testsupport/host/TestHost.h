// CTestHost: the host navigation program as the ROV and Survey pane tests meet it: a frame
// that records the messages posted to it (CRecordingOwner), owns the host's records, creates
// panes docked in it and calls their update, time-out and day/night methods as a host does,
// letting the events that follow arrive after each call.
#pragma once

#include "survey/records/HostRecords.h"
#include "testsupport/EventPump.h"
#include "testsupport/RecordingOwner.h"

#include <utility>

class CTestHost : public CRecordingOwner
{
public:
    // The host's visible frame; FALSE when not made.
    BOOL CreateHost(int width = 800, int height = 600);

    // Creates `pane` (constructed by the test) with this frame as its owner and `args` after
    // it, as its own Create takes them, and shows it docked; FALSE when Create fails.
    template <class Pane, class... Args> BOOL Dock(Pane& pane, Args&&... args)
    {
        if (!pane.Create(this, std::forward<Args>(args)...))
            return FALSE;
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        return TRUE;
    }
    // The host decoded a measurement into the pane's record.
    template <class Pane, class... Args> void Update(Pane& pane, Args&&... args)
    {
        pane.Update(std::forward<Args>(args)...);
        Pump();
    }
    // The pane's sensor fell silent or reports again.
    template <class Pane, class... Args> void Timeout(Pane& pane, Args&&... args)
    {
        pane.SetTimeout(std::forward<Args>(args)...);
        Pump();
    }
    // The host's day/night switch.
    template <class Pane> void Day(Pane& pane)
    {
        pane.SetDaylightMode();
        Pump();
    }
    template <class Pane> void Night(Pane& pane)
    {
        pane.SetNightMode(true);
        Pump();
    }

    CHostRecords m_Records;
};
