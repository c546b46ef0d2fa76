// CMFCMruGroupGridProperty: a motion reference unit as a group of read-only rows (the panes
// name it "Motion Reference Unit"):
//   0  Heading (degrees true) | whether its heading is used ("True" while m_UseHeading > 0)
//   1  grid heading (degrees) | Conv. (grid convergence, degrees)
//   2  Pitch | Roll (degrees, signed)
//   3  title "Tilt"
//   4  Angle | Heading (tilt angle and its direction, degrees)
// A heading, pitch or roll that the record marks as no value (the largest double) shows empty.
// The group keeps the MRU's pointer and reads it only in Update; a null MRU gives a group
// without rows whose Update does nothing.
#pragma once

#include "outside/panes/GroupProperty.h"
#include "survey/SurveyApi.h"
#include "survey/groups/DeviceGroupClass.h"

class CMru;
class CMFCPropertyGridDualDisplay;

class SURVEY_API CMFCMruGroupGridProperty : public CMFCGroupPropertyGridProperty
{
    DECLARE_DEVICE_GROUP(CMFCMruGroupGridProperty)

public:
    // nPosition: the group's index in its grid.
    CMFCMruGroupGridProperty(const char* name, CMru* mru, int nPosition);
    ~CMFCMruGroupGridProperty() override;

    // The rows from the MRU while it is active; nothing otherwise. Always false.
    bool Update();

    enum ROW
    {
        ROW_HEADING,
        ROW_GRID_HEADING,
        ROW_PITCH_ROLL,
        ROW_TILT_TITLE,
        ROW_TILT,
        ROW_COUNT
    };

private:
    CMru* m_pMru;
    CMFCPropertyGridDualDisplay* m_pHeading = nullptr;
    CMFCPropertyGridDualDisplay* m_pGridHeading = nullptr;
    CMFCPropertyGridDualDisplay* m_pPitchRoll = nullptr;
    CMFCPropertyGridDualDisplay* m_pTilt = nullptr;
};
