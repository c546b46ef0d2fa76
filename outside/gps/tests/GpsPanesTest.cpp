// The receiver panes fed by a receiver decoding real NMEA sentences: the values each holds,
// the samples against time with their spans, the reset menu's messages to the main window, and
// the pixels that show satellites, bars and lines.
#include "foundation/AngleFormat.h"
#include "foundation/WindowMessages.h"
#include "geodesy/Gps.h"
#include "outside/gps/DopPane.h"
#include "outside/gps/ElevationPane.h"
#include "outside/gps/LatLonHtPane.h"
#include "outside/gps/NoSatsPane.h"
#include "outside/gps/SNRPane.h"
#include "outside/gps/SatellitePane.h"
#include "platform/ui/Colour.h"
#include "platform/ui/ModalHook.h"

#include "testsupport/EventPump.h"
#include "testsupport/NmeaSentence.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
const UINT kLatLonHtId = 32863;

// A receiver that has decoded one epoch of each sentence the panes use.
struct Receiver
{
    CGps gps;
    Receiver()
    {
        const auto decode = [this](const char* body) { return gps.Decode(NmeaSentence(body).c_str()); };
        EXPECT_EQ(decode("GPGGA,123519.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"), NMEA_GGA);
        EXPECT_EQ(decode("GPGSV,2,1,06,03,20,100,38,17,40,050,45,22,05,020,30,28,80,280,35"), 0);
        EXPECT_EQ(decode("GPGSV,2,2,06,05,50,030,25,11,60,040,41"), NMEA_GSV);
        EXPECT_EQ(decode("GPGSA,A,3,03,17,28,,,,,,,,,,1.8,1.0,1.5"), NMEA_GSA);
        EXPECT_EQ(decode("GPZDA,123520.00,23,03,2024,00,00"), NMEA_ZDA);
    }
};

