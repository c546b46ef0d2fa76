#include "featureui/views/OutlineView.h"

#include "features/Dxf.h"
#include "features/Outline.h"
#include "features/SymbolDef.h"
#include "foundation/MyDC.h"
#include "foundation/SelectedObjects.h"
#include "foundation/WindowMessages.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

IMPLEMENT_DYNCREATE(COutlineView, CView)

BEGIN_MESSAGE_MAP(COutlineView, CView)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEACTIVATE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
constexpr COLORREF kDayGrid = 0x00FF00;
constexpr COLORREF kNightGrid = 0x004000;
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr double kTwoPi = 2.0 * M_PI;
constexpr int kBasePens = 8;
// A fill code of a pen record: no fill, or a solid one; smaller codes are hatch styles.
constexpr uint16_t kHollowFill = 0xFFFE;
constexpr uint16_t kSolidFill = 0xFFFF;
// Beyond this many grid steps across the plot every pixel would be a grid point: the grid
// marks are left out rather than spending minutes setting each pixel again.
constexpr double kMostGridSteps = 10000.0;
// The corners of a SOLID in the order that goes round it: the file gives the third and fourth
// the other way round.
constexpr int kSolidCornerOrder[4] = {0, 1, 3, 2};
// Chords enough for any arc on a screen; a radius of a size no drawing means would otherwise
// ask for billions.
constexpr double kMostChords = 100000.0;

double GridStepOf(double extent)
{
    if (extent < 100.0)
        return 10.0;
    if (extent < 250.0)
        return 25.0;
    if (extent < 500.0)
        return 50.0;
    if (extent < 1000.0)
        return 100.0;
    if (extent < 2500.0)
        return 250.0;
    if (extent < 5000.0)
        return 500.0;
    if (extent < 10000.0)
        return 1000.0;
    return 5000.0;
}

// The brush of a pen record's fill code, in `colour`.
void MakeFillBrush(CBrush& brush, const tagPen& pen, COLORREF colour)
{
    const auto fill = static_cast<uint16_t>(pen.nFill);
    if (fill == kHollowFill)
        brush.CreateStockObject(HOLLOW_BRUSH);
    else if (fill == kSolidFill)
        brush.CreateSolidBrush(colour);
    else
        brush.CreateHatchBrush(fill, colour);
}

// The pen of an entity's colour among the drawing's pens (8 base colours, then the 256 colours
// of its palette): by block or by layer the layer's palette colour, a colour number of its own
// that colour (1..7 from the base colours), anything else the eighth base colour.
int EntityPen(const CDxfEntity& entity)
{
    int number = entity.m_Colour;
    if ((number == 0 || number == 256) && entity.m_pLayer != nullptr)
    {
        // A layer that is off keeps its colour with the sign turned.
        number = std::abs(entity.m_pLayer->m_Colour);
        return number <= 255 ? kBasePens + number : kBasePens - 1;
    }
    if (number >= 1 && number < kBasePens)
        return number;
    if (number >= kBasePens && number <= 255)
        return kBasePens + number;
    return kBasePens - 1;
}
} // namespace

COutlineView::COutlineView()
{
    m_GridPen.CreatePen(PS_SOLID, 1, m_GridColour);
}

COutlineView::~COutlineView()
{
    m_GridPen.DeleteObject();
}

BOOL COutlineView::Create(CWnd* pParent)
{
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS);
    if (!CView::Create(windowClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), pParent, 0))
        return FALSE;
    m_pOwner = pParent;
    return TRUE;
}

void COutlineView::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    m_BackgroundColour = 0x000000;
    m_GridColour = bNight ? kNightGrid : kDayGrid;
    m_GridPen.DeleteObject();
    m_GridPen.CreatePen(PS_SOLID, 1, m_GridColour);
}

void COutlineView::ComputeScaling(const CRect& rect, double dMinX, double dMinY, double dMaxX, double dMaxY)
{
    m_PlotRect = rect;
    const double s = GridStepOf(std::max(dMaxX - dMinX, dMaxY - dMinY));
    m_GridStep = s;
    const double x0 = std::floor(dMinX / s) * s;
    const double x1 = std::ceil(dMaxX / s) * s;
    const double y0 = std::floor(dMinY / s) * s;
    const double y1 = std::ceil(dMaxY / s) * s;
    double width = std::trunc(x1 - std::trunc(std::floor(dMinX / s)) * s);
    double height = std::trunc(y1 - std::trunc(std::floor(dMinY / s)) * s);
    // A plan that rounds to a point (a single point on a grid step) still needs a scale to
    // convert with: it gets one grid step each way.
    if (width <= 0.0 && height <= 0.0)
        width = height = s;
    const double pixelsX = std::max(1, rect.right - rect.left);
    const double pixelsY = std::max(1, rect.bottom - rect.top);
    m_Scale = std::max(width / pixelsX, height / pixelsY);
    m_CentrePixelX = (rect.left + rect.right) / 2;
    m_CentrePixelY = (rect.top + rect.bottom) / 2;
    m_CentreX = (x0 + x1) / 2.0;
    m_CentreY = (y0 + y1) / 2.0;
}

