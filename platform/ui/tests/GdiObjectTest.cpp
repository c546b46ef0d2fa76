// Drawing objects: their records, handles and lifetimes, bitmaps' bits, regions, and the
// conversions to Qt's types.
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/Resources.h"
#include "platform/ui/LoadImage.h"
#include "platform/ui/tests/Canvas.h"
#include "testsupport/TempDrives.h"

#include <QBuffer>
#include <QFile>

#include <cstring>

#include <gtest/gtest.h>

TEST(Colour, ConversionsKeepGdiConventions)
{
    EXPECT_EQ(ToQColor(RGB(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(ToColorRef(QColor(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(ToQColor(0x02000000u | RGB(9, 8, 7)), QColor(9, 8, 7));
    EXPECT_EQ(QRgbFromColorRef(RGB(0x11, 0x22, 0x33)), qRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(ColorRefFromQRgb(qRgb(0x11, 0x22, 0x33)), RGB(0x11, 0x22, 0x33));
    // Right and bottom lie outside: a 10 x 5 rectangle either way.
    EXPECT_EQ(ToQRect(CRect(1, 2, 11, 7)), QRect(1, 2, 10, 5));
    EXPECT_EQ(ToCRect(QRect(1, 2, 10, 5)), CRect(1, 2, 11, 7));
    EXPECT_EQ(ToCRect(QRect()), CRect(0, 0, 0, 0));
}

TEST(GdiObjects, RecordsComeBackAsCreated)
{
    CPen pen(PS_DASH, 3, kRed);
    LOGPEN lp{};
    ASSERT_EQ(pen.GetLogPen(&lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, kRed);
    EXPECT_EQ(pen.GetObjectType(), static_cast<UINT>(OBJ_PEN));

    CBrush hatch(HS_DIAGCROSS, kBlue);
    LOGBRUSH lb{};
    hatch.GetLogBrush(&lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(lb.lbColor, kBlue);
    EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));

    CFont font;
    font.CreateFont(-13, 0, 450, 0, FW_BOLD, TRUE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                    CLIP_STROKE_PRECIS, DRAFT_QUALITY, FF_SWISS, "Verdana");
    LOGFONT lf{};
    ASSERT_EQ(font.GetLogFont(&lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfEscapement, 450);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfItalic, 1);
    EXPECT_EQ(lf.lfQuality, DRAFT_QUALITY);
    EXPECT_STREQ(lf.lfFaceName, "Verdana");
    EXPECT_EQ(font.GetObject(0, nullptr), static_cast<int>(sizeof(LOGFONT)));
}

TEST(GdiObjects, StockObjects)
{
    EXPECT_EQ(::GetStockObject(9), nullptr);
    EXPECT_EQ(::GetStockObject(BLACK_BRUSH), ::GetStockObject(BLACK_BRUSH));
    LOGBRUSH lb{};
    ::GetObject(::GetStockObject(LTGRAY_BRUSH), sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(192, 192, 192));
    ::GetObject(::GetStockObject(NULL_BRUSH), sizeof lb, &lb);
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
    // Deleting a stock object is harmless.
    EXPECT_TRUE(::DeleteObject(::GetStockObject(WHITE_PEN)));
    CGdiObject* wrapper = CGdiObject::FromHandle(::GetStockObject(WHITE_PEN));
    ASSERT_NE(wrapper, nullptr);
    EXPECT_TRUE(wrapper->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(wrapper->DeleteObject());
    EXPECT_EQ(CGdiObject::FromHandle(::GetStockObject(WHITE_PEN)), wrapper);
    EXPECT_EQ(wrapper->m_hObject, ::GetStockObject(WHITE_PEN));

    CBrush stock;
    EXPECT_TRUE(stock.CreateStockObject(GRAY_BRUSH));
    EXPECT_EQ(stock.m_hObject, ::GetStockObject(GRAY_BRUSH));
    EXPECT_NE(::GetSysColorBrush(COLOR_BTNFACE), nullptr);
}

TEST(GdiObjects, HandlesAttachDetachAndDelete)
{
    HPEN raw = ::CreatePen(PS_SOLID, 1, kRed);
    ASSERT_NE(raw, nullptr);
    CPen pen;
    EXPECT_TRUE(pen.Attach(raw));
    EXPECT_FALSE(pen.Attach(raw)); // already holds one
    EXPECT_EQ(CPen::FromHandle(raw), &pen);
    EXPECT_EQ(CBrush::FromHandle(reinterpret_cast<HBRUSH>(raw)), nullptr);
    EXPECT_EQ(pen.Detach(), raw);
    EXPECT_EQ(pen.m_hObject, nullptr);
    EXPECT_FALSE(pen.DeleteObject());

    // Without an owner, FromHandle makes a temporary object of the right class.
    CGdiObject* temporary = CGdiObject::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_TRUE(temporary->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_TRUE(::DeleteObject(raw));
    EXPECT_EQ(temporary->m_hObject, nullptr);
    EXPECT_FALSE(::DeleteObject(raw));
    EXPECT_EQ(::GetObjectType(raw), 0u);
    CGdiObject::DeleteTempMap();
}

TEST(GdiObjects, DeletingASelectedObjectWaitsForTheContext)
{
    Canvas c(4, 4);
    HBRUSH raw = ::CreateSolidBrush(kGreen);
    HGDIOBJ old = c.dc.SelectObject(raw);
    EXPECT_FALSE(::DeleteObject(raw)); // still selected: freed when it is replaced
    EXPECT_EQ(::GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH));
    c.dc.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(c.At(1, 1), kGreen);
    c.dc.SelectObject(old);
    EXPECT_EQ(::GetObjectType(raw), 0u);
}

TEST(Bitmaps, CreateDescribeAndReadBits)
{
    const BYTE mono[] = {0xA0, 0x00, 0x50, 0x00}; // 4 x 2, rows padded to 16 bits
    CBitmap mask;
    ASSERT_TRUE(mask.CreateBitmap(4, 2, 1, 1, mono));
    BITMAP bm{};
    ASSERT_EQ(mask.GetBitmap(&bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmHeight, 2);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    BYTE back[4] = {};
    EXPECT_EQ(mask.GetBitmapBits(sizeof back, back), 4u);
    EXPECT_EQ(back[0], 0xA0);
    EXPECT_EQ(back[2], 0x50);
    const QImage image = mask.ToImage();
    EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(1, 0), 0xFF000000u);

    const BYTE colour[] = {0x30, 0x20, 0x10, 0x00, 0x01, 0x02, 0x03, 0x00}; // blue, green, red, unused
    CBitmap pixels;
    ASSERT_TRUE(pixels.CreateBitmap(2, 1, 1, 32, colour));
    EXPECT_EQ(ColorRefFromQRgb(pixels.ToImage().pixel(0, 0)), RGB(0x10, 0x20, 0x30));
    const BYTE replacement[] = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};
    EXPECT_EQ(pixels.SetBitmapBits(sizeof replacement, replacement), 8u);
    EXPECT_EQ(ColorRefFromQRgb(pixels.ToImage().pixel(0, 0)), kBlue);
    EXPECT_EQ(ColorRefFromQRgb(pixels.ToImage().pixel(1, 0)), kRed);
}

TEST(Bitmaps, CompatibleSizesAndDimensions)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap empty;
    ASSERT_TRUE(empty.CreateCompatibleBitmap(&dc, 0, 10));
    BITMAP bm{};
    empty.GetBitmap(&bm);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);

    CBitmap bad;
    EXPECT_FALSE(bad.CreateCompatibleBitmap(&dc, -1, 10));
    EXPECT_FALSE(bad.CreateCompatibleBitmap(&dc, 1 << 20, 1 << 20));
    EXPECT_EQ(bad.m_hObject, nullptr);

    CBitmap colour;
    ASSERT_TRUE(colour.CreateCompatibleBitmap(&dc, 7, 3));
    colour.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmWidthBytes, 28);
    EXPECT_EQ(colour.SetBitmapDimension(100, 50), CSize(0, 0));
    EXPECT_EQ(colour.GetBitmapDimension(), CSize(100, 50));

    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(QColor(1, 2, 3));
    CBitmap fromImage;
    ASSERT_TRUE(fromImage.CreateFromImage(picture));
    EXPECT_EQ(ColorRefFromQRgb(fromImage.ToImage().pixel(2, 1)), RGB(1, 2, 3));
}

namespace
{
QImage RedPixel()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    return image;
}
QImage BluePixel()
{
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    return image;
}
const BITMAP_ENTRY kHostBitmaps[] = {{7001, nullptr, RedPixel}, {7002, "/no/such/picture.png", nullptr}};
const BITMAP_ENTRY kLibraryBitmaps[] = {{7001, nullptr, BluePixel}, {7003, nullptr, BluePixel}};
} // namespace

TEST(Bitmaps, LoadedByIdAlongTheResourceChain)
{
    AfxRegisterBitmaps("BitmapHost", kHostBitmaps, 2);
    AfxRegisterBitmaps("BitmapLibrary", kLibraryBitmaps, 2);
    const CString previous = AfxGetResourceModule();
    struct Case
    {
        const char* module; // the resource module searched first
        UINT id;
        BOOL loads;
        int width; // of the bitmap loaded
    } cases[] = {{"BitmapHost", 7001, TRUE, 3},   {"BitmapLibrary", 7001, TRUE, 5},
                 {"BitmapHost", 7003, TRUE, 5},   {"BitmapHost", 7002, FALSE, 0},
                 {"BitmapHost", 7099, FALSE, 0}};
    for (const Case& c : cases)
    {
        AfxSetResourceModule(c.module);
        CBitmap bitmap;
        EXPECT_EQ(bitmap.LoadBitmap(c.id), c.loads) << c.module << " " << c.id;
        BITMAP bm{};
        EXPECT_EQ(bitmap.GetBitmap(&bm) > 0, c.loads == TRUE) << c.id;
        if (c.loads)
        {
            EXPECT_EQ(bm.bmWidth, c.width) << c.module << " " << c.id;
        }
    }
    // A failed load leaves a loaded bitmap as it was; a later one replaces it.
    AfxSetResourceModule("BitmapHost");
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(7001));
    EXPECT_FALSE(bitmap.LoadBitmap(7099));
    EXPECT_EQ(bitmap.ToImage().pixel(0, 0) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFFu);
    ASSERT_TRUE(bitmap.LoadBitmap(7003));
    EXPECT_EQ(bitmap.ToImage().width(), 5);

    AfxUnregisterBitmaps("BitmapLibrary");
    CBitmap gone;
    EXPECT_FALSE(gone.LoadBitmap(7003));
    AfxUnregisterBitmaps("BitmapHost");
    AfxSetResourceModule(previous);
}

TEST(Regions, PointsRectanglesAndCombinations)
{
    CRgn rect;
    ASSERT_TRUE(rect.CreateRectRgn(10, 10, 20, 15));
    EXPECT_TRUE(rect.PtInRegion(10, 10));
    EXPECT_TRUE(rect.PtInRegion(19, 14));
    EXPECT_FALSE(rect.PtInRegion(20, 14));
    EXPECT_FALSE(rect.PtInRegion(19, 15));
    CRect box;
    EXPECT_EQ(rect.GetRgnBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 15));

    const POINT triangle[] = {{0, 0}, {10, 0}, {0, 10}};
    CRgn tri;
    ASSERT_TRUE(tri.CreatePolygonRgn(triangle, 3, ALTERNATE));
    EXPECT_TRUE(tri.PtInRegion(2, 2));
    EXPECT_FALSE(tri.PtInRegion(8, 8));
    EXPECT_FALSE(tri.PtInRegion(10, 0));

    CRgn both;
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&rect, &tri, RGN_AND), NULLREGION);
    EXPECT_EQ(both.CombineRgn(&rect, &tri, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(2, 2));
    EXPECT_TRUE(both.PtInRegion(15, 12));
    EXPECT_EQ(both.CopyRgn(&rect), SIMPLEREGION);
    EXPECT_TRUE(both.EqualRgn(&rect));
    EXPECT_EQ(both.OffsetRgn(5, 0), SIMPLEREGION);
    EXPECT_FALSE(both.EqualRgn(&rect));
    const CRect probe(24, 12, 30, 13);
    EXPECT_TRUE(both.RectInRegion(&probe));
    EXPECT_EQ(both.CombineRgn(&rect, nullptr, RGN_AND), ERROR);

    CRgn ellipse;
    ellipse.CreateEllipticRgn(0, 0, 20, 20);
    EXPECT_TRUE(ellipse.PtInRegion(10, 10));
    EXPECT_FALSE(ellipse.PtInRegion(0, 0));
}

