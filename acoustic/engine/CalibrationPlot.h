// CCalibrationPlot: the calibration program's plan view of stations, transponders and tracks,
// on the chart's plot. It adds that program's settings file "Grid Plot" (ten lines), its
// keys (zoom by one scale, pan by one grid interval, north-up, home), arcs drawn as chords no
// further than a pixel from the circle, arrow heads, circled station labels, and that
// program's own thin symbol shapes for vector symbols 5 to 12.
//
// Grid coordinates are metres (easting, northing); bearings are radians clockwise from grid
// north; screen coordinates are pixels.
#pragma once

#include "chart/plot/GridPlot.h"

class CCalibrationPlot : public CGridPlot
{
public:
    // The settings file's name, and the scale index of a plot without one (1:200).
    static const char kSettingsName[];
    static constexpr int kDefaultScaleIndex = 7;
    // Arcs are drawn in at most this many chords, however large they are against the view.
    static constexpr int kMaxChords = 100000;

    // Selects the calibration symbol shapes on this context.
    CCalibrationPlot();

    // Reads "Grid Plot" line by line in the writer's order: a missing file keeps the defaults
    // (tick mode 2, scale index 7, north up, orientation and angle offset 0, centre (0, 0),
    // track mode 0, track object 1, north arrow shown); a missing line gives that line's
    // default, a centre that is no finite number 0, and a scale index outside 1..29 the
    // default 7. Then applies the orientation read.
    void LoadSettings();
    // Writes the ten lines whole, or leaves the old file; false when it could not be written.
    bool SaveSettings();

    // Moves the centre of the view; true when it differs from the old one (exact comparison).
    bool SetCentre(double easting, double northing);

    // Acts on a virtual key and repaints `view` (when given) without erasing it: zoom in on 33,
    // 43, 73, 105 and 107 and out on 34, 45, 79, 109 and 111, one scale within 1..29; End
    // toggles north-up and turns the display again; Home centres on (0, 0); the arrows move
    // the centre by one grid interval of the current scale, along the screen's axes.
    void OnKeyDown(CWnd* view, UINT key);

    // The arc of `radius` metres about (centreE, centreN) from bearing a0 to a1 (through 2 pi
    // when a0 > a1), as chords each no further than a pixel from the circle, each cut to the
    // plot. Nothing for a radius not above 0, or for a radius, bearing or scale that is not a
    // finite number. Needs DrawGrid first (the scale and extent of the view).
    void DrawChordArc(double radius, double a0, double a1, double centreE, double centreN);
    // How many chords draw a sweep of `sweep` radians at `radius` metres at the current scale,
    // so that none departs from the circle by more than a pixel: at most kMaxChords, and 0
    // (one chord from end to end) where no chord angle follows from the radius.
    int ArcChordCount(double radius, double sweep) const;

    // A filled arrow head with its tip at (x, y) pointing along `bearing`, 18 pixels long and
    // 12 across, turned by the display rotation given as sine and cosine. Black on a
    // monochrome device, else 0xFFFF00 (0x0000FF on a 0xFFFF00 background); the current pen.
    void ArrowHead(int x, int y, double bearing, double sine, double cosine);
    // `text` centred on (x, y) in `font` (the selected font when null) inside a circle, with
    // the current pen and brush, whose radius is the width of "8". Transparent text; the
    // font and background mode are put back after.
    void CircledText(int x, int y, const char* text, CFont* font);

private:
    void Repaint(CWnd* view) const;
    // One chord between two bearings, cut to the plot.
    void Chord(double centreE, double centreN, double radius, double from, double to);
};
