// CMFCPropertyGridMetricProperty: a distance held in metres (VT_R8) and shown and typed in the
// user's distance unit, with the unit's suffix; a value that is not a finite number shows
// empty. A locked item cannot be edited.
//
// Kind codes (the first constructor argument after the value):
//   12  a coordinate or depth: the user's grid decimals ("Grid Settings");
//   10  a length or range: the user's distance decimals ("Grid Settings");
//   any other code shows three decimals.
// The second code is kept for the caller; 0 (plain) is the only one the suite passes.
#pragma once

#include "outside/panes/PropertyGridItems.h"

enum METRIC_KIND
{
    METRIC_LENGTH = 10,
    METRIC_COORDINATE = 12
};

class CMFCPropertyGridMetricProperty : public CMFCPropertyGridDouble
{
public:
    CMFCPropertyGridMetricProperty(const CString& strName, double dMetres, int nKind, int nSubKind = 0,
                                   LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // The unit every metric item shows from now on: metres in one unit (> 0) and the text written
    // after the number. Metres (1, " m") until a program says otherwise.
    static void SetDistanceUnit(double dMetresPerUnit, const CString& strSuffix);
    static double GetMetresPerUnit();

    double GetMetres() const { return GetValue().dblVal; }
    void SetMetres(double dMetres);
    // The same as SetMetres, by the name the panes call.
    void SetValue(double dMetres) { SetMetres(dMetres); }
    using CMFCPropertyGridDouble::SetValue;
    int GetKind() const { return m_nKind; }
    int GetSubKind() const { return m_nSubKind; }

    CString FormatProperty() override;
    // The leading number of the text in the user's unit; a text that holds no finite number is
    // refused with a message and the value stays.
    BOOL TextToVar(const CString& strText) override;

    // A length the user has not given yet and must: its value shows in the marking colours (as
    // a refused input shows elsewhere) and its description says it is missing. The grid shows
    // the change at its next layout.
    void SetMissing(bool bMissing);
    bool IsMissing() const { return m_bMissing; }
    BOOL GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const override;

private:
    int m_nKind;
    int m_nSubKind;
    int m_nDecimals;
    bool m_bMissing = false;
    CString m_strPlainDescription;
};

// The leading finite number of a typed text; false (and a message to the user naming the text)
// when it holds none. Shared by the items that take numbers.
bool ReadTypedNumber(const CString& strText, double& dValue);
