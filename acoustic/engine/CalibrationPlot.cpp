#include "acoustic/engine/CalibrationPlot.h"

#include "acoustic/engine/PlaneGeometry.h"

#include <cmath>

const char CCalibrationPlot::kSettingsName[] = "Grid Plot";

namespace
{
const double kTwoPi = 2.0 * M_PI;
} // namespace

CCalibrationPlot::CCalibrationPlot()
{
    calibrationSymbols = true;
    scaleIndex = kDefaultScaleIndex;
}

// ---------------------------------------------------------------------------------------
// Settings: the writer and its reader side by side, in file order.

bool CCalibrationPlot::SaveSettings()
{
    return CConfigFile::WriteSettingsFile(kSettingsName, [this](CConfigFile& file) {
        file.WriteInt("Tick Mode", tickMode);
        file.WriteInt("Scale Index", scaleIndex);
        file.WriteBool("North Up", northUp);
        file.WriteInt("Orientation", orientation);
        file.WriteInt("Angle Offset", angleOffset);
        file.WriteDouble("Centre Easting", originE, 3);
        file.WriteDouble("Centre Northing", originN, 3);
        file.WriteInt("Track Mode", trackMode);
        file.WriteInt("Track Object", trackObject);
        file.WriteBool("Show North Arrow", showNorthArrow);
    });
}

void CCalibrationPlot::LoadSettings()
{
    tickMode = TICK_CROSSES;
    scaleIndex = kDefaultScaleIndex;
    northUp = true;
    orientation = 0;
    angleOffset = 0;
    originE = originN = 0.0;
    trackMode = TRACK_NONE;
    trackObject = TRACK_VESSEL;
    showNorthArrow = true;
    CConfigFile::ReadSettingsFile(kSettingsName, [this](CConfigFile& file) {
        tickMode = file.ReadInt(TICK_CROSSES);
        scaleIndex = file.ReadInt(kDefaultScaleIndex);
        northUp = file.ReadBool(true);
        orientation = file.ReadInt(0);
        angleOffset = file.ReadInt(0);
        originE = file.ReadDouble(0.0);
        originN = file.ReadDouble(0.0);
        trackMode = file.ReadInt(TRACK_NONE);
        trackObject = file.ReadInt(TRACK_VESSEL);
        showNorthArrow = file.ReadBool(true);
    });
    // A damaged file must not leave the view nowhere or at a scale the keys cannot leave.
    if (!std::isfinite(originE))
        originE = 0.0;
    if (!std::isfinite(originN))
        originN = 0.0;
    if (scaleIndex < 1 || scaleIndex > 29)
        scaleIndex = kDefaultScaleIndex;
    SetOrientation(orientation);
}

bool CCalibrationPlot::SetCentre(double easting, double northing)
{
    const bool changed = easting != originE || northing != originN;
    originE = easting;
    originN = northing;
    return changed;
}

// ---------------------------------------------------------------------------------------
// Keys

void CCalibrationPlot::Repaint(CWnd* view) const
{
    if (view && view->GetSafeHwnd())
        view->InvalidateRect(nullptr, FALSE);
}

void CCalibrationPlot::OnKeyDown(CWnd* view, UINT key)
{
    double x = 0.0; // a step on the screen, y up
    double y = 0.0;
    const double step = spacingTable[scaleIndex];
    switch (key)
    {
    case 33:  // Page Up
    case 43:  // '+'
    case 73:  // I
    case 105: // keypad 9
    case 107: // keypad +
        if (scaleIndex - 1 >= 1 && scaleIndex - 1 <= 29)
            --scaleIndex;
        break;
    case 34:  // Page Down
    case 45:  // '-'
    case 79:  // O
    case 109: // keypad -
    case 111: // keypad /
        if (scaleIndex + 1 >= 1 && scaleIndex + 1 <= 29)
            ++scaleIndex;
        break;
    case 35: // End
        northUp = !northUp;
        SetOrientation(orientation);
        break;
    case 36: // Home
        SetCentre(0.0, 0.0);
        break;
    case 37: // Left
        x = -step;
        break;
    case 38: // Up
        y = step;
        break;
    case 39: // Right
        x = step;
        break;
    case 40: // Down
        y = -step;
        break;
    default:
        return;
    }
    if (x != 0.0 || y != 0.0)
    {
        double e = x;
        double n = y;
        // Turned back from the screen to the grid, so the view moves the way the key points.
        if (!northUp)
            RotateAboutCentre(x, y, 0.0, 0.0, sinInv, cosInv, &e, &n);
        SetCentre(originE + e, originN + n);
    }
    Repaint(view);
}

