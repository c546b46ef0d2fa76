// The observation panes as the user meets them in the program's frame: the grid that edits one
// observation chosen by its "From" and "To" stations (edited with the mouse and keys, its
// choice kept in its settings file, each edit written into the network file), and the matrix
// of every observation.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/AcousticView.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/app/panes/NetworkObservationsListCtrl.h"
#include "acoustic/app/panes/NetworkObservationsPane.h"
#include "acoustic/app/panes/NetworkStationListCtrl.h"
#include "acoustic/app/panes/ObservationsPane.h"
#include "acoustic/app/tests/DemoNetworkStart.h"
#include "acoustic/app/tests/FrameFixtures.h"
#include "acoustic/engine/Network.h"
#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"
#include "platform/ui/HeaderCtrl.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/RecordingOwner.h"
#include "testsupport/UserInput.h"

#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
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

class NetworkObservationsFrameTest : public NetworkFrameTest
{
protected:
    // The frame with both observation panes shown.
    void MakeFrame()
    {
        NetworkFrameTest::MakeFrame({ID_ACOUSTIC_NETWORK_LAYOUT, ID_ACOUSTIC_NETWORK_OBSERVATIONS});
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
// draws, and of any edit that undoes an adjustment (its residuals then leave the matrix).
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
        bool adjusted; // the network adjusted before the edit
        bool posted;
    } cases[] = {
        {"Range/Observed", "105.0", &NetworkObservationDef::ObservedRange, 105.0, true, true},
        {"Range/Std.Err.", "0.5", &NetworkObservationDef::RangeSE, 0.5, false, false},
        {"Bearing/Observed", "90", &NetworkObservationDef::ObservedBearing, 90.0, false, true},
        {"Bearing/Std.Err.", "2.5", &NetworkObservationDef::BearingSE, 2.5, true, true},
        {"Speed of Sound in Water", "1500", nullptr, 1500.0, true, true},
    };
    for (const Case& c : cases)
    {
        Network().m_Result = c.adjusted ? 1 : 0;
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

namespace
{
// The frame with its network panes, as the user works in them through the menu and the panes.
class NetworkFrameWiringTest : public NetworkObservationsFrameTest
{
protected:
    CNetworkObservationsListCtrl& Matrix() { return m_pFrame->m_wndObservationsPane.GetList(); }

    QMenuBar* MenuBar() { return qobject_cast<QMenuBar*>(m_pFrame->m_wndMenuBar.GetWidget()); }

    bool ChooseFromNetworkMenu(const char* item)
    {
        const bool chosen = UserInput::ChooseFromMenuBar(MenuBar(), kNetworkMenu, item);
        PumpFor(50);
        return chosen;
    }

    // Whether the item shows its check mark when its menu opens.
    bool NetworkMenuItemChecked(const char* item)
    {
        for (QAction* title : MenuBar()->actions())
        {
            if (title->text() != kNetworkMenu || !title->menu())
                continue;
            emit title->menu()->aboutToShow();
            for (QAction* action : title->menu()->actions())
                if (action->text() == item)
                    return action->isChecked();
        }
        ADD_FAILURE() << "no item " << item;
        return false;
    }

    static constexpr const char* kNetworkMenu = "&Network Adjustment ";

    std::string Heading(int column)
    {
        char text[64] = {0};
        LVCOLUMN c{};
        c.mask = LVCF_TEXT;
        c.pszText = text;
        c.cchTextMax = sizeof text;
        EXPECT_TRUE(Matrix().GetColumn(column, &c)) << column;
        return text;
    }

    std::string GridText(const char* row)
    {
        for (int i = 0; i < Grid().GetPropertyCount(); ++i)
        {
            CMFCPropertyGridProperty* group = Grid().GetProperty(i);
            for (int k = 0; k < group->GetSubItemsCount(); ++k)
                if (CString(group->GetSubItem(k)->GetName()) == row)
                    return std::string(Grid().GetShownValue(group->GetSubItem(k)));
        }
        return "(no row " + std::string(row) + ")";
    }
};

void SaveNetworkAs(const CNetwork& source, const char* name)
{
    CNetwork network;
    network.m_FileName = name;
    for (INT_PTR i = 0; i < source.GetSize(); ++i)
        network.AddStation(source.GetAt(i));
    ASSERT_TRUE(network.Save());
}

// How many pixels inside `area` have the colour `rgb` (0xRRGGBB).
int PixelsOf(const QImage& image, const QRect& area, QRgb rgb)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == rgb)
                ++count;
    return count;
}
} // namespace