// The main window: notes the reset messages that reach it.
class CMainLike : public CWnd
{
public:
    std::vector<std::pair<UINT, WPARAM>> resets;
    CMainLike()
    {
        CreateEx(0, nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 500), nullptr, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UM_RESET_GRAPH || message == UM_RESET_TIME_SPAN || message == UM_RESET_Y_SPAN)
        {
            resets.emplace_back(message, wParam);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

template <class Pane> void CreatePane(Pane& pane, CWnd& parent, UINT id)
{
    ASSERT_TRUE(
        pane.Create("Pane", &parent, CRect(0, 0, 420, 320), TRUE, id, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    Pump();
}

CRect ViewRect(CGpsPane& pane)
{
    CRect rc;
    pane.GetView().GetClientRect(&rc);
    return rc;
}

COLORREF PixelAt(const QImage& image, CPoint p)
{
    return ColorRefFromQRgb(image.pixel(p.x, p.y));
}

// True when some pixel within `radius` of the point has the colour.
bool ColourNear(const QImage& image, CPoint p, int radius, COLORREF colour)
{
    for (int y = p.y - radius; y <= p.y + radius; ++y)
        for (int x = p.x - radius; x <= p.x + radius; ++x)
            if (image.valid(x, y) && ColorRefFromQRgb(image.pixel(x, y)) == colour)
                return true;
    return false;
}
} // namespace

TEST(TimeSeriesPanes, SamplesTakeTheReceiversValues)
{
    Receiver r;
    CLatLonHtPane llh;
    CDopPane dop;
    CNoSatsPane sats;
    // Without windows the panes still keep their samples.
    llh.UpdateAt(&r.gps, 100.0);
    dop.UpdateAt(&r.gps, 100.0);
    sats.UpdateAt(&r.gps, 100.0);
    llh.UpdateAt(nullptr, 101.0);

    ASSERT_EQ(llh.GetSampleCount(), 1u);
    EXPECT_NEAR(llh.GetSampleValue(0, CLatLonHtPane::SERIES_LATITUDE), 48.0 + 7.038 / 60.0, 1e-9);
    EXPECT_NEAR(llh.GetSampleValue(0, CLatLonHtPane::SERIES_LONGITUDE), 11.0 + 31.0 / 60.0, 1e-9);
    EXPECT_DOUBLE_EQ(llh.GetSampleValue(0, CLatLonHtPane::SERIES_HEIGHT), 545.4);
    EXPECT_EQ(llh.GetPlotCount(), 3);

    ASSERT_EQ(dop.GetSampleCount(), 1u);
    EXPECT_DOUBLE_EQ(dop.GetSampleValue(0, CDopPane::SERIES_HDOP), 1.0);
    EXPECT_DOUBLE_EQ(dop.GetSampleValue(0, CDopPane::SERIES_PDOP), 1.8);
    EXPECT_DOUBLE_EQ(dop.GetSampleValue(0, CDopPane::SERIES_VDOP), 1.5);
    EXPECT_EQ(dop.GetPlotCount(), 1);

    ASSERT_EQ(sats.GetSampleCount(), 1u);
    EXPECT_EQ(sats.GetSampleValue(0, CNoSatsPane::SERIES_USED), 3.0); // counted by the GSA
    EXPECT_EQ(sats.GetSampleValue(0, CNoSatsPane::SERIES_IN_VIEW), 6.0);
}

TEST(TimeSeriesPanes, OneEpochMakesOneSampleAndTheStoreIsBounded)
{
    CDopPane dop;
    dop.AddSample(10.0, {1.0, 2.0, 3.0});
    dop.AddSample(10.3, {1.1, 2.1, 3.1}); // the same epoch: replaces
    dop.AddSample(11.0, {1.2, 2.2, 3.2});
    dop.AddSample(12.0, {1.0, NAN, 3.0}); // not a number: dropped
    ASSERT_EQ(dop.GetSampleCount(), 2u);
    EXPECT_DOUBLE_EQ(dop.GetSampleTime(0), 10.0);
    EXPECT_DOUBLE_EQ(dop.GetSampleValue(0, 0), 1.1);
    EXPECT_DOUBLE_EQ(dop.GetSampleValue(1, 2), 3.2);

    for (int i = 0; i < static_cast<int>(CTimeSeriesPane::MAX_SAMPLES) + 100; ++i)
        dop.AddSample(100.0 + i, {1.0, 2.0, 3.0});
    EXPECT_EQ(dop.GetSampleCount(), CTimeSeriesPane::MAX_SAMPLES);
    // The axis starts at the oldest sample kept.
    EXPECT_DOUBLE_EQ(dop.GetTimeSpanStart(), dop.GetSampleTime(0));
    EXPECT_DOUBLE_EQ(dop.GetSampleTime(0), 200.0);
}

TEST(TimeSeriesPanes, ClearResetTimeSpanAndSetYSpan)
{
    CNoSatsPane sats;
    double lo = 0, hi = 0;
    EXPECT_FALSE(sats.GetYSpan(0, lo, hi));
    sats.AddSample(0.0, {8, 12});
    sats.AddSample(1.0, {30, 12}); // an outlier widens the axis
    sats.AddSample(2.0, {9, 11});
    ASSERT_TRUE(sats.GetYSpan(0, lo, hi));
    EXPECT_LE(lo, 8.0);
    EXPECT_GE(hi, 30.0);
    EXPECT_DOUBLE_EQ(sats.GetTimeSpanStart(), 0.0);

    // The time span restarts at the newest sample; the value axis then fits what it shows.
    sats.ResetTimeSpan();
    EXPECT_DOUBLE_EQ(sats.GetTimeSpanStart(), 2.0);
    sats.AddSample(3.0, {10, 12});
    sats.SetYSpan();
    ASSERT_TRUE(sats.GetYSpan(0, lo, hi));
    EXPECT_LE(lo, 9.0);
    EXPECT_GE(hi, 12.0);
    EXPECT_LT(hi, 30.0);
    EXPECT_EQ(sats.GetSampleCount(), 4u); // older samples are kept, only not shown

    sats.Clear();
    EXPECT_EQ(sats.GetSampleCount(), 0u);
    EXPECT_FALSE(sats.GetYSpan(0, lo, hi));
    sats.AddSample(50.0, {7, 7});
    EXPECT_DOUBLE_EQ(sats.GetTimeSpanStart(), 50.0);
    // A steady value still gets an axis of its least span.
    ASSERT_TRUE(sats.GetYSpan(0, lo, hi));
    EXPECT_LT(lo, 7.0);
    EXPECT_GT(hi, 7.0);
}

TEST(TimeSeriesPanes, AxisValuesNeverReadMinusZeroAndCountsStayAtOrAboveNone)
{
    const struct
    {
        double value;
        int decimals;
        const char* text;
    } cases[] = {{-0.0001, 0, "0"}, {-0.4, 0, "0"}, {-0.6, 0, "-1"}, {-0.00004, 4, "0.0000"},
                 {-0.5, 1, "-0.5"}, {12.0, 0, "12"},  {0.0, 1, "0.0"}};
    for (const auto& c : cases)
        EXPECT_STREQ(CTimeSeriesPane::FormatAxisValue(c.value, c.decimals), c.text) << c.value;

    // Four used, none yet told in view: the axis of counts starts at none, not below it.
    CNoSatsPane sats;
    sats.AddSample(0.0, {4, 0});
    double lo = 0, hi = 0;
    ASSERT_TRUE(sats.GetYSpan(0, lo, hi));
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_GE(hi, 4.0);
    const std::vector<CString> labels = sats.GetAxisLabels(CRect(0, 0, 300, 200), 0);
    ASSERT_GE(labels.size(), 2u);
    EXPECT_STREQ(labels.back(), "0");
    // Precisions are never negative either.
    CDopPane dop;
    dop.AddSample(0.0, {0.2, 0.3, 0.1});
    ASSERT_TRUE(dop.GetYSpan(0, lo, hi));
    EXPECT_GE(lo, 0.0);
}

TEST(TimeSeriesPanes, ResetMenuPostsItsMessageToTheMainWindow)
{
    CMainLike main;
    CLatLonHtPane llh;
    CreatePane(llh, main, kLatLonHtId);
    struct Case
    {
        UINT command;
        UINT message;
    };
    const Case cases[] = {{CTimeSeriesPane::ID_RESET_GRAPH, UM_RESET_GRAPH},
                          {CTimeSeriesPane::ID_RESET_TIME_SPAN, UM_RESET_TIME_SPAN},
                          {CTimeSeriesPane::ID_RESET_Y_SPAN, UM_RESET_Y_SPAN}};
    for (const Case& c : cases)
    {
        main.resets.clear();
        ModalHook::AnswerMenu(c.command);
        // A right click on the graph reaches the pane as WM_CONTEXTMENU.
        llh.GetView().SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(llh.GetView().GetSafeHwnd()),
                                  MAKELPARAM(50, 50));
        Pump();
        ASSERT_EQ(main.resets.size(), 1u) << c.command;
        EXPECT_EQ(main.resets[0].first, c.message);
        EXPECT_EQ(main.resets[0].second, static_cast<WPARAM>(kLatLonHtId));
    }
    const MODAL_RECORD& shown = ModalHook::Shown().back();
    EXPECT_EQ(shown.kind, MODAL_RECORD::Menu);
    EXPECT_NE(shown.text.Find("Reset Graph"), -1);
    EXPECT_NE(shown.text.Find("Reset Time Span"), -1);
    EXPECT_NE(shown.text.Find("Reset Y Span"), -1);

    // A dismissed menu posts nothing.
    main.resets.clear();
    ModalHook::AnswerMenu(0);
    llh.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(llh.GetSafeHwnd()), MAKELPARAM(50, 50));
    Pump();
    EXPECT_TRUE(main.resets.empty());
}

TEST(TimeSeriesPanes, LinesAreDrawnInTheirSeriesColour)
{
    CMainLike main;
    CDopPane dop;
    CreatePane(dop, main, 32861);
    dop.AddSample(0.0, {1.0, 2.0, 3.0});
    dop.AddSample(30.0, {1.0, 2.0, 3.0});
    const CRect rc = ViewRect(dop);
    ASSERT_GT(rc.Width(), 100);
    const QImage image = dop.GetView().RenderToImage();
    // PDOP's flat line, half-way along its run.
    const CPoint p = dop.ValueToPoint(rc, CDopPane::SERIES_PDOP, 15.0, 2.0);
    EXPECT_TRUE(ColourNear(image, p, 1, RGB(0, 128, 0)));
    // VDOP's line lies above, in its own colour; nothing is drawn past the newest sample.
    EXPECT_TRUE(ColourNear(image, dop.ValueToPoint(rc, CDopPane::SERIES_VDOP, 15.0, 3.0), 1, RGB(192, 0, 0)));
    EXPECT_FALSE(
        ColourNear(image, dop.ValueToPoint(rc, CDopPane::SERIES_PDOP, 50.0, 2.0), 1, RGB(0, 128, 0)));
    EXPECT_EQ(PixelAt(image, CPoint(rc.right - 3, rc.bottom - 3)), RGB(255, 255, 255));

    dop.SetNightMode(true);
    EXPECT_EQ(PixelAt(dop.GetView().RenderToImage(), CPoint(rc.right - 3, rc.bottom - 3)), RGB(0, 0, 0));
}

TEST(SatellitePanes, TakeTheSortedSetWithTheFixFromTheLastGsa)
{
    Receiver r;
    CSatellitePane sky;
    CSNRPane snr;
    CElevationPane elevation;
    sky.Update(&r.gps);
    snr.Update(&r.gps);
    elevation.Update(&r.gps);
    const int prns[] = {3, 5, 11, 17, 22, 28};
    const int used[] = {1, 0, 0, 1, 0, 1};
    ASSERT_EQ(sky.GetSatelliteCount(), 6);
    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ(sky.GetSatellite(i).nPrn, prns[i]);
        EXPECT_EQ(sky.GetSatellite(i).bUsed, used[i]) << prns[i];
        EXPECT_EQ(snr.GetSatellite(i).nPrn, prns[i]);
    }
    EXPECT_EQ(snr.BarValue(snr.GetSatellite(3)), 45);             // PRN 17
    EXPECT_EQ(elevation.BarValue(elevation.GetSatellite(5)), 80); // PRN 28

