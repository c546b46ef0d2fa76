#include "outside/panes/units/AngleProperty.h"

#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"

#include <cctype>
#include <cmath>

namespace
{
// Text with no digit at all is no angle; the parser would read it as 0.
bool HasDigit(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (std::isdigit(static_cast<unsigned char>(text[i])))
            return true;
    return false;
}

// The largest angle (degrees) a text of this type may give.
double LimitDegrees(int type)
{
    return type == ANGLE_LATITUDE ? 90.0 : 180.0;
}
} // namespace

CMFCPropertyGridAngleProperty::CMFCPropertyGridAngleProperty(const CString& strName, double dRadians,
                                                             int nAngleType, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(dRadians), lpszDescr, dwData), m_nAngleType(nAngleType)
{
}

void CMFCPropertyGridAngleProperty::SetAngle(double dRadians)
{
    SetValue(COleVariant(dRadians));
}

CString CMFCPropertyGridAngleProperty::FormatProperty()
{
    return FormatAngle(GetAngle(), m_nAngleType, ANGLE_FORMAT_PREFERENCE);
}

BOOL CMFCPropertyGridAngleProperty::TextToVar(const CString& strText)
{
    if (!HasDigit(strText))
        return FALSE;
    const double radians = ParseAngleText(strText, m_nAngleType);
    // The parser gives 0 for a text beyond the type's limits; only a text that says 0 means it.
    if (radians == 0.0)
    {
        for (int i = 0; i < strText.GetLength(); ++i)
            if (std::isdigit(static_cast<unsigned char>(strText[i])) && strText[i] != '0')
                return FALSE;
    }
    if (std::fabs(radians * ANGLE_RAD_TO_DEG) > LimitDegrees(m_nAngleType))
        return FALSE;
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
    if (!HasDigit(strText))
        return FALSE;
    const long degrees = std::lround(ParseAngleText(strText, ANGLE_FULL_CIRCLE) * ANGLE_RAD_TO_DEG);
    m_varValue = COleVariant(((degrees % 360) + 360) % 360);
    return TRUE;
}
