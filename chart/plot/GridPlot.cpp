#include "chart/plot/GridPlot.h"

#include "chart/geometry/ClipPolygon.h"
#include "chart/geometry/ClipSegment.h"
#include "chart/geometry/PlaneGeometry.h"
#include "platform/ui/Cursor.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

const double CGridPlot::scaleTable[kScales] = {
    1,     10,    20,    25,     50,     75,     100,    200,    250,     500,     750,
    1000,  2000,  2500,  5000,   7500,   10000,  20000,  25000,  50000,   75000,   100000,
    200000, 250000, 500000, 750000, 1000000, 2000000, 2500000, 5000000, 7500000,
};
const double CGridPlot::spacingTable[kScales] = {
    1,    1,    1,    1,     2,     5,     5,     10,    10,     25,     50,
    50,   100,  100,  250,   500,   500,   1000,  1000,  2500,   5000,   5000,
    10000, 10000, 25000, 50000, 50000, 100000, 100000, 250000, 500000,
};

namespace
{
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr double kTwoPi = 2.0 * M_PI;
constexpr int kDefaultScaleIndex = 15;
// More grid lines or dots than this across one view means the device reported a size that
// makes no sense; the grid is then left out rather than drawn for minutes.
constexpr double kMaxGridSteps = 20000.0;
// Chords of an arc far larger than the view are shorter than a pixel long before this many.
constexpr double kMaxChords = 100000.0;

// The grid lines (multiples of the spacing s) that cover min..max on one axis: the first,
// and how many steps of s follow it, counted as a whole number so that a long run of
// additions never drops or adds a line.
struct GridRange
{
    double first;
    int steps;
    GridRange(double min, double max, double s)
        : first(std::floor(min / s) * s), steps(static_cast<int>(std::lround((std::ceil(max / s) * s - first) / s)))
    {
    }
    double At(int i, double s) const { return first + i * s; }
    double Last(double s) const { return At(steps, s); }
};

// A polygon's next screen point, left out where it repeats the one before: the outline and the
// fill stay the same, and a long outline in view comes down to about a point a pixel.
void AddScreenPoint(std::vector<POINT>& screen, POINT p)
{
    if (screen.empty() || screen.back().x != p.x || screen.back().y != p.y)
        screen.push_back(p);
}

// The value of a settings line, or false for no line or no '='.
bool NextValue(CConfigFile& file, CString& value, CString* key = nullptr)
{
    CString line;
    if (!file.ReadString(line) || !CConfigFile::ValueAfterEquals(line, value))
        return false;
    if (key)
    {
        *key = line.Left(line.Find('='));
        key->Trim();
    }
    return true;
}

// A whole number as the settings files write it; the default for text that is no number.
int ParseInt(const CString& text, int defaultValue)
{
    const char* start = text.GetString();
    char* end = nullptr;
    const long value = std::strtol(start, &end, 10);
    if (end == start || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

double ParseDouble(const CString& text, double defaultValue)
{
    const char* start = text.GetString();
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    return (end == start || !std::isfinite(value)) ? defaultValue : value;
}

int ReadIntValue(CConfigFile& file, int defaultValue)
{
    CString value;
    return NextValue(file, value) ? ParseInt(value, defaultValue) : defaultValue;
}

double ReadDoubleValue(CConfigFile& file, double defaultValue)
{
    CString value;
    return NextValue(file, value) ? ParseDouble(value, defaultValue) : defaultValue;
}

const char kShowNorthArrow[] = "Show North Arrow";
} // namespace

CGridPlot::CGridPlot()
{
    LOGFONT font{};
    font.lfHeight = 90; // tenths of a point
    font.lfWeight = FW_NORMAL;
    std::snprintf(font.lfFaceName, sizeof(font.lfFaceName), "%s", "Verdana");
    labelFont.CreatePointFontIndirect(&font);
    font.lfEscapement = 900;
    font.lfOrientation = 900;
    verticalLabelFont.CreatePointFontIndirect(&font);
    cursor = LoadCursor(nullptr, IDC_ARROW);
}

CGridPlot::~CGridPlot()
{
    SaveSettings();
}

// ---------------------------------------------------------------------------------------
// Settings: the writer and its reader side by side, in file order.

void CGridPlot::SaveSettings()
{
    if (settingsName.IsEmpty())
        return;
    CConfigFile::WriteSettingsFile(settingsName, [this](CConfigFile& file) {
        file.WriteInt("Tick Mode", tickMode);
        file.WriteInt("Scale Index", scaleIndex);
        file.WriteBool("North Up", northUp);
        file.WriteInt("Orientation", orientation);
        file.WriteInt("Angle Offset", angleOffset);
        file.WriteDouble("Centre Easting", originE, 3);
        file.WriteDouble("Centre Northing", originN, 3);
        file.WriteInt("Track Mode", trackMode);
        file.WriteInt("Track Object", trackObject);
        file.WriteInt("Track Waypoint File", trackWaypointFile);
        file.WriteInt("Track Waypoint Index", trackWaypointIndex);
        file.WriteBool(kShowNorthArrow, showNorthArrow);
    });
}

void CGridPlot::LoadSettings(const char* name)
{
    settingsName = name;
    tickMode = TICK_CROSSES;
    scaleIndex = kDefaultScaleIndex;
    northUp = true;
    orientation = 0;
    angleOffset = 0;
    originE = originN = 0.0;
    trackMode = TRACK_NONE;
    trackObject = TRACK_VESSEL;
    trackWaypointFile = trackWaypointIndex = 0;
    showNorthArrow = true;
    CConfigFile::ReadSettingsFile(settingsName, [this](CConfigFile& file) {
        tickMode = ReadIntValue(file, TICK_CROSSES);
        scaleIndex = ReadIntValue(file, kDefaultScaleIndex);
        northUp = ReadIntValue(file, 1) != 0;
        orientation = ReadIntValue(file, 0);
        angleOffset = ReadIntValue(file, 0);
        originE = ReadDoubleValue(file, 0.0);
        originN = ReadDoubleValue(file, 0.0);
        trackMode = ReadIntValue(file, TRACK_NONE);
        trackObject = ReadIntValue(file, TRACK_VESSEL);
        // Files written before the tracked waypoint was saved go straight on to the north
        // arrow's line.
        CString key, value;
        if (!NextValue(file, value, &key))
            return;
        if (key == kShowNorthArrow)
        {
            showNorthArrow = ParseInt(value, 1) != 0;
            return;
        }
        trackWaypointFile = ParseInt(value, 0);
        trackWaypointIndex = ReadIntValue(file, 0);
        showNorthArrow = ReadIntValue(file, 1) != 0;
    });
    if (scaleIndex <= 0 || scaleIndex >= kScales)
        scaleIndex = kDefaultScaleIndex;
    SetOrientation(orientation);
}

// ---------------------------------------------------------------------------------------
// Frame

void CGridPlot::SetOrientation(int degrees)
{
    // A settings file may hold any integer here: whole turns of the offset change nothing, and
    // without them the sums of offset and orientation, here and where the plot draws, cannot
    // overflow. An orientation no frame has is none.
    angleOffset %= 360;
    if (orientation < 0 || orientation > 359)
        orientation = 0;
    if (northUp)
    {
        sinRot = 0.0;
        cosRot = angleOffset == 180 ? -1.0 : 1.0;
        return;
    }
    if (degrees < 0 || degrees > 359)
    {
        sinRot = sinInv = 0.0;
        cosRot = cosInv = 1.0;
        return;
    }
    orientation = degrees;
    const double theta = (degrees + angleOffset) * kDegreesToRadians;
    sinRot = std::sin(theta);
    cosRot = std::cos(theta);
    sinInv = std::sin(-theta);
    cosInv = std::cos(-theta);
}

bool CGridPlot::IsOutside(double e, double n, int* x, int* y) const
{
    if (e < plotMinE || e > plotMaxE || n < plotMinN || n > plotMaxN)
        return true;
    if (x)
        GridToScreen(e, n, x, y);
    return false;
}

bool CGridPlot::ScreenToGrid(int x, int y, double* e, double* n) const
{
    if (e)
        *e = 0.0;
    if (n)
        *n = 0.0;
    if (pixelsPerMetre == 0.0 || x < rect.left || x > rect.right || y < rect.top || y > rect.bottom)
        return false;
    double dx = x - centreX;
    double dy = centreY - y;
    if (!northUp)
        RotatePoint(&dx, &dy, 0.0, 0.0, sinInv, cosInv);
    if (e)
        *e = dx / pixelsPerMetre + originE;
    if (n)
        *n = dy / pixelsPerMetre + originN;
    return true;
}

void CGridPlot::ScreenStepToGrid(double x, double y, double* e, double* n) const
{
    if (northUp)
    {
        *e = x;
        *n = y;
        return;
    }
    *e = cosRot * x + sinRot * y;
    *n = cosRot * y - sinRot * x;
}

// ---------------------------------------------------------------------------------------
// Grid

void CGridPlot::DrawGrid(CRect plotRect)
{
    pixelsPerMetre = GetDevicePixelsPerMetre() / scaleTable[scaleIndex];
    rect = plotRect;
    centreX = (rect.left + rect.right) / 2;
    centreY = (rect.top + rect.bottom) / 2;

    auto bounds = [this](const CRect& r, double& minE, double& minN, double& maxE, double& maxN) {
        const POINT corners[4] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}};
        minE = minN = DBL_MAX;
        maxE = maxN = -DBL_MAX;
        for (const POINT& corner : corners)
        {
            double e = 0.0, n = 0.0;
            ScreenToGrid(corner.x, corner.y, &e, &n);
            minE = std::fmin(minE, e);
            minN = std::fmin(minN, n);
            maxE = std::fmax(maxE, e);
            maxN = std::fmax(maxN, n);
        }
    };
    bounds(rect, plotMinE, plotMinN, plotMaxE, plotMaxN);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    bounds(inner, gridMinE, gridMinN, gridMaxE, gridMaxN);

