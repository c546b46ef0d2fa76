// The chart view's picking: which features lie under the cursor, and the choice among them.
#include "chart/view/GridView.h"

#include "chart/objects/Ais.h"
#include "chart/objects/EblList.h"
#include "chart/geometry/PointInPolygon.h"
#include "chart/objects/VesselPoints.h"
#include "features/Barge.h"
#include "features/BoundaryList.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypointList.h"
#include "features/RouteList.h"
#include "features/SailLineList.h"
#include "features/StructureList.h"
#include "foundation/PopupMenu.h"
#include "foundation/WindowMessages.h"
#include "platform/ui/Menu.h"
#include "platform/core/WinApp.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace
{
constexpr int kPointReach = 32;
constexpr int kAisReach = 64;
constexpr int kEblTolerance = 3;
} // namespace

bool CGridView::IsUnderCursor(double e, double n, CPoint point, int reach) const
{
    int x = 0, y = 0;
    if (m_Plot.IsOutside(e, n, &x, &y))
        return false;
    return std::abs(x - point.x) < reach && std::abs(y - point.y) < reach;
}

bool CGridView::IsLegUnderCursor(const tagXY& from, const tagXY& to, CPoint point, int tolerance) const
{
    return m_Plot.IsNearLine(tagNearLine{from, to, tagXY{static_cast<double>(point.x), static_cast<double>(point.y)},
                                         tolerance});
}

void CGridView::AddCandidate(int type, int file, const char* title, int index, const char* name, uint32_t item,
                             int sub)
{
    CFeature feature;
    feature.Set(type, file, title, index, name, item, sub);
    m_PickedFeatures.Add(feature);
}

bool CGridView::PointOnWaypoint(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; m_pWaypointList != nullptr && f < m_pWaypointList->GetSize(); ++f)
    {
        const CGridWaypoint* file = m_pWaypointList->GetAt(f);
        for (INT_PTR i = 0; file != nullptr && i < file->GetSize(); ++i)
            if (IsUnderCursor(file->GetAt(i).Easting, file->GetAt(i).Northing, point))
                AddCandidate(FEATURE_WAYPOINT, static_cast<int>(f), file->m_FilePath, static_cast<int>(i),
                             file->GetAt(i).Name, 0, -1);
    }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::AddRoutePoints(INT_PTR files, const std::function<const CRoute*(INT_PTR)>& fileAt, int type,
                               CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; f < files; ++f)
    {
        const CRoute* route = fileAt(f);
        for (INT_PTR i = 0; route != nullptr && i < route->GetSize(); ++i)
            if (IsUnderCursor(route->GetAt(i).Position.x, route->GetAt(i).Position.y, point))
                AddCandidate(type, static_cast<int>(f), route->m_FilePath, static_cast<int>(i), route->GetAt(i).Name, 0,
                             -1);
    }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::PointOnRoute(CPoint point)
{
    CRouteList* list = m_pRouteList;
    return list != nullptr &&
           AddRoutePoints(list->GetSize(), [list](INT_PTR f) { return list->GetAt(f); }, FEATURE_ROUTE, point);
}

bool CGridView::PointOnRPL(CPoint point)
{
    CDesignRouteList* list = m_pDesignRouteList;
    return list != nullptr &&
           AddRoutePoints(list->GetSize(), [list](INT_PTR f) { return list->GetAt(f); }, FEATURE_DESIGN_ROUTE, point);
}

