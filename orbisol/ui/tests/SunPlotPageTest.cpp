// The sun plot page as the user sees it on the sheet: the rose, the cross and the directions of
// the sun and the R.O., probed along lines computed here; with no almanac the rose alone.
#include "orbisol/SunObservation.h"
#include "orbisol/tests/AlmanacFixtures.h"
#include "orbisol/ui/AzimuthPlotPP.h"
#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/OrbisolApp.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/tests/ProgramDriver.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cmath>

using namespace ProgramDriver;

namespace
{
constexpr double kPi = 3.141592653589793;
constexpr int kSunPlotTab = 1;
const QColor kRed(0xFF, 0x00, 0x00);   // COLORREF 0x0000FF
const QColor kBlue(0x00, 0x00, 0xFF);  // COLORREF 0xFF0000
const QColor kRose(0xCC, 0xFF, 0xCC);  // COLORREF 0xCCFFCC
const QColor kSunDisc(0xFF, 0xD0, 0x20);
const QColor kTarget(0xD0, 0x20, 0x20);

struct Plot
{
    QImage grab;
    QPointF centre;
    double rho = 0; // the rose's radius, from its black rim

    QPoint At(double azimuth, double distance) const
    {
        return QPoint(static_cast<int>(std::lround(centre.x() + distance * std::sin(azimuth))),
                      static_cast<int>(std::lround(centre.y() - distance * std::cos(azimuth))));
    }
    // Whether the colour is within a pixel of the point (lines are two pixels wide).
    bool Near(QPoint p, const QColor& colour, int reach = 1) const
    {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (grab.pixelColor(p.x() + dx, p.y() + dy) == colour)
                    return true;
        return false;
    }
    int Count(const QRect& area, const QColor& colour) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += grab.pixelColor(x, y) == colour;
        return n;
    }
};

// The sheet's grab on the plot page, and where the rose lies in it.
Plot GrabPlot(CColourPropertySheet* sheet, const char* picture)
{
    ClickTab(sheet, kSunPlotTab);
    Pump();
    Plot plot;
    EXPECT_TRUE(FrameProbe::StrayTopLevels(sheet).empty());
    plot.grab = FrameProbe::GrabWindow(sheet);
    QDir().mkpath(SUITE_VISUAL_DIR);
    plot.grab.save(QString(SUITE_VISUAL_DIR) + "/" + picture);
    const QRect frame = FrameProbe::PaneRect(sheet->GetActivePage()->GetDlgItem(IDC_PLOT_FRAME));
    plot.centre = QPointF(frame.left() + frame.width() / 2, frame.top() + frame.height() / 2);
    // Out from the centre at 45° (clear of the cross and the directions below) to the rim.
    for (int d = 1; d < frame.height() / 2; ++d)
        if (plot.grab.pixelColor(plot.At(kPi / 4, d)) == QColor(Qt::black))
        {
            plot.rho = d + 2; // the middle of the four-pixel rim
            break;
        }
    EXPECT_GT(plot.rho, frame.height() / 4) << "no rim found";
    return plot;
}
} // namespace

TEST(SunPlotPage, DirectionsRunFromTheCentreToTheirIconsOverTheRose)
{
    almanactest::InstallFixtures(2026, 2026);
    DateTimeDef record;
    SetRecord(record, 2026, 6, 21, 9, 0, 0);
    const struct
    {
        double sun, ro;
        const char* picture;
    } cases[] = {
        {0.0, kPi / 2, "orbisol_sun_plot.png"},       // straight up to "N", across to "E"
        {200.0 * kPi / 180.0, kPi / 2 + 0.3, "orbisol_sun_plot_200.png"}, // below and to the left
    };
    for (const auto& c : cases)
    {
        RunProgram(
            IDOK,
            [&](COrbisolApp& app, CColourPropertySheet* sheet) {
                ASSERT_TRUE(app.m_SunObservation.HasResults());
                // The page shows the last computation's results as they stand.
                app.m_SunObservation.m_dAzimuth = c.sun;
                app.m_SunObservation.m_dROAzimuth = c.ro;
                const Plot plot = GrabPlot(sheet, c.picture);
                for (double t : {0.15, 0.35, 0.55, 0.75})
                {
                    EXPECT_TRUE(plot.Near(plot.At(c.sun, t * plot.rho), kRed)) << c.picture << " sun " << t;
                    EXPECT_TRUE(plot.Near(plot.At(c.ro, t * plot.rho), kRed)) << c.picture << " R.O. " << t;
                }
                // The cross where no direction runs, and the pale green disc inside the rim.
                EXPECT_TRUE(plot.Near(plot.At(-kPi / 2, 0.5 * plot.rho), kBlue)) << c.picture;
                EXPECT_EQ(plot.grab.pixelColor(plot.At(kPi / 4 + 0.2, 0.5 * plot.rho)), kRose) << c.picture;
                EXPECT_EQ(plot.grab.pixelColor(plot.At(kPi / 4, plot.rho + 12)), QColor(Qt::white)) << c.picture;
                // Each icon centred on its line's end.
                EXPECT_TRUE(plot.Near(plot.At(c.sun, plot.rho), kSunDisc, 3)) << c.picture;
                EXPECT_TRUE(plot.Near(plot.At(c.ro, plot.rho), kTarget, 3)) << c.picture;
                sheet->EndDialog(IDCANCEL);
            },
            [&](COrbisolApp& app) { app.m_DateTime = record; });
    }
}

TEST(SunPlotPage, WithoutAnAlmanacTheRoseStandsAlone)
{
    DateTimeDef record;
    SetRecord(record, 2031, 6, 21, 9, 0, 0);
    RunProgram(
        IDOK,
        [&](COrbisolApp& app, CColourPropertySheet* sheet) {
            ASSERT_FALSE(app.m_SunObservation.HasResults());
            const Plot plot = GrabPlot(sheet, "orbisol_sun_plot_no_almanac.png");
            const QRect frame = FrameProbe::PaneRect(sheet->GetActivePage()->GetDlgItem(IDC_PLOT_FRAME));
            EXPECT_EQ(plot.Count(frame, kRed), 0);
            EXPECT_GT(plot.Count(frame, kBlue), 100);
            EXPECT_GT(plot.Count(frame, kRose), 1000);
            sheet->EndDialog(IDCANCEL);
        },
        [&](COrbisolApp& app) { app.m_DateTime = record; });
}