    const COLORREF colour = DisplayColour(gridColour);
    CFont* oldFont = SelectObject(&labelFont);
    const int oldMode = SetBkMode(TRANSPARENT);
    const UINT oldAlign = SetTextAlign(TA_BASELINE | TA_LEFT);
    const COLORREF oldColour = SetTextColor(colour);
    const int oldRop = SetROP2(R2_COPYPEN);
    CPen pen(PS_SOLID, 1, colour);
    CPen* oldPen = SelectObject(&pen);

    const double s = spacingTable[scaleIndex];
    const bool sane = (gridMaxE - gridMinE) / s < kMaxGridSteps && (gridMaxN - gridMinN) / s < kMaxGridSteps;
    if (sane)
    {
        DrawTicks(s, colour);
        if (northUp && tickMode != TICK_NONE)
            DrawLabels(s);
    }

    SetTextAlign(TA_TOP | TA_CENTER);
    CString scale;
    scale.Format("1:%1.0lf", scaleTable[scaleIndex]);
    TextOut(rect.left + 100, rect.top, scale);

    SelectObject(oldPen);
    SetROP2(oldRop);
    SetTextColor(oldColour);
    SetTextAlign(oldAlign);
    SetBkMode(oldMode);
    SelectObject(oldFont);
}

void CGridPlot::DrawTicks(double s, COLORREF colour)
{
    const GridRange alongE(gridMinE, gridMaxE, s), alongN(gridMinN, gridMaxN, s);
    switch (tickMode)
    {
    case TICK_LINES:
        for (int i = 0; i <= alongE.steps; ++i)
            DrawLine(alongE.At(i, s), alongN.first, alongE.At(i, s), alongN.Last(s));
        for (int j = 0; j <= alongN.steps; ++j)
            DrawLine(alongE.first, alongN.At(j, s), alongE.Last(s), alongN.At(j, s));
        break;
    case TICK_DOTS:
    {
        const double step = s / 2.5;
        const int countE = static_cast<int>(std::lround(alongE.steps * 2.5));
        const int countN = static_cast<int>(std::lround(alongN.steps * 2.5));
        for (int i = 0; i <= countE; ++i)
            for (int j = 0; j <= countN; ++j)
            {
                int x = 0, y = 0;
                GridToScreen(alongE.At(i, step), alongN.At(j, step), &x, &y);
                if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom)
                    SetPixel(x, y, colour);
            }
        break;
    }
    case TICK_CROSSES:
    {
        const double c = cosRot, n = sinRot;
        for (int i = 0; i <= alongE.steps; ++i)
            for (int j = 0; j <= alongN.steps; ++j)
            {
                int x = 0, y = 0;
                GridToScreen(alongE.At(i, s), alongN.At(j, s), &x, &y);
                MoveTo(ToPixel(x - 4 * c), ToPixel(y + 4 * n));
                LineTo(ToPixel(x + 4 * c), ToPixel(y - 4 * n));
                MoveTo(ToPixel(x + 4 * n), ToPixel(y + 4 * c));
                LineTo(ToPixel(x - 10 * n), ToPixel(y - 10 * c));
            }
        break;
    }
    default:
        break;
    }
}

