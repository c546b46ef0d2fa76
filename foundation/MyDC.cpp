#include "foundation/MyDC.h"

#include "foundation/CalibrationSymbols.h"
#include "foundation/SelectedObjects.h"

#include <cmath>
#include <vector>

IMPLEMENT_DYNCREATE(CMyDC, CDC)

namespace
{
const double kDegreesToRadians = 0.017453292519943;
const COLORREF kBlack = 0x000000;
const COLORREF kWhite = 0xFFFFFF;
const int kLineWidth = 2;

} // namespace

CMyDC::CMyDC()
{
    largeFont.CreateFont(36, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                         CLIP_STROKE_PRECIS, 1, FF_SWISS, "Tahoma");
    smallFont.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                         CLIP_STROKE_PRECIS, 1, FF_SWISS, "Verdana");
    hollowBrush.CreateStockObject(NULL_BRUSH);
    blackBrush.CreateSolidBrush(kBlack);
    whiteBrush.CreateSolidBrush(kWhite);
    redBrush.CreateSolidBrush(0x0000FF);
    yellowBrush.CreateSolidBrush(0x00FFFF);
    paleYellowBrush.CreateSolidBrush(0xE7FFFF);
    blackPen.CreatePen(PS_SOLID, 1, kBlack);
    whitePen.CreatePen(PS_SOLID, 1, kWhite);
    redPen.CreatePen(PS_SOLID, 1, 0x0000FF);
    greyPen.CreatePen(PS_SOLID, 2, 0x555555);
    for (int degree = 0; degree <= 360; ++degree)
    {
        sinTable[degree] = std::sin(degree * kDegreesToRadians);
        cosTable[degree] = std::cos(degree * kDegreesToRadians);
    }
    // A whole turn is the same direction as none; the degree constant is short of π/180 in its
    // last digits, so the computed entry would miss 0 and 1 by a few units of 1e-14.
    sinTable[360] = sinTable[0];
    cosTable[360] = cosTable[0];
}

// The pens, brushes and fonts go with their members.
CMyDC::~CMyDC() = default;

BOOL CMyDC::PtVisible(int x, int y) const
{
    return CDC::PtVisible(x, y);
}

BOOL CMyDC::RectVisible(LPCRECT lpRect) const
{
    return CDC::RectVisible(lpRect);
}

BOOL CMyDC::TextOut(int x, int y, LPCSTR lpszString, int nCount)
{
    return CDC::TextOut(x, y, lpszString, nCount);
}

BOOL CMyDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                       const int* lpDxWidths)
{
    return CDC::ExtTextOut(x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

CSize CMyDC::TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions,
                           const int* lpnTabStopPositions, int nTabOrigin)
{
    return CDC::TabbedTextOut(x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
}

int CMyDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return CDC::DrawText(lpszString, nCount, lpRect, nFormat);
}

int CMyDC::DrawTextEx(LPSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams)
{
    return CDC::DrawTextEx(lpszString, nCount, lpRect, nFormat, lpDTParams);
}

BOOL CMyDC::GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x, int y,
                       int nWidth, int nHeight)
{
    return CDC::GrayString(pBrush, lpfnOutput, lpData, nCount, x, y, nWidth, nHeight);
}

int CMyDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return CDC::Escape(nEscape, nCount, lpszInData, lpOutData);
}

COLORREF CMyDC::DisplayColour(COLORREF colour) const
{
    if (monochrome)
        return kBlack;
    if (colour == backgroundColour)
        return kWhite - (colour & kWhite);
    return colour;
}

COLORREF CMyDC::GroundFor(COLORREF colour)
{
    return colour == kWhite ? kBlack : kWhite;
}

void CMyDC::Line(int x1, int y1, int x2, int y2)
{
    MoveTo(x1, y1);
    LineTo(x2, y2);
}

void CMyDC::Shape(const POINT* points, int count, COLORREF fill, COLORREF line, bool outline)
{
    CPen pen(PS_SOLID, kLineWidth, line);
    if (outline)
    {
        SelectedObjects selected(*this, &pen, &hollowBrush);
        std::vector<POINT> closed(points, points + count);
        closed.push_back(points[0]);
        Polyline(closed.data(), static_cast<int>(closed.size()));
        return;
    }
    CBrush brush(fill);
    SelectedObjects selected(*this, &pen, &brush);
    Polygon(points, count);
}

void CMyDC::Ellipse2(int x1, int y1, int x2, int y2, COLORREF line, CBrush* brush)
{
    CPen pen(PS_SOLID, kLineWidth, line);
    SelectedObjects selected(*this, &pen, brush);
    Ellipse(x1, y1, x2, y2);
}

