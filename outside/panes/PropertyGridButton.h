// CMFCPropertyGridButton: a grid row whose value is one button ("ACTIVE", "Monitor"). A click
// on it tells the grid's owner (AFX_WM_PROPERTY_CHANGED with the item), every time; the
// caption and the face colour are the pane's to set.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMFCPropertyGridButton : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridButton(const CString& strName, const CString& strText, LPCTSTR lpszDescr = nullptr,
                           DWORD_PTR dwData = 0);

    void SetText(const CString& strText);
    CString GetText() const { return m_strText; }
    // The face colour (COLORREF); light grey (PANES_BUTTON_FACE) until set.
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_colour; }
    // Presses the button as a click does.
    void Press();

    CString FormatProperty() override;
    BOOL IsValueDrawnWhole() const override { return TRUE; }
    void OnDrawValue(CDC* pDC, CRect rect) override;
    BOOL OnClickValue(UINT uiMsg, CPoint point) override;

private:
    CString m_strText;
    COLORREF m_colour;
};
