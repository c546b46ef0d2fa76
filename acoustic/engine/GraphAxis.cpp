#include "acoustic/engine/GraphAxis.h"

#include "acoustic/engine/DateFolders.h"
#include "acoustic/engine/NumberHelpers.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{
// Major and minor steps, coarsest first. The row of 100 has a minor step of 50.
const double kStepTable[][2] = {
    {1e10, 1e9}, {5e9, 5e8}, {1e9, 1e8},  {5e8, 5e7},  {1e8, 1e7}, {5e7, 5e6}, {1e7, 1e6},
    {5e6, 5e5},  {1e6, 1e5}, {5e5, 5e4},  {1e5, 1e4},  {5e4, 5e3}, {1e4, 1e3}, {5e3, 500},
    {1000, 100}, {500, 50},  {100, 50},   {50, 25},    {25, 12.5}, {10, 2},    {5, 2.5},
    {2, 0.2},    {1, 0.1},   {0.5, 0.05}, {0.2, 0.02},
};

// A value truncated to an int, held to the int range first: converting a double outside it
// (or a NaN) is undefined.
int TruncateToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (v <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(v);
}

// "%*.*lf" cut to the label buffer's 39 characters: 1e300 alone has 301 digits.
int FixedTextLength(int width, int decimals, double v)
{
    char text[GRAPH_LABEL_MAX + 1];
    std::snprintf(text, sizeof text, "%*.*lf", width, decimals, v);
    return static_cast<int>(std::strlen(text));
}

CString MinusPrefixed(const CString& text)
{
    CString out;
    out.Format("-%s", text.GetString());
    return out;
}
} // namespace

CGraphAxis::CGraphAxis()
{
    Reset();
}

void CGraphAxis::Reset()
{
    name.Empty();
    attached = 0;
    grid = 0;
    ticksShown = 1;
    autoRange = 0;
    rangeGiven = 0;
    rangeStarted = 0;
    autoStep = 0;
    labelsRelativeToMax = 0;
    roundOutward = 0;
    vertical = 0;
    valueMode = GRAPH_VALUE_PLAIN;
    tickFlags = GRAPH_MINOR_TICKS | GRAPH_MAJOR_TICKS;
    position = 0;
    tickStyle = 1;
    labelKind = GRAPH_LABEL_FIXED;
    gridPen = {PS_SOLID, 1, 0};
    axisPen = {PS_SOLID, 1, 0};
    titleAngle = 90;
    labelAngle = 90;
    labelWidth = 0;
    labelDecimals = 3;
    majorTickLength = 10;
    minorTickLength = 5;
    min = 0.0;
    max = 100.0;
    minorStep = 1.0;
    majorStep = 10.0;
    labelModulus = 0.0;
    titleColour = 0;
    labelColour = 0;
    dateFormat = 1;
    timeFormat = 0;
    title.Empty();
}

void CGraphAxis::AutoRange(const CXYArray* data, int component)
{
    if (!data || data->GetSize() == 0)
        return;
    if (rangeGiven && autoRange != 1)
        return;
    bool taken = false;
    for (INT_PTR i = 0; i < data->GetSize(); ++i)
    {
        const tagXY& point = data->GetAt(i);
        const double v = component == 0 ? point.x : point.y;
        if (v == DBL_MAX || !std::isfinite(v))
            continue;
        taken = true;
        if (!rangeStarted)
        {
            min = max = v;
            rangeStarted = 1;
        }
        else
        {
            min = std::min(min, v);
            max = std::max(max, v);
        }
    }
    if (!taken)
        return;
    if (roundOutward == 1)
    {
        min = std::floor(min);
        max = std::ceil(max);
    }
    if (!rangeGiven || autoStep == 1)
        AutoStep();
}

void CGraphAxis::AutoStep()
{
    if (autoStep != 1 && majorStep != 0.0 && minorStep != 0.0)
        return;
    const double range = std::fabs(max - min);
    if (!std::isfinite(range))
        return;
    for (const auto& row : kStepTable)
    {
        if (range / row[0] >= 5.0)
        {
            majorStep = row[0];
            minorStep = row[1];
            return;
        }
    }
    majorStep = 0.1;
    minorStep = 0.01;
}

