// CDC: creation, objects, state, mapping, clipping, device capabilities and printing.
#include "platform/ui/Dc.h"

#include "platform/core/Path.h"
#include "platform/ui/Colour.h"
#include "platform/ui/GdiPrivate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <cmath>
#include <cstring>
#include <unordered_set>

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace
{
std::mutex& DcMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::unordered_set<HDC>& LiveDcs()
{
    static auto* live = new std::unordered_set<HDC>;
    return *live;
}

std::vector<CDC*>& TemporaryDcs()
{
    static auto* temporaries = new std::vector<CDC*>;
    return *temporaries;
}

bool IsLive(HDC d)
{
    std::lock_guard<std::mutex> lock(DcMutex());
    return d && LiveDcs().count(d);
}

// What tests fix about the screen; 0 = as the screen reports.
double g_pixelsPerMillimetre = 0;
int g_screenWidth = 0;
int g_screenHeight = 0;
int g_logPixels = 0;

QScreen* PrimaryScreen()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen()
                                                                        : nullptr;
}

QSize ScreenSize()
{
    if (g_screenWidth > 0 && g_screenHeight > 0)
        return QSize(g_screenWidth, g_screenHeight);
    if (QScreen* screen = PrimaryScreen())
        return screen->size();
    return QSize(1024, 768);
}

// Millimetres of the screen; 0 when it reports none.
QSizeF ScreenMillimetres()
{
    const QSize pixels = ScreenSize();
    if (g_pixelsPerMillimetre > 0)
        return QSizeF(pixels.width() / g_pixelsPerMillimetre, pixels.height() / g_pixelsPerMillimetre);
    if (QScreen* screen = PrimaryScreen())
        return screen->physicalSize();
    return QSizeF(0, 0);
}

GdiHandle* StockOf(int index)
{
    return Gdi::Stock(index);
}

// Selected objects hold a reference each.
void TakeRefs(const DcAttributes& a)
{
    Gdi::AddRef(a.pen);
    Gdi::AddRef(a.brush);
    Gdi::AddRef(a.font);
    Gdi::AddRef(a.bitmap);
    Gdi::AddRef(a.palette);
}

void DropRefs(DcAttributes& a)
{
    Gdi::Release(a.pen);
    Gdi::Release(a.brush);
    Gdi::Release(a.font);
    Gdi::Release(a.bitmap);
    Gdi::Release(a.palette);
    a.pen = a.brush = a.font = a.bitmap = a.palette = nullptr;
}

HDC NewDc(HDC__::Kind kind)
{
    auto* d = new HDC__;
    d->kind = kind;
    d->a.pen = StockOf(BLACK_PEN);
    d->a.brush = StockOf(WHITE_BRUSH);
    d->a.font = StockOf(SYSTEM_FONT);
    d->a.palette = StockOf(DEFAULT_PALETTE);
    if (kind == HDC__::Memory)
        d->a.bitmap = StockOf(Gdi::STOCK_BITMAP);
    d->infoImage = QImage(1, 1, QImage::Format_RGB32);
    d->infoImage.fill(Qt::white);
    std::lock_guard<std::mutex> lock(DcMutex());
    LiveDcs().insert(d);
    return d;
}

void EndOwnPainter(HDC d)
{
    if (d->ownPainter)
    {
        if (d->ownPainter->isActive())
            d->ownPainter->end();
        d->ownPainter.reset();
    }
    if (d->kind != HDC__::Painter)
        d->painter = nullptr;
}

// The image a memory context paints on: its bitmap's, or a scratch pixel while it holds the
// shared default bitmap (or a bitmap that another context has selected).
QImage* MemorySurface(HDC d)
{
    GdiHandle* bitmap = d->a.bitmap;
    if (!bitmap || bitmap->stock || (bitmap->selectedIn && bitmap->selectedIn != d))
        return &d->infoImage;
    return &bitmap->image;
}

void StartMemoryPainter(HDC d)
{
    EndOwnPainter(d);
    QImage* surface = MemorySurface(d);
    d->monochrome = d->a.bitmap && d->a.bitmap->bitsPixel == 1;
    d->device = surface;
    d->ownPainter = std::make_unique<QPainter>();
    if (d->ownPainter->begin(surface))
    {
        d->painter = d->ownPainter.get();
        DcImpl::InitPainter(d);
    }
    else
    {
        d->ownPainter.reset();
        d->painter = nullptr;
    }
}

void AbortPrinting(HDC d)
{
    if (!d->docStarted)
        return;
    if (d->printer && d->ownPainter)
        d->printer->abort();
    EndOwnPainter(d);
    if (!d->partialPath.isEmpty())
        QFile::remove(d->partialPath);
    d->partialPath.clear();
    d->docStarted = false;
    d->pageOpen = false;
}

void DestroyDc(HDC d)
{
    {
        std::lock_guard<std::mutex> lock(DcMutex());
        if (!LiveDcs().erase(d))
            return;
    }
    AbortPrinting(d);
    if (d->kind == HDC__::Painter && d->restorePainter && d->painter && d->painter->isActive())
        d->painter->restore();
    EndOwnPainter(d);
    {
        std::lock_guard<std::mutex> lock(Gdi::Mutex());
        if (d->a.bitmap && d->a.bitmap->selectedIn == d)
            d->a.bitmap->selectedIn = nullptr;
        for (DcAttributes& saved : d->saved)
            if (saved.bitmap && saved.bitmap->selectedIn == d)
                saved.bitmap->selectedIn = nullptr;
    }
    DropRefs(d->a);
    for (DcAttributes& saved : d->saved)
        DropRefs(saved);
    // Objects still wrapping the context are left without a handle rather than dangling.
    for (CDC* dc : {d->temporary, d->wrapper})
        if (dc)
            dc->m_hDC = dc->m_hAttribDC = nullptr;
    delete d;
}

bool IsPrinterDc(HDC d)
{
    if (d->kind == HDC__::Printer)
        return true;
    return d->kind == HDC__::Painter && d->device && d->device->devType() == QInternal::Printer;
}

QPrinter* PrinterOf(HDC d)
{
    if (d->printer)
        return d->printer;
    if (d->kind == HDC__::Painter && d->device && d->device->devType() == QInternal::Printer)
        return static_cast<QPrinter*>(d->device);
    return nullptr;
}

QString SafeFileName(const QString& name)
{
    QString safe;
    for (QChar c : name)
        safe += (c < QChar(32) || QStringLiteral("\\/:*?\"<>|").contains(c)) ? QChar('_') : c;
    safe = safe.trimmed();
    return safe.isEmpty() ? QStringLiteral("Document") : safe;
}