// A network file chosen from the menu replaces the network in both panes; one chosen outside
// the folder network files are read from is refused and changes nothing.
TEST_F(NetworkFrameWiringTest, OpeningANetworkFileShowsItInBothPanes)
{
    WriteNetwork(Square());
    CNetwork reef = Bay();
    SaveNetworkAs(reef, "Reef");
    MakeFrame();
    ASSERT_EQ(Matrix().GetItemCount(), 3 * 4);
    EXPECT_EQ(GridText("To"), "S2");
    CString folder;
    ASSERT_TRUE(GetNetworkFolder(folder));

    ModalHook::AnswerFileDialog({folder + "Reef.NET"});
    ASSERT_TRUE(ChooseFromNetworkMenu("Select Network File"));
    ASSERT_FALSE(ModalHook::Shown().empty());
    const MODAL_RECORD& dialog = ModalHook::Shown().back();
    EXPECT_EQ(dialog.kind, MODAL_RECORD::FileDialog);
    EXPECT_EQ(dialog.fileName, folder + "Bay.NET");
    EXPECT_EQ(dialog.text, "Network File (*.net)|*.net||");
    EXPECT_EQ(m_pFrame->GetMode(), 2);
    ASSERT_EQ(Network().GetSize(), 4);
    EXPECT_EQ(Network().m_FileName, "Reef");
    EXPECT_EQ(Matrix().GetItemCount(), 4 * 4);
    EXPECT_EQ(Matrix().GetHeaderCtrl()->GetItemCount(), 2 + 2 * 4);
    EXPECT_EQ(Heading(6), "S3\nRange");
    EXPECT_EQ(Matrix().GetItemText(4 + 1, 0), "F2");
    EXPECT_EQ(GridText("To"), "F2");
    // F1 and F2 are both fixed: the grid shows only what follows from their positions.
    EXPECT_EQ(Shown("Range").size(), 1u);
    CConfigFile probe;
    EXPECT_EQ(FileBytes(probe.GetSettingsFileName("Network Adjust")), QByteArray("File Name = Reef\r\n"));

    // The same file name in another folder would open the folder's "Reef" in its place.
    const QString elsewhere = LinuxPathFromWindows(CString("C:\\Elsewhere"));
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::copy(LinuxPathFromWindows(GetNetworkFilePath("Bay")), elsewhere + "/Reef.NET"));
    const QByteArray settings = FileBytes(probe.GetSettingsFileName("Network Adjust"));
    ModalHook::AnswerFileDialog({"C:\\Elsewhere\\Reef.NET"});
    ModalHook::AnswerMessageBox(IDOK);
    ASSERT_TRUE(ChooseFromNetworkMenu("Select Network File"));
    const MODAL_RECORD& refusal = ModalHook::Shown().back();
    EXPECT_EQ(refusal.kind, MODAL_RECORD::MessageBox);
    EXPECT_NE(refusal.text.Find(folder), -1) << refusal.text.GetString();
    EXPECT_EQ(Network().GetSize(), 4);
    EXPECT_EQ(Matrix().GetItemCount(), 4 * 4);
    EXPECT_EQ(FileBytes(probe.GetSettingsFileName("Network Adjust")), settings);

    // Cancelled: nothing changes.
    ModalHook::CancelFileDialog();
    ASSERT_TRUE(ChooseFromNetworkMenu("Select Network File"));
    EXPECT_EQ(Network().m_FileName, "Reef");
}