void CGridPlot::DrawLabels(double s)
{
    TEXTMETRIC metrics{};
    GetTextMetrics(&metrics);
    const GridRange alongE(gridMinE, gridMaxE, s), alongN(gridMinN, gridMaxN, s);
    const int shift = tickMode == TICK_LINES ? 0 : metrics.tmHeight / 2;
    CString text;
    for (int j = 0; j <= alongN.steps; ++j)
    {
        const double n = alongN.At(j, s);
        int y = 0;
        GridToScreen(originE, n, nullptr, &y);
        text.Format("%.0lfN", n);
        TextOut(rect.left, y + shift, text);
    }
    SelectObject(&verticalLabelFont);
    for (int i = 0; i <= alongE.steps; ++i)
    {
        const double e = alongE.At(i, s);
        int x = 0;
        GridToScreen(e, originN, &x, nullptr);
        text.Format("%.0lfE", e);
        TextOut(x + shift, rect.bottom - metrics.tmAveCharWidth, text);
    }
    SelectObject(&labelFont);
}

// ---------------------------------------------------------------------------------------
// Lines, arcs and polygons in grid space

bool CGridPlot::ClipLineToScreen(RECT* out, double e1, double n1, double e2, double n2) const
{
    if (ClipSegmentToRect(e1, n1, e2, n2, plotMinE, plotMinN, plotMaxE, plotMaxN) != 0)
        return false;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    GridToScreen(e1, n1, &x1, &y1);
    GridToScreen(e2, n2, &x2, &y2);
    if (x1 == x2 && y1 == y2)
        return false;
    if (out)
        *out = RECT{x1, y1, x2, y2};
    return true;
}

