// CTssPane: the "TSS Pipe/Cable Tracker" pane: the tracker's coil height and altitude, depth of
// burial and lateral offset of the pipe, its quality figure and one signal-strength bar per
// coil, as read-only rows of a property grid, fed from the host's tracker record.
#pragma once

#include "rov/RovApi.h"
#include "rov/RovGridPane.h"

class CTssPipeTracker;
class CMFCPropertyGridScrollbar;

class ROV_API CTssPane : public CRovGridPane
{
public:
    // The most bars the pane builds: a coil count beyond it (a corrupt record) is taken as this.
    static constexpr int MAX_BARS = 64;

    CTssPane();
    ~CTssPane() override;

    // Titled "TSS Pipe/Cable Tracker" (string 10000); on success keeps the host's tracker (null:
    // updates are ignored) and builds the grid. Non-zero when created.
    int Create(CWnd* pOwner, int nID, CTssPipeTracker* pTracker);
    using CMyDockablePane::Create;

    // The grid rebuilt: "Sensor" with its three rows, "Signal Strength" with a bar per coil.
    void InitPropList();
    // The values shown afresh; bars added or removed to the tracker's coil count.
    void Update();

    // The number of signal bars shown, 0 before the grid is built.
    int GetBarCount() const;
    // Bar `index` (from 0), null when there is none.
    CMFCPropertyGridScrollbar* GetBar(int index) const;

private:
    CMFCPropertyGridProperty* Group(int index) const;
    // The tracker's coil count within 0..MAX_BARS.
    int CoilCount() const;

    CTssPipeTracker* m_pTracker = nullptr;
};
