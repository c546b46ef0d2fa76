// The transponder pane docked in the test host: a group per transponder with its rows shown by
// what each fix holds, the grid rebuilt when the transponder set changes, the highlight ended
// by the pane's timer, and the user's pick of the active transponder with a click: into the
// record, into the settings file, onto every button. A transponder index beyond the record
// reads nothing; a record name unfit for a file name never writes outside the settings folder.
#include "foundation/ConfigFile.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridButton.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "rov/RovLibrary.h"
#include "rov/TssPane.h"
#include "rov/UsblPane.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/host/TestHost.h"

#include <QDir>
#include <QDockWidget>
#include <QMainWindow>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const char kDeviceName[] = "Usbl System";

QString SettingsFile(const char* name)
{
    CConfigFile names;
    return LinuxPathFromWindows(names.GetSettingsFileName(name));
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
}

struct UsblPaneFixture : ::testing::Test
{
    CWinApp app{"UsblPaneTest"};
    CTestHost host;
    CUsblPane pane;
    CUsbl usbl;
    CUsblTransponder transponders[3];
    CUsblReferenceLine line;

    void SetUp() override
    {
        ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
        const char* names[] = {"Alpha", "Bravo", "Charlie"};
        for (int i = 0; i < 3; ++i)
        {
            transponders[i].m_Name = names[i];
            transponders[i].m_PositionMode = USBL_POSITION_GRID;
            transponders[i].m_Easting = 500000.0 + i;
            transponders[i].m_Northing = 6000000.0 + i;
            transponders[i].m_HeadingValid = transponders[i].m_AttitudeValid = true;
            transponders[i].m_Heading = 90.0;
            transponders[i].m_Heave = 0.5;
            usbl.m_Transponders.Add(&transponders[i]);
        }
        line.m_InUse = 1;
        line.m_Name = "Route 1";
        line.m_PointCount = 2;
        usbl.m_pReferenceLine = &line;
        usbl.m_DeviceName = kDeviceName;
        usbl.m_ActiveTransponder = "Bravo";
        ASSERT_TRUE(host.CreateHost());
    }
    void TearDown() override { RovLibraryEntry(DLL_PROCESS_DETACH); }

    void Dock(bool allowActivation = true) { ASSERT_TRUE(host.Dock(pane, 4501, &usbl, allowActivation)); }

    // The rows 1..12 of group `index`, '1' where shown.
    std::string Shown(int index)
    {
        std::string shown;
        for (int row = CUsblPane::ROW_EASTING; row < CUsblPane::ROW_COUNT; ++row)
            shown += pane.GetRow(index, row)->IsVisible() ? '1' : '0';
        return shown;
    }
    std::string Text(int index, int row) { return std::string(pane.GetRow(index, row)->FormatProperty()); }
    // Each button as "text colour".
    std::vector<std::string> Buttons()
    {
        std::vector<std::string> buttons;
        for (int i = 0; i < pane.GetGroupCount(); ++i)
        {
            char colour[16];
            std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(pane.GetButton(i)->GetColour()));
            buttons.push_back(std::string(pane.GetButton(i)->GetText()) + " " + colour);
        }
        return buttons;
    }
};

