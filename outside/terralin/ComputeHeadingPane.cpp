#include "outside/terralin/ComputeHeadingPane.h"

#include "foundation/AngleFormat.h"
#include "outside/terralin/GeodesyProperties.h"
#include "outside/terralin/GridRangeBearing.h"

IMPLEMENT_DYNAMIC(CComputeHeadingPane, CTerralinPane)

CComputeHeadingPane::CComputeHeadingPane() = default;
CComputeHeadingPane::~CComputeHeadingPane() = default;

BOOL CComputeHeadingPane::Create(CWnd* pParent, int nID)
{
    return CreatePane(pParent, nID, "Compute Heading");
}

void CComputeHeadingPane::InitPropList()
{
    m_wndPropList.RemoveAll();
    auto* group = new CMFCPropertyGridProperty("From");
    group->AddSubItem(new CNumberValueProperty(
        "Easting", NUMBER_GRID, "Easting of the first position in grid units", ITEM_FROM_EASTING));
    group->AddSubItem(new CNumberValueProperty(
        "Northing", NUMBER_GRID, "Northing of the first position in grid units", ITEM_FROM_NORTHING));
    m_wndPropList.AddProperty(group);
    group = new CMFCPropertyGridProperty("To");
    group->AddSubItem(new CNumberValueProperty(
        "Easting", NUMBER_GRID, "Easting of the second position in grid units", ITEM_TO_EASTING));
    group->AddSubItem(new CNumberValueProperty(
        "Northing", NUMBER_GRID, "Northing of the second position in grid units", ITEM_TO_NORTHING));
    m_wndPropList.AddProperty(group);
    group = new CMFCPropertyGridProperty("Result");
    group->AddSubItem(ReadOnly(new CAngleValueProperty(
        "Heading", ANGLE_FULL_CIRCLE, "Grid bearing from the first position to the second", ITEM_HEADING)));
    group->AddSubItem(ReadOnly(new CNumberValueProperty(
        "Distance", NUMBER_DISTANCE, "Grid distance between the positions", ITEM_DISTANCE)));
    m_wndPropList.AddProperty(group);
}

void CComputeHeadingPane::Compute()
{
    const GRID_RANGE_BEARING grid =
        ComputeGridRangeBearing(Number(ITEM_FROM_EASTING), Number(ITEM_FROM_NORTHING),
                                Number(ITEM_TO_EASTING), Number(ITEM_TO_NORTHING));
    Item<CAngleValueProperty>(ITEM_HEADING)->SetAngle(grid.bearing);
    Item<CNumberValueProperty>(ITEM_DISTANCE)->SetNumber(grid.distance);
}

void CComputeHeadingPane::OnItemChanged(CMFCPropertyGridProperty* pProp)
{
    const DWORD_PTR id = pProp->GetData();
    if (id >= ITEM_FROM_EASTING && id <= ITEM_TO_NORTHING)
        Compute();
}

double CComputeHeadingPane::GetHeading() const
{
    return Angle(ITEM_HEADING);
}

double CComputeHeadingPane::GetDistance() const
{
    return Number(ITEM_DISTANCE);
}
