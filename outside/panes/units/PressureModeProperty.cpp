#include "outside/panes/units/PressureModeProperty.h"

#include "foundation/PressureMode.h"

namespace
{
const char* const kUnits[] = {"bar", "kg/cm\xB2"};
} // namespace

CMFCPropertyGridPressureModeProperty::CMFCPropertyGridPressureModeProperty(DWORD_PTR dwData, const CString& strName,
                                                                           LPCTSTR lpszDescr)
    : CMFCPropertyGridChoiceProperty(strName, LoadPressureMode(), kUnits, 2, lpszDescr, dwData)
{
}

BOOL CMFCPropertyGridPressureModeProperty::TextToVar(const CString& strText)
{
    const COleVariant before = m_varValue;
    if (!CMFCPropertyGridChoiceProperty::TextToVar(strText))
        return FALSE;
    if (!SavePressureMode(GetChoice()))
    {
        m_varValue = before;
        return FALSE;
    }
    return TRUE;
}
