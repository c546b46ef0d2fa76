// CMFCPropertyGridDualButton: a grid row with two buttons ("Add" and "Delete"). Pressing one
// tells the grid's owner, even when the same button is pressed twice running; the owner's
// handler reads which button it was. The row drops down the two button captions to choose.
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

    CString FormatProperty() override;
    // A button's caption presses it; any other text is refused.
    BOOL TextToVar(const CString& strText) override;
    BOOL OnUpdateValue() override;

private:
    CString m_strButton[2];
    int m_nPressed = 0;
};
