// The side view's pictures, drawn by our own code: the symbol strip (32 x 32 cells, colour
// images in the top row and their masks below: black where the symbol stands, white where the
// picture under it shows) and the "Vertical Offset" picture of the picture pane.
#pragma once

#include "platform/core/WinTypes.h"

#include <QIcon>
#include <QImage>

class CBitmap;
class CDC;

#define IDB_SYMBOL_STRIP 13303

// Left edges of the cells in the strip.
enum SYMBOL_CELL
{
    SYMBOL_ANCHOR = 0,
    SYMBOL_BUOY = 32,
    SYMBOL_LIVE_ANCHOR = 64,
    SYMBOL_SECOND = 128,
    SYMBOL_FLAGGED_BUOY = 192
};

constexpr int kSymbolStripWidth = 224;
constexpr int kSymbolStripHeight = 64;

// The strip as a picture.
QImage SymbolStripImage();
// The strip as a bitmap compatible with `dc`.
bool LoadSymbolStrip(CBitmap& bitmap, CDC* dc);
// The colour round each symbol in the keyed strip; no symbol uses it.
constexpr COLORREF kSymbolKey = 0x00FF00FF;
// The strip's top row alone, the ground round each symbol (white in its mask) in kSymbolKey:
// for a device with no raster operations (a printer), which leaves the key out (TransparentBlt).
bool LoadKeyedSymbolStrip(CBitmap& bitmap, CDC* dc);
// The "Vertical Offset" picture: the barge, its fairlead and the water line, with the levels
// the fairlead's height is measured between.
QImage VerticalOffsetPicture();
// The splash windows' picture: a barge on the water with its anchor cable hanging in a
// catenary down to an anchor on the seabed.
QImage CatenaryPicture();
// The program's icon: the side view's anchor symbol, clear where its mask is.
QIcon ZuduzuroIcon();