void CGridPlot::DrawLine(double e1, double n1, double e2, double n2)
{
    RECT ends{};
    if (!ClipLineToScreen(&ends, e1, n1, e2, n2))
        return;
    MoveTo(ends.left, ends.top);
    LineTo(ends.right, ends.bottom);
}

void CGridPlot::DrawLineXY(const tagXY& from, const tagXY& to)
{
    DrawLine(from.x, from.y, to.x, to.y);
}

void CGridPlot::DrawChord(double centreE, double centreN, double radius, double from, double to)
{
    DrawLine(centreE + radius * std::sin(from), centreN + radius * std::cos(from), centreE + radius * std::sin(to),
             centreN + radius * std::cos(to));
}

void CGridPlot::DrawArc(double centreE, double centreN, double radius, double from, double to, int direction)
{
    if (!(radius > 0.0) || !std::isfinite(from) || !std::isfinite(to))
        return;
    const double start = direction == 1 ? from : to;
    double end = direction == 1 ? to : from;
    if (start >= end)
        end += kTwoPi;
    const double span = end - start;
    // Chords whose middle lies no more than a pixel inside the circle.
    double chords = 1.0;
    const double cosHalf = (radius - 1.0 / pixelsPerMetre) / radius;
    if (cosHalf >= -1.0 && cosHalf <= 1.0)
    {
        const double widest = 2.0 * std::acos(cosHalf);
        if (widest > 0.0)
            chords = std::fmin(std::ceil(span / widest), kMaxChords);
    }
    const int count = static_cast<int>(std::fmax(chords, 1.0));
    const double step = span / count;
    for (int i = 0; i < count; ++i)
        DrawChord(centreE, centreN, radius, start + i * step, i + 1 == count ? end : start + (i + 1) * step);
    if (direction == -1)
        DrawChord(centreE, centreN, radius, end, start);
}

