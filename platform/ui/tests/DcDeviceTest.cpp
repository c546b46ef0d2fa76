// Contexts on other devices: the screen's capabilities, printers writing PDF, painters that
// someone else began, and widgets.
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/tests/Canvas.h"
#include "testsupport/TempDrives.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace
{
class DcDevice : public testing::Test
{
protected:
    void TearDown() override
    {
        CDC::SetPixelsPerMillimetre(0);
        CDC::SetScreenSize(0, 0);
        CDC::SetLogPixels(0);
    }
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A context with its own painter on a device, as the window layer makes them.
class DeviceDC : public CDC
{
public:
    bool Begin(QPaintDevice* device) { return AttachDevice(device); }
    void End() { ReleaseDevice(); }
};
} // namespace

TEST_F(DcDevice, ScreenCapabilitiesFollowWhatTestsFix)
{
    CDC::SetScreenSize(1000, 800);
    CDC::SetPixelsPerMillimetre(4);
    CDC::SetLogPixels(120);
    Canvas c(2, 2);
    EXPECT_EQ(c.dc.GetDeviceCaps(HORZRES), 1000);
    EXPECT_EQ(c.dc.GetDeviceCaps(VERTRES), 800);
    EXPECT_EQ(c.dc.GetDeviceCaps(HORZSIZE), 250);
    EXPECT_EQ(c.dc.GetDeviceCaps(VERTSIZE), 200);
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSX), 120);
    EXPECT_EQ(c.dc.GetDeviceCaps(LOGPIXELSY), 120);
    EXPECT_EQ(c.dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(c.dc.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_FALSE(c.dc.IsPrinting());
    // Device pixels per metre, as the charts work them out.
    EXPECT_EQ(c.dc.GetDeviceCaps(HORZRES) * 1000 / c.dc.GetDeviceCaps(HORZSIZE), 4000);

    CDC display;
    ASSERT_TRUE(display.CreateDC("DISPLAY", nullptr, nullptr, nullptr));
    EXPECT_EQ(display.GetDeviceCaps(HORZRES), 1000);
    EXPECT_GT(display.GetTextExtent("x").cx, 0);
    CRect box;
    display.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 1000, 800));
}

TEST_F(DcDevice, PrinterWritesAWholePdfAtEndDoc)
{
    CDC printer;
    ASSERT_TRUE(printer.CreateDC("WINSPOOL", "No Such Printer", nullptr, nullptr));
    EXPECT_TRUE(printer.IsPrinting());
    EXPECT_EQ(printer.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
    const int res = printer.GetDeviceCaps(LOGPIXELSX);
    EXPECT_EQ(res, 600);
    EXPECT_GT(printer.GetDeviceCaps(PHYSICALWIDTH), printer.GetDeviceCaps(HORZRES));
    EXPECT_GE(printer.GetDeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_EQ(printer.GetDeviceCaps(PHYSICALWIDTH),
              printer.GetDeviceCaps(HORZRES) + 2 * printer.GetDeviceCaps(PHYSICALOFFSETX));
    EXPECT_NEAR(printer.GetDeviceCaps(HORZSIZE), printer.GetDeviceCaps(HORZRES) * 25.4 / res, 1);
    // Measuring works before the document starts; drawing does not.
    EXPECT_GT(printer.GetTextExtent("Title").cx, 0);
    EXPECT_FALSE(printer.Rectangle(0, 0, 10, 10));

    EXPECT_GT(printer.StartDoc("Survey Report"), 0);
    for (int page = 0; page < 2; ++page)
    {
        EXPECT_GT(printer.StartPage(), 0);
        EXPECT_TRUE(printer.Rectangle(100, 100, 1000, 1000));
        EXPECT_TRUE(printer.TextOut(200, 200, "Page", 4));
        EXPECT_GT(printer.EndPage(), 0);
    }
    const QString path = TempDrives::Current()->OnC("Survey Report.pdf");
    EXPECT_FALSE(QFile::exists(path)); // not before the document is whole
    EXPECT_GT(printer.EndDoc(), 0);
    const QByteArray pdf = ReadAll(path);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 2"));
    EXPECT_FALSE(QFile::exists(path + ".partial"));
    EXPECT_EQ(printer.EndDoc(), SP_ERROR);
}

TEST_F(DcDevice, AbortedDocumentsLeaveNoFile)
{
    CDC printer;
    ASSERT_TRUE(printer.CreateDC("WINSPOOL", "No Such Printer", nullptr, nullptr));
    DOCINFO info{sizeof(DOCINFO), "Ignored", "C:\\Out.pdf", nullptr, 0};
    ASSERT_GT(printer.StartDoc(&info), 0);
    printer.StartPage();
    printer.TextOut(10, 10, "x", 1);
    EXPECT_GT(printer.AbortDoc(), 0);
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("Out.pdf")));
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("Out.pdf.partial")));

    // A document still open when its context goes is abandoned too.
    {
        CDC open;
        open.CreateDC("WINSPOOL", "No Such Printer", "C:\\Open.pdf", nullptr);
        open.StartDoc("Open");
        open.StartPage();
    }
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("Open.pdf")));
    EXPECT_FALSE(QFile::exists(TempDrives::Current()->OnC("Open.pdf.partial")));

    // An output on a drive that does not exist fails at once.
    CDC nowhere;
    nowhere.CreateDC("WINSPOOL", "No Such Printer", "Q:\\x.pdf", nullptr);
    EXPECT_EQ(nowhere.StartDoc("x"), SP_ERROR);
}

