#include "outside/panes/units/AngleDouble.h"

#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"
#include "outside/notifex/Notifex.h"

#include <cmath>

namespace
{
constexpr int kRadiansMode = 1;
constexpr int kSignedMode = 5;
constexpr double kTwoPi = 6.283185307179586;
} // namespace

CMFCPropertyGridAngleDouble::CMFCPropertyGridAngleDouble(const CString& strName, double dValue, int nMode,
                                                         LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridDouble(strName, dValue, "%.3lf", lpszDescr, dwData), m_nMode(nMode)
{
}

int CMFCPropertyGridAngleDouble::AngleType() const
{
    return m_nMode == kSignedMode ? ANGLE_SIGNED : ANGLE_FULL_CIRCLE;
}

double CMFCPropertyGridAngleDouble::ToRadians(double value) const
{
    return m_nMode == kRadiansMode ? value : value / ANGLE_RAD_TO_DEG;
}

double CMFCPropertyGridAngleDouble::FromRadians(double radians) const
{
    return m_nMode == kRadiansMode ? radians : radians * ANGLE_RAD_TO_DEG;
}

void CMFCPropertyGridAngleDouble::SetAngle(double dValue)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(dValue));
}

CString CMFCPropertyGridAngleDouble::FormatProperty()
{
    return FormatAngle(ToRadians(GetAngle()), AngleType(), ANGLE_FORMAT_PREFERENCE);
}

BOOL CMFCPropertyGridAngleDouble::TextToVar(const CString& strText)
{
    double radians = 0.0;
    int result = ReadAngleText(strText, AngleType(), radians);
    // A signed angle beyond its half turn is a slip (the parser allows a signed text a whole
    // turn); a bearing beyond a turn is the same bearing (370 is 10).
    int limitType = AngleType();
    if (m_nMode == kSignedMode && result == ANGLE_TEXT_READ && std::fabs(radians * ANGLE_RAD_TO_DEG) > 180.0)
    {
        result = ANGLE_TEXT_BEYOND_LIMIT;
        limitType = ANGLE_SIGNED_2DP;
    }
    const bool wraps = result == ANGLE_TEXT_BEYOND_LIMIT && m_nMode != kSignedMode;
    if (result != ANGLE_TEXT_READ && !wraps)
    {
        const CString why = DescribeAngleTextResult(result, limitType);
        m_Refusal.Refused(*this, strText, why);
        CString message;
        message.Format("\"%s\" is not an angle the item takes. %s\nThe value has not been changed.",
                       static_cast<LPCSTR>(strText), static_cast<LPCSTR>(why));
        ErrorMessage(message);
        return FALSE;
    }
    m_Refusal.Taken(*this);
    double value = FromRadians(radians);
    // A bearing is kept within one turn, as the anchor and structure records keep theirs. The
    // turn is taken in the unit held, so that 720 typed holds 0 and not 360 less a rounding.
    if (m_nMode != kSignedMode)
    {
        const double turn = m_nMode == kRadiansMode ? kTwoPi : 360.0;
        value = std::fmod(value, turn);
        if (value < 0.0)
            value += turn;
        if (value >= turn * (1.0 - 1e-12))
            value = 0.0;
    }
    m_varValue = COleVariant(value);
    return TRUE;
}
