// The drawers that the chart adds to CMyDC: arrow heads, oriented triangles, outlines, masked
// bitmap symbols and texts.
#include "foundation/MyDC.h"

#include "foundation/SelectedObjects.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace
{
const COLORREF kWhite = 0xFFFFFF;

// An offset (y up) turned clockwise by `angle` about (x, y), in screen pixels.
POINT Turned(double px, double py, double sinA, double cosA, int x, int y)
{
    return POINT{x + static_cast<LONG>(px * cosA + py * sinA), y - static_cast<LONG>(py * cosA - px * sinA)};
}
} // namespace

int CMyDC::PenStyleAndWidth(const tagPen& pen)
{
    return (pen.nStyle & 0xFFFF) | ((pen.nThickness & 0xFFFF) << 16);
}

void CMyDC::DrawSymbol(int type, int x, int y, COLORREF colour)
{
    DrawVectorSymbol(type, colour, 2, 32, x, y);
}

void CMyDC::DrawArrowHead(int x, int y, COLORREF colour, double sinRot, double cosRot, double bearing)
{
    const double sinB = std::sin(bearing), cosB = std::cos(bearing);
    const double backE = -24.0 * sinB, backN = -24.0 * cosB;
    const double offsets[3][2] = {
        {0.0, 0.0}, {backE + 8.0 * cosB, backN - 8.0 * sinB}, {backE - 8.0 * cosB, backN + 8.0 * sinB}};
    POINT head[3];
    for (int i = 0; i < 3; ++i)
    {
        const double ox = offsets[i][0], oy = offsets[i][1];
        const double rx = cosRot * ox - sinRot * oy;
        const double ry = sinRot * ox + cosRot * oy;
        head[i] = POINT{x + static_cast<LONG>(rx), y - static_cast<LONG>(ry)};
    }
    const COLORREF shown = DisplayColour(colour);
    CPen pen(PS_SOLID, 1, shown);
    CBrush brush(shown);
    SelectedObjects selected(*this, &pen, &brush);
    Polygon(head, 3);
}

void CMyDC::TurnBox(POINT box[4], double angle, int x, int y)
{
    if (angle == 0.0)
    {
        for (int i = 0; i < 4; ++i)
            box[i] = POINT{x + box[i].x, y - box[i].y};
        return;
    }
    const double sinA = std::sin(angle), cosA = std::cos(angle);
    for (int i = 0; i < 4; ++i)
        box[i] = Turned(box[i].x, box[i].y, sinA, cosA, x, y);
}

void CMyDC::DrawOrientedTriangle(int penStyleAndWidth, int fill, COLORREF colour, int x, int y, double angle)
{
    const double sinA = std::sin(angle), cosA = std::cos(angle);
    const POINT triangle[3] = {Turned(0, 16, sinA, cosA, x, y), Turned(8, -16, sinA, cosA, x, y),
                               Turned(-8, -16, sinA, cosA, x, y)};
    DrawPolygonStyled(triangle, 3, penStyleAndWidth, colour, fill);
    CPen* outline = (monochrome || backgroundColour == kWhite) ? &blackPen : &whitePen;
    SelectedObjects selected(*this, outline, &hollowBrush);
    Polygon(triangle, 3);
}

