// The observation panes as the user meets them in the program's frame: the grid that edits one
// observation chosen by its "From" and "To" stations (edited with the mouse and keys, its
// choice kept in its settings file, each edit written into the network file), and the matrix
// of every observation.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/app/panes/NetworkObservationsListCtrl.h"
#include "acoustic/app/panes/NetworkObservationsPane.h"
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
const char kNetworkName[] = "Bay";

CNetworkStation Station(const char* name, int type, double e, double n)
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
    network.m_FileName = kNetworkName;
    network.AddStation(Station("F1", STATION_FIXED, 500000.0, 6000000.0));
    network.AddStation(Station("F2", STATION_FIXED, 500300.0, 6000000.0));
    network.AddStation(Station("S3", STATION_FREE, 500100.0, 6000400.0));
    network.AddStation(Station("S4", STATION_FREE, 499800.0, 6000200.0));
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
        "Network Adjust", [](CConfigFile& file) { file.WriteText("Network File", kNetworkName); }));
}

QByteArray FileBytes(const CString& path)
{
    QFile file(LinuxPathFromWindows(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray NetworkBytes()
{
    return FileBytes(GetNetworkFilePath(kNetworkName));
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
class CRecordingMainFrame : public CMainFrame
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
        m_pFrame = new CRecordingMainFrame;
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
    CRecordingMainFrame* m_pFrame = nullptr;
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
            network.AddStation(Station("S", STATION_FREE, i, i));
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
    one.m_FileName = kNetworkName;
    one.AddStation(Station("F1", STATION_FIXED, 500000.0, 6000000.0));
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
