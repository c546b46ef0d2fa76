// CMFCColourPropertyGridCtrl: the calibration program's property grid. Grey by day, black by
// night, and a right-click "Print" that puts every shown property on paper as a two-column
// table (headings centred, names left, values right), optionally under a boxed header.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/ui/PropertyGrid.h"

class CMFCColourPropertyGridCtrl : public CMFCPropertyGridCtrl
{
    DECLARE_DYNAMIC(CMFCColourPropertyGridCtrl)
public:
    CMFCColourPropertyGridCtrl();

    // The day or dark set of seven colours, by the dark flag; the argument is not used.
    void SetCustomColours(int nScheme = 0);

    // Prints the grid under the header lines (none: no box); asks for the printer first.
    void Print(CStringArray* pHeader);
    // Appends the printed rows of one property and its sub-items to the print arrays.
    void CollectPrintRows(HDC hDC, CMFCPropertyGridProperty* pProp);
    // Draws the header box at the top left of `area`; returns the y where the table starts.
    int PrintHeaderBox(HDC hDC, RECT area, CStringArray* pHeader);

    BYTE m_DarkScheme = 0;
    int m_ColoursSet = 0;
    CStringArray* m_pPrintHeader = nullptr;
    int m_WidestNameWidth = 0;
    int m_WidestValueWidth = 0;
    CString m_WidestLine;
    CString m_WidestName;
    CString m_WidestValue;
    CStringArray m_PrintNames;
    CStringArray m_PrintValues;

    static constexpr UINT kPrintCommand = 1;

protected:
    void OnRButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
