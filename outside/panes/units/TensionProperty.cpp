#include "outside/panes/units/TensionProperty.h"

#include "outside/panes/units/MetricProperty.h"

#include <cmath>

namespace
{
double g_UnitsPerTonne = 1.0;
CString g_Name = "Tons";
} // namespace

CMFCPropertyGridTensionProperty::CMFCPropertyGridTensionProperty(const CString& strName, double dTonnes,
                                                                 LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(dTonnes), lpszDescr, dwData)
{
}

void CMFCPropertyGridTensionProperty::SetTensionUnit(double dUnitsPerTonne, const CString& strName)
{
    g_UnitsPerTonne = dUnitsPerTonne > 0.0 && std::isfinite(dUnitsPerTonne) ? dUnitsPerTonne : 1.0;
    g_Name = strName;
}

void CMFCPropertyGridTensionProperty::SetTonnes(double dTonnes)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(dTonnes));
}

CString CMFCPropertyGridTensionProperty::FormatProperty()
{
    CString text;
    text.Format("%.2lf %s", GetTonnes() * g_UnitsPerTonne, static_cast<LPCSTR>(g_Name));
    return text;
}

BOOL CMFCPropertyGridTensionProperty::TextToVar(const CString& strText)
{
    double value = 0.0;
    if (!ReadTypedNumber(strText, value))
        return FALSE;
    m_varValue = COleVariant(value / g_UnitsPerTonne);
    return TRUE;
}