POINT COutlineView::CoordToPixel(double x, double y) const
{
    POINT point;
    point.x = static_cast<LONG>(std::trunc((x - m_CentreX) / m_Scale)) + m_CentrePixelX;
    point.y = m_CentrePixelY - static_cast<LONG>(std::trunc((y - m_CentreY) / m_Scale));
    return point;
}

tagXY COutlineView::PixelToCoord(long px, long py) const
{
    return tagXY{(px - m_CentrePixelX) * m_Scale + m_CentreX, (m_CentrePixelY - py) * m_Scale + m_CentreY};
}

void COutlineView::DrawGrid(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    SelectedObjects selected(*pDC, &m_GridPen, nullptr);
    const CRect& r = m_PlotRect;
    const POINT origin = CoordToPixel(0.0, 0.0);
    pDC->MoveTo(origin.x, r.bottom);
    pDC->LineTo(origin.x, r.top);
    pDC->MoveTo(r.left, origin.y);
    pDC->LineTo(r.right, origin.y);

    const double s = m_GridStep;
    const double firstX = std::ceil((r.left - m_CentrePixelX) * m_Scale / s) * s + m_CentreX;
    const double lastX = std::floor((r.right - m_CentrePixelX) * m_Scale / s) * s + m_CentreX;
    const double firstY = std::ceil((m_CentrePixelY - r.bottom) * m_Scale / s) * s + m_CentreY;
    const double lastY = std::floor((m_CentrePixelY - r.top) * m_Scale / s) * s + m_CentreY;
    if ((lastX - firstX) / s > kMostGridSteps || (lastY - firstY) / s > kMostGridSteps)
        return;
    // Counted in steps, so that adding the step never fails to move on a large coordinate.
    const int stepsX = static_cast<int>(std::floor((lastX - firstX) / s + 0.5));
    const int stepsY = static_cast<int>(std::floor((lastY - firstY) / s + 0.5));
    for (int i = 0; i <= stepsX; ++i)
    {
        const int px = CoordToPixel(firstX + i * s, 0.0).x;
        pDC->MoveTo(px, origin.y - 5);
        pDC->LineTo(px, origin.y + 5);
    }
    for (int j = 0; j <= stepsY; ++j)
    {
        const int py = CoordToPixel(0.0, firstY + j * s).y;
        pDC->MoveTo(origin.x - 5, py);
        pDC->LineTo(origin.x + 5, py);
    }
    for (int i = 0; i <= stepsX; ++i)
        for (int j = 0; j <= stepsY; ++j)
        {
            const POINT p = CoordToPixel(firstX + i * s, firstY + j * s);
            pDC->SetPixel(p.x, p.y, m_GridColour);
        }
}

void COutlineView::DrawLine(CDC* pDC, double x1, double y1, double x2, double y2)
{
    const POINT a = CoordToPixel(x1, y1);
    const POINT b = CoordToPixel(x2, y2);
    pDC->MoveTo(a.x, a.y);
    pDC->LineTo(b.x, b.y);
}

void COutlineView::DrawArc(CDC* pDC, double cx, double cy, double radius, double angle1, double angle2,
                           CLOCK_DIRECTION direction)
{
    if (pDC == nullptr || !(radius > 0.0))
        return;
    double start = direction == CLOCKWISE ? angle1 : angle2;
    double end = direction == CLOCKWISE ? angle2 : angle1;
    if (start > end)
        end += kTwoPi;
    // The largest step whose chord stays within a pixel (one scale step) of the circle.
    double step = 0.0;
    const double d = (radius - m_Scale) / radius;
    if (d >= -1.0 && d <= 1.0)
    {
        const double n = std::min(std::ceil((end - start) / (2.0 * std::acos(d))), kMostChords);
        step = n > 0.0 ? (end - start) / n : 0.0;
    }
    auto pixelAt = [&](double a) {
        return CoordToPixel(cx + radius * std::sin(a), cy + radius * std::cos(a));
    };
    const POINT first = pixelAt(start);
    pDC->MoveTo(first.x, first.y);
    if (end - start > step && step > 0.0)
        for (double a = start + step; a < end; a += step)
        {
            const POINT p = pixelAt(a);
            pDC->LineTo(p.x, p.y);
        }
    const POINT last = pixelAt(end);
    pDC->LineTo(last.x, last.y);
}

