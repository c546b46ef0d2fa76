#include "rov/PipeTrackerPane.h"

#include "rov/ScrollingAreaGraph.h"
#include "survey/records/TssPipeTracker.h"

BEGIN_MESSAGE_MAP(CPipeTrackerPane, CScrollingGraphPane)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CPipeTrackerPane::Create(CWnd* pOwner, const char* name, int nID, CTssPipeTracker* pTracker)
{
    if (!CScrollingGraphPane::Create(pOwner, name, nID))
        return 0;
    m_pTracker = pTracker;
    return 1;
}

int CPipeTrackerPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CScrollingGraphPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Always the burial picture, the tracker at the top of the axis; the graph's settings file
    // keeps only what the user may still choose (direction, values, span).
    CScrollingAreaGraph& graph = *m_pGraph;
    graph.m_bSingleTrace = true;
    graph.m_bEchoSounderMode = true;
    graph.m_bDepthOfBurialMode = true;
    graph.m_bTraceMode = false;
    graph.m_bZeroMode = true;
    graph.m_bDepthPlusAltitude = true;
    graph.SetColourMode(graph.m_bNight);
    return 0;
}

void CPipeTrackerPane::Update()
{
    if (m_pTracker == nullptr)
        return;
    const double distance = m_pTracker->m_CoilHeight;
    const double burial = m_pTracker->m_Burial;
    Update("Altitude", distance - burial, "DOB", burial);
}

// Out of line, so that the library exports them with the class.
CPipeTrackerPane::CPipeTrackerPane() = default;
CPipeTrackerPane::~CPipeTrackerPane() = default;
