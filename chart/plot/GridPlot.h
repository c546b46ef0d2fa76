// CGridPlot: the chart's drawing context and coordinate frame. It converts between grid
// coordinates (easting E and northing N, metres) and device pixels about a grid origin shown
// at the centre of the plotted rectangle, at one of 31 map scales and a display rotation;
// draws the grid, its labels and the scale; clips and draws grid-space lines, arcs and
// polygons; and carries the zoom, pan, drag and tracking operations of the chart view.
// Its settings live in a named settings file and are saved again when it is destroyed.
#pragma once

#include "chart/ChartexaApi.h"
#include "features/Dxf.h"
#include "features/Outline.h"
#include "foundation/ConfigFile.h"
#include "foundation/MyDC.h"
#include "foundation/XYArray.h"
#include "platform/ui/Font.h"
#include "platform/ui/Wnd.h"

using CMyBrush = CBrush;

class CDivider;
class CEBLList;

// Grid style of the plot.
enum TICK_MODES
{
    TICK_NONE = 0,
    TICK_DOTS = 1,
    TICK_CROSSES = 2,
    TICK_LINES = 3,
};

// How the view follows the tracked object.
enum TRACK_MODE
{
    TRACK_NONE = 0,
    TRACK_CENTRE = 1,   // keep it centred
    TRACK_RECENTRE = 2, // centre on it when it leaves the view
    TRACK_SHIFT = 3,    // shift the view by a third of its width or height when it leaves
};

// What the view follows; other values follow nothing.
enum TRACKING_OBJECT
{
    TRACK_VESSEL = 1,
    TRACK_TEMPLATE = 2,
    TRACK_WAYPOINT = 3,
};

// Directions of Pan; the diagonals move one step on each axis; other values move nothing.
enum PANNING_DIRECTIONS
{
    PAN_LEFT = 1,
    PAN_UP = 2,
    PAN_RIGHT = 3,
    PAN_DOWN = 4,
    PAN_UP_LEFT = 5,
    PAN_UP_RIGHT = 6,
    PAN_DOWN_LEFT = 7,
    PAN_DOWN_RIGHT = 8,
};

// A hit test of a grid segment: is the screen point (pixels) within the tolerance (pixels)
// of the segment's visible part?
struct tagNearLine
{
    tagXY Start; // grid E, N
    tagXY End;
    tagXY Point; // screen x, y
    int Tolerance;
};

class CHARTEXA_API CGridPlot : public CMyDC
{
public:
    // The 31 map scales (1:N) and their grid spacings (metres), by scale index. The zoom
    // operations keep the index within 1..29; 30 is reached only from a settings file.
    static constexpr int kScales = 31;
    static const double scaleTable[kScales];
    static const double spacingTable[kScales];

    CGridPlot();
    // Saves the settings (when a settings name was given), then lets go of the fonts.
    ~CGridPlot() override;

    // Settings. LoadSettings keeps the name and reads the file of that name (defaults for an
    // unreadable file, a missing line, or a value that is no number), then applies the
    // orientation read. SaveSettings writes the file whole, or leaves the old one when it
    // cannot be written.
    void LoadSettings(const char* name);
    void SaveSettings();

    // The display rotation for a heading of `degrees` (0..359) plus the angle offset; none in
    // north-up mode, where only an angle offset of 180 turns the crosses and the north arrow.
    // First the angle offset loses its whole turns (-359..359 stay as they are) and a held
    // orientation outside 0..359 becomes 0, whatever a settings file gave.
    void SetOrientation(int degrees);

    // Grid (metres) to screen (pixels), truncating toward zero; no range test. Inline: every
    // point of every line and area drawn goes through it.
    void GridToScreen(double e, double n, int* x, int* y) const
    {
        const POINT p = GridToScreenPoint(e, n);
        if (x)
            *x = p.x;
        if (y)
            *y = p.y;
    }
    POINT GridToScreenPoint(double e, double n) const
    {
        double dE = e - originE;
        double dN = n - originN;
        if (!northUp)
        {
            const double turnedE = dE * cosRot - dN * sinRot;
            dN = dE * sinRot + dN * cosRot;
            dE = turnedE;
        }
        return POINT{centreX + ToPixel(dE * pixelsPerMetre), centreY - ToPixel(dN * pixelsPerMetre)};
    }
    // True when (e, n) lies outside the plotted grid extent; otherwise converts it (when x is
    // given) and gives false.
    bool IsOutside(double e, double n, int* x, int* y) const;
    // Screen to grid. The outputs are zeroed first; false when the point lies outside the
    // plotted rectangle (its edges count as inside) or before the first DrawGrid.
    bool ScreenToGrid(int x, int y, double* e, double* n) const;

    // Sets the scale, centre and extents for `plotRect` and draws the grid, its labels and the
    // scale text.
    void DrawGrid(CRect plotRect);

    // Lines cut to the plotted grid extent. ClipLineToScreen gives the screen ends (left, top
    // the start; right, bottom the end) and true when something is visible and the two ends
    // differ; DrawLine draws that.
    bool ClipLineToScreen(RECT* out, double e1, double n1, double e2, double n2) const;
    void DrawLine(double e1, double n1, double e2, double n2);
    void DrawLineXY(const tagXY& from, const tagXY& to);
    // An arc of `radius` metres about the centre from bearing `from` to bearing `to` (radians
    // clockwise from grid north) for direction 1, from `to` to `from` otherwise, in chords no
    // further than a pixel from the circle; equal bearings draw a full circle. Direction −1
    // also draws the chord that closes the arc.
    void DrawArc(double centreE, double centreN, double radius, double from, double to, int direction);
    // The polygon cut to the plotted grid extent, each piece drawn with the pen of `style`
    // and filled by `brush` when one is given, else as the style's fill says.
    void DrawClippedPolygon(const tagXY* points, int count, const tagPen& style, CMyBrush* brush = nullptr);
    // The hit test of a grid segment; false when nothing of it is visible.
    bool IsNearLine(const tagNearLine& test) const;
    // The north arrow at a screen point with the plot's display rotation.
    using CMyDC::DrawNorthArrow;
    void DrawNorthArrow(int x, int y);