void CGridPlot::DrawClippedPolygon(const tagXY* points, int count, const tagPen& style, CMyBrush* brush)
{
    const int penStyle = PenStyleAndWidth(style);
    auto drawPiece = [&](std::vector<POINT>& screen) {
        if (brush)
        {
            CPen pen(style.nStyle, style.nThickness, DisplayColour(style.Colour));
            CPen* oldPen = SelectObject(&pen);
            CBrush* oldBrush = SelectObject(brush);
            const int oldMode = SetPolyFillMode(WINDING);
            Polygon(screen.data(), static_cast<int>(screen.size()));
            SetPolyFillMode(oldMode);
            SelectObject(oldBrush);
            SelectObject(oldPen);
        }
        else
            DrawPolygonStyled(screen.data(), static_cast<int>(screen.size()), penStyle, style.Colour, style.nFill);
        screen.clear();
    };

    // A polygon wholly inside the view is its own clipped piece, closed: the clipper's work,
    // which grows with every vertex, is spared for the long corridors that lie in view.
    if (points != nullptr && count >= 3)
    {
        bool inside = true;
        for (int i = 0; i < count && inside; ++i)
            inside = points[i].x >= gridMinE && points[i].x <= gridMaxE && points[i].y >= gridMinN &&
                     points[i].y <= gridMaxN;
        if (inside)
        {
            std::vector<POINT> screen;
            screen.reserve(static_cast<size_t>(count) + 1);
            for (int i = 0; i < count; ++i)
                AddScreenPoint(screen, GridToScreenPoint(points[i].x, points[i].y));
            if (points[count - 1].x != points[0].x || points[count - 1].y != points[0].y)
                screen.push_back(screen.front());
            drawPiece(screen);
            return;
        }
    }

    const tagXY view[5] = {
        {gridMinE, gridMinN}, {gridMaxE, gridMinN}, {gridMaxE, gridMaxN}, {gridMinE, gridMaxN}, {gridMinE, gridMinN}};
    tagXY* pieces = nullptr;
    int total = 0;
    if (ClipPolygon(view, 5, points, count, &pieces, &total, 0.001) != 1)
    {
        FreeClipResult(&pieces);
        return;
    }
    std::vector<POINT> screen;
    for (int i = 0; i < total; ++i)
    {
        if (pieces[i].x != DBL_MAX)
            AddScreenPoint(screen, GridToScreenPoint(pieces[i].x, pieces[i].y));
        else
            drawPiece(screen);
    }
    FreeClipResult(&pieces);
}

bool CGridPlot::IsNearLine(const tagNearLine& test) const
{
    RECT ends{};
    if (!ClipLineToScreen(&ends, test.Start.x, test.Start.y, test.End.x, test.End.y))
        return false;
    return IsPointNearSegment(test.Point, ends.left, ends.top, ends.right, ends.bottom, test.Tolerance);
}

void CGridPlot::DrawNorthArrow(int x, int y)
{
    DrawNorthArrow(sinRot, cosRot, x, y);
}

// ---------------------------------------------------------------------------------------
// Navigation

void CGridPlot::Repaint(CWnd* view, bool erase) const
{
    if (view && view->GetSafeHwnd())
        view->InvalidateRect(nullptr, erase ? TRUE : FALSE);
}

void CGridPlot::OnKeyDown(CWnd* view, UINT key)
{
    switch (key)
    {
    case VK_PRIOR:
    case 'I':
    case VK_ADD:
    case VK_OEM_PLUS:
        if (scaleIndex >= 2 && scaleIndex <= 30)
            --scaleIndex;
        Repaint(view, false);
        break;
    case VK_NEXT:
    case 'O':
    case VK_SUBTRACT:
    case VK_OEM_MINUS:
        if (scaleIndex <= 28)
            ++scaleIndex;
        Repaint(view, false);
        break;
    case VK_END:
        northUp = !northUp;
        SetOrientation(orientation);
        break;
    case VK_HOME:
        originE = originN = 0.0;
        Repaint(view, false);
        break;
    case VK_LEFT:
        Pan(PAN_LEFT);
        Repaint(view, false);
        break;
    case VK_UP:
        Pan(PAN_UP);
        Repaint(view, false);
        break;
    case VK_RIGHT:
        Pan(PAN_RIGHT);
        Repaint(view, false);
        break;
    case VK_DOWN:
        Pan(PAN_DOWN);
        Repaint(view, false);
        break;
    default:
        break;
    }
}

