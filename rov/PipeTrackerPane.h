// CPipeTrackerPane: a pipe tracker's view of the pipe below the ROV as a depth-of-burial strip
// chart: the seabed as a filled area under the tracker, the pipe as a line below it (above it
// when the pipe lies exposed), fed from the host's pipe tracker record.
#pragma once

#include "rov/RovApi.h"
#include "rov/ScrollingGraphPane.h"

class CTssPipeTracker;

class ROV_API CPipeTrackerPane : public CScrollingGraphPane
{
public:
    CPipeTrackerPane();
    ~CPipeTrackerPane() override;

    // The pane with its graph named `name`, fed from `pTracker`. 1 when made, else 0.
    int Create(CWnd* pOwner, const char* name, int nID, CTssPipeTracker* pTracker);

    // One sample pair: the altitude (distance to the pipe less its burial, metres) and the
    // depth of burial. Ignored without a record.
    void Update();
    using CScrollingGraphPane::Update;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    CTssPipeTracker* m_pTracker = nullptr;
};
