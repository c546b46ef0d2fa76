#include "outside/panes/units/TemperatureProperty.h"

#include "outside/panes/units/MetricProperty.h"

namespace
{
const char* const kModes[] = {"Celsius", "Fahrenheit"};

int ValidMode(int mode)
{
    return mode == TEMPERATURE_FAHRENHEIT ? TEMPERATURE_FAHRENHEIT : TEMPERATURE_CELSIUS;
}
} // namespace

CMFCPropertyGridTemperatureModeProperty::CMFCPropertyGridTemperatureModeProperty(int nMode, DWORD_PTR dwData)
    : CMFCPropertyGridChoiceProperty("Temperature", ValidMode(nMode), kModes, 2,
                                     "The scale the water temperature is shown in", dwData)
{
}

CMFCPropertyGridTemperatureProperty::CMFCPropertyGridTemperatureProperty(const CString& strName, double dCelsius,
                                                                         int nMode, LPCTSTR lpszDescr,
                                                                         DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(dCelsius), lpszDescr, dwData), m_nMode(ValidMode(nMode))
{
}

void CMFCPropertyGridTemperatureProperty::SetCelsius(double dCelsius)
{
    CMFCPropertyGridProperty::SetValue(COleVariant(dCelsius));
}

void CMFCPropertyGridTemperatureProperty::Update(int nMode)
{
    m_nMode = ValidMode(nMode);
    Redraw();
}

CString CMFCPropertyGridTemperatureProperty::FormatProperty()
{
    CString text;
    if (m_nMode == TEMPERATURE_FAHRENHEIT)
        text.Format("%.2lf \xB0""F", GetCelsius() * 1.8 + 32.0);
    else
        text.Format("%.2lf \xB0""C", GetCelsius());
    return text;
}

BOOL CMFCPropertyGridTemperatureProperty::TextToVar(const CString& strText)
{
    double value = 0.0;
    if (!ReadTypedNumber(strText, value))
        return FALSE;
    m_varValue = COleVariant(m_nMode == TEMPERATURE_FAHRENHEIT ? (value - 32.0) / 1.8 : value);
    return TRUE;
}
