// The large position read-out fed by a receiver decoding real sentences: the texts it shows in
// the user's angle notation, the time-out in red, and a receiver that has no position yet.
#include "foundation/AngleFormat.h"
#include "geodesy/Gps.h"
#include "outside/alpha/LargeGpsPane.h"
#include "platform/ui/Colour.h"

#include "testsupport/EventPump.h"
#include "testsupport/NmeaSentence.h"

#include <QImage>
#include <gtest/gtest.h>

namespace
{
// How many pixels of a colour lie in a rectangle of the image.
int CountLargeColour(const QImage& image, const CRect& rc, COLORREF colour)
{
    int count = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (image.valid(x, y) && ColorRefFromQRgb(image.pixel(x, y)) == colour)
                ++count;
    return count;
}

struct Window
{
    CWnd main;
    Window()
    {
        main.CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 500), nullptr,
                      0);
    }
};
} // namespace

TEST(LargeGpsPane, ShowsTheLastPositionInTheUsersNotation)
{
    ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DMS, 2, 'N', 'E'));
    CGps gps;
    Window w;
    CLargeGpsPane pane;
    ASSERT_TRUE(pane.Create(&gps, "GPS Unit", &w.main, CRect(0, 0, 480, 400), TRUE, 32960,
                            WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    EXPECT_EQ(pane.GetTitle(), CString("GPS Unit"));
    EXPECT_EQ(pane.GetGps(), &gps);
    // Nothing decoded yet: no position rather than 0, 0, and the receiver counts as silent.
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_LATITUDE), CString("n/a"));
    EXPECT_TRUE(pane.IsShowingTimeout());

    ASSERT_EQ(
        gps.Decode(NmeaSentence("GPGGA,123519.50,4807.038,S,01131.000,W,2,08,0.9,545.4,M,46.9,M,,").c_str()),
        NMEA_GGA);
    ASSERT_EQ(gps.Decode(NmeaSentence("GPZDA,123520.00,23,03,2024,00,00").c_str()), NMEA_ZDA);
    pane.Update();
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_LATITUDE), CString("48\xB0 07' 02\".28S"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_LONGITUDE),
              FormatAngle(gps.m_Wgs84Longitude, ANGLE_LONGITUDE, ANGLE_FORMAT_DMS, 2));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_LONGITUDE).Right(1), CString("W"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_HEIGHT), CString("545.400 m"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_QUALITY), CString("DGPS"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_SATELLITES), CString("8"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_HDOP), CString("0.9"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_TIME), CString("12:35:20"));
    EXPECT_EQ(pane.GetValueText(CLargeGpsPane::ROW_DATE), gps.m_DateText);
    EXPECT_FALSE(pane.GetValueText(CLargeGpsPane::ROW_DATE).IsEmpty());
    EXPECT_FALSE(pane.IsShowingTimeout());
}

TEST(LargeGpsPane, ValuesTurnRedWhileTheReceiverIsSilent)
{
    CGps gps;
    Window w;
    CLargeGpsPane pane;
    ASSERT_TRUE(pane.Create(&gps, "GPS Unit", &w.main, CRect(0, 0, 480, 400), TRUE, 32960,
                            WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
    Pump();
    ASSERT_EQ(
        gps.Decode(NmeaSentence("GPGGA,123519.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,").c_str()),
        NMEA_GGA);
    pane.Update();
    CRect rc;
    pane.GetView().GetClientRect(&rc);
    const CRect value = pane.ValueRect(rc, CLargeGpsPane::ROW_LATITUDE);
    QImage image = pane.GetView().RenderToImage();
    EXPECT_GT(CountLargeColour(image, value, RGB(0, 0, 0)), 20);
    EXPECT_EQ(CountLargeColour(image, value, CLargeGpsPane::TimeoutColour()), 0);

    // The receiver falls silent: the pane's own check turns the values red, with no new data.
    gps.m_StartTime -= 100.0;
    pane.SendMessage(WM_TIMER, 1, 0);
    EXPECT_TRUE(pane.IsShowingTimeout());
    image = pane.GetView().RenderToImage();
    EXPECT_GT(CountLargeColour(image, value, CLargeGpsPane::TimeoutColour()), 20);
    // The last position stays on show.
    EXPECT_NE(pane.GetValueText(CLargeGpsPane::ROW_LATITUDE), CString("n/a"));
}

TEST(LargeGpsPane, WithoutAReceiverNothingChanges)
{
    Window w;
    CLargeGpsPane pane;
    ASSERT_TRUE(pane.Create("GPS Unit", &w.main, CRect(0, 0, 300, 300), TRUE, 32960, WS_CHILD | WS_VISIBLE));
    pane.Update();
    pane.SendMessage(WM_TIMER, 1, 0);
    for (int row = 0; row < CLargeGpsPane::ROW_COUNT; ++row)
        EXPECT_EQ(pane.GetValueText(row), CString("n/a"));
}
