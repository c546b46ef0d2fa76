// CMFCPropertyGridVectorSymbolProperty: picks one of the 25 vector point symbols (VT_I2, the
// symbol's number; 0 none) and shows a sample of it drawn in the item's colour, as the chart
// draws it.
#pragma once

#include "platform/ui/PropertyGrid.h"

class CMFCPropertyGridVectorSymbolProperty : public CMFCPropertyGridProperty
{
public:
    // nSampleSize: how many pixels across the sample symbol is drawn.
    CMFCPropertyGridVectorSymbolProperty(const CString& strName, short nSymbol, int nSampleSize,
                                         LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0,
                                         COLORREF colour = 0x000000);
    short GetSymbol() const { return GetValue().iVal; }
    void SetSymbol(short nSymbol);
    // The sample's colour; repaints the sample.
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_colour; }

    // The symbols' names, 0 "None" then 1..25.
    static int GetSymbolCount() { return 26; }
    static LPCTSTR GetSymbolName(int nSymbol);

    CString FormatProperty() override;
    BOOL TextToVar(const CString& strText) override;
    void OnDrawValue(CDC* pDC, CRect rect) override;
    BOOL HasValueDrawing() const override { return TRUE; }

private:
    int m_nSampleSize;
    COLORREF m_colour;
};
