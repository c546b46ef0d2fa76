#include "outside/panes/units/MetricProperty.h"

#include "outside/notifex/Notifex.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/settings/GridSettings.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace
{
double g_MetresPerUnit = 1.0;
CString g_Suffix = " m";
} // namespace

bool ReadTypedNumber(const CString& strText, double& dValue)
{
    CString text = strText;
    text.Trim();
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text, &end);
    if (text.IsEmpty() || end == static_cast<LPCSTR>(text) || errno == ERANGE || !std::isfinite(v))
    {
        CString message;
        message.Format("\"%s\" is not a number.\nThe value has not been changed.", static_cast<LPCSTR>(strText));
        ErrorMessage(message);
        return false;
    }
    dValue = v;
    return true;
}

CMFCPropertyGridMetricProperty::CMFCPropertyGridMetricProperty(const CString& strName, double dMetres, int nKind,
                                                               int nSubKind, LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridDouble(strName, dMetres, "%.3lf", lpszDescr, dwData), m_nKind(nKind),
      m_nSubKind(nSubKind)
{
    const GridSettingsDef settings = LoadGridSettings();
    m_nDecimals = nKind == METRIC_COORDINATE ? settings.GridDecimals
                  : nKind == METRIC_LENGTH   ? settings.DistanceDecimals
                                             : 3;
}

void CMFCPropertyGridMetricProperty::SetDistanceUnit(double dMetresPerUnit, const CString& strSuffix)
{
    g_MetresPerUnit = dMetresPerUnit > 0.0 && std::isfinite(dMetresPerUnit) ? dMetresPerUnit : 1.0;
    g_Suffix = strSuffix;
}

double CMFCPropertyGridMetricProperty::GetMetresPerUnit()
{
    return g_MetresPerUnit;
}

void CMFCPropertyGridMetricProperty::SetMetres(double dMetres)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(dMetres));
}

CString CMFCPropertyGridMetricProperty::FormatProperty()
{
    CString text;
    if (!std::isfinite(GetMetres()))
        return text;
    text.Format("%.*lf", m_nDecimals, GetMetres() / g_MetresPerUnit);
    CString suffix = g_Suffix;
    suffix.TrimLeft();
    return text + suffix;
}

void CMFCPropertyGridMetricProperty::SetMissing(bool bMissing)
{
    if (bMissing == m_bMissing)
        return;
    if (bMissing)
        m_strPlainDescription = GetDescription();
    m_bMissing = bMissing;
    SetDescription(bMissing ? m_strPlainDescription + (m_strPlainDescription.IsEmpty() ? "" : "\n") +
                                  "Missing: give this length."
                            : m_strPlainDescription);
}

BOOL CMFCPropertyGridMetricProperty::GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const
{
    if (!m_bMissing)
        return FALSE;
    // Dark red on pink by day, light red on dark red by night.
    const auto* grid = dynamic_cast<const CMyMFCPropertyGridCtrl*>(GetGrid());
    const bool night = grid != nullptr && grid->GetNightMode();
    clrText = night ? RGB(255, 160, 160) : RGB(128, 0, 0);
    clrBack = night ? RGB(96, 0, 0) : RGB(255, 176, 176);
    return TRUE;
}

BOOL CMFCPropertyGridMetricProperty::TextToVar(const CString& strText)
{
    double value = 0.0;
    if (!ReadTypedNumber(strText, value))
        return FALSE;
    m_varValue = COleVariant(value * g_MetresPerUnit);
    return TRUE;
}