void CMyDC::DrawPlus(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    const int h = size / 2;
    CPen pen(PS_SOLID, kLineWidth, colour);
    SelectedObjects selected(*this, &pen, nullptr);
    Line(x - h, y, x + h, y);
    Line(x, y - h, x, y + h);
}

void CMyDC::DrawSquare(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    colour2 = DisplayColour(colour2);
    const int h = size / 2;
    const POINT points[4] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}};
    Shape(points, 4, colour, outline ? colour : colour2, outline);
}

void CMyDC::DrawCircle(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    colour2 = DisplayColour(colour2);
    const int h = size / 2;
    if (outline)
    {
        Ellipse2(x - h, y - h, x + h, y + h, colour, &hollowBrush);
        return;
    }
    CBrush brush(colour);
    Ellipse2(x - h, y - h, x + h, y + h, colour2, &brush);
}

void CMyDC::DrawTriangle(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    colour2 = DisplayColour(colour2);
    const int h = size / 2;
    const POINT points[3] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}};
    Shape(points, 3, colour, outline ? colour : colour2, outline);
}

void CMyDC::DrawDiamond(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    colour2 = DisplayColour(colour2);
    const int h = size / 2;
    const POINT points[4] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}};
    Shape(points, 4, colour, outline ? colour : colour2, outline);
}

void CMyDC::DrawSplitDiamond(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    const int h = size / 2;
    const POINT top = {x, y - h}, right = {x + h, y}, bottom = {x, y + h}, left = {x - h, y};
    const POINT centre = {x, y};
    const POINT diamond[4] = {top, right, bottom, left};
    Shape(diamond, 4, GroundFor(colour), colour, outline);
    const POINT upperLeft[3] = {centre, left, top};
    const POINT lowerRight[3] = {centre, right, bottom};
    Shape(upperLeft, 3, colour, colour, outline);
    Shape(lowerRight, 3, colour, colour, outline);
}

void CMyDC::DrawRing(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    DrawPlus(colour, colour2, size, outline, x, y);
    const int q = size / 4;
    Ellipse2(x - q, y - q, x + q, y + q, colour, &hollowBrush);
}

void CMyDC::DrawBar(COLORREF colour, COLORREF colour2, int size, bool outline, int x, int y)
{
    colour = DisplayColour(colour);
    colour2 = DisplayColour(colour2);
    const int q = size / 4;
    const POINT bar[4] = {{x - q, y - size}, {x + q, y - size}, {x + q, y}, {x - q, y}};
    Shape(bar, 4, colour, outline ? colour : colour2, outline);
    CPen pen(PS_SOLID, kLineWidth, colour);
    SelectedObjects selected(*this, &pen, nullptr);
    Line(x, y, x, y + q);
}

