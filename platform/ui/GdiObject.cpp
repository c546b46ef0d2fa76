#include "platform/ui/GdiObject.h"

#include "platform/core/Path.h"
#include "platform/core/SysColor.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiPrivate.h"
#include "platform/ui/LoadImage.h"
#include "platform/ui/Resources.h"

#include <QFile>
#include <QImageReader>

#include <QPainterPath>
#include <QPolygon>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace
{
std::unordered_set<GdiHandle*>& Live()
{
    static auto* live = new std::unordered_set<GdiHandle*>;
    return *live;
}

quint64 NextSerial()
{
    static quint64 serial = 0;
    return ++serial;
}

// Objects made so far, by OBJ_* type.
std::atomic<unsigned long long> g_made[16];

void CountMade(const GdiHandle* handle)
{
    if (handle->type >= 0 && handle->type < 16)
        ++g_made[handle->type];
}

std::vector<CGdiObject*>& Temporaries()
{
    static auto* temporaries = new std::vector<CGdiObject*>;
    return *temporaries;
}

// Called with the mutex held, when nothing holds the handle any more.
void DestroyLocked(GdiHandle* g)
{
    Live().erase(g);
    // Objects still wrapping the handle are left without one rather than dangling.
    if (g->wrapper)
        g->wrapper->m_hObject = nullptr;
    if (g->temporary)
        g->temporary->m_hObject = nullptr;
    delete g;
}

CGdiObject* NewObjectOfType(int type)
{
    switch (type)
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return new CPen;
    case OBJ_BRUSH:
        return new CBrush;
    case OBJ_FONT:
        return new CFont;
    case OBJ_BITMAP:
        return new CBitmap;
    case OBJ_REGION:
        return new CRgn;
    default:
        return new CGdiObject;
    }
}

std::unique_ptr<GdiHandle> NewHandle(int type)
{
    auto g = std::make_unique<GdiHandle>();
    g->type = type;
    return g;
}