int MetricUnitsPerInch(int mapMode)
{
    switch (mapMode)
    {
    case MM_LOMETRIC:
        return 254;
    case MM_HIMETRIC:
        return 2540;
    case MM_LOENGLISH:
        return 100;
    case MM_HIENGLISH:
        return 1000;
    case MM_TWIPS:
        return 1440;
    default:
        return 0;
    }
}

// In MM_ISOTROPIC the viewport extent shrinks so that one logical unit is as long on x as on y.
void MakeIsotropic(DcAttributes& a)
{
    if (a.mapMode != MM_ISOTROPIC || a.windowExt.width() == 0 || a.windowExt.height() == 0)
        return;
    const double sx = std::abs(static_cast<double>(a.viewportExt.width()) / a.windowExt.width());
    const double sy = std::abs(static_cast<double>(a.viewportExt.height()) / a.windowExt.height());
    if (sx < sy)
    {
        const int cy = static_cast<int>(std::lround(std::abs(a.windowExt.height()) * sx));
        a.viewportExt.setHeight(a.viewportExt.height() < 0 ? -cy : cy);
    }
    else if (sy < sx)
    {
        const int cx = static_cast<int>(std::lround(std::abs(a.windowExt.width()) * sy));
        a.viewportExt.setWidth(a.viewportExt.width() < 0 ? -cx : cx);
    }
}
} // namespace

// ---------------------------------------------------------------------------------------
// Helpers shared with the other sources of CDC.

int Gdi::DisplayLogPixels()
{
    if (g_logPixels > 0)
        return g_logPixels;
    if (QScreen* screen = PrimaryScreen())
        return std::max(1, static_cast<int>(std::lround(screen->logicalDotsPerInchY())));
    return 96;
}

bool DcImpl::Ready(HDC d)
{
    return d && d->painter && d->painter->isActive();
}

void DcImpl::InitPainter(HDC d)
{
    QPainter* p = d->painter;
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setRenderHint(QPainter::SmoothPixmapTransform, false);
    p->setRenderHint(QPainter::TextAntialiasing, !d->monochrome);
    p->setBackgroundMode(Qt::TransparentMode);
    d->clipDirty = true;
}

std::optional<QRegion> DcImpl::EffectiveClip(HDC d)
{
    if (d->a.clip && d->baseClip)
        return d->a.clip->intersected(*d->baseClip);
    if (d->a.clip)
        return d->a.clip;
    return d->baseClip;
}

void DcImpl::Sync(HDC d)
{
    QPainter* p = d->painter;
    // Setting even the same transform marks the painter's state changed, which every later
    // call then pays for; drawing a pixel at a time goes through here for each pixel.
    if (p->worldTransform() != d->baseTransform)
        p->setWorldTransform(d->baseTransform);
    if (!d->clipDirty)
        return;
    d->direct.known = false;
    const std::optional<QRegion> clip = EffectiveClip(d);
    if (clip)
        p->setClipRegion(*clip);
    else
        p->setClipping(false);
    d->clipDirty = false;
}

bool DcImpl::IsIdentityMapping(HDC d)
{
    return d->a.windowExt == d->a.viewportExt || d->a.mapMode == MM_TEXT;
}

double DcImpl::ScaleX(HDC d)
{
    if (IsIdentityMapping(d))
        return 1.0;
    return static_cast<double>(d->a.viewportExt.width()) / d->a.windowExt.width();
}

double DcImpl::ScaleY(HDC d)
{
    if (IsIdentityMapping(d))
        return 1.0;
    return static_cast<double>(d->a.viewportExt.height()) / d->a.windowExt.height();
}

QPoint DcImpl::ToDevice(HDC d, int x, int y)
{
    const DcAttributes& a = d->a;
    if (IsIdentityMapping(d))
        return QPoint(x - a.windowOrg.x() + a.viewportOrg.x(), y - a.windowOrg.y() + a.viewportOrg.y());
    return QPoint(static_cast<int>(std::lround((x - a.windowOrg.x()) * ScaleX(d))) + a.viewportOrg.x(),
                  static_cast<int>(std::lround((y - a.windowOrg.y()) * ScaleY(d))) + a.viewportOrg.y());
}

QPointF DcImpl::ToDeviceF(HDC d, double x, double y)
{
    const DcAttributes& a = d->a;
    return QPointF((x - a.windowOrg.x()) * ScaleX(d) + a.viewportOrg.x(),
                   (y - a.windowOrg.y()) * ScaleY(d) + a.viewportOrg.y());
}

QPoint DcImpl::ToLogical(HDC d, int x, int y)
{
    const DcAttributes& a = d->a;
    if (IsIdentityMapping(d))
        return QPoint(x - a.viewportOrg.x() + a.windowOrg.x(), y - a.viewportOrg.y() + a.windowOrg.y());
    return QPoint(static_cast<int>(std::lround((x - a.viewportOrg.x()) / ScaleX(d))) + a.windowOrg.x(),
                  static_cast<int>(std::lround((y - a.viewportOrg.y()) / ScaleY(d))) + a.windowOrg.y());
}

QRect DcImpl::DeviceRect(HDC d, int x1, int y1, int x2, int y2)
{
    const QPoint p1 = ToDevice(d, x1, y1);
    const QPoint p2 = ToDevice(d, x2, y2);
    const int left = std::min(p1.x(), p2.x()), right = std::max(p1.x(), p2.x());
    const int top = std::min(p1.y(), p2.y()), bottom = std::max(p1.y(), p2.y());
    return QRect(left, top, right - left, bottom - top);
}

QRect DcImpl::SurfaceRect(HDC d)
{
    switch (d->kind)
    {
    case HDC__::Memory:
        return MemorySurface(d)->rect();
    case HDC__::Info:
        return QRect(QPoint(0, 0), ScreenSize());
    case HDC__::Printer:
        if (d->printer)
            return QRect(0, 0, d->printer->width(), d->printer->height());
        return QRect();
    default:
        if (d->device)
            return QRect(0, 0, d->device->width(), d->device->height());
        return QRect();
    }
}

QRegion DcImpl::VisibleRegion(HDC d)
{
    const QRect surface = SurfaceRect(d);
    const std::optional<QRegion> clip = EffectiveClip(d);
    return clip ? clip->intersected(surface) : QRegion(surface);
}

bool DcImpl::IsVisible(HDC d, const QPoint& point)
{
    return SurfaceRect(d).contains(point) && (!d->a.clip || d->a.clip->contains(point)) &&
           (!d->baseClip || d->baseClip->contains(point));
}

QImage* DcImpl::TargetImage(HDC d)
{
    if (d->kind == HDC__::Memory)
        return MemorySurface(d);
    if (d->device && d->device->devType() == QInternal::Image && d->baseTransform.isIdentity())
        return static_cast<QImage*>(d->device);
    return nullptr;
}

