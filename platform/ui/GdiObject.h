// Drawing objects: the base of every pen, brush, font, bitmap and region, and the pens,
// brushes, bitmaps and regions themselves (fonts are in Font.h).
//
// An object owns its handle and deletes it when destroyed. A handle stays usable while a
// device context has it selected, even after its object is gone; it is freed when the context
// lets go of it. FromHandle gives the object of a handle: the one that owns it, or a temporary
// object that lives until DeleteTempMap (called when the program is idle).
#pragma once

#include "platform/core/Object.h"
#include "platform/ui/Gdi.h"

#include <QImage>
#include <QRegion>

class CDC;

// The base of every drawing object: owns one handle.
class PLATFORM_API CGdiObject : public CObject
{
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // Frees the temporary objects FromHandle made.
    static void DeleteTempMap();

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle; FALSE when there is none.
    BOOL DeleteObject();
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject() { return m_hObject != nullptr; }

    // Copies the object's record (LOGPEN, LOGBRUSH, LOGFONT, BITMAP) into the buffer; with a
    // null buffer, the size of the record. 0 on failure.
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;

    BOOL operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    BOOL operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }

private:
    bool m_temporary = false; // made by FromHandle; never deletes its handle
    bool m_immortal = false;  // the object of a stock handle
};

// A pen: how lines and outlines are drawn.
class PLATFORM_API CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor);
    CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
         const DWORD* lpStyle = nullptr);

    static CPen* FromHandle(HPEN hPen);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    // Styles PS_SOLID ... PS_INSIDEFRAME; a width of 0 or 1 is one pixel; a styled pen wider
    // than one pixel draws solid.
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    // A geometric or cosmetic pen with end-cap and join bits; only a solid brush colour is used.
    BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                   const DWORD* lpStyle = nullptr);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
    int GetLogPen(LOGPEN* pLogPen) const;
    int GetExtLogPen(EXTLOGPEN* pLogPen) const;
};

// A brush: how shapes are filled.
class PLATFORM_API CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);
    explicit CBrush(class CBitmap* pBitmap);

    static CBrush* FromHandle(HBRUSH hBrush);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF crColor);
    // Hatches HS_HORIZONTAL ... HS_DIAGCROSS, in the brush colour over the background colour
    // (opaque background mode) or over what lies beneath (transparent).
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    // BS_SOLID, BS_HOLLOW / BS_NULL, BS_HATCHED.
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    // A brush tiled with the bitmap; a monochrome one takes the text and background colours.
    BOOL CreatePatternBrush(class CBitmap* pBitmap);
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
};

// A bitmap held as a 32-bit image, drawn on through a memory context.
class PLATFORM_API CBitmap : public CGdiObject
{
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;

    static CBitmap* FromHandle(HBITMAP hBitmap);
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }

    // A device-dependent bitmap: 1 bit per pixel (a mask, black and white), or 24 or 32 bits
    // (colour). The optional bits are rows of the given depth, each padded to 16 bits, blue
    // first in colour pixels; without them the bitmap starts black.
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(const BITMAP* lpBitmap);
    // A colour bitmap of the size, black; an empty size gives a 1 x 1 monochrome bitmap.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    BOOL CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight)
    {
        return CreateCompatibleBitmap(pDC, nWidth, nHeight);
    }

    int GetBitmap(BITMAP* pBitMap) const;
    // Rows as CreateBitmap takes them; the number of bytes copied.
    DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
    DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
    // The size in 0.1 mm that the program gave the bitmap (nothing draws with it).
    CSize SetBitmapDimension(int nWidth, int nHeight);
    CSize GetBitmapDimension() const;

    // The bitmap resource of that id, looked for as a string resource is (Resources.h): first
    // in the current resource module, then along the chain. FALSE, the bitmap unchanged, when
    // no module has it; a bitmap that already holds one lets it go first.
    BOOL LoadBitmap(UINT nIDResource);

    // Qt side: a colour bitmap holding the image, and a copy of what the bitmap holds.
    BOOL CreateFromImage(const QImage& image);
    QImage ToImage() const;
};

// A region: an area of whole pixels, for clipping, hit tests and fills.
class PLATFORM_API CRgn : public CGdiObject
{
    DECLARE_DYNAMIC(CRgn)
public:
    CRgn() = default;

    static CRgn* FromHandle(HRGN hRgn);
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }

    // Right and bottom edges lie outside, as in every rectangle of this layer.
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
    // Fill mode ALTERNATE or WINDING.
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
    BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const int* lpPolyCounts, int nCount, int nPolyFillMode);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(LPCRECT lpRect);

    // RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY into this region (which must exist);
    // NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    BOOL EqualRgn(const CRgn* pRgn) const;
    int OffsetRgn(int x, int y);
    int OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }
    int GetRgnBox(LPRECT lpRect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    BOOL RectInRegion(LPCRECT lpRect) const;

    QRegion ToQRegion() const;
};

// How many objects of a type (OBJ_PEN, OBJ_BRUSH, ...) have been made in this process, stock
// objects left out: tests see by it whether drawing code makes objects of its own.
PLATFORM_API unsigned long long GdiObjectsMade(int type);

// The Win32 functions of the same names, for code that works with handles.
PLATFORM_API HGDIOBJ GetStockObject(int nIndex);
PLATFORM_API BOOL DeleteObject(HGDIOBJ hObject);
PLATFORM_API int GetObject(HGDIOBJ hObject, int nCount, LPVOID lpObject);
PLATFORM_API DWORD GetObjectType(HGDIOBJ hObject);
PLATFORM_API HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
PLATFORM_API HPEN CreatePenIndirect(const LOGPEN* lpLogPen);
PLATFORM_API HPEN ExtCreatePen(DWORD dwPenStyle, DWORD dwWidth, const LOGBRUSH* lpLogBrush,
                               DWORD dwStyleCount, const DWORD* lpStyle);
PLATFORM_API HBRUSH CreateSolidBrush(COLORREF crColor);
PLATFORM_API HBRUSH CreateHatchBrush(int nIndex, COLORREF crColor);
PLATFORM_API HBRUSH CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
PLATFORM_API HBRUSH CreatePatternBrush(HBITMAP hBitmap);
// A stock brush of a system colour (COLOR_*), never deleted.
PLATFORM_API HBRUSH GetSysColorBrush(int nIndex);
PLATFORM_API HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits);
PLATFORM_API HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
PLATFORM_API HRGN CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode);
PLATFORM_API int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int nCombineMode);
PLATFORM_API BOOL PtInRegion(HRGN hrgn, int x, int y);
