// CColourPropertyPage: a page of the solar program's sheet in the program's colours: grey
// behind white text, for the page itself, its texts and its buttons.
#pragma once

#include "platform/ui/GdiObject.h"
#include "platform/ui/PropertySheet.h"

// The program's colours (COLORREF).
constexpr COLORREF ORBISOL_BACKGROUND = 0x555555;
constexpr COLORREF ORBISOL_TEXT = 0xFFFFFF;

class CColourPropertyPage : public CPropertyPage
{
public:
    explicit CColourPropertyPage(UINT nIDTemplate);

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // Shows or hides the sheet's "Ok" and "Cancel", for the pages that stand without them.
    void ShowSheetButtons(BOOL bShow);
    DECLARE_MESSAGE_MAP()

    CBrush m_Brush;
    COLORREF m_BackgroundColour = ORBISOL_BACKGROUND;
    COLORREF m_TextColour = ORBISOL_TEXT;
};

// The program's answer to a control's colour question: its text and background colours and
// brush for the dialog, static and button kinds; null for the others (the caller's default).
HBRUSH OrbisolCtlColor(CDC* pDC, UINT nCtlColor, CBrush& brush, COLORREF background, COLORREF text);
