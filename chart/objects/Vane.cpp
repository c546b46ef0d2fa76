#include "chart/objects/Vane.h"

#include "foundation/ConfigFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr int kLabelHeight = 20;

// The m/s of a full-length arrow for the fastest flow shown.
double ScaleFor(double fastest)
{
    for (double step : {1.0, 5.0, 10.0, 50.0})
        if (fastest <= step)
            return step;
    return 100.0;
}

// The panel point `distance` pixels from the centre at `degrees` clockwise from the top.
POINT AtBearing(int cx, int cy, double distance, double degrees)
{
    const double a = degrees * kDegreesToRadians;
    return POINT{cx + static_cast<LONG>(distance * std::sin(a)), cy - static_cast<LONG>(distance * std::cos(a))};
}
} // namespace

CVane::CVane()
{
    font = LOGFONT{};
    font.lfHeight = 18;
    font.lfWeight = FW_NORMAL;
    font.lfOutPrecision = 5;
    font.lfClipPrecision = 2;
    font.lfQuality = 2;
    std::snprintf(font.lfFaceName, sizeof(font.lfFaceName), "%s", "Arial");
}

int CVane::AddVane(const char* name, COLORREF colour)
{
    return static_cast<int>(Add(VaneDef{0, 0, CString(name), 0.0, 0.0, colour}));
}

// ---------------------------------------------------------------------------------------
// Settings: the writer and its reader side by side, in file order.

void CVane::SaveSettings()
{
    CConfigFile::WriteSettingsFile(settingsName, [this](CConfigFile& file) {
        for (INT_PTR i = 0; i < GetSize(); ++i)
            file.WriteBool(GetAt(i).name, GetAt(i).show != 0);
    });
}

void CVane::LoadSettings()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        ElementAt(i).show = 0;
        ElementAt(i).valid = 0;
    }
    CConfigFile::ReadSettingsFile(settingsName, [this](CConfigFile& file) {
        for (INT_PTR i = 0; i < GetSize(); ++i)
            ElementAt(i).show = file.ReadInt(0) != 0 ? 1 : 0;
    });
}

// ---------------------------------------------------------------------------------------
// Drawing

void CVane::Draw(CDC* target, int x, int y)
{
    if (!target)
        return;
    bool any = false;
    double fastest = 0.0;
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (GetAt(i).show && GetAt(i).valid)
        {
            fastest = any ? std::max(fastest, GetAt(i).speed) : GetAt(i).speed;
            any = true;
        }
    if (!any)
        return;
    scale = ScaleFor(fastest);

    CDC memory;
    CBitmap bitmap;
    if (!memory.CreateCompatibleDC(target) || !bitmap.CreateCompatibleBitmap(target, kPanelSize, kPanelSize))
        return;
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    DrawRose(&memory, 0, 0, kPanelSize, kPanelSize);

    CFont labelFont;
    labelFont.CreateFontIndirect(&font);
    CFont* oldFont = memory.SelectObject(&labelFont);
    memory.SetBkMode(OPAQUE);
    memory.SetBkColor(backColour);
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        const VaneDef& vane = GetAt(i);
        if (!vane.show)
            continue;
        DrawArrow(vane.direction, vane.speed, &memory, vane.colour);
        if (i > 1)
            continue;
        CString label;
        label.Format("%s:%4.1fm/s", vane.name.GetString(), vane.speed);
        memory.SetTextColor(vane.colour);
        const int half = kPanelSize / 2;
        CRect corner = i == 0 ? CRect(0, 0, half, kLabelHeight) : CRect(half, 0, kPanelSize, kLabelHeight);
        memory.DrawText(label, &corner, (i == 0 ? DT_LEFT : DT_RIGHT) | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    memory.SelectObject(oldFont);
    target->BitBlt(x - kPanelSize / 2, y - kPanelSize / 2, kPanelSize, kPanelSize, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

void CVane::DrawRose(CDC* memory, int left, int top, int right, int bottom)
{
    const int w = right - left, h = bottom - top;
    centreX = w / 2;
    centreY = h / 2 + 10;
    radius = std::min(h - 10, w) / 2;

    CPen discPen(PS_SOLID, 1, backColour);
    CBrush disc(backColour);
    CPen* oldPen = memory->SelectObject(&discPen);
    CBrush* oldBrush = memory->SelectObject(&disc);
    memory->Ellipse(centreX - radius, centreY - radius, centreX + radius, centreY + radius);

    const int r = radius - 30;
    CPen rosePen(PS_SOLID, 1, roseColour);
    memory->SelectObject(&rosePen);
    for (int degree = 0; degree < 360; ++degree)
    {
        const int inner = degree % 10 == 0 ? r - 20 : r - 10;
        memory->MoveTo(AtBearing(centreX, centreY, r, degree));
        memory->LineTo(AtBearing(centreX, centreY, inner, degree));
    }
    memory->SelectStockObject(NULL_BRUSH);
    memory->Ellipse(centreX - r, centreY - r, centreX + r, centreY + r);

    // Bearings along the circle; those of the lower half turned the other way up, so that none
    // is read upside down.
    const COLORREF oldColour = memory->SetTextColor(textColour);
    const int oldMode = memory->SetBkMode(TRANSPARENT);
    for (int degree = 0; degree < 360; degree += 30)
    {
        const bool lower = degree > 90 && degree < 270;
        LOGFONT turned = font;
        turned.lfEscapement = -10 * degree - (lower ? 1800 : 0);
        turned.lfOrientation = turned.lfEscapement;
        CFont numberFont;
        numberFont.CreateFontIndirect(&turned);
        CFont* oldFont = memory->SelectObject(&numberFont);
        const POINT at = AtBearing(centreX, centreY, lower ? r + 5 : r + 25, lower ? degree + 5 : degree - 5);
        CString text;
        text.Format("%03d", degree);
        memory->TextOut(at.x, at.y, text);
        memory->SelectObject(oldFont);
    }
    memory->SetBkMode(oldMode);
    memory->SetTextColor(oldColour);
    memory->SelectObject(oldBrush);
    memory->SelectObject(oldPen);
    radius = r - 21;
}

void CVane::DrawArrow(double direction, double speed, CDC* dc, COLORREF colour)
{
    const int e = static_cast<int>(radius * speed / scale);
    const int cx = centreX, cy = centreY;
    const POINT up[7] = {{cx, cy - e},          {cx + e / 8, cy - e / 2}, {cx + e / 30, cy - e / 2},
                         {cx + e / 30, cy},     {cx - e / 30, cy},        {cx - e / 30, cy - e / 2},
                         {cx - e / 8, cy - e / 2}};
    const double d = direction * kDegreesToRadians;
    const double c = std::cos(d), s = std::sin(d);
    POINT turned[7];
    for (int i = 0; i < 7; ++i)
    {
        const double x = up[i].x - cx, y = up[i].y - cy;
        turned[i] = POINT{static_cast<LONG>(std::round(x * c - y * s + cx)), static_cast<LONG>(std::round(y * c + x * s + cy))};
    }
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush(colour);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const int oldMode = dc->SetPolyFillMode(WINDING);
    dc->Polygon(turned, 7);
    dc->SetPolyFillMode(oldMode);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}
