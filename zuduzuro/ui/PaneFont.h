// The font of the anchor-cable program's panes: the system's message font.
#pragma once

class CFont;

// Makes `font` afresh from the system's non-client message font.
void MakeMessageFont(CFont& font);