TEST_F(UsblPaneFixture, BuildsAGroupPerTransponderWithItsRows)
{
    Dock();
    EXPECT_EQ(std::string(pane.m_strTitle), "Ultra Short Baseline ");
    EXPECT_EQ(pane.GetPropertyGrid().GetColourScheme(), CRovGridPane::NORMAL_SCHEME);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (std::vector<std::string>{"Transponder : Alpha", "Transponder : Bravo", "Transponder : Charlie"}));
    const std::vector<std::string> rowNames = {"Transponder : Alpha", "Easting", "Northing", "X", "Y", "Z", "Quality",
                                               "Heading", "Pitch", "Roll", "Heave", "K.P.", "DCC"};
    ASSERT_EQ(pane.GetGroup(0)->GetSubItemsCount(), CUsblPane::ROW_COUNT);
    for (int row = 0; row < CUsblPane::ROW_COUNT; ++row)
        EXPECT_EQ(std::string(pane.GetRow(0, row)->GetName()), rowNames[row]);
    EXPECT_EQ(pane.GetGroup(2)->GetPosition(), 2);
    EXPECT_EQ(pane.GetButton(2)->GetData(), 2u);
    EXPECT_EQ(std::string(pane.GetButton(0)->GetDescription()), "Activate Transponder ");
    EXPECT_TRUE(pane.GetButton(0)->IsVisible());
    EXPECT_EQ(Shown(0), "110000111111");
    EXPECT_EQ(Buttons(), (std::vector<std::string>{"Monitor EBEBEB", "ACTIVE CCFFCC", "Monitor EBEBEB"}));
    for (int row = CUsblPane::ROW_EASTING; row < CUsblPane::ROW_COUNT; ++row)
        EXPECT_FALSE(pane.GetRow(0, row)->IsAllowEdit()) << row;

    host.Update(pane, 1);
    EXPECT_EQ(Text(1, CUsblPane::ROW_EASTING), "   500001.00E");
    EXPECT_EQ(Text(1, CUsblPane::ROW_NORTHING), "  6000001.00N");
    EXPECT_EQ(Text(1, CUsblPane::ROW_HEADING), " 90.00\xB0T");
    EXPECT_EQ(Text(1, CUsblPane::ROW_HEAVE), "  0.50m");
}

TEST_F(UsblPaneFixture, RowsFollowWhatTheFixHolds)
{
    Dock();
    CUsblTransponder& t = transponders[0];
    t.m_X = 1.5;
    t.m_Y = -2.0;
    t.m_Z = 30.0;
    t.m_Kp = 1.23456;
    t.m_Dcc = 4.0;
    // Applied in turn to one transponder: each step leaves what it changes for the next.
    const struct
    {
        const char* step;
        std::function<void()> change;
        const char* shown; // E N X Y Z Q H P R Hv KP DCC
    } steps[] = {
        {"grid position", [&] {}, "110000111111"},
        {"relative position", [&] { t.m_PositionMode = USBL_POSITION_RELATIVE; }, "001110111111"},
        {"no position leaves the rows", [&] { t.m_PositionMode = 1; }, "001110111111"},
        {"grid again", [&] { t.m_PositionMode = USBL_POSITION_GRID; }, "110000111111"},
        {"a quality", [&] { t.m_Quality = 2.5; }, "110001111111"},
        {"quality 0", [&] { t.m_Quality = 0.0; }, "110000111111"},
        {"no heading", [&] { t.m_HeadingValid = false; }, "110000011111"},
        {"no attitude", [&] { t.m_AttitudeValid = false; }, "110000000111"},
        {"no heave", [&] { t.m_Heave = 0.0; }, "110000000011"},
        {"attitude and heave back", [&] { t.m_AttitudeValid = true; t.m_Heave = -0.1; }, "110000011111"},
        {"line not in use", [&] { line.m_InUse = 0; }, "110000011100"},
        {"line in use", [&] { line.m_InUse = 1; }, "110000011111"},
        {"line without a name", [&] { line.m_Name = ""; }, "110000011100"},
        {"line named", [&] { line.m_Name = "Route 1"; }, "110000011111"},
        {"line of one point", [&] { line.m_PointCount = 1; }, "110000011100"},
        {"line of two points", [&] { line.m_PointCount = 2; }, "110000011111"},
        {"no line", [&] { usbl.m_pReferenceLine = nullptr; }, "110000011100"},
    };
    for (const auto& s : steps)
    {
        s.change();
        host.Update(pane, 0);
        EXPECT_EQ(Shown(0), s.shown) << s.step;
    }
    t.m_PositionMode = USBL_POSITION_RELATIVE;
    t.m_Quality = 2.5;
    usbl.m_pReferenceLine = &line;
    host.Update(pane, 0);
    EXPECT_EQ(Text(0, CUsblPane::ROW_X), "   +1.50m");
    EXPECT_EQ(Text(0, CUsblPane::ROW_Y), "   -2.00m");
    EXPECT_EQ(Text(0, CUsblPane::ROW_Z), "    30.00m");
    EXPECT_EQ(Text(0, CUsblPane::ROW_QUALITY), "     2.50");
    EXPECT_EQ(Text(0, CUsblPane::ROW_KP), "      1.2346");
    EXPECT_EQ(Text(0, CUsblPane::ROW_DCC), "        4.00m");
    EXPECT_EQ(Shown(1), "110000111111") << "the other groups untouched";

    // An inactive record changes nothing.
    usbl.m_Active = 0;
    t.m_PositionMode = USBL_POSITION_GRID;
    host.Update(pane, 0);
    EXPECT_EQ(Shown(0), "001111011111");
}

