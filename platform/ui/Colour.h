// Conversions between the system's colours, rectangles and points and Qt's. A COLORREF is
// 0x00BBGGRR; its top byte (palette flags) is ignored. Rectangles keep GDI's convention that
// right and bottom lie just outside: CRect(0, 0, 10, 5) is the 10 x 5 QRect(0, 0, 10, 5).
#pragma once

#include "platform/core/WinTypes.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

// An opaque QColor of the colour's red, green and blue.
PLATFORM_API QColor ToQColor(COLORREF colour);
// The COLORREF of a QColor's red, green and blue (alpha is dropped).
PLATFORM_API COLORREF ToColorRef(const QColor& colour);
// The same for a QRgb (0xAARRGGBB, as QImage::pixel gives it).
PLATFORM_API QRgb QRgbFromColorRef(COLORREF colour);
PLATFORM_API COLORREF ColorRefFromQRgb(QRgb rgb);

// A normalised rectangle is expected; an inverted one gives a QRect of negative size.
PLATFORM_API QRect ToQRect(const RECT& rect);
PLATFORM_API CRect ToCRect(const QRect& rect);
inline QPoint ToQPoint(const POINT& p)
{
    return QPoint(p.x, p.y);
}
inline CPoint ToCPoint(const QPoint& p)
{
    return CPoint(p.x(), p.y());
}
inline QSize ToQSize(const SIZE& s)
{
    return QSize(s.cx, s.cy);
}
inline CSize ToCSize(const QSize& s)
{
    return CSize(s.width(), s.height());
}
