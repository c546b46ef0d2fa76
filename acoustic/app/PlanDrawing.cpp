#include "acoustic/app/PlanDrawing.h"

#include "acoustic/engine/Boxin.h"
#include "acoustic/engine/GridOnGrid.h"
#include "acoustic/engine/Network.h"
#include "acoustic/engine/PlaneGeometry.h"
#include "acoustic/engine/TransitFix.h"
#include "acoustic/engine/UsblCalibration.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double kFullCircle = 6.283185307179586;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kCyan = 0xFFFF00;
constexpr COLORREF kMagenta = 0xFF00FF;
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kGreen = 0x00FF00;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kOlive = 0x008080;
// Pixels: the bearing arrow's length, the Boxin and USBL cross's arm, the transit-fix centre
// cross's arm, the station symbols' size.
constexpr int kArrowLength = 40;
constexpr int kCrossArm = 20;
constexpr int kCentreCrossArm = 5;
constexpr int kStationSymbolSize = 12;

// No grid reaches 1e10 m (the transit-fix file reader draws the same line). Beyond it a
// point is a damaged record, and a line towards it would point where rounding sends it.
constexpr double kFarthestCoordinate = 1e10;

bool Usable(double e, double n)
{
    return std::fabs(e) <= kFarthestCoordinate && std::fabs(n) <= kFarthestCoordinate;
}

// Selects a pen and a brush for a scope and puts the old ones back.
class PenAndBrush
{
public:
    PenAndBrush(CDC& dc, CPen* pen, CBrush* brush)
        : m_Dc(dc), m_OldPen(pen ? dc.SelectObject(pen) : nullptr), m_OldBrush(brush ? dc.SelectObject(brush) : nullptr)
    {
    }
    ~PenAndBrush()
    {
        if (m_OldBrush)
            m_Dc.SelectObject(m_OldBrush);
        if (m_OldPen)
            m_Dc.SelectObject(m_OldPen);
    }
    PenAndBrush(const PenAndBrush&) = delete;
    PenAndBrush& operator=(const PenAndBrush&) = delete;

private:
    CDC& m_Dc;
    CPen* m_OldPen;
    CBrush* m_OldBrush;
};
} // namespace

// ---------------------------------------------------------------------------------------
// Helpers

CPlanDrawing::RingSpan CPlanDrawing::RangeRings(double spacing, double extent, double minRadius, double nearest,
                                                double farthest, int most)
{
    RingSpan span;
    if (!(spacing > 0.0) || !(extent >= spacing) || std::isnan(minRadius) || std::isnan(nearest) ||
        std::isnan(farthest) || most <= 0)
        return span;
    const double low = std::max(minRadius, nearest);
    const double high = std::min(extent, farthest);
    // In doubles: a tiny spacing against a large extent is far beyond the range of an int.
    const double first = std::max(1.0, std::ceil(low / spacing));
    const double last = std::floor(high / spacing);
    if (!(last >= first) || !std::isfinite(first))
        return span;
    span.first = first > 2e9 ? 0 : static_cast<int>(first);
    if (span.first == 0)
        return span;
    span.count = static_cast<int>(std::min(last - first + 1.0, static_cast<double>(most)));
    return span;
}

bool CPlanDrawing::Place(double e, double n, int* x, int* y) const
{
    return Usable(e, n) && !m_Plot.IsOutside(e, n, x, y);
}

void CPlanDrawing::Square(int x, int y, int half, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush;
    brush.CreateSolidBrush(colour);
    PenAndBrush scope(m_Plot, &pen, &brush);
    m_Plot.Rectangle(x - half, y - half, x + half, y + half);
}

void CPlanDrawing::Cross(int x, int y, int arm, CPen& pen)
{
    PenAndBrush scope(m_Plot, &pen, nullptr);
    m_Plot.MoveTo(x - arm, y);
    m_Plot.LineTo(x + arm, y);
    m_Plot.MoveTo(x, y - arm);
    m_Plot.LineTo(x, y + arm);
}

void CPlanDrawing::LabelBelow(int x, int y, const char* text, COLORREF colour)
{
    CFont* oldFont = m_Plot.SelectObject(&m_Font);
    const int oldMode = m_Plot.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = m_Plot.SetTextColor(colour);
    const UINT oldAlign = m_Plot.SetTextAlign(TA_TOP | TA_LEFT);
    const CString shown(text);
    const CSize size = m_Plot.GetTextExtent(shown);
    m_Plot.TextOut(x - size.cx / 2, y + size.cy / 2, shown);
    m_Plot.SetTextAlign(oldAlign);
    m_Plot.SetTextColor(oldColour);
    m_Plot.SetBkMode(oldMode);
    m_Plot.SelectObject(oldFont);
}

