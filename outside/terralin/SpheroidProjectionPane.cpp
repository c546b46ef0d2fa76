#include "outside/terralin/SpheroidProjectionPane.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Projection.h"
#include "geodesy/Spheroid.h"
#include "outside/terralin/GeodesyProperties.h"

IMPLEMENT_DYNAMIC(CSpheroidProjectionPane, CTerralinPane)

CSpheroidProjectionPane::CSpheroidProjectionPane() = default;
CSpheroidProjectionPane::~CSpheroidProjectionPane() = default;

BOOL CSpheroidProjectionPane::Create(CWnd* pParent, const char* caption, int nID, CProjection* pProjection,
                                     bool bShowSpheroid, bool bNight)
{
    m_pProjection = pProjection;
    m_bShowSpheroid = bShowSpheroid;
    if (!CreatePane(pParent, nID, caption))
        return FALSE;
    if (bNight)
        SetNightMode(true);
    return TRUE;
}

void CSpheroidProjectionPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("Projection");
    group->AddSubItem(MakeInfoProperty("Name", "", "The working grid", ITEM_PROJECTION_NAME));
    group->AddSubItem(MakeInfoProperty("Country", "", "Where the grid is used", ITEM_COUNTRY));
    group->AddSubItem(ReadOnly(new CAngleValueProperty(
        "Origin Latitude", ANGLE_LATITUDE, "Latitude of the grid's origin", ITEM_ORIGIN_LATITUDE)));
    group->AddSubItem(ReadOnly(new CAngleValueProperty(
        "Central Meridian", ANGLE_LONGITUDE, "Longitude of the grid's origin", ITEM_ORIGIN_LONGITUDE)));
    group->AddSubItem(ReadOnly(
        new CNumberValueProperty("False Easting", NUMBER_GRID, "Easting of the origin", ITEM_FALSE_EASTING)));
    group->AddSubItem(ReadOnly(new CNumberValueProperty("False Northing", NUMBER_GRID,
                                                        "Northing of the origin", ITEM_FALSE_NORTHING)));
    group->AddSubItem(ReadOnly(new CNumberValueProperty(
        "Scale Factor", NUMBER_FIXED, "Scale factor on the central meridian", ITEM_SCALE_FACTOR, 7)));
    m_wndPropList.AddProperty(group);
    if (m_bShowSpheroid)
    {
        group = new CMFCPropertyGridProperty("Spheroid");
        group->AddSubItem(MakeInfoProperty("Name", "", "The spheroid of the grid", ITEM_SPHEROID_NAME));
        group->AddSubItem(ReadOnly(new CNumberValueProperty("Semi-Major Axis", NUMBER_FIXED,
                                                            "Equatorial radius", ITEM_SEMI_MAJOR, 3, " m")));
        group->AddSubItem(ReadOnly(new CNumberValueProperty(
            "Inverse Flattening", NUMBER_FIXED, "1/f of the spheroid", ITEM_INVERSE_FLATTENING, 9)));
        m_wndPropList.AddProperty(group);
    }
    Refresh();
}

void CSpheroidProjectionPane::Refresh()
{
    if (!FindItem(ITEM_PROJECTION_NAME))
        return;
    const CProjection* projection = m_pProjection;
    FindItem(ITEM_PROJECTION_NAME)->SetValue(COleVariant(projection ? projection->m_Name : CString()));
    FindItem(ITEM_COUNTRY)->SetValue(COleVariant(projection ? projection->m_Country : CString()));
    Item<CAngleValueProperty>(ITEM_ORIGIN_LATITUDE)
        ->SetAngle(projection ? projection->m_OriginLatitude : DBL_MAX);
    Item<CAngleValueProperty>(ITEM_ORIGIN_LONGITUDE)
        ->SetAngle(projection ? projection->m_OriginLongitude : DBL_MAX);
    Item<CNumberValueProperty>(ITEM_FALSE_EASTING)
        ->SetNumber(projection ? projection->m_FalseEasting : DBL_MAX);
    Item<CNumberValueProperty>(ITEM_FALSE_NORTHING)
        ->SetNumber(projection ? projection->m_FalseNorthing : DBL_MAX);
    Item<CNumberValueProperty>(ITEM_SCALE_FACTOR)
        ->SetNumber(projection ? projection->m_ScaleFactor : DBL_MAX);
    if (!m_bShowSpheroid)
        return;
    const CSpheroid* spheroid = projection ? projection->GetSpheroid() : nullptr;
    FindItem(ITEM_SPHEROID_NAME)->SetValue(COleVariant(spheroid ? spheroid->m_Name : CString()));
    Item<CNumberValueProperty>(ITEM_SEMI_MAJOR)->SetNumber(spheroid ? spheroid->m_SemiMajor : DBL_MAX);
    Item<CNumberValueProperty>(ITEM_INVERSE_FLATTENING)
        ->SetNumber(spheroid ? spheroid->m_InverseFlattening : DBL_MAX);
}
