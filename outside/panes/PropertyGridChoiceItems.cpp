#include "outside/panes/PropertyGridChoiceItems.h"

namespace
{
const char* const kSizes[] = {"No Symbol", "Very Small", "Small", "Medium", "Large", "Very Large"};
const char* const kLabelModes[] = {"None", "Name", "Position", "Name + Position", "Description"};
const char* const kLabelPositions[] = {"None", "Top", "Bottom", "Left", "Right", "Centre"};

template <size_t N> constexpr int CountOf(const char* const (&)[N])
{
    return static_cast<int>(N);
}
} // namespace

CMFCPropertyGridChoiceProperty::CMFCPropertyGridChoiceProperty(const CString& strName, int nValue,
                                                               const char* const* names, int nNames,
                                                               LPCTSTR lpszDescr, DWORD_PTR dwData)
    : CMFCPropertyGridProperty(strName, COleVariant(static_cast<long>(nValue)), lpszDescr, dwData), m_names(names),
      m_nNames(nNames)
{
    for (int i = 0; i < m_nNames; ++i)
        AddOption(m_names[i]);
    AllowEdit(FALSE);
}

void CMFCPropertyGridChoiceProperty::SetChoice(int nValue)
{
    SetValue(COleVariant(static_cast<long>(nValue)));
}

CString CMFCPropertyGridChoiceProperty::FormatProperty()
{
    const int v = GetChoice();
    if (v >= 0 && v < m_nNames)
        return m_names[v];
    CString text;
    text.Format("%d", v);
    return text;
}

BOOL CMFCPropertyGridChoiceProperty::TextToVar(const CString& strText)
{
    for (int i = 0; i < m_nNames; ++i)
        if (strText.CompareNoCase(m_names[i]) == 0)
        {
            m_varValue = COleVariant(static_cast<long>(i));
            return TRUE;
        }
    return FALSE;
}

CMFCPropertyGridSymbolSizeProperty::CMFCPropertyGridSymbolSizeProperty(int nSize, DWORD_PTR dwData)
    : CMFCPropertyGridChoiceProperty("Symbol Size", nSize, kSizes, CountOf(kSizes), "Specifies the size of the symbol",
                                     dwData)
{
}

CMFCPropertyGridLabelModeProperty::CMFCPropertyGridLabelModeProperty(int nMode, DWORD_PTR dwData)
    : CMFCPropertyGridChoiceProperty("Label", nMode, kLabelModes, CountOf(kLabelModes),
                                     "Specifies what is written beside each point", dwData)
{
}

CMFCPropertyGridLabelPositionProperty::CMFCPropertyGridLabelPositionProperty(int nPosition, DWORD_PTR dwData)
    : CMFCPropertyGridChoiceProperty("Label Position", nPosition, kLabelPositions, CountOf(kLabelPositions),
                                     "Specifies where the label stands beside each point", dwData)
{
}
