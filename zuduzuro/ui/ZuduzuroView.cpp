#include "zuduzuro/ui/ZuduzuroView.h"

#include "zuduzuro/Anchor.h"
#include "zuduzuro/Units.h"
#include "zuduzuro/ui/ZuduzuroResources.h"

#include "foundation/Folders.h"
#include "foundation/Report.h"
#include "foundation/WindowMessages.h"
#include "outside/input/InputDouble.h"
#include "platform/core/Path.h"
#include "platform/core/Sync.h"
#include "platform/ui/Dc.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/WindowDc.h"

#include <QSaveFile>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

IMPLEMENT_DYNCREATE(CZuduzuroView, CView)
BEGIN_MESSAGE_MAP(CZuduzuroView, CView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_SETCURSOR()
ON_WM_KEYDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

const COLORREF CZuduzuroView::kColourTable[kColours] = {
    0xFFFFFF, 0xFFFFFF, 0xFF0000, 0x0080FF, 0xFFFF00, 0x008080, 0x808080, 0x0080FF, 0x000080,
    0x00FFFF, 0x0000FF, 0x808080, 0x00FF00, 0xFF00FF, 0xCC99FF, 0x00FFFF, 0x00FF00, 0x0000FF,
    0xC0C0C0, 0xEBEBEB, 0x99FFFF, 0xCC99FF, 0x404040, 0x00FFFF, 0x000000};

namespace
{
constexpr double kDegreesPerRadian = 57.2957795131;
constexpr double kLargestLabel = 99999.9;
constexpr double kMaximumWaterDepth = 100000.0; // m, as the anchor file holds it
// The screen's dots per inch that the view's pixel sizes are made for.
constexpr double kScreenDotsPerInch = 96.0;

// The label font's size (tenths of a point) for a client width: wider windows, larger labels.
// Past 1536 pixels the size grows one step only, so that the margins leave room for the plot.
int LabelFontTenths(int width)
{
    if (width < 400)
        return 80;
    if (width < 768)
        return 120;
    if (width <= 1536)
        return 160;
    return 200;
}

// The back of the plot by the anchor's first display option.
int BackColourIndex(int option)
{
    return option == 3 ? 7 : (option == 4 ? 8 : 2);
}

CString DistanceUnitName()
{
    int table = 0, subUnit = 0;
    const int mode = ReadUnitsMode(table, subUnit);
    CString name;
    GetDistanceUnitName(name, mode, table, subUnit);
    return name;
}

// "%.0lf%s" of metres in a unit (units per metre, its name), at most 99999.9.
CString FormatDistance(double metres, double unitsPerMetre, CString unit, bool trimUnit)
{
    if (trimUnit)
        unit.TrimRight();
    double value = metres * unitsPerMetre;
    if (!(value <= kLargestLabel))
        value = std::isnan(value) ? 0.0 : kLargestLabel;
    CString text;
    text.Format("%.0lf%s", value, (LPCSTR)unit);
    return text;
}

// A tension written "%6.1lf" without trailing zeros or a trailing point.
CString TensionText(double tonnes)
{
    const int mode = ReadTensionMode();
    CString number;
    number.Format("%6.1lf", ToTensionUnits(tonnes, mode));
    number.Trim();
    if (number.Find('.') >= 0)
    {
        number.TrimRight('0');
        number.TrimRight('.');
    }
    return number + " " + GetTensionUnitName(mode);
}
} // namespace

// What one drawing pass works with.
struct CZuduzuroView::PassDef
{
    // The user's distance unit, read once a pass: its size and its name.
    double unitsPerMetre = 1.0;
    CString unitName;
    CString Distance(double metres, bool trimUnit = false) const
    {
        return FormatDistance(metres, unitsPerMetre, unitName, trimUnit);
    }
    CDC* dc = nullptr;
    CRect client;
    // Device pixels to a screen's pixel: 1 on the screen, the printer's dots per screen pixel
    // on paper, so that lines and marks keep the width they have on the screen.
    double scale = 1.0;
    int Px(int pixels) const { return std::max(1, static_cast<int>(std::lround(pixels * scale))); }
    CFont labelFont;
    int charWidth = 8;
    int charHeight = 16;
    double extent = 1000.0;
    double deepest = 0.0;
    int waterLine = 0;
    CString title; // a printout's heading
    // Where the pass wrote its texts so far (device pixels): a later label keeps clear of them.
    std::vector<CRect> labels;
    // Where each crossing's label goes, kept before the range labels are written.
    std::vector<CRect> crossingLabels;
    // A text's box with its top-left corner at (x, y), in the selected font.
    CRect TextBox(int x, int y, const CString& text) const
    {
        const CSize size = dc->GetTextExtent(text);
        return CRect(x, y, x + size.cx, y + size.cy);
    }
    bool Overlaps(const CRect& box) const
    {
        for (const CRect& label : labels)
            if (label.left < box.right && box.left < label.right && label.top < box.bottom && box.top < label.bottom)
                return true;
        return false;
    }
    // A box moved across (never beyond the client's right edge, nor left of `left`).
    void KeepAcrossInside(CRect& box, int left) const
    {
        if (box.right > client.right)
            box.OffsetRect(client.right - box.right, 0);
        if (box.left < left)
            box.OffsetRect(left - box.left, 0);
    }
};

CZuduzuroView::CZuduzuroView()
{
    std::copy(kColourTable, kColourTable + kColours, m_Colour);
}

CZuduzuroView::~CZuduzuroView() = default;

void CZuduzuroView::SetData(CAnchor* pAnchor, double bargeDraft, CMutex* pLock, CStatusBar* pStatusBar)
{
    m_pAnchor = pAnchor;
    m_BargeDraft = bargeDraft;
    m_pLock = pLock;
    m_pStatusBar = pStatusBar;
}

double CZuduzuroView::ExtentFor(double range, double secondDistance)
{
    const double extent = std::max(range * 1.1, secondDistance);
    if (!(extent > 0.0) || !std::isfinite(extent))
        return 1000.0;
    return std::ceil(extent / 500.0) * 500.0;
}

CString CZuduzuroView::CrossingLabel(double metres)
{
    return FormatDistance(metres, ToDistanceUnits(1.0), DistanceUnitName(), true);
}

void CZuduzuroView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    Render(pDC, client);
}