    // Outlines and shapes.
    // The outline (metres from its reference point) at the grid position, turned by the
    // heading (degrees clockwise from grid north; less the display rotation unless north-up),
    // with the pen, colour and fill of `style`. An empty outline draws nothing.
    void DrawVesselOutline(double e, double n, const COutline& outline, const tagPen& style, double heading);
    // A drawing-exchange shape placed on the grid by its scale, rotation (degrees clockwise; none
    // unless positive) and insertion point (m_OffsetX, m_OffsetY): the entities of every block
    // as they stand in the block, then those of the drawing, each in the pen of its colour
    // number. Lines, circles, arcs, polylines, solids and texts (texts only with m_bShowText)
    // are drawn; entities with points outside the drawing's header extents are left out (a
    // drawing that gives no extents keeps them all). A shape whose m_bUse is off draws nothing.
    void DrawDxfShape(CDxf* shape);
    // Places the shape at a vessel's position and heading (degrees), then draws it.
    void DrawVesselShape(double rotation, const tagXY& position, CDxf* shape);
    // A point of the shape (drawing units) on the grid: scaled (unless the scale is 0 or 1),
    // turned clockwise by the shape's rotation (its stored sine and cosine, which DrawDxfShape
    // sets) and moved to its insertion point.
    static void TransformShapePoint(const CDxf& shape, double x, double y, double* e, double* n);

    // Measuring overlays (EblDrawing.cpp). The bearing lines of the list in order; in training
    // mode a line the user draws freely shows only the small-line symbol, and only lines with a
    // fixed start keep their line, arrow and label. The divider when it is shown. A null list
    // or divider, and a line or divider with a missing end, draw nothing.
    void DrawEBLs(CEBLList* list, bool trainingMode);
    void DrawDivider(CDivider* divider);

    // Navigation. `view` is the window the plot draws in; it is repainted where a step says so.
    // OnKeyDown acts on virtual keys only: Page Up, I and both + keys zoom in, Page Down, O
    // and both − keys zoom out, End toggles north-up, Home clears the origin, the arrows pan.
    void OnKeyDown(CWnd* view, UINT key);
    void Pan(int direction);
    void StartDrag(CWnd* view, UINT flags, int x, int y);
    void DragPan(CPoint point);
    void DragMove(CPoint point);
    bool CentreAt(int x, int y);
    void ZoomInAt(CPoint point);
    void ZoomOutAt(CPoint point);
    void TrackPosition(double e, double n);

    // Fields, in this order.
    CString settingsName;
    double originE = 0.0; // grid position at the centre; (0, 0) until placed
    double originN = 0.0;
    double plotMinE = 0.0; // grid extent of the whole plotted rectangle
    double plotMinN = 0.0;
    double plotMaxE = 0.0;
    double plotMaxN = 0.0;
    COLORREF gridColour = 0x00FF00;
    int tickMode = TICK_CROSSES;
    int scaleIndex = 15;
    bool northUp = true;
    int orientation = 0; // degrees, 0..359
    int angleOffset = 0; // degrees, added to the orientation
    bool showNorthArrow = true;
    int trackMode = TRACK_NONE;
    int trackObject = TRACK_VESSEL;
    int trackWaypointFile = 0;
    int trackWaypointIndex = 0;
    double dragStartE = 0.0;
    double dragStartN = 0.0;
    bool panning = false;
    double lastGridE = 0.0;
    double lastGridN = 0.0;
    int lastMouseX = 0;
    int lastMouseY = 0;
    CWnd* dragView = nullptr;
    HCURSOR cursor = nullptr;
    double gridMinE = 0.0; // grid extent of the plotted rectangle less a pixel each side
    double gridMinN = 0.0;
    double gridMaxE = 0.0;
    double gridMaxN = 0.0;
    double sinRot = 0.0;
    double cosRot = 1.0;
    double sinInv = 0.0;
    double cosInv = -1.0;
    double pixelsPerMetre = 0.0;
    CFont labelFont;         // Verdana, 9 point
    CFont verticalLabelFont; // the same turned by 90 degrees
    // Set by the host: every shape drawn in singleColour rather than in its own colours.
    bool singleColourMode = false;
    COLORREF singleColour = 0xFFFFFF;
    // Set by the view: the background colour each normal paint goes back to, the night flag,
    // and the print flag that a capture paint raises.
    COLORREF savedBackgroundColour = 0;
    bool nightMode = false;
    bool printing = false;

private:
    // A pixel coordinate from a value that may lie far off the screen: truncated toward zero
    // and held where int arithmetic on it stays safe.
    static int ToPixel(double value)
    {
        constexpr double kLimit = 1e9;
        if (!(value > -kLimit))
            return static_cast<int>(-kLimit);
        if (!(value < kLimit))
            return static_cast<int>(kLimit);
        return static_cast<int>(value);
    }
    // The rotation that turns a screen step into a grid step (none in north-up mode).
    void ScreenStepToGrid(double x, double y, double* e, double* n) const;
    void Repaint(CWnd* view, bool erase) const;
    void DrawTicks(double s, COLORREF colour);
    void DrawLabels(double s);
    void DrawChord(double centreE, double centreN, double radius, double from, double to);
};