void CGraphAxis::FormatValue(CString& out, double v) const
{
    switch (labelKind)
    {
    case GRAPH_LABEL_WHOLE:
        out.Format("%d", TruncateToInt(v));
        break;
    case GRAPH_LABEL_FIXED: {
        char text[GRAPH_LABEL_MAX + 1];
        std::snprintf(text, sizeof text, "%*.*lf", labelWidth, labelDecimals, v);
        if (labelDecimals > 0)
            TrimTrailingZerosInPlace(text, true);
        out = text;
        break;
    }
    case GRAPH_LABEL_TIME:
        out = FormatTimeOfDaySeconds(v, timeFormat);
        if (valueMode == GRAPH_VALUE_REVERSED && v != 0.0)
            out = MinusPrefixed(out);
        break;
    case GRAPH_LABEL_DATE:
        out = GetDateTextSince2000(v, dateFormat);
        if (valueMode == GRAPH_VALUE_REVERSED && v != 0.0)
            out = MinusPrefixed(out);
        break;
    default:
        out.Empty();
        break;
    }
    if (out.GetLength() > GRAPH_LABEL_MAX)
        out = out.Left(GRAPH_LABEL_MAX);
}

void CGraphAxis::FormatTickLabel(CString& out, double v) const
{
    double value = v;
    switch (valueMode)
    {
    case GRAPH_VALUE_PLAIN:
        value = labelsRelativeToMax == 1 ? v - max : v;
        break;
    case GRAPH_VALUE_MIRRORED:
        value = 2.0 * max - v;
        break;
    case GRAPH_VALUE_REVERSED:
        value = max - v + min;
        if (labelsRelativeToMax == 1)
            value = min - value;
        break;
    case GRAPH_VALUE_NEGATED:
        value = -v;
        break;
    default:
        break;
    }
    if (labelModulus != 0.0)
        value = std::fmod(value, labelModulus);
    FormatValue(out, value);
}

int CGraphAxis::GetLabelExtent(int charWidth, int lineHeight) const
{
    if (tickStyle == 0 || position == 2 || (tickStyle == 2 && position == 0) ||
        (tickStyle == 1 && position == 1))
        return 0;
    const int unit = labelAngle == 90 ? charWidth : lineHeight;
    const bool squared = valueMode == GRAPH_VALUE_LOG10;
    double hi = max;
    double lo = min;
    double width = std::fabs(max - min);
    if (majorStep > 0.0)
        width /= majorStep;
    if (squared)
    {
        hi *= hi;
        lo *= lo;
        width *= width;
    }
    int length = 0;
    switch (labelKind)
    {
    case GRAPH_LABEL_WHOLE: {
        char text[30];
        std::snprintf(text, sizeof text, "%*d", labelWidth, TruncateToInt(hi));
        length = static_cast<int>(std::strlen(text));
        std::snprintf(text, sizeof text, "%*d", labelWidth, TruncateToInt(lo));
        length = std::max(length, static_cast<int>(std::strlen(text)));
        break;
    }
    case GRAPH_LABEL_FIXED:
        length = std::max({FixedTextLength(labelWidth, labelDecimals, width),
                           FixedTextLength(labelWidth, labelDecimals, hi),
                           FixedTextLength(labelWidth, labelDecimals, lo)});
        break;
    case GRAPH_LABEL_TIME:
        length = FormatTimeOfDaySeconds(0.0, timeFormat).GetLength();
        break;
    case GRAPH_LABEL_DATE:
        length = GetDateTextSince2000(0.0, dateFormat).GetLength();
        break;
    default:
        break;
    }
    int extent = length * unit;
    if (vertical && labelAngle == 0 && (tickStyle == 1 || tickStyle == 2 || tickStyle == 6))
        extent /= 2;
    return extent;
}