void CZuduzuroView::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    // Drawn off screen and copied in one block, so nothing flickers.
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    Render(&memory, client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

BOOL CZuduzuroView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CZuduzuroView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED)
    {
        FitAtNextPass();
        Invalidate(FALSE);
    }
}

BOOL CZuduzuroView::OnSetCursor(CWnd*, UINT, UINT)
{
    return TRUE;
}

QImage CZuduzuroView::RenderImage(int width, int height)
{
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&memory, width, height);
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, width, height, 0);
    Render(&memory, CRect(0, 0, width, height));
    memory.SelectObject(old);
    return bitmap.ToImage();
}

void CZuduzuroView::Render(CDC* dc, const CRect& client)
{
    if (!m_pAnchor || !m_pLock || !dc)
        return;
    CSingleLock lock(m_pLock, TRUE);
    PassDef pass;
    pass.unitsPerMetre = ToDistanceUnits(1.0);
    pass.unitName = DistanceUnitName();
    pass.dc = dc;
    pass.client = client;
    if (dc->IsPrinting())
        pass.scale = std::max(1.0, dc->GetDeviceCaps(LOGPIXELSX) / kScreenDotsPerInch);
    CAnchor& a = *m_pAnchor;
    pass.extent = ExtentFor(a.m_Range, a.GetDistanceToTouchdown());
    const int saved = dc->SaveDC();
    const bool framed = DrawFrame(pass);
    DrawTextBlock(pass);
    if (framed)
        DrawSeabed(pass);
    if (!framed)
    {
        DrawFailure(pass);
    }
    else if (a.m_Status == ANCHOR_LIVE || a.m_Status == ANCHOR_ON_BOTTOM)
    {
        DrawCrossings(pass);
        DrawSymbols(pass);
        DrawTrackPoints(pass);
        DrawDimensions(pass);
    }
    dc->RestoreDC(saved);
    m_CharWidth = pass.charWidth;
    m_CharHeight = pass.charHeight;
    m_LabelRects = pass.labels;
}

bool CZuduzuroView::HasSecondDimensionLine() const
{
    const CAnchor& a = *m_pAnchor;
    if (a.m_Status != ANCHOR_LIVE && a.m_Status != ANCHOR_ON_BOTTOM)
        return false;
    int lastBuoy = -1;
    for (int b = 0; b < a.m_BuoysInUse && b < CAnchor::kBuoys; ++b)
        if (a.m_Buoys[b].DistanceFromFairlead > 0.0)
            lastBuoy = b;
    return lastBuoy >= 0 && std::fabs(a.m_Buoys[lastBuoy].DistanceFromFairlead - a.m_Range) > 1.0;
}

