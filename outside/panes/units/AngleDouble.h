// CMFCPropertyGridAngleDouble: an angle (VT_R8) shown and typed in the user's angle notation.
// Modes: 1 holds radians and shows a bearing, 0 to 360 degrees (a grid bearing); 5 holds
// degrees and shows a signed angle, -180 to +180 (a convergence); any other mode (0, a true
// bearing) holds degrees and shows 0 to 360. A locked item cannot be edited.
#pragma once

#include "outside/panes/PropertyGridItems.h"

class CMFCPropertyGridAngleDouble : public CMFCPropertyGridDouble
{
public:
    CMFCPropertyGridAngleDouble(const CString& strName, double dValue, int nMode, LPCTSTR lpszDescr = nullptr,
                                DWORD_PTR dwData = 0);

    double GetAngle() const { return GetValue().dblVal; }
    void SetAngle(double dValue);
    int GetMode() const { return m_nMode; }

    CString FormatProperty() override;
    // Any notation the suite reads; a text with no digit is refused and the value stays.
    BOOL TextToVar(const CString& strText) override;

private:
    // The angle type of foundation/AngleFormat.h the mode shows.
    int AngleType() const;

    int m_nMode;
};
