#include "chart/view/GridView.h"

#include "chart/ChartexaLibrary.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "platform/ui/Resources.h"

LIVE_EDIT_MODE CGridView::m_EditMode = EDIT_NONE;

const UINT CGridView::symbolBitmapIds[kSymbolBitmaps] = {12004, 12007, 12010, 12013, 12000,
                                                          12016, 12018, 12020, 12023, 12001};

IMPLEMENT_DYNCREATE(CGridView, CView)

CGridView::CGridView()
{
    m_Vanes.AddVane("Current", 0xFFFF00);
    m_Vanes.AddVane("Wind", 0xFF00FF);
    m_Vanes.LoadSettings();
    LoadBitmaps();
    m_WhitePen.CreatePen(PS_SOLID, 1, 0xFFFFFF);
    m_SnapShot.LoadSnapShotSettings();
}

CGridView::~CGridView() = default;

void CGridView::LoadBitmaps()
{
    // The anchor strip is the library's own; the symbols come from whichever module holds them.
    JoinChartexaResources();
    QImage strip;
    if (AfxLoadBitmapImage(IDB_ANCHOR_STRIP, strip, CHARTEXA_MODULE))
        m_Bitmaps[0].CreateFromImage(strip);
    for (int i = 0; i < kSymbolBitmaps; ++i)
        m_Bitmaps[1 + i].LoadBitmap(symbolBitmapIds[i]);
}

void CGridView::SetVessel(CBarge* vessel, CGpsArray* gps)
{
    m_pVessel = vessel;
    m_pVesselGps = gps;
    if (vessel != nullptr)
        m_bDeclutter = vessel->m_bDeclutter;
}

void CGridView::ReadSettings(const char* name)
{
    m_Plot.LoadSettings(name);
}

void CGridView::SetBackgroundColour(COLORREF colour)
{
    // Each paint starts from the saved colour, so keeping only the working one would show the
    // new colour no sooner than after a capture.
    m_Plot.backgroundColour = colour;
    m_Plot.savedBackgroundColour = colour;
}

void CGridView::ZoomIn()
{
    if (m_Plot.scaleIndex >= 2 && m_Plot.scaleIndex <= 30)
        --m_Plot.scaleIndex;
}

void CGridView::ZoomOut()
{
    if (m_Plot.scaleIndex >= 0 && m_Plot.scaleIndex <= 28)
        ++m_Plot.scaleIndex;
}

void CGridView::PanScreen(PANNING_DIRECTIONS direction)
{
    if (m_Plot.scaleIndex < 0 || m_Plot.scaleIndex >= CGridPlot::kScales)
        return;
    const double s = CGridPlot::spacingTable[m_Plot.scaleIndex];
    double dE = 0.0, dN = 0.0;
    switch (direction)
    {
    case PAN_LEFT: dE = -s; break;
    case PAN_UP: dN = s; break;
    case PAN_RIGHT: dE = s; break;
    case PAN_DOWN: dN = -s; break;
    case PAN_UP_LEFT: dE = -s, dN = s; break;
    case PAN_UP_RIGHT: dE = s, dN = s; break;
    case PAN_DOWN_LEFT: dE = -s, dN = -s; break;
    case PAN_DOWN_RIGHT: dE = s, dN = -s; break;
    default: return;
    }
    if (!m_Plot.northUp)
    {
        const double sa = m_Plot.sinRot, ca = m_Plot.cosRot;
        const double e = ca * dE + sa * dN;
        const double n = ca * dN - sa * dE;
        dE = e;
        dN = n;
    }
    m_Plot.originE += dE;
    m_Plot.originN += dN;
}

void CGridView::SetNorthUp(bool on)
{
    m_Plot.northUp = on;
    if (on)
        m_Plot.angleOffset = 0;
}

void CGridView::SetBowUp(bool bow)
{
    m_Plot.northUp = false;
    m_Plot.angleOffset = bow ? 0 : 180;
}

bool CGridView::GetBowUp() const
{
    return m_Plot.northUp || m_Plot.angleOffset != 180;
}

void CGridView::SetCentre(tagXY centre)
{
    if (centre.x != m_Plot.originE || centre.y != m_Plot.originN)
    {
        m_Plot.originE = centre.x;
        m_Plot.originN = centre.y;
    }
}

void CGridView::CentreScreen()
{
    m_Plot.originE = 0.0;
    m_Plot.originN = 0.0;
}

void CGridView::SetDaylightMode()
{
    SetNightMode(false);
}

void CGridView::SetNightMode(bool night)
{
    m_Plot.nightMode = night;
    m_Plot.backgroundColour = 0x000000;
    m_Plot.gridColour = night ? 0x004000 : 0x00FF00;
    Invalidate();
}

void CGridView::SetClumpWeight(int index, bool drop)
{
    if (m_pVessel == nullptr || index < 0 || index >= m_pVessel->m_DroppedClumpWeights.GetSize())
        return;
    DroppedClumpWeightDef& record = m_pVessel->m_DroppedClumpWeights.ElementAt(index);
    if (!drop)
    {
        record.Flag = 0;
        return;
    }
    const TrackingPointDef* weight = m_pVessel->m_ClumpWeights.GetPoint(index);
    if (weight == nullptr)
        return;
    record.Easting = weight->Position.x;
    record.Northing = weight->Position.y;
    record.Flag = 1;
}

VaneDef* CGridView::Vane(int index)
{
    // A negative index is refused as one beyond the list: an exception out of a host's
    // feed would end its message handler for a value it cannot vouch for.
    if (index < 0 || index >= m_Vanes.GetSize())
        return nullptr;
    return &m_Vanes.ElementAt(index);
}

void CGridView::UpdateVane(int index, double direction, double speed)
{
    if (VaneDef* vane = Vane(index))
    {
        vane->direction = direction;
        vane->speed = speed;
        vane->show = 1;
        vane->valid = 1;
    }
}

void CGridView::SetVaneStatus(int index, bool on)
{
    if (VaneDef* vane = Vane(index))
    {
        vane->show = on ? 1 : 0;
        vane->valid = 0;
        m_Vanes.SaveSettings();
    }
}

void CGridView::ToggleStatus(int index)
{
    if (VaneDef* vane = Vane(index))
    {
        vane->show = vane->show ? 0 : 1;
        vane->valid = 0;
        m_Vanes.SaveSettings();
    }
}

bool CGridView::GetVaneStatus(int index) const
{
    if (index < 0 || index >= m_Vanes.GetSize())
        return false;
    return m_Vanes.GetAt(index).show != 0;
}

bool CGridView::ValidateEditMode(LIVE_EDIT_MODE mode) const
{
    switch (mode)
    {
    case EDIT_NONE:
    case EDIT_EBL: return true;
    case EDIT_WAYPOINTS: return m_pWaypointList != nullptr && m_pWaypointList->GetSize() > 0;
    case EDIT_ROUTES: return m_pRouteList != nullptr && m_pRouteList->GetSize() > 0;
    case EDIT_DESIGN_ROUTES: return m_pDesignRouteList != nullptr && m_pDesignRouteList->GetSize() > 0;
    case EDIT_SAIL_LINES: return m_pSailLineList != nullptr && m_pSailLineList->GetSize() > 0;
    case EDIT_BOUNDARIES: return m_pBoundaryList != nullptr && m_pBoundaryList->GetSize() > 0;
    case EDIT_STRUCTURES: return m_pStructureList != nullptr && m_pStructureList->GetSize() > 0;
    default: return false;
    }
}
