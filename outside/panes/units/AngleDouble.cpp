#include "outside/panes/units/AngleDouble.h"

#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"

#include <cctype>
#include <cmath>

namespace
{
constexpr int kRadiansMode = 1;
constexpr int kSignedMode = 5;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kPi = 3.141592653589793;
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

void CMFCPropertyGridAngleDouble::SetAngle(double dValue)
{
    SetValue(dValue);
}

CString CMFCPropertyGridAngleDouble::FormatProperty()
{
    const double radians = m_nMode == kRadiansMode ? GetAngle() : GetAngle() / ANGLE_RAD_TO_DEG;
    return FormatAngle(radians, AngleType(), ANGLE_FORMAT_PREFERENCE);
}

BOOL CMFCPropertyGridAngleDouble::TextToVar(const CString& strText)
{
    bool digit = false;
    for (int i = 0; i < strText.GetLength(); ++i)
        digit = digit || std::isdigit(static_cast<unsigned char>(strText[i]));
    if (!digit)
        return FALSE;
    double radians = ParseAngleText(strText, AngleType());
    if (m_nMode == kSignedMode)
    {
        if (radians > kPi)
            radians -= kTwoPi;
    }
    else
    {
        radians = std::fmod(radians, kTwoPi);
        if (radians < 0.0)
            radians += kTwoPi;
    }
    m_varValue = COleVariant(m_nMode == kRadiansMode ? radians : radians * ANGLE_RAD_TO_DEG);
    return TRUE;
}
