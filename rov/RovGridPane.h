// CRovGridPane: the base of the ROV panes that show their sensor in a property grid filling the
// pane. It holds the grid and its font and gives every such pane the same day and night,
// time-out and look setters: normal scheme 1, scheme 5 while the sensor is silent.
//
// A pane keeps the host's record pointer from its Create and reads it only in its update and
// while painting; it takes the record the host gives (an index beyond the host's array is the
// host's error) and ignores updates while the pointer is null.
#pragma once

#include "foundation/PropertyGridPane.h"
#include "rov/RovApi.h"

class ROV_API CRovGridPane : public CPropertyGridPane
{
public:
    // The grid's colour schemes: while the sensor reports, and while it is silent.
    static constexpr int NORMAL_SCHEME = 1;
    static constexpr int TIMEOUT_SCHEME = 5;

    CRovGridPane() : CPropertyGridPane(kGridId) {}

    // Night off, or the night flag as given; the grid's current scheme applied again.
    void SetDaylightMode();
    void SetNightMode(bool bNight);
    bool GetNightMode() const;

    // The VS.NET look and group names across the whole width, both on or off.
    void SetVSDotNetLook(int bSet);
    // The sensor fell silent (true) or reports again: the grid switches to the time-out scheme
    // or back, once per change; a repeated call changes nothing.
    void SetTimeout(bool bTimeout);
    bool IsTimedOut() const { return m_bTimeout; }

    // The grid's font: the GUI font in the face and weight of the system's message font.
    void SetPropListFont() override;

protected:
    // The grid emptied and set up for a rebuild: font, no header ("Property", "Value"),
    // description area and VS.NET look on, modified values marked, the normal scheme.
    void ClearPropList();

    bool m_bTimeout = false;

private:
    // The grid's control id inside the pane.
    static constexpr UINT kGridId = 2;
};