QImage* DcImpl::DirectSurface(HDC d, QRect* clip)
{
    HDC__::DirectTarget& t = d->direct;
    QImage* image = TargetImage(d);
    // The clip's changes reset `known` (Sync); a bitmap selected elsewhere, another painter or
    // an image whose buffer moved are seen here.
    if (!t.known || t.painter != d->painter || t.image != image || (image && image->constBits() != t.bits))
    {
        t = HDC__::DirectTarget{};
        t.known = true;
        t.painter = d->painter;
        t.image = image;
        t.bits = image ? image->constBits() : nullptr;
        const bool plain = image && d->painter && d->painter->combinedTransform().isIdentity() &&
                           d->painter->opacity() == 1.0 && image->devicePixelRatio() == 1.0 &&
                           (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32 ||
                            image->format() == QImage::Format_ARGB32_Premultiplied);
        const QRegion visible = plain ? VisibleRegion(d).intersected(image->rect()) : QRegion();
        t.writable = plain && visible.rectCount() <= 1;
        t.clip = t.writable ? visible.boundingRect() : QRect();
    }
    if (!t.writable)
        return nullptr;
    *clip = t.clip;
    return t.image;
}

QRgb DcImpl::Pixel(HDC d, COLORREF colour)
{
    // A monochrome bitmap holds white only where the colour is white.
    if (d->monochrome)
        return Gdi::MonoPixel((colour & 0xFFFFFF) == 0xFFFFFF);
    return QRgbFromColorRef(colour);
}

QColor DcImpl::Colour(HDC d, COLORREF colour)
{
    return QColor(Pixel(d, colour));
}

QPainter::CompositionMode DcImpl::Rop2Mode(int rop2)
{
    switch (rop2)
    {
    case R2_NOTMERGEPEN:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN:
        return QPainter::RasterOp_NotSourceAndDestination;
    case R2_NOTCOPYPEN:
        return QPainter::RasterOp_NotSource;
    case R2_MASKPENNOT:
        return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT:
        return QPainter::RasterOp_NotDestination;
    case R2_XORPEN:
        return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTMASKPEN:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MASKPEN:
        return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN:
        return QPainter::RasterOp_NotSourceXorDestination;
    case R2_NOP:
        return QPainter::CompositionMode_Destination;
    case R2_MERGENOTPEN:
        return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT:
        return QPainter::RasterOp_SourceOrNotDestination;
    case R2_MERGEPEN:
        return QPainter::RasterOp_SourceOrDestination;
    case R2_BLACK:
    case R2_WHITE:
    case R2_COPYPEN:
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

QPaintDevice* DcImpl::MetricsDevice(HDC d)
{
    if (d->printer)
        return d->printer;
    if (d->device)
        return d->device;
    return &d->infoImage;
}

// ---------------------------------------------------------------------------------------
// Creation and handles

CDC::~CDC()
{
    if (m_temporary)
        Detach();
    else if (m_hDC)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    if (!IsLive(hDC))
        return nullptr;
    if (hDC->wrapper)
        return hDC->wrapper;
    if (hDC->temporary)
        return hDC->temporary;
    auto* dc = new CDC;
    dc->m_hDC = dc->m_hAttribDC = hDC;
    dc->m_bPrinting = IsPrinterDc(hDC);
    dc->m_temporary = true;
    hDC->temporary = dc;
    std::lock_guard<std::mutex> lock(DcMutex());
    TemporaryDcs().push_back(dc);
    return dc;
}

void CDC::DeleteTempMap()
{
    std::vector<CDC*> temporaries;
    {
        std::lock_guard<std::mutex> lock(DcMutex());
        temporaries.swap(TemporaryDcs());
    }
    for (CDC* dc : temporaries)
        delete dc;
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !IsLive(hDC))
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    if (!hDC->wrapper)
        hDC->wrapper = this;
    m_bPrinting = IsPrinterDc(hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    if (IsLive(h))
    {
        if (h->wrapper == this)
            h->wrapper = nullptr;
        if (h->temporary == this)
            h->temporary = nullptr;
    }
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* /*pDC*/)
{
    if (m_hDC)
        return FALSE;
    HDC d = NewDc(HDC__::Memory);
    StartMemoryPainter(d);
    return Attach(d);
}

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void*)
{
    if (m_hDC)
        return FALSE;
    const bool display =
        (lpszDriverName &&
         QString::fromLatin1(lpszDriverName).compare(QLatin1String("DISPLAY"), Qt::CaseInsensitive) == 0) ||
        (!lpszDriverName && !lpszDeviceName);
    if (display)
    {
        HDC d = NewDc(HDC__::Info);
        d->device = &d->infoImage;
        d->ownPainter = std::make_unique<QPainter>(&d->infoImage);
        d->painter = d->ownPainter.get();
        DcImpl::InitPainter(d);
        return Attach(d);
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setResolution(600);
    const QString device = Cp1252ToQString(lpszDeviceName ? lpszDeviceName : "");
    if (!device.isEmpty() && QPrinterInfo::availablePrinterNames().contains(device))
    {
        printer->setOutputFormat(QPrinter::NativeFormat);
        printer->setPrinterName(device);
    }
    else
    {
        printer->setOutputFormat(QPrinter::PdfFormat);
    }
    QPrinter* raw = printer.release();
    if (!AttachPrinter(raw, TRUE))
    {
        delete raw;
        return FALSE;
    }
    if (lpszOutput && *lpszOutput)
        m_hDC->outputName = Cp1252ToQString(lpszOutput);
    return TRUE;
}

BOOL CDC::CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData)
{
    return CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, lpInitData);
}

namespace
{
HDC NewPainterDc(QPainter* painter, bool restoreAtEnd)
{
    HDC d = NewDc(HDC__::Painter);
    d->painter = painter;
    d->device = painter->device();
    if (restoreAtEnd)
        painter->save();
    d->restorePainter = restoreAtEnd;
    d->baseTransform = painter->worldTransform();
    if (painter->hasClipping())
        d->baseClip = painter->clipRegion();
    DcImpl::InitPainter(d);
    return d;
}
} // namespace

BOOL CDC::Attach(QPainter* painter)
{
    if (m_hDC || !painter || !painter->isActive())
        return FALSE;
    return Attach(NewPainterDc(painter, true));
}

