// CMFCPropertyGridPressureModeProperty: the choice of the unit water pressure is shown in,
// "bar" (0) or "kg/cm²" (1) (VT_I4, PRESSURE_UNITS). It starts from the user's "Pressure Mode"
// file and writes every choice made in the grid back to it, so that every pane that reads
// the file follows; a choice that cannot be written is refused and the old one stays.
#pragma once

#include "outside/panes/PropertyGridChoiceItems.h"

class CMFCPropertyGridPressureModeProperty : public CMFCPropertyGridChoiceProperty
{
public:
    // The unit saved in "Pressure Mode".
    explicit CMFCPropertyGridPressureModeProperty(DWORD_PTR dwData = 0, const CString& strName = "Pressure Units",
                                                  LPCTSTR lpszDescr = "The unit water pressure is shown in");

    BOOL TextToVar(const CString& strText) override;
};
