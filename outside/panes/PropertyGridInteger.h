// CMFCPropertyGridInteger: a whole number (VT_I4) typed in the grid, usually stepped with a
// spin button (EnableSpinControl), which also bounds what may be typed.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMFCPropertyGridInteger : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridInteger(const CString& strName, int nValue, LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
    int GetInteger() const { return static_cast<int>(GetValue().lVal); }
    void SetInteger(int nValue);

    // A unit shown after the number ("s", " Hz"); typed text may carry it.
    void SetUnitStr(const CString& strUnit);
    const CString& GetUnitStr() const { return m_strUnit; }

    CString FormatProperty() override;
    // A whole number, within the spin range when a spin button is on; anything else is refused.
    BOOL TextToVar(const CString& strText) override;

private:
    CString m_strUnit;
};
