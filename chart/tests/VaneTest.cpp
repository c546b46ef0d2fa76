// The vane panel: arrows probed at the tips the panel's geometry gives, the common scale, the
// corner labels, and the "Vane" settings file.
#include "Gallery.h"

#include "chart/objects/Vane.h"
#include "foundation/ConfigFile.h"
#include "platform/ui/Colour.h"
#include "platform/core/Path.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
constexpr COLORREF kGround = 0x402010;
constexpr COLORREF kCurrent = 0xFFFF00, kWind = 0xFF00FF, kTide = 0x0080FF;
// The panel drawn centred on (320, 240): its top-left corner on the canvas.
constexpr int kLeft = 200, kTop = 120;

struct VaneScene
{
    CDC dc;
    GalleryCanvas canvas{dc, 640, 480, kGround};
    CVane vanes;

    VaneScene()
    {
        vanes.AddVane("Current", kCurrent);
        vanes.AddVane("Wind", kWind);
    }
    void Set(int index, double direction, double speed, bool valid = true)
    {
        VaneDef& vane = vanes.ElementAt(index);
        vane.show = 1;
        vane.valid = valid ? 1 : 0;
        vane.direction = direction;
        vane.speed = speed;
    }
    COLORREF At(int x, int y) const { return canvas.At(x, y); }
    // The canvas point `distance` pixels from the panel's centre towards `degrees`.
    POINT Along(double degrees, double distance) const
    {
        const double a = degrees * M_PI / 180.0;
        return POINT{kLeft + vanes.centreX + static_cast<LONG>(std::lround(distance * std::sin(a))),
                     kTop + vanes.centreY - static_cast<LONG>(std::lround(distance * std::cos(a)))};
    }
    // The farthest distance from the centre along `degrees` at which the arrow's colour shows.
    int Reach(double degrees, COLORREF colour) const
    {
        int reach = -1;
        for (int d = 0; d < 100; ++d)
        {
            const POINT p = Along(degrees, d);
            if (At(p.x, p.y) == colour)
                reach = d;
        }
        return reach;
    }
    // Pixels of `colour` in the panel's label strip, left or right half.
    int LabelPixels(COLORREF colour, bool right) const
    {
        int n = 0;
        for (int y = kTop; y < kTop + 20; ++y)
            for (int x = right ? kLeft + 120 : kLeft; x < (right ? kLeft + 240 : kLeft + 120); ++x)
                n += At(x, y) == colour;
        return n;
    }
};
} // namespace

TEST(Vane, ArrowsReachTheirTipsOnACommonScale)
{
    VaneScene scene;
    scene.vanes.AddVane("Tide", kTide);
    scene.Set(0, 0.0, 3.0);
    scene.Set(1, 90.0, 0.4);
    scene.Set(2, 225.0, 2.0);
    scene.vanes.Draw(&scene.dc, 320, 240);
    ASSERT_TRUE(scene.canvas.Save("vanes"));

    // 0.4 and 3 m/s: a 5 m/s scale; arrows of full length 64 pixels (the rose's radius of 85
    // less 21), so 3 m/s reaches 60 % of it.
    EXPECT_EQ(scene.vanes.scale, 5.0);
    EXPECT_EQ(scene.vanes.centreX, 120);
    EXPECT_EQ(scene.vanes.centreY, 130);
    EXPECT_EQ(scene.vanes.radius, 64);
    struct Case
    {
        double degrees;
        COLORREF colour;
        int length; // int(64 × speed / 5)
    } cases[] = {{0.0, kCurrent, 38}, {90.0, kWind, 5}, {225.0, kTide, 25}};
    for (const Case& c : cases)
    {
        // The tip's pixel, rounded as the drawer rounds; a slanted tip's pixel lies up to a
        // pixel further out along the ray.
        const POINT tip = scene.Along(c.degrees, c.length);
        EXPECT_EQ(scene.At(tip.x, tip.y), c.colour) << c.degrees;
        const int reach = scene.Reach(c.degrees, c.colour);
        EXPECT_GE(reach, c.length) << c.degrees;
        EXPECT_LE(reach, c.length + 1) << c.degrees;
        const POINT beyond = scene.Along(c.degrees, c.length + 3);
        EXPECT_NE(scene.At(beyond.x, beyond.y), c.colour) << c.degrees;
    }
    const POINT shaft = scene.Along(0.0, 10);
    EXPECT_EQ(scene.At(shaft.x, shaft.y), kCurrent);

    // Three vanes shown, two labels: the first two, left and right.
    EXPECT_GT(scene.LabelPixels(kCurrent, false), 20);
    EXPECT_GT(scene.LabelPixels(kWind, true), 20);
    EXPECT_EQ(scene.LabelPixels(kTide, false) + scene.LabelPixels(kTide, true), 0);
    // The panel covers its 240 × 240 square and nothing outside it.
    EXPECT_NE(scene.At(kLeft, kTop + 239), kGround);
    EXPECT_EQ(scene.At(kLeft - 1, kTop + 100), kGround);
    EXPECT_EQ(scene.At(kLeft + 240, kTop + 100), kGround);
}

