// CMFCPropertyGridTolerance: a read-only value judged against a tolerance (a range to the
// target, a heading against the one wanted): the value shows with its printf format, in the
// warning colour (PropertyGridColours.h) while it lies out of tolerance.
//  - SetValue(value, tolerance): within when |value| <= tolerance;
//  - SetAngle(measured, wanted, tolerance), degrees: the measured angle is shown, within when
//    the difference wrapped to -180..180 degrees is within (359 against 1 is 2 apart).
// A value, angle or tolerance that is not a finite number is out of tolerance; such a value
// shows empty.
#pragma once

#include "platform/ui/PropertyGrid.h"

class CMFCPropertyGridTolerance : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridTolerance(const CString& strName, double dValue, LPCTSTR lpszFormat = "%.3lf",
                              LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    void SetValue(double dValue, double dTolerance);
    using CMFCPropertyGridProperty::SetValue;
    void SetAngle(double dMeasured, double dWanted, double dTolerance);
    double GetShownValue() const { return GetValue().dblVal; }
    bool IsWithin() const { return m_bWithin; }

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const override;

private:
    void ShowJudged(double dValue, bool bWithin);

    CString m_strFormat;
    bool m_bWithin = true;
};
