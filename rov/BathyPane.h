// CBathyPane: the "Bathy Data (Depth & Altitude)" pane: the ROV's altitude above the seabed and
// its depth, in metres, from the host's bathy unit, as two read-only rows of a property grid.
// A value the unit does not hold valid shows empty, so that a stale depth never looks current.
#pragma once

#include "rov/RovApi.h"
#include "rov/RovGridPane.h"

class CBathyUnit;
class CMFCPropertyGridDouble;

class ROV_API CBathyPane : public CRovGridPane
{
public:
    // How each value reads: seven characters and the unit ("  20.00m").
    static constexpr const char* VALUE_FORMAT = "%7.2lfm";

    CBathyPane();
    ~CBathyPane() override;

    // Titled "Bathy Data (Depth & Altitude)" (string 10002); on success keeps the host's unit
    // (which may be null: the rows then stay empty) and builds the grid. Non-zero when created.
    int Create(CWnd* pOwner, int nID, CBathyUnit* pUnit);
    using CMyDockablePane::Create;

    // The grid rebuilt: the group "Bathy" with "Altitude" and "Depth".
    void InitPropList();
    // Both rows shown afresh from the unit.
    void Update();

    // The rows, null before the grid is built.
    CMFCPropertyGridDouble* GetAltitudeItem() const;
    CMFCPropertyGridDouble* GetDepthItem() const;

private:
    CMFCPropertyGridDouble* Item(int index) const;

    CBathyUnit* m_pUnit = nullptr;
};
