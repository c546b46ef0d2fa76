// CDispAngle: a read-only text that shows an angle (radians) in the user's notation for its
// type, or nothing until it has a value. CDispLat and CDispLon show latitudes and longitudes
// with the user's default hemisphere letter for an angle of 0.
#pragma once

#include "platform/ui/Static.h"

class CDispAngle : public CStatic
{
public:
    explicit CDispAngle(int nAngleType = 2) : m_nAngleType(nAngleType) {}

    // Stores the value and shows it with the settings of the type as they are now.
    void SetValue(double radians);
    // Back to showing nothing.
    void ClearValue();
    // Shows the value again, after the settings changed.
    void ShowValue();

    bool HasValue() const { return m_bHasValue; }
    double GetAngle() const { return m_dRadians; }
    int GetAngleType() const { return m_nAngleType; }
    // The text the value shows as now (empty without a value).
    CString FormatValue() const;

protected:
    bool m_bHasValue = false;
    int m_nAngleType;
    double m_dRadians = 0.0;
};

class CDispLat : public CDispAngle
{
public:
    CDispLat() : CDispAngle(5) {}
};

class CDispLon : public CDispAngle
{
public:
    CDispLon() : CDispAngle(6) {}
};