TEST_F(UsblPaneFixture, NamesAreMatchedWithoutCaseButRebuiltOnAnyChange)
{
    transponders[0].m_Name = "Alpha";
    transponders[1].m_Name = "ALPHA";
    usbl.m_ActiveTransponder = "alpha";
    Dock();
    EXPECT_EQ(Buttons(), (std::vector<std::string>{"ACTIVE CCFFCC", "ACTIVE CCFFCC", "Monitor EBEBEB"}));

    transponders[2].m_Name = "CHARLIE";
    host.Update(pane, 0);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (std::vector<std::string>{"Transponder : Alpha", "Transponder : ALPHA", "Transponder : CHARLIE"}));

    // A transponder that leaves the set, and one that joins it.
    usbl.m_Transponders.RemoveAt(1);
    host.Update(pane, 0);
    EXPECT_EQ(pane.GetGroupCount(), 2);
    EXPECT_EQ(pane.GetButton(1)->GetData(), 1u);
    usbl.m_Transponders.Add(&transponders[1]);
    host.Update(pane, 2);
    EXPECT_EQ(pane.GetGroupCount(), 3);
    EXPECT_EQ(std::string(pane.GetGroup(2)->GetName()), "Transponder : ALPHA");
}

TEST_F(UsblPaneFixture, TheHighlightIsEndedByThePanesTimer)
{
    Dock();
    host.Update(pane, 1);
    CMFCGroupPropertyGridProperty* group = pane.GetGroup(1);
    EXPECT_TRUE(group->IsHighlighted());
    EXPECT_FALSE(pane.GetGroup(0)->IsHighlighted());
    EXPECT_TRUE(PumpUntil([&] { return !group->IsHighlighted(); }, 3000)) << "timer 101 clears it";
    // Once cleared, the next fix starts a new highlight and a new timer.
    host.Update(pane, 1);
    EXPECT_TRUE(group->IsHighlighted());
    EXPECT_TRUE(PumpUntil([&] { return !group->IsHighlighted(); }, 3000));

    // A silent transponder shows it until it speaks again; an index beyond the set is ignored.
    host.Timeout(pane, 2);
    EXPECT_TRUE(pane.GetGroup(2)->IsTimedOut());
    host.Timeout(pane, 3);
    host.Timeout(pane, -1);
    host.Update(pane, 2);
    EXPECT_FALSE(pane.GetGroup(2)->IsTimedOut());
}

