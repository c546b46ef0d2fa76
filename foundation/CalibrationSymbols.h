// The calibration program's own shapes of vector symbols 5 to 12 (square, circle, triangle and
// diamond, filled or outlined): thin 1-pixel outlines and no centre mark, drawn instead of the
// common shapes when that program sets CMyDC::calibrationSymbols on its context.
//
// Each takes the fill colour, the outline colour, the size in pixels (half size h = size / 2,
// truncated), whether only the outline is drawn, and the centre (x, y). Filled shapes are
// outlined in the outline colour; outline-only shapes are drawn in the fill colour over
// whatever lies beneath. The context's pen, brush and background mode are put back after.
#pragma once

#include "foundation/MyDC.h"

void DrawCalibrationSquare(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                           int y);
// A filled circle of colour 0 or 0xFFFFFF takes the context's own black or white brush.
void DrawCalibrationCircle(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                           int y);
// Apex up.
void DrawCalibrationTriangle(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                             int y);
void DrawCalibrationDiamond(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                            int y);

// Symbols 5 to 12 (5 filled square, 6 square, 7 filled circle, 8 circle, 9 filled triangle,
// 10 triangle, 11 filled diamond, 12 diamond) with `colour` as fill and `colour2` as outline;
// false, drawing nothing, for any other symbol.
bool DrawCalibrationSymbol(CMyDC& dc, int symbol, COLORREF colour, COLORREF colour2, int size, int x, int y);