// A network file opened that does not load whole is told at once, and is not saved over
// unasked; a sound file opened afterwards saves its edits without a question.
TEST_F(NetworkFrameWiringTest, OpeningADamagedNetworkFileTellsAndGuardsIt)
{
    WriteNetwork(Square());
    SaveNetworkAs(Bay(), "Reef");
    const CString reefPath = GetNetworkFilePath("Reef");
    {
        // A typo in F2's easting: F2 loads out of use, and the file holds more than was read.
        QByteArray bytes = FileBytes(reefPath);
        ASSERT_TRUE(bytes.contains("500300.000"));
        bytes.replace("500300.000", "E500300.000");
        QFile file(LinuxPathFromWindows(reefPath));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const QByteArray damaged = FileBytes(reefPath);
    MakeFrame();
    CString folder;
    ASSERT_TRUE(GetNetworkFolder(folder));

    ModalHook::AnswerFileDialog({folder + "Reef.NET"});
    ModalHook::AnswerMessageBox(IDOK);
    ASSERT_TRUE(ChooseFromNetworkMenu("Select Network File"));
    const MODAL_RECORD told = ModalHook::Shown().back();
    EXPECT_EQ(told.kind, MODAL_RECORD::MessageBox);
    EXPECT_NE(told.text.Find("Reef"), -1) << told.text.GetString();
    EXPECT_TRUE(m_pFrame->HasNetworkLoadFailed());
    EXPECT_EQ(Matrix().GetItemCount(), 4 * 4);

    ModalHook::AnswerMessageBox(IDNO);
    Edit("Speed of Sound in Water", "1500");
    const MODAL_RECORD asked = ModalHook::Shown().back();
    EXPECT_EQ(asked.kind, MODAL_RECORD::MessageBox);
    EXPECT_EQ(asked.flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(FileBytes(reefPath), damaged);

    ModalHook::AnswerFileDialog({folder + "Bay.NET"});
    ASSERT_TRUE(ChooseFromNetworkMenu("Select Network File"));
    EXPECT_FALSE(m_pFrame->HasNetworkLoadFailed());
    const size_t shown = ModalHook::Shown().size();
    Edit("Speed of Sound in Water", "1490");
    EXPECT_EQ(ModalHook::Shown().size(), shown) << "saved without a question";
    EXPECT_DOUBLE_EQ(ReadBackObservations().m_SpeedOfSound, 1490.0);
}

// "Compute" adjusts the network: the matrix gains its residual rows, the station pane comes
// into view and the menu item is checked; the next edit, even of a weight alone, undoes the
// adjustment and the matrix loses them again.
TEST_F(NetworkFrameWiringTest, ComputeShowsTheResidualsUntilTheNextEdit)
{
    WriteNetwork(Square());
    WriteSettings("From = 1\nTo = 0\n");
    MakeFrame();
    ASSERT_FALSE(m_pFrame->m_wndNetworkStationPane.IsVisible());
    ASSERT_TRUE(ChooseFromNetworkMenu("Compute"));
    ASSERT_EQ(Network().m_Result, 1);
    EXPECT_TRUE(m_pFrame->m_wndNetworkStationPane.IsVisible());
    EXPECT_EQ(m_pFrame->m_wndNetworkStationPane.GetList().GetHeaderCtrl()->GetItemCount(), 14);
    ASSERT_EQ(Matrix().GetItemCount(), 3 * 5);
    EXPECT_EQ(Matrix().GetItemText(5 + 3, 1), "Residual");
    EXPECT_NE(Matrix().GetItemText(5 + 3, 2), "") << "S2's residual to F1";
    EXPECT_TRUE(NetworkMenuItemChecked("Compute"));

    // A weight changed: the residuals no longer hold.
    Edit("Range/Std.Err.", "0.3");
    EXPECT_EQ(Network().m_Result, 0);
    ASSERT_EQ(Matrix().GetItemCount(), 3 * 4);
    EXPECT_EQ(Matrix().GetItemText(4 + 3, 1), "");

    Edit("Range/Observed", "100.5");
    ASSERT_EQ(Matrix().GetItemCount(), 3 * 4);
    EXPECT_EQ(Matrix().GetItemText(4, 2), "100.50");
    EXPECT_EQ(Matrix().GetItemText(4 + 2, 2), "0.50");
    EXPECT_FALSE(NetworkMenuItemChecked("Compute"));
}

// A station message from either pane refills the matrix and rebuilds the grid: an observation
// switched off in the grid leaves the matrix, and a station deleted in the station pane leaves
// both, the grid's choice kept inside the network.
TEST_F(NetworkFrameWiringTest, StationMessagesRefreshBothPanes)
{
    WriteNetwork(Square());
    WriteSettings("From = 2\nTo = 1\n");
    NetworkFrameTest::MakeFrame(
        {ID_ACOUSTIC_NETWORK_STATIONS, ID_ACOUSTIC_NETWORK_LAYOUT, ID_ACOUSTIC_NETWORK_OBSERVATIONS});
    // S3's observed range to S2, in S2's range column.
    ASSERT_EQ(Matrix().GetItemText(8, 4), "141.42");

    Edit("Range/Use Observation", "No");
    EXPECT_EQ(PostedMessages(), std::vector<UINT>{UM_UPDATE_STATION});
    for (int row = 8; row < 12; ++row)
        EXPECT_EQ(Matrix().GetItemText(row, 4), "") << row;
    EXPECT_EQ(Matrix().GetItemText(8, 5), "135.00") << "the bearing stays";

    CNetworkStationListCtrl& stations = m_pFrame->m_wndNetworkStationPane.GetList();
    for (int row = 0; row < 3; ++row)
        stations.SetItemState(row, row == 2 ? LVIS_SELECTED : 0, LVIS_SELECTED);
    stations.SetFocus();
    PumpFor(5);
    UserInput::Key(Qt::Key_Delete);
    PumpFor(50);
    ASSERT_EQ(Network().GetSize(), 2);
    EXPECT_EQ(Matrix().GetItemCount(), 2 * 4);
    EXPECT_EQ(Matrix().GetHeaderCtrl()->GetItemCount(), 2 + 2 * 2);
    EXPECT_EQ(Pane().GetFrom(), 1);
    EXPECT_EQ(GridText("From"), "S2");
}

// Night switched on after the panes are made recolours the matrix at once, and its later
// refills keep the night; day brings its own colours back. The headings keep the dark grey
// of the station list's headings by day and night.
TEST_F(NetworkFrameWiringTest, NightReachesTheMatrixAfterItIsMade)
{
    WriteNetwork(Square());
    WriteSettings("From = 1\nTo = 0\n");
    MakeFrame();
    const auto look = [this] {
        PumpFor(20);
        const QImage image = FrameProbe::GrabWindow(m_pFrame);
        const QRect area = FrameProbe::PaneRect(&Matrix());
        EXPECT_FALSE(area.isEmpty());
        const QRect header(area.topLeft(), QSize(area.width(), Matrix().GetHeaderCtrl()->GetHeight()));
        EXPECT_EQ(FrameProbe::BackgroundColour(image, header).rgb() & 0xFFFFFF, 0x555555u);
        return std::make_pair(FrameProbe::BackgroundColour(image, area).rgb() & 0xFFFFFF,
                              PixelsOf(image, area, 0xC0C0C0));
    };
    EXPECT_EQ(look().first, 0xD6D6D6u);

    m_pFrame->SetNightMode(true);
    auto night = look();
    EXPECT_EQ(night.first, 0x000000u);
    EXPECT_GT(night.second, 0) << "the figures in 0xC0C0C0";

    Edit("Range/Use Observation", "No");
    ASSERT_EQ(PostedMessages(), std::vector<UINT>{UM_UPDATE_STATION});
    night = look();
    EXPECT_EQ(night.first, 0x000000u) << "after a refill";
    EXPECT_GT(night.second, 0);

    m_pFrame->SetNightMode(false);
    EXPECT_EQ(look().first, 0xD6D6D6u);
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

    // A station message moves the plan view to a position it does not show, and only then;
    // the extent's bounds are inside it.
    CAcousticView* view = frame->GetAcousticView();
    ASSERT_NE(view, nullptr);
    CCalibrationPlot& plot = view->GetPlot();
    const double originE = plot.originE;
    const double originN = plot.originN;
    tagXY onEdge{plot.plotMaxE, plot.plotMinN};
    frame->SendMessage(UM_UPDATE_STATION, reinterpret_cast<WPARAM>(&onEdge), 0);
    EXPECT_EQ(plot.originE, originE);
    EXPECT_EQ(plot.originN, originN);
    tagXY outside{plot.plotMaxE + 500.0, plot.plotMaxN + 200.0};
    frame->SendMessage(UM_UPDATE_STATION, reinterpret_cast<WPARAM>(&outside), 0);
    EXPECT_EQ(plot.originE, outside.x);
    EXPECT_EQ(plot.originN, outside.y);
    EXPECT_LE(plot.plotMinE, outside.x) << "drawn there at once";
    EXPECT_GE(plot.plotMaxE, outside.x);

    ModalHook::AnswerMessageBox(IDYES);
    frame->SendMessage(WM_CLOSE);
    PumpFor(50);
    EXPECT_FALSE(::IsWindow(hFrame));
}