    // Before any GSA nothing says which are used: all are shown as used.
    CGps fresh;
    fresh.Decode(NmeaSentence("GPGSV,1,1,02,17,41,051,44,03,21,101,37").c_str());
    sky.Update(&fresh);
    ASSERT_EQ(sky.GetSatelliteCount(), 2);
    EXPECT_EQ(sky.GetSatellite(0).bUsed, 1);
    EXPECT_EQ(sky.GetSatellite(1).bUsed, 1);
}

TEST(SatellitePanes, SkyPlotPutsEachSatelliteAtItsAzimuthAndElevation)
{
    Receiver r;
    CMainLike main;
    CSatellitePane sky;
    CreatePane(sky, main, 32849);
    sky.Update(&r.gps);
    const CRect rc = ViewRect(sky);
    const CPoint centre = rc.CenterPoint();
    // PRN 28: elevation 80, azimuth 280: near the zenith, a little west of north.
    const CPoint p28 = sky.SatellitePoint(rc, 5);
    EXPECT_LT(p28.x, centre.x);
    EXPECT_LT(p28.y, centre.y);
    // PRN 3: elevation 20, azimuth 100: far out to the east, a little south.
    const CPoint p3 = sky.SatellitePoint(rc, 0);
    EXPECT_GT(p3.x - centre.x, 3 * std::abs(p3.y - centre.y));
    EXPECT_GT(p3.y, centre.y);
    EXPECT_GT(p3.x - centre.x, 2 * std::hypot(p28.x - centre.x, p28.y - centre.y));

    const QImage image = sky.GetView().RenderToImage();
    // The discs in the colour of used (PRN 3) and unused (PRN 5) satellites, beside their PRN.
    EXPECT_EQ(PixelAt(image, CPoint(p3.x - 7, p3.y)), CSatelliteListPane::UsedColour());
    EXPECT_EQ(PixelAt(image, CPoint(sky.SatellitePoint(rc, 1).x - 7, sky.SatellitePoint(rc, 1).y)),
              CSatelliteListPane::UnusedColour());
}

