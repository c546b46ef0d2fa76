// CMFCGpsHeadingGroupPropertyGrid: the heading measured between two GNSS antennas, as a group
// "GPS Heading" of one read-only row, named after the antenna pair once a heading arrives.
#pragma once

#include "platform/ui/PropertyGrid.h"
#include "survey/SurveyApi.h"
#include "survey/groups/DeviceGroupClass.h"

class CDeviceValueDouble;

class SURVEY_API CMFCGpsHeadingGroupPropertyGrid : public CMFCPropertyGridProperty
{
    DECLARE_DEVICE_GROUP(CMFCGpsHeadingGroupPropertyGrid)

public:
    CMFCGpsHeadingGroupPropertyGrid();
    ~CMFCGpsHeadingGroupPropertyGrid() override;

    // The row named "<nameA>/<nameB>" (a null name counts as empty) shows `heading` (degrees
    // true, [0, 360)); a heading that is no value shows empty.
    void Update(const char* nameA, const char* nameB, double heading);
    // The heading back to 0.
    void ClearReading();

    CDeviceValueDouble* GetHeadingRow() const { return m_pHeading; }

private:
    CDeviceValueDouble* m_pHeading;
};