TEST(Vane, ShownButNeverUpdatedDrawsAtRestWithAZeroLabel)
{
    VaneScene scene;
    scene.Set(0, 45.0, 2.0);
    scene.Set(1, 0.0, 0.0, false);
    scene.vanes.Draw(&scene.dc, 320, 240);
    EXPECT_EQ(scene.vanes.scale, 5.0);
    EXPECT_GT(scene.LabelPixels(kWind, true), 20) << "\"Wind: 0.0m/s\"";
    EXPECT_LE(scene.Reach(0.0, kWind), 0) << "an arrow of no length";

    // Alone, it makes no panel.
    VaneScene alone;
    alone.Set(1, 90.0, 7.0, false);
    alone.vanes.Draw(&alone.dc, 320, 240);
    const QImage image = alone.canvas.Image();
    for (int y = 0; y < 480; y += 7)
        for (int x = 0; x < 640; x += 7)
            ASSERT_EQ(ColorRefFromQRgb(image.pixel(x, y)), kGround) << x << ", " << y;
}

TEST(Vane, ScaleIsTheFastestRaisedToAStep)
{
    struct Case
    {
        double fastest;
        double scale;
    } cases[] = {{0.0, 1.0}, {0.5, 1.0}, {1.0, 1.0}, {1.01, 5.0}, {5.0, 5.0},   {7.0, 10.0},
                 {10.0, 10.0}, {20.0, 50.0}, {50.0, 50.0}, {60.0, 100.0}, {150.0, 100.0}};
    for (const Case& c : cases)
    {
        VaneScene scene;
        scene.Set(0, 0.0, c.fastest);
        scene.Set(1, 0.0, c.fastest / 2);
        scene.vanes.Draw(&scene.dc, 320, 240);
        EXPECT_EQ(scene.vanes.scale, c.scale) << c.fastest;
    }
}

TEST(Vane, SettingsFileKeepsWhichVanesShow)
{
    CVane vanes;
    vanes.AddVane("Current", kCurrent);
    vanes.AddVane("Wind", kWind);
    vanes.ElementAt(0).show = 1;
    vanes.SaveSettings();
    const QString path = LinuxPathFromWindows(CConfigFile().GetSettingsFileName("Vane"));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << path.toStdString();
    EXPECT_EQ(saved.readAll(), QByteArray("Current = 1\r\nWind = 0\r\n"));

    CVane loaded;
    loaded.AddVane("Current", kCurrent);
    loaded.AddVane("Wind", kWind);
    loaded.AddVane("Tide", kTide); // no line of its own: hidden
    loaded.ElementAt(0).valid = 1;
    loaded.ElementAt(2).show = 1;
    loaded.LoadSettings();
    EXPECT_EQ(loaded[0].show, 1);
    EXPECT_EQ(loaded[0].valid, 0);
    EXPECT_EQ(loaded[1].show, 0);
    EXPECT_EQ(loaded[2].show, 0);

    ASSERT_TRUE(saved.remove());
    loaded.ElementAt(0).valid = 1;
    loaded.LoadSettings();
    for (INT_PTR i = 0; i < loaded.GetSize(); ++i)
    {
        EXPECT_EQ(loaded[i].show, 0);
        EXPECT_EQ(loaded[i].valid, 0);
    }
}