bool CGridView::PointOnRouteLeg(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; m_pRouteList != nullptr && f < m_pRouteList->GetSize(); ++f)
    {
        const CRoute* route = m_pRouteList->GetAt(f);
        for (INT_PTR i = 1; route != nullptr && i < route->GetSize(); ++i)
            if (IsLegUnderCursor(route->GetAt(i - 1).Position, route->GetAt(i).Position, point))
                AddCandidate(FEATURE_ROUTE, static_cast<int>(f), route->m_FilePath, static_cast<int>(i),
                             route->GetAt(i).Name, 0, -1);
    }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::PointOnSailLine(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; m_pSailLineList != nullptr && f < m_pSailLineList->GetSize(); ++f)
    {
        const CSailLine* file = m_pSailLineList->GetAt(f);
        for (INT_PTR i = 0; file != nullptr && i < file->GetSize(); ++i)
        {
            const SailLineDef& line = file->GetAt(i);
            CString name;
            if (IsUnderCursor(line.Start.x, line.Start.y, point))
            {
                name.Format("SOL %d", static_cast<int>(i) + 1);
                AddCandidate(FEATURE_SAIL_LINE, static_cast<int>(f), file->m_FilePath, static_cast<int>(i), name, 0, 0);
            }
            if (IsUnderCursor(line.End.x, line.End.y, point))
            {
                name.Format("EOL %d", static_cast<int>(i) + 1);
                AddCandidate(FEATURE_SAIL_LINE, static_cast<int>(f), file->m_FilePath, static_cast<int>(i), name, 0, 1);
            }
        }
    }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::PointOnBoundary(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; m_pBoundaryList != nullptr && f < m_pBoundaryList->GetSize(); ++f)
    {
        const CBoundary* boundary = m_pBoundaryList->GetAt(f);
        for (INT_PTR j = 0; boundary != nullptr && j < boundary->GetSize(); ++j)
            if (IsUnderCursor(boundary->GetAt(j).x, boundary->GetAt(j).y, point))
                AddCandidate(FEATURE_BOUNDARY, static_cast<int>(f), boundary->m_FilePath, static_cast<int>(j), "", 0, -1);
    }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::PointOnBoundaryLeg(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; m_pBoundaryList != nullptr && f < m_pBoundaryList->GetSize(); ++f)
    {
        const CBoundary* boundary = m_pBoundaryList->GetAt(f);
        for (INT_PTR j = 1; boundary != nullptr && j < boundary->GetSize(); ++j)
            if (IsLegUnderCursor(boundary->GetAt(j - 1), boundary->GetAt(j), point))
            {
                // An edge names its end vertex and no point name of its own.
                CFeature feature;
                feature.Set(FEATURE_BOUNDARY, static_cast<int>(f), boundary->m_FilePath, -1, "", 0, -1);
                feature.PointIndex = static_cast<int32_t>(j);
                m_PickedFeatures.Add(feature);
            }
    }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::PointOnStructure(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR f = 0; m_pStructureList != nullptr && f < m_pStructureList->GetSize(); ++f)
    {
        const CStructure* file = m_pStructureList->GetAt(f);
        for (INT_PTR i = 0; file != nullptr && i < file->GetSize(); ++i)
            if (IsUnderCursor(file->GetAt(i).Position.x, file->GetAt(i).Position.y, point))
                AddCandidate(FEATURE_STRUCTURE, static_cast<int>(f), file->m_FilePath, static_cast<int>(i),
                             file->GetAt(i).Name, 0, -1);
    }
    return m_PickedFeatures.GetSize() > before;
}

int CGridView::PointOnEbl(CPoint point)
{
    for (INT_PTR i = 0; m_pEBLList != nullptr && i < m_pEBLList->GetSize(); ++i)
    {
        const CEBL* line = m_pEBLList->GetAt(i);
        if (line != nullptr &&
            IsLegUnderCursor(tagXY{line->startX, line->startY}, tagXY{line->endX, line->endY}, point, kEblTolerance))
            return static_cast<int>(i);
    }
    return -1;
}

bool CGridView::AddVesselCandidates(CPoint point)
{
    CBarge* vessel = m_pVessel;
    if (vessel == nullptr)
        return false;
    const INT_PTR before = m_PickedFeatures.GetSize();
    for (INT_PTR c = 0; m_pVesselGps != nullptr && c < m_pVesselGps->GetSize(); ++c)
    {
        const TrackingPointDef* antenna = vessel->m_Antennas.GetPoint(c);
        const CGps* gps = m_pVesselGps->GetAt(c);
        if (antenna == nullptr || !antenna->IsEnabled() || !IsReceiverValid(gps))
            continue;
        if (vessel->HasHeading())
        {
            const tagXY crp = ReferenceFrom(ReceiverPosition(*gps), *antenna, vessel->m_Heading);
            if (IsUnderCursor(crp.x, crp.y, point))
            {
                CString name;
                name.Format("GPS %d", static_cast<int>(c) + 1);
                AddCandidate(FEATURE_VESSEL, OFFSET_CRP, "Common Reference Point", static_cast<int>(c), name, 0, -1);
            }
        }
        const tagXY at = ReceiverPosition(*gps);
        if (IsUnderCursor(at.x, at.y, point))
            AddCandidate(FEATURE_VESSEL, OFFSET_ANTENNA, "Antenna", static_cast<int>(c), antenna->Name, 0, -1);
    }
    const struct
    {
        const CTrackingPointArray* points;
        OFFSET_TYPE type;
        const char* title;
    } kinds[] = {{&vessel->m_Cranes, OFFSET_CRANE, "Crane"},
                 {&vessel->m_ClumpWeights, OFFSET_CLUMP_WEIGHT, "Clump Weight"},
                 {&vessel->m_Legs, OFFSET_LEG, "Leg"},
                 {&vessel->m_RefSystems, OFFSET_LASER, "Laser"},
                 {&vessel->m_Offsets, OFFSET_OFFSET, "Offset"}};
    for (const auto& kind : kinds)
        for (INT_PTR i = 0; i < kind.points->GetSize(); ++i)
        {
            const TrackingPointDef* p = kind.points->GetPoint(i);
            if (p != nullptr && p->IsEnabled() && IsUnderCursor(p->Position.x, p->Position.y, point))
                AddCandidate(FEATURE_VESSEL, kind.type, kind.title, static_cast<int>(i), p->Name, 0, -1);
        }
    return m_PickedFeatures.GetSize() > before;
}