// Stock fonts, as a Windows display gives them.
LOGFONT StockFont(int index)
{
    LOGFONT lf{};
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    const char* face = "System";
    switch (index)
    {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        lf.lfHeight = 16;
        lf.lfWeight = FW_BOLD;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        break;
    case DEFAULT_GUI_FONT:
        lf.lfHeight = -11;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        face = "MS Shell Dlg";
        break;
    case ANSI_VAR_FONT:
        lf.lfHeight = 12;
        lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        face = "MS Sans Serif";
        break;
    case ANSI_FIXED_FONT:
        lf.lfHeight = 12;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        face = "Courier";
        break;
    case OEM_FIXED_FONT:
        lf.lfHeight = 12;
        lf.lfCharSet = OEM_CHARSET;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        face = "Terminal";
        break;
    case SYSTEM_FIXED_FONT:
        lf.lfHeight = 15;
        lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        face = "Fixedsys";
        break;
    default:
        break;
    }
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

std::unique_ptr<GdiHandle> MakeStock(int index)
{
    std::unique_ptr<GdiHandle> g;
    auto brush = [&](UINT style, COLORREF colour) {
        g = NewHandle(OBJ_BRUSH);
        g->brushStyle = style;
        g->colour = colour;
    };
    auto pen = [&](DWORD style, COLORREF colour) {
        g = NewHandle(OBJ_PEN);
        g->penStyle = style;
        g->colour = colour;
    };
    switch (index)
    {
    case WHITE_BRUSH:
        brush(BS_SOLID, RGB(255, 255, 255));
        break;
    case LTGRAY_BRUSH:
        brush(BS_SOLID, RGB(192, 192, 192));
        break;
    case GRAY_BRUSH:
        brush(BS_SOLID, RGB(128, 128, 128));
        break;
    case DKGRAY_BRUSH:
        brush(BS_SOLID, RGB(64, 64, 64));
        break;
    case BLACK_BRUSH:
        brush(BS_SOLID, RGB(0, 0, 0));
        break;
    case NULL_BRUSH:
        brush(BS_NULL, 0);
        break;
    case DC_BRUSH:
        brush(BS_SOLID, RGB(255, 255, 255));
        g->dcColour = true;
        break;
    case WHITE_PEN:
        pen(PS_SOLID, RGB(255, 255, 255));
        break;
    case BLACK_PEN:
        pen(PS_SOLID, RGB(0, 0, 0));
        break;
    case NULL_PEN:
        pen(PS_NULL, 0);
        break;
    case DC_PEN:
        pen(PS_SOLID, RGB(0, 0, 0));
        g->dcColour = true;
        break;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
        g = NewHandle(OBJ_FONT);
        g->font = StockFont(index);
        break;
    case DEFAULT_PALETTE:
        g = NewHandle(OBJ_PAL);
        break;
    case Gdi::STOCK_BITMAP:
        g = NewHandle(OBJ_BITMAP);
        g->image = QImage(1, 1, QImage::Format_RGB32);
        g->image.fill(Gdi::MonoPixel(false));
        g->bitsPixel = 1;
        break;
    default:
        return nullptr;
    }
    g->stock = true;
    return g;
}

GdiHandle* NewPen(DWORD style, int width, COLORREF colour, std::vector<DWORD> userStyle = {})
{
    const DWORD kind = style & PS_STYLE_MASK;
    if (kind > PS_ALTERNATE)
        return nullptr;
    auto g = NewHandle(OBJ_PEN);
    g->penStyle = style;
    g->penWidth = std::abs(width);
    g->colour = colour & 0xFFFFFF;
    g->userStyle = std::move(userStyle);
    return static_cast<GdiHandle*>(Gdi::Register(std::move(g)));
}

GdiHandle* NewBrush(UINT style, COLORREF colour, ULONG_PTR hatch)
{
    if (style == BS_HATCHED && hatch > HS_DIAGCROSS)
        return nullptr;
    if (style != BS_SOLID && style != BS_NULL && style != BS_HATCHED)
        return nullptr;
    auto g = NewHandle(OBJ_BRUSH);
    g->brushStyle = style;
    g->colour = colour & 0xFFFFFF;
    g->hatch = style == BS_HATCHED ? hatch : 0;
    return static_cast<GdiHandle*>(Gdi::Register(std::move(g)));
}

GdiHandle* NewPatternBrush(HBITMAP hBitmap)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* bitmap = Gdi::LookupLocked(hBitmap, OBJ_BITMAP);
    if (!bitmap || bitmap->image.isNull())
        return nullptr;
    auto g = NewHandle(OBJ_BRUSH);
    g->brushStyle = BS_PATTERN;
    g->pattern = bitmap->image.copy();
    g->patternMono = bitmap->bitsPixel == 1;
    GdiHandle* raw = g.release();
    raw->serial = NextSerial();
    CountMade(raw);
    Live().insert(raw);
    return raw;
}

// Bytes of one row of a device-dependent bitmap: rows are padded to 16 bits.
int RowBytes(int width, int bitsPixel)
{
    return ((width * bitsPixel + 15) / 16) * 2;
}

QRgb ReadPixel(const BYTE* row, int x, int bitsPixel)
{
    switch (bitsPixel)
    {
    case 1:
        return Gdi::MonoPixel((row[x / 8] >> (7 - x % 8)) & 1);
    case 16: {
        const int v = row[2 * x] | (row[2 * x + 1] << 8);
        const int r = (v >> 10) & 0x1F, gr = (v >> 5) & 0x1F, b = v & 0x1F;
        return qRgb(r * 255 / 31, gr * 255 / 31, b * 255 / 31);
    }
    case 24:
        return qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case 32:
        return qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    default:
        return qRgb(0, 0, 0);
    }
}