bool CZuduzuroView::DrawFrame(PassDef& pass)
{
    CDC* dc = pass.dc;
    CAnchor& a = *m_pAnchor;
    const CRect& client = pass.client;
    // The size goes by the width as the screen would show it: on paper, the page's width in
    // screen pixels, so that the labels keep their size beside the picture.
    pass.labelFont.CreatePointFont(LabelFontTenths(static_cast<int>(client.Width() / pass.scale)), "Verdana", dc);
    dc->SelectObject(&pass.labelFont);
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    pass.charWidth = std::max<int>(1, metrics.tmAveCharWidth);
    pass.charHeight = std::max<int>(1, metrics.tmHeight);

    const COLORREF back = m_Colour[BackColourIndex(a.m_DisplayOption1)];
    dc->FillSolidRect(&client, back);
    m_PlotRect = client;
    m_PlotRect.left += 6 * pass.charWidth;
    // Below the plot: a row of range labels and one row per dimension line, each line with its
    // label in a row of its own.
    m_PlotRect.bottom -= (HasSecondDimensionLine() ? 4 : 3) * pass.charHeight;

    pass.deepest = a.m_SeabedProfile.m_MaxDepth;
    if (a.m_SeabedProfile.GetSize() == 0 || pass.deepest == DBL_MAX || !std::isfinite(pass.deepest))
        return false;
    const double height = a.m_FairleadLevel;
    const double total = pass.deepest + (height >= 0.0 ? height : 0.0);
    const double rows = std::max(1.0, std::ceil(total + 0.5));
    const double vertical = std::max(1e-9, (m_PlotRect.Height() - 2) / rows);
    const double horizontal = std::max(1e-9, m_PlotRect.Width() / pass.extent);
    m_HorizontalScale = std::min(vertical, horizontal);
    m_LargestZoom = std::max(1.0, std::floor(vertical / m_HorizontalScale));
    if (!std::isfinite(m_LargestZoom))
        m_LargestZoom = 1.0;
    if (m_ZoomLevel < 1.0 || m_ZoomLevel > m_LargestZoom || !std::isfinite(m_ZoomLevel))
        m_ZoomLevel = m_LargestZoom;
    m_VerticalScale = m_HorizontalScale * m_ZoomLevel;

    // The water line, with the sky above it and the barge in the left margin.
    pass.waterLine = m_PlotRect.bottom - ToPixels(pass.deepest, m_VerticalScale);
    m_PlotRect.top = pass.waterLine;
    dc->FillSolidRect(m_PlotRect.left, client.top, m_PlotRect.Width(), pass.waterLine - client.top, m_Colour[4]);
    const int bargeTop = height >= 0.0 ? pass.waterLine - ToPixels(height, m_VerticalScale) : pass.waterLine;
    const int bargeBottom = pass.waterLine + ToPixels(m_BargeDraft, m_VerticalScale);
    dc->FillSolidRect(client.left, bargeTop, m_PlotRect.left - client.left, bargeBottom - bargeTop, m_Colour[6]);

    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(m_Colour[0]);
    CString zoom;
    zoom.Format("X%.0lf", m_ZoomLevel);
    const CRect zoomBox = pass.TextBox(client.left + pass.charWidth / 2, client.bottom - pass.charHeight - pass.charHeight / 2, zoom);
    dc->TextOut(zoomBox.left, zoomBox.top, zoom);
    pass.labels.push_back(zoomBox);

    PlaceCrossingLabels(pass);
    // Grid labels along the range and the depth.
    const double rangeStep = pass.extent < 1000 ? 100 : (pass.extent < 2500 ? 250 : (pass.extent < 5000 ? 500 : 1000));
    const double d = pass.deepest;
    const double depthStep = d < 25 ? 5 : (d < 50 ? 10 : (d < 100 ? 20 : (d < 250 ? 50 : (d < 500 ? 100 : 200))));
    CPen gridPen;
    gridPen.CreatePen(PS_SOLID, pass.Px(1), m_Colour[18]);
    CPen* oldPen = dc->SelectObject(&gridPen);
    // Each range label centred on its tick, the last one moved in rather than cut at the view's
    // edge. Written from the far end back, so that the end of the scale keeps its label and one
    // that would run into a label already written is left out.
    std::vector<std::pair<CRect, CString>> ranges;
    for (double x = rangeStep; x <= pass.extent + 1e-9; x += rangeStep)
    {
        const int column = Column(x);
        dc->MoveTo(column, m_PlotRect.bottom);
        dc->LineTo(column, m_PlotRect.bottom + pass.charHeight / 3);
        const CString label = pass.Distance(x);
        CRect box = pass.TextBox(column, m_PlotRect.bottom + pass.charHeight / 3, label);
        box.OffsetRect(-box.Width() / 2, 0);
        pass.KeepAcrossInside(box, m_PlotRect.left);
        ranges.emplace_back(box, label);
    }
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it)
    {
        if (pass.Overlaps(it->first))
            continue;
        dc->TextOut(it->first.left, it->first.top, it->second);
        pass.labels.push_back(it->first);
    }
    for (double z = 0.0; z <= d + 1e-9; z += depthStep)
    {
        const int row = Row(z);
        dc->MoveTo(m_PlotRect.left - pass.charWidth / 2, row);
        dc->LineTo(m_PlotRect.left, row);
        const CString label = pass.Distance(z);
        CRect box = pass.TextBox(m_PlotRect.left - pass.charWidth / 2, row - pass.charHeight / 2, label);
        box.OffsetRect(-box.Width(), 0);
        if (box.left < client.left)
            box.OffsetRect(client.left - box.left, 0);
        dc->TextOut(box.left, box.top, label);
        pass.labels.push_back(box);
    }
    dc->SelectObject(oldPen);
    return true;
}

void CZuduzuroView::DrawSeabed(PassDef& pass)
{
    const CProfile& profile = m_pAnchor->m_SeabedProfile;
    if (profile.GetSize() < 2)
        return;
    CDC* dc = pass.dc;
    CPen outline;
    outline.CreatePen(PS_SOLID, pass.Px(1), m_Colour[5]);
    CBrush solid, hatch;
    solid.CreateSolidBrush(m_Colour[5]);
    hatch.CreateHatchBrush(HS_DIAGCROSS, m_Colour[3]);
    CPen* oldPen = dc->SelectObject(&outline);
    CBrush* oldBrush = dc->SelectObject(&solid);
    const int bottom = m_PlotRect.bottom;

    std::vector<POINT> polygon;
    bool hatched = false;
    auto close = [&]() {
        if (polygon.size() < 2)
            return;
        polygon.push_back(POINT{polygon.back().x, bottom});
        dc->SetBkMode(OPAQUE);
        dc->SetBkColor(m_Colour[5]);
        dc->SelectObject(hatched ? &hatch : &solid);
        dc->Polygon(polygon.data(), static_cast<int>(polygon.size()));
    };
    polygon.push_back(POINT{m_PlotRect.left, bottom});
    hatched = profile[0].Flag != 0;
    POINT last{INT32_MIN, INT32_MIN};
    // Every point of the profile (tens of thousands) passes here on each paint.
    const ProDataDef* points = profile.GetData();
    const INT_PTR count = profile.GetSize();
    const int left = m_PlotRect.left;
    const double horizontal = m_HorizontalScale, vertical = m_VerticalScale, deepest = pass.deepest;
    for (INT_PTR i = 0; i < count; ++i)
    {
        const ProDataDef& p = points[i];
        if (p.Depth == DBL_MAX)
            continue;
        const POINT pixel{left + ToPixels(p.Range, horizontal), bottom - ToPixels(deepest - p.Depth, vertical)};
        if (pixel.y > bottom || (pixel.x == last.x && pixel.y == last.y))
            continue;
        const bool flag = p.Flag != 0;
        if (flag != hatched && polygon.size() > 1)
        {
            close();
            polygon.clear();
            polygon.push_back(POINT{last.x, bottom});
            polygon.push_back(last);
            hatched = flag;
        }
        hatched = polygon.size() <= 1 ? flag : hatched;
        polygon.push_back(pixel);
        last = pixel;
    }
    close();
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
    dc->SetBkMode(TRANSPARENT);
}

