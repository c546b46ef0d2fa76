// CDC: a device context drawing with QPainter on a bitmap (memory contexts), a widget or
// image, a painter someone else began (print preview), or a printer.
//
// It draws as GDI draws: without antialiasing; a line leaves out its last pixel; a rectangle
// of (left, top, right, bottom) covers left..right-1 and top..bottom-1, its fill one pixel
// less on the right and bottom when there is no pen; pen widths 0 and 1 are one pixel;
// colours are COLORREF 0x00BBGGRR. Raster operations (SetROP2, BitBlt codes) use Qt's
// raster-operation composition modes, so an XOR drawn twice restores the image exactly;
// printers do not support them.
//
// Coordinates are logical units mapped to device pixels by the mapping mode (MM_TEXT unless
// set), the window and viewport origins and, in MM_ISOTROPIC and MM_ANISOTROPIC, their
// extents. Clipping is kept in device pixels.
#pragma once

#include "platform/core/Object.h"
#include "platform/core/String.h"
#include "platform/ui/Font.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/GdiObject.h"

class QPainter;
class QPaintDevice;
class QPrinter;

using GRAYSTRINGPROC = BOOL (*)(HDC, LPARAM, int);
using ABORTPROC = BOOL (*)(HDC, int);

class PLATFORM_API CDC : public CObject
{
    DECLARE_DYNCREATE(CDC)
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr; // the same context: output and attributes are never apart here
    BOOL m_bPrinting = FALSE;  // set for printer contexts

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // The object that owns a context, or a temporary one that lives until DeleteTempMap.
    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();
    BOOL Attach(HDC hDC);
    HDC Detach();
    virtual void SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
    virtual void SetOutputDC(HDC hDC) { m_hDC = hDC; }
    virtual void ReleaseAttribDC() { m_hAttribDC = nullptr; }
    virtual void ReleaseOutputDC() { m_hDC = nullptr; }