void WritePixel(BYTE* row, int x, int bitsPixel, QRgb p)
{
    switch (bitsPixel)
    {
    case 1:
        if (qGray(p) >= 128)
            row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        else
            row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
        break;
    case 16: {
        const int v = ((qRed(p) >> 3) << 10) | ((qGreen(p) >> 3) << 5) | (qBlue(p) >> 3);
        row[2 * x] = static_cast<BYTE>(v & 0xFF);
        row[2 * x + 1] = static_cast<BYTE>(v >> 8);
        break;
    }
    case 24:
        row[3 * x] = static_cast<BYTE>(qBlue(p));
        row[3 * x + 1] = static_cast<BYTE>(qGreen(p));
        row[3 * x + 2] = static_cast<BYTE>(qRed(p));
        break;
    case 32:
        row[4 * x] = static_cast<BYTE>(qBlue(p));
        row[4 * x + 1] = static_cast<BYTE>(qGreen(p));
        row[4 * x + 2] = static_cast<BYTE>(qRed(p));
        row[4 * x + 3] = 0;
        break;
    default:
        break;
    }
}

bool SupportedDepth(int bitsPixel)
{
    return bitsPixel == 1 || bitsPixel == 4 || bitsPixel == 8 || bitsPixel == 16 || bitsPixel == 24 ||
           bitsPixel == 32;
}

// Larger bitmaps than this are refused rather than failing somewhere inside Qt.
constexpr qint64 kMaxBitmapPixels = qint64(1) << 28;

GdiHandle* NewBitmap(int width, int height, int bitsPixel, const void* bits)
{
    if (width < 0 || height < 0 || !SupportedDepth(bitsPixel))
        return nullptr;
    if (width == 0 || height == 0)
    {
        width = height = 1;
        bitsPixel = 1;
        bits = nullptr;
    }
    if (qint64(width) * height > kMaxBitmapPixels)
        return nullptr;
    auto g = NewHandle(OBJ_BITMAP);
    g->image = QImage(width, height, QImage::Format_RGB32);
    if (g->image.isNull())
        return nullptr;
    g->image.fill(qRgb(0, 0, 0));
    g->bitsPixel = bitsPixel;
    if (bits && (bitsPixel == 1 || bitsPixel >= 16))
    {
        const auto* data = static_cast<const BYTE*>(bits);
        const int stride = RowBytes(width, bitsPixel);
        for (int y = 0; y < height; ++y)
        {
            auto* line = reinterpret_cast<QRgb*>(g->image.scanLine(y));
            for (int x = 0; x < width; ++x)
                line[x] = ReadPixel(data + y * stride, x, bitsPixel);
        }
    }
    return static_cast<GdiHandle*>(Gdi::Register(std::move(g)));
}

int RegionType(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRect NormalRect(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                 QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

GdiHandle* NewRegion(const QRegion& region)
{
    auto g = NewHandle(OBJ_REGION);
    g->region = region;
    return static_cast<GdiHandle*>(Gdi::Register(std::move(g)));
}

QPolygon ToPolygon(const POINT* points, int count)
{
    QPolygon polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i)
        polygon << QPoint(points[i].x, points[i].y);
    return polygon;
}
} // namespace

// ---------------------------------------------------------------------------------------
// The handle table.

std::mutex& Gdi::Mutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

HGDIOBJ Gdi::Register(std::unique_ptr<GdiHandle> handle)
{
    std::lock_guard<std::mutex> lock(Mutex());
    GdiHandle* raw = handle.release();
    raw->serial = NextSerial();
    CountMade(raw);
    Live().insert(raw);
    return ToHandle(raw);
}

unsigned long long GdiObjectsMade(int type)
{
    return type >= 0 && type < 16 ? g_made[type].load() : 0;
}

GdiHandle* Gdi::LookupLocked(HGDIOBJ h, int type)
{
    if (!h)
        return nullptr;
    auto* g = static_cast<GdiHandle*>(h);
    if (!Live().count(g))
        return nullptr;
    if (type && g->type != type && !(type == OBJ_PEN && g->type == OBJ_EXTPEN))
        return nullptr;
    return g;
}

GdiHandle* Gdi::Lookup(HGDIOBJ h, int type)
{
    std::lock_guard<std::mutex> lock(Mutex());
    return LookupLocked(h, type);
}

void Gdi::AddRef(GdiHandle* handle)
{
    if (!handle || handle->stock)
        return;
    std::lock_guard<std::mutex> lock(Mutex());
    ++handle->refs;
}