CDC* CDC::FromPainter(QPainter* painter)
{
    if (!painter || !painter->isActive())
        return nullptr;
    {
        std::lock_guard<std::mutex> lock(DcMutex());
        for (CDC* dc : TemporaryDcs())
            if (dc->m_hDC && dc->m_hDC->kind == HDC__::Painter && dc->m_hDC->painter == painter &&
                dc->m_hDC->device == painter->device())
                return dc;
    }
    // The painter may end before the temporary goes, so its state is not given back.
    auto* dc = new CDC;
    dc->Attach(NewPainterDc(painter, false));
    std::lock_guard<std::mutex> lock(DcMutex());
    TemporaryDcs().push_back(dc);
    return dc;
}

BOOL CDC::AttachPrinter(QPrinter* printer, BOOL bTakeOwnership)
{
    if (m_hDC || !printer)
        return FALSE;
    HDC d = NewDc(HDC__::Printer);
    d->printer = printer;
    d->device = printer;
    if (bTakeOwnership)
        d->ownPrinter.reset(printer);
    Attach(d);
    m_bPrinting = TRUE;
    return TRUE;
}

BOOL CDC::AttachDevice(QPaintDevice* device)
{
    if (m_hDC || !device)
        return FALSE;
    HDC d = NewDc(HDC__::Device);
    d->device = device;
    d->ownPainter = std::make_unique<QPainter>();
    if (!d->ownPainter->begin(device))
    {
        d->ownPainter.reset();
        DestroyDc(d);
        return FALSE;
    }
    d->painter = d->ownPainter.get();
    DcImpl::InitPainter(d);
    return Attach(d);
}

void CDC::ReleaseDevice()
{
    DeleteDC();
}

QPainter* CDC::GetPainter() const
{
    if (!IsLive(m_hDC))
        return nullptr;
    if (DcImpl::Ready(m_hDC))
        DcImpl::Sync(m_hDC);
    return m_hDC->painter;
}

QPaintDevice* CDC::GetDevice() const
{
    return IsLive(m_hDC) ? m_hDC->device : nullptr;
}

// ---------------------------------------------------------------------------------------
// Device capabilities

void CDC::SetPixelsPerMillimetre(double pixelsPerMillimetre)
{
    g_pixelsPerMillimetre = pixelsPerMillimetre > 0 ? pixelsPerMillimetre : 0;
}

void CDC::SetScreenSize(int width, int height)
{
    g_screenWidth = width > 0 ? width : 0;
    g_screenHeight = height > 0 ? height : 0;
}

void CDC::SetLogPixels(int dotsPerInch)
{
    g_logPixels = dotsPerInch > 0 ? dotsPerInch : 0;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return 0;
    if (IsPrinterDc(d))
    {
        QPrinter* printer = PrinterOf(d);
        QPaintDevice* device = printer ? static_cast<QPaintDevice*>(printer) : d->device;
        const int res = printer ? printer->resolution() : device->logicalDpiX();
        QRect full(0, 0, device->width(), device->height());
        QRect paint = full;
        if (printer)
        {
            const QPageLayout layout = printer->pageLayout();
            full = layout.fullRectPixels(res);
            paint = layout.paintRectPixels(res);
        }
        const bool colour = !printer || printer->colorMode() == QPrinter::Color;
        switch (nIndex)
        {
        case TECHNOLOGY:
            return DT_RASPRINTER;
        case HORZRES:
            return paint.width();
        case VERTRES:
            return paint.height();
        case HORZSIZE:
            return static_cast<int>(std::lround(paint.width() * 25.4 / res));
        case VERTSIZE:
            return static_cast<int>(std::lround(paint.height() * 25.4 / res));
        case LOGPIXELSX:
        case LOGPIXELSY:
            return res;
        case PHYSICALWIDTH:
            return full.width();
        case PHYSICALHEIGHT:
            return full.height();
        case PHYSICALOFFSETX:
            return paint.left() - full.left();
        case PHYSICALOFFSETY:
            return paint.top() - full.top();
        case BITSPIXEL:
            return colour ? 24 : 1;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return colour ? -1 : 2;
        case RASTERCAPS:
            return RC_BITBLT | RC_STRETCHBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHDIB;
        case ASPECTX:
        case ASPECTY:
            return res;
        case ASPECTXY:
            return static_cast<int>(std::lround(res * std::sqrt(2.0)));
        case COLORRES:
            return 24;
        case CLIPCAPS:
            return 1;
        case CURVECAPS:
        case LINECAPS:
        case POLYGONALCAPS:
            return 0xFF;
        case TEXTCAPS:
            return 0x7807;
        default:
            return 0;
        }
    }
    const QSize screen = ScreenSize();
    const QSizeF millimetres = ScreenMillimetres();
    switch (nIndex)
    {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZRES:
    case DESKTOPHORZRES:
        return screen.width();
    case VERTRES:
    case DESKTOPVERTRES:
        return screen.height();
    case HORZSIZE:
        return static_cast<int>(std::lround(millimetres.width()));
    case VERTSIZE:
        return static_cast<int>(std::lround(millimetres.height()));
    case LOGPIXELSX:
    case LOGPIXELSY:
        return Gdi::DisplayLogPixels();
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case NUMBRUSHES:
    case NUMPENS:
        return -1;
    case NUMFONTS:
        return 0;
    case COLORRES:
        return 24;
    case SIZEPALETTE:
    case NUMRESERVED:
        return 0;
    case RASTERCAPS:
        return RC_BITBLT | RC_STRETCHBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHDIB |
               RC_FLOODFILL;
    case ASPECTX:
    case ASPECTY:
        return 36;
    case ASPECTXY:
        return 51;
    case CLIPCAPS:
        return 1;
    case CURVECAPS:
    case LINECAPS:
    case POLYGONALCAPS:
        return 0xFF;
    case TEXTCAPS:
        return 0x7E00;
    case VREFRESH:
        return 60;
    case BLTALIGNMENT:
        return 0;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------------------
// Objects

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return nullptr;
    GdiHandle* g = Gdi::Lookup(hObject);
    if (!g)
        return nullptr;
    GdiHandle** slot = nullptr;
    switch (g->type)
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        slot = &d->a.pen;
        break;
    case OBJ_BRUSH:
        slot = &d->a.brush;
        break;
    case OBJ_FONT:
        slot = &d->a.font;
        break;
    case OBJ_PAL:
        slot = &d->a.palette;
        break;
    case OBJ_REGION: {
        CRgn* rgn = CRgn::FromHandle(static_cast<HRGN>(hObject));
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(SelectClipRgn(rgn)));
    }
    case OBJ_BITMAP: {
        if (d->kind != HDC__::Memory)
            return nullptr;
        GdiHandle* old = d->a.bitmap;
        if (old == g)
            return hObject;
        {
            std::lock_guard<std::mutex> lock(Gdi::Mutex());
            // A bitmap can be selected into one context at a time.
            if (!g->stock && g->selectedIn && g->selectedIn != d)
                return nullptr;
            if (!g->stock)
                g->selectedIn = d;
            if (old && old->selectedIn == d)
                old->selectedIn = nullptr;
        }
        EndOwnPainter(d);
        Gdi::AddRef(g);
        d->a.bitmap = g;
        StartMemoryPainter(d);
        Gdi::Release(old);
        return Gdi::ToHandle(old);
    }
    default:
        return nullptr;
    }
    GdiHandle* old = *slot;
    if (old == g)
        return hObject;
    Gdi::AddRef(g);
    *slot = g;
    Gdi::Release(old);
    return Gdi::ToHandle(old);
}