TEST_F(UsblPaneFixture, AClickOnAButtonPicksTheTransponderAndWritesTheSettings)
{
    transponders[2].m_Name = "TP,3";
    usbl.m_PortNo = 7;
    usbl.m_AlignmentError = 0.125;
    usbl.m_ScaleFactor = 1.0001;
    usbl.m_RangeError = 0.25;
    usbl.m_BinaryMode = true;
    usbl.m_MinimumZ = -5.0;
    usbl.m_MaximumZ = 3000.0;
    Dock();
    CMyMFCPropertyGridCtrl& grid = pane.GetPropertyGrid();
    ASSERT_TRUE(ClickGridValue(grid, pane.GetButton(2), 10));

    EXPECT_EQ(std::string(usbl.m_ActiveTransponder), "TP,3");
    EXPECT_EQ(ReadAll(SettingsFile(kDeviceName)), QByteArray("Active = 1\r\n"
                                                             "Compute Checksum = 1\r\n"
                                                             "Port No = 7\r\n"
                                                             "Timeout Interval = 15\r\n"
                                                             "Active Transponder = TP\xAB"
                                                             "COMMA\xBB"
                                                             "3\r\n"
                                                             "Alignment Error = 0.125\r\n"
                                                             "Scale Factor = 1.000100000000\r\n"
                                                             "Range Error = 0.250\r\n"
                                                             "Binary Mode = 1\r\n"
                                                             "Hi Res Mode = 0\r\n"
                                                             "Minimum Z Reading = -5.000\r\n"
                                                             "Maximum Z Reading = 3000.000\r\n"));
    EXPECT_EQ(Buttons(), (std::vector<std::string>{"Monitor EBEBEB", "Monitor EBEBEB", "ACTIVE CCFFCC"}));
    // What the user sees on the grab.
    EXPECT_EQ(SeeGridItem(grid, pane.GetButton(2)).value.toStdString(), "ACTIVE");
    EXPECT_EQ(SeeGridItem(grid, pane.GetButton(1)).value.toStdString(), "Monitor");
    EXPECT_GT(GridItemValuePixels(grid, pane.GetButton(2), ColourOfRef(CUsblPane::ACTIVE_COLOUR)), 200);
    EXPECT_EQ(GridItemValuePixels(grid, pane.GetButton(1), ColourOfRef(CUsblPane::ACTIVE_COLOUR)), 0);
    EXPECT_GT(GridItemValuePixels(grid, pane.GetButton(1), ColourOfRef(CUsblPane::MONITOR_COLOUR)), 200);
}

TEST_F(UsblPaneFixture, WithoutActivationTheButtonsAreHidden)
{
    Dock(false);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_FALSE(pane.GetButton(i)->IsVisible()) << i;
        EXPECT_FALSE(SeeGridItem(pane.GetPropertyGrid(), pane.GetButton(i)).visible) << i;
    }
    EXPECT_FALSE(ClickGridValue(pane.GetPropertyGrid(), pane.GetButton(0), 10));
    EXPECT_EQ(std::string(usbl.m_ActiveTransponder), "Bravo");
}

TEST(UsblAndTssPanes, BothShowInTheFrame)
{
    CWinApp app{"UsblAndTssPanes"};
    ASSERT_TRUE(RovLibraryEntry(DLL_PROCESS_ATTACH));
    {
        CTestHost host;
        ASSERT_TRUE(host.CreateHost(800, 1000));
        CTssPane tss;
        CUsblPane usbl;
        CHostRecords& records = host.m_Records;
        records.m_TssPipeTracker.m_CoilCount = 3;
        records.m_TssPipeTracker.m_SignalMaximum = 100;
        records.m_Transponders[0].m_Name = "Alpha";
        records.m_Transponders[1].m_Name = "Bravo";
        records.m_Usbl.m_ActiveTransponder = "Alpha";
        ASSERT_TRUE(host.Dock(tss, 4502, &records.m_TssPipeTracker));
        ASSERT_TRUE(host.Dock(usbl, 4503, &records.m_Usbl, true));
        // The user shares the dock area between the two, as a host's saved layout does.
        QDockWidget* tssDock = qobject_cast<QDockWidget*>(tss.GetWidget()->parentWidget());
        QDockWidget* usblDock = qobject_cast<QDockWidget*>(usbl.GetWidget()->parentWidget());
        ASSERT_NE(tssDock, nullptr);
        ASSERT_NE(usblDock, nullptr);
        auto* frame = qobject_cast<QMainWindow*>(tssDock->parentWidget());
        ASSERT_NE(frame, nullptr);
        frame->resizeDocks({tssDock, usblDock}, {300, 600}, Qt::Vertical);
        Pump();
        host.Update(tss);
        host.Update(usbl, 0);
        host.Update(usbl, 1);
        QDir().mkpath(SUITE_VISUAL_DIR);
        FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"TSS", &tss}, {"USBL", &usbl}}, {},
                                            QString(SUITE_VISUAL_DIR) + "/tss_usbl.png");
    }
    RovLibraryEntry(DLL_PROCESS_DETACH);
}

