// CMFCPropertyGridAngleDouble: a bearing (VT_R8) shown and typed in the user's angle notation
// ("Angle Settings", degree sign and all). In mode 1 the item holds radians; in any other mode
// it holds degrees. The text is a full-circle angle, 0 to 360 degrees, except in mode 5, a
// signed angle of -180 to +180 degrees (a convergence). A locked item cannot be edited.
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
    // Any notation the suite reads; a text with no digit is refused with a message.
    BOOL TextToVar(const CString& strText) override;

private:
    // The angle type of foundation/AngleFormat.h that the mode shows.
    int AngleType() const;
    double ToRadians(double value) const;
    double FromRadians(double radians) const;

    int m_nMode;
};
