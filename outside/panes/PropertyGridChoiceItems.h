// Items that pick one of a fixed list of named values (VT_I4, the value being the name's
// position): the base, and the symbol size, label mode and label position of drawn points,
// numbered as the feature files store them.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMFCPropertyGridChoiceProperty : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridChoiceProperty(const CString& strName, int nValue, const char* const* names, int nNames,
                                   LPCTSTR lpszDescr, DWORD_PTR dwData);
    int GetChoice() const { return static_cast<int>(GetValue().lVal); }
    void SetChoice(int nValue);

    // The name of the value; a value outside the list shows as its number.
    CString FormatProperty() override;
    // One of the names (letter case ignored); anything else is refused.
    BOOL TextToVar(const CString& strText) override;

private:
    const char* const* m_names;
    int m_nNames;
};

// "No Symbol", "Very Small", "Small", "Medium", "Large", "Very Large" (0..5).
class PLATFORM_API CMFCPropertyGridSymbolSizeProperty : public CMFCPropertyGridChoiceProperty
{
public:
    explicit CMFCPropertyGridSymbolSizeProperty(int nSize, DWORD_PTR dwData = 0);
};

// What is written beside each point: "None", "Name", "Position", "Name + Position",
// "Description" (0..4).
class PLATFORM_API CMFCPropertyGridLabelModeProperty : public CMFCPropertyGridChoiceProperty
{
public:
    explicit CMFCPropertyGridLabelModeProperty(int nMode, DWORD_PTR dwData = 0);
};

// Where that text stands: "None", "Top", "Bottom", "Left", "Right", "Centre" (0..5).
class PLATFORM_API CMFCPropertyGridLabelPositionProperty : public CMFCPropertyGridChoiceProperty
{
public:
    explicit CMFCPropertyGridLabelPositionProperty(int nPosition, DWORD_PTR dwData = 0);
};
