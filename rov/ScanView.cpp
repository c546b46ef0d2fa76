#include "rov/ScanView.h"

#include "platform/ui/Dc.h"
#include "rov/DrawingObjects.h"
#include "rov/OffscreenCanvas.h"
#include "survey/records/Tritech.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

IMPLEMENT_DYNCREATE(CScanView, CView)

BEGIN_MESSAGE_MAP(CScanView, CView)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

const COLORREF CScanView::DAY_COLOURS[COLOURS] = {0x555555, 0x808080, 0xD6D6D6, 0x00FFFF, 0x0000FF, 0xC0C0C0};
const COLORREF CScanView::NIGHT_COLOURS[COLOURS] = {0x555555, 0x000000, 0x808080, 0x008080, 0x000080, 0x808080};

namespace
{
// The sonar's ranges (metres) and the lattice divisions each is drawn with: whole metres per
// division wherever the range allows.
struct RangeDivisions
{
    int range;
    int divisions;
};
const RangeDivisions kRanges[] = {{500, 5}, {400, 4}, {300, 3}, {200, 4}, {100, 4}, {50, 5},
                                  {45, 5},  {40, 4},  {35, 7},  {30, 6},  {25, 5},  {20, 4},
                                  {15, 3},  {10, 5},  {5, 5},   {4, 4},   {3, 3},   {2, 2}};

// Lines reach this far beyond the lattice, and labels stand this far off them (pixels).
constexpr int kOverhang = 10;
// Half the side of a square profile point.
constexpr int kSquareHalf = 3;
constexpr double kMetresPerFoot = 0.3048;

// A pixel coordinate held in double, whole when it fits an int: the host's numbers may be
// anything, and converting one beyond an int is undefined.
bool ScanPixel(double value, int* pixel)
{
    if (!std::isfinite(value) || value <= static_cast<double>(INT_MIN) || value >= static_cast<double>(INT_MAX))
        return false;
    *pixel = static_cast<int>(value);
    return true;
}

// The pipe's diameter in metres from the size the host holds: inches for unit 0, otherwise
// millimetres.
double PipeSizeMetres(int size, int unit)
{
    return unit == 0 ? size / 12.0 * kMetresPerFoot : size / 1000.0;
}

// One division's number, measured once for the four places it is written at.
struct Label
{
    CString text;
    int width = 0;

    Label(CDC* dc, int value)
    {
        text.Format("%d", value);
        width = dc->GetTextExtent(text).cx;
    }
    // align: -1 ends at x, 0 centred on x, 1 starts at x.
    void Draw(CDC* dc, int x, int y, int align) const
    {
        const int left = align < 0 ? x - width : align == 0 ? x - width / 2 : x;
        dc->TextOut(left, y, text, text.GetLength());
    }
};

void ScanLine(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}
} // namespace

CScanView::CScanView() : m_pCanvas(std::make_unique<OffscreenCanvas>())
{
    ApplyColours();
}

CScanView::~CScanView() = default;

void CScanView::ApplyColours()
{
    std::copy(std::begin(m_bNight ? NIGHT_COLOURS : DAY_COLOURS), std::end(m_bNight ? NIGHT_COLOURS : DAY_COLOURS),
              m_Colours);
}

void CScanView::SetData(CTritech* pHead)
{
    m_pHead = pHead;
    SetNightMode(m_bNight);
}

void CScanView::SetDaylightMode()
{
    SetNightMode(false);
}

void CScanView::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    ApplyColours();
    if (m_pHead != nullptr)
    {
        int index = 0;
        for (POSITION pos = m_pHead->m_Profiles.GetHeadPosition(); pos != nullptr; ++index)
        {
            auto* profile = static_cast<CTritechProfile*>(m_pHead->m_Profiles.GetNext(pos));
            if (profile == nullptr)
                continue;
            const bool even = index % 2 == 0;
            profile->m_Colour2 = bNight ? NIGHT_SECOND : DAY_SECOND;
            profile->m_Colour1 = bNight ? (even ? NIGHT_EVEN : NIGHT_ODD) : (even ? DAY_EVEN : DAY_ODD);
        }
    }
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

