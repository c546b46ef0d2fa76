// The observation panes as the user meets them in the program's frame: the grid that edits one
// observation chosen by its "From" and "To" stations (edited with the mouse and keys, its
// choice kept in its settings file, each edit written into the network file), and the matrix
// of every observation.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/app/panes/NetworkObservationsListCtrl.h"
#include "acoustic/app/panes/NetworkObservationsPane.h"
#include "acoustic/app/panes/ObservationsPane.h"
#include "acoustic/app/tests/DemoNetworkStart.h"
#include "acoustic/engine/Network.h"
#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

namespace
{
const char kObservationsNetworkName[] = "Bay";

CNetworkStation ObservedStation(const char* name, int type, double e, double n)
{
    CNetworkStation s;
    s.m_Name = name;
    s.m_Status = type;
    s.m_GivenE = e;
    s.m_GivenN = n;
    s.m_GivenDepth = 100.0;
    s.m_PositionSE = 1.0;
    return s;
}

// Two fixed and two floating stations, every range and bearing observed and used.
CNetwork Bay()
{
    CNetwork network;
    network.m_FileName = kObservationsNetworkName;
    network.AddStation(ObservedStation("F1", STATION_FIXED, 500000.0, 6000000.0));
    network.AddStation(ObservedStation("F2", STATION_FIXED, 500300.0, 6000000.0));
    network.AddStation(ObservedStation("S3", STATION_FREE, 500100.0, 6000400.0));
    network.AddStation(ObservedStation("S4", STATION_FREE, 499800.0, 6000200.0));
    network.ComputeObservations();
    for (INT_PTR i = 0; i < network.GetSize(); ++i)
        for (INT_PTR j = 0; j < network.GetSize(); ++j)
        {
            NetworkObservationDef& o = network.ElementAt(i).ElementAt(j);
            o.ObservedRange = o.ComputedRange + 0.5;
            o.UseRange = i != j;
            o.RangeSE = 0.2;
            o.ObservedBearing = o.ComputedBearing + 0.01;
            o.UseBearing = i != j;
            o.BearingSE = 3.0;
        }
    network.ComputeObservations();
    return network;
}

void WriteNetwork(const CNetwork& source)
{
    CNetwork network;
    network.m_FileName = source.m_FileName;
    for (INT_PTR i = 0; i < source.GetSize(); ++i)
        network.AddStation(source.GetAt(i));
    ASSERT_TRUE(network.Save());
    ASSERT_TRUE(CConfigFile::WriteSettingsFile(
        "Network Adjust", [](CConfigFile& file) { file.WriteText("Network File", kObservationsNetworkName); }));
}

QByteArray FileBytes(const CString& path)
{
    QFile file(LinuxPathFromWindows(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ObservationNetworkBytes()
{
    return FileBytes(GetNetworkFilePath(kObservationsNetworkName));
}

QByteArray SettingsBytes()
{
    CConfigFile file;
    return FileBytes(file.GetSettingsFileName("Network Observations"));
}

void WriteSettings(const char* text)
{
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Network Observations",
                                               [text](CConfigFile& file) { file.WriteString(text); }));
}

// The frame as the program makes it, logging the station messages posted to it with the
// position their record held when they arrived (none for a post without one).
class CObservationsRecordingFrame : public CMainFrame
{
public:
    struct Posted
    {
        bool withPosition;
        double e, n;
    };
    std::vector<Posted> m_Posted;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UM_UPDATE_STATION)
        {
            const auto* at = reinterpret_cast<const tagXY*>(wParam);
            m_Posted.push_back({at != nullptr, at ? at->x : 0.0, at ? at->y : 0.0});
        }
        return CMainFrame::WindowProc(message, wParam, lParam);
    }
};

class NetworkObservationsFrameTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            PumpFor(50);
        }
    }

    // The frame made as the document template makes it, both observation panes shown.
    void MakeFrame()
    {
        m_App.SetRegistryKey("Velmaro Technology Limited");
        RegisterAcousticResources();
        m_pFrame = new CObservationsRecordingFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_ACOUSTIC_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->GetMainWindow()->resize(1400, 900);
        for (CDockablePane* pane : {static_cast<CDockablePane*>(&m_pFrame->m_wndObservationsPane),
                                    static_cast<CDockablePane*>(&m_pFrame->m_wndNetworkObservationsPane)})
        {
            pane->ShowPane(TRUE, FALSE, TRUE);
            pane->GetDockWidget()->raise();
        }
        PumpFor(50);
        m_pFrame->m_Posted.clear();
    }

    CNetworkObservationsPane& Pane() { return m_pFrame->m_wndNetworkObservationsPane; }
    CMyMFCPropertyGridCtrl& Grid() { return Pane().GetPropertyGrid(); }
    CNetwork& Network() { return m_pFrame->m_Network; }

    CMFCPropertyGridProperty* Group(const char* name)
    {
        for (int i = 0; i < Grid().GetPropertyCount(); ++i)
            if (CString(Grid().GetProperty(i)->GetName()) == name)
                return Grid().GetProperty(i);
        return nullptr;
    }

    // What a group shows: the names of its visible rows with their texts.
    std::vector<std::string> Shown(const char* group)
    {
        std::vector<std::string> rows;
        CMFCPropertyGridProperty* g = Group(group);
        if (g == nullptr || !g->IsVisible())
            return rows;
        for (int k = 0; k < g->GetSubItemsCount(); ++k)
        {
            CMFCPropertyGridProperty* item = g->GetSubItem(k);
            if (item->IsVisible())
                rows.push_back(std::string(item->GetName()) + "=" + std::string(item->FormatProperty().Trim()));
        }
        return rows;
    }

    void Choose(const char* row, const char* station)
    {
        ASSERT_TRUE(UserInput::PickInGrid(Grid(), row, station)) << row;
        PumpFor(20);
    }

    void Edit(const char* row, const char* text)
    {
        ASSERT_TRUE(UserInput::EditGridRow(Grid(), row, text)) << row;
        PumpFor(20);
    }

    CAcousticApp m_App;
    CObservationsRecordingFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};
} // namespace

