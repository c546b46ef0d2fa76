// How the suite's panes draw their property grids and texts: fonts made from the user's system
// fonts, and the grey colour scheme a grid starts in. Every library's panes take them from
// here, whichever pane base they derive from.
#pragma once

#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "platform/ui/Font.h"

// (Re)makes `font` as the regular GUI font with the height, weight and slant of the system's
// menu font, so the grid follows the user's settings.
void CreatePropListFont(CFont& font);
// (Re)makes `font` as the regular GUI font in the face and weight of the system's message
// font, keeping the GUI font's size.
void CreateMessageFacePropListFont(CFont& font);
// (Re)makes `font` as the regular GUI font in the face and height of the system's message
// font, keeping the GUI font's weight.
void CreateMessageFaceAndHeightPropListFont(CFont& font);
// (Re)makes `font` as the system's message font.
void MakeMessageFont(CFont& font);

// No header ("Property", "Value"), flat look, a description area, and the grey scheme (1) by
// day or by night as the grid's night flag says.
void ApplyGreyGridScheme(CMyMFCPropertyGridCtrl& grid);
