#include "outside/terralin/DatumShiftPane.h"

#include "foundation/AngleFormat.h"
#include "geodesy/Datum.h"
#include "outside/terralin/GeodesyProperties.h"

IMPLEMENT_DYNAMIC(CDatumShiftPane, CTerralinPane)

namespace
{
const char* const kMethodNames[CDatum::METHOD_COUNT] = {
    "Grid To Grid",      "Helmert Transformation", "OSTN Grid Shift",      "Norwegian Transformation",
    "NADCON Grid Shift", "NTv2 Grid Shift",        "Grid To Grid Helmert", "User Helmert File",
    "User Shift File",   "User Grid File"};
} // namespace

CDatumShiftPane::CDatumShiftPane() = default;
CDatumShiftPane::~CDatumShiftPane() = default;

BOOL CDatumShiftPane::Create(CWnd* pParent, int nID, CDatum* pDatum, bool bShowGeocentric, bool bShowHeight)
{
    m_pDatum = pDatum;
    m_bShowGeocentric = bShowGeocentric;
    m_bShowHeight = bShowHeight;
    return CreatePane(pParent, nID, "Datum Shift");
}

void CDatumShiftPane::AddSide(const char* caption, int offset)
{
    auto* group = new CMFCPropertyGridProperty(caption);
    AddPositionItems(group, ITEM_EASTING + offset, ITEM_NORTHING + offset, ITEM_LATITUDE + offset,
                     ITEM_LONGITUDE + offset);
    if (m_bShowHeight)
        group->AddSubItem(new CNumberValueProperty("Height", NUMBER_HEIGHT, "Ellipsoidal height, metres",
                                                   ITEM_HEIGHT + offset));
    if (m_bShowGeocentric)
    {
        const char* names[] = {"X", "Y", "Z"};
        for (int i = 0; i < 3; ++i)
        {
            group->AddSubItem(ReadOnly(new CNumberValueProperty(
                names[i], NUMBER_FIXED, "Geocentric co-ordinate, metres", ITEM_X + i + offset, 3, "m")));
        }
    }
    m_wndPropList.AddProperty(group);
}

void CDatumShiftPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("Transformation");
    group->AddSubItem(MakeInfoProperty("From", "", "The datum positions are typed on", ITEM_FROM_NAME));
    group->AddSubItem(MakeInfoProperty("To", "", "The datum positions are taken to", ITEM_TO_NAME));
    group->AddSubItem(MakeInfoProperty("Method", "", "The transformation and its region", ITEM_REGION));
    group->AddSubItem(
        MakeInfoProperty("Status", "", "Whether the last position could be converted", ITEM_STATUS));
    m_wndPropList.AddProperty(group);
    AddSide("From Datum", 0);
    AddSide("To Datum", TO_SIDE);
    ShowNames();
}

void CDatumShiftPane::ShowNames()
{
    CString from, to, method;
    if (m_pDatum != nullptr)
    {
        from = m_pDatum->m_FromName;
        to = m_pDatum->m_ToName;
        const int m = m_pDatum->m_Method;
        method = (m >= 0 && m < CDatum::METHOD_COUNT) ? kMethodNames[m] : "";
        if (!m_pDatum->m_Region.IsEmpty())
            method += ", " + m_pDatum->m_Region;
    }
    FindItem(ITEM_FROM_NAME)->SetValue(COleVariant(from));
    FindItem(ITEM_TO_NAME)->SetValue(COleVariant(to));
    FindItem(ITEM_REGION)->SetValue(COleVariant(method));
}

void CDatumShiftPane::OnItemChanged(CMFCPropertyGridProperty* pProp)
{
    const int id = static_cast<int>(pProp->GetData());
    const int side = id >= ITEM_EASTING + TO_SIDE ? TO_SIDE : 0;
    switch (id - side)
    {
    case ITEM_EASTING:
    case ITEM_NORTHING:
        m_nTypedSide = side;
        m_bGridTyped = true;
        break;
    case ITEM_LATITUDE:
    case ITEM_LONGITUDE:
        m_nTypedSide = side;
        m_bGridTyped = false;
        break;
    case ITEM_HEIGHT:
        // A height goes with the position of its side.
        if (side != m_nTypedSide)
        {
            m_nTypedSide = side;
            m_bGridTyped = false;
        }
        break;
    default:
        return;
    }
    Convert();
}