void CGridPlot::Pan(int direction)
{
    const double s = spacingTable[scaleIndex];
    double x = 0.0, y = 0.0; // screen step, y up
    switch (direction)
    {
    case PAN_LEFT: x = -s; break;
    case PAN_UP: y = s; break;
    case PAN_RIGHT: x = s; break;
    case PAN_DOWN: y = -s; break;
    case PAN_UP_LEFT: x = -s; y = s; break;
    case PAN_UP_RIGHT: x = s; y = s; break;
    case PAN_DOWN_LEFT: x = -s; y = -s; break;
    case PAN_DOWN_RIGHT: x = s; y = -s; break;
    default: return;
    }
    double e = 0.0, n = 0.0;
    ScreenStepToGrid(x, y, &e, &n);
    originE += e;
    originN += n;
}

void CGridPlot::StartDrag(CWnd* view, UINT flags, int x, int y)
{
    double e = 0.0, n = 0.0;
    if (!ScreenToGrid(x, y, &e, &n))
        return;
    dragStartE = lastGridE = e;
    dragStartN = lastGridN = n;
    lastMouseX = x;
    lastMouseY = y;
    dragView = view;
    if (flags & MK_SHIFT)
    {
        cursor = LoadCursor(nullptr, IDC_ARROW);
        panning = false;
    }
    else if (flags & MK_CONTROL)
    {
        cursor = LoadCursor(nullptr, IDC_CROSS);
        panning = false;
    }
    else
    {
        cursor = LoadCursor(nullptr, IDC_HAND);
        panning = true;
    }
    SetCursor(cursor);
}

void CGridPlot::DragPan(CPoint point)
{
    if (!ScreenToGrid(point.x, point.y, &lastGridE, &lastGridN) || !panning || pixelsPerMetre <= 0.0)
        return;
    const double u = (lastMouseX - point.x) / pixelsPerMetre;
    const double v = (point.y - lastMouseY) / pixelsPerMetre;
    double e = 0.0, n = 0.0;
    ScreenStepToGrid(u, v, &e, &n);
    originE += e;
    originN += n;
    lastMouseX = point.x;
    lastMouseY = point.y;
    Repaint(dragView, true);
}

void CGridPlot::DragMove(CPoint point)
{
    SetCursor(cursor);
    DragPan(point);
}

bool CGridPlot::CentreAt(int x, int y)
{
    double e = 0.0, n = 0.0;
    if (!ScreenToGrid(x, y, &e, &n))
        return false;
    originE = e;
    originN = n;
    return true;
}

void CGridPlot::ZoomInAt(CPoint point)
{
    double e = 0.0, n = 0.0;
    if (!ScreenToGrid(point.x, point.y, &e, &n))
        return;
    if (scaleIndex >= 2 && scaleIndex <= 30)
        --scaleIndex;
    originE = e;
    originN = n;
}

void CGridPlot::ZoomOutAt(CPoint point)
{
    double e = 0.0, n = 0.0;
    if (!ScreenToGrid(point.x, point.y, &e, &n))
        return;
    if (scaleIndex <= 28)
        ++scaleIndex;
    originE = e;
    originN = n;
}

void CGridPlot::TrackPosition(double e, double n)
{
    if (originE == 0.0 && originN == 0.0)
    {
        originE = e;
        originN = n;
        return;
    }
    int x = 0, y = 0;
    GridToScreen(e, n, &x, &y);
    const bool outside = x >= rect.right || x <= rect.left || y >= rect.bottom || y <= rect.top;
    switch (trackMode)
    {
    case TRACK_CENTRE:
        originE = e;
        originN = n;
        break;
    case TRACK_RECENTRE:
        if (outside)
        {
            originE = e;
            originN = n;
        }
        break;
    case TRACK_SHIFT:
    {
        const double s = pixelsPerMetre;
        if (!outside || s == 0.0)
            break;
        double w = 0.0, h = 0.0;
        ScreenStepToGrid(rect.Width() / 3.0, rect.Height() / 3.0, &w, &h);
        if (x >= rect.right)
            originE = e + w / s;
        else if (x <= rect.left)
            originE = e - w / s;
        if (y >= rect.bottom)
            originN = n - h / s;
        else if (y <= rect.top)
            originN = n + h / s;
        break;
    }
    default:
        break;
    }
}
