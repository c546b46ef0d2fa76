// CGridPlot: the electronic bearing lines and the divider over the chart.
#include "chart/objects/Divider.h"
#include "chart/objects/EblList.h"
#include "chart/plot/GridPlot.h"
#include "foundation/SelectedObjects.h"

#include <cstdlib>

namespace
{
constexpr double kRadiansToDegrees = 57.2957795131;
// Ends closer than this on the screen in both directions make a line too short to draw.
constexpr int kShortestLine = 20;
// Gap between an end and the label box beside it, pixels.
constexpr int kLabelOffset = 10;
constexpr int kStartSymbol = VECTOR_CROSS;

// The side of an end on which its label box goes: the side the line points to, by quadrants
// centred on north, east, south and west.
int LabelPositionFor(double bearing)
{
    if (bearing >= 0.7853981633974351 && bearing < 2.356194490192305)
        return LABEL_POS_RIGHT;
    if (bearing >= 2.356194490192305 && bearing < 3.9269908169871752)
        return LABEL_POS_BOTTOM;
    if (bearing >= 3.9269908169871752 && bearing < 5.497787143782046)
        return LABEL_POS_LEFT;
    return LABEL_POS_TOP;
}

// Whether two screen points lie close enough for their line to be shown as one symbol. The
// points may be far off screen (the plot holds them within a billion pixels), so the
// differences are taken in 64 bits.
bool IsShortLine(int x1, int y1, int x2, int y2)
{
    return std::llabs(static_cast<long long>(x2) - x1) < kShortestLine &&
           std::llabs(static_cast<long long>(y2) - y1) < kShortestLine;
}

CString TwoLineLabel(const char* first, const char* second)
{
    CString label;
    label.Format("%s\n%s", first, second);
    return label;
}

// A line measured both ways: an arrow head at each end inside the plot, pointing away from the
// other, and the label (when given) below `labelAt`.
void DrawTwoArrows(CGridPlot& plot, const tagXY& start, const tagXY& end, double bearing, COLORREF colour,
                   const char* label, const tagXY& labelAt)
{
    int x = 0, y = 0;
    if (!plot.IsOutside(start.x, start.y, &x, &y))
        plot.DrawArrowHead(x, y, colour, plot.sinRot, plot.cosRot, bearing + M_PI);
    if (!plot.IsOutside(end.x, end.y, &x, &y))
        plot.DrawArrowHead(x, y, colour, plot.sinRot, plot.cosRot, bearing);
    if (label && !plot.IsOutside(labelAt.x, labelAt.y, &x, &y))
        plot.DrawLabel(label, kLabelOffset, LABEL_POS_BOTTOM, x, y);
}
} // namespace

void CGridPlot::DrawEBLs(CEBLList* list, bool trainingMode)
{
    if (!list)
        return;
    for (INT_PTR i = 0; i < list->GetSize(); ++i)
    {
        const CEBL* line = list->GetAt(i);
        if (!line || !line->HasEnds())
            continue;
        const POINT start = GridToScreenPoint(line->startX, line->startY);
        const POINT end = GridToScreenPoint(line->endX, line->endY);
        int x = 0, y = 0;
        if (IsShortLine(start.x, start.y, end.x, end.y))
        {
            if (!IsOutside(line->startX, line->startY, &x, &y))
                DrawSymbol(kStartSymbol, x, y, line->colour);
            continue;
        }
        const bool fixed = line->fixedStart != 0;
        if (fixed || !trainingMode)
        {
            CPen pen(line->penStyle, line->penWidth, DisplayColour(line->colour));
            SelectedObjects selected(*this, &pen, nullptr);
            DrawLine(line->startX, line->startY, line->endX, line->endY);
        }
        const CString label =
            TwoLineLabel(line->distanceLabel, line->labelShowsBearing ? line->bearingLabel : line->reverseLabel);
        if (fixed)
        {
            if (IsOutside(line->endX, line->endY, &x, &y))
                continue;
            if (line->arrowEnd)
                DrawArrowHead(x, y, line->colour, sinRot, cosRot, line->bearing);
            else
                DrawSymbol(line->endSymbol, x, y, line->colour);
            if (line->showLabel)
                DrawLabel(label, kLabelOffset, LabelPositionFor(line->bearing), x, y);
            continue;
        }
        if (trainingMode)
            continue;
        DrawTwoArrows(*this, tagXY{line->startX, line->startY}, tagXY{line->endX, line->endY}, line->bearing,
                      line->colour, line->showLabel ? label.GetString() : nullptr, line->GetLabelPoint());
    }
}

void CGridPlot::DrawDivider(CDivider* divider)
{
    if (!divider || !divider->visible || !divider->HasEnds())
        return;
    const POINT start = GridToScreenPoint(divider->startE, divider->startN);
    const POINT end = GridToScreenPoint(divider->endE, divider->endN);
    int x = 0, y = 0;
    if (IsShortLine(start.x, start.y, end.x, end.y))
    {
        if (!IsOutside(divider->startE, divider->startN, &x, &y))
            DrawSymbol(kStartSymbol, x, y, 0xFFFFFF);
        return;
    }
    // White stands out on the chart's usual dark ground; black on a white one or on paper.
    const COLORREF colour = monochrome || backgroundColour == 0xFFFFFF ? 0x000000 : 0xFFFFFF;
    {
        CPen pen(PS_SOLID, 1, colour);
        SelectedObjects selected(*this, &pen, nullptr);
        DrawLine(divider->startE, divider->startN, divider->endE, divider->endN);
    }
    CString distance, bearing;
    distance.Format("%.2lfm", divider->distance);
    bearing.Format(" %6.2lf\xB0T", divider->bearing * kRadiansToDegrees);
    const CString label = TwoLineLabel(distance, bearing);
    if (divider->singleArrow)
    {
        if (IsOutside(divider->endE, divider->endN, &x, &y))
            return;
        DrawArrowHead(x, y, colour, sinRot, cosRot, divider->bearing);
        DrawLabel(label, kLabelOffset, LabelPositionFor(divider->bearing), x, y);
        return;
    }
    DrawTwoArrows(*this, tagXY{divider->startE, divider->startN}, tagXY{divider->endE, divider->endN},
                  divider->bearing, colour, label, divider->GetLabelPoint());
}