void Gdi::Release(GdiHandle* handle)
{
    if (!handle || handle->stock)
        return;
    std::lock_guard<std::mutex> lock(Mutex());
    if (--handle->refs <= 0)
        DestroyLocked(handle);
}

GdiHandle* Gdi::Stock(int index)
{
    static GdiHandle* stock[STOCK_BITMAP + 1] = {};
    if (index < 0 || index > STOCK_BITMAP)
        return nullptr;
    std::lock_guard<std::mutex> lock(Mutex());
    if (!stock[index])
    {
        std::unique_ptr<GdiHandle> g = MakeStock(index);
        if (!g)
            return nullptr;
        stock[index] = g.release();
        stock[index]->serial = NextSerial();
        Live().insert(stock[index]);
    }
    return stock[index];
}

// ---------------------------------------------------------------------------------------
// CGdiObject

CGdiObject::~CGdiObject()
{
    if (m_temporary || m_immortal)
        Detach();
    else
        DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(hObject);
    if (!g)
        return nullptr;
    if (g->wrapper)
        return g->wrapper;
    if (g->temporary)
        return g->temporary;
    CGdiObject* object = NewObjectOfType(g->type);
    object->m_hObject = hObject;
    if (g->stock)
    {
        object->m_immortal = true;
        g->wrapper = object;
    }
    else
    {
        object->m_temporary = true;
        g->temporary = object;
        Temporaries().push_back(object);
    }
    return object;
}

void CGdiObject::DeleteTempMap()
{
    std::vector<CGdiObject*> temporaries;
    {
        std::lock_guard<std::mutex> lock(Gdi::Mutex());
        temporaries.swap(Temporaries());
    }
    for (CGdiObject* object : temporaries)
        delete object;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(hObject);
    if (!g || m_hObject)
        return FALSE;
    m_hObject = hObject;
    if (!g->stock && !g->wrapper)
        g->wrapper = this;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    HGDIOBJ h = m_hObject;
    if (GdiHandle* g = Gdi::LookupLocked(h))
    {
        if (g->wrapper == this)
            g->wrapper = nullptr;
        if (g->temporary == this)
            g->temporary = nullptr;
    }
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    if (m_immortal)
        return TRUE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    return h ? Attach(h) : FALSE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return ::GetObject(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const
{
    return ::GetObjectType(m_hObject);
}

// ---------------------------------------------------------------------------------------
// The Win32 functions.

HGDIOBJ GetStockObject(int nIndex)
{
    if (nIndex == Gdi::STOCK_BITMAP)
        return nullptr;
    return Gdi::ToHandle(Gdi::Stock(nIndex));
}

BOOL DeleteObject(HGDIOBJ hObject)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(hObject);
    if (!g)
        return FALSE;
    if (g->stock)
        return TRUE;
    if (g->deleted)
        return FALSE;
    g->deleted = true;
    if (--g->refs <= 0)
    {
        DestroyLocked(g);
        return TRUE;
    }
    // Still selected somewhere: it goes when the last context lets go of it.
    return FALSE;
}

int GetObject(HGDIOBJ hObject, int nCount, LPVOID lpObject)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(hObject);
    if (!g)
        return 0;
    auto copy = [&](const void* record, int size) {
        if (!lpObject)
            return size;
        const int n = std::min(nCount, size);
        if (n <= 0)
            return 0;
        std::memcpy(lpObject, record, static_cast<size_t>(n));
        return n;
    };
    switch (g->type)
    {
    case OBJ_PEN:
    case OBJ_EXTPEN: {
        LOGPEN lp{g->penStyle, {g->penWidth, 0}, g->colour};
        return copy(&lp, sizeof lp);
    }
    case OBJ_BRUSH: {
        LOGBRUSH lb{g->brushStyle, g->colour, g->hatch};
        return copy(&lb, sizeof lb);
    }
    case OBJ_FONT:
        return copy(&g->font, sizeof g->font);
    case OBJ_BITMAP: {
        BITMAP bm{0,
                  g->image.width(),
                  g->image.height(),
                  RowBytes(g->image.width(), g->bitsPixel),
                  1,
                  static_cast<WORD>(g->bitsPixel),
                  nullptr};
        return copy(&bm, sizeof bm);
    }
    case OBJ_PAL: {
        const WORD entries = 256;
        return copy(&entries, sizeof entries);
    }
    default:
        return 0;
    }
}

