#include "survey/groups/CRPComparisonGroupGridProperty.h"

#include "foundation/Geometry.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "survey/groups/DeviceRows.h"

#include <cmath>

IMPLEMENT_DEVICE_GROUP(CMFCCRPComparisonGroupGridProperty)

namespace
{
// Radians to degrees as the bearing has always been shown.
constexpr double kDegreesPerRadian = 57.2957795131;
} // namespace

CMFCCRPComparisonGroupGridProperty::CMFCCRPComparisonGroupGridProperty(const char* name)
    : CMFCPropertyGridProperty(name != nullptr ? name : ""),
      m_pDifference(new CMFCPropertyGridDualDisplay("dEng", 0.0, "%12.3lf", "E", "dNng", 0.0, "%12.3lf", "N")),
      m_pRangeBearing(new CMFCPropertyGridDualDisplay("Range", 0.0, "%8.3lf", "m", "Bearing", 0.0, "%6.2lf", "\xB0"))
{
    AddSubItem(m_pDifference);
    AddSubItem(m_pRangeBearing);
}

CMFCCRPComparisonGroupGridProperty::~CMFCCRPComparisonGroupGridProperty() = default;

void CMFCCRPComparisonGroupGridProperty::Update(const char* nameA, tagXY a, const char* nameB, tagXY b)
{
    CString name;
    name.Format("Comparison %s/%s", nameA != nullptr ? nameA : "", nameB != nullptr ? nameB : "");
    if (name != GetName())
        SetName(name);
    if (!IsDeviceValue(a.x) || !IsDeviceValue(a.y) || !IsDeviceValue(b.x) || !IsDeviceValue(b.y))
    {
        ShowDeviceValues(*m_pDifference, NAN, NAN);
        ShowDeviceValues(*m_pRangeBearing, NAN, NAN);
        return;
    }
    double bearing = 0.0, range = 0.0;
    ComputeRangeBearing(a.x, a.y, b.x, b.y, &bearing, &range);
    ShowDeviceValues(*m_pDifference, b.x - a.x, b.y - a.y);
    ShowDeviceValues(*m_pRangeBearing, range, bearing * kDegreesPerRadian);
}

void CMFCCRPComparisonGroupGridProperty::ClearReadings()
{
    ShowDeviceValues(*m_pDifference, 0.0, 0.0);
    ShowDeviceValues(*m_pRangeBearing, 0.0, 0.0);
}