TEST(Regions, FillAndFrameOnAContext)
{
    Canvas c(20, 20);
    CRgn region;
    region.CreateRectRgn(2, 2, 12, 8);
    CBrush red(kRed), black(kBlack);
    EXPECT_TRUE(c.dc.FillRgn(&region, &red));
    EXPECT_EQ(c.BoundsOf(kRed), CRect(2, 2, 12, 8));
    EXPECT_TRUE(c.dc.FrameRgn(&region, &black, 1, 1));
    EXPECT_EQ(c.BoundsOf(kBlack), CRect(2, 2, 12, 8));
    EXPECT_EQ(c.BoundsOf(kRed), CRect(3, 3, 11, 7));
}

namespace
{
// A 24-bit bitmap file of the size, red at the top left pixel and green elsewhere.
QByteArray BitmapFile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(0, 200, 0));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A valid bitmap file whose header claims another size.
QByteArray WithClaimedSize(QByteArray bytes, int32_t width, int32_t height)
{
    std::memcpy(bytes.data() + 18, &width, 4);
    std::memcpy(bytes.data() + 22, &height, 4);
    return bytes;
}

void WriteOnC(const char* name, const QByteArray& bytes)
{
    QFile file(TempDrives::Current()->OnC(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}
} // namespace

TEST(Bitmaps, LoadedFromAFileWholeOrNotAtAll)
{
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(4, 3, QImage::Format_RGB32).save(&buffer, "PNG");
    }
    const QByteArray good = BitmapFile(4, 3);
    WriteOnC("good.bmp", good);
    WriteOnC("png.bmp", png);
    WriteOnC("text.bmp", "not a picture at all");
    WriteOnC("cut.bmp", good.left(good.size() - 20));
    WriteOnC("huge.bmp", WithClaimedSize(good, 100000, 100000));
    struct Case
    {
        const char* path;
        int cx, cy;
        UINT type, load;
        int width; // 0: nothing loaded
    } cases[] = {
        {"C:\\good.bmp", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 4},
        {"C:\\good.bmp", 4, 3, IMAGE_BITMAP, LR_LOADFROMFILE, 4},  // loaded at its own size
        {"C:\\good.bmp", 40, 30, IMAGE_BITMAP, LR_LOADFROMFILE, 4}, // never stretched
        {"C:\\good.bmp", 3, 30, IMAGE_BITMAP, LR_LOADFROMFILE, 0},  // wider than asked
        {"C:\\good.bmp", 40, 2, IMAGE_BITMAP, LR_LOADFROMFILE, 0},  // taller than asked
        {"C:\\good.bmp", 0, 0, IMAGE_ICON, LR_LOADFROMFILE, 0},
        {"C:\\good.bmp", 0, 0, IMAGE_BITMAP, LR_DEFAULTCOLOR, 0},   // a resource name
        {"C:\\none.bmp", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
        {"C:\\png.bmp", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
        {"C:\\text.bmp", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
        {"C:\\cut.bmp", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
        {"C:\\huge.bmp", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
        {"C:\\huge.bmp", 200, 200, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
        {"", 0, 0, IMAGE_BITMAP, LR_LOADFROMFILE, 0},
    };
    for (const Case& c : cases)
    {
        const HANDLE handle = LoadImage(nullptr, c.path, c.type, c.cx, c.cy, c.load);
        EXPECT_EQ(handle != nullptr, c.width > 0) << c.path << " " << c.cx << "x" << c.cy;
        if (!handle)
            continue;
        CBitmap bitmap;
        bitmap.Attach(handle);
        const QImage image = bitmap.ToImage();
        EXPECT_EQ(image.width(), c.width) << c.path;
        EXPECT_EQ(image.height(), 3) << c.path;
        EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFFu) << c.path;
        EXPECT_EQ(image.pixel(3, 2) & 0xFFFFFF, qRgb(0, 200, 0) & 0xFFFFFFu) << c.path;
    }
}