DWORD GetObjectType(HGDIOBJ hObject)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(hObject);
    return g ? static_cast<DWORD>(g->type) : 0;
}

HPEN CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    // A pen made this way is cosmetic; PS_USERSTYLE and PS_ALTERNATE need ExtCreatePen.
    if (nPenStyle < 0 || nPenStyle > PS_INSIDEFRAME)
        return nullptr;
    return reinterpret_cast<HPEN>(NewPen(static_cast<DWORD>(nPenStyle), nWidth, crColor));
}

HPEN CreatePenIndirect(const LOGPEN* lpLogPen)
{
    if (!lpLogPen)
        return nullptr;
    return CreatePen(static_cast<int>(lpLogPen->lopnStyle), lpLogPen->lopnWidth.x, lpLogPen->lopnColor);
}

HPEN ExtCreatePen(DWORD dwPenStyle, DWORD dwWidth, const LOGBRUSH* lpLogBrush, DWORD dwStyleCount,
                  const DWORD* lpStyle)
{
    if (!lpLogBrush)
        return nullptr;
    const DWORD kind = dwPenStyle & PS_STYLE_MASK;
    std::vector<DWORD> userStyle;
    if (kind == PS_USERSTYLE)
    {
        if (!lpStyle || dwStyleCount == 0 || dwStyleCount > 16)
            return nullptr;
        userStyle.assign(lpStyle, lpStyle + dwStyleCount);
    }
    const COLORREF colour = lpLogBrush->lbStyle == BS_NULL ? 0 : lpLogBrush->lbColor;
    const DWORD style =
        lpLogBrush->lbStyle == BS_NULL ? ((dwPenStyle & ~PS_STYLE_MASK) | PS_NULL) : dwPenStyle;
    GdiHandle* g = NewPen(style, static_cast<int>(dwWidth), colour, std::move(userStyle));
    if (g)
        g->type = OBJ_EXTPEN;
    return reinterpret_cast<HPEN>(g);
}

HBRUSH CreateSolidBrush(COLORREF crColor)
{
    return reinterpret_cast<HBRUSH>(NewBrush(BS_SOLID, crColor, 0));
}

HBRUSH CreateHatchBrush(int nIndex, COLORREF crColor)
{
    if (nIndex < HS_HORIZONTAL || nIndex > HS_DIAGCROSS)
        return nullptr;
    return reinterpret_cast<HBRUSH>(NewBrush(BS_HATCHED, crColor, static_cast<ULONG_PTR>(nIndex)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    if (!lpLogBrush)
        return nullptr;
    if (lpLogBrush->lbStyle == BS_PATTERN)
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(lpLogBrush->lbHatch));
    return reinterpret_cast<HBRUSH>(NewBrush(lpLogBrush->lbStyle, lpLogBrush->lbColor, lpLogBrush->lbHatch));
}

HBRUSH CreatePatternBrush(HBITMAP hBitmap)
{
    return reinterpret_cast<HBRUSH>(NewPatternBrush(hBitmap));
}

HBRUSH GetSysColorBrush(int nIndex)
{
    static GdiHandle* brushes[COLOR_INFOBK + 1] = {};
    if (nIndex < 0 || nIndex > COLOR_INFOBK)
        return nullptr;
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    if (!brushes[nIndex])
    {
        auto g = NewHandle(OBJ_BRUSH);
        g->brushStyle = BS_SOLID;
        g->colour = GetSysColor(nIndex);
        g->stock = true;
        brushes[nIndex] = g.release();
        brushes[nIndex]->serial = NextSerial();
        Live().insert(brushes[nIndex]);
    }
    return reinterpret_cast<HBRUSH>(brushes[nIndex]);
}

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits)
{
    if (nPlanes != 1)
    {
        // Several planes of one bit are how some callers ask for a colour bitmap.
        nBitCount *= nPlanes;
    }
    return reinterpret_cast<HBITMAP>(NewBitmap(nWidth, nHeight, static_cast<int>(nBitCount), lpBits));
}