void CPlanDrawing::BearingArrow(int x, int y, double bearing)
{
    // The screen turns with the plot only when it is not north-up, as its conversion does.
    const double sine = m_Plot.northUp ? 0.0 : m_Plot.sinRot;
    const double cosine = m_Plot.northUp ? 1.0 : m_Plot.cosRot;
    const double s = std::sin(bearing);
    const double c = std::cos(bearing);
    const int tipX = x + static_cast<int>(std::lround(kArrowLength * (s * cosine - c * sine)));
    const int tipY = y - static_cast<int>(std::lround(kArrowLength * (s * sine + c * cosine)));
    CPen pen(PS_SOLID, 1, kCyan);
    PenAndBrush scope(m_Plot, &pen, nullptr);
    m_Plot.MoveTo(x, y);
    m_Plot.LineTo(tipX, tipY);
    m_Plot.ArrowHead(tipX, tipY, bearing, sine, cosine);
}

void CPlanDrawing::DrawRings(double centreE, double centreN, double spacing, double extent, int most)
{
    if (!Usable(centreE, centreN) || !(m_Plot.pixelsPerMetre > 0.0))
        return;
    // Only rings that cross what is shown cost anything: the distances from the centre to the
    // nearest and the farthest point of the plotted extent.
    const double dE = std::max({m_Plot.plotMinE - centreE, 0.0, centreE - m_Plot.plotMaxE});
    const double dN = std::max({m_Plot.plotMinN - centreN, 0.0, centreN - m_Plot.plotMaxN});
    const double nearest = std::hypot(dE, dN);
    const double farthest = std::hypot(std::max(std::fabs(centreE - m_Plot.plotMinE), std::fabs(centreE - m_Plot.plotMaxE)),
                                       std::max(std::fabs(centreN - m_Plot.plotMinN), std::fabs(centreN - m_Plot.plotMaxN)));
    const RingSpan span = RangeRings(spacing, extent, kMinRingPixels / m_Plot.pixelsPerMetre, nearest, farthest,
                                     std::min(most, kMaxRings));
    CPen pen(PS_SOLID, 1, kOlive);
    PenAndBrush scope(m_Plot, &pen, nullptr);
    for (int i = 0; i < span.count; ++i)
        m_Plot.DrawChordArc(static_cast<double>(span.first + i) * spacing, 0.0, kFullCircle, centreE, centreN);
}

void CPlanDrawing::DrawPattern(double centreE, double centreN, bool rings, double spacing, double extent, int most,
                               const std::vector<PatternPoint>& points, double errorE, double errorN,
                               double errorRadius)
{
    if (rings)
        DrawRings(centreE, centreN, spacing, extent, most);
    int x = 0, y = 0;
    for (const PatternPoint& p : points)
        if (Place(p.transducerE, p.transducerN, &x, &y))
            Square(x, y, 3, kSilver);
    for (const PatternPoint& p : points)
        if (Place(p.pointE, p.pointN, &x, &y))
            Square(x, y, 1, p.colour);
    if (errorRadius > 0.0 && Usable(errorE, errorN))
    {
        CPen pen(PS_SOLID, 1, kRed);
        PenAndBrush scope(m_Plot, &pen, nullptr);
        m_Plot.DrawChordArc(errorRadius, 0.0, kFullCircle, errorE, errorN);
    }
    if (Place(centreE, centreN, &x, &y))
    {
        CPen pen(PS_SOLID, 1, kWhite);
        Cross(x, y, kCrossArm, pen);
    }
}

// ---------------------------------------------------------------------------------------
// The five calibrations

void CPlanDrawing::DrawGridOnGrid(const CGridOnGrid& data)
{
    int x = 0, y = 0;
    for (INT_PTR i = 0; i < data.GetSize(); ++i)
        if (Place(data[i].EastingB, data[i].NorthingB, &x, &y))
            Square(x, y, 3, kYellow);
    {
        CPen pen(PS_SOLID, 1, kCyan);
        CBrush brush;
        brush.CreateSolidBrush(kCyan);
        PenAndBrush scope(m_Plot, &pen, &brush);
        for (INT_PTR i = 0; i < data.GetSize(); ++i)
        {
            const GridOnGridDef& p = data[i];
            const double e = data.m_dE + data.m_A * p.EastingA + data.m_B * p.NorthingA;
            const double n = data.m_dN + data.m_C * p.EastingA + data.m_D * p.NorthingA;
            if (Place(e, n, &x, &y))
                m_Plot.Ellipse(x - 3, y - 3, x + 3, y + 3);
        }
    }
    for (INT_PTR i = 0; i < data.GetSize(); ++i)
        if (Place(data[i].EastingB, data[i].NorthingB, &x, &y))
        {
            CString number;
            number.Format("%d", static_cast<int>(i + 1));
            LabelBelow(x, y, number, kWhite);
        }
}

