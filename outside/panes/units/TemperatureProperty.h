// The water temperature items: CMFCPropertyGridTemperatureModeProperty chooses the scale the
// temperature is shown in ("Celsius" 0, "Fahrenheit" 1; VT_I4, the scale's number), and
// CMFCPropertyGridTemperatureProperty holds degrees Celsius (VT_R8) and shows and takes them in
// that scale.
#pragma once

#include "outside/panes/PropertyGridChoiceItems.h"

enum TEMPERATURE_MODE
{
    TEMPERATURE_CELSIUS = 0,
    TEMPERATURE_FAHRENHEIT = 1
};

class CMFCPropertyGridTemperatureModeProperty : public CMFCPropertyGridChoiceProperty
{
public:
    explicit CMFCPropertyGridTemperatureModeProperty(int nMode, DWORD_PTR dwData = 0);
};

class CMFCPropertyGridTemperatureProperty : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridTemperatureProperty(const CString& strName, double dCelsius, int nMode,
                                        LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    double GetCelsius() const { return GetValue().dblVal; }
    void SetCelsius(double dCelsius);
    int GetMode() const { return m_nMode; }
    // Shows the held temperature in the scale (a scale outside the two counts as Celsius).
    void Update(int nMode);

    CString FormatProperty() override;
    // A number in the shown scale; a text that holds no finite number is refused with a message.
    BOOL TextToVar(const CString& strText) override;

private:
    int m_nMode;
};