TEST(SatellitePanes, BarsStandInProportionToTheirValues)
{
    Receiver r;
    CMainLike main;
    CSNRPane snr;
    CreatePane(snr, main, 32852);
    snr.Update(&r.gps);
    const CRect rc = ViewRect(snr);
    // SNR 45 (PRN 17) against 30 (PRN 22): heights 45 : 30 of the 60 dB-Hz scale.
    const CRect bar17 = snr.BarRect(rc, 3);
    const CRect bar22 = snr.BarRect(rc, 4);
    ASSERT_GT(bar22.Height(), 10);
    EXPECT_NEAR(static_cast<double>(bar17.Height()) / bar22.Height(), 1.5, 0.05);
    EXPECT_EQ(bar17.bottom, bar22.bottom);
    EXPECT_LT(bar17.right, bar22.left);

    const QImage image = snr.GetView().RenderToImage();
    EXPECT_EQ(PixelAt(image, bar17.CenterPoint()), CSatelliteListPane::UsedColour());
    EXPECT_EQ(PixelAt(image, bar22.CenterPoint()), CSatelliteListPane::UnusedColour());
    // Above a bar is background.
    EXPECT_EQ(PixelAt(image, CPoint(bar22.CenterPoint().x, bar17.top + 2)), RGB(255, 255, 255));

    // An SNR beyond the scale is cut at a full bar.
    r.gps.m_SortedSatellites[0].nSnr = 60;
    snr.Update(&r.gps);
    const int full = snr.BarRect(rc, 0).Height();
    r.gps.m_SortedSatellites[0].nSnr = 99;
    snr.Update(&r.gps);
    EXPECT_EQ(snr.BarRect(rc, 0).Height(), full);
    EXPECT_NEAR(full, bar17.Height() * 60.0 / 45.0, 2.0);
}