void CPlanDrawing::DrawNetwork(const CNetwork& network)
{
    const INT_PTR count = network.GetSize();
    // The observation of station `to` made at station `from`; null where the arrays fall short.
    auto observation = [&network](INT_PTR from, INT_PTR to) -> const NetworkObservationDef* {
        const CNetworkStation& station = network[from];
        return to < station.GetSize() ? &station[to] : nullptr;
    };
    auto rangeUsed = [](const NetworkObservationDef* o) { return o && o->UseRange == 1 && o->ObservedRange > 0.0; };
    auto bearingUsed = [](const NetworkObservationDef* o) { return o && o->UseBearing == 1; };

    CPen green(PS_SOLID, 2, kGreen);
    CPen yellow(PS_SOLID, 2, kYellow);
    CPen dashed(PS_DASH, 1, kCyan);
    for (INT_PTR i = 0; i < count; ++i)
        for (INT_PTR j = i + 1; j < count; ++j)
        {
            const CNetworkStation& a = network[i];
            const CNetworkStation& b = network[j];
            if (!Usable(a.m_GivenE, a.m_GivenN) || !Usable(b.m_GivenE, b.m_GivenN))
                continue;
            const NetworkObservationDef* atA = observation(i, j);
            const NetworkObservationDef* atB = observation(j, i);
            const int ranges = (rangeUsed(atA) ? 1 : 0) + (rangeUsed(atB) ? 1 : 0);
            CPen* pen = ranges == 2 ? &yellow : ranges == 1 ? &green : nullptr;
            if (!pen && (bearingUsed(atA) || bearingUsed(atB)))
                pen = &dashed;
            if (pen)
            {
                PenAndBrush scope(m_Plot, pen, nullptr);
                m_Plot.DrawLine(a.m_GivenE, a.m_GivenN, b.m_GivenE, b.m_GivenN);
            }
            double bearing = 0.0, range = 0.0;
            ComputeRangeBearing(a.m_GivenE, a.m_GivenN, b.m_GivenE, b.m_GivenN, &bearing, &range);
            int x = 0, y = 0;
            if (bearingUsed(atA) && Place(a.m_GivenE, a.m_GivenN, &x, &y))
                BearingArrow(x, y, bearing);
            if (bearingUsed(atB) && Place(b.m_GivenE, b.m_GivenN, &x, &y))
                BearingArrow(x, y, bearing + M_PI);
        }

    CFont* oldFont = m_Plot.SelectObject(&m_Font);
    const int oldMode = m_Plot.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = m_Plot.SetTextColor(kWhite);
    const UINT oldAlign = m_Plot.SetTextAlign(TA_TOP | TA_LEFT);
    for (INT_PTR i = 0; i < count; ++i)
    {
        const CNetworkStation& s = network[i];
        int symbol = 0;
        COLORREF colour = 0;
        switch (s.m_Status)
        {
        case STATION_FREE: symbol = 8; colour = kCyan; break;
        case STATION_FIXED: symbol = 10; colour = kMagenta; break;
        case STATION_FREE_WITH_POSITION: symbol = 6; colour = kRed; break;
        default: continue;
        }
        int x = 0, y = 0;
        if (!Place(s.m_GivenE, s.m_GivenN, &x, &y))
            continue;
        m_Plot.DrawVectorSymbol(symbol, colour, colour, kStationSymbolSize, x, y);
        const CSize size = m_Plot.GetTextExtent(s.m_Name);
        m_Plot.TextOut(x + kStationSymbolSize / 2 + 4, y - size.cy / 2, s.m_Name);
    }
    m_Plot.SetTextAlign(oldAlign);
    m_Plot.SetTextColor(oldColour);
    m_Plot.SetBkMode(oldMode);
    m_Plot.SelectObject(oldFont);
}