HRGN CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return reinterpret_cast<HRGN>(NewRegion(QRegion(NormalRect(x1, y1, x2, y2))));
}

HRGN CreatePolygonRgn(const POINT* lpPoints, int nCount, int nPolyFillMode)
{
    if (!lpPoints || nCount < 2)
        return nullptr;
    const Qt::FillRule rule = nPolyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    return reinterpret_cast<HRGN>(NewRegion(QRegion(ToPolygon(lpPoints, nCount), rule)));
}

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int nCombineMode)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* dst = Gdi::LookupLocked(hrgnDst, OBJ_REGION);
    GdiHandle* a = Gdi::LookupLocked(hrgnSrc1, OBJ_REGION);
    GdiHandle* b = Gdi::LookupLocked(hrgnSrc2, OBJ_REGION);
    if (!dst || !a || (nCombineMode != RGN_COPY && !b))
        return ERROR;
    switch (nCombineMode)
    {
    case RGN_AND:
        dst->region = a->region.intersected(b->region);
        break;
    case RGN_OR:
        dst->region = a->region.united(b->region);
        break;
    case RGN_XOR:
        dst->region = a->region.xored(b->region);
        break;
    case RGN_DIFF:
        dst->region = a->region.subtracted(b->region);
        break;
    case RGN_COPY:
        dst->region = a->region;
        break;
    default:
        return ERROR;
    }
    return RegionType(dst->region);
}

BOOL PtInRegion(HRGN hrgn, int x, int y)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(hrgn, OBJ_REGION);
    return g && g->region.contains(QPoint(x, y));
}

// ---------------------------------------------------------------------------------------
// CPen

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    CreatePen(nPenStyle, nWidth, crColor);
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle)
{
    CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return Gdi::Lookup(hPen, OBJ_PEN) ? static_cast<CPen*>(CGdiObject::FromHandle(hPen)) : nullptr;
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle)
{
    return Attach(::ExtCreatePen(static_cast<DWORD>(nPenStyle), static_cast<DWORD>(nWidth), pLogBrush,
                                 static_cast<DWORD>(nStyleCount), lpStyle));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen)
{
    return Attach(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return ::GetObject(m_hObject, sizeof(LOGPEN), pLogPen);
}

int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_PEN);
    if (!g || !pLogPen)
        return 0;
    *pLogPen = EXTLOGPEN{};
    pLogPen->elpPenStyle = g->penStyle;
    pLogPen->elpWidth = static_cast<DWORD>(g->penWidth);
    pLogPen->elpBrushStyle = (g->penStyle & PS_STYLE_MASK) == PS_NULL ? BS_NULL : BS_SOLID;
    pLogPen->elpColor = g->colour;
    pLogPen->elpNumEntries = static_cast<DWORD>(g->userStyle.size());
    if (!g->userStyle.empty())
        pLogPen->elpStyleEntry[0] = g->userStyle[0];
    return static_cast<int>(sizeof(EXTLOGPEN));
}

// ---------------------------------------------------------------------------------------
// CBrush

CBrush::CBrush(COLORREF crColor)
{
    CreateSolidBrush(crColor);
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    CreateHatchBrush(nIndex, crColor);
}

CBrush::CBrush(CBitmap* pBitmap)
{
    CreatePatternBrush(pBitmap);
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return Gdi::Lookup(hBrush, OBJ_BRUSH) ? static_cast<CBrush*>(CGdiObject::FromHandle(hBrush)) : nullptr;
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return Attach(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return Attach(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return pBitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject))) : FALSE;
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    return Attach(::CreateSolidBrush(GetSysColor(nIndex)));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return ::GetObject(m_hObject, sizeof(LOGBRUSH), pLogBrush);
}