void CMyDC::DrawVectorSymbol(int symbol, COLORREF colour, COLORREF colour2, int size, int x, int y)
{
    if (symbol < VECTOR_BLOCK || symbol > VECTOR_SYMBOL_COUNT)
        return;
    colour = DisplayColour(colour);
    colour2 = DisplayColour(colour2);
    if (calibrationSymbols && DrawCalibrationSymbol(*this, symbol, colour, colour2, size, x, y))
        return;
    const int h = size / 2;
    const int q = size / 4;
    CPen pen(PS_SOLID, kLineWidth, colour);
    SelectedObjects selected(*this, &pen, &hollowBrush);

    switch (symbol)
    {
    case VECTOR_BLOCK: {
        CBrush brush(colour);
        const CRect square(x - h, y - h, x - h + size, y - h + size);
        FillRect(&square, &brush);
        break;
    }
    case VECTOR_PLUS:
        DrawPlus(colour, colour2, size, false, x, y);
        break;
    case VECTOR_CROSS:
        Line(x - h, y - h, x + h, y + h);
        Line(x + h, y - h, x - h, y + h);
        break;
    case VECTOR_STAR:
        Line(x - h, y, x + h, y);
        Line(x, y - h, x, y + h);
        Line(x - h, y - h, x + h, y + h);
        Line(x + h, y - h, x - h, y + h);
        break;
    case VECTOR_FILLED_SQUARE:
    case VECTOR_SQUARE:
        DrawSquare(colour, colour2, size, symbol == VECTOR_SQUARE, x, y);
        break;
    case VECTOR_FILLED_CIRCLE:
    case VECTOR_CIRCLE:
        DrawCircle(colour, colour2, size, symbol == VECTOR_CIRCLE, x, y);
        break;
    case VECTOR_FILLED_TRIANGLE:
    case VECTOR_TRIANGLE:
        DrawTriangle(colour, colour2, size, symbol == VECTOR_TRIANGLE, x, y);
        break;
    case VECTOR_FILLED_DIAMOND:
    case VECTOR_DIAMOND:
        DrawDiamond(colour, colour2, size, symbol == VECTOR_DIAMOND, x, y);
        break;
    case VECTOR_VERTICAL_LINE:
        Line(x, y - h, x, y + h);
        break;
    case VECTOR_HORIZONTAL_LINE:
        Line(x - h, y, x + h, y);
        break;
    case VECTOR_QUARTERED_CIRCLE: {
        CBrush ground(GroundFor(colour));
        Ellipse2(x - h, y - h, x + h, y + h, colour, &ground);
        // A point of the circle at angle a is (x + h sin a, y + h cos a): the sectors about
        // 0° and 180° are the bottom and top quarters.
        for (int start : {315, 135})
        {
            POINT sector[11];
            sector[0] = {x, y};
            for (int i = 0; i < 10; ++i)
            {
                const int a = (start + 10 * i) % 360;
                sector[i + 1] = {x + static_cast<LONG>(h * sinTable[a]),
                                 y + static_cast<LONG>(h * cosTable[a])};
            }
            Shape(sector, 11, colour, colour, false);
        }
        break;
    }
    case VECTOR_SPLIT_DIAMOND:
        DrawSplitDiamond(colour, colour2, size, false, x, y);
        break;
    case VECTOR_PLUS_SQUARE: {
        DrawPlus(colour, colour2, size, false, x, y);
        const POINT square[4] = {{x - q, y - q}, {x + q, y - q}, {x + q, y + q}, {x - q, y + q}};
        Shape(square, 4, colour, colour, true);
        break;
    }
    case VECTOR_PLUS_RING:
        DrawRing(colour, colour2, size, false, x, y);
        break;
    case VECTOR_TICKED_LINE: {
        const int tall = 3 * size / 8;
        Line(x - h, y, x + h, y);
        Line(x - q, y - q, x - q, y + q);
        Line(x + q, y - q, x + q, y + q);
        Line(x, y - tall, x, y + tall);
        break;
    }
    case VECTOR_ANCHOR: {
        Line(x - h, y, x + h, y);    // stock
        Line(x, y - h, x, y + size); // shank
        const POINT arms[3] = {{x - h, y + h}, {x, y + size}, {x + h, y + h}};
        Polyline(arms, 3);
        break;
    }
    case VECTOR_CROSSED_SQUARE: {
        const POINT square[4] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}};
        Shape(square, 4, colour, colour, true);
        Line(x - h, y - h, x + h, y + h);
        Line(x + h, y - h, x - h, y + h);
        break;
    }
    case VECTOR_POST:
        DrawBar(colour, colour2, size, false, x, y);
        break;
    case VECTOR_RING_FRAME: {
        Ellipse2(x - h, y - h, x + h, y + h, colour, &hollowBrush);
        const POINT frame[4] = {{x, y - h}, {x - size, y - h}, {x - size, y + h}, {x, y + h}};
        Polyline(frame, 4);
        break;
    }
    case VECTOR_ARROW: {
        const POINT tip = {x, y - 2 * size / 3};
        Line(x, y, tip.x, tip.y);
        Line(x - h, y - size / 3, tip.x, tip.y);
        Line(x + h, y - size / 3, tip.x, tip.y);
        CPen second(PS_SOLID, kLineWidth, colour2);
        SelectedObjects secondPen(*this, &second, nullptr);
        Line(x - size / 12, y - size, tip.x, tip.y);
        break;
    }
    case VECTOR_GATE: {
        // Each post is h high and stands on y; the three rails run between their inner
        // edges at the top, the middle and the foot.
        const POINT left[4] = {{x - h, y - h}, {x - q, y - h}, {x - q, y}, {x - h, y}};
        const POINT right[4] = {{x + q, y - h}, {x + h, y - h}, {x + h, y}, {x + q, y}};
        Shape(left, 4, colour, colour2, false);
        Shape(right, 4, colour, colour2, false);
        for (int rail : {y - h, y - h / 2, y})
            Line(x - q, rail, x + q, rail);
        break;
    }
    default:
        break;
    }
}

