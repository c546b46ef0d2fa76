// The road a user takes through a pane and the chart, driven through Qt's own events: a
// waypoint file added in the waypoint pane shows on the chart; dragged on the chart in live-edit
// mode the waypoint moves, its file and companion are written and the pane shows where it went;
// a double click on a feature brings its pane forward at its row; and the messages the host has
// no use for are logged, not dropped.
#include "NavHostFixture.h"

#include "foundation/WindowMessages.h"
#include "navhost/NavHostResources.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/ui/CmdUI.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"

#include <QFileInfo>

#include <cmath>
#include <string>

using namespace NavHostTest;

namespace
{
const double kMarkE = 500300.0, kMarkN = 5999950.0;
const char* const kMarkFile = "MyData/Waypoints/Road Marks.txt";

bool LogHolds(const CMessageLogPane& log, const char* text)
{
    for (int i = 0; i < log.GetLineCount(); ++i)
        if (log.GetLine(i).Find(text) >= 0)
            return true;
    return false;
}
} // namespace

class TypicalRoadTest : public NavHostFixture
{
protected:
    // 1:5000 (about 0.8 pixels a metre) about the mark, held still.
    void HoldChartOverMark()
    {
        m_pView->SetTrackMode(TRACK_NONE);
        m_pView->GetPlot()->scaleIndex = 14;
        m_pView->SetCentre(tagXY{kMarkE, kMarkN});
        Repaint();
    }
    int DrawnNear(double e, double n)
    {
        return PixelsNear(Picture(), e, n, 4, [](QColor c) { return c.red() + c.green() + c.blue() > 150; });
    }
};

TEST_F(TypicalRoadTest, WaypointAddedInItsPaneIsDraggedOnTheChartAndThePaneFollows)
{
    Start();
    HoldChartOverMark();
    EXPECT_EQ(DrawnNear(kMarkE, kMarkN), 0) << "open water before the file is added";

    // The user adds the file with the pane's own button.
    QFile marks(TempDrives::Current()->OnC(kMarkFile));
    ASSERT_TRUE(marks.open(QIODevice::WriteOnly));
    marks.write("500300.000,5999950.000,0.0,Road Mark\r\n");
    marks.close();
    CGridWaypointPane& pane = m_pFrame->m_wndWaypointPane;
    pane.ShowPane(TRUE, FALSE, TRUE);
    PumpFor(30);
    ModalHook::AnswerFileDialog({"C:\\MyData\\Waypoints\\Road Marks.txt"});
    CColourButton* add = pane.GetAddButton();
    ASSERT_NE(add, nullptr);
    CRect button;
    add->GetClientRect(&button);
    UserInput::ClickClient(add, button.CenterPoint().x, button.CenterPoint().y);
    PumpFor(100);
    CGridWaypointList& list = m_pFrame->m_Data.m_Waypoints;
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.m_EditFileIndex, 2) << "the new file is the one edited";
    // The host answered: the chart shows the mark; the recompute message it has no use for is
    // in the log.
    Repaint();
    EXPECT_GT(DrawnNear(kMarkE, kMarkN), 10) << "the new waypoint on the chart";
    EXPECT_TRUE(LogHolds(m_pFrame->m_wndLogPane, "UM_RECOMPUTE_ZUDUZURO_DATA (0, 0): not used by this host"));

    // Live edit of waypoints from the chart menu, then a press on the mark, a drag and a release.
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_NAVHOST_EDIT_NONE + EDIT_WAYPOINTS));
    EXPECT_EQ(CGridView::GetEditMode(), EDIT_WAYPOINTS);
    EXPECT_TRUE(AfxGetMenuItemState(m_pFrame, ID_NAVHOST_EDIT_NONE + EDIT_WAYPOINTS) & MF_CHECKED);
    const QByteArray before = FileBytes(kMarkFile);
    const CPoint from = ClientPoint(kMarkE, kMarkN);
    const CPoint to(from.x + 80, from.y - 48);
    UserInput::PressClient(m_pView, from.x, from.y);
    for (int step = 1; step <= 4; ++step)
    {
        UserInput::DragClient(m_pView, from.x + 20 * step, from.y - 12 * step);
        PumpFor(10);
    }
    UserInput::ReleaseClient(m_pView, to.x, to.y);
    PumpFor(100);

    // The waypoint went where the mouse let go of it, within a pixel.
    double e = 0.0, n = 0.0;
    ASSERT_TRUE(m_pView->GetPlot()->ScreenToGrid(to.x, to.y, &e, &n));
    const GridWaypointDef& moved = list.GetAt(2)->GetAt(0);
    const double pixel = 1.0 / m_pView->GetPlot()->pixelsPerMetre;
    EXPECT_NEAR(moved.Easting, e, 1.5 * pixel);
    EXPECT_NEAR(moved.Northing, n, 1.5 * pixel);
    EXPECT_EQ(moved.Name, "Road Mark");
    // Its file was written with the new position, and its companion beside the settings.
    const QByteArray after = FileBytes(kMarkFile);
    EXPECT_NE(after, before);
    char easting[32];
    std::snprintf(easting, sizeof easting, "%.3f", moved.Easting);
    EXPECT_TRUE(after.contains(easting)) << after.toStdString();
    EXPECT_TRUE(QFileInfo::exists(
        TempDrives::Current()->OnC(QString("MySettings/") + kSettingsName + "/Road_Marks_GRID_WAYPOINT.INI")));
    // The pane shows the edited file and the new position in its table.
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 2);
    const auto cells = TableCells(pane.GetTable());
    ASSERT_EQ(cells.size(), 1u);
    std::snprintf(easting, sizeof easting, "%.3f", moved.Easting);
    char northing[32];
    std::snprintf(northing, sizeof northing, "%.3f", moved.Northing);
    EXPECT_EQ(cells[0][1], easting);
    EXPECT_EQ(cells[0][2], northing);
    // The chart shows it there, and no longer where it was.
    Repaint();
    EXPECT_GT(DrawnNear(moved.Easting, moved.Northing), 10);
    EXPECT_EQ(DrawnNear(kMarkE, kMarkN), 0);
}