TEST_F(DcDevice, BorrowedPainterKeepsItsTransformAndGetsItsStateBack)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(2, 2); // a preview drawing a page at twice its size
    painter.setClipRect(0, 0, 10, 10);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(&painter));
        EXPECT_FALSE(dc.IsPrinting());
        dc.FillSolidRect(2, 2, 3, 3, kRed);
        dc.FillSolidRect(8, 8, 10, 10, kBlue); // runs past the painter's clipping
        dc.SetROP2(R2_XORPEN);
        dc.MoveTo(0, 0);
    }
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    EXPECT_EQ(painter.worldTransform(), QTransform::fromScale(2, 2));
    painter.end();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(4, 4)), kRed);
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(9, 9)), kRed);
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(10, 10)), kWhite);
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(19, 19)), kBlue);
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(20, 20)), kWhite);
}

// A painter someone else set to draw a page at twice its size (through its window and
// viewport, not its world transform): pixels and thin lines are scaled with everything else.
TEST_F(DcDevice, PixelsAndLinesFollowABorrowedPaintersScaling)
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setWindow(0, 0, 10, 10);
    painter.setViewport(0, 0, 20, 20);
    {
        CDC dc;
        ASSERT_TRUE(dc.Attach(&painter));
        dc.SetPixel(1, 1, kRed);
        dc.MoveTo(0, 5);
        dc.LineTo(10, 5);
    }
    painter.end();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(1, 1)), kWhite);
    for (const QPoint at : {QPoint(2, 2), QPoint(3, 3)})
        EXPECT_EQ(ColorRefFromQRgb(image.pixel(at)), kRed) << at.x();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(5, 5)), kWhite);
    // The line lies on row 10 of the image, none of it on row 5.
    int onRow5 = 0, onRow10 = 0;
    for (int x = 0; x < 20; ++x)
    {
        onRow5 += ColorRefFromQRgb(image.pixel(x, 5)) == kBlack;
        onRow10 += ColorRefFromQRgb(image.pixel(x, 10)) == kBlack;
    }
    EXPECT_EQ(onRow5, 0);
    EXPECT_GT(onRow10, 0);
}

TEST_F(DcDevice, TemporaryContextsForPainters)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CDC* dc = CDC::FromPainter(&painter);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(CDC::FromPainter(&painter), dc);
    dc->SetPixel(1, 1, kGreen);
    painter.end();
    // Ended painters are left alone when the temporaries go.
    CDC::DeleteTempMap();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(1, 1)), kGreen);
    EXPECT_EQ(CDC::FromPainter(&painter), nullptr);
}

TEST_F(DcDevice, OwnPainterOnAnImageOrAWidget)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    DeviceDC dc;
    ASSERT_TRUE(dc.Begin(&image));
    dc.SetPixel(3, 3, kBlue);
    EXPECT_EQ(dc.GetPixel(3, 3), kBlue);
    dc.End();
    EXPECT_EQ(dc.m_hDC, nullptr);
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(3, 3)), kBlue);

    // A widget painting itself through a context, rendered offscreen.
    class Painted : public QWidget
    {
    protected:
        void paintEvent(QPaintEvent*) override
        {
            DeviceDC dc;
            if (!dc.Begin(this))
                return;
            CRect all(0, 0, width(), height());
            dc.FillSolidRect(&all, kWhite);
            dc.SelectStockObject(BLACK_BRUSH);
            dc.Rectangle(5, 5, 15, 15);
        }
    } widget;
    widget.resize(20, 20);
    QImage shot(20, 20, QImage::Format_RGB32);
    shot.fill(Qt::red);
    widget.render(&shot);
    EXPECT_EQ(ColorRefFromQRgb(shot.pixel(10, 10)), kBlack);
    EXPECT_EQ(ColorRefFromQRgb(shot.pixel(15, 15)), kWhite);
    EXPECT_EQ(ColorRefFromQRgb(shot.pixel(14, 14)), kBlack);
}

TEST_F(DcDevice, PointFontsOnAPrinterUseItsResolution)
{
    CDC printer;
    ASSERT_TRUE(printer.CreateDC("WINSPOOL", "No Such Printer", nullptr, nullptr));
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial", &printer));
    LOGFONT lf{};
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -100); // 12 points at 600 dots per inch
}
