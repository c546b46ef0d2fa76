// CDC: blits with raster operations.
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiPrivate.h"
#include "platform/ui/Resources.h"

#include <QPaintEngine>

#include <cstring>
#include <optional>

using namespace DcImpl;

namespace
{
// A ternary raster operation's third byte is its truth table: bit (P << 2 | S << 1 | D) of it
// is the result for pattern, source and destination bits P, S and D.
BYTE TruthTable(DWORD rop)
{
    return static_cast<BYTE>((rop >> 16) & 0xFF);
}

bool UsesSource(DWORD rop)
{
    const BYTE t = TruthTable(rop);
    return ((t >> 2) & 0x33) != (t & 0x33);
}

bool UsesPattern(DWORD rop)
{
    const BYTE t = TruthTable(rop);
    return ((t >> 4) & 0x0F) != (t & 0x0F);
}

QRgb Ternary(BYTE table, QRgb p, QRgb s, QRgb d)
{
    QRgb result = 0;
    for (int bit = 0; bit < 8; ++bit)
    {
        if (!(table & (1 << bit)))
            continue;
        result |= ((bit & 4) ? p : ~p) & ((bit & 2) ? s : ~s) & ((bit & 1) ? d : ~d);
    }
    return (result & 0xFFFFFF) | 0xFF000000u;
}

// The raster operations Qt's composition modes carry out directly.
std::optional<QPainter::CompositionMode> SourceMode(DWORD rop)
{
    switch (rop)
    {
    case SRCCOPY:
        return QPainter::CompositionMode_Source;
    case SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case SRCERASE:
        return QPainter::RasterOp_SourceAndNotDestination;
    case NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    case NOTSRCERASE:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case MERGEPAINT:
        return QPainter::RasterOp_NotSourceOrDestination;
    default:
        return std::nullopt;
    }
}

bool CanUse(HDC d, QPainter::CompositionMode mode)
{
    QPaintEngine* engine = d->painter->paintEngine();
    if (!engine)
        return false;
    if (mode == QPainter::CompositionMode_SourceOver)
        return true;
    if (mode <= QPainter::CompositionMode_Xor)
        return engine->hasFeature(QPaintEngine::PorterDuff);
    return engine->hasFeature(QPaintEngine::RasterOpModes);
}

void SetModeOrCopy(HDC d, QPainter::CompositionMode mode)
{
    d->painter->setCompositionMode(CanUse(d, mode) ? mode : QPainter::CompositionMode_SourceOver);
}

// The pattern (current brush) over a device rectangle, aligned to the brush origin, for the
// operations carried out pixel by pixel; hatches lie on the background colour.
QImage PatternImage(HDC d, const QRect& rect)
{
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Colour(d, d->a.bkColour));
    GdiHandle* brush = d->a.brush;
    if (!brush || brush->brushStyle == BS_NULL)
        return image;
    QPainter p(&image);
    const COLORREF colour = brush->dcColour ? d->a.dcBrushColour : brush->colour;
    QBrush qbrush(Colour(d, colour));
    if (brush->brushStyle == BS_HATCHED)
    {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        qbrush = QBrush(Colour(d, colour), hatches[std::min<ULONG_PTR>(brush->hatch, 5)]);
    }
    else if (brush->brushStyle == BS_PATTERN)
    {
        qbrush = QBrush(brush->pattern);
    }
    p.setBrushOrigin(d->a.brushOrg - rect.topLeft());
    p.fillRect(image.rect(), qbrush);
    return image;
}