// ---------------------------------------------------------------------------------------
// Drawing

void CCalibrationPlot::Chord(double centreE, double centreN, double radius, double from, double to)
{
    RECT screen;
    if (!ClipLineToScreen(&screen, centreE + radius * std::sin(from), centreN + radius * std::cos(from),
                          centreE + radius * std::sin(to), centreN + radius * std::cos(to)))
        return;
    MoveTo(screen.left, screen.top);
    LineTo(screen.right, screen.bottom);
}

int CCalibrationPlot::ArcChordCount(double radius, double sweep) const
{
    // A chord of angle 2 acos(q) departs from the circle by one pixel at its middle.
    const double q = (radius - 1.0 / pixelsPerMetre) / radius;
    if (!(q >= -1.0 && q < 1.0) || !(sweep > 0.0))
        return 0;
    const double count = std::ceil(sweep / (2.0 * std::acos(q)));
    return count > kMaxChords ? kMaxChords : static_cast<int>(count);
}

void CCalibrationPlot::DrawChordArc(double radius, double a0, double a1, double centreE, double centreN)
{
    if (!(radius > 0.0) || !std::isfinite(radius) || !std::isfinite(a0) || !std::isfinite(a1) ||
        !std::isfinite(pixelsPerMetre) || !std::isfinite(centreE) || !std::isfinite(centreN))
        return;
    if (a0 > a1)
        a1 += kTwoPi;
    const double sweep = a1 - a0;
    // Counted, not stepped: bearing + step can equal the bearing at 1e16 radians.
    const int chords = ArcChordCount(radius, sweep);
    double previous = a0;
    if (chords > 1)
    {
        const double step = sweep / static_cast<double>(chords);
        for (int i = 1; i < chords; ++i)
        {
            const double bearing = a0 + static_cast<double>(i) * step;
            Chord(centreE, centreN, radius, previous, bearing);
            previous = bearing;
        }
    }
    Chord(centreE, centreN, radius, previous, a1);
}

void CCalibrationPlot::ArrowHead(int x, int y, double bearing, double sine, double cosine)
{
    const double backE = -18.0 * std::sin(bearing);
    const double backN = -18.0 * std::cos(bearing);
    const double acrossE = 6.0 * std::sin(bearing + M_PI / 2.0);
    const double acrossN = 6.0 * std::cos(bearing + M_PI / 2.0);
    POINT points[4];
    points[0] = {x, y};
    for (int side = 0; side < 2; ++side)
    {
        const double sign = side == 0 ? 1.0 : -1.0;
        double dx = 0.0;
        double dy = 0.0;
        RotateAboutCentre(backE + sign * acrossE, backN + sign * acrossN, 0.0, 0.0, sine, cosine, &dx, &dy);
        points[side + 1] = {x + static_cast<int>(dx), y - static_cast<int>(dy)};
    }
    points[3] = {x, y};
    COLORREF fill = backgroundColour == 0xFFFF00 ? 0x0000FF : 0xFFFF00;
    if (monochrome)
        fill = 0x000000;
    CBrush brush;
    brush.CreateSolidBrush(fill);
    CBrush* old = SelectObject(&brush);
    Polygon(points, 4);
    SelectObject(old);
}

void CCalibrationPlot::CircledText(int x, int y, const char* text, CFont* font)
{
    const int oldMode = SetBkMode(TRANSPARENT);
    CFont* oldFont = font ? SelectObject(font) : nullptr;
    CRect eight(0, 0, 0, 0);
    DrawText("8", 1, &eight, DT_CALCRECT | DT_SINGLELINE);
    const int r = eight.Width();
    Ellipse(x - r, y - r, x + r, y + r);
    const CString shown(text ? text : "");
    CRect extent(0, 0, 0, 0);
    DrawText(shown, &extent, DT_CALCRECT | DT_SINGLELINE);
    CRect place(x - extent.Width() / 2, y - extent.Height() / 2, 0, 0);
    place.right = place.left + extent.Width();
    place.bottom = place.top + extent.Height();
    DrawText(shown, &place, DT_SINGLELINE);
    if (oldFont)
        SelectObject(oldFont);
    SetBkMode(oldMode);
}
