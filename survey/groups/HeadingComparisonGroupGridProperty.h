// CMFCHeadingComparisonGroupGridProperty: the gyro's heading against the MRU's, as a group
// "Heading Comparison" with one read-only row "Gyro - MRU": gyro minus MRU in degrees, taken
// the short way across north (359 against 1 is -2, not 358).
// The group keeps both pointers and reads them in its constructor and Update; with either
// null it has no rows and Update does nothing.
#pragma once

#include "platform/ui/PropertyGrid.h"
#include "survey/SurveyApi.h"
#include "survey/groups/DeviceGroupClass.h"

class CDeviceValueDouble;
class CGyro;
class CMru;

class SURVEY_API CMFCHeadingComparisonGroupGridProperty : public CMFCPropertyGridProperty
{
    DECLARE_DEVICE_GROUP(CMFCHeadingComparisonGroupGridProperty)

public:
    // Shows the difference of the two headings as they are now, active or not.
    CMFCHeadingComparisonGroupGridProperty(CGyro* gyro, CMru* mru);
    ~CMFCHeadingComparisonGroupGridProperty() override;

    // The difference while gyro and MRU are both active, else 0.
    void Update();

    // Gyro minus MRU heading (degrees, [-180, 180]); each heading is taken into [0, 360) first.
    // 0 when either heading is no value (the MRU's largest double, NaN, infinity).
    static double Difference(double gyroHeading, double mruHeading);

    CDeviceValueDouble* GetDifferenceRow() const { return m_pDifference; }

private:
    double CurrentDifference() const;

    CGyro* m_pGyro;
    CMru* m_pMru;
    CDeviceValueDouble* m_pDifference = nullptr;
};