CRect CMyDC::LabelBox(int width, int height, int offset, int position, int x, int y)
{
    const int w = width, t = height, d = offset;
    switch (position)
    {
    case LABEL_POS_NONE:
        return CRect();
    case LABEL_POS_TOP:
        return CRect(x - w / 2 - 5, y - t - d - 1, x + w / 2 + 5, y - d + 1);
    case LABEL_POS_BOTTOM:
        return CRect(x - w / 2 - 5, y + d - 1, x + w / 2 + 5, y + d + 1 + t);
    case LABEL_POS_LEFT:
        return CRect(x - w - d - 1, y - t / 2 - 1, x - d - 1, y + t / 2 + 1);
    case LABEL_POS_RIGHT:
        return CRect(x + d + 1, y - t / 2 - 1, x + d + 1 + w, y + t / 2 + 1);
    default:
        return CRect(x - (w / 2 + 5), y - (t / 2 + 1), x + (w / 2 + 5), y + (t / 2 + 1));
    }
}

void CMyDC::DrawLabel(const char* text, int offset, int position, int x, int y)
{
    if (position == LABEL_POS_NONE || !text)
        return;
    CString label(text);
    label.Replace("&", " and ");
    while (label.Replace("  ", " ") > 0)
    {
    }
    // An empty box marks nothing and hides what lies under it.
    if (label.IsEmpty())
        return;

    CFont font;
    CFont* oldFont = nullptr;
    if (font.CreatePointFont(80, "Tahoma", this))
        oldFont = SelectObject(&font);

    // Measured as drawn, so that a label of several lines gets a box that holds them all.
    const UINT format = DT_CENTER | DT_NOPREFIX | DT_NOCLIP;
    CRect measured(0, 0, 0, 0);
    DrawText(label, &measured, format | DT_CALCRECT);
    const int w = measured.Width(), t = measured.Height();

    const CRect box = LabelBox(w, t, offset, position, x, y);
    if (!monochrome)
    {
        CRect inside(box);
        inside.DeflateRect(1, 1);
        FillRect(&inside, &paleYellowBrush);
    }
    FrameRect(&box, &blackBrush);

    const COLORREF oldColour = SetTextColor(kBlack);
    const int oldMode = SetBkMode(TRANSPARENT);
    CRect textRect(box.left, box.top + (box.Height() - t) / 2, box.right, 0);
    textRect.bottom = textRect.top + t;
    DrawText(label, &textRect, format);
    SetBkMode(oldMode);
    SetTextColor(oldColour);
    if (oldFont)
        SelectObject(oldFont);
}

double CMyDC::GetDevicePixelsPerMetre()
{
    if (devicePixelsPerMetre > 0.0)
        return devicePixelsPerMetre;
    const int millimetres = GetDeviceCaps(HORZSIZE);
    if (millimetres <= 0)
        return 0.0;
    devicePixelsPerMetre = GetDeviceCaps(HORZRES) * 1000.0 / millimetres;
    return devicePixelsPerMetre;
}

void CMyDC::DrawPolygonStyled(const POINT* points, int count, int penStyleAndWidth, COLORREF colour, int fill)
{
    if (!points || count <= 0)
        return;
    const COLORREF shown = DisplayColour(colour);
    CPen pen(penStyleAndWidth & 0xFFFF, (penStyleAndWidth >> 16) & 0xFFFF, shown);
    CBrush brush;
    if (fill == -1)
        brush.CreateSolidBrush(shown);
    else if (fill != -2)
        brush.CreateHatchBrush(fill, shown);
    SelectedObjects selected(*this, &pen, fill == -2 ? &hollowBrush : &brush);
    if (fill != -1)
        Polyline(points, count);
    const int oldMode = SetPolyFillMode(WINDING);
    Polygon(points, count);
    SetPolyFillMode(oldMode);
}

void CMyDC::DrawNorthArrow(double sinRot, double cosRot, int x, int y)
{
    // Offsets are y up; turned as grid offsets are on the chart, so the arrow points to grid
    // north however the display is turned.
    auto at = [&](double ox, double oy) {
        const double rx = cosRot * ox - sinRot * oy;
        const double ry = cosRot * oy + sinRot * ox;
        return POINT{x + static_cast<LONG>(rx), y - static_cast<LONG>(ry)};
    };
    CPen* pen = monochrome ? &blackPen : &whitePen;
    const POINT left[3] = {at(0, 0), at(0, 25), at(-12, -12)};
    const POINT right[3] = {at(0, 0), at(0, 25), at(12, -12)};
    {
        SelectedObjects selected(*this, pen, &hollowBrush);
        Polygon(left, 3);
    }
    {
        SelectedObjects selected(*this, pen, &whiteBrush);
        Polygon(right, 3);
    }
    SelectedObjects selected(*this, pen, nullptr);
    const POINT shaft[2] = {at(0, 0), at(0, -50)};
    const POINT bar[2] = {at(-12, -25), at(12, -25)};
    Polyline(shaft, 2);
    Polyline(bar, 2);
}
