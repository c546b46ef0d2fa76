#include "outside/panes/units/AngleDouble.h"

#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"
#include "outside/notifex/Notifex.h"

#include <cctype>
#include <cmath>

namespace
{
constexpr int kRadiansMode = 1;
constexpr double kTwoPi = 6.283185307179586;
} // namespace

CMFCPropertyGridAngleDouble::CMFCPropertyGridAngleDouble(const CString& strName, double dValue, int nMode,
                                                         LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridDouble(strName, dValue, "%.3lf", lpszDescr, dwData), m_nMode(nMode)
{
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
    return FormatAngle(ToRadians(GetAngle()), ANGLE_FULL_CIRCLE, ANGLE_FORMAT_PREFERENCE);
}

BOOL CMFCPropertyGridAngleDouble::TextToVar(const CString& strText)
{
    bool digit = false;
    for (int i = 0; i < strText.GetLength(); ++i)
        digit = digit || std::isdigit(static_cast<unsigned char>(strText[i]));
    if (!digit)
    {
        CString message;
        message.Format("\"%s\" is not an angle.\nThe value has not been changed.", static_cast<LPCSTR>(strText));
        ErrorMessage(message);
        return FALSE;
    }
    double radians = ParseAngleText(strText, ANGLE_FULL_CIRCLE);
    // A bearing is kept within one turn, as the anchor and structure records keep theirs.
    radians = std::fmod(radians, kTwoPi);
    if (radians < 0.0)
        radians += kTwoPi;
    m_varValue = COleVariant(FromRadians(radians));
    return TRUE;
}
