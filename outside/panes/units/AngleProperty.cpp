#include "outside/panes/units/AngleProperty.h"

#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"

#include <cmath>

namespace
{
constexpr double kFullTurn = 6.283185307179586;
} // namespace

CMFCPropertyGridAngleProperty::CMFCPropertyGridAngleProperty(const CString& strName, double dRadians,
                                                             int nAngleType, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(dRadians), lpszDescr, dwData), m_nAngleType(nAngleType)
{
}

void CMFCPropertyGridAngleProperty::SetAngle(double dRadians)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(dRadians));
}

CString CMFCPropertyGridAngleProperty::FormatProperty()
{
    return FormatAngle(GetAngle(), m_nAngleType, ANGLE_FORMAT_PREFERENCE);
}

BOOL CMFCPropertyGridAngleProperty::TextToVar(const CString& strText)
{
    double radians = 0.0;
    const int result = ReadAngleText(strText, m_nAngleType, radians);
    if (result != ANGLE_TEXT_READ)
    {
        m_Refusal.Refused(*this, strText, DescribeAngleTextResult(result, m_nAngleType));
        return FALSE;
    }
    m_Refusal.Taken(*this);
    m_varValue = COleVariant(radians);
    return TRUE;
}

CMFCPropertyGridAngleInteger::CMFCPropertyGridAngleInteger(const CString& strName, int nDegrees,
                                                           LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(static_cast<long>(nDegrees)), lpszDescr, dwData)
{
}

void CMFCPropertyGridAngleInteger::SetDegrees(int nDegrees)
{
    SetValue(COleVariant(static_cast<long>(nDegrees)));
}

CString CMFCPropertyGridAngleInteger::FormatProperty()
{
    CString text;
    text.Format("%03d\xB0", GetDegrees());
    return text;
}

BOOL CMFCPropertyGridAngleInteger::TextToVar(const CString& strText)
{
    double radians = 0.0;
    const int result = ReadAngleText(strText, ANGLE_FULL_CIRCLE, radians);
    // A bearing beyond a turn is the same bearing: 370 is 10.
    if (result != ANGLE_TEXT_READ && result != ANGLE_TEXT_BEYOND_LIMIT)
    {
        m_Refusal.Refused(*this, strText, DescribeAngleTextResult(result, ANGLE_FULL_CIRCLE));
        return FALSE;
    }
    m_Refusal.Taken(*this);
    const long degrees = std::lround(std::fmod(radians, kFullTurn) * ANGLE_RAD_TO_DEG);
    m_varValue = COleVariant(((degrees % 360) + 360) % 360);
    return TRUE;
}
