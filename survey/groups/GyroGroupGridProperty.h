// CMFCGyroGroupGridProperty: a gyro compass as a group "Gyro" of read-only rows:
//   0  Heading (degrees true) | whether the MRU's heading is used ("True" or "False")
//   1  grid heading (degrees) | Conv. (grid convergence, degrees)
//   2  Rate of Turn (degrees per minute), shown while the gyro reports it; hidden at first
// The group keeps the gyro's pointer and reads it only in Update and SetUse; a null gyro gives
// a group without rows whose methods do nothing.
#pragma once

#include "outside/panes/GroupProperty.h"
#include "survey/SurveyApi.h"
#include "survey/groups/DeviceGroupClass.h"

class CGyro;
class CMFCPropertyGridDualDisplay;

class SURVEY_API CMFCGyroGroupGridProperty : public CMFCGroupPropertyGridProperty
{
    DECLARE_DEVICE_GROUP(CMFCGyroGroupGridProperty)

public:
    // nPosition: the group's index in its grid.
    CMFCGyroGroupGridProperty(CGyro* gyro, int nPosition);
    ~CMFCGyroGroupGridProperty() override;

    // The rows from the gyro, with `use` beside the heading; nothing while the gyro is not
    // active.
    void Update(bool use);
    // The heading and `use` beside it, active or not.
    void SetUse(bool use);

    enum ROW
    {
        ROW_HEADING,
        ROW_GRID_HEADING,
        ROW_RATE_OF_TURN,
        ROW_COUNT
    };

private:
    CGyro* m_pGyro;
    CMFCPropertyGridDualDisplay* m_pHeading = nullptr;
    CMFCPropertyGridDualDisplay* m_pGridHeading = nullptr;
    CMFCPropertyGridDualDisplay* m_pRateOfTurn = nullptr;
};