void COutlineView::DrawPolygon(CDC* pDC, const tagXY* pPoints, int nCount, const tagPen* pPen)
{
    if (pDC == nullptr || pPoints == nullptr || nCount <= 0 || pPen == nullptr)
        return;
    std::vector<POINT> pixels(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i)
        pixels[static_cast<size_t>(i)] = CoordToPixel(pPoints[i].x, pPoints[i].y);
    CPen pen(PS_SOLID, pPen->nThickness, pPen->Colour);
    CBrush brush;
    MakeFillBrush(brush, *pPen, pPen->Colour);
    SelectedObjects selected(*pDC, &pen, &brush);
    const int oldMode = pDC->SetPolyFillMode(WINDING);
    pDC->Polygon(pixels.data(), nCount);
    pDC->SetPolyFillMode(oldMode);
}

void COutlineView::DrawOutline(CDC* pDC, const COutline* pOutline, bool bAlternative)
{
    if (pDC == nullptr || pOutline == nullptr || pOutline->IsEmpty())
        return;
    const tagPen& style = bAlternative ? pOutline->m_AlternativePen : pOutline->m_Pen;
    CPen pen(PS_SOLID, style.nThickness, style.Colour);
    CBrush brush;
    MakeFillBrush(brush, style, style.Colour);
    SelectedObjects selected(*pDC, &pen, &brush);
    for (INT_PTR i = 0; i < pOutline->GetSize(); ++i)
    {
        const OutlinePointDef& point = pOutline->GetAt(i);
        const POINT p = CoordToPixel(point.x, point.y);
        if (point.PenDown != 0)
            pDC->LineTo(p.x, p.y);
        else
            pDC->MoveTo(p.x, p.y);
    }
}

void COutlineView::DrawVectorSymbol(CMyDC* pDC, tagXYZ position, const char* lpszLabel,
                                    const SymbolDef* pSymbol, LABEL_POSITION labelPosition)
{
    if (pDC == nullptr || pSymbol == nullptr)
        return;
    const POINT p = CoordToPixel(position.x, position.y);
    const int size = pSymbol->Size * 4 + 4;
    pDC->DrawVectorSymbol(pSymbol->Symbol, pSymbol->Colour, pSymbol->Colour, size, p.x, p.y);
    pDC->DrawLabel(lpszLabel != nullptr ? lpszLabel : "", size / 2 + 5, labelPosition, p.x, p.y);
}

COLORREF COutlineView::VisibleColour(COLORREF colour) const
{
    return colour == m_BackgroundColour ? 0xFFFFFF - colour : colour;
}

void COutlineView::DrawDxf(CMyDC* pDC, CDxf* pDxf)
{
    if (pDC == nullptr || pDxf == nullptr || !pDxf->m_bUse)
        return;
    // Made once for the drawing, not for each entity.
    std::unique_ptr<CPen[]> pens(new CPen[DXF_PENS]);
    for (int i = 0; i < DXF_PENS; ++i)
        pens[i].CreatePen(
            PS_SOLID, 1,
            VisibleColour(i < kBasePens ? pDxf->m_FirstColours[i] : pDxf->m_ColourTable[i - kBasePens]));
    for (POSITION block = pDxf->m_Blocks.GetHeadPosition(); block != nullptr;)
        if (const CDxfBlock* pBlock = pDxf->m_Blocks.GetNext(block))
            for (POSITION pos = pBlock->m_Entities.GetHeadPosition(); pos != nullptr;)
                DrawEntity(pDC, pDxf, pBlock->m_Entities.GetNext(pos), pens.get());
    for (POSITION pos = pDxf->m_Entities.GetHeadPosition(); pos != nullptr;)
        DrawEntity(pDC, pDxf, pDxf->m_Entities.GetNext(pos), pens.get());
}