// Carries out any ternary operation on an image surface, within what is visible.
void BlitBySoftware(HDC d, QImage* target, const QRect& rect, const QImage* source, DWORD rop)
{
    const BYTE table = TruthTable(rop);
    const QImage pattern = UsesPattern(rop) ? PatternImage(d, rect) : QImage();
    const QRegion area = VisibleRegion(d).intersected(rect).intersected(target->rect());
    for (const QRect& part : area)
        for (int y = part.top(); y <= part.bottom(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(target->scanLine(y));
            const int sy = y - rect.top();
            const QRgb* sourceLine =
                source ? reinterpret_cast<const QRgb*>(source->constScanLine(sy)) : nullptr;
            const QRgb* patternLine =
                pattern.isNull() ? nullptr : reinterpret_cast<const QRgb*>(pattern.constScanLine(sy));
            for (int x = part.left(); x <= part.right(); ++x)
            {
                const int sx = x - rect.left();
                line[x] = Ternary(table, patternLine ? patternLine[sx] : 0, sourceLine ? sourceLine[sx] : 0,
                                  line[x]);
            }
        }
}

bool IsOpaque(const QImage& image)
{
    const int width = image.width(), height = image.height();
    // Two pixels a word and four words a step: this runs over every pixel of a double-buffered
    // view's picture on every paint.
    constexpr quint64 kAlpha = 0xFF000000FF000000ull;
    for (int y = 0; y < height; ++y)
    {
        const uchar* line = image.constScanLine(y);
        quint64 lanes[4] = {kAlpha, kAlpha, kAlpha, kAlpha};
        int x = 0;
        for (; x + 8 <= width; x += 8)
            for (int k = 0; k < 4; ++k)
            {
                quint64 word = 0;
                std::memcpy(&word, line + (x + 2 * k) * sizeof(QRgb), sizeof word);
                lanes[k] &= word;
            }
        quint64 all = lanes[0] & lanes[1] & lanes[2] & lanes[3];
        all &= all >> 32;
        for (const QRgb* rest = reinterpret_cast<const QRgb*>(line) + x; x < width; ++x, ++rest)
            all &= *rest;
        if ((all & 0xFF000000u) != 0xFF000000u)
            return false;
    }
    return true;
}

// The source pixels a blit reads, in the destination's colours and orientation and size; null
// when the surface itself is that piece.
std::optional<QImage> SourcePiece(HDC d, HDC s, const QImage& surface, QRect from, bool mirrorX, bool mirrorY,
                                  QSize size)
{
    // A whole colour surface that is opaque already (as painting leaves it) is read in place,
    // not copied: a double-buffered view blits its whole picture on every paint. Never when the
    // destination draws on that same surface.
    const QImage* target = TargetImage(d);
    const bool inPlace = from == surface.rect() && surface.format() == QImage::Format_RGB32 && !s->monochrome &&
                         !d->monochrome && (target == nullptr || target->constBits() != surface.constBits()) &&
                         IsOpaque(surface);
    if (inPlace && !mirrorX && !mirrorY && surface.size() == size)
        return std::nullopt;
    QImage piece = surface.copy(from).convertToFormat(QImage::Format_RGB32);
    if (s->monochrome && !d->monochrome)
    {
        // Black becomes the destination's text colour, white its background colour.
        const QRgb fore = Colour(d, d->a.textColour).rgb(), back = Colour(d, d->a.bkColour).rgb();
        for (int y = 0; y < piece.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < piece.width(); ++x)
                line[x] = (line[x] & 0xFFFFFF) == 0xFFFFFF ? back : fore;
        }
    }
    else if (!s->monochrome && d->monochrome)
    {
        // The source's background colour becomes white, everything else black.
        const QRgb back = QRgbFromColorRef(s->a.bkColour) & 0xFFFFFF;
        for (int y = 0; y < piece.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < piece.width(); ++x)
                line[x] = Gdi::MonoPixel((line[x] & 0xFFFFFF) == back);
        }
    }
    else
    {
        for (int y = 0; y < piece.height(); ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
            for (int x = 0; x < piece.width(); ++x)
                line[x] |= 0xFF000000u;
        }
    }
    if (mirrorX || mirrorY)
        piece = piece.mirrored(mirrorX, mirrorY);
    if (piece.size() != size)
        piece =
            piece.scaled(size, Qt::IgnoreAspectRatio,
                         d->a.stretchMode == HALFTONE ? Qt::SmoothTransformation : Qt::FastTransformation);
    return piece;
}

// A device rectangle from a logical origin and extent, and whether the extent runs backwards.
// A backward extent starts at the pixel the origin names: (9, 0, -10, 1) covers pixels 0..9.
QRect DeviceExtent(HDC d, int x, int y, int w, int h, bool* mirrorX, bool* mirrorY)
{
    const QPoint p1 = ToDevice(d, x, y), p2 = ToDevice(d, x + w, y + h);
    *mirrorX = p2.x() < p1.x();
    *mirrorY = p2.y() < p1.y();
    const int left = *mirrorX ? p2.x() + 1 : p1.x();
    const int top = *mirrorY ? p2.y() + 1 : p1.y();
    return QRect(left, top, std::abs(p2.x() - p1.x()), std::abs(p2.y() - p1.y()));
}

