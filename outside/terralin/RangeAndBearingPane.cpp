#include "outside/terralin/RangeAndBearingPane.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/terralin/Geodesic.h"
#include "outside/terralin/GeodesyProperties.h"
#include "outside/terralin/GridRangeBearing.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CRangeAndBearingPane, CTerralinPane)

namespace
{

CAngleValueProperty* ResultAngle(const char* name, const char* description, int id)
{
    return ReadOnly(
        new CAngleValueProperty(name, ANGLE_FULL_CIRCLE, description, static_cast<DWORD_PTR>(id)));
}

CNumberValueProperty* ResultDistance(const char* name, const char* description, int id)
{
    return ReadOnly(new CNumberValueProperty(name, NUMBER_DISTANCE, description, static_cast<DWORD_PTR>(id)));
}
} // namespace

CRangeAndBearingPane::CRangeAndBearingPane() = default;
CRangeAndBearingPane::~CRangeAndBearingPane() = default;

BOOL CRangeAndBearingPane::Create(CWnd* pParent, int nID, CProjection* pProjection)
{
    m_pProjection = pProjection;
    return CreatePane(pParent, nID, "Range and Bearing");
}

void CRangeAndBearingPane::AddPoint(const char* caption, int offset)
{
    auto* group = new CMFCPropertyGridProperty(caption);
    AddPositionItems(group, ITEM_EASTING + offset, ITEM_NORTHING + offset, ITEM_LATITUDE + offset,
                     ITEM_LONGITUDE + offset);
    m_wndPropList.AddProperty(group);
}

void CRangeAndBearingPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("Projection");
    group->AddSubItem(MakeInfoProperty("Projection", m_pProjection ? m_pProjection->m_Name : CString(),
                                       "The working projection", ITEM_PROJECTION));
    m_wndPropList.AddProperty(group);
    AddPoint("From", 0);
    AddPoint("To", SECOND_POINT);

    group = new CMFCPropertyGridProperty("Grid");
    group->AddSubItem(
        ResultDistance("Grid Distance", "Plane distance between the grid positions", ITEM_GRID_DISTANCE));
    group->AddSubItem(
        ResultAngle("Grid Bearing", "Bearing from grid north at the first point", ITEM_GRID_BEARING));
    group->AddSubItem(ResultAngle("Reverse Grid Bearing", "Bearing from the second point back to the first",
                                  ITEM_REVERSE_GRID_BEARING));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Spheroid");
    group->AddSubItem(
        ResultDistance("Geodesic Distance", "Shortest distance on the spheroid", ITEM_GEODESIC_DISTANCE));
    group->AddSubItem(
        ResultAngle("Forward Azimuth", "Azimuth from true north at the first point", ITEM_FORWARD_AZIMUTH));
    group->AddSubItem(ResultAngle("Reverse Azimuth", "Azimuth from the second point back to the first",
                                  ITEM_REVERSE_AZIMUTH));
    m_wndPropList.AddProperty(group);
}

void CRangeAndBearingPane::ConvertPoint(int offset)
{
    const int index = offset == 0 ? 0 : 1;
    auto* easting = Item<CNumberValueProperty>(ITEM_EASTING + offset);
    auto* northing = Item<CNumberValueProperty>(ITEM_NORTHING + offset);
    auto* latitude = Item<CAngleValueProperty>(ITEM_LATITUDE + offset);
    auto* longitude = Item<CAngleValueProperty>(ITEM_LONGITUDE + offset);
    if (m_bGridTyped[index])
    {
        double lat = 0.0, lon = 0.0;
        const bool ok =
            m_pProjection != nullptr && easting->HasNumber() && northing->HasNumber() &&
            m_pProjection->GridToGeographic(easting->GetNumber(), northing->GetNumber(), &lat, &lon);
        latitude->SetAngle(ok ? lat : DBL_MAX);
        longitude->SetAngle(ok ? lon : DBL_MAX);
    }
    else
    {
        double e = 0.0, n = 0.0;
        const bool ok = m_pProjection != nullptr && latitude->HasAngle() && longitude->HasAngle() &&
                        m_pProjection->GeographicToGrid(latitude->GetAngle(), longitude->GetAngle(), &e, &n);
        easting->SetNumber(ok ? e : DBL_MAX);
        northing->SetNumber(ok ? n : DBL_MAX);
    }
}

