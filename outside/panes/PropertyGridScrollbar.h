// CMFCPropertyGridScrollbar: a read-only level bar (a coil's signal strength): the value as
// the filled share of the cell from the left, out of the maximum, with the number on it. The
// bar is green by day and dark green by night so that it stays readable in either.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMFCPropertyGridScrollbar : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridScrollbar(const CString& strName, int nValue, int nMaximum, bool bNight,
                              LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // The level; values below 0 show an empty bar, above the maximum a full one.
    void SetValue(int nValue);
    using CMFCPropertyGridProperty::SetValue;
    void SetMaximum(int nMaximum);
    void SetNightMode(bool bNight);
    int GetLevel() const { return static_cast<int>(GetValue().lVal); }
    int GetMaximum() const { return m_nMaximum; }
    // The filled share of the bar, 0 to 1 (0 with no maximum).
    double GetFilledShare() const;
    // The bar's colour (COLORREF) by day or night.
    COLORREF GetBarColour() const { return m_bNight ? 0x006000 : 0x00C000; }

    CString FormatProperty() override;
    BOOL OnEdit(LPPOINT lptClick) override;
    BOOL IsValueDrawnWhole() const override { return TRUE; }
    void OnDrawValue(CDC* pDC, CRect rect) override;

private:
    int m_nMaximum;
    bool m_bNight;
};