bool CGridView::PointOnVessel(CPoint point, OFFSET_TYPE* type, int* index)
{
    m_PickedFeatures.RemoveAll();
    if (!AddVesselCandidates(point))
        return false;
    const int chosen = m_PickedFeatures.GetSize() == 1 ? 0 : ChooseCandidate(point, 0, false);
    if (chosen < 0)
        return false;
    if (type != nullptr)
        *type = static_cast<OFFSET_TYPE>(m_PickedFeatures[chosen].FileIndex);
    if (index != nullptr)
        *index = m_PickedFeatures[chosen].PointIndex;
    return true;
}

bool CGridView::PointOnVessel(CPoint point)
{
    const INT_PTR before = m_PickedFeatures.GetSize();
    const bool hit = AddVesselCandidates(point);
    m_PickedFeatures.SetSize(before);
    return hit;
}

int CGridView::ChooseCandidate(CPoint point, COLORREF background, bool coloured)
{
    CPopupMenu colouredMenu(background);
    CMenu plainMenu;
    CMenu& menu = coloured ? static_cast<CMenu&>(colouredMenu) : plainMenu;
    const BOOL made = coloured ? colouredMenu.CreatePopupMenu() : plainMenu.CreatePopupMenu();
    if (!made)
        return -1;
    for (INT_PTR i = 0; i < m_PickedFeatures.GetSize(); ++i)
        menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(i + 1), m_PickedFeatures[i].MenuText);
    CPoint screen = point;
    if (GetSafeHwnd() != nullptr)
        ClientToScreen(&screen);
    const int id = menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, this);
    return id >= 1 && id <= m_PickedFeatures.GetSize() ? id - 1 : -1;
}

bool CGridView::SelectFeature(CFeature* feature)
{
    if (feature == nullptr)
        return false;
    feature->Reset();
    if (m_PickedFeatures.IsEmpty())
        return false;
    const int chosen = m_PickedFeatures.GetSize() == 1 ? 0 : ChooseCandidate(CPoint(m_Plot.lastMouseX, m_Plot.lastMouseY), 0xD6D6D6, true);
    if (chosen < 0)
        return false;
    *feature = m_PickedFeatures[chosen];
    return true;
}

namespace
{
// At most one candidate a route file: its first point under the cursor, else the first leg.
template <class List, class PointHit, class LegHit, class Add>
void RouteFiles(List* list, int type, PointHit isPoint, LegHit isLeg, Add add)
{
    for (INT_PTR f = 0; list != nullptr && f < list->GetSize(); ++f)
    {
        const CRoute* route = list->GetAt(f);
        for (INT_PTR i = 0; route != nullptr && i < route->GetSize(); ++i)
        {
            if (isPoint(route->GetAt(i).Position))
            {
                CString name;
                name.Format("Point %d", static_cast<int>(i) + 1);
                add(type, static_cast<int>(f), route->m_FilePath, static_cast<int>(i), name);
                break;
            }
            if (i >= 1 && isLeg(route->GetAt(i - 1).Position, route->GetAt(i).Position))
            {
                add(type, static_cast<int>(f), route->m_FilePath, -1, "");
                break;
            }
        }
    }
}
} // namespace