    // Creation. A memory context starts with a 1 x 1 monochrome bitmap; select a bitmap to draw
    // on it. CreateDC with "DISPLAY" (or no driver and no device) makes a context that
    // measures like the screen; any other names a printer (an installed one of that name,
    // else PDF output to the output file, the document's output or a file named after the
    // document on drive C:).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData);
    BOOL CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData);
    BOOL DeleteDC();

    // Qt side. Attach(QPainter*) borrows an active painter (a print preview's page, a paint
    // event's painter) until the context is destroyed (DeleteDC, or the CDC's destruction),
    // restoring its state then; a detached handle keeps the painter borrowed. FromPainter gives
    // a temporary context for a painter, living until DeleteTempMap or until the painter is
    // used for another one. AttachPrinter makes a printer context on a printer (owned when
    // bTakeOwnership is set); the painter starts at StartDoc.
    BOOL Attach(QPainter* painter);
    static CDC* FromPainter(QPainter* painter);
    BOOL AttachPrinter(QPrinter* printer, BOOL bTakeOwnership = FALSE);
    QPainter* GetPainter() const;
    QPaintDevice* GetDevice() const;

    // Device capabilities. Display contexts (memory, widget, image, "DISPLAY") report the
    // screen; printers report their page. Tests fix the screen: its size in pixels, its
    // pixels per millimetre (HORZSIZE and VERTSIZE follow) and its logical resolution
    // (LOGPIXELSX/Y); 0 returns each to what the screen reports.
    int GetDeviceCaps(int nIndex) const;
    static void SetPixelsPerMillimetre(double pixelsPerMillimetre);
    static void SetScreenSize(int width, int height);
    static void SetLogPixels(int dotsPerInch);
    BOOL IsPrinting() const { return m_bPrinting; }

    // Objects. Each SelectObject returns the object it replaced (null on failure); selecting a
    // region sets the clipping region and returns its type.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    virtual CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    int SelectObject(CRgn* pRgn);
    CGdiObject* SelectObject(CGdiObject* pObject);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    virtual CGdiObject* SelectStockObject(int nIndex);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    UINT RealizePalette() { return 0; }

    // State. SaveDC returns the level to give RestoreDC (or -1 for the last one saved).
    virtual int SaveDC();
    virtual BOOL RestoreDC(int nSavedDC);
    COLORREF GetBkColor() const;
    virtual COLORREF SetBkColor(COLORREF crColor);
    int GetBkMode() const;
    int SetBkMode(int nBkMode);
    COLORREF GetTextColor() const;
    virtual COLORREF SetTextColor(COLORREF crColor);
    int GetROP2() const;
    int SetROP2(int nDrawMode);
    int GetPolyFillMode() const;
    int SetPolyFillMode(int nPolyFillMode);
    int GetStretchBltMode() const;
    int SetStretchBltMode(int nStretchMode);
    int GetArcDirection() const;
    int SetArcDirection(int nArcDirection);
    UINT GetTextAlign() const;
    UINT SetTextAlign(UINT nFlags);
    int GetTextCharacterExtra() const;
    int SetTextCharacterExtra(int nCharExtra);
    COLORREF GetDCBrushColor() const;
    COLORREF SetDCBrushColor(COLORREF crColor);
    COLORREF GetDCPenColor() const;
    COLORREF SetDCPenColor(COLORREF crColor);
    CPoint GetBrushOrg() const;
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

    // Mapping.
    int GetMapMode() const;
    virtual int SetMapMode(int nMapMode);
    CPoint GetViewportOrg() const;
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint GetWindowOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CSize GetViewportExt() const;
    virtual CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
    virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize GetWindowExt() const;
    virtual CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
    virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;
    void DPtoLP(LPSIZE lpSize) const;
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void LPtoDP(LPSIZE lpSize) const;

    // Clipping. Results are NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    virtual int GetClipBox(LPRECT lpRect) const;
    virtual BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
    virtual BOOL RectVisible(LPCRECT lpRect) const;
    // The region is in device units; null removes clipping.
    virtual int SelectClipRgn(CRgn* pRgn);
    int SelectClipRgn(CRgn* pRgn, int nMode);
    virtual int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect);
    virtual int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    virtual int OffsetClipRgn(int x, int y);
    int OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

    // Lines, with the current pen. Arcs run counter-clockwise from the start radial to the end
    // radial unless SetArcDirection(AD_CLOCKWISE).
    CPoint GetCurrentPosition() const;
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL PolylineTo(const POINT* lpPoints, int nCount);
    BOOL PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount);
    BOOL PolyBezier(const POINT* lpPoints, int nCount);
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);

    // Filled shapes: outlined with the current pen, filled with the current brush.
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL RoundRect(LPCRECT lpRect, POINT point);
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
    BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    BOOL Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL PolyPolygon(const POINT* lpPoints, const int* lpPolyCounts, int nCount);

    // Rectangles and regions with a given brush or colour (the current pen and ROP2 play no
    // part). FillSolidRect leaves the background colour set to its colour.
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
    BOOL InvertRgn(CRgn* pRgn);
    BOOL PaintRgn(CRgn* pRgn);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    // A dotted frame drawn by XOR: drawn twice, it is gone.
    void DrawFocusRect(LPCRECT lpRect);
    // Edges EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP (or BDR_* bits) on the BF_* sides,
    // in the system's 3-D colours; BF_ADJUST shrinks the rectangle by what was drawn.
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    // DFC_BUTTON: push buttons, check boxes and radio buttons in their DFCS_* states.
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);

    // Pixels. GetPixel gives CLR_INVALID outside the surface or the clipping region, and on
    // surfaces that cannot be read (widgets, printers).
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
    BOOL SetPixelV(int x, int y, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

    // Blits with ternary raster operations (SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, SRCERASE,
    // NOTSRCCOPY, NOTSRCERASE, MERGECOPY, MERGEPAINT, PATCOPY, PATPAINT, PATINVERT, DSTINVERT,
    // BLACKNESS, WHITENESS and any other code on bitmaps). A monochrome source becomes the
    // destination's text colour (black) and background colour (white); a colour source
    // copied into a monochrome bitmap becomes white where it has the source's background
    // colour and black elsewhere. Negative extents mirror.
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    // Copies all but the pixels of the transparent colour.
    BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                        int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent);
    // Draws the registered picture of the id (Resources.h) at its own size with its top left at
    // the logical point, keeping what lies under its transparent pixels, as an icon is drawn
    // (there are no icon resources here). FALSE when no module has the picture.
    BOOL DrawIcon(int x, int y, UINT nIDResource);
    BOOL DrawIcon(POINT point, UINT nIDResource) { return DrawIcon(point.x, point.y, nIDResource); }

    // Text, in the current font, text colour and (in OPAQUE mode) background colour. Strings
    // are Windows-1252 bytes; a count of -1 means up to the terminating NUL.
    virtual BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                            const int* lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, const int* lpDxWidths);
    virtual CSize TabbedTextOut(int x, int y, LPCSTR lpszString, int nCount, int nTabPositions,
                                const int* lpnTabStopPositions, int nTabOrigin);
    CSize TabbedTextOut(int x, int y, const CString& str, int nTabPositions, const int* lpnTabStopPositions,
                        int nTabOrigin);
    // Returns the height of the text (with DT_VCENTER or DT_BOTTOM, the offset from the top of
    // the rectangle to the bottom of the text); DT_CALCRECT only measures, setting the
    // rectangle's right and bottom.
    virtual int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    virtual int DrawTextEx(LPSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat,
                           LPDRAWTEXTPARAMS lpDTParams);
    int DrawTextEx(const CString& str, LPRECT lpRect, UINT nFormat, LPDRAWTEXTPARAMS lpDTParams);
    // Draws the text (lpData) in the system's grey text colour, or calls the output function.
    virtual BOOL GrayString(CBrush* pBrush, GRAYSTRINGPROC lpfnOutput, LPARAM lpData, int nCount, int x,
                            int y, int nWidth, int nHeight);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetOutputTextExtent(const CString& str) const;
    CSize GetTabbedTextExtent(LPCSTR lpszString, int nCount, int nTabPositions,
                              const int* lpnTabStopPositions) const;
    CSize GetTabbedTextExtent(const CString& str, int nTabPositions, const int* lpnTabStopPositions) const;
    CSize GetOutputTabbedTextExtent(const CString& str, int nTabPositions,
                                    const int* lpnTabStopPositions) const
    {
        return GetTabbedTextExtent(str, nTabPositions, lpnTabStopPositions);
    }
    BOOL GetTextMetrics(LPTEXTMETRIC lpMetrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const { return GetTextMetrics(lpMetrics); }
    int GetTextFace(int nCount, LPSTR lpszFacename) const;
    int GetTextFace(CString& rString) const;
    BOOL GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const;

    // Printing. StartDoc returns a positive job number or SP_ERROR; a PDF is written under a
    // temporary name and takes its own name only at EndDoc, so an aborted document leaves no
    // file behind.
    int StartDoc(LPCSTR lpszDocName);
    int StartDoc(LPDOCINFO lpDocInfo);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    int SetAbortProc(ABORTPROC lpfn);
    // No escapes are supported: 0.
    virtual int Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData);

protected:
    // For the window layer: a context with its own painter on a device (a widget during its
    // paint event, an image), ended by ReleaseDevice or destruction.
    BOOL AttachDevice(QPaintDevice* device);
    void ReleaseDevice();

private:
    bool m_temporary = false; // made by FromHandle; never deletes its context
};

// The Win32 functions of the same names, for code that works with handles.
PLATFORM_API HDC CreateCompatibleDC(HDC hdc);
PLATFORM_API BOOL DeleteDC(HDC hdc);
PLATFORM_API HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
PLATFORM_API HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
PLATFORM_API int GetDeviceCaps(HDC hdc, int index);
PLATFORM_API int SaveDC(HDC hdc);
PLATFORM_API BOOL RestoreDC(HDC hdc, int nSavedDC);
PLATFORM_API COLORREF SetTextColor(HDC hdc, COLORREF color);
PLATFORM_API COLORREF SetBkColor(HDC hdc, COLORREF color);
PLATFORM_API int SetBkMode(HDC hdc, int mode);
PLATFORM_API int SetROP2(HDC hdc, int rop2);
PLATFORM_API BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c);
PLATFORM_API int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format);
PLATFORM_API int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr);
PLATFORM_API BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
PLATFORM_API BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm);