void CZuduzuroView::DrawFailure(PassDef& pass)
{
    CDC* dc = pass.dc;
    const CRect& client = pass.client;
    dc->FillSolidRect(&client, 0x000000);
    CFont big;
    big.CreatePointFont(320, "Verdana", dc);
    CFont* oldFont = dc->SelectObject(&big);
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    CString first;
    first.Format("Anchor : %s", (LPCSTR)m_pAnchor->m_Name);
    const CString& second = m_pAnchor->m_StatusText;
    const int textWidth = std::max(dc->GetTextExtent(first).cx, dc->GetTextExtent(second).cx);
    const int width = textWidth + 2 * metrics.tmAveCharWidth;
    const int height = 2 * metrics.tmHeight;
    const CPoint centre = client.CenterPoint();
    CRect box(centre.x - width / 2, centre.y - height / 2, centre.x - width / 2 + width, centre.y - height / 2 + height);
    dc->FillSolidRect(&box, 0x004040);
    CBrush frame;
    frame.CreateSolidBrush(m_Colour[1]);
    dc->FrameRect(&box, &frame);
    dc->SetBkMode(TRANSPARENT);
    const UINT oldAlign = dc->SetTextAlign(TA_CENTER | TA_BASELINE);
    dc->SetTextColor(m_Colour[23]);
    dc->TextOut(centre.x, centre.y - metrics.tmHeight / 2, first);
    dc->SetTextColor(m_Colour[0]);
    dc->TextOut(centre.x, centre.y + metrics.tmHeight / 2, second);
    dc->SetTextAlign(oldAlign);
    dc->SelectObject(oldFont);
}

void CZuduzuroView::DrawTextBlock(PassDef& pass)
{
    CDC* dc = pass.dc;
    CAnchor& a = *m_pAnchor;
    const int option = a.m_DisplayOption1;
    const COLORREF back = m_Colour[option == 0 ? 19 : ((option == 1 || option == 3) ? 20 : 21)];
    const COLORREF text = m_Colour[a.m_Status == ANCHOR_LIVE ? 16 : 15];
    CString line = pass.title;
    if (!line.IsEmpty())
        line += "   ";
    CString part;
    part.Format("%s   Rng: %s   %.1lf\xB0   Cable: %s Comp", (LPCSTR)TensionText(a.m_Tension),
                (LPCSTR)pass.Distance(a.m_Range), a.m_Bearing * kDegreesPerRadian,
                (LPCSTR)pass.Distance(a.m_ComputedCableLength));
    line += part;
    // The block stays inside the view: in a narrow one, in a smaller font.
    const int room = pass.client.Width() - 6 * pass.charWidth;
    CFont smaller;
    CFont* oldFont = nullptr;
    int width = dc->GetTextExtent(line).cx + 2 * pass.charWidth;
    if (width > room && room > 0 && smaller.CreatePointFont(std::max(60, LabelFontTenths(static_cast<int>(pass.client.Width() / pass.scale)) * room / width), "Verdana", dc))
    {
        oldFont = dc->SelectObject(&smaller);
        width = std::min(room, dc->GetTextExtent(line).cx + 2 * pass.charWidth);
    }
    const int height = (oldFont ? dc->GetTextExtent(line).cy : pass.charHeight) + pass.Px(4);
    const CRect box(pass.client.left + 6 * pass.charWidth, pass.client.top, pass.client.left + 6 * pass.charWidth + width,
                    pass.client.top + height);
    dc->FillSolidRect(&box, back);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(text);
    dc->TextOut(box.left + pass.charWidth, box.top + pass.Px(2), line);
    if (oldFont)
        dc->SelectObject(oldFont);
    pass.labels.push_back(box);
}

void CZuduzuroView::PlaceCrossingLabels(PassDef& pass)
{
    const CAnchor& a = *m_pAnchor;
    if (a.m_Status != ANCHOR_LIVE && a.m_Status != ANCHOR_ON_BOTTOM)
        return;
    // Below the plot, centred on its crossing and inside the view; the range labels give way to
    // them. One that would cover another crossing's label moves along beside it, to the right
    // where there is room, else to the left.
    const int gap = std::max(1, pass.charWidth / 2);
    for (INT_PTR i = 0; i < a.m_Crossings.GetSize(); ++i)
    {
        const double distance = a.m_Crossings[i].Distance;
        CRect box = pass.TextBox(Column(distance), m_PlotRect.bottom, pass.Distance(distance, true));
        box.OffsetRect(-box.Width() / 2, 0);
        pass.KeepAcrossInside(box, m_PlotRect.left);
        for (const CRect& other : pass.crossingLabels)
            if (box.left < other.right && other.left < box.right)
            {
                if (other.right + gap + box.Width() <= pass.client.right)
                    box.OffsetRect(other.right + gap - box.left, 0);
                else
                    box.OffsetRect(other.left - gap - box.right, 0);
            }
        pass.crossingLabels.push_back(box);
        pass.labels.push_back(box);
    }
}