bool CScanView::SetRange(int range)
{
    for (const RangeDivisions& entry : kRanges)
        if (entry.range == range)
        {
            m_nDivisions = entry.divisions;
            return true;
        }
    return false;
}

int CScanView::OnMouseActivate(CWnd*, UINT, UINT)
{
    return 0;
}

void CScanView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    Draw(pDC, client);
}

void CScanView::Draw(CDC* pDC, CRect rect)
{
    OffscreenCanvas& canvas = *m_pCanvas;
    if (!canvas.Begin(pDC, rect))
        return;
    CDC& memory = canvas.Dc();
    const CRect local = canvas.Local();
    m_dPixelsPerMetre = 0.0;
    // Each case covers the whole picture once: black without a head, grey for a head not in
    // use, else the lattice's background.
    if (m_pHead == nullptr)
        memory.FillSolidRect(&local, 0x000000);
    else if (!m_pHead->m_Active)
        memory.FillSolidRect(&local, INACTIVE_COLOUR);
    else
    {
        const CTritech& head = *m_pHead;
        DrawCrossProfileLattice(&memory, &local);
        if (m_dPixelsPerMetre > 0.0)
        {
            for (POSITION pos = head.m_Profiles.GetHeadPosition(); pos != nullptr;)
                if (const auto* profile = static_cast<const CTritechProfile*>(head.m_Profiles.GetNext(pos)))
                    DrawProfile(&memory, *profile);
            if (head.m_PipePresent)
                DrawPipeCrossSection(&memory, head.m_PipeAcross, head.m_PipeDown,
                                     PipeSizeMetres(head.m_PipeSize, head.m_PipeSizeUnit));
        }
    }
    canvas.End();
}

void CScanView::DrawCrossProfileLattice(CDC* pDC, const RECT* rect)
{
    TEXTMETRIC metrics{};
    pDC->GetTextMetrics(&metrics);
    const int range = m_pHead != nullptr ? m_pHead->m_Range : 0;
    SetRange(range);
    const int n = m_nDivisions;

    const CRect area(*rect);
    pDC->FillSolidRect(&area, m_bTimeout ? m_Colours[TIMEOUT_BACKGROUND] : m_Colours[BACKGROUND]);
    const int left = area.left + MARGIN_LEFT, top = area.top + MARGIN_TOP;
    const int right = area.right - MARGIN_RIGHT, bottom = area.bottom - MARGIN_BOTTOM;
    m_nCell = std::min((bottom - top) / (n + 1), (right - left) / (2 * n));
    m_dPixelsPerMetre = 0.0;
    m_LatticeRect.SetRectEmpty();
    // Too small a view for one pixel a cell: the background alone.
    if (m_nCell <= 0)
        return;
    const int cell = m_nCell;
    m_Origin = CPoint(left + (right - left) / 2, top + cell);
    m_LatticeRect.SetRect(m_Origin.x - n * cell, top, m_Origin.x + n * cell, m_Origin.y + n * cell);
    const CRect& lattice = m_LatticeRect;
    pDC->FillSolidRect(&lattice, m_Colours[LATTICE_AREA]);
    // A range of 0 or less has no metres to scale by: the lattice shows, nothing is placed on it.
    if (range > 0)
        m_dPixelsPerMetre = static_cast<double>(lattice.Height() - cell) / range;

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(m_Colours[LABELS]);
    DrawingObjects pen(pDC, m_Colours[LATTICE_LINES]);
    ScanLine(pDC, lattice.left, lattice.top, lattice.left, lattice.bottom);
    ScanLine(pDC, lattice.right, lattice.top, lattice.right, lattice.bottom);
    ScanLine(pDC, lattice.left, lattice.top, lattice.right, lattice.top);

    const int step = range / n;
    const int halfChar = metrics.tmAveCharWidth / 2;
    std::vector<Label> labels;
    labels.reserve(static_cast<size_t>(n) + 1);
    for (int k = 0; k <= n; ++k)
        labels.emplace_back(pDC, step * k);
    for (int k = 0; k <= n; ++k)
    {
        const int dx = k * cell;
        ScanLine(pDC, m_Origin.x - dx, m_Origin.y, m_Origin.x - dx, lattice.bottom + kOverhang);
        ScanLine(pDC, m_Origin.x + dx, m_Origin.y, m_Origin.x + dx, lattice.bottom + kOverhang);
        labels[k].Draw(pDC, m_Origin.x - dx, lattice.bottom + kOverhang, 0);
        if (k > 0)
            labels[k].Draw(pDC, m_Origin.x + dx, lattice.bottom + kOverhang, 0);
    }
    for (int k = 0; k <= n; ++k)
    {
        const int y = m_Origin.y + k * cell;
        ScanLine(pDC, lattice.left - kOverhang, y, lattice.right + kOverhang, y);
        const int textTop = y - metrics.tmHeight / 2;
        labels[k].Draw(pDC, lattice.left - kOverhang - halfChar, textTop, -1);
        labels[k].Draw(pDC, lattice.right + kOverhang + halfChar, textTop, 1);
    }
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
}