void CPlanDrawing::DrawBoxin(const CBoxin& boxin)
{
    std::vector<PatternPoint> points;
    for (INT_PTR i = 0; i < boxin.GetSize(); ++i)
    {
        const BoxinDef& r = boxin[i];
        if (r.Used == 1)
            points.push_back({r.TransducerEasting, r.TransducerNorthing, r.DerivedEasting, r.DerivedNorthing, r.Colour});
    }
    const bool computed = boxin.m_Converged == 1;
    const double centreE = computed ? boxin.m_DerivedEasting : boxin.m_TransponderEasting;
    const double centreN = computed ? boxin.m_DerivedNorthing : boxin.m_TransponderNorthing;
    const double extent = computed ? boxin.m_MaxRange : 5.0 * boxin.m_RangeRingRadius;
    DrawPattern(centreE, centreN, boxin.m_UseRangeRings, boxin.m_RangeRingRadius, extent, kMaxRings, points,
                boxin.m_DerivedEasting, boxin.m_DerivedNorthing, computed ? boxin.m_MeanPositionError : 0.0);
}

void CPlanDrawing::DrawUsblCalibration(const CUsblCalibration& usbl)
{
    const bool solved = usbl.m_Passes > 0;
    const double centreE = solved ? usbl.m_SolvedEasting : usbl.m_TransponderEasting;
    const double centreN = solved ? usbl.m_SolvedNorthing : usbl.m_TransponderNorthing;
    std::vector<PatternPoint> points;
    double farthest = 0.0;
    for (INT_PTR i = 0; i < usbl.GetSize(); ++i)
    {
        const UsblCalibrationDef& r = usbl[i];
        if (r.Used != 1)
            continue;
        points.push_back({r.TransducerEasting, r.TransducerNorthing, r.ObservedEasting, r.ObservedNorthing, r.Colour});
        if (Usable(r.TransducerEasting, r.TransducerNorthing) && Usable(centreE, centreN))
            farthest = std::max(farthest, std::hypot(r.TransducerEasting - centreE, r.TransducerNorthing - centreN));
    }
    // The last ring reaches the farthest record.
    const double spacing = usbl.m_RangeRingRadius;
    const double extent = spacing > 0.0 ? std::ceil(farthest / spacing) * spacing : 0.0;
    DrawPattern(centreE, centreN, usbl.m_UseRangeRings, spacing, extent, kMaxUsblRings, points, centreE, centreN,
                usbl.m_MeanDistance);
}

void CPlanDrawing::DrawTransitFix(const CTransitFix& fix)
{
    const int legs = fix.m_NumberOfLegs == 3 ? 3 : 4;
    auto present = [](const tagXY& p) { return p.x != 0.0 && p.y != 0.0 && Usable(p.x, p.y); };

    static const int kThreeLegPairs[3][2] = {{1, 4}, {2, 5}, {3, 6}};
    static const int kFourLegPairs[4][2] = {{1, 6}, {2, 5}, {3, 8}, {4, 7}};
    {
        CPen pen(PS_SOLID, 1, kSilver);
        PenAndBrush scope(m_Plot, &pen, nullptr);
        for (int leg = 0; leg < legs; ++leg)
        {
            const int* pair = legs == 3 ? kThreeLegPairs[leg] : kFourLegPairs[leg];
            const tagXY& from = fix.m_Points[pair[0] - 1];
            const tagXY& to = fix.m_Points[pair[1] - 1];
            if (present(from) && present(to))
                m_Plot.DrawLine(from.x, from.y, to.x, to.y);
        }
    }
    int x = 0, y = 0;
    for (int i = 0; i < 2 * legs; ++i)
        if (present(fix.m_Points[i]) && Place(fix.m_Points[i].x, fix.m_Points[i].y, &x, &y))
        {
            CString number;
            number.Format("%d", i + 1);
            LabelBelow(x, y, number, kWhite);
        }
    for (int i = 0; i < legs; ++i)
        if (present(fix.m_Intersections[i]) && Place(fix.m_Intersections[i].x, fix.m_Intersections[i].y, &x, &y))
        {
            CString letter;
            letter.Format("%c", 'A' + i);
            LabelBelow(x, y, letter, kCyan);
        }
    if (!present(fix.m_Centre))
        return;
    CPen magenta(PS_SOLID, 1, kMagenta);
    {
        PenAndBrush scope(m_Plot, &magenta, &m_Plot.hollowBrush);
        if (fix.m_Radius != 0.0)
            m_Plot.DrawChordArc(fix.m_Radius, 0.0, kFullCircle, fix.m_Centre.x, fix.m_Centre.y);
    }
    if (Place(fix.m_Centre.x, fix.m_Centre.y, &x, &y))
    {
        CPen dotted(PS_DOT, 1, kMagenta);
        Cross(x, y, kCentreCrossArm, dotted);
    }
}
