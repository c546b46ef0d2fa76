// The Acoustic program started as it starts for a user, offscreen, on temporary drives: the
// objects its frame builds from their settings files, the network named in "Network Adjust",
// the seventeen panes, six toolbars, the menu and the status bar; the exit question; the OLE
// failure; a damaged network file; a pane and a toolbar that cannot be made; the About box.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/AcousticVersion.h"
#include "acoustic/app/AcousticView.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/app/tests/FrameFixtures.h"
#include "acoustic/engine/DateFolders.h"
#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/ui/Resources.h"
#include "outside/kadenta/Kadenta.h"
#include "platform/core/Path.h"
#include "platform/core/StdioFile.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/MenuProbe.h"
#include "testsupport/TempDrives.h"

#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QToolBar>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

namespace
{
class AcousticFrameTest : public AcousticFrameFixture<CMainFrame>
{
protected:
    // Starts the program as its InitInstance does.
    void Start()
    {
        ASSERT_TRUE(m_App.InitInstance());
        m_pFrame = m_App.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->GetMainWindow()->resize(1400, 900);
        PumpFor(100);
    }

    // The started frame, in a normal window, as the user sees it: the panes that show something
    // from the start (the others are empty until their calibration's data arrives) and
    // `more`; the picture saved under `png` in the visual folder.
    void ExpectFrameShownNormally(std::vector<std::pair<std::string, const CWnd*>> more, const char* png)
    {
        m_pFrame->GetMainWindow()->showNormal();
        m_pFrame->GetMainWindow()->resize(1400, 900);
        PumpFor(100);
        std::vector<std::pair<std::string, const CWnd*>> panes = {
            {"Units", &m_pFrame->m_wndSettingsPane},
            {"Geodetic", &m_pFrame->m_wndSpheroidProjectionPane},
            {"Compute Heading", &m_pFrame->m_wndComputeHeadingPane}};
        panes.insert(panes.end(), more.begin(), more.end());
        FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, panes, {}, QString(SUITE_VISUAL_DIR) + "/" + png);
    }

    // The texts of the message boxes shown so far.
    static std::vector<CString> Boxes()
    {
        std::vector<CString> boxes;
        for (const MODAL_RECORD& r : ModalHook::Shown())
            if (r.kind == MODAL_RECORD::MessageBox)
                boxes.push_back(r.text);
        return boxes;
    }