namespace
{
// Selects an object and gives back the object it replaced, found before the replaced handle
// can be freed (when its creator deleted it while it was selected).
template <typename T> T* SelectTyped(CDC* dc, HDC d, CGdiObject* object, int type)
{
    if (!object || !IsLive(d))
        return nullptr;
    GdiHandle* current = nullptr;
    switch (type)
    {
    case OBJ_PEN:
        current = d->a.pen;
        break;
    case OBJ_BRUSH:
        current = d->a.brush;
        break;
    case OBJ_FONT:
        current = d->a.font;
        break;
    case OBJ_BITMAP:
        current = d->a.bitmap;
        break;
    default:
        break;
    }
    if (!Gdi::Lookup(object->m_hObject, type))
        return nullptr;
    T* previous = static_cast<T*>(CGdiObject::FromHandle(Gdi::ToHandle(current)));
    if (!dc->SelectObject(object->m_hObject))
        return nullptr;
    return previous;
}
} // namespace

CPen* CDC::SelectObject(CPen* pPen)
{
    return SelectTyped<CPen>(this, m_hDC, pPen, OBJ_PEN);
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return SelectTyped<CBrush>(this, m_hDC, pBrush, OBJ_BRUSH);
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return SelectTyped<CFont>(this, m_hDC, pFont, OBJ_FONT);
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return SelectTyped<CBitmap>(this, m_hDC, pBitmap, OBJ_BITMAP);
}

int CDC::SelectObject(CRgn* pRgn)
{
    return pRgn ? SelectClipRgn(pRgn) : ERROR;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (!pObject || !IsLive(m_hDC))
        return nullptr;
    const int type = static_cast<int>(pObject->GetObjectType());
    switch (type)
    {
    case OBJ_PEN:
    case OBJ_EXTPEN:
        return SelectTyped<CGdiObject>(this, m_hDC, pObject, OBJ_PEN);
    case OBJ_BRUSH:
    case OBJ_FONT:
    case OBJ_BITMAP:
        return SelectTyped<CGdiObject>(this, m_hDC, pObject, type);
    default:
        return nullptr;
    }
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ h = ::GetStockObject(nIndex);
    if (!h || !IsLive(m_hDC))
        return nullptr;
    HGDIOBJ old = SelectObject(h);
    return old ? CGdiObject::FromHandle(old) : nullptr;
}

CPen* CDC::GetCurrentPen() const
{
    return IsLive(m_hDC) ? static_cast<CPen*>(CGdiObject::FromHandle(m_hDC->a.pen)) : nullptr;
}

CBrush* CDC::GetCurrentBrush() const
{
    return IsLive(m_hDC) ? static_cast<CBrush*>(CGdiObject::FromHandle(m_hDC->a.brush)) : nullptr;
}

CFont* CDC::GetCurrentFont() const
{
    return IsLive(m_hDC) ? static_cast<CFont*>(CGdiObject::FromHandle(m_hDC->a.font)) : nullptr;
}

CBitmap* CDC::GetCurrentBitmap() const
{
    if (!IsLive(m_hDC) || !m_hDC->a.bitmap)
        return nullptr;
    return static_cast<CBitmap*>(CGdiObject::FromHandle(m_hDC->a.bitmap));
}

// ---------------------------------------------------------------------------------------
// State

int CDC::SaveDC()
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return 0;
    d->saved.push_back(d->a);
    TakeRefs(d->saved.back());
    return static_cast<int>(d->saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return FALSE;
    const int count = static_cast<int>(d->saved.size());
    const int level = nSavedDC < 0 ? count + nSavedDC + 1 : nSavedDC;
    if (level < 1 || level > count)
        return FALSE;
    GdiHandle* oldBitmap = d->a.bitmap;
    DcAttributes restored = d->saved[static_cast<size_t>(level - 1)];
    // The restored state's references move to the current state; those above it and the
    // current state's own are dropped.
    for (int i = count - 1; i >= level; --i)
        DropRefs(d->saved[static_cast<size_t>(i)]);
    d->saved.resize(static_cast<size_t>(level - 1));
    if (restored.bitmap != oldBitmap)
    {
        EndOwnPainter(d);
        std::lock_guard<std::mutex> lock(Gdi::Mutex());
        if (oldBitmap && oldBitmap->selectedIn == d)
            oldBitmap->selectedIn = nullptr;
        if (restored.bitmap && !restored.bitmap->stock && !restored.bitmap->selectedIn)
            restored.bitmap->selectedIn = d;
    }
    DcAttributes current = d->a;
    d->a = restored;
    DropRefs(current);
    if (restored.bitmap != oldBitmap && d->kind == HDC__::Memory)
        StartMemoryPainter(d);
    d->clipDirty = true;
    return TRUE;
}

#define DC_GET(expr, fallback)                                                                               \
    if (!IsLive(m_hDC))                                                                                      \
        return fallback;                                                                                     \
    return expr;

#define DC_SET(field, value, fallback)                                                                       \
    if (!IsLive(m_hDC))                                                                                      \
        return fallback;                                                                                     \
    auto previous = m_hDC->a.field;                                                                          \
    m_hDC->a.field = value;                                                                                  \
    return previous;