void CDatumShiftPane::Convert()
{
    if (m_pDatum == nullptr)
        return;
    const int in = m_nTypedSide, out = TO_SIDE - m_nTypedSide;
    CProjection* inProjection = in == 0 ? &m_pDatum->m_Projection : m_pDatum->m_pToProjection;
    double height = Number(ITEM_HEIGHT + in);
    if (height == DBL_MAX)
        height = 0.0;
    DatumPoint from{}, to{};
    DatumPoint& source = in == 0 ? from : to;
    DatumPoint& target = in == 0 ? to : from;
    bool ready;
    if (m_bGridTyped)
    {
        const double e = Number(ITEM_EASTING + in), n = Number(ITEM_NORTHING + in);
        ready = e != DBL_MAX && n != DBL_MAX && inProjection != nullptr;
        if (ready)
        {
            CDatum::SetFromGrid(&source, inProjection, e, n, height);
            // A grid the projection cannot convert has no position.
            ready = source.Latitude != 0.0 || source.Longitude != 0.0;
        }
    }
    else
    {
        const double lat = Angle(ITEM_LATITUDE + in), lon = Angle(ITEM_LONGITUDE + in);
        ready = lat != DBL_MAX && lon != DBL_MAX;
        if (ready)
            CDatum::SetFromGeographic(&source, inProjection, lat, lon, height);
    }
    CString status;
    bool converted = false;
    if (ready)
    {
        converted = m_pDatum->Convert(&from, &to, in == 0 ? 1 : -1);
        status = converted ? "Converted" : "Not converted";
        if (!m_pDatum->m_AreaText.IsEmpty())
            status += m_pDatum->m_AreaText;
    }
    auto show = [&](int offset, const DatumPoint* p, bool withGrid) {
        const bool hasGrid = p != nullptr && withGrid;
        Item<CNumberValueProperty>(ITEM_EASTING + offset)->SetNumber(hasGrid ? p->Easting : DBL_MAX);
        Item<CNumberValueProperty>(ITEM_NORTHING + offset)->SetNumber(hasGrid ? p->Northing : DBL_MAX);
        Item<CAngleValueProperty>(ITEM_LATITUDE + offset)->SetAngle(p ? p->Latitude : DBL_MAX);
        Item<CAngleValueProperty>(ITEM_LONGITUDE + offset)->SetAngle(p ? p->Longitude : DBL_MAX);
        if (auto* h = Item<CNumberValueProperty>(ITEM_HEIGHT + offset))
            h->SetNumber(p ? p->Height : DBL_MAX);
        if (m_bShowGeocentric)
        {
            Item<CNumberValueProperty>(ITEM_X + offset)->SetNumber(p ? p->X : DBL_MAX);
            Item<CNumberValueProperty>(ITEM_Y + offset)->SetNumber(p ? p->Y : DBL_MAX);
            Item<CNumberValueProperty>(ITEM_Z + offset)->SetNumber(p ? p->Z : DBL_MAX);
        }
    };
    if (ready)
        show(in, &source, (in == 0 ? &m_pDatum->m_Projection : m_pDatum->m_pToProjection) != nullptr);
    const CProjection* outProjection = out == 0 ? &m_pDatum->m_Projection : m_pDatum->m_pToProjection;
    show(out, converted ? &target : nullptr, outProjection != nullptr);
    FindItem(ITEM_STATUS)->SetValue(COleVariant(status));
}

void CDatumShiftPane::RefreshDatum()
{
    if (m_wndPropList.GetSafeHwnd() == nullptr)
        return;
    ShowNames();
    Convert();
}

void CDatumShiftPane::UpdateAngles() {}

void CDatumShiftPane::UpdateGeographicals()
{
    for (int side : {0, static_cast<int>(TO_SIDE)})
    {
        Item<CAngleValueProperty>(ITEM_LATITUDE + side)->Reformat();
        Item<CAngleValueProperty>(ITEM_LONGITUDE + side)->Reformat();
    }
}

void CDatumShiftPane::UpdateGrid()
{
    for (int side : {0, static_cast<int>(TO_SIDE)})
    {
        Item<CNumberValueProperty>(ITEM_EASTING + side)->Reformat();
        Item<CNumberValueProperty>(ITEM_NORTHING + side)->Reformat();
        if (auto* h = Item<CNumberValueProperty>(ITEM_HEIGHT + side))
            h->Reformat();
    }
}