    static QByteArray ReadLinux(const CString& windowsPath)
    {
        QFile file(LinuxPathFromWindows(windowsPath));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// A network of two stations saved under `name`, then a line that names no station put after
// the station section's header.
void WriteDamagedNetwork(const char* name)
{
    CNetwork network;
    network.m_FileName = name;
    CNetworkStation a, b;
    a.m_Name = "TP1";
    a.m_Status = STATION_FIXED;
    a.m_GivenE = 500000.0;
    a.m_GivenN = 6000000.0;
    b.m_Name = "TP2";
    b.m_Status = STATION_FREE;
    b.m_GivenE = 500400.0;
    b.m_GivenN = 6000300.0;
    network.AddStation(a);
    network.AddStation(b);
    ASSERT_TRUE(network.Save());
    CStringArray lines;
    {
        CStdioFile file;
        ASSERT_TRUE(file.Open(GetNetworkFilePath(name), CFile::modeRead | CFile::typeText));
        CString line;
        while (file.ReadString(line))
            lines.Add(line);
    }
    CStdioFile file;
    ASSERT_TRUE(file.Open(GetNetworkFilePath(name), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        file.WriteString(lines[i] + "\n");
        if (lines[i].Find(NETWORK_SECTION_STATIONS) >= 0)
            file.WriteString(",,,\n");
    }
}

void NameNetwork(const char* name)
{
    ASSERT_TRUE(CConfigFile::WriteSettingsFile(
        "Network Adjust", [name](CConfigFile& file) { file.WriteText("Network File", name); }));
}
} // namespace

TEST_F(AcousticFrameTest, FirstStartWithoutSettingsUsesDefaults)
{
    Start();
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    EXPECT_EQ(m_pFrame->GetMode(), 0);
    EXPECT_EQ(m_pFrame->m_Network.m_FileName, "Temp");
    EXPECT_EQ(m_pFrame->m_Network.GetSize(), 0);
    EXPECT_FALSE(m_pFrame->HasNetworkLoadFailed());
    // A missing network file is a network not made yet: nothing to tell.
    EXPECT_TRUE(Boxes().empty());

    // Each object as its own reader leaves it without a file.
    const CSpeedOfSoundInWater freshSpeed;
    EXPECT_EQ(m_pFrame->m_SpeedOfSoundInWater.m_Formula, freshSpeed.m_Formula);
    const CBoxin freshBoxin;
    EXPECT_EQ(m_pFrame->m_Boxin.m_UsedSpeed, freshBoxin.m_UsedSpeed);
    const CUsblCalibration freshUsbl;
    EXPECT_EQ(m_pFrame->m_UsblCalibration.m_GyroCorrection, freshUsbl.m_GyroCorrection);
    const CTransitFix freshFix;
    EXPECT_EQ(m_pFrame->m_TransitFix.m_NumberOfLegs, freshFix.m_NumberOfLegs);
    const CGridOnGrid freshGrid;
    EXPECT_EQ(m_pFrame->m_GridOnGrid.m_Rotation, freshGrid.m_Rotation);

    // The sound-speed point the panes open on, computed.
    const ThermoclineDef& point = m_pFrame->m_SpeedOfSoundInWater.m_Current;
    EXPECT_EQ(point.Temperature, 5.0);
    EXPECT_EQ(point.Salinity, 32.0);
    EXPECT_EQ(point.Depth, 100.0);
    EXPECT_GT(point.PressureBar, 9.0);
    EXPECT_GT(point.SpeedOfSound, 1460.0);
    EXPECT_LT(point.SpeedOfSound, 1480.0);

    // WGS84 under the projection, and the projection under the transponder sites.
    EXPECT_EQ(m_pFrame->m_Spheroid.m_Name, "WGS84");
    EXPECT_EQ(m_pFrame->m_Spheroid.m_SemiMajor, 6378137.0);
    EXPECT_EQ(m_pFrame->m_Projection.GetSpheroid(), &m_pFrame->m_Spheroid);
    EXPECT_EQ(m_pFrame->m_Boxin.GetProjection(), &m_pFrame->m_Projection);
    EXPECT_EQ(m_pFrame->m_UsblCalibration.GetProjection(), &m_pFrame->m_Projection);

    // The document template's frame, document and view, under the template's strings.
    CString documentString;
    ASSERT_TRUE(AfxLoadString(IDR_ACOUSTIC_MAINFRAME, documentString));
    EXPECT_EQ(documentString, "Acoustic\n\nAcoustic\n\n\nAcoustic.Document\nAcoustic.Document");
    // The start names the window for its plan view.
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_EQ(title, "Nav Display");
    EXPECT_NE(dynamic_cast<CAcousticView*>(m_pFrame->GetActiveView()), nullptr);
    // The thermocline logs' folder of this month is there.
    EXPECT_TRUE(QFileInfo(LinuxPathFromWindows(GetThermoclineLogFolder())).isDir());
}

// One value of each settings file, other than its default, placed before the start.
TEST_F(AcousticFrameTest, EachObjectStartsFromItsSettingsFile)
{
    {
        CSpeedOfSoundInWater speed;
        speed.m_Formula = SOUND_SPEED_MACKENZIE;
        ASSERT_TRUE(speed.SaveSettings());
        CBoxin boxin;
        boxin.m_UsedSpeed = 1512.5;
        ASSERT_TRUE(boxin.SaveSettings());
        CUsblCalibration usbl;
        usbl.m_GyroCorrection = 1.75;
        ASSERT_TRUE(usbl.SaveSettings());
        CTransitFix fix;
        fix.m_NumberOfLegs = 3;
        fix.m_NumberOfPoints = 6;
        ASSERT_TRUE(fix.Save());
        CGridOnGrid grid;
        ASSERT_EQ(grid.m_Rotation, 1);
        grid.m_Rotation = 0;
        ASSERT_TRUE(grid.SaveSettings());
        CSpheroid spheroid;
        ASSERT_TRUE(spheroid.SetFromTable(26));
        CProjection projection;
        projection.SetSpheroid(&spheroid);
        ASSERT_TRUE(projection.SetZone(30, 0, 1));
        ASSERT_TRUE(projection.SaveSettings());
    }
    Start();
    EXPECT_EQ(m_pFrame->m_SpeedOfSoundInWater.m_Formula, SOUND_SPEED_MACKENZIE);
    EXPECT_EQ(m_pFrame->m_Boxin.m_UsedSpeed, 1512.5);
    EXPECT_EQ(m_pFrame->m_UsblCalibration.m_GyroCorrection, 1.75);
    EXPECT_EQ(m_pFrame->m_TransitFix.m_NumberOfLegs, 3);
    EXPECT_EQ(m_pFrame->m_GridOnGrid.m_Rotation, 0);
    EXPECT_EQ(m_pFrame->m_Projection.m_FalseNorthing, 10000000.0);
    EXPECT_EQ(m_pFrame->m_Projection.GetSpheroid(), &m_pFrame->m_Spheroid);
    // The geodetic pane shows the projection of the settings.
    EXPECT_EQ(
        m_pFrame->m_wndSpheroidProjectionPane.GetShownText(CSpheroidProjectionPane::ITEM_PROJECTION_NAME),
        m_pFrame->m_Projection.m_Name);
}

// Settings files that cannot be read as written: each object keeps its own defaults, and a
// network name that is not there is the default network.
TEST_F(AcousticFrameTest, DamagedSettingsFilesGiveTheDefaults)
{
    const CSpeedOfSoundInWater freshSpeed;
    const CBoxin freshBoxin;
    const CUsblCalibration freshUsbl;
    const CTransitFix freshFix;
    const CGridOnGrid freshGrid;
    static const char kHead[] = "\x00\xFF\xFE = = =\r\n\x01\x02 Mode = \r\n";
    QByteArray junk(kHead, sizeof kHead - 1);
    junk += QByteArray(70000, 'x'); // longer than any settings line
    for (const char* name : {"SpeedOfSoundInWater", "Boxin", "USBL_Calibration", "Transit_Fix",
                             "Grid_On_Grid", "Projection", "Acoustic"})
    {
        QFile file(LinuxPathFromWindows(GetSettingsFolder() + name + ".INI"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
        file.write(junk);
    }
    // A name line without a name.
    ASSERT_TRUE(CConfigFile::WriteSettingsFile(
        "Network Adjust", [](CConfigFile& file) { file.WriteString("Network File = \n"); }));
    Start();
    EXPECT_EQ(m_pFrame->m_SpeedOfSoundInWater.m_Formula, freshSpeed.m_Formula);
    EXPECT_EQ(m_pFrame->m_Boxin.m_UsedSpeed, freshBoxin.m_UsedSpeed);
    EXPECT_EQ(m_pFrame->m_UsblCalibration.m_GyroCorrection, freshUsbl.m_GyroCorrection);
    EXPECT_EQ(m_pFrame->m_TransitFix.m_NumberOfLegs, freshFix.m_NumberOfLegs);
    EXPECT_EQ(m_pFrame->m_GridOnGrid.m_Rotation, freshGrid.m_Rotation);
    EXPECT_EQ(m_pFrame->GetMode(), 0);
    EXPECT_EQ(m_pFrame->m_Network.m_FileName, "Temp");
    EXPECT_FALSE(m_pFrame->HasNetworkLoadFailed());
    EXPECT_EQ(m_pFrame->m_Projection.GetSpheroid(), &m_pFrame->m_Spheroid);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(AcousticFrameTest, NetworkNamedInItsSettingsIsLoaded)
{
    CNetwork network;
    network.m_FileName = "Harbour";
    CNetworkStation station;
    station.m_Name = "North";
    station.m_Status = STATION_FIXED;
    station.m_GivenE = 500000.0;
    station.m_GivenN = 6000000.0;
    network.AddStation(station);
    station.m_Name = "South";
    station.m_GivenN = 5999000.0;
    network.AddStation(station);
    ASSERT_TRUE(network.Save());
    NameNetwork("Harbour");
    Start();
    EXPECT_EQ(m_pFrame->m_Network.m_FileName, "Harbour");
    ASSERT_EQ(m_pFrame->m_Network.GetSize(), 2);
    EXPECT_EQ(m_pFrame->m_Network[1].m_Name, "South");
    EXPECT_FALSE(m_pFrame->HasNetworkLoadFailed());
    EXPECT_TRUE(Boxes().empty());
    // The adjustment's results do not carry over from the file.
    EXPECT_EQ(m_pFrame->m_Network.m_Result, 0);
}

// A network file that is there but does not load whole is told once after the start, naming
// the file and its first damaged line; the file stays as it was.
TEST_F(AcousticFrameTest, DamagedNetworkFileIsToldOnceAndKept)
{
    WriteDamagedNetwork("Damaged");
    NameNetwork("Damaged");
    const QByteArray before = ReadLinux(GetNetworkFilePath("Damaged"));
    ASSERT_FALSE(before.isEmpty());
    ModalHook::AnswerMessageBox(IDOK);
    Start();
    EXPECT_TRUE(m_pFrame->HasNetworkLoadFailed());
    const std::vector<CString> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], m_pFrame->GetNetworkLoadProblem());
    EXPECT_EQ(boxes[0].Find("Network file "), 0) << (LPCSTR)boxes[0];
    EXPECT_NE(boxes[0].Find("Damaged.NET could not be read"), -1) << (LPCSTR)boxes[0];
    EXPECT_NE(boxes[0].Find("Line 4 "), -1) << (LPCSTR)boxes[0];
    EXPECT_EQ(ModalHook::Shown().back().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    // The reader takes nothing from such a file; the file is untouched, start and close alike.
    EXPECT_EQ(m_pFrame->m_Network.GetSize(), 0);
    m_pFrame->PostStartSetUp();
    EXPECT_EQ(Boxes().size(), 1u);
    ModalHook::AnswerMessageBox(IDYES);
    m_pFrame->SendMessage(WM_CLOSE);
    PumpFor(30);
    EXPECT_EQ(ReadLinux(GetNetworkFilePath("Damaged")), before);
}

TEST_F(AcousticFrameTest, HostileNetworkFilesAreReadWithinLimitsAndNeverWritten)
{
    struct Case
    {
        const char* name;
        QByteArray text;
    };
    QByteArray many = "Two Way Travel Time = 0\r\nSpeed Of Sound = 1500\r\n[StationT]\r\n";
    for (int i = 0; i < 100000; ++i)
        many += "S" + QByteArray::number(i) + ",2,nan,inf,0\r\n";
    const Case cases[] = {
        {"NoStation", "Two Way Travel Time = 0\r\nSpeed Of Sound = 1500\r\n[StationT]\r\n,,\r\n[Range]\r\n"},
        {"Binary", QByteArray("\x00\x01\xFF\xFE garbage \x00", 14)},
        {"Huge", many},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CString folder;
        ASSERT_TRUE(GetNetworkFolder(folder));
        {
            QFile file(LinuxPathFromWindows(GetNetworkFilePath(c.name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.text);
        }
        NameNetwork(c.name);
        CMainFrame frame;
        EXPECT_TRUE(frame.HasNetworkLoadFailed());
        EXPECT_NE(frame.GetNetworkLoadProblem().Find(CString(c.name) + ".NET could not be read"), -1)
            << (LPCSTR)frame.GetNetworkLoadProblem().Left(300);
        // However damaged the file, the message stays one a person can read.
        EXPECT_LT(frame.GetNetworkLoadProblem().GetLength(), 3000);
        EXPECT_EQ(ReadLinux(GetNetworkFilePath(c.name)), c.text);
    }
}

TEST_F(AcousticFrameTest, SeventeenPanesWithTheirIdsAndTitles)
{
    Start();
    struct Expected
    {
        UINT id;
        const char* title;
    };
    const Expected panes[] = {
        {32778, nullptr}, // the units pane's own title
        {32802, "Network Station"},
        {32851, "Network Observations"},
        {32849, "Network Observations"},
        {32826, "Boxin Data Pane"},
        {32822, "Boxin Data"},
        {32797, "Boxin Histogram Pane"},
        {1400, "Grid On Grid Pane"},
        {32860, "Velocity Profile Pane"},
        {32810, "Velocity Profile Pane"},
        {32823, "Geodetic"},
        {32775, nullptr}, // the ROV library's own title
        {32845, "Compute Heading"},
        {1401, "Transit Fix"},
        {32882, "Usbl Calibration Data Pane"},
        {32818, "Usbl Calibration Parameters"},
        {32819, "Usbl Calibration Results"},
    };
    std::map<const CDockablePane*, UINT> seen;
    for (const Expected& e : panes)
    {
        SCOPED_TRACE(e.id);
        CDockablePane* pane = m_pFrame->GetPaneOfId(e.id);
        ASSERT_NE(pane, nullptr);
        EXPECT_TRUE(seen.emplace(pane, e.id).second) << "one pane under two ids";
        if (e.title)
            EXPECT_EQ(pane->GetTitle(), e.title);
        else
            EXPECT_FALSE(pane->GetTitle().IsEmpty());
        // Docked in the frame's window, not floating.
        ASSERT_NE(pane->GetDockWidget(), nullptr);
        EXPECT_FALSE(pane->GetDockWidget()->isFloating());
        EXPECT_EQ(pane->GetDockWidget()->parentWidget(), m_pFrame->GetMainWindow());
    }
    // The data each pane was given.
    EXPECT_EQ(m_pFrame->m_wndNetworkStationPane.m_pNetwork, &m_pFrame->m_Network);
    EXPECT_EQ(m_pFrame->m_wndObservationsPane.m_pNetwork, &m_pFrame->m_Network);
    EXPECT_EQ(m_pFrame->m_wndNetworkObservationsPane.m_pNetwork, &m_pFrame->m_Network);
    EXPECT_EQ(m_pFrame->m_wndBoxinParameterPane.m_pBoxin, &m_pFrame->m_Boxin);
    EXPECT_EQ(m_pFrame->m_wndBoxinPane.m_pBoxin, &m_pFrame->m_Boxin);
    EXPECT_EQ(m_pFrame->m_wndBoxinHistogramPane.m_pBoxin, &m_pFrame->m_Boxin);
    EXPECT_EQ(m_pFrame->m_wndGridOnGridPane.m_pGridOnGrid, &m_pFrame->m_GridOnGrid);
    EXPECT_EQ(m_pFrame->m_wndVelocityProfileDataPane.m_pSoundSpeed, &m_pFrame->m_SpeedOfSoundInWater);
    EXPECT_EQ(m_pFrame->m_wndThermoclinePane.m_pSoundSpeed, &m_pFrame->m_SpeedOfSoundInWater);
    EXPECT_EQ(m_pFrame->m_wndTransitFixPane.m_pTransitFix, &m_pFrame->m_TransitFix);
    EXPECT_EQ(m_pFrame->m_wndUsblCalibrationPane.m_pUsbl, &m_pFrame->m_UsblCalibration);
    EXPECT_EQ(m_pFrame->m_wndUsblCalibrationParameterPane.m_pUsbl, &m_pFrame->m_UsblCalibration);
    EXPECT_EQ(m_pFrame->m_wndUsblCalibrationResultPane.m_pUsbl, &m_pFrame->m_UsblCalibration);
    // The two network lists' station icons.
    EXPECT_EQ(m_pFrame->m_wndNetworkStationPane.m_StationIcons.GetImageCount(), 6);
    EXPECT_EQ(m_pFrame->m_wndObservationsPane.m_StationIcons.GetImageCount(), 6);
}

// A first start runs in mode 0: every calibration pane hidden, the panes of every mode (units,
// geodetic, heading, the velocity panes) as they were made, and the mode saved.
TEST_F(AcousticFrameTest, FirstStartHidesTheCalibrationPanesAndSavesModeZero)
{
    Start();
    EXPECT_EQ(m_pFrame->GetMode(), 0);
    for (UINT id : {32826u, 32822u, 32797u, 32802u, 32849u, 32851u, 1400u, 1401u, 32882u, 32818u, 32819u})
        EXPECT_FALSE(m_pFrame->GetPaneOfId(id)->IsVisible()) << id;
    for (UINT id : {32778u, 32823u, 32845u, 32860u, 32810u})
        EXPECT_TRUE(m_pFrame->GetPaneOfId(id)->IsVisible()) << id;
    CString line;
    ASSERT_TRUE(
        CConfigFile::ReadSettingsFile("Acoustic", [&line](CConfigFile& file) { file.ReadString(line); }));
    EXPECT_EQ(line, "Mode = 0");
}

// The mode of the last run comes back; a line that holds no mode is mode 0.
TEST_F(AcousticFrameTest, SavedModeIsResumed)
{
    struct Case
    {
        const char* line;
        int mode;
        size_t toolBar; // the one shown, by member order
    };
    const Case cases[] = {
        {"Mode = 4\n", 4, 4}, {"Mode 4\n", 0, 5}, {"Mode = x\n", 0, 5}, {"Mode = 1\n", 1, 1}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(CConfigFile::WriteSettingsFile("Acoustic",
                                                   [&c](CConfigFile& file) { file.WriteString(c.line); }));
        CMainFrame* frame = MakeFrame(new CMainFrame);
        ASSERT_NE(frame, nullptr);
        frame->PostStartSetUp();
        EXPECT_EQ(frame->GetMode(), c.mode);
        const std::array<CMFCToolBar*, 6> bars = frame->GetToolBars();
        for (size_t i = 0; i < bars.size(); ++i)
            EXPECT_EQ(bars[i]->IsVisible() != FALSE, i == c.toolBar) << i;
        TearDown();
        m_pFrame = nullptr;
    }
}

// Which calibration panes each mode hides and which it leaves as the user has them.
TEST_F(AcousticFrameTest, EachModeHidesTheOtherCalibrations)
{
    Start();
    const UINT ids[11] = {32826, 32822, 32797, 32802, 32849, 32851, 1400, 1401, 32882, 32818, 32819};
    const char* const kept[7] = {"", "6", "345", "012", "89A", "7", "45"};
    for (int mode = 0; mode <= 6; ++mode)
    {
        for (UINT id : ids)
            m_pFrame->GetPaneOfId(id)->ShowPane(TRUE, FALSE, FALSE);
        m_pFrame->SetMode(mode);
        for (int i = 0; i < 11; ++i)
        {
            const bool stays = std::string(kept[mode]).find("0123456789A"[i]) != std::string::npos;
            EXPECT_EQ(m_pFrame->GetPaneOfId(ids[i])->IsVisible() != FALSE, stays)
                << "mode " << mode << " pane " << ids[i];
        }
        // A pane the user closed stays closed in its own mode.
        m_pFrame->GetPaneOfId(ids[kept[mode][0] ? kept[mode][0] - '0' : 0])->ShowPane(FALSE, FALSE, FALSE);
        m_pFrame->SetMode(mode);
        EXPECT_FALSE(m_pFrame->GetPaneOfId(ids[kept[mode][0] ? kept[mode][0] - '0' : 0])->IsVisible());
        EXPECT_TRUE(m_pFrame->GetPaneOfId(32845)->IsVisible());
    }
    // Outside 0..6: kept and saved, nothing on screen changes.
    m_pFrame->m_wndBoxinPane.ShowPane(TRUE, FALSE, FALSE);
    m_pFrame->SetMode(9);
    EXPECT_EQ(m_pFrame->GetMode(), 9);
    EXPECT_TRUE(m_pFrame->m_wndBoxinPane.IsVisible());
    CString line;
    ASSERT_TRUE(
        CConfigFile::ReadSettingsFile("Acoustic", [&line](CConfigFile& file) { file.ReadString(line); }));
    EXPECT_EQ(line, "Mode = 9");
}

TEST_F(AcousticFrameTest, SixToolbarsShareOneIdAndShowIndependently)
{
    Start();
    const char* const captions[] = {
        "Boxin Toolbar",       "Grid on Grid Toolbar",     "Network Adjustment Toolbar",
        "Transit Fix Toolbar", "USBL Calibration Toolbar", "Velocity Profile Toolbar"};
    const std::vector<std::vector<UINT>> buttons = {
        {32866, 32867, 0, 32798, 0, 32799, 32797, 32870}, {32837, 32839, 32842, 0, 32830, 32805},
        {32874, 0, 32802, 32849, 32851, 32804},           {32357, 32865, 32356},
        {32880, 32881, 32786, 32785, 32780, 32355},       {32775, 32854, 32855, 32860, 32810}};
    const std::array<CMFCToolBar*, 6> bars = m_pFrame->GetToolBars();
    for (size_t i = 0; i < bars.size(); ++i)
    {
        SCOPED_TRACE(captions[i]);
        CString caption;
        bars[i]->GetWindowText(caption);
        EXPECT_EQ(caption, captions[i]);
        EXPECT_EQ(bars[i]->GetDlgCtrlID(), 59392);
        ASSERT_EQ(bars[i]->GetCount(), static_cast<int>(buttons[i].size()));
        for (size_t b = 0; b < buttons[i].size(); ++b)
            EXPECT_EQ(bars[i]->GetItemID(static_cast<int>(b)), buttons[i][b]) << b;
    }
    // No calibration chosen: the velocity profile's toolbar alone.
    for (size_t i = 0; i < bars.size(); ++i)
        EXPECT_EQ(bars[i]->IsVisible() != FALSE, i == 5) << captions[i];
    // Each shows and hides on its own although they share the id.
    m_pFrame->ShowPane(bars[3], TRUE, FALSE, TRUE);
    m_pFrame->ShowPane(bars[5], FALSE, FALSE, FALSE);
    PumpFor(20);
    for (size_t i = 0; i < bars.size(); ++i)
        EXPECT_EQ(bars[i]->IsVisible() != FALSE, i == 3) << captions[i];
    EXPECT_NE(bars[3]->GetWidget()->geometry().height(), 0);
    // Their places in the window's saved layout are their own.
    std::set<QString> names;
    for (CMFCToolBar* bar : bars)
        names.insert(bar->GetWidget()->objectName());
    EXPECT_EQ(names.size(), 6u);
}

TEST_F(AcousticFrameTest, MenuLabelsAndIdsAsGiven)
{
    Start();
    MenuProbe::ExpectMenu(m_pFrame, {
        {"&File", {{"Geodetic Parameters", 32823}, {"Units", 32778}, {"E&xit", ID_APP_EXIT}}},
        {" &Computations", {{"&Compute Speed of Sound in Water", 32775}, {"Compute Heading", 32845}}},
        {"&Boxin",
         {{"Draw Boxin", 32826},
          {"Import CSV Data", 32866},
          {"Import Excel Data", 32867},
          {"Histogram", 32797},
          {"Print Report", 32870},
          {"Properties", 32822}}},
        {"&Grid on Grid",
         {{"Draw Grid on Grid", 32843},
          {"Import CSV Data", 32837},
          {"Import Excel Data", 32839},
          {"Show Imported Data", 32842},
          {"Compute", 32823},
          {"Comparison", 32805}}},
        {"&Network Adjustment ",
         {{"Select Network File", 32874},
          {"Transponder Positions", 32802},
          {"Observations", 32849},
          {"Layout", 32851},
          {"Compute", 32804}}},
        {"&Transit Fix", {{"3 Leg Fix", 32357}, {"4 Leg Fix", 32865}, {"Print Result", 32356}}},
        {"&USBL Calibration",
         {{"Draw USBL Calibration", 32882},
          {"Import CSV Data", 32880},
          {"Import Excel Data", 32881},
          {"USBL Gating", 32815},
          {"Spin Test", 32816},
          {"USBL Calibration", 32780},
          {"Print Report", 32883}}},
        {"Velecity &Profile",
         {{"Import CSV Data", 32854},
          {"Import Excel Data", 32855},
          {"Table Data", 32859},
          {"Velocity Profile", 32810}}},
        {"&View", {{"&Status Bar", ID_VIEW_STATUS_BAR}}},
        {"&Help", {{"&About Acoustic...", ID_APP_ABOUT}, {"Contact Details", 32777}}},
    });
}

TEST_F(AcousticFrameTest, StatusBarShowsTheGridReadOuts)
{
    Start();
    CChartexaStatusBar& status = m_pFrame->m_wndStatusBar;
    ASSERT_NE(status.GetSafeHwnd(), nullptr);
    EXPECT_EQ(status.GetDlgCtrlID(), 59393);
    ASSERT_EQ(status.GetCount(), 5);
    EXPECT_EQ(status.GetPaneText(1), " Eng: ");
    EXPECT_EQ(status.GetPaneText(3), " Nng: ");
    status.DisplayGrid(500123.4567, 6000765.4321);
    EXPECT_EQ(status.GetPaneText(2), "500123.457");
    EXPECT_EQ(status.GetPaneText(4), "6000765.432");
}

TEST_F(AcousticFrameTest, FrameAsTheUserSeesItAfterAFirstStart)
{
    Start();
    ExpectFrameShownNormally({}, "acoustic.png");
    EXPECT_TRUE(QFile::exists(QString(SUITE_VISUAL_DIR) + "/acoustic.png"));
    // The velocity profile's table and graph are on screen, empty until a profile comes in.
    const QImage picture = FrameProbe::GrabWindow(m_pFrame);
    for (const CDockablePane* pane : {static_cast<const CDockablePane*>(&m_pFrame->m_wndVelocityProfileDataPane),
                                      static_cast<const CDockablePane*>(&m_pFrame->m_wndThermoclinePane)})
    {
        const QRect area = FrameProbe::PaneRect(pane);
        ASSERT_FALSE(area.isEmpty()) << (LPCSTR)pane->GetTitle();
        EXPECT_EQ(FrameProbe::ContentPixels(picture, area), 0) << (LPCSTR)pane->GetTitle();
    }
    // The speed-of-sound pane, made through the pane base, waits for the user's layout.
    EXPECT_FALSE(m_pFrame->m_wndSpeedOfSoundPane.IsVisible());
    // The bubble pane lives with the frame but is never made: no window, no view, nothing shown.
    EXPECT_EQ(m_pFrame->m_wndBubblePane.GetSafeHwnd(), nullptr);
    EXPECT_EQ(m_pFrame->m_wndBubblePane.GetView(), nullptr);
}

TEST_F(AcousticFrameTest, StoredSoundSpeedPaneShowsFilled)
{
    m_App.SetRegistryKey("Velmaro Technology Limited");
    ASSERT_TRUE(m_App.WriteProfileInt(CDockablePane::GetProfileSection(32775), "IsVisible", 1));
    Start();
    m_pFrame->GetMainWindow()->showNormal();
    m_pFrame->GetMainWindow()->resize(1400, 900);
    PumpFor(100);
    EXPECT_TRUE(m_pFrame->m_wndSpeedOfSoundPane.IsVisible());
    FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, {{"Speed of sound", &m_pFrame->m_wndSpeedOfSoundPane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/acoustic-speed-of-sound.png");
}

TEST_F(AcousticFrameTest, StoredAcceleratorsAreDroppedAtEveryStart)
{
    m_App.SetRegistryKey("Velmaro Technology Limited");
    ASSERT_TRUE(m_App.WriteProfileString("Workspace\\Keyboard-0", "Accelerators", "Ctrl+Q=32775"));
    ASSERT_TRUE(m_App.WriteProfileString("Workspace\\Keyboard-0", "Other", "kept"));
    Start();
    EXPECT_EQ(m_App.GetProfileString("Workspace\\Keyboard-0", "Accelerators", "(none)"), "(none)");
    EXPECT_EQ(m_App.GetProfileString("Workspace\\Keyboard-0", "Other"), "kept");
}

TEST_F(AcousticFrameTest, ExitQuestionNoKeepsEverythingYesCloses)
{
    Start();
    const int boxinRecords = static_cast<int>(m_pFrame->m_Boxin.GetSize());
    const CString network = m_pFrame->m_Network.m_FileName;
    const bool headingShown = m_pFrame->m_wndComputeHeadingPane.IsVisible() != FALSE;
    for (int answer : {IDNO, IDCANCEL, IDOK})
    {
        ModalHook::AnswerMessageBox(answer);
        m_pFrame->SendMessage(WM_CLOSE);
        PumpFor(30);
        ASSERT_TRUE(::IsWindow(m_hFrame)) << answer;
        EXPECT_TRUE(m_pFrame->IsWindowVisible());
        const MODAL_RECORD& asked = ModalHook::Shown().back();
        EXPECT_EQ(asked.kind, MODAL_RECORD::MessageBox);
        EXPECT_EQ(asked.text, "Are you sure you wish to exit program");
        EXPECT_EQ(asked.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(asked.flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    }
    EXPECT_EQ(m_pFrame->m_Boxin.GetSize(), boxinRecords);
    EXPECT_EQ(m_pFrame->m_Network.m_FileName, network);
    EXPECT_EQ(m_pFrame->m_wndComputeHeadingPane.IsVisible() != FALSE, headingShown);
    EXPECT_NE(m_pFrame->GetPaneOfId(32823), nullptr);

    ModalHook::AnswerMessageBox(IDYES);
    m_pFrame->SendMessage(WM_CLOSE);
    PumpFor(30);
    EXPECT_FALSE(::IsWindow(m_hFrame));
    m_pFrame = nullptr;
}

namespace
{
class CFailingOleApp : public CAcousticApp
{
protected:
    BOOL InitialiseOle() override { return FALSE; }
};
} // namespace

TEST(AcousticStartTest, OleFailureShowsItsMessageAndEnds)
{
    CFailingOleApp app;
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    const MODAL_RECORD& box = ModalHook::Shown().front();
    EXPECT_EQ(box.text,
              "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
    EXPECT_EQ(box.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

// Contact details come from the company's library when it is there; without it nothing shows
// and the program goes on.
TEST_F(AcousticFrameTest, ContactDetailsWithoutTheCompanyLibrary)
{
    qputenv("SUITE_COMPANY_LIBRARY", "/no/such/libCompany.so");
    Start();
    const size_t shown = ModalHook::Shown().size();
    EXPECT_EQ(AfxGetMenuItemState(m_pFrame, ID_ACOUSTIC_CONTACT_DETAILS) & MF_GRAYED, 0u);
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ACOUSTIC_CONTACT_DETAILS));
    PumpFor(20);
    EXPECT_EQ(ModalHook::Shown().size(), shown);
    EXPECT_TRUE(::IsWindow(m_hFrame));
}

TEST_F(AcousticFrameTest, AboutBoxShowsThisBuildsVersion)
{
    Start();
    CString version;
    ModalHook::AnswerDialog(IDD_KADENTA_ABOUT, [&version](CDialog* dialog) {
        dialog->GetDlgItemText(IDC_KADENTA_VERSION, version);
        return IDOK;
    });
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_APP_ABOUT));
    PumpFor(20);
    EXPECT_EQ(version, "Version " + GetAcousticVersion());
    // The file version's major, then the build date.
    EXPECT_EQ(GetAcousticVersion(), GetProgramVersion(&kAcousticVersionBlock, kAcousticVersionRule));
    EXPECT_EQ(GetProgramVersion(&kAcousticVersionBlock, kAcousticVersionRule, "Mar  7 2026"), "1.26.3.7");
    EXPECT_EQ(GetFileVersionText(&kAcousticVersionBlock), "1.0.0.1");
    EXPECT_STREQ(kAcousticVersionBlock.fileDescription, "Acoustic");
    EXPECT_STREQ(kAcousticVersionBlock.internalName, "Acoustic.exe");
    EXPECT_STREQ(kAcousticVersionBlock.companyName, "Velmaro Technology Limited");
}

namespace
{
// A frame whose creation of one pane and one toolbar fails, as a window that cannot be made.
class CFailingFrame : public CMainFrame
{
public:
    UINT m_nFailPane = 0;
    UINT m_nFailToolBar = 0;

protected:
    BOOL CreatePart(UINT nID, const std::function<BOOL()>& create) override
    {
        if (nID == m_nFailPane || nID == m_nFailToolBar)
            return FALSE;
        return CMainFrame::CreatePart(nID, create);
    }
};
} // namespace

TEST_F(AcousticFrameTest, APaneOrToolbarThatCannotBeMadeLeavesTheRest)
{
    auto* frame = new CFailingFrame;
    frame->m_nFailPane = ID_ACOUSTIC_GEODETIC_PARAMETERS;
    frame->m_nFailToolBar = IDR_ACOUSTIC_TRANSIT_FIX_TOOLBAR;
    ASSERT_EQ(MakeFrame(frame), frame);
    EXPECT_EQ(frame->GetPaneOfId(ID_ACOUSTIC_GEODETIC_PARAMETERS), nullptr);
    EXPECT_NE(frame->GetPaneOfId(ID_ACOUSTIC_COMPUTE_HEADING), nullptr);
    EXPECT_NE(frame->GetPaneOfId(ID_ACOUSTIC_USBL_RESULTS), nullptr);
    EXPECT_EQ(frame->m_wndTransitFixToolBar.GetSafeHwnd(), nullptr);
    CString caption;
    frame->m_wndVelocityToolBar.GetWindowText(caption);
    EXPECT_EQ(caption, "Velocity Profile Toolbar");
    EXPECT_TRUE(frame->m_wndVelocityToolBar.IsVisible());
    EXPECT_NE(frame->m_wndStatusBar.GetSafeHwnd(), nullptr);
}

namespace
{
// The eleven calibration panes in the order of the mode table, and what each mode does to
// them: H hidden, '-' left as it was.
const UINT kModePanes[11] = {32826, 32822, 32797, 32802, 32849, 32851, 1400, 1401, 32882, 32818, 32819};
const char* const kModePaneRule[7] = {"HHHHHHHHHHH", "HHHHHH-HHHH", "HHH---HHHHH", "---HHHHHHHH",
                                      "HHHHHHHH---", "HHHHHHH-HHH", "HHHH--HHHHH"};
// The toolbar each mode shows, by member order (Boxin, Grid on Grid, Network Adjustment,
// Transit Fix, USBL Calibration, Velocity Profile).
const size_t kModeToolBar[7] = {5, 1, 2, 0, 4, 3, 5};
// Panes no mode changes: velocity list and graph, units, geodetic, sound speed, heading.
const UINT kOtherPanes[6] = {32860, 32810, 32778, 32823, 32775, 32845};

CString ModeFileName()
{
    CConfigFile names;
    return names.GetSettingsFileName("Acoustic");
}

void WriteModeFile(const QByteArray& bytes)
{
    QFile file(LinuxPathFromWindows(ModeFileName()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

bool HasPendingPaint(CWnd* wnd)
{
    return wnd->GetUpdateRect(nullptr) != FALSE;
}
} // namespace

// Every mode from two starting states (everything shown, everything hidden): the calibration
// panes it hides, the one toolbar it shows, the panes outside the table untouched; a mode
// outside 0..6 leaves everything as it was and is still told to the view and saved.
TEST_F(AcousticFrameTest, ModeTablesFromEachStartingState)
{
    Start();
    CAcousticView* view = m_pFrame->GetAcousticView();
    ASSERT_NE(view, nullptr);
    const std::array<CMFCToolBar*, 6> bars = m_pFrame->GetToolBars();
    std::vector<CBasePane*> others;
    for (UINT id : kOtherPanes)
        if (CDockablePane* pane = m_pFrame->GetPaneOfId(id))
            others.push_back(pane);
    ASSERT_EQ(others.size(), 6u);
    for (const bool shown : {true, false})
    {
        for (int mode = 0; mode <= 7; ++mode)
        {
            SCOPED_TRACE(testing::Message() << (shown ? "all shown" : "all hidden") << ", mode " << mode);
            for (UINT id : kModePanes)
                m_pFrame->GetPaneOfId(id)->ShowPane(shown, FALSE, FALSE);
            for (CMFCToolBar* bar : bars)
                bar->ShowPane(shown, FALSE, FALSE);
            for (CBasePane* pane : others)
                pane->ShowPane(shown, FALSE, FALSE);

            m_pFrame->SetMode(mode);
            EXPECT_EQ(m_pFrame->GetMode(), mode);
            EXPECT_EQ(view->GetMode(), mode);
            for (int i = 0; i < 11; ++i)
            {
                const bool kept = mode > 6 || kModePaneRule[mode][i] == '-';
                EXPECT_EQ(m_pFrame->GetPaneOfId(kModePanes[i])->IsVisible() != FALSE, kept && shown)
                    << "pane " << kModePanes[i];
            }
            for (size_t i = 0; i < bars.size(); ++i)
            {
                const bool expected = mode > 6 ? shown : i == kModeToolBar[mode];
                EXPECT_EQ(bars[i]->IsVisible() != FALSE, expected) << "toolbar " << i;
            }
            for (CBasePane* pane : others)
                EXPECT_EQ(pane->IsVisible() != FALSE, shown) << pane->GetDlgCtrlID();
            CString line;
            ASSERT_TRUE(
                CConfigFile::ReadSettingsFile("Acoustic", [&line](CConfigFile& file) { file.ReadString(line); }));
            CString expected;
            expected.Format("Mode = %d", mode);
            EXPECT_EQ(line, expected);
        }
    }
}

// The same mode again puts the table back and rewrites the file, but does not repaint the view
// for it; grid on grid centres the view on the middle of its pairs' system-B positions, and
// repaints it, each time it is entered; without pairs the view stays where it is.
TEST_F(AcousticFrameTest, SameModeAgainAndGridOnGridCentring)
{
    Start();
    CAcousticView* view = m_pFrame->GetAcousticView();
    ASSERT_NE(view, nullptr);
    m_pFrame->SetMode(3);
    EXPECT_TRUE(HasPendingPaint(view)) << "a new mode repaints the view";
    PumpFor(50);
    ASSERT_FALSE(HasPendingPaint(view));

    QFile::remove(LinuxPathFromWindows(ModeFileName()));
    m_pFrame->m_wndUsblCalibrationPane.ShowPane(TRUE, FALSE, FALSE);
    m_pFrame->m_wndBoxinToolBar.ShowPane(FALSE, FALSE, FALSE);
    m_pFrame->SetMode(3);
    EXPECT_FALSE(m_pFrame->m_wndUsblCalibrationPane.IsVisible());
    EXPECT_TRUE(m_pFrame->m_wndBoxinToolBar.IsVisible());
    EXPECT_FALSE(HasPendingPaint(view)) << "the same mode does not repaint the view";
    EXPECT_EQ(ReadLinux(ModeFileName()), QByteArray("Mode = 3\r\n"));

    // No pairs: the view keeps its centre.
    CCalibrationPlot& plot = view->GetPlot();
    plot.SetCentre(123.0, 456.0);
    m_pFrame->SetMode(1);
    EXPECT_EQ(plot.originE, 123.0);
    EXPECT_EQ(plot.originN, 456.0);
    PumpFor(50);

    m_pFrame->m_GridOnGrid.Add(GridOnGridDef{10.0, 20.0, 1000.0, 2000.0});
    m_pFrame->m_GridOnGrid.Add(GridOnGridDef{30.0, 40.0, 3000.0, 4000.0});
    m_pFrame->SetMode(1);
    EXPECT_EQ(plot.originE, 2000.0);
    EXPECT_EQ(plot.originN, 3000.0);
    EXPECT_TRUE(HasPendingPaint(view)) << "the centring repaints the view";
    // Another mode leaves the centre alone.
    plot.SetCentre(5.0, 6.0);
    m_pFrame->SetMode(2);
    EXPECT_EQ(plot.originE, 5.0);
}

// A start in the mode saved by the last run: that mode's toolbar only, the window named for
// its plan view, the view wired to the frame's objects and their settings.
TEST_F(AcousticFrameTest, StartInTheSavedUsblModeWiresTheView)
{
    WriteModeFile("Mode = 4\r\n");
    {
        CCalibrationPlot saved;
        saved.scaleIndex = 12;
        saved.originE = 500.0;
        saved.originN = 600.0;
        ASSERT_TRUE(saved.SaveSettings());
    }
    Start();
    EXPECT_EQ(m_pFrame->GetMode(), 4);
    const std::array<CMFCToolBar*, 6> bars = m_pFrame->GetToolBars();
    for (size_t i = 0; i < bars.size(); ++i)
        EXPECT_EQ(bars[i]->IsVisible() != FALSE, i == 4) << i;
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(m_pFrame->GetPaneOfId(kModePanes[i])->IsVisible()) << kModePanes[i];
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_EQ(title, "Nav Display");
    PumpFor(50);
    m_pFrame->GetWindowText(title);
    EXPECT_EQ(title, "Nav Display") << "the caption outlives the idle title update";
    CAcousticView* view = m_pFrame->GetAcousticView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetMode(), 4);
    EXPECT_EQ(view->GetPlot().scaleIndex, 12);
    EXPECT_EQ(view->GetPlot().originE, 500.0);
    EXPECT_EQ(view->GetPlot().originN, 600.0);
}

// A file edited to hold a mode this program does not have, a huge first line or nothing at
// all start in mode 0, and the file then holds mode 0.
TEST_F(AcousticFrameTest, UnusableSavedModeStartsInModeZero)
{
    const QByteArray huge = "Mode = 3" + QByteArray(10 * 1024 * 1024, '7') + "\r\n";
    for (const QByteArray& bytes : {QByteArray("Mode = 9\r\n"), QByteArray("Mode = -1\r\n"), QByteArray(), huge})
    {
        SCOPED_TRACE(bytes.left(12).toStdString());
        WriteModeFile(bytes);
        CMainFrame* frame = MakeFrame(new CMainFrame);
        ASSERT_NE(frame, nullptr);
        frame->PostStartSetUp();
        EXPECT_EQ(frame->GetMode(), 0);
        EXPECT_TRUE(frame->m_wndVelocityToolBar.IsVisible());
        EXPECT_EQ(ReadLinux(ModeFileName()), QByteArray("Mode = 0\r\n"));
        TearDown();
        m_pFrame = nullptr;
    }
}

// The eight import definitions: their names and two-line labels, every field skipped until
// the user picks its column, and a choice saved by one run read back by the next, one file
// line per field.
TEST_F(AcousticFrameTest, ImportDefinitionsNamedAndSkippedUntilChosen)
{
    const std::vector<std::string> boxin = {"Vessel\nEasting", "Vessel\nNorthing", "Gyro\nHeading", "Water\nDepth",
                                            "Observed\nRange"};
    const std::vector<std::string> grid = {"Easting\n(System A)", "Northing\n(System A)", "Easting\n(System B)",
                                           "Northing\n(System B)"};
    const std::vector<std::string> velocity = {"Temperature", "Salinity", "Depth"};
    const std::vector<std::string> usbl = {"Vessel\nEasting", "Vessel\nNorthing", "Gyro\nHeading", "USBL\nX",
                                           "USBL\nY",         "Usbl\nZ",          "Vessel\nPitch", "Vessel\nRoll",
                                           "ROV\nEasting",    "ROV\nNorthing"};
    CMainFrame* frame = MakeFrame(new CMainFrame);
    ASSERT_NE(frame, nullptr);
    frame->PostStartSetUp();
    const std::vector<std::tuple<CListCtrlImport*, const char*, const std::vector<std::string>*>> definitions = {
        {&frame->m_BoxinCsvImport, "Boxin CSV", &boxin},
        {&frame->m_BoxinExcelImport, "Boxin EXCEL", &boxin},
        {&frame->m_GridOnGridCsvImport, "Grid on Grid CSV", &grid},
        {&frame->m_GridOnGridExcelImport, "Grid On Grid EXCEL", &grid},
        {&frame->m_VelocityCsvImport, "Velocity Profile CSV", &velocity},
        {&frame->m_VelocityExcelImport, "Velocity Profile EXCEL", &velocity},
        {&frame->m_UsblCsvImport, "Usbl Calibration CSV", &usbl},
        {&frame->m_UsblExcelImport, "Usbl Calibration EXCEL", &usbl}};
    EXPECT_TRUE(Boxes().empty()) << "missing settings files are told of by no one";
    for (const auto& [import, name, labels] : definitions)
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(import->m_SettingsName, name);
        EXPECT_EQ(import->m_SpreadsheetName, "Sheet1");
        ASSERT_EQ(import->GetSize(), static_cast<INT_PTR>(labels->size()));
        for (INT_PTR i = 0; i < import->GetSize(); ++i)
        {
            EXPECT_EQ(std::string((LPCSTR)(*import)[i].FieldName), (*labels)[static_cast<size_t>(i)]);
            EXPECT_EQ((*import)[i].Column, -1) << i;
        }
    }
    for (INT_PTR i = 0; i < frame->m_UsblCsvImport.GetSize(); ++i)
        frame->m_UsblCsvImport[i].Column = static_cast<int>(i);
    frame->m_UsblCsvImport.SaveSettings();
    const QList<QByteArray> lines = ReadLinux(frame->m_UsblCsvImport.GetSettingsFileName()).split('\n');
    ASSERT_EQ(lines.size(), 4 + 10 + 1); // the last split is the empty text after the final line
    EXPECT_EQ(lines[9], "Usbl Z = 5\r");
    TearDown();
    m_pFrame = nullptr;

    frame = MakeFrame(new CMainFrame);
    ASSERT_NE(frame, nullptr);
    frame->PostStartSetUp();
    for (INT_PTR i = 0; i < frame->m_UsblCsvImport.GetSize(); ++i)
        EXPECT_EQ(frame->m_UsblCsvImport[i].Column, i) << i;
    EXPECT_EQ(frame->m_UsblExcelImport[0].Column, -1) << "each definition has its own file";
}

// A start resuming Boxin, as the user sees it: only the frame at the top level, the Boxin
// toolbar, the panes outside the mode table where they were made.
TEST_F(AcousticFrameTest, FrameAsTheUserSeesItInBoxinMode)
{
    WriteModeFile("Mode = 3\r\n");
    Start();
    ExpectFrameShownNormally({{"Plan view", m_pFrame->GetAcousticView()}}, "acoustic-boxin.png");
    const std::array<CMFCToolBar*, 6> bars = m_pFrame->GetToolBars();
    for (size_t i = 0; i < bars.size(); ++i)
        EXPECT_EQ(bars[i]->IsVisible() != FALSE, i == 0) << i;
    for (UINT id : {32860u, 32810u, 32778u, 32823u, 32845u})
        EXPECT_TRUE(m_pFrame->GetPaneOfId(id)->IsVisible()) << id;
    EXPECT_FALSE(m_pFrame->m_wndSpeedOfSoundPane.IsVisible());
    for (int i = 3; i < 11; ++i)
        EXPECT_FALSE(m_pFrame->GetPaneOfId(kModePanes[i])->IsVisible()) << kModePanes[i];
}
