// CPlanDrawing: draws one calibration (grid on grid, the network, Boxin, USBL calibration or
// transit fix) onto the calibration plot, after the plot has laid out its grid (DrawGrid).
// It reads the objects and changes nothing in them.
//
// Grid positions are metres (easting, northing); bearings radians clockwise from grid north;
// screen positions and sizes pixels. Colours are COLORREF (0x00BBGGRR). A square of half-size
// k spans x-k..x+k and y-k..y+k.
//
// Only points inside the plotted extent are drawn as symbols and labels. A point whose
// easting or northing is not a finite number, or lies beyond 1e10 m, is never drawn, nor any
// line, ring or arrow that would need it: the plot's inside test lets a NaN through (every
// comparison with it is false), and its conversion would then put the point on the edge of
// the pixel range.
//
// Which fields draw what:
// - Grid on grid: every pair; system B (EastingB, NorthingB) as yellow squares and numbers,
//   system A turned by the solution (m_dE, m_A .. m_D) as cyan circles.
// - Network: a station's type is its m_Status (1 free, 2 fixed, 3 free with a given position),
//   its position the given one (m_GivenE, m_GivenN); the observation of station j at station
//   i is element j of station i's array. Links, by directions with a range in use and above
//   0: one, a two-pixel green line; two, a two-pixel yellow line; none but a bearing in use at
//   either end, a dashed cyan line. Each station whose bearing to the other is in use shows
//   a cyan arrow, a 40-pixel line with the plot's arrow head at its end, along the computed
//   bearing from it to the other. Stations of type 1, 2, 3: a cyan circle, a magenta triangle,
//   a red square, 12 pixels across, with the name in white to the right of the symbol; any
//   other type is not drawn.
// - Boxin: the state is m_Converged (0 the position as entered, 1 computed); the ring centre
//   and extent are the entered transponder (m_TransponderEasting, m_TransponderNorthing) and
//   5 ring radii while 0, the computed one (m_DerivedEasting, m_DerivedNorthing) and
//   m_MaxRange while 1; the error radius is the mean radial error m_MeanPositionError. Each
//   used record (Used 1) shows its transducer (TransducerEasting, TransducerNorthing) and its
//   computed point (DerivedEasting, DerivedNorthing) in its quadrant colour (Colour).
// - USBL calibration: the scheme of Boxin round the transponder: the solved position once a
//   solution has run (m_Passes above 0), else the trial position. Rings spaced
//   m_RangeRingRadius out to the used record whose transducer lies farthest (the last ring at
//   or beyond it), at most 10. Squares of half-size 3 at each used record's transducer and of
//   half-size 1 at its observed point (ObservedEasting, ObservedNorthing) in its quadrant
//   colour. The red circle has the radius m_MeanDistance, and is left out while that is 0.
// - Transit fix: a point with a zero easting or northing is missing. Leg lines between points
//   1-4, 2-5, 3-6 (three legs) or 1-6, 2-5, 3-8, 4-7 (four legs); the points numbered in
//   white and the fixes (m_Intersections, one per leg) lettered in cyan, each label centred
//   under its point; the circle of m_Radius round m_Centre and a dotted cross on it.
//
// Range rings are olive circles at r, 2r, 3r ... within the extent; only those at least
// kMinRingPixels in radius that cross the plotted extent are drawn, and at most kMaxRings.
#pragma once

#include "acoustic/engine/CalibrationPlot.h"

#include <vector>

class CBoxin;
class CGridOnGrid;
class CNetwork;
class CTransitFix;
class CUsblCalibration;

class CPlanDrawing
{
public:
    static constexpr int kMaxRings = 100;
    static constexpr double kMinRingPixels = 2.0;
    static constexpr int kMaxUsblRings = 10;

    // Which rings to draw of those at k * spacing (k = 1, 2, ...): the first k and how many.
    struct RingSpan
    {
        int first = 0;
        int count = 0;
    };
    // The rings of `spacing` metres out to `extent` metres whose radius is at least
    // `minRadius` and lies within nearest..farthest (metres from the centre to the nearest and
    // farthest point of what is shown), at most `most` of them from the innermost. None for a
    // spacing not above 0 or above the extent, or a value that is not a number.
    static RingSpan RangeRings(double spacing, double extent, double minRadius, double nearest, double farthest,
                               int most);

    // `font` is the view's label font.
    CPlanDrawing(CCalibrationPlot& plot, CFont& font) : m_Plot(plot), m_Font(font) {}

    void DrawGridOnGrid(const CGridOnGrid& data);
    void DrawNetwork(const CNetwork& network);
    void DrawBoxin(const CBoxin& boxin);
    void DrawUsblCalibration(const CUsblCalibration& usbl);
    void DrawTransitFix(const CTransitFix& fix);

private:
    // A record of the Boxin and USBL pictures: where its transducer was and the point it gave.
    struct PatternPoint
    {
        double transducerE;
        double transducerN;
        double pointE;
        double pointN;
        COLORREF colour;
    };
    // The Boxin and USBL picture: rings about the centre out to `extent` (at most `most`),
    // the records, the red circle of `errorRadius` about (errorE, errorN) when it is above 0,
    // and the white cross on the centre.
    void DrawPattern(double centreE, double centreN, bool rings, double spacing, double extent, int most,
                     const std::vector<PatternPoint>& points, double errorE, double errorN, double errorRadius);
    void DrawRings(double centreE, double centreN, double spacing, double extent, int most);

    // Finite, inside the plotted extent, and then converted to the screen.
    bool Place(double e, double n, int* x, int* y) const;
    void Square(int x, int y, int half, COLORREF colour);
    // Two lines through (x, y), `arm` pixels to each side, in `pen`.
    void Cross(int x, int y, int arm, CPen& pen);
    // `text` in the view's font centred across x, its top half a text height below y.
    void LabelBelow(int x, int y, const char* text, COLORREF colour);
    // The bearing arrow of a network link from (x, y).
    void BearingArrow(int x, int y, double bearing);

    CCalibrationPlot& m_Plot;
    CFont& m_Font;
};