// The choice of stations as the settings file gives it, kept inside the network: a missing
// file, lines beyond the network, damaged lines and numbers beyond int.
TEST(NetworkObservationsSettings, LoadedIndicesAreClampedToTheNetwork)
{
    struct Case
    {
        const char* file; // null: no file
        int stations;
        int from, to;
    } cases[] = {
        {nullptr, 3, 0, 1},
        {nullptr, 1, 0, 0},
        {nullptr, 0, 0, 0},
        {"From = 7\nTo = 2\n", 3, 0, 2},
        {"From = 1\nTo = 9\n", 3, 1, 2},
        {"From = 2\n", 3, 2, 0},
        {"From = -4\nTo = -1\n", 3, 0, 0},
        {"From = abc\nTo = 99999999999\n", 3, 0, 1},
        {"From 2\nTo = 1x\n", 3, 0, 1},
        {"From = 40000\nTo = 2\n", 3, 0, 2},
        {"From = 2\nTo = 1\n", 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        CConfigFile probe;
        QFile::remove(LinuxPathFromWindows(probe.GetSettingsFileName("Network Observations")));
        if (c.file)
            WriteSettings(c.file);
        CNetwork network;
        for (int i = 0; i < c.stations; ++i)
            network.AddStation(ObservedStation("S", STATION_FREE, i, i));
        CNetworkObservationsPane pane;
        pane.m_pNetwork = &network;
        pane.LoadSettings();
        EXPECT_EQ(pane.GetFrom(), c.from) << (c.file ? c.file : "(none)") << " of " << c.stations;
        EXPECT_EQ(pane.GetTo(), c.to) << (c.file ? c.file : "(none)") << " of " << c.stations;
    }
}

TEST(NetworkObservationsSettings, SavedAsFromAndToLines)
{
    WriteSettings("From = 2\nTo = 1\n");
    CNetwork network = Bay();
    CNetworkObservationsPane pane;
    pane.m_pNetwork = &network;
    pane.LoadSettings();
    WriteSettings("damaged");
    ASSERT_TRUE(pane.SaveSettings());
    EXPECT_EQ(SettingsBytes(), QByteArray("From = 2\r\nTo = 1\r\n"));
}

// A network of one station has no observation to show.
TEST_F(NetworkObservationsFrameTest, OneStationHidesBothGroups)
{
    CNetwork one;
    one.m_FileName = kObservationsNetworkName;
    one.AddStation(ObservedStation("F1", STATION_FIXED, 500000.0, 6000000.0));
    WriteNetwork(one);
    MakeFrame();
    EXPECT_EQ(Pane().GetFrom(), 0);
    EXPECT_EQ(Pane().GetTo(), 0);
    EXPECT_TRUE(Shown("Range").empty());
    EXPECT_TRUE(Shown("Bearing").empty());
}

// What the grid shows for each pair: the same station twice, two fixed stations, and a pair
// with its range used and its bearing switched off.
TEST_F(NetworkObservationsFrameTest, GridShowsTheChosenObservation)
{
    CNetwork bay = Bay();
    bay.ElementAt(3).ElementAt(2).UseBearing = 0;
    WriteNetwork(bay);
    WriteSettings("From = 2\nTo = 2\n");
    MakeFrame();
    EXPECT_TRUE(Shown("Range").empty()) << "From = To";
    EXPECT_TRUE(Shown("Bearing").empty());

    Choose("To", "F2");
    Choose("From", "F1");
    const NetworkObservationDef& fixed = Network().GetAt(0).GetAt(1);
    CString range;
    range.Format("Fixed=%.3lf", fixed.ComputedRange);
    EXPECT_EQ(Shown("Range"), std::vector<std::string>{std::string(range)});
    // The bearing from F1 to F2 is due east.
    ASSERT_EQ(Shown("Bearing").size(), 1u);
    EXPECT_EQ(Shown("Bearing")[0].rfind("Fixed=", 0), 0u);
    EXPECT_NE(Shown("Bearing")[0].find("90"), std::string::npos) << Shown("Bearing")[0];

    Choose("From", "S4");
    Choose("To", "S3");
    const NetworkObservationDef& o = Network().GetAt(3).GetAt(2);
    CString observed, se, computed, diff;
    observed.Format("Observed=%.3lf", o.ObservedRange);
    se.Format("Std.Err.=%.3lf", o.RangeSE);
    computed.Format("Computed=%.3lf", o.ComputedRange);
    diff.Format("O-C=%.3lf", o.RangeDifference);
    EXPECT_EQ(Shown("Range"), (std::vector<std::string>{"Use Observation=Yes", std::string(observed),
                                                        std::string(se), std::string(computed),
                                                        std::string(diff)}));
    EXPECT_EQ(Shown("Bearing"), (std::vector<std::string>{"Use Observation=No"}));
}

namespace
{
// A fixed station with a floating one 100 m east and another 100 m north of it; each floating
// station's observations of the others are used.
CNetwork Square()
{
    CNetwork network;
    network.m_FileName = kObservationsNetworkName;
    network.AddStation(ObservedStation("F1", STATION_FIXED, 500000.0, 6000000.0));
    network.AddStation(ObservedStation("S2", STATION_FREE, 500100.0, 6000000.0));
    network.AddStation(ObservedStation("S3", STATION_FREE, 500000.0, 6000100.0));
    network.ComputeObservations();
    for (INT_PTR i = 1; i < network.GetSize(); ++i)
        for (INT_PTR j = 0; j < network.GetSize(); ++j)
            if (i != j)
            {
                NetworkObservationDef& o = network.ElementAt(i).ElementAt(j);
                o.ObservedRange = o.ComputedRange;
                o.UseRange = 1;
                o.RangeSE = 0.2;
                o.ObservedBearing = o.ComputedBearing;
                o.UseBearing = 1;
                o.BearingSE = 3.0;
            }
    return network;
}

CNetwork ReadBackObservations()
{
    CNetwork network;
    network.Load(kObservationsNetworkName);
    return network;
}
} // namespace

// Each edit as the user types it: the record of the "From" station takes it, the network file
// is written, the adjustment is undone, and the frame hears of the changes that move what it
// draws.
TEST_F(NetworkObservationsFrameTest, EditsGoIntoTheRecordAndTheNetworkFile)
{
    WriteNetwork(Square());
    WriteSettings("From = 1\nTo = 0\n");
    MakeFrame();
    const NetworkObservationDef& o = Network().GetAt(1).GetAt(0);
    ASSERT_DOUBLE_EQ(o.ComputedRange, 100.0);

    struct Case
    {
        const char* row;
        const char* text;
        double NetworkObservationDef::*field; // null: a field of the network
        double expected;
        bool posted;
    } cases[] = {
        {"Range/Observed", "105.0", &NetworkObservationDef::ObservedRange, 105.0, true},
        {"Range/Std.Err.", "0.5", &NetworkObservationDef::RangeSE, 0.5, false},
        {"Bearing/Observed", "90", &NetworkObservationDef::ObservedBearing, 90.0, true},
        {"Bearing/Std.Err.", "2.5", &NetworkObservationDef::BearingSE, 2.5, false},
        {"Speed of Sound in Water", "1500", nullptr, 1500.0, false},
    };
    for (const Case& c : cases)
    {
        Network().m_Result = 1;
        m_pFrame->m_Posted.clear();
        Edit(c.row, c.text);
        const double value = c.field ? o.*c.field : Network().m_SpeedOfSound;
        EXPECT_NEAR(value, c.expected, 1e-9) << c.row;
        const CNetwork saved = ReadBackObservations();
        const double savedValue = c.field ? saved.GetAt(1).GetAt(0).*c.field : saved.m_SpeedOfSound;
        EXPECT_NEAR(savedValue, c.expected, 1e-6) << c.row << ": network file";
        EXPECT_EQ(Network().m_Result, 0) << c.row;
        EXPECT_EQ(m_pFrame->m_Posted.size(), c.posted ? 1u : 0u) << c.row;
        if (!m_pFrame->m_Posted.empty())
        {
            EXPECT_FALSE(m_pFrame->m_Posted[0].withPosition) << c.row;
        }
    }
    EXPECT_DOUBLE_EQ(o.RangeDifference, 5.0);
    EXPECT_EQ(std::string(Group("Range")->GetSubItem(4)->FormatProperty().Trim()), "5.000");
    EXPECT_NEAR(o.BearingDifference, 90.0 - o.ComputedBearing, 1e-9);

    // Off: the range's values leave the grid, the frame redraws, the file keeps no range.
    m_pFrame->m_Posted.clear();
    Edit("Range/Use Observation", "No");
    EXPECT_EQ(o.UseRange, 0);
    EXPECT_EQ(Shown("Range"), std::vector<std::string>{"Use Observation=No"});
    EXPECT_EQ(m_pFrame->m_Posted.size(), 1u);
    EXPECT_EQ(ReadBackObservations().GetAt(1).GetAt(0).UseRange, 0);
    Edit("Range/Use Observation", "Yes");
    EXPECT_EQ(o.UseRange, 1);

    Edit("Measurement", "Two Way Travel Time");
    EXPECT_EQ(Network().m_TwoWayTravelTime, 1);
    EXPECT_EQ(ReadBackObservations().m_TwoWayTravelTime, 1);
    Edit("Measurement", "Metres");
    EXPECT_EQ(ReadBackObservations().m_TwoWayTravelTime, 0);
}

// A weight that would be infinite or negative, a negative range and a speed of sound of 0 or
// less are refused at the item: the value stays, nothing is saved or posted.
TEST_F(NetworkObservationsFrameTest, ValuesTheAdjustmentCannotTakeAreRefused)
{
    WriteNetwork(Square());
    WriteSettings("From = 1\nTo = 0\n");
    MakeFrame();
    const NetworkObservationDef& o = Network().GetAt(1).GetAt(0);
    const QByteArray file = ObservationNetworkBytes();
    struct Case
    {
        const char* row;
        const char* text;
    } cases[] = {{"Range/Std.Err.", "0"},         {"Range/Std.Err.", "-1"},   {"Bearing/Std.Err.", "0"},
                 {"Bearing/Std.Err.", "-0.5"},    {"Range/Observed", "-3"},   {"Speed of Sound in Water", "0"},
                 {"Speed of Sound in Water", "-1500"}};
    for (const Case& c : cases)
    {
        Network().m_Result = 1;
        m_pFrame->m_Posted.clear();
        Edit(c.row, c.text);
        UserInput::Key(Qt::Key_Escape);
        PumpFor(20);
        EXPECT_DOUBLE_EQ(o.RangeSE, 0.2) << c.row << " " << c.text;
        EXPECT_DOUBLE_EQ(o.BearingSE, 3.0) << c.row << " " << c.text;
        EXPECT_DOUBLE_EQ(o.ObservedRange, 100.0) << c.row << " " << c.text;
        EXPECT_DOUBLE_EQ(Network().m_SpeedOfSound, 1485.0) << c.row << " " << c.text;
        EXPECT_EQ(Network().m_Result, 1) << c.row << " " << c.text;
        EXPECT_TRUE(m_pFrame->m_Posted.empty()) << c.row << " " << c.text;
        EXPECT_EQ(ObservationNetworkBytes(), file) << c.row << " " << c.text;
    }
}

// Choosing a station posts its position and keeps the choice, without touching the network.
TEST_F(NetworkObservationsFrameTest, ChoosingStationsPostsTheirPositionAndSavesTheChoice)
{
    WriteNetwork(Square());
    MakeFrame();
    const QByteArray file = ObservationNetworkBytes();
    Choose("From", "S3");
    ASSERT_EQ(m_pFrame->m_Posted.size(), 1u);
    EXPECT_TRUE(m_pFrame->m_Posted[0].withPosition);
    EXPECT_DOUBLE_EQ(m_pFrame->m_Posted[0].e, 500000.0);
    EXPECT_DOUBLE_EQ(m_pFrame->m_Posted[0].n, 6000100.0);
    EXPECT_EQ(SettingsBytes(), QByteArray("From = 2\r\nTo = 1\r\n"));
    m_pFrame->m_Posted.clear();
    Choose("To", "F1");
    ASSERT_EQ(m_pFrame->m_Posted.size(), 1u);
    EXPECT_DOUBLE_EQ(m_pFrame->m_Posted[0].e, 500000.0);
    EXPECT_DOUBLE_EQ(m_pFrame->m_Posted[0].n, 6000000.0);
    EXPECT_EQ(SettingsBytes(), QByteArray("From = 2\r\nTo = 0\r\n"));
    EXPECT_EQ(ObservationNetworkBytes(), file);
}

// The matrix of a small network before and after an adjustment: its headings, the rows of
// each station with their images, the diagonal, and values only where an observation is used.
TEST(NetworkObservationsList, FillShowsEveryUsedObservation)
{
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(1200, 400));
    CImageList icons;
    CNetwork network;
    network.AddStation(ObservedStation("A", STATION_FIXED, 0.0, 0.0));
    network.AddStation(ObservedStation("B", STATION_FREE, 100.0, 0.0));
    network.AddStation(ObservedStation("C", STATION_NOT_IN_USE, 0.0, 100.0));
    NetworkObservationDef& used = network.ElementAt(1).ElementAt(0);
    used = {101.234, 1, 0.2, 100.0, 1.234, -0.004, 270.5, 1, 3.0, 270.0, 0.5, 0.001};
    NetworkObservationDef& rangeOnly = network.ElementAt(0).ElementAt(2);
    rangeOnly = {99.0, 1, 0.2, 100.0, -1.0, 0.25, 10.0, 0, 3.0, 0.0, 10.0, 0.0};
    network.ElementAt(2).ElementAt(1).ObservedRange = 55.0; // not used: not shown

    CNetworkObservationsListCtrl list;
    list.SetData(&owner, &network, &icons);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 1200, 400), &owner, 1));
    const auto heading = [&list](int c) {
        char text[64] = {0};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        EXPECT_TRUE(list.GetColumn(c, &column));
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT) << c;
        return std::string(text);
    };
    const auto image = [&list](int r) {
        LVITEM item{};
        item.mask = LVIF_IMAGE;
        item.iItem = r;
        EXPECT_TRUE(list.GetItem(&item));
        return item.iImage;
    };

    for (BYTE adjusted : {0, 1})
    {
        network.m_Result = adjusted;
        list.Fill();
        const int per = adjusted ? 5 : 4;
        ASSERT_EQ(list.GetHeaderCtrl()->GetItemCount(), 8);
        ASSERT_EQ(list.GetItemCount(), 3 * per);
        EXPECT_EQ(heading(0), "");
        EXPECT_EQ(heading(1), "");
        EXPECT_EQ(heading(4), "B\nRange");
        EXPECT_EQ(heading(7), "C\nBearing");

        // Station B's block: its name and icon on the "Computed" row, the diagonal in its own
        // columns, its observation of A in A's columns.
        const int b = per;
        std::vector<std::string> labels, names;
        std::vector<int> images;
        for (int r = b; r < b + per; ++r)
        {
            labels.push_back(std::string(list.GetItemText(r, 1)));
            names.push_back(std::string(list.GetItemText(r, 0)));
            images.push_back(image(r));
        }
        if (adjusted)
        {
            EXPECT_EQ(labels, (std::vector<std::string>{"Observed", "Computed", "O-C", "Residual", ""}));
            EXPECT_EQ(images, (std::vector<int>{4, STATION_FREE, 4, 5, 4}));
        }
        else
        {
            EXPECT_EQ(labels, (std::vector<std::string>{"Observed", "Computed", "O-C", ""}));
            EXPECT_EQ(images, (std::vector<int>{4, STATION_FREE, 4, 4}));
        }
        EXPECT_EQ(names[1], "B");
        EXPECT_EQ(list.GetItemText(b + 1, 4), "-+-");
        EXPECT_EQ(list.GetItemText(b + 1, 5), "-+-");
        EXPECT_EQ(list.GetItemText(b, 2), "101.23");
        EXPECT_EQ(list.GetItemText(b + 1, 2), "100.00");
        EXPECT_EQ(list.GetItemText(b + 2, 2), "1.23");
        EXPECT_EQ(list.GetItemText(b, 3), "270.50");
        EXPECT_EQ(list.GetItemText(b + 2, 3), "0.50");
        EXPECT_EQ(list.GetItemText(b + 3, 2), adjusted ? "-0.00" : "");
        EXPECT_EQ(list.GetItemText(b + 3, 3), adjusted ? "0.00" : "");

        // A's range to C is used, its bearing is not; C observes nothing it uses.
        EXPECT_EQ(list.GetItemText(0, 6), "99.00");
        EXPECT_EQ(list.GetItemText(2, 6), "-1.00");
        for (int r = 0; r < per; ++r)
            EXPECT_EQ(list.GetItemText(r, 7), "") << r;
        for (int r = 2 * per; r < 3 * per; ++r)
            for (int c = 2; c < 8; ++c)
                EXPECT_EQ(list.GetItemText(r, c), r == 2 * per + 1 && c >= 6 ? "-+-" : "") << r << " " << c;
    }
}