COLORREF CDC::GetBkColor() const {
    DC_GET(m_hDC->a.bkColour, CLR_INVALID)} COLORREF CDC::SetBkColor(COLORREF crColor)
{
    DC_SET(bkColour, crColor & 0xFFFFFF, CLR_INVALID)
}
int CDC::GetBkMode() const
{
    DC_GET(m_hDC->a.bkMode, 0)
}
int CDC::SetBkMode(int nBkMode)
{
    if (nBkMode != OPAQUE && nBkMode != TRANSPARENT)
        return 0;
    DC_SET(bkMode, nBkMode, 0)
}
COLORREF CDC::GetTextColor() const {
    DC_GET(m_hDC->a.textColour, CLR_INVALID)} COLORREF CDC::SetTextColor(COLORREF crColor)
{
    DC_SET(textColour, crColor & 0xFFFFFF, CLR_INVALID)
}
int CDC::GetROP2() const
{
    DC_GET(m_hDC->a.rop2, 0)
}
int CDC::SetROP2(int nDrawMode)
{
    if (nDrawMode < R2_BLACK || nDrawMode > R2_WHITE)
        return 0;
    DC_SET(rop2, nDrawMode, 0)
}
int CDC::GetPolyFillMode() const
{
    DC_GET(m_hDC->a.polyFillMode, 0)
}
int CDC::SetPolyFillMode(int nPolyFillMode)
{
    if (nPolyFillMode != ALTERNATE && nPolyFillMode != WINDING)
        return 0;
    DC_SET(polyFillMode, nPolyFillMode, 0)
}
int CDC::GetStretchBltMode() const
{
    DC_GET(m_hDC->a.stretchMode, 0)
}
int CDC::SetStretchBltMode(int nStretchMode)
{
    if (nStretchMode < BLACKONWHITE || nStretchMode > HALFTONE)
        return 0;
    DC_SET(stretchMode, nStretchMode, 0)
}
int CDC::GetArcDirection() const
{
    DC_GET(m_hDC->a.arcDirection, 0)
}
int CDC::SetArcDirection(int nArcDirection)
{
    if (nArcDirection != AD_COUNTERCLOCKWISE && nArcDirection != AD_CLOCKWISE)
        return 0;
    DC_SET(arcDirection, nArcDirection, 0)
}
UINT CDC::GetTextAlign() const {DC_GET(m_hDC->a.textAlign, GDI_ERROR)} UINT CDC::SetTextAlign(UINT nFlags)
{
    DC_SET(textAlign, nFlags & TA_MASK, GDI_ERROR)
}
int CDC::GetTextCharacterExtra() const
{
    DC_GET(m_hDC->a.textCharExtra, INT_MIN)
}
int CDC::SetTextCharacterExtra(int nCharExtra){
    DC_SET(textCharExtra, nCharExtra, INT_MIN)} COLORREF CDC::GetDCBrushColor() const {
    DC_GET(m_hDC->a.dcBrushColour, CLR_INVALID)} COLORREF CDC::SetDCBrushColor(COLORREF crColor){
    DC_SET(dcBrushColour, crColor & 0xFFFFFF, CLR_INVALID)} COLORREF CDC::GetDCPenColor() const {
    DC_GET(m_hDC->a.dcPenColour, CLR_INVALID)} COLORREF CDC::SetDCPenColor(COLORREF crColor){
    DC_SET(dcPenColour, crColor & 0xFFFFFF, CLR_INVALID)} CPoint CDC::GetBrushOrg() const {
    DC_GET(ToCPoint(m_hDC->a.brushOrg), CPoint())} CPoint CDC::SetBrushOrg(int x, int y)
{
    if (!IsLive(m_hDC))
        return CPoint();
    const CPoint previous = ToCPoint(m_hDC->a.brushOrg);
    m_hDC->a.brushOrg = QPoint(x, y);
    return previous;
}

// ---------------------------------------------------------------------------------------
// Mapping

int CDC::GetMapMode() const
{
    DC_GET(m_hDC->a.mapMode, 0)
}

int CDC::SetMapMode(int nMapMode)
{
    HDC d = m_hDC;
    if (!IsLive(d) || nMapMode < MM_TEXT || nMapMode > MM_ANISOTROPIC)
        return 0;
    const int previous = d->a.mapMode;
    d->a.mapMode = nMapMode;
    if (nMapMode == MM_TEXT)
    {
        d->a.windowExt = d->a.viewportExt = QSize(1, 1);
    }
    else if (const int units = MetricUnitsPerInch(nMapMode))
    {
        const int dpiX = GetDeviceCaps(LOGPIXELSX), dpiY = GetDeviceCaps(LOGPIXELSY);
        d->a.windowExt = QSize(units, units);
        d->a.viewportExt = QSize(dpiX, -dpiY);
    }
    else if (previous == MM_TEXT)
    {
        d->a.windowExt = d->a.viewportExt = QSize(1, 1);
    }
    MakeIsotropic(d->a);
    return previous;
}

CPoint CDC::GetViewportOrg() const {DC_GET(ToCPoint(m_hDC->a.viewportOrg), CPoint())}

CPoint CDC::SetViewportOrg(int x, int y)
{
    if (!IsLive(m_hDC))
        return CPoint();
    const CPoint previous = ToCPoint(m_hDC->a.viewportOrg);
    m_hDC->a.viewportOrg = QPoint(x, y);
    return previous;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    if (!IsLive(m_hDC))
        return CPoint();
    const CPoint previous = ToCPoint(m_hDC->a.viewportOrg);
    m_hDC->a.viewportOrg += QPoint(nWidth, nHeight);
    return previous;
}

CPoint CDC::GetWindowOrg() const {DC_GET(ToCPoint(m_hDC->a.windowOrg), CPoint())}

CPoint CDC::SetWindowOrg(int x, int y)
{
    if (!IsLive(m_hDC))
        return CPoint();
    const CPoint previous = ToCPoint(m_hDC->a.windowOrg);
    m_hDC->a.windowOrg = QPoint(x, y);
    return previous;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    if (!IsLive(m_hDC))
        return CPoint();
    const CPoint previous = ToCPoint(m_hDC->a.windowOrg);
    m_hDC->a.windowOrg += QPoint(nWidth, nHeight);
    return previous;
}

CSize CDC::GetViewportExt() const {
    DC_GET(ToCSize(m_hDC->a.viewportExt), CSize())} CSize CDC::GetWindowExt() const {
    DC_GET(ToCSize(m_hDC->a.windowExt), CSize())}

