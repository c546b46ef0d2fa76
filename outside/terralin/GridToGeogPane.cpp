#include "outside/terralin/GridToGeogPane.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/terralin/GeodesyProperties.h"

IMPLEMENT_DYNAMIC(CGridToGeogPane, CTerralinPane)

CGridToGeogPane::CGridToGeogPane() = default;
CGridToGeogPane::~CGridToGeogPane() = default;

BOOL CGridToGeogPane::Create(CWnd* pParent, int nID, CProjection* pProjection)
{
    m_pProjection = pProjection;
    return CreatePane(pParent, nID, "Grid to Geographicals");
}

void CGridToGeogPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("Projection");
    group->AddSubItem(MakeInfoProperty("Projection", "", "The working projection", ITEM_PROJECTION));
    group->AddSubItem(MakeInfoProperty("Zone", "", "The projection's zone or country", ITEM_ZONE));
    group->AddSubItem(MakeInfoProperty("Spheroid", "", "The projection's spheroid", ITEM_SPHEROID));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Grid");
    group->AddSubItem(
        new CNumberValueProperty("Easting", NUMBER_GRID, "Easting in grid units", ITEM_EASTING));
    group->AddSubItem(
        new CNumberValueProperty("Northing", NUMBER_GRID, "Northing in grid units", ITEM_NORTHING));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Geographicals");
    group->AddSubItem(
        new CAngleValueProperty("Latitude", ANGLE_LATITUDE, "Latitude of the point", ITEM_LATITUDE));
    group->AddSubItem(
        new CAngleValueProperty("Longitude", ANGLE_LONGITUDE, "Longitude of the point", ITEM_LONGITUDE));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Grid Values");
    group->AddSubItem(ReadOnly(new CAngleValueProperty(
        "Convergence", ANGLE_SIGNED, "Angle from true north to grid north, clockwise", ITEM_CONVERGENCE)));
    group->AddSubItem(ReadOnly(
        new CNumberValueProperty("Scale Factor", NUMBER_FIXED, "Point scale factor", ITEM_SCALE, 8)));
    m_wndPropList.AddProperty(group);
    ShowProjection();
}

void CGridToGeogPane::ShowProjection()
{
    CString name, zone, spheroid;
    if (m_pProjection != nullptr)
    {
        name = m_pProjection->m_Name;
        zone = m_pProjection->m_Country;
        if (const CSpheroid* s = m_pProjection->GetSpheroid())
            spheroid = s->m_Country.IsEmpty() ? s->m_Name : s->m_Name + " " + s->m_Country;
    }
    if (CMFCPropertyGridProperty* p = FindItem(ITEM_PROJECTION))
        p->SetValue(COleVariant(name));
    if (CMFCPropertyGridProperty* p = FindItem(ITEM_ZONE))
        p->SetValue(COleVariant(zone));
    if (CMFCPropertyGridProperty* p = FindItem(ITEM_SPHEROID))
        p->SetValue(COleVariant(spheroid));
}

void CGridToGeogPane::ClearComputed(bool grid)
{
    if (grid)
    {
        Item<CNumberValueProperty>(ITEM_EASTING)->SetNumber(DBL_MAX);
        Item<CNumberValueProperty>(ITEM_NORTHING)->SetNumber(DBL_MAX);
    }
    else
    {
        Item<CAngleValueProperty>(ITEM_LATITUDE)->SetAngle(DBL_MAX);
        Item<CAngleValueProperty>(ITEM_LONGITUDE)->SetAngle(DBL_MAX);
    }
    Item<CAngleValueProperty>(ITEM_CONVERGENCE)->SetAngle(DBL_MAX);
    Item<CNumberValueProperty>(ITEM_SCALE)->SetNumber(DBL_MAX);
}

