// CMFCPropertyGridDualButton: a grid row with two buttons ("Add" and "Delete"), drawn side by
// side in their own colours, or button one alone across the cell once button two is hidden.
// Pressing one (a click on it, or its caption chosen as the row's value) tells the grid's
// owner, even when the same button is pressed twice running; the owner's handler reads which
// button it was.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMFCPropertyGridDualButton : public CMFCPropertyGridProperty
{
public:
    CMFCPropertyGridDualButton(const CString& strName, const CString& strButton1, const CString& strButton2,
                               LPCTSTR lpszDescr = nullptr, DWORD_PTR dwData = 0);

    // 1 or 2: the button pressed last; 0 before any press.
    int GetPressedButton() const { return m_nPressed; }
    // Presses button 1 or 2 and tells the grid's owner; FALSE for any other number.
    BOOL PressButton(int nButton);

    // Shows or hides button two (a hidden button cannot be pressed).
    void SetShowTwo(bool bShow);
    bool GetShowTwo() const { return m_bShowTwo; }
    // Face colours (COLORREF); light grey (PANES_BUTTON_FACE) until set.
    void SetColourOne(COLORREF colour);
    void SetColourTwo(COLORREF colour);
    COLORREF GetColour(int nButton) const { return m_colour[nButton == 2 ? 1 : 0]; }
    // Button one's caption ("Start", then "Stop").
    void SetNameOne(const CString& strName);
    CString GetButtonName(int nButton) const { return m_strButton[nButton == 2 ? 1 : 0]; }

    CString FormatProperty() override;
    // A button's caption presses it; any other text is refused.
    BOOL TextToVar(const CString& strText) override;
    BOOL OnUpdateValue() override;
    BOOL IsValueDrawnWhole() const override { return TRUE; }
    void OnDrawValue(CDC* pDC, CRect rect) override;
    // A click on the left half presses button one, on the right half button two.
    BOOL OnClickValue(UINT uiMsg, CPoint point) override;

private:
    void ResetOptions();

    CString m_strButton[2];
    COLORREF m_colour[2];
    bool m_bShowTwo = true;
    int m_nPressed = 0;
};
