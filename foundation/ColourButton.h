// CColourButton: the suite's flat owner-drawn push button in the dark day or night scheme,
// lighting up while the mouse is over it.
#pragma once

#include "platform/ui/Button.h"

class CColourButton : public CMFCButton
{
    DECLARE_DYNAMIC(CColourButton)
public:
    // In the day colours.
    CColourButton();

    // Takes the night (TRUE) or day colour set and repaints.
    void SetNightMode(BOOL bNight);
    void SetDaylightMode() { SetNightMode(FALSE); }
    BOOL GetNightMode() const { return m_bNight; }

    // Face in the pressed or the current colour, a sunken or raised edge, the text centred
    // (word-wrapped within 5 pixels of each side) and the focus inset by 5 pixels.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // COLORREF values (0x00BBGGRR).
    static constexpr COLORREF kDayColours[8] = {0xCC7B00, 0x800000, 0xFFFFFF, 0xFF0000,
                                                0xFFFFFF, 0xCC7B00, 0x800000, 0xFFFFFF};
    static constexpr COLORREF kNightColours[8] = {0x663D00, 0x400000, 0xC0C0C0, 0x995C00,
                                                  0xC0C0C0, 0x663D00, 0x400000, 0xC0C0C0};

protected:
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    COLORREF m_FaceColour = 0;
    COLORREF m_PressedColour = 0;
    COLORREF m_TextColour = 0;
    COLORREF m_HoverColour = 0;
    COLORREF m_HoverTextColour = 0;
    COLORREF m_CurrentFaceColour = 0;
    COLORREF m_CurrentPressedColour = 0;
    COLORREF m_CurrentTextColour = 0;
    BOOL m_bNight = FALSE;
};
