#include "survey/groups/HeadingComparisonGroupGridProperty.h"

#include "acoustic/engine/NumberHelpers.h"
#include "geodesy/Gyro.h"
#include "survey/groups/DeviceRows.h"
#include "survey/groups/DeviceValueDouble.h"
#include "survey/records/Mru.h"

#include <cmath>

IMPLEMENT_DEVICE_GROUP(CMFCHeadingComparisonGroupGridProperty)

namespace
{
// AngleDifference takes the short way only for directions in [0, 360); a sensor giving
// -180..180 would otherwise differ by a whole turn.
double Direction360(double degrees)
{
    const double d = std::fmod(degrees, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}
} // namespace

CMFCHeadingComparisonGroupGridProperty::CMFCHeadingComparisonGroupGridProperty(CGyro* gyro, CMru* mru)
    : CMFCPropertyGridProperty("Heading Comparison"), m_pGyro(gyro), m_pMru(mru)
{
    if (m_pGyro == nullptr || m_pMru == nullptr)
        return;
    m_pDifference = new CDeviceValueDouble("Gyro - MRU", CurrentDifference(), "%+6.1lf\xB0");
    AddSubItem(m_pDifference);
}

CMFCHeadingComparisonGroupGridProperty::~CMFCHeadingComparisonGroupGridProperty() = default;

double CMFCHeadingComparisonGroupGridProperty::Difference(double gyroHeading, double mruHeading)
{
    if (!IsDeviceValue(gyroHeading) || !IsDeviceValue(mruHeading))
        return 0.0;
    return AngleDifference(Direction360(gyroHeading), Direction360(mruHeading), ANGLE_UNITS_DEGREES);
}

double CMFCHeadingComparisonGroupGridProperty::CurrentDifference() const
{
    return Difference(m_pGyro->m_TrueHeading, m_pMru->m_Heading);
}

void CMFCHeadingComparisonGroupGridProperty::Update()
{
    if (m_pDifference == nullptr)
        return;
    const bool bothActive = m_pGyro->m_Active == 1 && m_pMru->m_Active == 1;
    m_pDifference->SetValue(bothActive ? CurrentDifference() : 0.0);
}