TEST_F(TypicalRoadTest, DoubleClickOnAFeatureBringsItsPaneOrTheFeatureTableForward)
{
    Start();
    // "Buoy North", the second mark of the survey marks (the second waypoint file).
    m_pView->SetTrackMode(TRACK_NONE);
    m_pView->GetPlot()->scaleIndex = 14;
    m_pView->SetCentre(tagXY{500150.0, 6000380.0});
    Repaint();
    CGridWaypointPane& pane = m_pFrame->m_wndWaypointPane;
    m_pFrame->m_wndBoundaryPane.ShowPane(TRUE, FALSE, TRUE);
    PumpFor(30);
    ASSERT_FALSE(pane.IsVisible()) << "behind the boundary pane's tab";
    const CPoint at = ClientPoint(500150.0, 6000380.0);
    // The buoy lies inside the survey area's boundary: the chart asks which of the two is
    // meant, at the press and at the double click, and the user picks the buoy both times.
    ModalHook::AnswerMenu(1);
    ModalHook::AnswerMenu(1);
    UserInput::ClickClient(m_pView, at.x, at.y, true);
    PumpFor(100);
    ASSERT_FALSE(ModalHook::Shown().empty());
    EXPECT_EQ(ModalHook::Shown().back().text, "Waypoint : Demo Survey Marks - Buoy North\nBoundary : Demo Survey Area");
    EXPECT_TRUE(pane.IsVisible());
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(pane.GetTable().GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(pane.GetTable().GetItemState(0, LVIS_SELECTED), 0u);

    // No pane lists the design routes: a double click on an intersection point (picked from
    // the chart's menu of what lies there) brings the feature table forward on its route.
    m_pView->SetCentre(tagXY{500350.0, 5999700.0});
    Repaint();
    const CPoint ip = ClientPoint(500350.0, 5999700.0);
    ModalHook::AnswerMenu(2);
    ModalHook::AnswerMenu(2);
    UserInput::ClickClient(m_pView, ip.x, ip.y, true);
    PumpFor(100);
    EXPECT_EQ(ModalHook::Shown().back().text,
              "Sail Line : Demo Sail Lines\nDesign Route : Demo Design Route - Point 2\nBoundary : Demo Survey Area");
    EXPECT_EQ(m_pFrame->MDIGetActive(), m_pFrame->GetFeatureTableFrame());
    CString caption;
    m_pFrame->GetFeatureTableFrame()->GetWindowText(caption);
    EXPECT_EQ(caption, "Design Route - Demo Design Route");
    EXPECT_GE(m_pFrame->GetFeatureView()->GetListCtrl().GetItemCount(), 4);
}

TEST_F(TypicalRoadTest, MessagesWithoutAUseAreLoggedByName)
{
    Start();
    CMessageLogPane& log = m_pFrame->m_wndLogPane;
    const struct
    {
        UINT message;
        const char* logged;
    } cases[] = {
        {UM_RECOMPUTE_ZUDUZURO_DATA, "UM_RECOMPUTE_ZUDUZURO_DATA (0, 0): not used by this host"},
        {UM_SET_FOCUS_FEATURE, "UM_SET_FOCUS_FEATURE (0, 0): not used by this host"},
        {UM_CLICK_ON_VESSEL_OUTLINE, "UM_CLICK_ON_VESSEL_OUTLINE (0, 0): not used by this host"},
        {RegisterWindowMessage("UM_SOMETHING_NEW-{00000000-0000-0000-0000-000000000000}"), "not used by this host"},
    };
    for (const auto& c : cases)
    {
        const int lines = log.GetLineCount();
        m_pFrame->PostMessage(c.message, 0, 0);
        PumpFor(20);
        ASSERT_EQ(log.GetLineCount(), lines + 1) << c.logged;
        EXPECT_GE(log.GetLine(lines).Find(c.logged), 0) << (LPCSTR)log.GetLine(lines);
    }
    // The messages the host answers leave the log alone.
    const int lines = log.GetLineCount();
    for (UINT answered : {UM_REDRAW_CHART, UM_REDRAW_VECTOR_DISPLAY, UM_UPDATE_DTM})
        m_pFrame->PostMessage(answered, 0, 0);
    m_pFrame->PostMessage(UM_FEATURE_UPDATE, 3, 0);
    PumpFor(30);
    EXPECT_EQ(log.GetLineCount(), lines);
}
