// CMyDC: the drawing context through which charts, profiles and feature views draw. It carries
// a fixed set of fonts, brushes and pens, a sine and cosine table by whole degree, the 25
// vector point symbols and the framed labels beside them.
//
// Coordinates are the context's logical units (pixels in MM_TEXT); sizes are in the same
// units. Colours are COLORREF (0x00BBGGRR). Every symbol and label follows one colour rule,
// the display colour: black on a monochrome device, 0xFFFFFF − c for a colour c equal to the
// background colour (so a symbol never vanishes into the background), else c itself.
#pragma once

#include "foundation/ConfigFile.h"
#include "foundation/SymbolTypes.h"
#include "foundation/XYArray.h"
#include "platform/ui/Dc.h"

class CMyDC : public CDC
{
    DECLARE_DYNCREATE(CMyDC)
public:
    // Makes the fonts, brushes and pens and fills the sine and cosine tables; the context
    // itself is made as for any CDC (CreateCompatibleDC, Attach ...).
    CMyDC();
    ~CMyDC() override;

    // Text and clipping act on the output context alone, never on a separate attribute
    // context. In this layer the two are one context, so each is the base operation; they are
    // overridden here so that chart contexts derived from this one have one place to extend.
    using CDC::DrawText;
    using CDC::DrawTextEx;
    using CDC::ExtTextOut;
    using CDC::PtVisible;
    using CDC::TabbedTextOut;
    using CDC::TextOut;
    BOOL PtVisible(int x, int y) const override;
    BOOL RectVisible(LPCRECT lpRect) const override;
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount) override;
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                    const int* lpDxWidths) override;
    CSize TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions,
                        const int* lpnTabStopPositions, int nTabOrigin) override;
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) override;
    int DrawTextEx(LPSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                   LPDRAWTEXTPARAMS lpDTParams) override;
    BOOL GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y,
                    int nWidth, int nHeight) override;
    int Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData) override;

    // The colour that is drawn for `colour` (see the colour rule above).
    COLORREF DisplayColour(COLORREF colour) const;

    // Draws vector symbol `symbol` (VECTOR_SYMBOL, 1..25; anything else draws nothing)
    // centred on (x, y), `size` units across (half size h = size / 2, whole units). Lines
    // are a solid 2-unit pen of `colour`; filled shapes are filled with `colour` and outlined
    // with `colour2`; symbol 24 draws one stroke in `colour2`.
    void DrawVectorSymbol(int symbol, COLORREF colour, COLORREF colour2, int size, int x, int y);

    // Draws `text` in a framed box beside (x, y), `offset` units away, on the side given by
    // `position` (LABEL_POSITION: 1 above, 2 below, 3 left, 4 right, other non-zero values
    // centred on the point; 0 nothing). "&" is written " and ". The box is pale yellow
    // (not on a monochrome device) with a black frame; the text is black, 8-point Tahoma.
    // Text colour, background mode and font are restored afterwards.
    void DrawLabel(const char* text, int offset, int position, int x, int y);
    // The box DrawLabel would frame for text measuring (width, height); empty for position 0.
    static CRect LabelBox(int width, int height, int offset, int position, int x, int y);

    // The symbols that other drawing calls on their own, each (colour, second colour, size,
    // outline-only flag, x, y) with the geometry and colours of DrawVectorSymbol. Filled:
    // `colour` fill, `colour2` outline. Outline only: a `colour` outline, nothing filled.
    void DrawPlus(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);         // 2
    void DrawSquare(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);       // 5, 6
    void DrawCircle(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);       // 7, 8
    void DrawTriangle(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);     // 9, 10
    void DrawDiamond(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);      // 11, 12
    void DrawSplitDiamond(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y); // 16
    void DrawRing(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);         // 18
    void DrawBar(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y);          // 22

    // Device pixels per metre: horizontal resolution × 1000 / horizontal size (mm), measured
    // on first use and kept in devicePixelsPerMetre; 0 (not kept) while the device reports no
    // size.
    double GetDevicePixelsPerMetre();

    // Fills and outlines a polygon (winding fill, transparent background). Brush by `fill`:
    // −2 none, −1 solid in the colour, other values the hatch style of that number in the
    // colour. Pen in the display colour, its style the low 16 bits of `penStyleAndWidth` and
    // its width the high 16 bits; for every fill but solid the outline is drawn as a polyline
    // first. The previous pen, brush and background mode are put back.
    void DrawPolygonStyled(const POINT* points, int count, int penStyleAndWidth, COLORREF colour, int fill);
    // The pen argument of DrawPolygonStyled for a pen record: its style low, its width high.
    static int PenStyleAndWidth(const tagPen& pen);

    // The north arrow at (x, y), turned by the display rotation (sinRot, cosRot; y up): a head
    // of two halves from the point to the tip 25 up, the left (to (−12, −12)) open and the
    // right (to (12, −12)) filled white; a shaft 50 down and a cross bar 25 down, 24 wide. The
    // lines are the white pen, the black pen on a monochrome device.
    void DrawNorthArrow(double sinRot, double cosRot, int x, int y);

    // The drawers of the chart. Angles are radians unless a name says degrees; a heading or
    // an angle turns clockwise on the screen (y down), as a vessel's heading does.

    // Vector symbol `type` (DrawVectorSymbol) centred on (x, y), 32 units across, in `colour`,
    // with 2 as its second colour.
    void DrawSymbol(int type, int x, int y, COLORREF colour);
    // A filled triangle in the display colour with its tip at (x, y) and its base 24 units back
    // along `bearing` (clockwise from grid north), 8 units to each side; the offsets are turned
    // by the display rotation (sinRot, cosRot; anticlockwise, y up) as grid offsets are.
    void DrawArrowHead(int x, int y, COLORREF colour, double sinRot, double cosRot, double bearing);
    // The triangle (0, 16), (8, −16), (−8, −16) (y up, pointing up) turned by `angle` about
    // (x, y), filled by DrawPolygonStyled, then outlined with the black pen on a white
    // background or a monochrome device, else with the white pen.
    void DrawOrientedTriangle(int penStyleAndWidth, int fill, COLORREF colour, int x, int y, double angle);
    // Places four offsets (y up) at (x, y): angle 0 only moves them (y flipped); otherwise each
    // (px, py) becomes (x + int(px·cos + py·sin), y − int(py·cos − px·sin)).
    static void TurnBox(POINT box[4], double angle, int x, int y);
    // An outline (metres: x to starboard, y forward) about (x, y) at `pixelsPerMetre`, turned
    // by `heading`. Fill −2 (style.nFill) draws the points as one path, moving at each point
    // whose PenDown is 0. Any other fill draws each figure (a run of points up to the next
    // PenDown 0) as a polygon of the style when it has three points or more, a line when it has
    // two, nothing when it has one.
    void DrawOutline(const OutlinePointDef* points, int count, const tagPen& style, int x, int y,
                     double pixelsPerMetre, double heading);
    // Frame `frame` of a symbol strip: frames side by side, each frameWidth wide, its image in
    // the upper frameHeight rows and its mask (black where the image shows, white where the
    // ground stays) in the lower ones. The frame's hot spot (hotX, hotY) lands on (x, y); the
    // image is XORed, the mask ANDed and the image XORed again, so the ground under the white
    // of the mask comes back exactly. Size codes: 1 half, 2 three quarters, 3 full, 4 five
    // quarters, 5 one and a half; any other code, or no strip, draws nothing.
    void DrawBitmapSymbol(CBitmap* strip, int frame, int sizeCode, int x, int y, int frameWidth, int frameHeight,
                          int hotX, int hotY);
    // A circle about (x, y) whose radius is the width of the character "8" in the current
    // font, filled with `brush` (the current brush when null) and outlined with the current
    // pen, and the text centred in it, transparent.
    void DrawCircledText(int x, int y, const char* text, CBrush* brush);
    // Text in Verdana of that height and width (units), weight 400, turned anticlockwise by
    // `rotationDegrees` (escapement and orientation in tenths), in the display colour, anchored
    // at (x, y) by a justification code (horizontal + 256 × vertical of a drawing exchange
    // file): 0, 256, 768 baseline-left; 1, 257 baseline-centre; 2, 258 baseline-right; 512
    // baseline; 514 right; 769 top-centre; 770 top-right; others top-centre; 0xFFFF nothing.
    void DrawShapeText(const char* text, COLORREF colour, int height, int width, int justification, int x, int y,
                       double rotationDegrees);

    // Members keep this order: chart contexts derived from this one build on them.
    CFont largeFont;         // "Tahoma", height 36, bold
    CFont smallFont;         // "Verdana", height 16, bold
    bool monochrome = false; // symbols in black, labels without fill
    COLORREF backgroundColour = 0;
    int spare = 0;
    CBrush hollowBrush; // the stock null brush
    CBrush blackBrush;
    CBrush whiteBrush;
    CBrush redBrush;
    CBrush yellowBrush;
    CBrush paleYellowBrush; // 0xE7FFFF, label boxes
    CPen blackPen;          // 1 unit
    CPen whitePen;          // 1 unit
    CPen redPen;            // 1 unit
    CPen greyPen;           // 0x555555, 2 units
    CRect rect;             // the plotted rectangle of a chart context, and its centre
    int centreX = 0;
    int centreY = 0;
    double sinTable[361]; // sine of every whole degree 0..360
    double cosTable[361];
    double devicePixelsPerMetre = 0.0; // kept by chart contexts once measured
    // Symbols 5 to 12 in the calibration program's thin shapes (foundation/CalibrationSymbols.h)
    bool calibrationSymbols = false;

private:
    // A polygon filled with `fill` and outlined with a 2-unit pen of `line`, or (outline) a
    // closed polyline of `line` through the same points.
    void Shape(const POINT* points, int count, COLORREF fill, COLORREF line, bool outline);
    void Line(int x1, int y1, int x2, int y2);
    void Ellipse2(int x1, int y1, int x2, int y2, COLORREF line, CBrush* brush);
    // White, or black when `colour` is itself white: the ground of symbols 15 and 16.
    static COLORREF GroundFor(COLORREF colour);
};