// Both panes in the program's frame, started on the demo network in the network mode: the
// matrix and the grid filled, the grid's rows whole.
TEST(NetworkObservationsProgramTest, PanesShowTheDemoNetworkAsTheUserSeesIt)
{
    PrepareDemoNetworkStart();
    if (HasFatalFailure())
        return;

    CAcousticApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    const HWND hFrame = frame->GetSafeHwnd();
    frame->GetMainWindow()->showNormal();
    frame->GetMainWindow()->resize(1400, 900);
    EXPECT_EQ(frame->GetMode(), 2);
    CObservationsPane& matrix = frame->m_wndObservationsPane;
    CNetworkObservationsPane& grid = frame->m_wndNetworkObservationsPane;
    for (CDockablePane* pane : {static_cast<CDockablePane*>(&matrix), static_cast<CDockablePane*>(&grid)})
    {
        pane->ShowPane(TRUE, FALSE, TRUE);
        pane->GetDockWidget()->raise();
    }
    PumpFor(100);
    const int stations = static_cast<int>(frame->m_Network.GetSize());
    ASSERT_EQ(stations, 5);
    EXPECT_EQ(matrix.GetList().GetItemCount(), 4 * stations);
    EXPECT_EQ(matrix.GetList().GetHeaderCtrl()->GetItemCount(), 2 + 2 * stations);
    EXPECT_EQ(grid.GetFrom(), 0);
    EXPECT_EQ(grid.GetTo(), 1);
    FrameProbe::ExpectFrameAsUserSeesIt(frame, {{"Observations", &matrix}, {"Network Observations", &grid}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/acoustic-network-observations.png");
    const FrameProbe::GridRowsSeen rows = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(frame), &grid);
    EXPECT_GE(rows.wholeRows, 5);
    EXPECT_TRUE(rows.cutNames.empty()) << rows.cutNames.front();

    ModalHook::AnswerMessageBox(IDYES);
    frame->SendMessage(WM_CLOSE);
    PumpFor(50);
    EXPECT_FALSE(::IsWindow(hFrame));
}