BOOL Blit(HDC d, int x, int y, int w, int h, HDC s, int xs, int ys, int ws, int hs, DWORD rop)
{
    if (!Ready(d))
        return FALSE;
    Sync(d);
    bool mirrorX = false, mirrorY = false;
    const QRect rect = DeviceExtent(d, x, y, w, h, &mirrorX, &mirrorY);
    if (rect.isEmpty())
        return TRUE;
    QPainter* p = d->painter;
    if (!UsesSource(rop))
    {
        switch (rop)
        {
        case BLACKNESS:
            FillDeviceRect(d, rect, Colour(d, RGB(0, 0, 0)));
            return TRUE;
        case WHITENESS:
            FillDeviceRect(d, rect, Colour(d, RGB(255, 255, 255)));
            return TRUE;
        case DSTINVERT:
            SetModeOrCopy(d, QPainter::RasterOp_SourceXorDestination);
            p->fillRect(rect, Qt::white);
            return TRUE;
        case PATCOPY:
            FillDeviceRect(d, rect, d->a.brush, QPainter::CompositionMode_SourceOver);
            return TRUE;
        case PATINVERT:
            FillDeviceRect(d, rect, d->a.brush, QPainter::RasterOp_SourceXorDestination);
            return TRUE;
        default:
            if (QImage* target = TargetImage(d))
                BlitBySoftware(d, target, rect, nullptr, rop);
            return TRUE;
        }
    }
    if (!s || !s->painter)
        return FALSE;
    const QImage* surface = TargetImage(s);
    if (!surface)
        return FALSE;
    bool sourceMirrorX = false, sourceMirrorY = false;
    const QRect from = DeviceExtent(s, xs, ys, ws, hs, &sourceMirrorX, &sourceMirrorY);
    if (from.isEmpty())
        return FALSE;
    // Read through a reference: a copy of an image that a painter is active on (the source
    // context's own) is a deep copy.
    const std::optional<QImage> converted =
        SourcePiece(d, s, *surface, from, mirrorX != sourceMirrorX, mirrorY != sourceMirrorY, rect.size());
    const QImage& piece = converted ? *converted : *surface;
    std::optional<QPainter::CompositionMode> mode = SourceMode(rop);
    // The piece is opaque, so laying it over the destination copies it exactly; every engine
    // does that, where a plain copy mode is not offered on surfaces without alpha.
    if (rop == SRCCOPY)
        mode = QPainter::CompositionMode_SourceOver;
    QImage* target = TargetImage(d);
    if (mode && (CanUse(d, *mode) || !target))
    {
        SetModeOrCopy(d, *mode);
        p->drawImage(rect.topLeft(), piece);
        return TRUE;
    }
    if (!target)
        return FALSE;
    BlitBySoftware(d, target, rect, &piece, rop);
    return TRUE;
}
} // namespace

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    if (UsesSource(dwRop))
        return FALSE;
    return Blit(m_hDC, x, y, nWidth, nHeight, nullptr, 0, 0, 0, 0, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return Blit(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nWidth, nHeight,
                dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return Blit(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                         int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    HDC d = m_hDC;
    HDC s = pSrcDC ? pSrcDC->m_hDC : nullptr;
    if (!Ready(d) || !s || nDestWidth <= 0 || nDestHeight <= 0 || nSrcWidth <= 0 || nSrcHeight <= 0)
        return FALSE;
    Sync(d);
    const QImage* surface = TargetImage(s);
    if (!surface)
        return FALSE;
    bool mirrorX = false, mirrorY = false, sourceMirrorX = false, sourceMirrorY = false;
    const QRect rect = DeviceExtent(d, xDest, yDest, nDestWidth, nDestHeight, &mirrorX, &mirrorY);
    const QRect from = DeviceExtent(s, xSrc, ySrc, nSrcWidth, nSrcHeight, &sourceMirrorX, &sourceMirrorY);
    if (rect.isEmpty() || from.isEmpty())
        return FALSE;
    // Scaled without smoothing so that no pixel comes near the transparent colour by blending.
    QImage piece = surface->copy(from).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = QRgbFromColorRef(clrTransparent) & 0xFFFFFF;
    for (int y = 0; y < piece.height(); ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) == key ? 0u : (line[x] | 0xFF000000u);
    }
    if (mirrorX != sourceMirrorX || mirrorY != sourceMirrorY)
        piece = piece.mirrored(mirrorX != sourceMirrorX, mirrorY != sourceMirrorY);
    if (piece.size() != rect.size())
        piece = piece.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    d->painter->drawImage(rect.topLeft(), piece);
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, UINT nIDResource)
{
    HDC d = m_hDC;
    if (!Ready(d))
        return FALSE;
    QImage picture;
    if (!AfxLoadBitmapImage(nIDResource, picture))
        return FALSE;
    Sync(d);
    // An icon keeps its pixel size whatever the mapping; only its place is mapped.
    d->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    d->painter->drawImage(ToDevice(d, x, y), picture);
    return TRUE;
}
