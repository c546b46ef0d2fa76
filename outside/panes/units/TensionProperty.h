// CMFCPropertyGridTensionProperty: a tension held in tonnes (VT_R8) and shown and typed in the
// user's tension unit, with the unit's name.
#pragma once

#include "platform/ui/PropertyGrid.h"

class CMFCPropertyGridTensionProperty : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridTensionProperty(const CString& strName, double dTonnes, LPCTSTR lpszDescr = nullptr,
                                    DWORD_PTR dwData = 0);

    // The unit every tension item shows from now on: units in one tonne (> 0) and its name.
    // Tonnes (1, "Tons") until a program says otherwise.
    static void SetTensionUnit(double dUnitsPerTonne, const CString& strName);

    double GetTonnes() const { return GetValue().dblVal; }
    void SetTonnes(double dTonnes);

    CString FormatProperty() override;
    // A number in the user's unit; a text that holds no finite number is refused with a message.
    BOOL TextToVar(const CString& strText) override;
};
