#include "outside/panes/PropertyGridInteger.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

CMFCPropertyGridInteger::CMFCPropertyGridInteger(const CString& strName, int nValue, LPCTSTR lpszDescr,
                                                 DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(static_cast<long>(nValue)), lpszDescr, dwData)
{
}

void CMFCPropertyGridInteger::SetInteger(int nValue)
{
    SetValue(COleVariant(static_cast<long>(nValue)));
}

void CMFCPropertyGridInteger::SetUnitStr(const CString& strUnit)
{
    m_strUnit = strUnit;
    Redraw();
}

CString CMFCPropertyGridInteger::FormatProperty()
{
    CString text;
    text.Format("%d", GetInteger());
    return text + m_strUnit;
}

BOOL CMFCPropertyGridInteger::TextToVar(const CString& strText)
{
    CString text = strText;
    text.Trim();
    // The unit shown after the number may come back with it.
    CString unit = m_strUnit;
    unit.Trim();
    if (!unit.IsEmpty() && text.GetLength() >= unit.GetLength() && text.Right(unit.GetLength()) == unit)
    {
        text = text.Left(text.GetLength() - unit.GetLength());
        text.Trim();
    }
    if (IsSpinEnabled())
        return CMFCPropertyGridProperty::TextToVar(text);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (text.IsEmpty() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return FALSE;
    m_varValue = COleVariant(static_cast<long>(v));
    return TRUE;
}
