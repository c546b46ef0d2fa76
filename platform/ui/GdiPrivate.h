// What stands behind the drawing handles: the records of pens, brushes, fonts, bitmaps and
// regions, and the state of a device context. Only the drawing layer's own sources include
// this header.
#pragma once

#include "platform/ui/Gdi.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTransform>

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CGdiObject;
class CDC;
class QPaintDevice;
class QPrinter;

// One pen, brush, font, bitmap, region or palette. A handle lives while its creator holds
// it or a device context has it selected (or kept by SaveDC), so deleting an object that is
// still selected cannot leave a context drawing with freed memory.
struct GdiHandle
{
    int type = 0;       // OBJ_*
    quint64 serial = 0; // never reused, unlike addresses
    bool stock = false;
    int refs = 1;         // the creator's reference plus one per selection
    bool deleted = false; // the creator has let go
    CGdiObject* wrapper = nullptr;
    CGdiObject* temporary = nullptr;

    // Pens and brushes.
    DWORD penStyle = PS_SOLID; // with end-cap, join and type bits
    int penWidth = 0;
    std::vector<DWORD> userStyle;
    UINT brushStyle = BS_SOLID;
    ULONG_PTR hatch = 0;
    COLORREF colour = 0;
    bool dcColour = false; // DC_PEN / DC_BRUSH: the colour is the context's
    QImage pattern;        // BS_PATTERN
    bool patternMono = false;

    // Fonts.
    LOGFONT font{};

    // Bitmaps: always a 32-bit image, so that every one can be painted on; bitsPixel is the
    // depth the system asked for (1 for monochrome masks).
    QImage image;
    int bitsPixel = 32;
    SIZE dimension{0, 0};
    HDC selectedIn = nullptr;

    // Regions, in device units.
    QRegion region;
};

namespace Gdi
{
std::mutex& Mutex();
// Registers a new handle (one reference, the creator's) and returns it.
HGDIOBJ Register(std::unique_ptr<GdiHandle> handle);
// The live handle behind h, of the given type (0: any); null for anything else. Call with
// the mutex held when the result must outlive a concurrent delete.
GdiHandle* Lookup(HGDIOBJ h, int type = 0);
GdiHandle* LookupLocked(HGDIOBJ h, int type = 0);
// Selection references; a handle whose creator deleted it is freed with its last one.
void AddRef(GdiHandle* handle);
void Release(GdiHandle* handle);
// The stock object of an index (WHITE_BRUSH ... DC_PEN), or the default bitmap of memory
// contexts for STOCK_BITMAP.
constexpr int STOCK_BITMAP = 21;
GdiHandle* Stock(int index);
inline HGDIOBJ ToHandle(GdiHandle* g)
{
    return static_cast<HGDIOBJ>(g);
}

// Fonts.
QFont MakeQFont(const LOGFONT& lf, double scale);
// The screen's logical resolution (LOGPIXELSX/Y of display contexts).
int DisplayLogPixels();

// Monochrome bitmaps hold only black and white: what a colour pixel becomes in one.
inline QRgb MonoPixel(bool white)
{
    return white ? 0xFFFFFFFFu : 0xFF000000u;
}
} // namespace Gdi

// Everything a SaveDC keeps.
struct DcAttributes
{
    GdiHandle* pen = nullptr;
    GdiHandle* brush = nullptr;
    GdiHandle* font = nullptr;
    GdiHandle* bitmap = nullptr; // memory contexts only
    GdiHandle* palette = nullptr;
    COLORREF textColour = 0x000000;
    COLORREF bkColour = 0xFFFFFF;
    COLORREF dcBrushColour = 0xFFFFFF;
    COLORREF dcPenColour = 0x000000;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int textCharExtra = 0;
    int mapMode = MM_TEXT;
    QPoint windowOrg{0, 0};
    QPoint viewportOrg{0, 0};
    QSize windowExt{1, 1};
    QSize viewportExt{1, 1};
    QPoint currentPos{0, 0}; // logical
    QPoint brushOrg{0, 0};
    std::optional<QRegion> clip; // device units; none = the whole surface
};

