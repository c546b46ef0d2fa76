// Geographic and whole-degree angle items of the property grid.
//  - CMFCPropertyGridAngleProperty: a latitude (angle type 5) or longitude (type 6) held in
//    radians (VT_R8), shown and typed in the user's notation for that type.
//  - CMFCPropertyGridAngleInteger: a bearing in whole degrees (VT_I4), 0 to 359, typed in any
//    notation the suite reads and rounded to the nearest degree.
// Either refuses a text it cannot read as an angle, and the value stays.
#pragma once

#include "platform/ui/PropertyGrid.h"

class CMFCPropertyGridAngleProperty : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridAngleProperty(const CString& strName, double dRadians, int nAngleType,
                                  LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    double GetAngle() const { return GetValue().dblVal; }
    void SetAngle(double dRadians);
    int GetAngleType() const { return m_nAngleType; }

    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;

private:
    int m_nAngleType;
};

class CMFCPropertyGridAngleInteger : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridAngleInteger(const CString& strName, int nDegrees, LPCTSTR lpszDescr = nullptr,
                                 DWORD_PTR dwData = 0);

    int GetDegrees() const { return static_cast<int>(GetValue().lVal); }
    void SetDegrees(int nDegrees);

    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
};
