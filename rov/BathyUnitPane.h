// CBathyUnitPane: the ROV's depth and altitude as an echo-sounder strip chart: the ROV's depth
// trace above the seabed's (depth + altitude), the band between them the altitude. Fed from the
// host's bathy unit, or from head 1 of its scanning profiler, whichever Create was given.
#pragma once

#include "rov/RovApi.h"
#include "rov/ScrollingGraphPane.h"

class CBathyUnit;
class CTritech;

class ROV_API CBathyUnitPane : public CScrollingGraphPane
{
public:
    CBathyUnitPane();
    ~CBathyUnitPane() override;

    // The pane with its graph named `name`, fed from the bathy unit or from the profiler's
    // head 1; the other record is cleared. 1 when made, else 0.
    int Create(CWnd* pOwner, const char* name, int nID, CBathyUnit* pUnit);
    int Create(CWnd* pOwner, const char* name, int nID, CTritech* pProfiler);

    // One sample pair from the record. A bathy unit's valid flags decide what is added: depth
    // and altitude, the depth alone, the altitude alone, or nothing; a profiler's head 1 is
    // taken as it stands. Nothing without a record.
    void Update();
    using CScrollingGraphPane::Update;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    CBathyUnit* m_pUnit = nullptr;
    CTritech* m_pProfiler = nullptr;
};