// A device context.
struct HDC__
{
    enum Kind
    {
        Memory,  // paints on the bitmap selected into it
        Device,  // paints with a painter of its own on a device (a widget, an image)
        Painter, // paints with a painter that someone else began
        Printer, // paints on a printer between StartDoc and EndDoc
        Info     // measures only
    };
    Kind kind = Memory;
    DcAttributes a;
    std::vector<DcAttributes> saved;

    QPaintDevice* device = nullptr; // what the painter paints on
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownPainter;
    bool restorePainter = false;     // a borrowed painter gets its state back at the end
    QTransform baseTransform;        // of a borrowed painter (a preview's scaling)
    std::optional<QRegion> baseClip; // of a borrowed painter, in device units
    bool clipDirty = true;
    bool monochrome = false; // a memory context holding a 1-bit bitmap

    // The 32-bit image that pixels and thin lines are written straight into, and the one
    // rectangle they may touch there; worked out again whenever the clip, the bitmap or the
    // painter changes (DcImpl::DirectSurface).
    struct DirectTarget
    {
        bool known = false;
        QPainter* painter = nullptr;
        QImage* image = nullptr;
        const uchar* bits = nullptr;
        bool writable = false;
        QRect clip;
    };
    DirectTarget direct;

    QPrinter* printer = nullptr;
    std::unique_ptr<QPrinter> ownPrinter;
    bool docStarted = false;
    int pagesStarted = 0;
    bool pageOpen = false;
    QString outputPath; // the PDF a document is written to once it ends
    QString partialPath;
    QString outputName; // the output CreateDC named (a Windows path)

    QImage infoImage; // the surface of contexts that only measure

    // The current font at device size, kept while the font and the scale stay the same.
    quint64 fontSerial = 0;
    double fontScale = 0;
    bool fontMonochrome = false;
    QFont font;

    CDC* wrapper = nullptr;
    CDC* temporary = nullptr;
};

// Helpers shared by the sources of CDC.
namespace DcImpl
{
// True when the context can draw now.
bool Ready(HDC d);
// Brings the painter's clipping up to date and its transform back to the base; call before
// drawing.
void Sync(HDC d);
void InitPainter(HDC d);

// Logical units to device pixels and back.
bool IsIdentityMapping(HDC d);
double ScaleX(HDC d);
double ScaleY(HDC d);
QPoint ToDevice(HDC d, int x, int y);
QPointF ToDeviceF(HDC d, double x, double y);
QPoint ToLogical(HDC d, int x, int y);
// The device rectangle of a logical one, normalised, right and bottom outside.
QRect DeviceRect(HDC d, int x1, int y1, int x2, int y2);

// What can be drawn on: the surface in device pixels, and the clipping that applies (none
// means the whole surface).
QRect SurfaceRect(HDC d);
std::optional<QRegion> EffectiveClip(HDC d);
QRegion VisibleRegion(HDC d);
// Whether a device point lies in the visible region, without building the region: a pixel
// drawn one at a time asks this for every pixel.
bool IsVisible(HDC d, const QPoint& point);
// The image behind the context when its pixels can be read and written directly.
QImage* TargetImage(HDC d);
// The target image when drawing may write its 32-bit pixels itself, exactly as the painter
// would: no transform, and what is visible is one rectangle at most (set in clip; empty when
// nothing is). Null otherwise. Call after Sync.
QImage* DirectSurface(HDC d, QRect* clip);

// A colour as this context draws it (black or white on a monochrome bitmap), and as an opaque
// pixel.
QColor Colour(HDC d, COLORREF colour);
QRgb Pixel(HDC d, COLORREF colour);
QPainter::CompositionMode Rop2Mode(int rop2);
// Fills a device-space shape with a brush in the mode: hatches over the background colour in
// OPAQUE mode, patterns in the text and background colours when monochrome.
void FillShape(HDC d, const QPainterPath& path, GdiHandle* brush, QPainter::CompositionMode mode);
void FillDeviceRect(HDC d, const QRect& rect, GdiHandle* brush, QPainter::CompositionMode mode);
void FillDeviceRect(HDC d, const QRect& rect, const QColor& colour);

// The current font at device size, and the device to measure it on.
QFont DeviceFont(HDC d);
QPaintDevice* MetricsDevice(HDC d);
} // namespace DcImpl
