// CMFCCRPComparisonGroupGridProperty: one grid position against another (the vessel's
// reference point as two receivers put it), as a group of read-only rows:
//   0  dEng | dNng     b minus a, easting and northing (grid units)
//   1  Range | Bearing  from a to b: grid distance, and grid bearing in degrees [0, 360)
// A position that is no value (NaN, infinite, the largest double) leaves the rows empty.
#pragma once

#include "foundation/XYArray.h"
#include "platform/ui/PropertyGrid.h"
#include "survey/SurveyApi.h"
#include "survey/groups/DeviceGroupClass.h"

class CMFCPropertyGridDualDisplay;

class SURVEY_API CMFCCRPComparisonGroupGridProperty : public CMFCPropertyGridProperty
{
    DECLARE_DEVICE_GROUP(CMFCCRPComparisonGroupGridProperty)

public:
    explicit CMFCCRPComparisonGroupGridProperty(const char* name);
    ~CMFCCRPComparisonGroupGridProperty() override;

    // The group renamed "Comparison <nameA>/<nameB>" (a null name counts as empty), the rows
    // from a to b.
    void Update(const char* nameA, tagXY a, const char* nameB, tagXY b);
    // All four values 0.
    void ClearReadings();

    enum ROW
    {
        ROW_DIFFERENCE,
        ROW_RANGE_BEARING,
        ROW_COUNT
    };

private:
    CMFCPropertyGridDualDisplay* m_pDifference;
    CMFCPropertyGridDualDisplay* m_pRangeBearing;
};
