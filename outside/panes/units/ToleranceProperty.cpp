#include "outside/panes/units/ToleranceProperty.h"

#include "outside/panes/PropertyGridColours.h"
#include "outside/panes/PropertyGridDualDisplay.h"

#include <cmath>

CMFCPropertyGridTolerance::CMFCPropertyGridTolerance(const CString& strName, double dValue, LPCTSTR lpszFormat,
                                                     LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(dValue), lpszDescr, dwData),
      m_strFormat(lpszFormat ? lpszFormat : "%.3lf")
{
    AllowEdit(FALSE);
}

void CMFCPropertyGridTolerance::ShowJudged(double dValue, bool bWithin)
{
    m_bWithin = bWithin;
    CMFCPropertyGridProperty::SetValue(COleVariant(dValue));
    // The colour changes even when the value shown does not.
    Redraw();
}

void CMFCPropertyGridTolerance::SetValue(double dValue, double dTolerance)
{
    ShowJudged(dValue, std::isfinite(dValue) && std::isfinite(dTolerance) && std::fabs(dValue) <= dTolerance);
}

void CMFCPropertyGridTolerance::SetAngle(double dMeasured, double dWanted, double dTolerance)
{
    bool within = false;
    if (std::isfinite(dMeasured) && std::isfinite(dWanted) && std::isfinite(dTolerance))
    {
        double difference = std::fmod(dMeasured - dWanted, 360.0);
        if (difference > 180.0)
            difference -= 360.0;
        else if (difference < -180.0)
            difference += 360.0;
        within = std::fabs(difference) <= dTolerance;
    }
    ShowJudged(dMeasured, within);
}

CString CMFCPropertyGridTolerance::FormatProperty()
{
    // A reading that is missing shows as nothing rather than as "nan".
    if (!std::isfinite(GetShownValue()))
        return CString();
    return FormatOneValue(m_strFormat, GetShownValue());
}

BOOL CMFCPropertyGridTolerance::OnEdit(LPPOINT)
{
    return FALSE;
}

BOOL CMFCPropertyGridTolerance::GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const
{
    if (m_bWithin)
        return FALSE;
    clrText = PANES_WARNING_TEXT;
    clrBack = PANES_WARNING_BACK;
    return TRUE;
}
