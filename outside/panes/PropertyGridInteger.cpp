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

CString CMFCPropertyGridInteger::FormatProperty()
{
    CString text;
    text.Format("%d", GetInteger());
    return text;
}

BOOL CMFCPropertyGridInteger::TextToVar(const CString& strText)
{
    if (IsSpinEnabled())
        return CMFCPropertyGridProperty::TextToVar(strText);
    CString text = strText;
    text.Trim();
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (text.IsEmpty() || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return FALSE;
    m_varValue = COleVariant(static_cast<long>(v));
    return TRUE;
}