bool CScanView::ToScreen(double across, double down, POINT* point) const
{
    if (!(m_dPixelsPerMetre > 0.0))
        return false;
    int x = 0, y = 0;
    if (!ScanPixel(m_Origin.x + across * m_dPixelsPerMetre, &x) || !ScanPixel(m_Origin.y + down * m_dPixelsPerMetre, &y))
        return false;
    point->x = x;
    point->y = y;
    return true;
}

void CScanView::DrawProfile(CDC* pDC, const CTritechProfile& profile)
{
    // A negative count or a missing array is the host's error: nothing to draw.
    if (!profile.m_Visible || profile.m_pPoints == nullptr || profile.m_PointCount <= 0)
        return;
    const COLORREF colour = profile.m_UseColour1 ? profile.m_Colour1 : profile.m_Colour2;
    DrawingObjects objects(pDC, colour);
    const CRect& lattice = m_LatticeRect;
    // A line's points are joined in one stroke, from the first point drawn.
    std::vector<POINT> line;
    for (int i = 0; i < profile.m_PointCount; ++i)
    {
        const TritechPointDef& p = profile.m_pPoints[i];
        POINT s{};
        if (p.Valid != 1 || !ToScreen(p.Across, p.Down, &s))
            continue;
        if (s.x < lattice.left || s.x > lattice.right || s.y < lattice.top || s.y > lattice.bottom)
            continue;
        switch (profile.m_DrawStyle)
        {
        case PROFILE_STYLE_PIXEL: pDC->SetPixel(s.x, s.y, colour); break;
        case PROFILE_STYLE_SQUARE:
            pDC->FillSolidRect(s.x - kSquareHalf, s.y - kSquareHalf, 2 * kSquareHalf + 1, 2 * kSquareHalf + 1, colour);
            break;
        case PROFILE_STYLE_LINE: line.push_back(s); break;
        default: break;
        }
    }
    if (line.size() > 1)
        pDC->Polyline(line.data(), static_cast<int>(line.size()));
}

void CScanView::DrawPipeCrossSection(CDC* pDC, double x, double y, double size)
{
    if (!(size > 0.0) || !(y > 0.0))
        return;
    POINT top{};
    int r = 0;
    if (!ToScreen(x, y, &top) || !ScanPixel(m_dPixelsPerMetre * size, &r))
        return;
    const CRect& lattice = m_LatticeRect;
    if (top.x <= lattice.left || top.x >= lattice.right || top.y <= m_Origin.y || top.y >= lattice.bottom)
        return;
    // The circle's box must hold in screen coordinates too.
    int unused = 0;
    if (!ScanPixel(top.x - static_cast<double>(r), &unused) || !ScanPixel(top.x + static_cast<double>(r), &unused) ||
        !ScanPixel(top.y + 2.0 * r, &unused))
        return;
    DrawingObjects objects(pDC, m_Colours[PIPE], m_Colours[PIPE]);
    pDC->Ellipse(top.x - r, top.y, top.x + r, top.y + 2 * r);
}

void CScanView::SetTimeout(bool bTimeout)
{
    m_bTimeout = bTimeout;
}
