#include "chart/plot/RangeRings.h"

#include "foundation/SelectedObjects.h"
#include "foundation/TextFunctions.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kDegree = M_PI / 180.0;
constexpr double kMetresPerNauticalMile = 1852.0;

// The screen point `distance` pixels from (x, y) along screen angle `degrees` (clockwise from
// the top).
POINT Along(int x, int y, double degrees, double distance)
{
    return POINT{x + static_cast<int>(distance * std::sin(degrees * kDegree)),
                 y - static_cast<int>(distance * std::cos(degrees * kDegree))};
}

// `text` centred on a point: measured, then drawn centred in a square of the smaller of its
// width and height.
void CentredText(CDC* dc, const CString& text, POINT centre)
{
    const CSize size = dc->GetTextExtent(text);
    const int half = std::min(size.cx, size.cy) / 2;
    CRect square(centre.x - half, centre.y - half, centre.x + half, centre.y + half);
    dc->DrawText(text, -1, &square, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
}
} // namespace

void RangeRingLabels(const TargetPlotOptionsDef& options, CStringArray& labels)
{
    labels.RemoveAll();
    const double spacing = options.NauticalMiles ? options.RadiusNM : options.RadiusMetres;
    for (int i = 1; i <= options.NoRings; ++i)
    {
        CString label;
        if (options.NoRings < 5 || i % 2 == 0)
        {
            CString number;
            number.Format("%.4lf", i * spacing);
            label = TrimTrailingZeros(number) + (options.NauticalMiles ? "Nm" : "m");
        }
        labels.Add(label);
    }
}

void DrawRangeRings(CGridPlot* plot, int x, int y, double angle, const TargetPlotOptionsDef& options,
                    double pixelsPerMetre)
{
    if (plot == nullptr || !options.DrawRings || options.NoRings <= 0 || options.ShapeBox)
        return;
    const double spacing = options.NauticalMiles ? options.RadiusNM * kMetresPerNauticalMile : options.RadiusMetres;
    const double s = spacing * pixelsPerMetre;
    const double R = options.NoRings * s;
    CPen ringPen(PS_SOLID, 1, plot->DisplayColour(options.RingColour));
    SelectedObjects selected(*plot, &ringPen, &plot->hollowBrush);
    const COLORREF oldColour = plot->GetTextColor();

    for (int i = 1; i <= options.NoRings; ++i)
    {
        const int r = static_cast<int>(i * s);
        plot->Ellipse(x - r, y - r, x + r, y + r);
    }
    for (int b = 0; b < 180; b += 45)
    {
        const POINT from = Along(x, y, b - angle, R), to = Along(x, y, b + 180 - angle, R);
        plot->MoveTo(from.x, from.y);
        plot->LineTo(to.x, to.y);
    }
    for (int b = 0; b <= 360; b += 5)
    {
        const int length = static_cast<int>(b % 45 == 0 ? R / 10 : R / 20);
        const POINT outer = Along(x, y, b - angle, R), inner = Along(x, y, b - angle, R - length);
        plot->MoveTo(outer.x, outer.y);
        plot->LineTo(inner.x, inner.y);
    }
    if (options.DrawZoneLines)
    {
        CPen zonePen(PS_SOLID, 3, plot->DisplayColour(options.ZoneLineColour));
        CPen* old = plot->SelectObject(&zonePen);
        const POINT start = Along(x, y, options.StartZoneLine - angle, R);
        plot->MoveTo(start.x, start.y);
        plot->LineTo(x, y);
        if (options.StopZoneLine != options.StartZoneLine)
        {
            const POINT stop = Along(x, y, options.StopZoneLine - angle, R);
            plot->LineTo(stop.x, stop.y);
        }
        plot->SelectObject(old);
    }

    CFont* oldFont = plot->SelectObject(&plot->labelFont);
    if (options.DisplayLabels)
    {
        TEXTMETRIC metrics{};
        plot->GetTextMetrics(&metrics);
        const double distance = R + std::max(metrics.tmHeight, metrics.tmAveCharWidth);
        for (int b = 0; b <= 360; b += 45)
        {
            const bool cardinal = b % 90 == 0;
            CString text;
            if (cardinal)
                text = b == 90 ? "E" : b == 180 ? "S" : b == 270 ? "W" : "N";
            else
                text.Format("%d\260", b);
            plot->SelectObject(cardinal ? &plot->smallFont : &plot->labelFont);
            plot->SetTextColor(plot->DisplayColour(cardinal ? options.CardinalColour : options.TextColour));
            CentredText(plot, text, Along(x, y, b - angle, distance));
        }
        plot->SelectObject(&plot->labelFont);
    }
    if (options.LabelRings)
    {
        CStringArray labels;
        RangeRingLabels(options, labels);
        const int inset = plot->GetTextExtent(CString("90\260")).cy + 1;
        plot->SetTextColor(plot->DisplayColour(options.TextColour));
        for (int i = 1; i <= labels.GetSize(); ++i)
            if (!labels[i - 1].IsEmpty())
                CentredText(plot, labels[i - 1], Along(x, y, 22.5, i * s - inset));
    }
    plot->SelectObject(oldFont);
    plot->SetTextColor(oldColour);
}
