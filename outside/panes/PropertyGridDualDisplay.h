// CMFCPropertyGridDualDisplay: a read-only row of two named values side by side ("Easting |
// Northing"), each shown with its printf format and unit text, or one value alone. A value
// can be marked not in use (shown blank) or out of its limits (shown in the warning colour,
// PropertyGridColours.h); an image list gives each value a small picture in front of it.
//
// The formats take one number: a "%d"/"%i" format is given the value rounded, any other
// number format the value itself; a "%s" format shows the value's text (SetText).
#pragma once

#include "platform/ui/PropertyGrid.h"

class CImageList;

class PLATFORM_API CMFCPropertyGridDualDisplay : public CMFCPropertyGridProperty
{
public:
    // Two values.
    CMFCPropertyGridDualDisplay(const CString& strName1, double dValue1, LPCTSTR lpszFormat1, LPCTSTR lpszUnit1,
                                const CString& strName2, double dValue2, LPCTSTR lpszFormat2, LPCTSTR lpszUnit2,
                                LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);
    // One value.
    CMFCPropertyGridDualDisplay(const CString& strName, double dValue, LPCTSTR lpszFormat, LPCTSTR lpszUnit,
                                LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    bool IsDual() const { return m_bDual; }
    // Value one; both values.
    void SetValue(double dValue1);
    void SetValue(double dValue1, double dValue2);
    using CMFCPropertyGridProperty::SetValue;
    // The text of value n (1 or 2) for a "%s" format.
    void SetText(int nValue, const CString& strText);
    void SetName(LPCTSTR lpszName1, LPCTSTR lpszName2);
    using CMFCPropertyGridProperty::SetName;
    // Whether value n (1 or 2) is in use (a value not in use shows blank).
    void SetInUse(int nValue, bool bInUse);
    // Whether value n (1 or 2) lies within its limits (out of them: the warning colour).
    void SetInLimits(int nValue, bool bInLimits);
    // Image n of the list is drawn in front of value n (the list stays the caller's; null: none).
    void SetImageList(CImageList* pImages);

    double GetValue(int nValue) const { return m_part[Index(nValue)].value; }
    using CMFCPropertyGridProperty::GetValue;
    CString GetPartName(int nValue) const { return m_part[Index(nValue)].name; }
    bool IsInUse(int nValue) const { return m_part[Index(nValue)].inUse; }
    bool IsInLimits(int nValue) const { return m_part[Index(nValue)].inLimits; }
    // Value n as shown: its formatted number and unit ("  500000.000E"); blank when not in use.
    CString GetValueText(int nValue) const;

    // Where the row draws in a value cell: value one's part and the second's (with its name in
    // the first nameWidth pixels, shortened or left out before a value is cut), and the texts
    // drawn, without their leading blanks when the cell is too narrow for them.
    struct LAYOUT
    {
        CRect part[2];
        int nameWidth = 0;
        CString value[2];
    };
    LAYOUT Layout(CDC* pDC, const CRect& rect) const;

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL IsValueDrawnWhole() const override { return TRUE; }
    void OnDrawValue(CDC* pDC, CRect rect) override;

private:
    struct PART
    {
        CString name;
        double value = 0.0;
        CString text;
        CString format;
        CString unit;
        bool inUse = true;
        bool inLimits = true;
    };
    static int Index(int nValue) { return nValue == 2 ? 1 : 0; }
    void Refresh();

    // The text the row shows, composed once at each change: the grid asks for it at every
    // refresh and paint.
    CString ComposeText() const;

    bool m_bDual;
    PART m_part[2];
    CString m_strShown;
    CImageList* m_pImages = nullptr;
};

// A printf format given one number as its conversion asks: "%d" the value rounded, "%s" the
// text, any other number conversion the value; a format with no or more than one conversion
// is shown as it stands.
PLATFORM_API CString FormatOneValue(const CString& strFormat, double dValue, const CString& strText = CString());
