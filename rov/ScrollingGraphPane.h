// CScrollingGraphPane: the docking pane that hosts one scrolling graph and hands it the host's
// values. Panes that show a sensor as a strip chart (bathy unit, pipe tracker) derive from it
// and preset the graph's modes through GetGraph().
#pragma once

#include "foundation/MyDockablePane.h"
#include "rov/RovApi.h"

class CScrollingAreaGraph;

class ROV_API CScrollingGraphPane : public CMyDockablePane
{
public:
    CScrollingGraphPane();
    ~CScrollingGraphPane() override;

    // The pane, docked by the owner's frame, with its graph named `name` (its caption and its
    // settings file). 1 when made, else 0.
    int Create(CWnd* pOwner, const char* name, int nID);

    // The graph fills the client area.
    virtual void AdjustLayout();

    // One sample pair (names as the traces are called; values in metres, SCROLLING_GRAPH_NO_VALUE
    // for a missing measurement). Ignored until the graph exists.
    void Update(const char* name1, double value1, const char* name2, double value2);
    // The graph's colours for day or night; they show with its next sample.
    void SetDaylightMode();
    void SetNightMode(bool bNight);
    // Recorded only: the graph shows the sensor's last samples as they were.
    void SetTimeout(bool bTimeout);
    bool IsTimedOut() const { return m_bTimeout; }

    // Null until the pane is created.
    CScrollingAreaGraph* GetGraph() const { return m_pGraph; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // A child window that deletes itself when its window goes.
    CScrollingAreaGraph* m_pGraph = nullptr;
    bool m_bTimeout = false;
};