void CGridToGeogPane::GridToGeographic()
{
    const double easting = GetEasting(), northing = GetNorthing();
    if (m_pProjection == nullptr || easting == DBL_MAX || northing == DBL_MAX)
    {
        ClearComputed(false);
        return;
    }
    double latitude = 0.0, longitude = 0.0, convergence = 0.0, scale = 0.0;
    if (!m_pProjection->GridToGeographic(easting, northing, &latitude, &longitude, &convergence, &scale))
    {
        // The zero result of an unusable projection or a point it cannot convert is no position.
        ClearComputed(false);
        return;
    }
    Item<CAngleValueProperty>(ITEM_LATITUDE)->SetAngle(latitude);
    Item<CAngleValueProperty>(ITEM_LONGITUDE)->SetAngle(longitude);
    Item<CAngleValueProperty>(ITEM_CONVERGENCE)->SetAngle(convergence);
    Item<CNumberValueProperty>(ITEM_SCALE)->SetNumber(scale);
}

void CGridToGeogPane::GeographicToGrid()
{
    const double latitude = GetLatitude(), longitude = GetLongitude();
    if (m_pProjection == nullptr || latitude == DBL_MAX || longitude == DBL_MAX)
    {
        ClearComputed(true);
        return;
    }
    double easting = 0.0, northing = 0.0, convergence = 0.0, scale = 0.0;
    if (!m_pProjection->GeographicToGrid(latitude, longitude, &easting, &northing, &convergence, &scale))
    {
        ClearComputed(true);
        return;
    }
    Item<CNumberValueProperty>(ITEM_EASTING)->SetNumber(easting);
    Item<CNumberValueProperty>(ITEM_NORTHING)->SetNumber(northing);
    Item<CAngleValueProperty>(ITEM_CONVERGENCE)->SetAngle(convergence);
    Item<CNumberValueProperty>(ITEM_SCALE)->SetNumber(scale);
}

void CGridToGeogPane::OnItemChanged(CMFCPropertyGridProperty* pProp)
{
    switch (pProp->GetData())
    {
    case ITEM_EASTING:
    case ITEM_NORTHING:
        m_bGridTyped = true;
        GridToGeographic();
        break;
    case ITEM_LATITUDE:
    case ITEM_LONGITUDE:
        m_bGridTyped = false;
        GeographicToGrid();
        break;
    default:
        break;
    }
}

void CGridToGeogPane::RefreshProjection()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ShowProjection();
    if (m_bGridTyped)
        GridToGeographic();
    else
        GeographicToGrid();
}

void CGridToGeogPane::UpdateAngles()
{
    if (auto* p = Item<CAngleValueProperty>(ITEM_CONVERGENCE))
        p->Reformat();
}

void CGridToGeogPane::UpdateGeographicals()
{
    if (auto* p = Item<CAngleValueProperty>(ITEM_LATITUDE))
        p->Reformat();
    if (auto* p = Item<CAngleValueProperty>(ITEM_LONGITUDE))
        p->Reformat();
}

void CGridToGeogPane::UpdateGrid()
{
    if (auto* p = Item<CNumberValueProperty>(ITEM_EASTING))
        p->Reformat();
    if (auto* p = Item<CNumberValueProperty>(ITEM_NORTHING))
        p->Reformat();
}

double CGridToGeogPane::GetEasting() const
{
    auto* p = Item<CNumberValueProperty>(ITEM_EASTING);
    return p ? p->GetNumber() : DBL_MAX;
}

double CGridToGeogPane::GetNorthing() const
{
    auto* p = Item<CNumberValueProperty>(ITEM_NORTHING);
    return p ? p->GetNumber() : DBL_MAX;
}

double CGridToGeogPane::GetLatitude() const
{
    auto* p = Item<CAngleValueProperty>(ITEM_LATITUDE);
    return p ? p->GetAngle() : DBL_MAX;
}

double CGridToGeogPane::GetLongitude() const
{
    auto* p = Item<CAngleValueProperty>(ITEM_LONGITUDE);
    return p ? p->GetAngle() : DBL_MAX;
}

double CGridToGeogPane::GetConvergence() const
{
    auto* p = Item<CAngleValueProperty>(ITEM_CONVERGENCE);
    return p ? p->GetAngle() : DBL_MAX;
}

double CGridToGeogPane::GetScaleFactor() const
{
    auto* p = Item<CNumberValueProperty>(ITEM_SCALE);
    return p ? p->GetNumber() : DBL_MAX;
}
