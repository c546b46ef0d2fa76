#include "foundation/CalibrationSymbols.h"

#include "foundation/SymbolTypes.h"

namespace
{
// A solid 1-pixel pen and the brush of a shape selected for one drawing, with a transparent
// background; everything comes back, and what was made here goes, when it ends.
class ShapeTools
{
public:
    // Outline only: a pen of the fill colour and the hollow brush. Filled: a pen of the outline
    // colour and `brush`, or a solid brush of the fill colour made here when `brush` is null
    // (the selected brush stays when none can be made).
    ShapeTools(CMyDC& dc, COLORREF fill, COLORREF outline, bool outlineOnly, CBrush* brush = nullptr)
        : m_Dc(dc)
    {
        m_Mode = dc.SetBkMode(TRANSPARENT);
        m_Pen.CreatePen(PS_SOLID, 1, outlineOnly ? fill : outline);
        m_OldPen = dc.SelectObject(&m_Pen);
        if (outlineOnly)
            brush = &dc.hollowBrush;
        else if (!brush && m_Brush.CreateSolidBrush(fill))
            brush = &m_Brush;
        m_OldBrush = brush ? dc.SelectObject(brush) : nullptr;
    }
    ~ShapeTools()
    {
        if (m_OldBrush)
            m_Dc.SelectObject(m_OldBrush);
        if (m_OldPen)
            m_Dc.SelectObject(m_OldPen);
        m_Dc.SetBkMode(m_Mode);
    }
    ShapeTools(const ShapeTools&) = delete;
    ShapeTools& operator=(const ShapeTools&) = delete;

private:
    CMyDC& m_Dc;
    CPen m_Pen;
    CBrush m_Brush;
    CPen* m_OldPen = nullptr;
    CBrush* m_OldBrush = nullptr;
    int m_Mode = TRANSPARENT;
};

// Closed point lists: a polygon when filled, a polyline through the same points when not.
void DrawClosed(CMyDC& dc, const POINT* points, int count, COLORREF fill, COLORREF outline, bool outlineOnly)
{
    ShapeTools tools(dc, fill, outline, outlineOnly);
    if (outlineOnly)
        dc.Polyline(points, count);
    else
        dc.Polygon(points, count);
}
} // namespace

void DrawCalibrationSquare(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                           int y)
{
    const int h = size / 2;
    const POINT points[5] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}, {x - h, y - h}};
    DrawClosed(dc, points, 5, fill, outline, outlineOnly);
}

void DrawCalibrationCircle(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                           int y)
{
    const int h = size / 2;
    CBrush* own = nullptr;
    if (fill == 0x000000)
        own = &dc.blackBrush;
    else if (fill == 0xFFFFFF)
        own = &dc.whiteBrush;
    ShapeTools tools(dc, fill, outline, outlineOnly, own);
    dc.Ellipse(x - h, y - h, x + h, y + h);
}

void DrawCalibrationTriangle(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                             int y)
{
    const int h = size / 2;
    const POINT points[4] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}, {x, y - h}};
    DrawClosed(dc, points, 4, fill, outline, outlineOnly);
}

void DrawCalibrationDiamond(CMyDC& dc, COLORREF fill, COLORREF outline, int size, bool outlineOnly, int x,
                            int y)
{
    const int h = size / 2;
    const POINT points[5] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}, {x, y - h}};
    DrawClosed(dc, points, 5, fill, outline, outlineOnly);
}

bool DrawCalibrationSymbol(CMyDC& dc, int symbol, COLORREF colour, COLORREF colour2, int size, int x, int y)
{
    using Shape = void (*)(CMyDC&, COLORREF, COLORREF, int, bool, int, int);
    Shape shape = nullptr;
    switch (symbol)
    {
    case VECTOR_FILLED_SQUARE:
    case VECTOR_SQUARE:
        shape = DrawCalibrationSquare;
        break;
    case VECTOR_FILLED_CIRCLE:
    case VECTOR_CIRCLE:
        shape = DrawCalibrationCircle;
        break;
    case VECTOR_FILLED_TRIANGLE:
    case VECTOR_TRIANGLE:
        shape = DrawCalibrationTriangle;
        break;
    case VECTOR_FILLED_DIAMOND:
    case VECTOR_DIAMOND:
        shape = DrawCalibrationDiamond;
        break;
    default:
        return false;
    }
    // The outline-only symbols are the even numbers.
    shape(dc, colour, colour2, size, symbol % 2 == 0, x, y);
    return true;
}
