// CMyMFCPropertyGridCtrl: the suite's property grid, with a night flag and the eight colour
// schemes (0 white, 1 grey, 2 green, 3 blue, 4 purple, 5 red, 6 yellow, 7 navy) that its panes
// switch between.
#pragma once

#include "platform/ui/PropertyGrid.h"

class PLATFORM_API CMyMFCPropertyGridCtrl : public CMFCPropertyGridCtrl
{
    DECLARE_DYNAMIC(CMyMFCPropertyGridCtrl)
public:
    CMyMFCPropertyGridCtrl() = default;

    // The flag alone; SetColourScheme applies it.
    void SetNightMode(bool bNight) { m_bNightMode = bNight; }
    bool GetNightMode() const { return m_bNightMode; }
    void SetColourSchemeNumber(int nScheme) { m_nColourScheme = nScheme; }
    int GetColourScheme() const { return m_nColourScheme; }

    // Sets the seven custom colours of scheme 0..7 for the day or night (the night flag),
    // records the scheme and repaints. Other numbers change nothing (FALSE).
    BOOL SetColourScheme(int nScheme);

    // Highlights the group at the position (its values were refreshed) and records it (-1 when
    // there is none). TRUE when a highlight started that must be ended later (the group's
    // CMFCGroupPropertyGridProperty::Trigger); FALSE for any other item or position (a plain
    // group is selected instead).
    bool Trigger(int nGroup);
    int GetTriggered() const { return m_nTriggered; }

private:
    bool m_bNightMode = false;
    int m_nColourScheme = 0;
    int m_nTriggered = -1;
};
