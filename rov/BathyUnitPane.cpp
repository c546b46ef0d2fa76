#include "rov/BathyUnitPane.h"

#include "rov/ScrollingAreaGraph.h"
#include "survey/records/BathyUnit.h"
#include "survey/records/Tritech.h"

BEGIN_MESSAGE_MAP(CBathyUnitPane, CScrollingGraphPane)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CBathyUnitPane::Create(CWnd* pOwner, const char* name, int nID, CBathyUnit* pUnit)
{
    if (!CScrollingGraphPane::Create(pOwner, name, nID))
        return 0;
    m_pUnit = pUnit;
    m_pProfiler = nullptr;
    return 1;
}

int CBathyUnitPane::Create(CWnd* pOwner, const char* name, int nID, CTritech* pProfiler)
{
    if (!CScrollingGraphPane::Create(pOwner, name, nID))
        return 0;
    m_pProfiler = pProfiler;
    m_pUnit = nullptr;
    return 1;
}

int CBathyUnitPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CScrollingGraphPane::OnCreate(lpCreateStruct) == -1)
        return -1;
    // A depth-and-altitude chart whatever the graph's settings file says: the user may still
    // scroll, span and show values, but not turn it into another kind of graph.
    CScrollingAreaGraph& graph = *m_pGraph;
    graph.m_bSingleTrace = false;
    graph.m_bFixedMode = true;
    graph.m_bEchoSounderMode = true;
    graph.m_bDepthOfBurialMode = false;
    graph.m_bDepthPlusAltitude = true;
    graph.SetColourMode(graph.m_bNight);
    return 0;
}

void CBathyUnitPane::Update()
{
    if (m_pUnit != nullptr)
    {
        const CBathyUnit& unit = *m_pUnit;
        if (unit.m_DepthValid && unit.m_AltitudeValid)
            Update("Depth", unit.m_Depth, "Altitude", unit.m_Altitude);
        else if (unit.m_DepthValid)
            Update("Depth", unit.m_Depth, nullptr, SCROLLING_GRAPH_NO_VALUE);
        else if (unit.m_AltitudeValid)
            Update("Altitude", unit.m_Altitude, nullptr, SCROLLING_GRAPH_NO_VALUE);
    }
    else if (m_pProfiler != nullptr)
        Update("Depth", m_pProfiler->m_Depth, "Altitude", m_pProfiler->m_Altitude);
}

// Out of line, so that the library exports them with the class.
CBathyUnitPane::CBathyUnitPane() = default;
CBathyUnitPane::~CBathyUnitPane() = default;