void CRangeAndBearingPane::Compute()
{
    const GRID_RANGE_BEARING grid =
        ComputeGridRangeBearing(Number(ITEM_EASTING), Number(ITEM_NORTHING),
                                Number(ITEM_EASTING + SECOND_POINT), Number(ITEM_NORTHING + SECOND_POINT));
    Item<CNumberValueProperty>(ITEM_GRID_DISTANCE)->SetNumber(grid.distance);
    Item<CAngleValueProperty>(ITEM_GRID_BEARING)->SetAngle(grid.bearing);
    Item<CAngleValueProperty>(ITEM_REVERSE_GRID_BEARING)->SetAngle(grid.reverseBearing);

    double distance = DBL_MAX, forward = DBL_MAX, reverse = DBL_MAX;
    const double lat1 = Angle(ITEM_LATITUDE), lon1 = Angle(ITEM_LONGITUDE);
    const double lat2 = Angle(ITEM_LATITUDE + SECOND_POINT), lon2 = Angle(ITEM_LONGITUDE + SECOND_POINT);
    const CSpheroid* spheroid = m_pProjection ? m_pProjection->GetSpheroid() : nullptr;
    if (spheroid != nullptr && spheroid->m_SemiMajor > 0.0 && lat1 != DBL_MAX && lon1 != DBL_MAX &&
        lat2 != DBL_MAX && lon2 != DBL_MAX)
    {
        // The table's sphere rows store 1/f = 1: no flattening.
        const double f = spheroid->IsSphere() || spheroid->m_InverseFlattening <= 0.0
                             ? 0.0
                             : 1.0 / spheroid->m_InverseFlattening;
        double s, a1, a2;
        if (GeodesicInverse(spheroid->m_SemiMajor, f, lat1, lon1, lat2, lon2, &s, &a1, &a2))
        {
            distance = s;
            if (s > 0.0)
            {
                forward = a1;
                reverse = a2;
            }
        }
    }
    Item<CNumberValueProperty>(ITEM_GEODESIC_DISTANCE)->SetNumber(distance);
    Item<CAngleValueProperty>(ITEM_FORWARD_AZIMUTH)->SetAngle(forward);
    Item<CAngleValueProperty>(ITEM_REVERSE_AZIMUTH)->SetAngle(reverse);
}

void CRangeAndBearingPane::OnItemChanged(CMFCPropertyGridProperty* pProp)
{
    const int id = static_cast<int>(pProp->GetData());
    if (id < ITEM_EASTING || id > ITEM_LONGITUDE + SECOND_POINT)
        return;
    const int offset = id >= ITEM_EASTING + SECOND_POINT ? SECOND_POINT : 0;
    const int field = id - offset;
    m_bGridTyped[offset == 0 ? 0 : 1] = field == ITEM_EASTING || field == ITEM_NORTHING;
    ConvertPoint(offset);
    Compute();
}

void CRangeAndBearingPane::RefreshProjection()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    FindItem(ITEM_PROJECTION)->SetValue(COleVariant(m_pProjection ? m_pProjection->m_Name : CString()));
    ConvertPoint(0);
    ConvertPoint(SECOND_POINT);
    Compute();
}

void CRangeAndBearingPane::UpdateAngles()
{
    for (int id : {ITEM_GRID_BEARING, ITEM_REVERSE_GRID_BEARING, ITEM_FORWARD_AZIMUTH, ITEM_REVERSE_AZIMUTH})
        Item<CAngleValueProperty>(id)->Reformat();
}

void CRangeAndBearingPane::UpdateGeographicals()
{
    for (int offset : {0, static_cast<int>(SECOND_POINT)})
    {
        Item<CAngleValueProperty>(ITEM_LATITUDE + offset)->Reformat();
        Item<CAngleValueProperty>(ITEM_LONGITUDE + offset)->Reformat();
    }
}

void CRangeAndBearingPane::UpdateGrid()
{
    for (int offset : {0, static_cast<int>(SECOND_POINT)})
    {
        Item<CNumberValueProperty>(ITEM_EASTING + offset)->Reformat();
        Item<CNumberValueProperty>(ITEM_NORTHING + offset)->Reformat();
    }
    Item<CNumberValueProperty>(ITEM_GRID_DISTANCE)->Reformat();
    Item<CNumberValueProperty>(ITEM_GEODESIC_DISTANCE)->Reformat();
}

double CRangeAndBearingPane::GetGridDistance() const
{
    return Number(ITEM_GRID_DISTANCE);
}
double CRangeAndBearingPane::GetGridBearing() const
{
    return Angle(ITEM_GRID_BEARING);
}
double CRangeAndBearingPane::GetGeodesicDistance() const
{
    return Number(ITEM_GEODESIC_DISTANCE);
}
double CRangeAndBearingPane::GetForwardAzimuth() const
{
    return Angle(ITEM_FORWARD_AZIMUTH);
}
double CRangeAndBearingPane::GetReverseAzimuth() const
{
    return Angle(ITEM_REVERSE_AZIMUTH);
}
