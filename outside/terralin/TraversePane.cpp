#include "outside/terralin/TraversePane.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "outside/terralin/GeodesyProperties.h"

#include <cmath>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CTraversePane, CTerralinPane)

CTraversePane::CTraversePane() : m_legs(1, TraverseLegDef{DBL_MAX, DBL_MAX}) {}
CTraversePane::~CTraversePane() = default;

BOOL CTraversePane::Create(CWnd* pParent, int nID, CProjection* pProjection)
{
    m_pProjection = pProjection;
    return CreatePane(pParent, nID, "Traverse");
}

void CTraversePane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("Projection");
    group->AddSubItem(MakeInfoProperty("Projection", m_pProjection ? m_pProjection->m_Name : CString(),
                                       "The working projection", ITEM_PROJECTION));
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Start Point");
    auto* e = new CNumberValueProperty("Easting", NUMBER_GRID, "Easting of the start", ITEM_START_EASTING);
    auto* n = new CNumberValueProperty("Northing", NUMBER_GRID, "Northing of the start", ITEM_START_NORTHING);
    auto* lat =
        new CAngleValueProperty("Latitude", ANGLE_LATITUDE, "Latitude of the start", ITEM_START_LATITUDE);
    auto* lon =
        new CAngleValueProperty("Longitude", ANGLE_LONGITUDE, "Longitude of the start", ITEM_START_LONGITUDE);
    e->SetNumber(m_startEasting);
    n->SetNumber(m_startNorthing);
    lat->SetAngle(m_startLatitude);
    lon->SetAngle(m_startLongitude);
    group->AddSubItem(e);
    group->AddSubItem(n);
    group->AddSubItem(lat);
    group->AddSubItem(lon);
    m_wndPropList.AddProperty(group);

    group = new CMFCPropertyGridProperty("Legs");
    CString count;
    count.Format("%d", GetLegCount());
    auto* legCount = new CMFCPropertyGridProperty("Number of Legs", COleVariant(count),
                                                  "How many legs the traverse has", ITEM_LEG_COUNT);
    for (int i = 1; i <= MAX_LEGS; ++i)
    {
        CString option;
        option.Format("%d", i);
        legCount->AddOption(option);
    }
    legCount->AllowEdit(FALSE);
    group->AddSubItem(legCount);
    m_wndPropList.AddProperty(group);

    for (int leg = 0; leg < GetLegCount(); ++leg)
    {
        CString caption;
        caption.Format("Leg %d", leg + 1);
        auto* legGroup = new CMFCPropertyGridProperty(caption);
        auto* bearing = new CAngleValueProperty("Grid Bearing", ANGLE_FULL_CIRCLE, "Bearing from grid north",
                                                LegItem(leg, LEG_BEARING));
        bearing->SetAngle(m_legs[leg].Bearing);
        auto* distance = new CNumberValueProperty("Grid Distance", NUMBER_DISTANCE, "Distance on the grid",
                                                  LegItem(leg, LEG_DISTANCE));
        distance->SetNumber(m_legs[leg].Distance);
        legGroup->AddSubItem(bearing);
        legGroup->AddSubItem(distance);
        legGroup->AddSubItem(ReadOnly(new CNumberValueProperty(
            "Easting", NUMBER_GRID, "Easting at the leg's end", LegItem(leg, LEG_EASTING))));
        legGroup->AddSubItem(ReadOnly(new CNumberValueProperty(
            "Northing", NUMBER_GRID, "Northing at the leg's end", LegItem(leg, LEG_NORTHING))));
        m_wndPropList.AddProperty(legGroup);
    }

    group = new CMFCPropertyGridProperty("End Point");
    group->AddSubItem(
        ReadOnly(new CNumberValueProperty("Easting", NUMBER_GRID, "Easting of the end", ITEM_END_EASTING)));
    group->AddSubItem(ReadOnly(
        new CNumberValueProperty("Northing", NUMBER_GRID, "Northing of the end", ITEM_END_NORTHING)));
    group->AddSubItem(ReadOnly(
        new CAngleValueProperty("Latitude", ANGLE_LATITUDE, "Latitude of the end", ITEM_END_LATITUDE)));
    group->AddSubItem(ReadOnly(
        new CAngleValueProperty("Longitude", ANGLE_LONGITUDE, "Longitude of the end", ITEM_END_LONGITUDE)));
    group->AddSubItem(ReadOnly(new CNumberValueProperty("Total Distance", NUMBER_DISTANCE,
                                                        "Sum of the leg distances", ITEM_TOTAL_DISTANCE)));
    m_wndPropList.AddProperty(group);
    Compute();
}

void CTraversePane::ConvertStart()
{
    if (m_bGridTyped)
    {
        double lat = 0.0, lon = 0.0;
        const bool ok = m_pProjection != nullptr && m_startEasting != DBL_MAX && m_startNorthing != DBL_MAX &&
                        m_pProjection->GridToGeographic(m_startEasting, m_startNorthing, &lat, &lon);
        m_startLatitude = ok ? lat : DBL_MAX;
        m_startLongitude = ok ? lon : DBL_MAX;
    }
    else
    {
        double e = 0.0, n = 0.0;
        const bool ok = m_pProjection != nullptr && m_startLatitude != DBL_MAX &&
                        m_startLongitude != DBL_MAX &&
                        m_pProjection->GeographicToGrid(m_startLatitude, m_startLongitude, &e, &n);
        m_startEasting = ok ? e : DBL_MAX;
        m_startNorthing = ok ? n : DBL_MAX;
    }
    Item<CNumberValueProperty>(ITEM_START_EASTING)->SetNumber(m_startEasting);
    Item<CNumberValueProperty>(ITEM_START_NORTHING)->SetNumber(m_startNorthing);
    Item<CAngleValueProperty>(ITEM_START_LATITUDE)->SetAngle(m_startLatitude);
    Item<CAngleValueProperty>(ITEM_START_LONGITUDE)->SetAngle(m_startLongitude);
}