// ---------------------------------------------------------------------------------------
// CBitmap

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap)
{
    return Gdi::Lookup(hBitmap, OBJ_BITMAP) ? static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap))
                                            : nullptr;
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits)
{
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* lpBitmap)
{
    if (!lpBitmap)
        return FALSE;
    return CreateBitmap(lpBitmap->bmWidth, lpBitmap->bmHeight, lpBitmap->bmPlanes, lpBitmap->bmBitsPixel,
                        lpBitmap->bmBits);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*pDC*/, int nWidth, int nHeight)
{
    // Every context this layer draws on holds colour, so a compatible bitmap is a colour one
    // (a monochrome memory context never passes its depth on).
    return Attach(NewBitmap(nWidth, nHeight, 32, nullptr));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap);
}

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_BITMAP);
    if (!g || !lpBits)
        return 0;
    const int stride = RowBytes(g->image.width(), g->bitsPixel);
    const DWORD total = static_cast<DWORD>(stride) * static_cast<DWORD>(g->image.height());
    const DWORD n = std::min(dwCount, total);
    std::vector<BYTE> row(static_cast<size_t>(stride));
    auto* out = static_cast<BYTE*>(lpBits);
    DWORD done = 0;
    for (int y = 0; y < g->image.height() && done < n; ++y)
    {
        std::fill(row.begin(), row.end(), BYTE(0));
        const auto* line = reinterpret_cast<const QRgb*>(g->image.constScanLine(y));
        for (int x = 0; x < g->image.width(); ++x)
            WritePixel(row.data(), x, g->bitsPixel, line[x]);
        const DWORD part = std::min<DWORD>(n - done, static_cast<DWORD>(stride));
        std::memcpy(out + done, row.data(), part);
        done += part;
    }
    return done;
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_BITMAP);
    if (!g || g->stock || !lpBits || (g->bitsPixel < 16 && g->bitsPixel != 1))
        return 0;
    const int stride = RowBytes(g->image.width(), g->bitsPixel);
    const auto* in = static_cast<const BYTE*>(lpBits);
    const int rows = std::min(g->image.height(), static_cast<int>(dwCount / static_cast<DWORD>(stride)));
    for (int y = 0; y < rows; ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(g->image.scanLine(y));
        for (int x = 0; x < g->image.width(); ++x)
            line[x] = ReadPixel(in + y * stride, x, g->bitsPixel);
    }
    return static_cast<DWORD>(rows * stride);
}

CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_BITMAP);
    if (!g)
        return CSize(0, 0);
    const CSize previous(g->dimension);
    g->dimension = SIZE{nWidth, nHeight};
    return previous;
}

CSize CBitmap::GetBitmapDimension() const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_BITMAP);
    return g ? CSize(g->dimension) : CSize(0, 0);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    QImage image;
    if (!AfxLoadBitmapImage(nIDResource, image))
        return FALSE;
    if (m_hObject)
        DeleteObject();
    return CreateFromImage(image);
}

BOOL CBitmap::CreateFromImage(const QImage& image)
{
    if (image.isNull() || qint64(image.width()) * image.height() > kMaxBitmapPixels)
        return FALSE;
    auto g = NewHandle(OBJ_BITMAP);
    g->image = image.convertToFormat(QImage::Format_RGB32);
    g->bitsPixel = 32;
    return Attach(Gdi::Register(std::move(g)));
}

namespace
{
// Whether a bitmap file holds every row its header asks for: the reader fills the rows of a
// truncated file with whatever it likes. Compressed files are left to the reader.
bool BitmapFileWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(34);
    if (head.size() < 34 || head[0] != 'B' || head[1] != 'M')
        return false;
    const auto u32 = [&head](int at) {
        uint32_t v = 0;
        std::memcpy(&v, head.constData() + at, 4);
        return v;
    };
    uint16_t bits = 0;
    std::memcpy(&bits, head.constData() + 28, 2);
    const int32_t width = static_cast<int32_t>(u32(18));
    const int32_t height = static_cast<int32_t>(u32(22));
    const uint32_t compression = u32(30);
    if (compression != 0 && compression != 3) // BI_RGB, BI_BITFIELDS
        return true;
    const qint64 rowBytes = (qint64(width) * bits + 31) / 32 * 4;
    const qint64 rows = height < 0 ? -qint64(height) : qint64(height);
    return file.size() >= qint64(u32(10)) + rowBytes * rows;
}
} // namespace

