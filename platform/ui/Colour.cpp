#include "platform/ui/Colour.h"

QColor ToQColor(COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF ToColorRef(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return RGB(rgb.red(), rgb.green(), rgb.blue());
}

QRgb QRgbFromColorRef(COLORREF colour)
{
    return qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF ColorRefFromQRgb(QRgb rgb)
{
    return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

QRect ToQRect(const RECT& rect)
{
    return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

CRect ToCRect(const QRect& rect)
{
    return CRect(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
}