CSize CDC::SetViewportExt(int cx, int cy)
{
    HDC d = m_hDC;
    if (!IsLive(d) || cx == 0 || cy == 0)
        return CSize();
    const CSize previous = ToCSize(d->a.viewportExt);
    // Only the scalable modes take extents.
    if (d->a.mapMode == MM_ISOTROPIC || d->a.mapMode == MM_ANISOTROPIC)
    {
        d->a.viewportExt = QSize(cx, cy);
        MakeIsotropic(d->a);
    }
    return previous;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    HDC d = m_hDC;
    if (!IsLive(d) || cx == 0 || cy == 0)
        return CSize();
    const CSize previous = ToCSize(d->a.windowExt);
    if (d->a.mapMode == MM_ISOTROPIC || d->a.mapMode == MM_ANISOTROPIC)
    {
        d->a.windowExt = QSize(cx, cy);
        MakeIsotropic(d->a);
    }
    return previous;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    if (!IsLive(m_hDC) || xDenom == 0 || yDenom == 0)
        return CSize();
    const QSize e = m_hDC->a.viewportExt;
    return SetViewportExt(e.width() * xNum / xDenom, e.height() * yNum / yDenom);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    if (!IsLive(m_hDC) || xDenom == 0 || yDenom == 0)
        return CSize();
    const QSize e = m_hDC->a.windowExt;
    return SetWindowExt(e.width() * xNum / xDenom, e.height() * yNum / yDenom);
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    if (!IsLive(m_hDC) || !lpPoints)
        return;
    for (int i = 0; i < nCount; ++i)
    {
        const QPoint p = DcImpl::ToLogical(m_hDC, lpPoints[i].x, lpPoints[i].y);
        lpPoints[i] = POINT{p.x(), p.y()};
    }
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    if (lpRect)
        DPtoLP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(SIZE* lpSize) const
{
    if (!IsLive(m_hDC) || !lpSize)
        return;
    lpSize->cx = static_cast<LONG>(std::lround(lpSize->cx / DcImpl::ScaleX(m_hDC)));
    lpSize->cy = static_cast<LONG>(std::lround(lpSize->cy / DcImpl::ScaleY(m_hDC)));
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    if (!IsLive(m_hDC) || !lpPoints)
        return;
    for (int i = 0; i < nCount; ++i)
    {
        const QPoint p = DcImpl::ToDevice(m_hDC, lpPoints[i].x, lpPoints[i].y);
        lpPoints[i] = POINT{p.x(), p.y()};
    }
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    if (lpRect)
        LPtoDP(reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(SIZE* lpSize) const
{
    if (!IsLive(m_hDC) || !lpSize)
        return;
    lpSize->cx = static_cast<LONG>(std::lround(lpSize->cx * DcImpl::ScaleX(m_hDC)));
    lpSize->cy = static_cast<LONG>(std::lround(lpSize->cy * DcImpl::ScaleY(m_hDC)));
}

// ---------------------------------------------------------------------------------------
// Clipping

namespace
{
int RegionType(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int SetClip(HDC d, const QRegion& region)
{
    d->a.clip = region;
    d->clipDirty = true;
    return RegionType(DcImpl::VisibleRegion(d));
}

QRegion CurrentClip(HDC d)
{
    return d->a.clip ? *d->a.clip : QRegion(DcImpl::SurfaceRect(d));
}
} // namespace

int CDC::GetClipBox(LPRECT lpRect) const
{
    HDC d = m_hDC;
    if (!IsLive(d) || !lpRect)
        return ERROR;
    const QRegion visible = DcImpl::VisibleRegion(d);
    const QRect box = visible.boundingRect();
    if (visible.isEmpty())
    {
        *lpRect = RECT{0, 0, 0, 0};
        return NULLREGION;
    }
    const QPoint topLeft = DcImpl::ToLogical(d, box.left(), box.top());
    const QPoint bottomRight = DcImpl::ToLogical(d, box.left() + box.width(), box.top() + box.height());
    CRect rect(topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y());
    rect.NormalizeRect();
    *lpRect = rect;
    return RegionType(visible);
}

BOOL CDC::PtVisible(int x, int y) const
{
    if (!IsLive(m_hDC))
        return FALSE;
    return DcImpl::IsVisible(m_hDC, DcImpl::ToDevice(m_hDC, x, y));
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    if (!IsLive(m_hDC) || !lpRect)
        return FALSE;
    const QRect rect = DcImpl::DeviceRect(m_hDC, lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    return DcImpl::VisibleRegion(m_hDC).intersects(rect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    return SelectClipRgn(pRgn, RGN_COPY);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return ERROR;
    if (!pRgn || !pRgn->m_hObject)
    {
        if (nMode != RGN_COPY)
            return ERROR;
        d->a.clip.reset();
        d->clipDirty = true;
        return SIMPLEREGION;
    }
    GdiHandle* g = Gdi::Lookup(pRgn->m_hObject, OBJ_REGION);
    if (!g)
        return ERROR;
    const QRegion region = pRgn->ToQRegion();
    const QRegion current = CurrentClip(d);
    switch (nMode)
    {
    case RGN_COPY:
        return SetClip(d, region);
    case RGN_AND:
        return SetClip(d, current.intersected(region));
    case RGN_OR:
        return SetClip(d, current.united(region));
    case RGN_XOR:
        return SetClip(d, current.xored(region));
    case RGN_DIFF:
        return SetClip(d, current.subtracted(region));
    default:
        return ERROR;
    }
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return ERROR;
    return SetClip(d, CurrentClip(d).subtracted(DcImpl::DeviceRect(d, x1, y1, x2, y2)));
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return lpRect ? ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return ERROR;
    return SetClip(d, CurrentClip(d).intersected(DcImpl::DeviceRect(d, x1, y1, x2, y2)));
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return lpRect ? IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : ERROR;
}

int CDC::OffsetClipRgn(int x, int y)
{
    HDC d = m_hDC;
    if (!IsLive(d))
        return ERROR;
    if (!d->a.clip)
        return SIMPLEREGION;
    const int dx = static_cast<int>(std::lround(x * DcImpl::ScaleX(d)));
    const int dy = static_cast<int>(std::lround(y * DcImpl::ScaleY(d)));
    return SetClip(d, d->a.clip->translated(dx, dy));
}

// ---------------------------------------------------------------------------------------
// Printing

int CDC::StartDoc(LPCSTR lpszDocName)
{
    DOCINFO info{};
    info.cbSize = sizeof info;
    info.lpszDocName = lpszDocName;
    return StartDoc(&info);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    HDC d = m_hDC;
    if (!IsLive(d) || d->docStarted)
        return SP_ERROR;
    const QString docName =
        Cp1252ToQString(lpDocInfo && lpDocInfo->lpszDocName ? lpDocInfo->lpszDocName : "");
    if (d->kind == HDC__::Painter && DcImpl::Ready(d))
    {
        // A painter that someone else began (a preview): its document is already open.
        d->docStarted = true;
        d->pagesStarted = 0;
        return 1;
    }
    if (d->kind != HDC__::Printer || !d->printer)
        return SP_ERROR;
    QPrinter* printer = d->printer;
    printer->setDocName(docName);
    const QString output = lpDocInfo && lpDocInfo->lpszOutput && *lpDocInfo->lpszOutput
                               ? Cp1252ToQString(lpDocInfo->lpszOutput)
                               : d->outputName;
    if (!output.isEmpty())
    {
        const QString path = LinuxPathFromWindows(QStringToCp1252(output).constData());
        if (path.isEmpty())
            return SP_ERROR;
        printer->setOutputFormat(QPrinter::PdfFormat);
        d->outputPath = path;
    }
    else if (printer->outputFormat() == QPrinter::PdfFormat)
    {
        d->outputPath = printer->outputFileName();
        if (d->outputPath.isEmpty())
        {
            const QString folder = DriveFolder('C');
            if (folder.isEmpty())
                return SP_ERROR;
            d->outputPath = folder + QLatin1Char('/') + SafeFileName(docName) + QStringLiteral(".pdf");
        }
    }
    else
    {
        d->outputPath.clear();
    }
    d->partialPath.clear();
    if (!d->outputPath.isEmpty())
    {
        // Written under another name until the document ends whole.
        d->partialPath = d->outputPath + QStringLiteral(".partial");
        printer->setOutputFileName(d->partialPath);
    }
    EndOwnPainter(d);
    d->ownPainter = std::make_unique<QPainter>();
    if (!d->ownPainter->begin(printer))
    {
        d->ownPainter.reset();
        if (!d->partialPath.isEmpty())
            QFile::remove(d->partialPath);
        d->partialPath.clear();
        return SP_ERROR;
    }
    d->painter = d->ownPainter.get();
    d->device = printer;
    DcImpl::InitPainter(d);
    d->docStarted = true;
    d->pagesStarted = 0;
    d->pageOpen = false;
    return 1;
}

int CDC::StartPage()
{
    HDC d = m_hDC;
    if (!IsLive(d) || !d->docStarted || d->pageOpen)
        return SP_ERROR;
    if (d->pagesStarted > 0)
    {
        // The painter opened the first page; every later one is a new page of the device.
        auto* paged = dynamic_cast<QPagedPaintDevice*>(d->device);
        if (!paged || !paged->newPage())
            return SP_ERROR;
    }
    ++d->pagesStarted;
    d->pageOpen = true;
    return 1;
}

int CDC::EndPage()
{
    HDC d = m_hDC;
    if (!IsLive(d) || !d->docStarted || !d->pageOpen)
        return SP_ERROR;
    d->pageOpen = false;
    return 1;
}

int CDC::EndDoc()
{
    HDC d = m_hDC;
    if (!IsLive(d) || !d->docStarted)
        return SP_ERROR;
    d->docStarted = false;
    d->pageOpen = false;
    if (d->kind == HDC__::Painter)
        return 1;
    const bool ended = d->ownPainter && d->ownPainter->end();
    EndOwnPainter(d);
    d->device = d->printer;
    if (!ended)
    {
        if (!d->partialPath.isEmpty())
            QFile::remove(d->partialPath);
        d->partialPath.clear();
        return SP_ERROR;
    }
    if (!d->partialPath.isEmpty())
    {
        QFile::remove(d->outputPath);
        const bool renamed = QFile::rename(d->partialPath, d->outputPath);
        if (!renamed)
            QFile::remove(d->partialPath);
        d->partialPath.clear();
        if (!renamed)
            return SP_ERROR;
    }
    return 1;
}

int CDC::AbortDoc()
{
    HDC d = m_hDC;
    if (!IsLive(d) || !d->docStarted)
        return SP_ERROR;
    if (d->kind == HDC__::Painter)
    {
        d->docStarted = false;
        return 1;
    }
    AbortPrinting(d);
    d->device = d->printer;
    return 1;
}

int CDC::SetAbortProc(ABORTPROC)
{
    return IsLive(m_hDC) ? 1 : SP_ERROR;
}

int CDC::Escape(int, int, LPCSTR, LPVOID)
{
    return 0;
}

// ---------------------------------------------------------------------------------------
// The Win32 functions.

HDC CreateCompatibleDC(HDC hdc)
{
    CDC dc;
    if (!dc.CreateCompatibleDC(hdc ? CDC::FromHandle(hdc) : nullptr))
        return nullptr;
    return dc.Detach();
}

BOOL DeleteDC(HDC hdc)
{
    if (!IsLive(hdc))
        return FALSE;
    DestroyDc(hdc);
    return TRUE;
}

namespace
{
// A context object for one call on a handle, that leaves the handle alone afterwards.
class HandleDc
{
public:
    explicit HandleDc(HDC h) : m_dc(IsLive(h) ? h : nullptr) {}
    CDC* operator->() { return &m_dc; }
    explicit operator bool() const { return m_dc.m_hDC != nullptr; }
    ~HandleDc() { m_dc.m_hDC = m_dc.m_hAttribDC = nullptr; }

private:
    struct Dc : CDC
    {
        explicit Dc(HDC h) { m_hDC = m_hAttribDC = h; }
    } m_dc;
};
} // namespace

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    HandleDc dc(hdc);
    return dc ? dc->SelectObject(h) : nullptr;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy)
{
    CBitmap bitmap;
    HandleDc dc(hdc);
    if (!bitmap.CreateCompatibleBitmap(dc ? dc.operator->() : nullptr, cx, cy))
        return nullptr;
    return static_cast<HBITMAP>(bitmap.Detach());
}

int GetDeviceCaps(HDC hdc, int index)
{
    HandleDc dc(hdc);
    return dc ? dc->GetDeviceCaps(index) : 0;
}

int SaveDC(HDC hdc)
{
    HandleDc dc(hdc);
    return dc ? dc->SaveDC() : 0;
}

BOOL RestoreDC(HDC hdc, int nSavedDC)
{
    HandleDc dc(hdc);
    return dc ? dc->RestoreDC(nSavedDC) : FALSE;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    HandleDc dc(hdc);
    return dc ? dc->SetTextColor(color) : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    HandleDc dc(hdc);
    return dc ? dc->SetBkColor(color) : CLR_INVALID;
}

int SetBkMode(HDC hdc, int mode)
{
    HandleDc dc(hdc);
    return dc ? dc->SetBkMode(mode) : 0;
}

int SetROP2(HDC hdc, int rop2)
{
    HandleDc dc(hdc);
    return dc ? dc->SetROP2(rop2) : 0;
}

BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    HandleDc dc(hdc);
    return dc ? dc->CDC::TextOut(x, y, lpString, c) : FALSE;
}

int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    HandleDc dc(hdc);
    return dc ? dc->CDC::DrawText(lpchText, cchText, lprc, format) : 0;
}

int FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr)
{
    HandleDc dc(hdc);
    CBrush* brush = CBrush::FromHandle(hbr);
    if (!dc || !brush)
        return 0;
    dc->FillRect(lprc, brush);
    return 1;
}

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    HandleDc dc(hdc);
    HandleDc src(hdcSrc);
    return dc ? dc->BitBlt(x, y, cx, cy, src ? src.operator->() : nullptr, x1, y1, rop) : FALSE;
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm)
{
    HandleDc dc(hdc);
    return dc ? dc->GetTextMetrics(lptm) : FALSE;
}