void CMyDC::DrawOutline(const OutlinePointDef* points, int count, const tagPen& style, int x, int y,
                        double pixelsPerMetre, double heading)
{
    if (!points || count <= 0)
        return;
    const double sinH = std::sin(heading), cosH = std::cos(heading);
    std::vector<POINT> screen(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
    {
        const double px = static_cast<int>(points[i].x * pixelsPerMetre);
        const double py = static_cast<int>(points[i].y * pixelsPerMetre);
        screen[i] = Turned(px, py, sinH, cosH, x, y);
    }
    const COLORREF shown = DisplayColour(style.Colour);
    CPen pen(style.nStyle, style.nThickness, shown);
    if (style.nFill == -2)
    {
        SelectedObjects selected(*this, &pen, nullptr);
        for (int i = 0; i < count; ++i)
        {
            if (points[i].PenDown && i > 0)
                LineTo(screen[i]);
            else
                MoveTo(screen[i]);
        }
        return;
    }
    const int penStyle = PenStyleAndWidth(style);
    auto drawFigure = [&](int first, int end) {
        const int n = end - first;
        if (n >= 3)
            DrawPolygonStyled(&screen[first], n, penStyle, style.Colour, style.nFill);
        else if (n == 2)
        {
            SelectedObjects selected(*this, &pen, nullptr);
            MoveTo(screen[first]);
            LineTo(screen[first + 1]);
        }
    };
    int first = 0;
    for (int i = 1; i < count; ++i)
        if (!points[i].PenDown)
        {
            drawFigure(first, i);
            first = i;
        }
    drawFigure(first, count);
}

void CMyDC::DrawBitmapSymbol(CBitmap* strip, int frame, int sizeCode, int x, int y, int frameWidth,
                             int frameHeight, int hotX, int hotY)
{
    // Size code → numerator and denominator of the scale.
    static const int kNumerator[6] = {0, 1, 3, 1, 5, 3};
    static const int kDenominator[6] = {1, 2, 4, 1, 4, 2};
    if (!strip || !strip->GetSafeHandle() || sizeCode < 1 || sizeCode > 5 || frame < 0 || frameWidth <= 0 ||
        frameHeight <= 0)
        return;
    const int num = kNumerator[sizeCode], den = kDenominator[sizeCode];
    const int width = frameWidth * num / den, height = frameHeight * num / den;
    const int left = x - hotX * num / den, top = y - hotY * num / den;
    CDC memory;
    if (!memory.CreateCompatibleDC(this))
        return;
    CBitmap* old = memory.SelectObject(strip);
    if (!old)
        return;
    // Stretched pixel for pixel, never blended: the XOR, AND, XOR only restores the ground
    // where image and mask pixels line up exactly.
    const int oldMode = SetStretchBltMode(COLORONCOLOR);
    const int from = frame * frameWidth;
    StretchBlt(left, top, width, height, &memory, from, 0, frameWidth, frameHeight, SRCINVERT);
    StretchBlt(left, top, width, height, &memory, from, frameHeight, frameWidth, frameHeight, SRCAND);
    StretchBlt(left, top, width, height, &memory, from, 0, frameWidth, frameHeight, SRCINVERT);
    SetStretchBltMode(oldMode);
    memory.SelectObject(old);
}

void CMyDC::DrawCircledText(int x, int y, const char* text, CBrush* brush)
{
    if (!text)
        return;
    // The circle's half width is the width of "8", so that a number of two digits fits in it.
    const int r = GetTextExtent("8", 1).cx;
    {
        SelectedObjects selected(*this, nullptr, brush);
        Ellipse(x - r, y - r, x + r, y + r);
    }
    const int oldMode = SetBkMode(TRANSPARENT);
    CRect box(x - r, y - r, x + r, y + r);
    DrawText(text, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    SetBkMode(oldMode);
}

void CMyDC::DrawShapeText(const char* text, COLORREF colour, int height, int width, int justification, int x,
                          int y, double rotationDegrees)
{
    if (!text || justification == 0xFFFF)
        return;
    UINT align = TA_TOP | TA_CENTER;
    switch (justification)
    {
    case 0:
    case 256:
    case 768:
        align = TA_BASELINE | TA_LEFT;
        break;
    case 1:
    case 257:
        align = TA_BASELINE | TA_CENTER;
        break;
    case 2:
    case 258:
        align = TA_BASELINE | TA_RIGHT;
        break;
    case 512:
        align = TA_BASELINE;
        break;
    case 514:
        align = TA_RIGHT;
        break;
    case 769:
        align = TA_TOP | TA_CENTER;
        break;
    case 770:
        align = TA_TOP | TA_RIGHT;
        break;
    default:
        break;
    }
    const int escapement = static_cast<int>(rotationDegrees * 10.0);
    CFont font;
    if (!font.CreateFont(height, width, escapement, escapement, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                         "Verdana"))
        return;
    CFont* oldFont = SelectObject(&font);
    const UINT oldAlign = SetTextAlign(align);
    const COLORREF oldColour = SetTextColor(DisplayColour(colour));
    const int oldMode = SetBkMode(TRANSPARENT);
    TextOut(x, y, text, static_cast<int>(std::strlen(text)));
    SetBkMode(oldMode);
    SetTextColor(oldColour);
    SetTextAlign(oldAlign);
    SelectObject(oldFont);
}