CFeature CGridView::Click(CPoint point, bool noAis)
{
    CFeature result;
    m_PickedFeatures.RemoveAll();
    PointOnWaypoint(point);
    PointOnStructure(point);
    auto isPoint = [&](const tagXY& p) { return IsUnderCursor(p.x, p.y, point); };
    auto isLeg = [&](const tagXY& a, const tagXY& b) { return IsLegUnderCursor(a, b, point); };
    auto add = [&](int type, int f, const char* path, int i, const char* name) {
        AddCandidate(type, f, path, i, name, 0, -1);
    };
    RouteFiles(m_pRouteList, FEATURE_ROUTE, isPoint, isLeg, add);

    for (INT_PTR f = 0; m_pSailLineList != nullptr && f < m_pSailLineList->GetSize(); ++f)
    {
        const CSailLine* file = m_pSailLineList->GetAt(f);
        for (INT_PTR i = 0; file != nullptr && i < file->GetSize(); ++i)
        {
            const SailLineDef& line = file->GetAt(i);
            const int n = static_cast<int>(i) + 1;
            CString name;
            const bool start = IsUnderCursor(line.Start.x, line.Start.y, point);
            if (start)
            {
                name.Format("SOL %d", n);
                AddCandidate(FEATURE_SAIL_LINE, static_cast<int>(f), file->m_FilePath, static_cast<int>(i), name, 0, 0);
            }
            if (IsUnderCursor(line.End.x, line.End.y, point))
            {
                name.Format("EOL %d", n);
                AddCandidate(FEATURE_SAIL_LINE, static_cast<int>(f), file->m_FilePath, static_cast<int>(i), name, 0, 1);
                break;
            }
            if (start)
                break;
            if (IsLegUnderCursor(line.Start, line.End, point))
            {
                AddCandidate(FEATURE_SAIL_LINE, static_cast<int>(f), file->m_FilePath, -1, "", 0, -1);
                break;
            }
        }
    }

    RouteFiles(m_pDesignRouteList, FEATURE_DESIGN_ROUTE, isPoint, isLeg, add);

    for (INT_PTR f = 0; m_pBoundaryList != nullptr && f < m_pBoundaryList->GetSize(); ++f)
    {
        const CBoundary* boundary = m_pBoundaryList->GetAt(f);
        if (boundary == nullptr)
            continue;
        bool vertexHit = false;
        for (INT_PTR j = 0; j < boundary->GetSize(); ++j)
        {
            if (!IsUnderCursor(boundary->GetAt(j).x, boundary->GetAt(j).y, point))
                continue;
            CString name;
            name.Format("Point %d", static_cast<int>(j) + 1);
            AddCandidate(FEATURE_BOUNDARY, static_cast<int>(f), boundary->m_FilePath, static_cast<int>(j), name, 0, -1);
            vertexHit = true;
        }
        if (vertexHit || boundary->GetSize() < 3)
            continue;
        std::vector<tagXY> polygon(boundary->GetData(), boundary->GetData() + boundary->GetSize());
        if (polygon.back().x != polygon.front().x || polygon.back().y != polygon.front().y)
            polygon.push_back(polygon.front());
        double e = 0.0, n = 0.0;
        if (m_Plot.ScreenToGrid(point.x, point.y, &e, &n) &&
            PointInPolygon(e, n, polygon.data(), static_cast<int>(polygon.size())))
        {
            AddCandidate(FEATURE_BOUNDARY, static_cast<int>(f), boundary->m_FilePath, -1, "", 0, -1);
            break;
        }
    }

    if (!noAis && m_pAis != nullptr)
    {
        // The host's device threads change the targets under its mutex: read them under it
        // too, and hand on identifiers, which outlive any reordering, never addresses.
        std::unique_ptr<CSingleLock> lock;
        if (m_pMutex != nullptr)
            lock = std::make_unique<CSingleLock>(m_pMutex, TRUE);
        AisTargetDef* last = nullptr;
        for (INT_PTR i = 0; i < m_pAis->GetCount(); ++i)
        {
            AisTargetDef* target = m_pAis->GetTarget(i);
            if (target == nullptr || target->E == DBL_MAX || !IsUnderCursor(target->E, target->N, point, kAisReach))
                continue;
            CString name = target->name;
            if (name.IsEmpty() || name.Find("n/a") >= 0)
                name = target->id;
            AddCandidate(FEATURE_AIS_TARGET, -1, nullptr, static_cast<int>(i), name, target->Key, -1);
            if (CCmdTarget* main = AfxGetMainWnd())
                ::PostMessage(main->GetSafeHwnd(), UM_AIS_TARGET_DATA, target->Key, 0);
            last = target;
        }
        if (last != nullptr)
        {
            last->selected = true;
            for (INT_PTR i = 0; i < m_pAis->GetCount(); ++i)
            {
                AisTargetDef* other = m_pAis->GetTarget(i);
                if (other != last && (other->selected || other->state == 3))
                    other->selected = false;
            }
            Invalidate(FALSE);
        }
    }

    if (m_PickedFeatures.IsEmpty())
        return result;
    const int chosen = m_PickedFeatures.GetSize() == 1 ? 0 : ChooseCandidate(point, 0, false);
    if (chosen >= 0)
        result = m_PickedFeatures[chosen];
    return result;
}
