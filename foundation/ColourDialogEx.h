// CColourDialogEx: the base of the suite's dialogs, painting its background, static texts
// and buttons in the dark day or night scheme.
#pragma once

#include "platform/ui/Dialog.h"

class CColourDialogEx : public CDialogEx
{
    DECLARE_DYNAMIC(CColourDialogEx)
public:
    // In the day scheme.
    CColourDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Takes the night (TRUE) or day scheme: background and text colours and the background
    // brush; repaints when the window exists.
    void SetNightMode(BOOL bNight);
    void SetDaylightMode() { SetNightMode(FALSE); }
    BOOL GetNightMode() const { return m_bNight; }
    COLORREF GetBackgroundColour() const { return m_BackgroundColour; }
    COLORREF GetTextColour() const { return m_TextColour; }

    static constexpr COLORREF kDayBackground = 0x555555;
    static constexpr COLORREF kDayText = 0xFFFFFF;
    static constexpr COLORREF kNightBackground = 0x000000;
    static constexpr COLORREF kNightText = 0xC0C0C0;

protected:
    // The dialog and its buttons get the background brush; static texts also the scheme's
    // text and background colours; other controls the framework's default.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    BOOL m_bNight = FALSE;
    COLORREF m_BackgroundColour = kDayBackground;
    COLORREF m_TextColour = kDayText;
    CBrush m_BackgroundBrush;
};
