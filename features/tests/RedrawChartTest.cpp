#include "features/LegGeometry.h"
#include "features/RedrawChart.h"
#include "foundation/WindowMessages.h"
#include "platform/core/CmdTarget.h"
#include "platform/core/WinApp.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
struct Received
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    tagXY point; // what the receiver found at wParam on arrival
};

// A window that records the redraw messages the way a chart receiver handles them.
class CChartTarget : public CCmdTarget
{
public:
    CChartTarget() { CreateMessageTarget(); }
    std::vector<Received> received;

protected:
    LRESULT OnRedraw(WPARAM w, LPARAM l) { return Record(UM_REDRAW_CHART, w, l); }
    LRESULT OnVector(WPARAM w, LPARAM l) { return Record(UM_REDRAW_VECTOR_DISPLAY, w, l); }
    LRESULT Record(UINT message, WPARAM w, LPARAM l)
    {
        tagXY point = {0.0, 0.0};
        if (w)
            point = *reinterpret_cast<const tagXY*>(w);
        received.push_back({message, w, l, point});
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CChartTarget, CCmdTarget)
ON_REGISTERED_MESSAGE(UM_REDRAW_CHART, &CChartTarget::OnRedraw)
ON_REGISTERED_MESSAGE(UM_REDRAW_VECTOR_DISPLAY, &CChartTarget::OnVector)
END_MESSAGE_MAP()

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("FeatureApp") {}
};

// Delivers what is queued, until `count` messages arrived or a second has passed.
void Pump(const std::vector<Received>& received, size_t count)
{
    QElapsedTimer timer;
    timer.start();
    while (received.size() < count && timer.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}
} // namespace

TEST(ChartNotification, RedrawPostsChartThenVectorDisplayToTheOwner)
{
    CTestApp app;
    CChartTarget main, owner;
    app.m_pMainWnd = &main;
    RedrawChart(&owner);
    EXPECT_TRUE(owner.received.empty()) << "posting must not deliver at once";
    Pump(owner.received, 2);
    ASSERT_EQ(owner.received.size(), 2u);
    EXPECT_EQ(owner.received[0].message, UM_REDRAW_CHART);
    EXPECT_EQ(owner.received[1].message, UM_REDRAW_VECTOR_DISPLAY);
    for (const Received& r : owner.received)
    {
        EXPECT_EQ(r.wParam, 0u);
        EXPECT_EQ(r.lParam, 0);
    }
    EXPECT_TRUE(main.received.empty());
    app.m_pMainWnd = nullptr;
}

TEST(ChartNotification, WithoutOwnerTheMainWindowGetsThem)
{
    CTestApp app;
    CChartTarget main;
    app.m_pMainWnd = &main;
    RedrawChart(nullptr);
    Pump(main.received, 2);
    ASSERT_EQ(main.received.size(), 2u);
    EXPECT_EQ(main.received[0].message, UM_REDRAW_CHART);
    EXPECT_EQ(main.received[1].message, UM_REDRAW_VECTOR_DISPLAY);
    app.m_pMainWnd = nullptr;
}

TEST(ChartNotification, MoveChartToPointPassesOnePointTheReceiverReadsOnArrival)
{
    CTestApp app;
    CChartTarget main;
    app.m_pMainWnd = &main;
    MoveChartToPoint(nullptr, {451234.5, 6123456.25});
    Pump(main.received, 2);
    ASSERT_EQ(main.received.size(), 2u);
    EXPECT_EQ(main.received[0].message, UM_REDRAW_CHART);
    EXPECT_EQ(main.received[1].message, UM_REDRAW_VECTOR_DISPLAY);
    EXPECT_EQ(main.received[0].wParam, reinterpret_cast<WPARAM>(GetChartPoint()));
    EXPECT_EQ(main.received[1].wParam, main.received[0].wParam);
    for (const Received& r : main.received)
    {
        EXPECT_EQ(r.point.x, 451234.5);
        EXPECT_EQ(r.point.y, 6123456.25);
        EXPECT_EQ(r.lParam, 0);
    }

    // A second move before the first arrives: every receiver sees the newer point.
    main.received.clear();
    CChartTarget owner;
    MoveChartToPoint(&owner, {1.0, 2.0});
    MoveChartToPoint(&owner, {3.0, 4.0});
    Pump(owner.received, 4);
    ASSERT_EQ(owner.received.size(), 4u);
    for (const Received& r : owner.received)
    {
        EXPECT_EQ(r.point.x, 3.0);
        EXPECT_EQ(r.point.y, 4.0);
    }
    EXPECT_TRUE(main.received.empty());
    app.m_pMainWnd = nullptr;
}

TEST(ChartNotification, NoWindowAtAllPostsNothing)
{
    ASSERT_EQ(AfxGetMainWnd(), nullptr);
    RedrawChart(nullptr);
    MoveChartToPoint(nullptr, {5.0, 6.0});
    EXPECT_EQ(GetChartPoint()->x, 5.0);
    QCoreApplication::processEvents();
}

TEST(LegGeometry, BearingsReversesAndLengthsOfTheFourQuarters)
{
    struct Case
    {
        double e2, n2; // from (1000, 2000)
        double length, bearing, reverse;
    };
    const std::vector<Case> cases = {
        {1000.0, 2100.0, 100.0, 0.0, M_PI},
        {1300.0, 2000.0, 300.0, M_PI / 2, 3 * M_PI / 2},
        {1000.0, 1950.0, 50.0, M_PI, 0.0}, // π itself is not below π
        {900.0, 2000.0, 100.0, 3 * M_PI / 2, M_PI / 2},
        {1030.0, 2040.0, 50.0, std::atan2(3.0, 4.0), std::atan2(3.0, 4.0) + M_PI},
        {1000.0, 2000.0, 0.0, 0.0, M_PI}, // coincident points
    };
    for (const Case& c : cases)
    {
        LegDef leg = {1, 2, 3, 4, 5, 6};
        ComputeLegGeometry(1000.0, 2000.0, c.e2, c.n2, &leg);
        SCOPED_TRACE(testing::Message() << c.e2 << "," << c.n2);
        EXPECT_NEAR(leg.Length, c.length, 1e-9);
        EXPECT_NEAR(leg.Bearing, c.bearing, 1e-12);
        EXPECT_NEAR(leg.SinBearing, std::sin(c.bearing), 1e-12);
        EXPECT_NEAR(leg.CosBearing, std::cos(c.bearing), 1e-12);
        EXPECT_NEAR(leg.ReverseBearing, c.reverse, 1e-12);
        EXPECT_EQ(leg.Running, 0.0);
    }
    ComputeLegGeometry(0.0, 0.0, 1.0, 1.0, nullptr); // nothing to fill
}
