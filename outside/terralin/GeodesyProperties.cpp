#include "outside/terralin/GeodesyProperties.h"

#include "foundation/AngleFormat.h"
#include "geodesy/AngleText.h"
#include "outside/panes/settings/GridSettings.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

CAngleValueProperty::CAngleValueProperty(const CString& strName, int angleType, LPCTSTR lpszDescr,
                                         DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData), m_nType(angleType)
{
}

void CAngleValueProperty::SetAngle(double radians)
{
    m_dAngle = radians;
    const CString text = (radians == DBL_MAX || !std::isfinite(radians))
                             ? CString()
                             : FormatAngle(radians, m_nType, ANGLE_FORMAT_PREFERENCE);
    if (!std::isfinite(radians))
        m_dAngle = DBL_MAX;
    CMFCPropertyGridProperty::SetValue(COleVariant(text));
}

BOOL CAngleValueProperty::TextToVar(const CString& strText)
{
    double radians = 0.0;
    const int result = ReadAngleText(strText, m_nType, radians);
    if (result != ANGLE_TEXT_READ)
    {
        m_Refusal.Refused(*this, strText, DescribeAngleTextResult(result, m_nType));
        return FALSE;
    }
    m_Refusal.Taken(*this);
    m_dAngle = radians;
    m_varValue = COleVariant(FormatAngle(radians, m_nType, ANGLE_FORMAT_PREFERENCE));
    return TRUE;
}

CNumberValueProperty::CNumberValueProperty(const CString& strName, NUMBER_KIND kind, LPCTSTR lpszDescr,
                                           DWORD_PTR dwData, int fixedDecimals, LPCTSTR lpszSuffix)
    : CMFCPropertyGridProperty(strName, COleVariant(""), lpszDescr, dwData), m_kind(kind),
      m_nFixedDecimals(fixedDecimals), m_strSuffix(lpszSuffix ? lpszSuffix : "")
{
}

CString CNumberValueProperty::Format(double value) const
{
    if (value == DBL_MAX)
        return CString();
    const GridSettingsDef settings = LoadGridSettings();
    CString text;
    switch (m_kind)
    {
    case NUMBER_GRID:
        text.Format("%.*lf", settings.GridDecimals, value);
        break;
    case NUMBER_DISTANCE:
        text.Format("%.*lf%s", settings.DistanceDecimals, value / GetUnitLength(settings.Units),
                    GetUnitSuffix(settings.Units));
        break;
    case NUMBER_HEIGHT:
        text.Format("%.*lfm", settings.DistanceDecimals, value);
        break;
    case NUMBER_FIXED:
        text.Format("%.*lf%s", m_nFixedDecimals, value, m_strSuffix.GetString());
        break;
    }
    return text;
}

void CNumberValueProperty::SetNumber(double value)
{
    m_dValue = std::isfinite(value) ? value : DBL_MAX;
    CMFCPropertyGridProperty::SetValue(COleVariant(Format(m_dValue)));
}

BOOL CNumberValueProperty::TextToVar(const CString& strText)
{
    const char* text = strText.GetString();
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text, &end);
    if (end == text || errno == ERANGE || !std::isfinite(value))
        return FALSE;
    // Only blanks and a unit may follow the number.
    for (const char* p = end; *p != '\0'; ++p)
        if (!std::isalpha(static_cast<unsigned char>(*p)) && *p != ' ')
            return FALSE;
    if (m_kind == NUMBER_DISTANCE)
        value *= GetUnitLength(LoadGridSettings().Units);
    m_dValue = value;
    m_varValue = COleVariant(Format(value));
    return TRUE;
}

namespace
{
// An editor closed on the text it was opened with changes nothing: reading the rounded text
// back would move the exact value behind it.
bool IsShownText(const COleVariant& value, const CString& text)
{
    CString typed(text);
    typed.Trim();
    return value.vt == VT_BSTR && !typed.IsEmpty() && typed == value.bstrVal;
}

// The grid's own end of an edit, except that an accepted entry is always reported.
BOOL EndEdit(CMFCPropertyGridProperty* prop, bool accepted)
{
    prop->Redraw();
    if (accepted && prop->GetGrid() != nullptr)
        prop->GetGrid()->OnPropertyChanged(prop);
    return accepted ? TRUE : FALSE;
}
} // namespace

BOOL CAngleValueProperty::OnUpdateValue()
{
    if (IsShownText(m_varValue, m_strEditText))
        return TRUE;
    const COleVariant before = m_varValue;
    const double angle = m_dAngle;
    const bool accepted = TextToVar(m_strEditText) != FALSE;
    if (!accepted)
    {
        m_varValue = before;
        m_dAngle = angle;
    }
    return EndEdit(this, accepted);
}

BOOL CNumberValueProperty::OnUpdateValue()
{
    if (IsShownText(m_varValue, m_strEditText))
        return TRUE;
    const COleVariant before = m_varValue;
    const double value = m_dValue;
    const bool accepted = TextToVar(m_strEditText) != FALSE;
    if (!accepted)
    {
        m_varValue = before;
        m_dValue = value;
    }
    return EndEdit(this, accepted);
}

CMFCPropertyGridProperty* MakeInfoProperty(const CString& strName, const CString& strValue, LPCTSTR lpszDescr,
                                           DWORD_PTR dwData)
{
    return ReadOnly(new CMFCPropertyGridProperty(strName, COleVariant(strValue), lpszDescr, dwData));
}

void AddPositionItems(CMFCPropertyGridProperty* group, DWORD_PTR easting, DWORD_PTR northing,
                      DWORD_PTR latitude, DWORD_PTR longitude)
{
    group->AddSubItem(new CNumberValueProperty("Easting", NUMBER_GRID, "Easting in grid units", easting));
    group->AddSubItem(new CNumberValueProperty("Northing", NUMBER_GRID, "Northing in grid units", northing));
    group->AddSubItem(new CAngleValueProperty("Latitude", ANGLE_LATITUDE, "Latitude", latitude));
    group->AddSubItem(new CAngleValueProperty("Longitude", ANGLE_LONGITUDE, "Longitude", longitude));
}