void CZuduzuroView::DrawCrossingLabel(PassDef& pass, double distance, const CRect& box)
{
    CDC* dc = pass.dc;
    const int oldMode = dc->SetBkMode(OPAQUE);
    CFont* oldFont = dc->SelectObject(&pass.labelFont);
    dc->SetBkColor(m_Colour[5]);
    dc->SetTextColor(m_Colour[0]);
    dc->TextOut(box.left, box.top, pass.Distance(distance, true));
    dc->SelectObject(oldFont);
    dc->SetBkMode(oldMode);
}

void CZuduzuroView::DrawCrossings(PassDef& pass)
{
    CDC* dc = pass.dc;
    CAnchor& a = *m_pAnchor;
    CPen pipePen, objectPen, runPen;
    CBrush pipeBrush, objectBrush, objectSolid;
    pipePen.CreatePen(PS_SOLID, pass.Px(2), m_Colour[12]);
    pipeBrush.CreateHatchBrush(HS_DIAGCROSS, m_Colour[12]);
    objectPen.CreatePen(PS_SOLID, pass.Px(2), m_Colour[13]);
    objectBrush.CreateHatchBrush(HS_CROSS, m_Colour[13]);
    objectSolid.CreateSolidBrush(m_Colour[13]);
    runPen.CreatePen(PS_SOLID, pass.Px(6), m_Colour[14]);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CPen* oldPen = dc->SelectObject(&pipePen);
    CBrush* oldBrush = dc->SelectObject(&pipeBrush);

    for (INT_PTR i = 0; i < a.m_Crossings.GetSize(); ++i)
    {
        const ObstructionDef& c = a.m_Crossings[i];
        const bool pipeline = c.nKind == 1;
        dc->SelectObject(pipeline ? &pipePen : &objectPen);
        dc->SelectObject(pipeline ? &pipeBrush : &objectBrush);
        std::vector<POINT> outline;
        if (pipeline)
        {
            for (int k = 0; k <= 20; ++k)
            {
                const double angle = M_PI / 2 + k * (M_PI / 20);
                outline.push_back(POINT{Column(c.Distance + c.Reach * std::sin(angle)),
                                        Row(c.SeabedDepth + c.Reach * std::cos(angle))});
            }
        }
        else
        {
            const double r = c.Reach, top = c.SeabedDepth - c.HeightWithClearance;
            outline = {POINT{Column(c.Distance - r), Row(c.SeabedDepth)}, POINT{Column(c.Distance - r), Row(top)},
                       POINT{Column(c.Distance + r), Row(top)}, POINT{Column(c.Distance + r), Row(c.SeabedDepth)},
                       POINT{Column(c.Distance - r), Row(c.SeabedDepth)}};
        }
        if (static_cast<size_t>(i) < pass.crossingLabels.size())
            DrawCrossingLabel(pass, c.Distance, pass.crossingLabels[static_cast<size_t>(i)]);
        dc->SetBkMode(TRANSPARENT);
        dc->Polygon(outline.data(), static_cast<int>(outline.size()));
        dc->Polyline(outline.data(), static_cast<int>(outline.size()));
        // The crossed object's marker stands on the seabed, never less than 6 pixels high.
        const int column = Column(c.Distance), row = Row(c.SeabedDepth);
        const int height = std::max(pass.Px(6), ToPixels(c.Height, m_VerticalScale));
        const int half = pass.Px(3);
        if (pipeline)
            dc->Ellipse(column - half, row - height, column + half, row);
        else
            dc->FillRect(CRect(column - half, row - height, column + half, row), &objectSolid);
    }

    dc->SelectObject(&runPen);
    for (INT_PTR i = 0; i < a.m_BoundaryCrossings.GetSize(); ++i)
    {
        const BoundaryCrossingDef& run = a.m_BoundaryCrossings[i];
        const INT_PTR first = a.m_SeabedProfile.GetSegmentAtRange(run.FirstRange);
        const INT_PTR second = a.m_SeabedProfile.GetSegmentAtRange(run.SecondRange);
        if (first > second)
            continue;
        for (INT_PTR k = first; k <= second && k < a.m_SeabedProfile.GetSize(); ++k)
        {
            const ProDataDef& p = a.m_SeabedProfile[k];
            const int x = Column(p.Range), y = Row(p.Depth) + pass.Px(3);
            if (k == first)
                dc->MoveTo(x, y);
            else
                dc->LineTo(x, y);
        }
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CZuduzuroView::DrawTrackPoints(PassDef& pass)
{
    CDC* dc = pass.dc;
    for (INT_PTR i = 0; i < m_pAnchor->m_TrackPoints.GetSize(); ++i)
    {
        const TrackPointDef& point = m_pAnchor->m_TrackPoints[i];
        CPen pen;
        pen.CreatePen(PS_SOLID, pass.Px(2), point.Colour);
        CPen* old = dc->SelectObject(&pen);
        const int x = Column(point.Range), y = Row(point.Depth);
        const int head = pass.Px(5), length = pass.Px(10);
        dc->MoveTo(x - head, y - head);
        dc->LineTo(x, y);
        dc->LineTo(x + head, y - head);
        dc->MoveTo(x, y - length);
        dc->LineTo(x, y);
        dc->SelectObject(old);
    }
}

void CZuduzuroView::DrawSymbols(PassDef& pass)
{
    CDC* dc = pass.dc;
    CAnchor& a = *m_pAnchor;
    // The cable, each segment in the colour of its end: on the seabed or hanging.
    const CProfile& cable = a.m_CableProfile;
    CPen hanging, lying, vertical;
    hanging.CreatePen(PS_SOLID, pass.Px(2), m_Colour[9]);
    lying.CreatePen(PS_SOLID, pass.Px(2), m_Colour[10]);
    vertical.CreatePen(PS_SOLID, pass.Px(2), m_Colour[11]);
    CPen* oldPen = dc->SelectObject(&hanging);
    // Each segment takes the pen of its end point; a run of one flag is one polyline, and points
    // on the pixel of the one before add nothing to it.
    std::vector<POINT> run;
    bool runFlag = false;
    auto flush = [&]() {
        if (run.size() > 1)
        {
            dc->SelectObject(runFlag ? &lying : &hanging);
            dc->Polyline(run.data(), static_cast<int>(run.size()));
        }
    };
    const auto addPoint = [&](INT_PTR i, double range, double depth, bool flag) {
        const POINT point{Column(range), Row(depth)};
        if (i > 0 && flag != runFlag)
        {
            flush();
            const POINT last = run.back();
            run.clear();
            run.push_back(last);
        }
        runFlag = i > 0 ? flag : runFlag;
        if (!run.empty() && run.back().x == point.x && run.back().y == point.y)
            return;
        run.push_back(point);
    };
    const ProDataDef* points = cable.GetData();
    const INT_PTR count = cable.GetSize();
    INT_PTR i = 0;
    for (; i < count && points[i].Range <= a.m_Range; ++i)
        addPoint(i, points[i].Range, points[i].Depth, points[i].Flag != 0);
    // The seabed points seldom fall on the anchor: the cable runs on to it, at its own depth
    // there, rather than stopping at the last point short of it.
    if (i > 0 && i < count && points[i - 1].Range < a.m_Range)
    {
        const double depth = a.CableDepthAt(a.m_Range);
        if (depth != DBL_MAX && std::isfinite(depth))
            addPoint(i, a.m_Range, depth, points[i].Flag != 0);
    }
    flush();

    // The symbols, drawn through their masks so the picture shows around them.
    CDC strip;
    strip.CreateCompatibleDC(dc);
    CBitmap bitmap;
    // A printer has no raster operations: the symbols go on paper from a keyed strip instead.
    const bool keyed = dc->IsPrinting() != FALSE;
    if (keyed)
        LoadKeyedSymbolStrip(bitmap, dc);
    else
        LoadSymbolStrip(bitmap, dc);
    CBitmap* oldBitmap = strip.SelectObject(&bitmap);
    const int size = 2 * pass.charHeight;
    auto symbol = [&](int cell, int left, int top) {
        if (keyed)
        {
            dc->TransparentBlt(left, top, size, size, &strip, cell, 0, 32, 32, kSymbolKey);
            return;
        }
        dc->StretchBlt(left, top, size, size, &strip, cell, 0, 32, 32, SRCINVERT);
        dc->StretchBlt(left, top, size, size, &strip, cell, 32, 32, 32, SRCAND);
        dc->StretchBlt(left, top, size, size, &strip, cell, 0, 32, 32, SRCINVERT);
    };
    dc->SelectObject(&vertical);
    for (int b = 0; b < a.m_BuoysInUse && b < CAnchor::kBuoys; ++b)
    {
        const BuoyDef& buoy = a.m_Buoys[b];
        const int x = Column(buoy.DistanceFromFairlead);
        dc->MoveTo(x, pass.waterLine);
        dc->LineTo(x, Row(buoy.PennantWireLength));
        symbol(buoy.bPennantAdjusted ? SYMBOL_FLAGGED_BUOY : SYMBOL_BUOY, x - size / 2, pass.waterLine - size);
    }
    const int anchorColumn = Column(a.m_Range);
    if (a.m_Status == ANCHOR_LIVE)
    {
        if (a.m_PennantMode != 1)
        {
            const double hangs = cable.GetSize() > 1 ? cable.GetDepthAtRange(a.m_Range) : 0.0;
            dc->MoveTo(anchorColumn, pass.waterLine);
            dc->LineTo(anchorColumn, Row(hangs == DBL_MAX ? 0.0 : hangs));
        }
        symbol(SYMBOL_LIVE_ANCHOR, anchorColumn, pass.waterLine - size);
    }
    else
    {
        // The anchor lies on the seabed drawn under it; its own depth stands in only where the
        // seabed drawn has none there.
        double depth = a.m_SeabedProfile.GetSize() > 1 ? a.m_SeabedProfile.GetDepthAtRange(a.m_Range) : DBL_MAX;
        if (depth == DBL_MAX || !std::isfinite(depth))
            depth = a.m_DepthAtAnchor;
        const int row = Row(depth == DBL_MAX ? 0.0 : depth);
        symbol(SYMBOL_ANCHOR, anchorColumn - size / 2, row);
        if (a.m_Display)
            symbol(SYMBOL_SECOND, anchorColumn - size / 2, row - size);
    }
    strip.SelectObject(oldBitmap);
    dc->SelectObject(oldPen);
}

void CZuduzuroView::DrawDimension(PassDef& pass, int x1, int x2, int y, double metres, COLORREF line, COLORREF text,
                                  COLORREF back)
{
    CDC* dc = pass.dc;
    CPen pen;
    pen.CreatePen(PS_SOLID, pass.Px(1), line);
    CBrush fill;
    fill.CreateSolidBrush(line);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&fill);
    dc->MoveTo(x1, y);
    dc->LineTo(x2, y);
    const int head = pass.charWidth, half = std::max(1, pass.charHeight / 4);
    const int direction = x2 >= x1 ? 1 : -1;
    const POINT left[3] = {{x1, y}, {x1 + direction * head, y - half}, {x1 + direction * head, y + half}};
    const POINT right[3] = {{x2, y}, {x2 - direction * head, y - half}, {x2 - direction * head, y + half}};
    dc->Polygon(left, 3);
    dc->Polygon(right, 3);
    const CString label = pass.Distance(metres);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(back);
    dc->SetTextColor(text);
    CRect box = pass.TextBox((x1 + x2) / 2, y - pass.charHeight / 2, label);
    box.OffsetRect(-box.Width() / 2, 0);
    pass.KeepAcrossInside(box, pass.client.left);
    dc->TextOut(box.left, box.top, label);
    pass.labels.push_back(box);
    dc->SetBkMode(TRANSPARENT);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CZuduzuroView::DrawDimensions(PassDef& pass)
{
    CAnchor& a = *m_pAnchor;
    const int left = m_PlotRect.left;
    // The last buoy out along the line.
    int lastBuoy = -1;
    for (int b = 0; b < a.m_BuoysInUse && b < CAnchor::kBuoys; ++b)
        if (a.m_Buoys[b].DistanceFromFairlead > 0.0)
            lastBuoy = b;
    const bool second = HasSecondDimensionLine();
    const int bottomRow = m_PlotRect.bottom + (second ? 3 : 2) * pass.charHeight;
    DrawDimension(pass, left, Column(a.m_Range), bottomRow, a.m_Range, m_Colour[1], m_Colour[0], m_Colour[5]);
    if (second)
    {
        const double buoy = a.m_Buoys[lastBuoy].DistanceFromFairlead;
        DrawDimension(pass, left, Column(buoy), bottomRow - pass.charHeight, buoy, m_Colour[1], m_Colour[0],
                      m_Colour[5]);
    }
    const int waterRow = pass.waterLine + pass.charHeight / 2;
    const COLORREF back = m_Colour[BackColourIndex(a.m_DisplayOption1)];
    if (a.m_BuoysInUse <= 0)
    {
        DrawDimension(pass, left, Column(a.m_Range), waterRow, a.m_Range, m_Colour[18], m_Colour[18], back);
        return;
    }
    // The buoy nearest the fairlead is the last in use; buoy 1 is nearest the anchor.
    const BuoyDef& nearest = a.m_Buoys[a.m_BuoysInUse - 1];
    const BuoyDef& first = a.m_Buoys[0];
    DrawDimension(pass, left, Column(nearest.DistanceFromFairlead), waterRow, nearest.DistanceFromFairlead,
                  m_Colour[18], m_Colour[18], back);
    DrawDimension(pass, Column(first.DistanceFromFairlead), Column(a.m_Range), waterRow,
                  a.m_Range - first.DistanceFromFairlead, m_Colour[18], m_Colour[18], back);
}

bool CZuduzuroView::UpdatePointer(CPoint point)
{
    // The plot's edges count as inside.
    if (point.x < m_PlotRect.left || point.x > m_PlotRect.right || point.y < m_PlotRect.top ||
        point.y > m_PlotRect.bottom || !(m_HorizontalScale > 0.0) || !(m_VerticalScale > 0.0))
        return false;
    m_Pointer.nKind = HIT_NONE;
    m_Pointer.nBuoy = -1;
    m_Pointer.Range = (point.x - m_PlotRect.left) / m_HorizontalScale;
    m_Pointer.Depth = (point.y - m_PlotRect.top) / m_VerticalScale;
    m_Pointer.Clearance = (m_PlotRect.bottom - point.y) / m_VerticalScale;
    m_Pointer.Point = point;
    if (m_pStatusBar)
    {
        CString text;
        text.Format("%.0lf", m_Pointer.Range);
        m_pStatusBar->SetPaneText(2, text);
        text.Format("%.1lf", m_Pointer.Depth);
        m_pStatusBar->SetPaneText(4, text);
        text.Format("%.1lf", m_Pointer.Clearance);
        m_pStatusBar->SetPaneText(6, text);
    }
    return true;
}

void CZuduzuroView::HitTest(CPoint point)
{
    if (!m_pAnchor || m_pAnchor->m_Status != ANCHOR_LIVE)
        return;
    const CAnchor& a = *m_pAnchor;
    const int x = Column(a.m_Range), water = m_PlotRect.top;
    PointerDef hit;
    if (std::abs(point.x - x) <= 8 && point.y <= water && point.y >= water - 16)
    {
        hit.nKind = HIT_SURFACE;
        hit.Range = a.m_Range;
    }
    else if (std::abs(point.x - x) <= 16 && point.y >= Row(a.m_DepthAtAnchor) && point.y <= Row(a.m_DepthAtAnchor) + 32)
    {
        hit.nKind = HIT_ANCHOR;
        hit.Range = a.m_Range;
    }
    else
    {
        for (int b = 0; b < a.m_BuoysInUse && b < CAnchor::kBuoys; ++b)
        {
            const int bx = Column(a.m_Buoys[b].DistanceFromFairlead);
            if (std::abs(point.x - bx) <= 8 && point.y <= water && point.y >= water - 16)
            {
                hit.nKind = HIT_BUOY;
                hit.nBuoy = b;
                hit.Range = a.m_Buoys[b].DistanceFromFairlead;
                break;
            }
        }
    }
    hit.Point = point;
    m_Pointer = hit;
}

void CZuduzuroView::PostToMain(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (CWnd* main = AfxGetMainCWnd())
        main->PostMessage(message, wParam, lParam);
}

void CZuduzuroView::OnMouseMove(UINT, CPoint point)
{
    if (UpdatePointer(point))
        PostToMain(UM_ZUDUZURO_MOUSE_DATA, 0, 0);
}

void CZuduzuroView::OnLButtonUp(UINT, CPoint point)
{
    if (UpdatePointer(point))
        PostToMain(UM_ZUDUZURO_MOUSE_DATA, 0, 0);
}

void CZuduzuroView::OnLButtonDown(UINT, CPoint point)
{
    HitTest(point);
    const PointerDef hit = m_Pointer;
    if (UpdatePointer(point))
    {
        m_Pointer.nKind = hit.nKind;
        m_Pointer.nBuoy = hit.nBuoy;
        PostToMain(UM_ZUDUZURO_MOUSE_DATA, 0, 0);
    }
}

void CZuduzuroView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar)
    {
    case VK_PRIOR:
    case 'I':
    case VK_NUMPAD9:
    case VK_ADD:
        PostToMain(UM_ZUDUZURO_ZOOM_DATA, 0, 1);
        break;
    case VK_NEXT:
    case 'O':
    case VK_DIVIDE:
    case VK_SUBTRACT:
        PostToMain(UM_ZUDUZURO_ZOOM_DATA, 0, static_cast<LPARAM>(-1));
        break;
    case VK_END:
        if (CWnd* main = AfxGetMainCWnd())
            main->ShowWindow(SW_RESTORE);
        break;
    case VK_HOME:
        if (CWnd* main = AfxGetMainCWnd())
            main->ShowWindow(SW_MAXIMIZE);
        break;
    case VK_UP:
        if (m_pAnchor)
        {
            m_pAnchor->m_Tension += 0.1;
            m_pAnchor->m_PositionCurrent = true;
            PostToMain(UM_UPDATE_ZUDUZURO_DATA, 0, 0);
        }
        break;
    case VK_DOWN:
        if (m_pAnchor && m_pAnchor->m_Tension > 1.0)
        {
            m_pAnchor->m_Tension -= 0.1;
            m_pAnchor->m_PositionCurrent = true;
            PostToMain(UM_UPDATE_ZUDUZURO_DATA, 0, 0);
        }
        break;
    case 'W':
    case VK_F8:
        AskWaterDepth();
        break;
    default:
        break;
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CZuduzuroView::AskWaterDepth()
{
    if (!m_pAnchor)
        return;
    const double before = m_pAnchor->m_WaterDepth;
    bool refused = false;
    const double depth = InputDouble("Vessel", "Water Depth", before, 5, this, &refused);
    if (refused || !(depth >= 0.0 && depth <= kMaximumWaterDepth))
    {
        AfxMessageBox("The water depth must be a number from 0 to 100000 m.", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (depth == before)
        return;
    m_pAnchor->m_WaterDepth = depth;
    PostToMain(UM_UPDATE_ZUDUZURO_DATA, 0, static_cast<LPARAM>(-1));
}

void CZuduzuroView::OnRButtonDown(UINT, CPoint point)
{
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_ZUDUZURO_PRINT, "Print");
    menu.AppendMenu(MF_STRING, ID_ZUDUZURO_BMP_FILE, "BMP File");
    CPoint screen = point;
    ClientToScreen(&screen);
    const UINT chosen = static_cast<UINT>(
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x, screen.y, this));
    if (chosen == ID_ZUDUZURO_PRINT)
        Print();
    else if (chosen == ID_ZUDUZURO_BMP_FILE)
        SaveBitmap();
}

void CZuduzuroView::PrintPicture(CDC* dc, const CRect& page)
{
    if (!m_pAnchor || !dc)
        return;
    const int mode = ReadTensionMode();
    CString heading;
    heading.Format(mode == 2 ? "Anchor %s Tension :%6.1lf %s" : "Anchor %s Tension :%6.2lf %s",
                   (LPCSTR)m_pAnchor->m_Name, ToTensionUnits(m_pAnchor->m_Tension, mode),
                   (LPCSTR)GetTensionUnitName(mode));
    const int saved = dc->SaveDC();
    CFont font;
    font.CreatePointFont(page.Width() < 400 ? 80 : (page.Width() < 768 ? 100 : 120), "Verdana", dc);
    dc->SelectObject(&font);
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(0x000000);
    dc->TextOut(page.left, page.top, heading);
    const CRect picture(page.left, page.top + 2 * metrics.tmHeight, page.right, page.bottom);
    dc->RestoreDC(saved);
    Render(dc, picture);
}

void CZuduzuroView::Print()
{
    if (!m_pAnchor)
        return;
    CReport report;
    report.m_OutputMode = CReport::OUTPUT_PRINTER;
    report.m_Title.Format("Anchor %s", (LPCSTR)m_pAnchor->m_Name);
    // A printer that cannot be opened is told to the user by the report writer.
    if (!report.Open())
        return;
    if (CDC* dc = report.GetPrinterDC())
    {
        const CRect page(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
        PrintPicture(dc, page);
    }
    report.Close();
}

bool CZuduzuroView::SaveBitmap()
{
    CFileDialog dialog(FALSE, "bmp", "Zuduzuro.bmp", OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                       "Bitmap Files (*.bmp)|*.bmp||", this);
    // A picture of the view is the user's data: the dialog starts in the data folder.
    CString folder;
    if (FindMyDataFolder(folder, nullptr))
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return false;
    const CString path = dialog.GetPathName();
    CRect client;
    GetClientRect(&client);
    const QImage image = RenderImage(std::max<int>(1, client.Width()), std::max<int>(1, client.Height()));
    // Written to a temporary file and put in place only when whole.
    QSaveFile file(LinuxPathFromWindows(path));
    const bool written = file.open(QIODevice::WriteOnly) && image.save(&file, "BMP") && file.commit();
    if (!written)
    {
        CString message;
        message.Format("The picture could not be written to %s.", (LPCSTR)path);
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
    }
    return written;
}
