// Geographic and whole-degree angle items of the property grid.
//  - CMFCPropertyGridAngleProperty: a latitude (angle type 5) or longitude (type 6) held in
//    radians (VT_R8), shown and typed in the user's notation for that type.
//  - CMFCPropertyGridAngleInteger: a bearing in whole degrees (VT_I4), 0 to 359, typed in any
//    notation the suite reads and rounded to the nearest degree.
// Either refuses a text it cannot read as an angle, or one beyond its type's limits (the
// whole-degree item wraps a bearing beyond a turn instead): the value stays, the grid's owner
// hears nothing, and the description says why.
#pragma once

#include "outside/panes/RefusalNote.h"
#include "platform/ui/PropertyGrid.h"

class CMFCPropertyGridAngleProperty : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridAngleProperty(const CString& strName, double dRadians, int nAngleType,
                                  LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    double GetAngle() const { return GetValue().dblVal; }
    void SetAngle(double dRadians);
    // The same as SetAngle (radians), by the name the panes call.
    void SetValue(double dRadians) { SetAngle(dRadians); }
    using CMFCPropertyGridProperty::SetValue;
    int GetAngleType() const { return m_nAngleType; }

    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;

private:
    int m_nAngleType;
    CRefusalNote m_Refusal;
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

private:
    CRefusalNote m_Refusal;
};