tagXY COutlineView::PlacePoint(const CDxf& dxf, double x, double y) const
{
    const double k = dxf.m_Scale;
    if (k != 1.0 && k != 0.0)
    {
        x *= k;
        y *= k;
    }
    if (dxf.m_Rotation == 0.0)
        return tagXY{dxf.m_OffsetX + x, dxf.m_OffsetY + y};
    return tagXY{dxf.m_OffsetX + x * dxf.m_CosRotation + y * dxf.m_SinRotation,
                 dxf.m_OffsetY - x * dxf.m_SinRotation + y * dxf.m_CosRotation};
}

void COutlineView::DrawEntity(CDC* pDC, const CDxf* pDxf, const CDxfEntity* pEntity, CPen* pPens)
{
    if (pDC == nullptr || pDxf == nullptr || pEntity == nullptr || pPens == nullptr)
        return;
    const CDxf& dxf = *pDxf;
    const int pen = EntityPen(*pEntity);
    SelectedObjects selected(*pDC, &pPens[pen], nullptr);
    auto line = [&](const tagXY& a, const tagXY& b) { DrawLine(pDC, a.x, a.y, b.x, b.y); };
    switch (pEntity->m_Kind)
    {
    case DXF_LINE: {
        const auto& entity = static_cast<const CDxfLine&>(*pEntity);
        line(PlacePoint(dxf, entity.m_Start.x, entity.m_Start.y),
             PlacePoint(dxf, entity.m_End.x, entity.m_End.y));
        break;
    }
    case DXF_CIRCLE: {
        const auto& entity = static_cast<const CDxfCircle&>(*pEntity);
        const tagXY c = PlacePoint(dxf, entity.m_Centre.x, entity.m_Centre.y);
        DrawArc(pDC, c.x, c.y, dxf.m_Scale * entity.m_Radius, 0.0, kTwoPi, CLOCKWISE);
        break;
    }
    case DXF_ARC: {
        const auto& entity = static_cast<const CDxfArc&>(*pEntity);
        const tagXY c = PlacePoint(dxf, entity.m_Centre.x, entity.m_Centre.y);
        auto bearing = [&dxf](double degrees) {
            double b = degrees * kDegreesToRadians + dxf.m_Rotation * kDegreesToRadians;
            if (b > kTwoPi)
                b -= kTwoPi;
            return b;
        };
        // The drawing's arc runs anticlockwise from its start, so clockwise from its end.
        DrawArc(pDC, c.x, c.y, dxf.m_Scale * entity.m_Radius, bearing(entity.m_StartBearing),
                bearing(entity.m_EndBearing), ANTICLOCKWISE);
        break;
    }
    case DXF_POLYLINE:
    case DXF_LWPOLYLINE: {
        const auto& entity = static_cast<const CDxfPolyline&>(*pEntity);
        const INT_PTR n = entity.m_Vertices.GetSize();
        for (INT_PTR i = 1; i < n; ++i)
            line(PlacePoint(dxf, entity.m_Vertices[i - 1].x, entity.m_Vertices[i - 1].y),
                 PlacePoint(dxf, entity.m_Vertices[i].x, entity.m_Vertices[i].y));
        if (entity.IsClosed() && n > 1)
            line(PlacePoint(dxf, entity.m_Vertices[n - 1].x, entity.m_Vertices[n - 1].y),
                 PlacePoint(dxf, entity.m_Vertices[0].x, entity.m_Vertices[0].y));
        break;
    }
    case DXF_SOLID: {
        const auto& entity = static_cast<const CDxfSolid&>(*pEntity);
        tagXY corners[5];
        for (int i = 0; i < 4; ++i)
        {
            const DxfPointDef& p = entity.m_Corners[kSolidCornerOrder[i]];
            corners[i] = PlacePoint(dxf, p.x, p.y);
        }
        corners[4] = corners[0];
        const COLORREF colour =
            VisibleColour(pen < kBasePens ? dxf.m_FirstColours[pen] : dxf.m_ColourTable[pen - kBasePens]);
        const tagPen style{PS_SOLID, 1, colour, static_cast<int16_t>(kSolidFill)};
        DrawPolygon(pDC, corners, 5, &style);
        break;
    }
    default:
        break;
    }
}

void COutlineView::OnDraw(CDC*) {}

void COutlineView::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_ClickedCoordinate = PixelToCoord(point.x, point.y);
    if (m_pOwner != nullptr)
        m_pOwner->PostMessage(UM_CLICK_ON_VESSEL_OUTLINE, reinterpret_cast<WPARAM>(&m_ClickedCoordinate), 0);
    CView::OnLButtonDown(nFlags, point);
}

// A click in the view leaves the frame's active view as it was.
int COutlineView::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_ACTIVATE;
}

BOOL COutlineView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