void CTraversePane::Compute()
{
    double e = m_startEasting, n = m_startNorthing, total = 0.0;
    bool complete = e != DBL_MAX && n != DBL_MAX;
    for (int leg = 0; leg < GetLegCount(); ++leg)
    {
        const TraverseLegDef& def = m_legs[leg];
        complete = complete && def.Bearing != DBL_MAX && def.Distance != DBL_MAX;
        if (complete)
        {
            e += def.Distance * std::sin(def.Bearing);
            n += def.Distance * std::cos(def.Bearing);
            total += def.Distance;
        }
        Item<CNumberValueProperty>(LegItem(leg, LEG_EASTING))->SetNumber(complete ? e : DBL_MAX);
        Item<CNumberValueProperty>(LegItem(leg, LEG_NORTHING))->SetNumber(complete ? n : DBL_MAX);
    }
    double lat = 0.0, lon = 0.0;
    const bool geographic =
        complete && m_pProjection != nullptr && m_pProjection->GridToGeographic(e, n, &lat, &lon);
    Item<CNumberValueProperty>(ITEM_END_EASTING)->SetNumber(complete ? e : DBL_MAX);
    Item<CNumberValueProperty>(ITEM_END_NORTHING)->SetNumber(complete ? n : DBL_MAX);
    Item<CAngleValueProperty>(ITEM_END_LATITUDE)->SetAngle(geographic ? lat : DBL_MAX);
    Item<CAngleValueProperty>(ITEM_END_LONGITUDE)->SetAngle(geographic ? lon : DBL_MAX);
    Item<CNumberValueProperty>(ITEM_TOTAL_DISTANCE)->SetNumber(complete ? total : DBL_MAX);
}

void CTraversePane::OnItemChanged(CMFCPropertyGridProperty* pProp)
{
    const DWORD_PTR id = pProp->GetData();
    switch (id)
    {
    case ITEM_START_EASTING:
    case ITEM_START_NORTHING:
        m_bGridTyped = true;
        m_startEasting = Item<CNumberValueProperty>(ITEM_START_EASTING)->GetNumber();
        m_startNorthing = Item<CNumberValueProperty>(ITEM_START_NORTHING)->GetNumber();
        ConvertStart();
        Compute();
        return;
    case ITEM_START_LATITUDE:
    case ITEM_START_LONGITUDE:
        m_bGridTyped = false;
        m_startLatitude = Item<CAngleValueProperty>(ITEM_START_LATITUDE)->GetAngle();
        m_startLongitude = Item<CAngleValueProperty>(ITEM_START_LONGITUDE)->GetAngle();
        ConvertStart();
        Compute();
        return;
    case ITEM_LEG_COUNT: {
        COleVariant value = pProp->GetValue();
        value.ChangeType(VT_BSTR);
        const int count = std::atoi(value.bstrVal);
        if (count < 1 || count > MAX_LEGS)
            return;
        m_legs.resize(static_cast<size_t>(count), TraverseLegDef{DBL_MAX, DBL_MAX});
        // The grid is rebuilt with the new legs; the item that told us is gone afterwards.
        InitPropList();
        return;
    }
    default:
        break;
    }
    if (id >= LEG_BASE)
    {
        const int leg = static_cast<int>((id - LEG_BASE) / LEG_STRIDE);
        const int field = static_cast<int>((id - LEG_BASE) % LEG_STRIDE);
        if (leg >= GetLegCount())
            return;
        if (field == LEG_BEARING)
            m_legs[leg].Bearing = Item<CAngleValueProperty>(id)->GetAngle();
        else if (field == LEG_DISTANCE)
            m_legs[leg].Distance = Item<CNumberValueProperty>(id)->GetNumber();
        Compute();
    }
}

void CTraversePane::RefreshProjection()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    FindItem(ITEM_PROJECTION)->SetValue(COleVariant(m_pProjection ? m_pProjection->m_Name : CString()));
    ConvertStart();
    Compute();
}

void CTraversePane::UpdateAngles()
{
    for (int leg = 0; leg < GetLegCount(); ++leg)
        Item<CAngleValueProperty>(LegItem(leg, LEG_BEARING))->Reformat();
}

void CTraversePane::UpdateGeographicals()
{
    for (DWORD_PTR id : {ITEM_START_LATITUDE, ITEM_START_LONGITUDE, ITEM_END_LATITUDE, ITEM_END_LONGITUDE})
        Item<CAngleValueProperty>(id)->Reformat();
}

void CTraversePane::UpdateGrid()
{
    // Rebuilt whole: every easting, northing and distance takes the new decimals and unit.
    InitPropList();
}

double CTraversePane::GetEndEasting() const
{
    return Item<CNumberValueProperty>(ITEM_END_EASTING)->GetNumber();
}
double CTraversePane::GetEndNorthing() const
{
    return Item<CNumberValueProperty>(ITEM_END_NORTHING)->GetNumber();
}
double CTraversePane::GetEndLatitude() const
{
    return Item<CAngleValueProperty>(ITEM_END_LATITUDE)->GetAngle();
}
double CTraversePane::GetEndLongitude() const
{
    return Item<CAngleValueProperty>(ITEM_END_LONGITUDE)->GetAngle();
}