HANDLE LoadImage(HINSTANCE, LPCTSTR name, UINT type, int cx, int cy, UINT fuLoad)
{
    if (type != IMAGE_BITMAP || !(fuLoad & LR_LOADFROMFILE) || !name || !*name)
        return nullptr;
    // Bitmap files only, whatever the name or the content looks like otherwise.
    const QString path = LinuxPathFromWindows(name);
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return nullptr;
    if (qint64(size.width()) * size.height() > kMaxBitmapPixels)
        return nullptr;
    if ((cx > 0 && size.width() > cx) || (cy > 0 && size.height() > cy))
        return nullptr;
    QImage image;
    if (!BitmapFileWhole(path) || !reader.read(&image) || image.size() != size)
        return nullptr;
    CBitmap bitmap;
    if (!bitmap.CreateFromImage(image))
        return nullptr;
    return bitmap.Detach();
}

QImage CBitmap::ToImage() const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_BITMAP);
    return g ? g->image.copy() : QImage();
}

// ---------------------------------------------------------------------------------------
// CRgn

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return Gdi::Lookup(hRgn, OBJ_REGION) ? static_cast<CRgn*>(CGdiObject::FromHandle(hRgn)) : nullptr;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return Attach(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Attach(NewRegion(QRegion(NormalRect(x1, y1, x2, y2), QRegion::Ellipse)));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return lpRect ? CreateEllipticRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const int* lpPolyCounts, int nCount, int nPolyFillMode)
{
    if (!lpPoints || !lpPolyCounts || nCount <= 0)
        return FALSE;
    // Alternate filling: a point is inside when an odd number of the polygons hold it;
    // winding: when any does.
    QRegion region;
    int first = 0;
    for (int i = 0; i < nCount; ++i)
    {
        if (lpPolyCounts[i] < 2)
            return FALSE;
        const QPolygon polygon = ToPolygon(lpPoints + first, lpPolyCounts[i]);
        if (nPolyFillMode == WINDING)
            region = region.united(QRegion(polygon, Qt::WindingFill));
        else
            region = region.xored(QRegion(polygon, Qt::OddEvenFill));
        first += lpPolyCounts[i];
    }
    return Attach(NewRegion(region));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    const QRect rect = NormalRect(x1, y1, x2, y2);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect.left(), rect.top(), rect.width(), rect.height()), x3 / 2.0, y3 / 2.0);
    return Attach(NewRegion(QRegion(path.toFillPolygon().toPolygon())));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    if (GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_REGION))
        g->region = QRegion(NormalRect(x1, y1, x2, y2));
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    if (lpRect)
        SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(static_cast<HRGN>(m_hObject), pRgn1 ? static_cast<HRGN>(pRgn1->m_hObject) : nullptr,
                        pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return CombineRgn(pRgnSrc, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* a = Gdi::LookupLocked(m_hObject, OBJ_REGION);
    GdiHandle* b = pRgn ? Gdi::LookupLocked(pRgn->m_hObject, OBJ_REGION) : nullptr;
    return a && b && a->region == b->region;
}

int CRgn::OffsetRgn(int x, int y)
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_REGION);
    if (!g)
        return ERROR;
    g->region.translate(x, y);
    return RegionType(g->region);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_REGION);
    if (!g || !lpRect)
        return ERROR;
    const QRect box = g->region.boundingRect();
    *lpRect = g->region.isEmpty()
                  ? RECT{0, 0, 0, 0}
                  : RECT{box.left(), box.top(), box.left() + box.width(), box.top() + box.height()};
    return RegionType(g->region);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_REGION);
    if (!g || !lpRect)
        return FALSE;
    return g->region.intersects(NormalRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom));
}

QRegion CRgn::ToQRegion() const
{
    std::lock_guard<std::mutex> lock(Gdi::Mutex());
    GdiHandle* g = Gdi::LookupLocked(m_hObject, OBJ_REGION);
    return g ? g->region : QRegion();
}
