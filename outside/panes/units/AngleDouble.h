// CMFCPropertyGridAngleDouble: a bearing (VT_R8) shown and typed in the user's angle notation
// ("Angle Settings", degree sign and all). In mode 1 the item holds radians; in any other mode
// it holds degrees. Either way the text is a full-circle angle, 0 to 360 degrees. A locked
// item cannot be edited.
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
    double ToRadians(double value) const;
    double FromRadians(double radians) const;

    int m_nMode;
};
