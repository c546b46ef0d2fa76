// CMyFont: the bold Verdana of the ROV views' labels, re-made at the size a view asks for.
#pragma once

#include "platform/ui/Font.h"

class CDC;

class CMyFont : public CFont
{
public:
    // An 8-point (80 tenths) Verdana of weight 900, true-type output, proof quality.
    CMyFont();

    // Selects the font into `pDC` at `height` and `width`: with a width (logical units), a font
    // of that height and width, merely selected when it is so already; with a width of 0, a
    // point font of `height` tenths of a point, always made anew. Returns the font selected
    // before; null, selecting nothing, when this font does not exist or cannot be made.
    CFont* SelectSized(CDC* pDC, int height, int width);

private:
    // The font's description at this size, made anew; false when it cannot be made.
    bool Remake(CDC* pDC, LOGFONT lf, int height, int width);
};