TEST_F(UsblPaneFixture, SettingsNamesStayInTheSettingsFolder)
{
    const struct
    {
        const char* name;
        const char* file;
    } cases[] = {{"Usbl System", "Usbl System"}, {"..\\..\\Windows\\win", "______Windows_win"},
                 {"a/b:c", "a_b_c"},             {"x...y", "x__.y"},
                 {"q*?\"<>|", "q______"},        {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(std::string(CUsblPane::SettingsName(c.name)), c.file) << c.name;

    // Written under the made name, in the settings folder.
    usbl.m_DeviceName = "..\\up/one";
    ASSERT_TRUE(CUsblPane::WriteSettings(usbl));
    EXPECT_TRUE(QFile::exists(SettingsFile("___up_one")));
}
// Host input that does not fit the pane: indexes beyond the record, no record, no name.
using UsblPaneBadInput = UsblPaneFixture;

TEST_F(UsblPaneBadInput, AnIndexBeyondTheTransponderSetReadsNothing)
{
    Dock();
    for (int index : {3, 4, 1000, -1})
    {
        host.Update(pane, index);
        EXPECT_EQ(pane.GetGroupCount(), 3) << index;
        EXPECT_EQ(pane.GetPropertyGrid().GetTriggered(), -1) << index;
    }
    // The set changed under the pane as the index grew past it: rebuilt, then nothing read.
    usbl.m_Transponders.RemoveAt(2);
    host.Update(pane, 2);
    EXPECT_EQ(GridGroupNames(pane.GetPropertyGrid()),
              (std::vector<std::string>{"Transponder : Alpha", "Transponder : Bravo"}));
    EXPECT_EQ(pane.GetPropertyGrid().GetTriggered(), -1);
    host.Timeout(pane, 2);
    host.Update(pane, 1);
    EXPECT_EQ(pane.GetPropertyGrid().GetTriggered(), 1);
}

TEST_F(UsblPaneBadInput, ARecordWithoutANameTakesThePickAndWritesNoFile)
{
    usbl.m_DeviceName = "";
    Dock();
    ASSERT_TRUE(ClickGridValue(pane.GetPropertyGrid(), pane.GetButton(0), 10));
    EXPECT_EQ(std::string(usbl.m_ActiveTransponder), "Alpha");
    EXPECT_EQ(Buttons(), (std::vector<std::string>{"ACTIVE CCFFCC", "Monitor EBEBEB", "Monitor EBEBEB"}));
    EXPECT_FALSE(QFile::exists(SettingsFile("")));
    EXPECT_FALSE(CUsblPane::WriteSettings(usbl));
}

TEST_F(UsblPaneBadInput, WithoutARecordNothingIsShownOrRead)
{
    ASSERT_TRUE(host.Dock(pane, 4512, static_cast<CUsbl*>(nullptr), true));
    host.Update(pane, 0);
    host.Timeout(pane, 0);
    EXPECT_EQ(pane.GetGroupCount(), 0);
    CUsblPane never;
    never.Update(0);
    never.SetTimeout(0);
    EXPECT_EQ(never.GetGroupCount(), 0);
}
} // namespace
