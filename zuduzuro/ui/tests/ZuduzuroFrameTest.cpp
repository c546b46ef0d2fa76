// The anchor-cable program started as it starts for a user, offscreen, on temporary drives
// holding a copy of the demo data: the start-up steps on the splash, the fairlead's depth from
// the terrain, the cable and its pipeline crossing drawn in the side view, the panes docked,
// the command and message table, the exit question, and two real copies of the program meeting
// over the single-instance lock.
#include "featureui/loaders/DtmResources.h"
#include "foundation/WindowMessages.h"
#include "outside/kadenta/InitialisingSoftware.h"
#include "outside/input/InputDouble.h"
#include "outside/kadenta/Kadenta.h"
#include "outside/panes/units/MetricProperty.h"
#include "platform/core/Path.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/Resources.h"
#include "platform/ui/SingleInstance.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"
#include "testsupport/ViewKeys.h"
#include "zuduzuro/ui/ImageView.h"
#include "zuduzuro/ui/MainFrame.h"
#include "zuduzuro/ui/MainFrameResources.h"
#include "zuduzuro/ui/ZuduzuroApp.h"
#include "zuduzuro/ui/ZuduzuroVersion.h"
#include "zuduzuro/ui/ZuduzuroView.h"

#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QProcess>
#include <QThread>
#include <QToolBar>
#include <QToolTip>
#include <QHelpEvent>
#include <QApplication>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <csignal>
#include <memory>
#include <string>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/zuduzuro"
#endif

namespace
{
// Copies the demo drive into drive C:, its program settings under this test program's name.
void CopyDemoDrive(const QString& to, const QString& settingsName)
{
    const QString demo = QString(SUITE_SOURCE_DIR) + "/data/demo";
    QDirIterator it(demo, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
    {
        const QString from = it.next();
        QString relative = QDir(demo).relativeFilePath(from);
        if (!relative.startsWith("MyData/") && !relative.startsWith("MySettings/Zuduzuro/"))
            continue;
        relative.replace("MySettings/Zuduzuro/", "MySettings/" + settingsName + "/");
        const QString target = to + "/" + relative;
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(from, target);
    }
}

// A runtime folder of the test's own, so that the single-instance lock meets no other run.
QString UseOwnRuntimeFolder()
{
    const QString folder = TempDrives::Current()->Root() + "/runtime";
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
    return folder;
}

QByteArray AnchorFileBytes()
{
    QFile file(TempDrives::Current()->OnC("MyData/Anchors/ANCHOR.ANK"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ZuduzuroFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CopyDemoDrive(TempDrives::Current()->DriveC(), "zuduzuro_tests");
        UseOwnRuntimeFolder();
        CInitialisingSoftware::ClearHistory();
    }

    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            PumpFor(50);
        }
        m_App.ReleaseInstanceLock();
    }

    // Starts the program as InitInstance does; the terrain is read behind its progress dialogs.
    void Start()
    {
        ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ModalHook::AnswerDialog(IDD_LOAD_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ASSERT_TRUE(m_App.InitInstance());
        m_pFrame = m_App.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->GetMainWindow()->showNormal();
        m_pFrame->GetMainWindow()->resize(1400, 900);
        PumpFor(100);
        m_pView = m_pFrame->GetZuduzuroView();
        ASSERT_NE(m_pView, nullptr);
    }

    // Starts with every message box answered OK, and gives the texts of those shown.
    void StartAnsweringBoxes(std::vector<CString>& boxes)
    {
        ModalHook::AnswerMessageBox(IDOK);
        Start();
        for (const MODAL_RECORD& r : ModalHook::Shown())
            if (r.kind == MODAL_RECORD::MessageBox)
                boxes.push_back(r.text);
    }

    // Runs a command as the menu, toolbar or keyboard sends it.
    void Command(UINT id)
    {
        m_pFrame->SendMessage(WM_COMMAND, id, 0);
        PumpFor(10);
    }

    CZuduzuroApp m_App;
    CMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CZuduzuroView* m_pView = nullptr;
};
} // namespace

TEST(ZuduzuroVersion, ProductMajorThenTheBuildDate)
{
    EXPECT_TRUE(kZuduzuroVersionRule.productMajor);
    EXPECT_FALSE(kZuduzuroVersionRule.twoDigitDate);
    // This build's text has the four parts.
    EXPECT_EQ(GetZuduzuroVersion().Find('.'), 1);
}

TEST_F(ZuduzuroFrameTest, StartsOnTheDemoDataWithTheCableAndItsCrossingDrawn)
{
    Start();
    // The splash told each step in order.
    const std::vector<std::string> expected = {
        "Please wait loading software", "Barge Pane",       "Anchor Pane",
        "Creating Obstruction Pane",    "Creating Pipeline Pane", "Cable Weight Pane",
        "Creating DTM Pane",            "Help Pane",        "Updating Obstruction Pane",
        "Updating Pipeline Pane",       "Loading DTM",      "DTM LOADED",
        "Compute Anchor Pattern",       "Show Window"};
    std::vector<std::string> shown;
    for (const CString& text : CInitialisingSoftware::History())
        shown.push_back((LPCSTR)text);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(m_pFrame->m_pSplash, nullptr) << "the splash is gone once the frame shows";
    EXPECT_TRUE(m_App.HoldsInstanceLock());

    // The fairlead's depth is the terrain's there; the seabed came from the terrain.
    CAnchor& a = m_pFrame->m_Anchor;
    ASSERT_NE(m_pFrame->m_Dtm.m_pCells, nullptr);
    const double terrain = m_pFrame->m_Dtm.GetDepth(a.m_FairleadEasting, a.m_FairleadNorthing);
    ASSERT_NE(terrain, DBL_MAX);
    EXPECT_NEAR(a.m_WaterDepth, terrain, 0.05);
    EXPECT_DOUBLE_EQ(a.m_WaterlineToZero, 0.0);
    EXPECT_TRUE(a.m_ProfileFromDtm);

    // The cable is computed and crosses the demo pipeline about 437 m out; no fault text.
    EXPECT_GT(a.m_CableProfile.GetSize(), 10);
    EXPECT_EQ(a.m_StatusText.Find("No "), -1) << (LPCSTR)a.m_StatusText;
    const ObstructionDef* pipe = nullptr;
    for (INT_PTR i = 0; i < a.m_Crossings.GetSize(); ++i)
        if (a.m_Crossings[i].nKind == 1)
            pipe = &a.m_Crossings[i];
    ASSERT_NE(pipe, nullptr) << "the pipeline crossing was found";
    EXPECT_NEAR(pipe->Distance, 437.0, 5.0);
    // The barge pane shows the computed depth below the fairlead and the tension.
    EXPECT_NEAR(a.m_Tension, 30.0, 1e-9);

    // The seven panes exist and are docked in the frame.
    const std::vector<std::pair<const char*, CDockablePane*>> panes = {
        {"Barge", &m_pFrame->m_wndBargePane},          {"Anchor", &m_pFrame->m_wndAnchorPane},
        {"Cable Weight", &m_pFrame->m_wndCableWeightPane}, {"Obstructions", &m_pFrame->m_wndObstructionPane},
        {"Pipelines", &m_pFrame->m_wndPipelinePane},    {"DTM", &m_pFrame->m_wndDtmPane},
        {"Picture", &m_pFrame->m_wndPicturePane}};
    QMainWindow* window = m_pFrame->GetMainWindow();
    for (const auto& p : panes)
    {
        ASSERT_NE(p.second->GetSafeHwnd(), nullptr) << p.first;
        QDockWidget* dock = p.second->GetDockWidget();
        ASSERT_NE(dock, nullptr) << p.first;
        EXPECT_NE(window->dockWidgetArea(dock), Qt::NoDockWidgetArea) << p.first;
    }
    // No "Vertical Offset.bmp" beside the test program: the picture view stays empty.
    ASSERT_NE(m_pFrame->GetImageView(), nullptr);
    EXPECT_TRUE(m_pFrame->GetImageView()->m_Picture.isNull());

    // What the user sees: the frame alone, each visible pane filled, the side view painted with
    // the pipeline (green) standing at the crossing and nowhere near the fairlead.
    std::vector<std::pair<std::string, const CWnd*>> shownPanes;
    for (const auto& p : panes)
        if (p.second->IsVisible() && std::string(p.first) != "Picture")
            shownPanes.emplace_back(p.first, p.second);
    FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, shownPanes, {}, QString(SUITE_VISUAL_DIR) + "/zuduzuro_frame.png");
    const QImage frame = FrameProbe::GrabWindow(m_pFrame);
    const QRect viewRect = FrameProbe::PaneRect(m_pView);
    ASSERT_FALSE(viewRect.isEmpty());
    EXPECT_GT(FrameProbe::ContentPixels(frame, viewRect), 1000);
    const QImage view = frame.copy(viewRect);
    QDir().mkpath(SUITE_VISUAL_DIR);
    view.save(QString(SUITE_VISUAL_DIR) + "/zuduzuro_side_view.png");
    auto greenAround = [&](double range) {
        const int x = m_pView->m_PlotRect.left + static_cast<int>(range * m_pView->m_HorizontalScale);
        int count = 0;
        for (int y = m_pView->m_PlotRect.top; y < std::min(view.height(), (int)m_pView->m_PlotRect.bottom); ++y)
            for (int dx = -8; dx <= 8; ++dx)
                if (x + dx >= 0 && x + dx < view.width())
                {
                    const QColor c = view.pixelColor(x + dx, y);
                    count += (c.green() > 180 && c.red() < 90 && c.blue() < 90) ? 1 : 0;
                }
        return count;
    };
    EXPECT_GT(greenAround(pipe->Distance), 30) << "the crossing is drawn";
    EXPECT_LT(greenAround(150.0), 5);
}

TEST_F(ZuduzuroFrameTest, MenuPaneCommandsToggleTheirPanesWithCheckMarks)
{
    Start();
    const struct
    {
        UINT id;
        const char* text;
        CDockablePane* pane;
    } items[] = {{ID_ZUDUZURO_BARGE, "Barge", &m_pFrame->m_wndBargePane},
                 {ID_ZUDUZURO_ANCHOR, "Anchor", &m_pFrame->m_wndAnchorPane},
                 {ID_ZUDUZURO_CABLE_WEIGHTS, "Cable Weights", &m_pFrame->m_wndCableWeightPane},
                 {ID_ZUDUZURO_OBSTRUCTION, "Obstruction", &m_pFrame->m_wndObstructionPane},
                 {ID_ZUDUZURO_PIPELINES, "Pipelines/Cables Crossings", &m_pFrame->m_wndPipelinePane},
                 {ID_ZUDUZURO_DTM, "DTM - Depths", &m_pFrame->m_wndDtmPane},
                 {ID_ZUDUZURO_VERTICAL_OFFSET, "Vertical Offset", &m_pFrame->m_wndPicturePane}};
    for (const auto& item : items)
    {
        EXPECT_STREQ(AfxGetMenuItemText(m_pFrame, item.id), item.text) << item.id;
        EXPECT_EQ(m_pFrame->GetPaneOfCommand(item.id), item.pane) << item.id;
        const bool before = item.pane->IsVisible() != FALSE;
        EXPECT_EQ((AfxGetMenuItemState(m_pFrame, item.id) & MF_CHECKED) != 0, before) << item.id;
        EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, item.id));
        EXPECT_EQ(item.pane->IsVisible() != FALSE, !before) << item.id;
        EXPECT_EQ((AfxGetMenuItemState(m_pFrame, item.id) & MF_CHECKED) != 0, !before) << item.id;
        EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, item.id));
        EXPECT_EQ(item.pane->IsVisible() != FALSE, before) << item.id;
    }
    // The shown panes, the cable weight and obstruction panes among them, fill in the frame.
    AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_CABLE_WEIGHTS);
    PumpFor(50);
    FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame, {{"Cable Weight", &m_pFrame->m_wndCableWeightPane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/zuduzuro_frame_cable_weights.png");

    // The bars: toolbar, large icons, status bar.
    EXPECT_TRUE(AfxGetMenuItemState(m_pFrame, ID_ZUDUZURO_TOOLBAR_DISPLAY) & MF_CHECKED);
    EXPECT_FALSE(AfxGetMenuItemState(m_pFrame, ID_ZUDUZURO_LARGE_ICONS) & MF_GRAYED);
    EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_TOOLBAR_DISPLAY));
    EXPECT_FALSE(m_pFrame->m_wndToolBar.IsVisible());
    EXPECT_TRUE(AfxGetMenuItemState(m_pFrame, ID_ZUDUZURO_LARGE_ICONS) & MF_GRAYED);
    EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_TOOLBAR_DISPLAY));
    EXPECT_TRUE(m_pFrame->m_wndToolBar.IsVisible());
    const BOOL large = CMFCToolBar::IsLargeIcons();
    EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_LARGE_ICONS));
    EXPECT_NE(CMFCToolBar::IsLargeIcons(), large);
    AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_LARGE_ICONS);
    EXPECT_TRUE(AfxGetMenuItemState(m_pFrame, ID_ZUDUZURO_STATUS_BAR) & MF_CHECKED);
    EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_STATUS_BAR));
    EXPECT_FALSE(m_pFrame->m_wndStatusBar.IsWindowVisible());
    EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_STATUS_BAR));
    EXPECT_TRUE(m_pFrame->m_wndStatusBar.IsWindowVisible());

    // The status bar's eight panes.
    ASSERT_EQ(m_pFrame->m_wndStatusBar.GetCount(), 8);
    const char* const texts[] = {"", "Rng:", "0.0", "Depth", "0.0", "Clearance", "0.0", " "};
    for (int i = 1; i < 8; ++i)
    {
        EXPECT_EQ(m_pFrame->m_wndStatusBar.GetItemID(i), g_ZuduzuroIndicators[i].nID);
        EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(i), texts[i]) << i;
    }
    // The toolbar's buttons in order.
    ASSERT_EQ(m_pFrame->m_wndToolBar.GetCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(m_pFrame->m_wndToolBar.GetItemID(i), g_ZuduzuroToolBar[i]) << i;
    // The commands with no menu entry are taken and do nothing.
    for (UINT id : g_ZuduzuroIgnoredCommands)
        EXPECT_TRUE(m_pFrame->OnCmdMsg(id, CN_COMMAND, nullptr, nullptr)) << id;
}

TEST_F(ZuduzuroFrameTest, ZoomCommandsAndMessagesStayWithinTheViewsLevels)
{
    Start();
    CZuduzuroView& view = *m_pView;
    ASSERT_GE(view.m_LargestZoom, 2.0);
    view.m_ZoomLevel = 1.0;
    Command(ID_ZUDUZURO_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(view.m_ZoomLevel, 1.0);
    Command(ID_ZUDUZURO_DEPTH_STEP_UP);
    EXPECT_DOUBLE_EQ(view.m_ZoomLevel, 2.0);
    view.m_ZoomLevel = view.m_LargestZoom;
    Command(ID_ZUDUZURO_ZOOM_IN);
    EXPECT_DOUBLE_EQ(view.m_ZoomLevel, view.m_LargestZoom);

    // The view's zoom message, posted as the view posts it: only 1 and -1 act.
    view.m_ZoomLevel = 2.0;
    for (LPARAM nothing : {LPARAM(0), LPARAM(2)})
    {
        m_pFrame->PostMessage(UM_ZUDUZURO_ZOOM_DATA, 0, nothing);
        PumpFor(20);
        EXPECT_DOUBLE_EQ(view.m_ZoomLevel, 2.0) << nothing;
    }
    m_pFrame->PostMessage(UM_ZUDUZURO_ZOOM_DATA, 0, -1);
    PumpFor(20);
    EXPECT_DOUBLE_EQ(view.m_ZoomLevel, 1.0);
    m_pFrame->PostMessage(UM_ZUDUZURO_ZOOM_DATA, 0, 1);
    PumpFor(20);
    EXPECT_DOUBLE_EQ(view.m_ZoomLevel, 2.0);

    // The identify message is answered with its own value.
    EXPECT_EQ(static_cast<UINT>(m_pFrame->SendMessage(UWM_PROGRAM_IDENTIFY_WINDOW, 0, 0)),
              UWM_PROGRAM_IDENTIFY_WINDOW);
}

// Recover and Drop pressed on the toolbar: the anchor pane and the side view show the one state
// the anchor is in, and the view fits the cable afresh after either.
TEST_F(ZuduzuroFrameTest, RecoverAndDropShowOneStateAndFitTheCable)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    CMFCPropertyGridCtrl& grid = m_pFrame->m_wndAnchorPane.GetPropertyGrid();
    const auto shown = [&grid](DWORD_PTR id) { return grid.GetShownValue(FindGridItem(grid, id)); };
    const double range = a.GetRange();
    ASSERT_GT(range, 900.0);
    const auto press = [this](UINT id) {
        ASSERT_TRUE(UserInput::ClickToolBarButton(&m_pFrame->m_wndToolBar, m_pFrame->m_wndToolBar.CommandToIndex(id)));
        PumpFor(50);
        FrameProbe::GrabWindow(m_pFrame); // the view paints as the screen shows it
    };

    press(ID_ZUDUZURO_RECOVER_ANCHOR);
    EXPECT_EQ(a.m_Status, ANCHOR_LIVE);
    EXPECT_STREQ(shown(1), "Live");
    // The view writes the range it draws to ("Rng:"); the pane shows the same.
    EXPECT_NEAR(a.m_Range, range, 0.5);
    EXPECT_NEAR(std::atof(shown(2)), a.m_Range, 0.5) << shown(2).GetString();
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, m_pView->m_LargestZoom);

    // A level the user chose is dropped with the anchor: the new picture is fitted.
    m_pView->m_ZoomLevel = 1.0;
    press(ID_ZUDUZURO_DROP_ANCHOR);
    EXPECT_EQ(a.m_Status, ANCHOR_ON_BOTTOM);
    EXPECT_STREQ(shown(1), "On Bottom");
    EXPECT_NEAR(std::atof(shown(2)), a.m_Range, 0.5) << shown(2).GetString();
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, m_pView->m_LargestZoom);
    // The water column fills the view: the sky above the water line is a strip, not most of it.
    CRect client;
    m_pView->GetClientRect(&client);
    EXPECT_LT(m_pView->m_PlotRect.top - client.top, client.Height() / 4);
}

// The demo's terrain covers its working area: an anchor anywhere within the working distance of
// the fairlead, and the seabed profile sampled past it, lie on the terrain. An anchor moved off
// every terrain model is told in the status bar, and the word goes once it is back.
TEST_F(ZuduzuroFrameTest, TheDemoTerrainCoversTheWorkingAreaAndAnAnchorOffItIsTold)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    const double reach = 1.2 * a.m_WorkingDistance; // the profile sampled past an anchor there
    ASSERT_GE(a.m_WorkingDistance, 2500.0);
    for (int degrees = 0; degrees < 360; degrees += 45)
    {
        const double bearing = degrees * M_PI / 180.0;
        EXPECT_TRUE(m_pFrame->m_Dtm.HasDepthAt(a.m_FairleadEasting + reach * std::sin(bearing),
                                               a.m_FairleadNorthing + reach * std::cos(bearing)))
            << "no terrain " << reach << " m out on " << degrees << " degrees";
    }

    CMFCPropertyGridCtrl& grid = m_pFrame->m_wndAnchorPane.GetPropertyGrid();
    const auto message = [this]() { return m_pFrame->m_wndStatusBar.GetPaneText(0); };
    // At the working distance the anchor has the terrain's depth.
    ASSERT_TRUE(EditGridItem(grid, 2, "2500"));
    PumpFor(50);
    EXPECT_NEAR(a.m_Range, 2500.0, 0.01);
    EXPECT_TRUE(a.m_FarPointInsideDtm);
    EXPECT_NEAR(a.m_DepthAtAnchor, m_pFrame->m_Dtm.GetDepth(a.m_AnchorEasting, a.m_AnchorNorthing), 0.01);
    EXPECT_EQ(message().Find("terrain"), -1) << message().GetString();

    ASSERT_TRUE(EditGridItem(grid, 2, "4000"));
    PumpFor(50);
    EXPECT_NE(message().Find("outside every terrain model"), -1) << message().GetString();

    ASSERT_TRUE(EditGridItem(grid, 2, "1000"));
    PumpFor(50);
    EXPECT_EQ(message().Find("terrain"), -1) << message().GetString();
}

// At the frame's size the side columns open wide enough: every property name of the barge,
// anchor, cable weight and DTM panes shows whole, and the cable types' list shows all its
// columns, the weight in water included.
TEST_F(ZuduzuroFrameTest, PanesShowTheirNamesAndColumnsWhole)
{
    Start();
    const std::vector<std::pair<const char*, CDockablePane*>> panes = {
        {"Barge", &m_pFrame->m_wndBargePane},
        {"Anchor", &m_pFrame->m_wndAnchorPane},
        {"Cable Weight Setup", &m_pFrame->m_wndCableWeightPane},
        {"DTM", &m_pFrame->m_wndDtmPane}};
    for (const auto& p : panes)
    {
        if (!p.second->IsVisible())
        {
            ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, static_cast<UINT>(p.second->GetDlgCtrlID()))) << p.first;
        }
        PumpFor(50);
        ASSERT_TRUE(p.second->IsVisible()) << p.first;
        const FrameProbe::GridRowsSeen seen = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(m_pFrame), p.second);
        EXPECT_GT(seen.wholeRows, 2) << p.first;
        std::string cut;
        for (const std::string& name : seen.cutNames)
            cut += " '" + name + "'";
        EXPECT_TRUE(seen.cutNames.empty()) << p.first << " cuts short:" << cut;
    }
    CCableWeightListCtrl& list = m_pFrame->m_wndCableWeightPane.GetList();
    CRect client, last;
    list.GetClientRect(&client);
    ASSERT_TRUE(list.GetSubItemRect(0, 4, LVIR_BOUNDS, last));
    EXPECT_LE(last.right, client.right) << "the weight in water runs off the pane";
}

// The file dialogs for data start among the user's data: a bitmap of the view in the data
// folder, a terrain file beside the terrain already chosen (the demo's is in the data folder).
TEST_F(ZuduzuroFrameTest, FileDialogsStartAmongTheUsersData)
{
    Start();
    ModalHook::AnswerMenu(ID_ZUDUZURO_BMP_FILE);
    ModalHook::CancelFileDialog();
    CRect client;
    m_pView->GetClientRect(&client);
    UserInput::RightClickClient(m_pView, client.CenterPoint().x, client.CenterPoint().y);
    PumpFor(20);
    ASSERT_FALSE(ModalHook::Shown().empty());
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::FileDialog);
    EXPECT_STREQ(ModalHook::Shown().back().folder, "C:\\MyData\\");

    if (!m_pFrame->m_wndDtmPane.IsVisible())
    {
        ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_DTM));
    }
    PumpFor(20);
    ASSERT_TRUE(m_pFrame->m_wndDtmPane.IsVisible());
    CColourButton* add = m_pFrame->m_wndDtmPane.GetButton(0);
    ASSERT_NE(add, nullptr);
    CRect button;
    add->GetClientRect(&button);
    ModalHook::CancelFileDialog();
    UserInput::ClickClient(add, button.CenterPoint().x, button.CenterPoint().y);
    PumpFor(20);
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::FileDialog);
    EXPECT_STREQ(ModalHook::Shown().back().folder, "C:\\MyData\\DTM\\");
}

// Resting the pointer on a toolbar button shows what the button does, in its command's prompt,
// not its own text again.
TEST_F(ZuduzuroFrameTest, ToolbarTooltipsSayWhatTheButtonsDo)
{
    Start();
    auto* bar = qobject_cast<QToolBar*>(m_pFrame->m_wndToolBar.GetWidget());
    ASSERT_NE(bar, nullptr);
    int buttons = 0;
    for (int i = 0; i < m_pFrame->m_wndToolBar.GetCount(); ++i)
    {
        const UINT id = m_pFrame->m_wndToolBar.GetItemID(i);
        if (id == 0)
            continue;
        QWidget* button = bar->widgetForAction(bar->actions().at(i));
        ASSERT_NE(button, nullptr) << id;
        const QPoint at = button->rect().center();
        QHelpEvent hover(QEvent::ToolTip, at, button->mapToGlobal(at));
        QApplication::sendEvent(button, &hover);
        PumpFor(20);
        const QString shown = QToolTip::text();
        CString prompt;
        ASSERT_TRUE(AfxLoadString(id, prompt)) << id;
        prompt = prompt.Left(prompt.Find('\n'));
        EXPECT_EQ(shown.toStdString(), std::string(prompt.GetString())) << id;
        EXPECT_NE(shown.toStdString(), std::string(m_pFrame->m_wndToolBar.GetButtonText(i).GetString())) << id;
        QToolTip::hideText();
        ++buttons;
    }
    EXPECT_EQ(buttons, 8);
}

// The view opens fitted, at its largest depth scale: "Zoom in" pressed there, on the toolbar or
// with its key, says in the status bar why nothing changes. One step out, it zooms in again.
TEST_F(ZuduzuroFrameTest, ZoomInAtTheStartSaysWhyNothingChanges)
{
    Start();
    FrameProbe::GrabWindow(m_pFrame);
    const double largest = m_pView->m_LargestZoom;
    ASSERT_DOUBLE_EQ(m_pView->m_ZoomLevel, largest);
    const auto message = [this]() { return m_pFrame->m_wndStatusBar.GetPaneText(0); };
    const auto press = [this](UINT id) {
        ASSERT_TRUE(UserInput::ClickToolBarButton(&m_pFrame->m_wndToolBar, m_pFrame->m_wndToolBar.CommandToIndex(id)));
        PumpFor(50);
    };
    press(ID_ZUDUZURO_ZOOM_IN);
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, largest);
    EXPECT_NE(message().Find("largest"), -1) << message().GetString();

    m_pFrame->SetMessageText("");
    m_pView->SetFocus();
    UserInput::Key(Qt::Key_PageUp);
    PumpFor(50);
    EXPECT_NE(message().Find("largest"), -1) << message().GetString();

    press(ID_ZUDUZURO_ZOOM_OUT);
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, largest - 1.0);
    press(ID_ZUDUZURO_ZOOM_IN);
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, largest);
}

// The frame wears the program's own picture, the side view's anchor, on a clear ground.
TEST_F(ZuduzuroFrameTest, TheWindowShowsTheProgramsOwnIcon)
{
    Start();
    const QIcon icon = m_pFrame->GetMainWindow()->windowIcon();
    ASSERT_FALSE(icon.isNull());
    const QImage picture = icon.pixmap(64, 64).toImage();
    int anchor = 0, clear = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
        {
            const QColor c = picture.pixelColor(x, y);
            anchor += c.alpha() == 255 && c.rgb() == QColor(0, 0, 0x80).rgb();
            clear += c.alpha() == 0;
        }
    EXPECT_GT(anchor, 100) << "no anchor";
    EXPECT_GT(clear, picture.width() * picture.height() / 3) << "no clear ground";
}

TEST_F(ZuduzuroFrameTest, ToolbarTensionAndPennantCommandsKeepTheirBounds)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    // A recompute writes the status text afresh; a marker left in it shows that none ran.
    auto mark = [&a]() { a.m_StatusText = "marker"; };
    auto recomputed = [&a]() { return a.m_StatusText != "marker"; };

    // Tension down at 0.0: nothing at all.
    a.m_Tension = 0.0;
    const QByteArray fileBefore = AnchorFileBytes();
    mark();
    Command(ID_ZUDUZURO_TENSION_DOWN);
    EXPECT_DOUBLE_EQ(a.m_Tension, 0.0);
    EXPECT_FALSE(recomputed());
    EXPECT_EQ(AnchorFileBytes(), fileBefore);

    // Under a tonne comes down to 0, never below; saved and recomputed.
    a.m_Tension = 0.5;
    a.m_PositionCurrent = false;
    mark();
    Command(ID_ZUDUZURO_TENSION_DOWN);
    EXPECT_DOUBLE_EQ(a.m_Tension, 0.0);
    EXPECT_TRUE(a.m_PositionCurrent);
    EXPECT_TRUE(recomputed());
    EXPECT_NE(AnchorFileBytes().indexOf("Tension = 0.000"), -1);
    Command(ID_ZUDUZURO_TENSION_UP);
    EXPECT_DOUBLE_EQ(a.m_Tension, 1.0);
    EXPECT_NE(AnchorFileBytes().indexOf("Tension = 1.000"), -1);

    // The first buoy's pennant: at 0.0 it stays 0.0 and still recomputes; it never rises
    // above the water depth below the fairlead.
    a.m_Buoys[0].PennantWireLength = 0.0;
    mark();
    Command(ID_ZUDUZURO_PENNANT_DOWN);
    EXPECT_DOUBLE_EQ(a.m_Buoys[0].PennantWireLength, 0.0);
    EXPECT_TRUE(recomputed());
    const double depth = a.m_WaterDepth;
    a.m_Buoys[0].PennantWireLength = depth - 0.5;
    Command(ID_ZUDUZURO_PENNANT_UP);
    EXPECT_LE(a.m_Buoys[0].PennantWireLength, depth + 1e-9);
    EXPECT_GE(a.m_Buoys[0].PennantWireLength, depth - 0.5);

    // Drop and Recover: the status, a recompute, the anchor pane's status and layout.
    mark();
    Command(ID_ZUDUZURO_RECOVER_ANCHOR);
    EXPECT_EQ(a.m_Status, ANCHOR_LIVE);
    EXPECT_TRUE(recomputed());
    CMFCPropertyGridProperty* pickup = m_pFrame->m_wndAnchorPane.GetPropertyGrid().GetProperty(4);
    ASSERT_NE(pickup, nullptr);
    EXPECT_TRUE(pickup->IsVisible()) << "a Live anchor shows its pickup group";
    mark();
    Command(ID_ZUDUZURO_DROP_ANCHOR);
    EXPECT_EQ(a.m_Status, ANCHOR_ON_BOTTOM);
    EXPECT_TRUE(recomputed());
    EXPECT_FALSE(pickup->IsVisible());
}

TEST_F(ZuduzuroFrameTest, PaneChangesRecomputeTheCatenary)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    // The seabed 300 m out, as the last computation sampled it.
    auto seabedAt300 = [&a]() { return a.m_SeabedProfile.GetDepthAtRange(300.0); };
    const double terrainSeabed = seabedAt300();
    ASSERT_NE(terrainSeabed, DBL_MAX);

    // Fresher, lighter water in the cable pane: the wire weighs more in it, so the catenary
    // changes, not only the anchor pane's items.
    const double weightBefore = a.m_Cable.LowerWeight;
    const double lengthBefore = a.m_ComputedCableLength;
    a.m_StatusText = "marker";
    ASSERT_TRUE(EditGridItem(m_pFrame->m_wndCableWeightPane.GetPropertyGrid(), 3, "0"));
    PumpFor(50);
    EXPECT_GT(a.m_Cable.LowerWeight, weightBefore);
    EXPECT_NE(a.m_StatusText, "marker") << "the catenary was computed again";
    EXPECT_NE(a.m_ComputedCableLength, lengthBefore);

    // The terrain cleared through the DTM pane: the seabed is sampled again at once (level at
    // the fairlead's depth now), not left as it was until the anchor moves.
    CColourButton* clear = m_pFrame->m_wndDtmPane.GetButton(1);
    ASSERT_NE(clear, nullptr);
    m_pFrame->m_wndDtmPane.SendMessage(WM_COMMAND, MAKEWPARAM(clear->GetDlgCtrlID(), BN_CLICKED),
                                       reinterpret_cast<LPARAM>(clear->GetSafeHwnd()));
    PumpFor(100);
    EXPECT_EQ(m_pFrame->m_Dtm.m_pCells, nullptr);
    EXPECT_GT(std::fabs(seabedAt300() - terrainSeabed), 1.0);
    EXPECT_NEAR(seabedAt300(), a.m_WaterDepth, 0.5);
    EXPECT_DOUBLE_EQ(a.m_DepthAtAnchor, 0.0);
}

// The demo anchor moved to 800 m in the anchor pane: its depth is the terrain's there at once,
// the pane shows it, and the side view draws the anchor on the seabed under it.
TEST_F(ZuduzuroFrameTest, AnAnchorMovedInThePaneTakesTheTerrainsDepthAndLiesOnTheSeabed)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    const double before = a.m_DepthAtAnchor;
    CMyMFCPropertyGridCtrl& grid = m_pFrame->m_wndAnchorPane.GetPropertyGrid();
    ASSERT_TRUE(EditGridItem(grid, 2, "800")); // "Range"
    PumpFor(50);
    ASSERT_NEAR(a.m_Range, 800.0, 1e-6);
    const double terrain = m_pFrame->m_Dtm.GetDepth(a.m_AnchorEasting, a.m_AnchorNorthing);
    ASSERT_NE(terrain, DBL_MAX);
    EXPECT_GT(std::fabs(terrain - before), 1.0) << "the demo's seabed deepens toward its anchor";
    EXPECT_NEAR(a.m_DepthAtAnchor, terrain, 1e-9);
    auto* depth = dynamic_cast<CMFCPropertyGridMetricProperty*>(grid.GetProperty(0)->GetSubItem(5));
    ASSERT_NE(depth, nullptr);
    EXPECT_NEAR(depth->GetMetres(), terrain, 1e-9);
    EXPECT_TRUE(depth->IsLocked()) << "the terrain's depth is not for typing over";

    // The anchor symbol (its navy shank and ring) starts at the seabed's row under the anchor,
    // not metres below it: the row of the seabed plus the ring's own offset in its cell.
    const QImage view = m_pView->RenderImage(1200, 700);
    view.save(QString(SUITE_VISUAL_DIR) + "/zuduzuro_anchor_moved.png");
    const int column = m_pView->m_PlotRect.left + static_cast<int>(a.m_Range * m_pView->m_HorizontalScale);
    const int seabedRow = m_pView->m_PlotRect.top + static_cast<int>(terrain * m_pView->m_VerticalScale);
    const int size = 2 * m_pView->m_CharHeight;
    int firstNavy = -1;
    for (int y = 0; y < view.height() && firstNavy < 0; ++y)
        for (int x = column - size / 2; x <= column + size / 2 && firstNavy < 0; ++x)
            if (x >= 0 && x < view.width() && view.pixelColor(x, y) == QColor(0, 0, 0x80))
                firstNavy = y;
    ASSERT_GE(firstNavy, 0) << "the anchor is drawn";
    EXPECT_NEAR(firstNavy, seabedRow + size / 32, 2) << "seabed row " << seabedRow;
}

TEST_F(ZuduzuroFrameTest, FilesThatDidNotLoadAreToldOnceAfterStart)
{
    // A pipeline file the list names but that is gone, and a damaged cable-type row.
    const QString settings = TempDrives::Current()->OnC("MySettings/zuduzuro_tests/");
    QFile list(settings + "Pipelines.FLS");
    ASSERT_TRUE(list.open(QIODevice::Append));
    list.write("C:\\MyData\\Pipelines\\Gone.txt\r\n");
    list.close();
    QFile weights(settings + "Cable_Weight.INI");
    ASSERT_TRUE(weights.open(QIODevice::Append));
    weights.write("Broken row without numbers\r\n");
    weights.close();

    std::vector<CString> boxes;
    StartAnsweringBoxes(boxes);
    ASSERT_EQ(boxes.size(), 1u) << "one message for all of it";
    EXPECT_NE(boxes[0].Find("Pipeline file could not be loaded: C:\\MyData\\Pipelines\\Gone.txt"), -1)
        << (LPCSTR)boxes[0];
    EXPECT_NE(boxes[0].Find("Cable_Weight.INI, line 6: \"Broken row without numbers\" is no cable type"), -1)
        << (LPCSTR)boxes[0];
    // The rest still loaded and computed.
    EXPECT_EQ(m_pFrame->m_Pipelines.GetSize(), 1);
    EXPECT_GT(m_pFrame->m_Anchor.m_CableProfile.GetSize(), 10);
}

// An anchor file that does not match was once read into the wrong fields and the first step of
// the tension or the pennant wrote them back. It is now refused at start, told once with its
// file and line, and no command or pane edit writes over it.
TEST_F(ZuduzuroFrameTest, RefusedAnchorFileIsToldAndNeverWrittenOver)
{
    const QString anchorFile = TempDrives::Current()->OnC("MyData/Anchors/ANCHOR.ANK");
    QFile demo(anchorFile);
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    QByteArray refused = demo.readAll();
    demo.close();
    refused.replace("Tension = 30.000\r\n", ""); // one line short from "Tension" on
    QFile file(anchorFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(refused);
    file.close();

    std::vector<CString> boxes;
    StartAnsweringBoxes(boxes);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(
        boxes[0].Find("ANCHOR.ANK, line 24: \"Tension\" was expected, the line reads \"Anchor Easting = "
                      "501040.000\". The file was not loaded"),
        -1)
        << (LPCSTR)boxes[0];
    CAnchor& a = m_pFrame->m_Anchor;
    EXPECT_TRUE(a.IsFileRefused());
    EXPECT_EQ(a.m_Status, ANCHOR_RACKED) << "the anchor starts from its reset values";

    // Every command that saves the anchor, and edits in the anchor and barge panes.
    a.m_Buoys[0].PennantWireLength = 5.0;
    a.m_WaterDepth = 40.0;
    for (UINT id : {ID_ZUDUZURO_TENSION_UP, ID_ZUDUZURO_TENSION_DOWN, ID_ZUDUZURO_PENNANT_UP,
                    ID_ZUDUZURO_PENNANT_DOWN, ID_ZUDUZURO_RECOVER_ANCHOR, ID_ZUDUZURO_DROP_ANCHOR})
    {
        Command(id);
        EXPECT_EQ(AnchorFileBytes(), refused) << id;
    }
    EXPECT_TRUE(EditGridItem(m_pFrame->m_wndAnchorPane.GetPropertyGrid(), 45, "9"));
    PumpFor(20);
    EXPECT_EQ(a.m_AnchorWeight, 9.0);
    EXPECT_EQ(AnchorFileBytes(), refused);
    EXPECT_TRUE(EditGridItem(m_pFrame->m_wndBargePane.GetPropertyGrid(), 8, "Renamed"));
    PumpFor(20);
    EXPECT_STREQ(a.m_Name, "Renamed");
    EXPECT_EQ(AnchorFileBytes(), refused);
    for (const MODAL_RECORD& r : ModalHook::Shown())
        if (r.kind == MODAL_RECORD::MessageBox && r.text != boxes[0])
            ADD_FAILURE() << "told again: " << (LPCSTR)r.text;
}

TEST_F(ZuduzuroFrameTest, StoredKeyboardCustomisationIsDroppedAtStart)
{
    m_App.SetRegistryKey("Velmaro Technology Limited");
    ASSERT_TRUE(m_App.WriteProfileString("Workspace\\Keyboard-0", "Accelerators", "customised"));
    ASSERT_TRUE(m_App.WriteProfileString("Workspace\\Keyboard-0", "Other", "kept"));
    Start();
    EXPECT_STREQ(m_App.GetProfileString("Workspace\\Keyboard-0", "Accelerators", "gone"), "gone");
    EXPECT_STREQ(m_App.GetProfileString("Workspace\\Keyboard-0", "Other", ""), "kept");
}

TEST_F(ZuduzuroFrameTest, AboutShowsTheVersionText)
{
    Start();
    CString version;
    ModalHook::AnswerDialog(IDD_KADENTA_ABOUT, [&](CDialog* dlg) {
        dlg->GetDlgItemText(IDC_KADENTA_VERSION, version);
        return IDOK;
    });
    EXPECT_TRUE(AfxChooseMenuItem(m_pFrame, ID_ZUDUZURO_APP_ABOUT));
    EXPECT_EQ(version, "Version " + GetZuduzuroVersion());
}

// The side view's keys as a user gives them in the running program: the focus starts in the
// barge pane's grid (where the keys went before a click), a click in the side view, then the
// key to whatever widget has the focus.
TEST_F(ZuduzuroFrameTest, KeysReachTheSideViewTheUserClicked)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    CZuduzuroView& view = *m_pView;
    CMFCPropertyGridCtrl& barge = m_pFrame->m_wndBargePane.GetPropertyGrid();
    const auto inBargeGrid = [&barge] { UserInput::ClickClient(&barge, 80, 10); };
    double tension = 0.0;
    const auto tensionStep = [&](const char* what, int key, double by) {
        return VIEW_KEY_CASE{what, key, Qt::NoModifier, [&a, &tension, by] { tension = a.m_Tension + by; },
                             [&a, &tension] { return std::fabs(a.m_Tension - tension) < 1e-9; }};
    };
    // W and F8 ask for the water depth below the fairlead (the answer goes into the computation,
    // where the terrain, when it covers the fairlead, has the last word).
    size_t shown = 0;
    const auto waterDepth = [&](const char* what, int key) {
        return VIEW_KEY_CASE{what, key, Qt::NoModifier,
                             [&shown] {
                                 shown = ModalHook::Shown().size();
                                 ModalHook::AnswerDialog(IDD_INPUT_DOUBLE, [](CDialog*) { return IDCANCEL; });
                             },
                             [&shown] {
                                 const std::vector<MODAL_RECORD>& records = ModalHook::Shown();
                                 return records.size() == shown + 1 && records.back().id == IDD_INPUT_DOUBLE;
                             }};
    };
    // Each zoom key starts from level 2, which the view can go both ways from.
    const auto zoom = [&](const char* what, int key, unsigned int modifiers, double level) {
        return VIEW_KEY_CASE{what, key, modifiers, [&view] { view.m_ZoomLevel = 2.0; },
                             [&view, level] { return view.m_ZoomLevel == level; }};
    };
    ASSERT_GE(view.m_LargestZoom, 3.0);
    ExpectViewKeys(m_pView, POINT{300, 40}, inBargeGrid,
                   {tensionStep("Up raises the tension", Qt::Key_Up, 0.1),
                    tensionStep("Down lowers the tension", Qt::Key_Down, -0.1),
                    waterDepth("W asks for the water depth", Qt::Key_W),
                    waterDepth("F8 asks for the water depth", Qt::Key_F8),
                    zoom("I zooms in", Qt::Key_I, Qt::NoModifier, 3.0),
                    zoom("O zooms out", Qt::Key_O, Qt::NoModifier, 1.0),
                    zoom("keypad 9 zooms in", Qt::Key_9, Qt::KeypadModifier, 3.0),
                    zoom("keypad + zooms in", Qt::Key_Plus, Qt::KeypadModifier, 3.0),
                    zoom("keypad / zooms out", Qt::Key_Slash, Qt::KeypadModifier, 1.0),
                    zoom("keypad - zooms out", Qt::Key_Minus, Qt::KeypadModifier, 1.0),
                    zoom("Page Up zooms in", Qt::Key_PageUp, Qt::NoModifier, 3.0),
                    zoom("Page Down zooms out", Qt::Key_PageDown, Qt::NoModifier, 1.0)});
}

// The frame's accelerators act while a pane's grid has the keys, as they do in the side view.
TEST_F(ZuduzuroFrameTest, AcceleratorsWorkWhileAPaneGridHasTheKeys)
{
    Start();
    CMFCPropertyGridCtrl& barge = m_pFrame->m_wndBargePane.GetPropertyGrid();
    UserInput::ClickClient(&barge, 80, 10);
    ASSERT_EQ(CWnd::GetFocus(), &barge);
    int abouts = 0;
    ModalHook::AnswerDialog(IDD_KADENTA_ABOUT, [&abouts](CDialog*) {
        ++abouts;
        return IDOK;
    });
    UserInput::Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(abouts, 1);
    m_pView->m_ZoomLevel = 2.0;
    UserInput::Key(Qt::Key_D, Qt::AltModifier);
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, 1.0);
    UserInput::Key(Qt::Key_U, Qt::AltModifier);
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, 2.0);
    UserInput::Key(Qt::Key_PageUp);
    EXPECT_DOUBLE_EQ(m_pView->m_ZoomLevel, 3.0);
}

// A choice picked in the anchor pane's drop-downs, as a user picks it (the list dropped down,
// the item clicked, no Enter): it is the anchor's at once, computed and saved.
TEST_F(ZuduzuroFrameTest, ADropDownPickInTheAnchorPaneAppliesAtOnce)
{
    Start();
    CAnchor& a = m_pFrame->m_Anchor;
    CMFCPropertyGridCtrl& grid = m_pFrame->m_wndAnchorPane.GetPropertyGrid();
    m_pFrame->m_wndAnchorPane.GetDockWidget()->raise();
    PumpFor(20);
    ASSERT_NE(a.m_Status, ANCHOR_LIVE);
    const QByteArray saved = AnchorFileBytes();
    ASSERT_TRUE(UserInput::PickInGrid(grid, "Anchor Status", "Live"));
    PumpFor(50);
    EXPECT_EQ(a.m_Status, ANCHOR_LIVE);
    EXPECT_NE(AnchorFileBytes(), saved) << "the pick was saved";

    ASSERT_TRUE(UserInput::PickInGrid(grid, "Number of Buoys", "2"));
    PumpFor(50);
    EXPECT_TRUE(a.m_Buoys[0].bUseBuoy);
    EXPECT_TRUE(a.m_Buoys[1].bUseBuoy);
    EXPECT_FALSE(a.m_Buoys[2].bUseBuoy);
}

// The program's window comes up at every start: shown, maximised, never left minimised by the
// start-up's minimise-then-maximise, and the side view has the keys.
TEST_F(ZuduzuroFrameTest, TheWindowComesUpMaximisedAtEveryStart)
{
    std::unique_ptr<CZuduzuroApp> app;
    const auto start = [&app]() -> CWnd* {
        app = std::make_unique<CZuduzuroApp>();
        ModalHook::AnswerDialog(IDD_IMPORT_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ModalHook::AnswerDialog(IDD_DTM_DEPTHS, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        ModalHook::AnswerDialog(IDD_LOAD_DTM, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
        return app->InitInstance() ? app->GetMainFrame() : nullptr;
    };
    const auto end = [&app] {
        app->ReleaseInstanceLock();
        app.reset();
    };
    const auto sideView = [](CWnd* frame) -> CWnd* { return static_cast<CMainFrame*>(frame)->GetZuduzuroView(); };
    FrameProbe::ExpectShownAtEveryStart(20, start, end, sideView, true);
}

TEST_F(ZuduzuroFrameTest, ExitQuestionNoKeepsRunningYesReleasesTheLock)
{
    Start();
    ModalHook::AnswerMessageBox(IDNO);
    m_pFrame->SendMessage(WM_CLOSE);
    PumpFor(30);
    ASSERT_TRUE(::IsWindow(m_hFrame));
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    EXPECT_TRUE(m_App.HoldsInstanceLock());
    ASSERT_FALSE(ModalHook::Shown().empty());
    EXPECT_STREQ(ModalHook::Shown().back().text, "Are you sure you wish to exit program");

    ModalHook::AnswerMessageBox(IDYES);
    m_pFrame->SendMessage(WM_CLOSE);
    PumpFor(30);
    EXPECT_FALSE(m_App.HoldsInstanceLock());
    EXPECT_FALSE(::IsWindow(m_hFrame));
    const std::vector<CString>& history = CInitialisingSoftware::History();
    ASSERT_FALSE(history.empty());
    EXPECT_STREQ(history.back(), "Please wait software closing down");
    m_pFrame = nullptr;
}

// Two real copies of the built program on one demo drive.
class ZuduzuroInstances : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_Program = QString(SUITE_BINARY_DIR) + "/apps/Zuduzuro";
        if (!QFile::exists(m_Program))
            GTEST_SKIP() << "the program is not built";
        CopyDemoDrive(TempDrives::Current()->DriveC(), "Zuduzuro");
        const QString runtime = UseOwnRuntimeFolder();
        m_Env = QProcessEnvironment::systemEnvironment();
        m_Env.insert("QT_QPA_PLATFORM", "offscreen");
        m_Env.insert("ZUDUZURO_TEST_MODE", "1");
        m_Env.insert("XDG_RUNTIME_DIR", runtime);
        m_Env.insert("HOME", TempDrives::Current()->Root());
    }
    void TearDown() override
    {
        for (QProcess* p : m_Processes)
        {
            ::kill(static_cast<pid_t>(p->processId()), SIGCONT);
            p->kill();
            p->waitForFinished(2000);
            delete p;
        }
    }
    QProcess* Launch()
    {
        auto* p = new QProcess;
        p->setProcessEnvironment(m_Env);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        p->start(m_Program, {});
        m_Processes.push_back(p);
        EXPECT_TRUE(p->waitForStarted(5000));
        return p;
    }
    // Until the first copy holds the lock with its frame up (it answers the identify request).
    bool WaitUntilAnswering(int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs)
        {
            if (RaiseRunningInstance(ZUDUZURO_INSTANCE_NAME, ZUDUZURO_IDENTIFY_MESSAGE, 200))
                return true;
            QThread::msleep(50);
        }
        return false;
    }
    QString m_Program;
    QProcessEnvironment m_Env;
    std::vector<QProcess*> m_Processes;
};

TEST_F(ZuduzuroInstances, SecondStartRaisesTheFirstOrSaysItRunsAndAStaleLockIsTakenOver)
{
    QProcess* first = Launch();
    ASSERT_TRUE(WaitUntilAnswering(15000)) << first->readAllStandardError().constData();

    // A second start asks the first to come forward and ends within a second. The first has
    // 200 ms to answer: on a machine busy with other tests it may miss that once, so the start
    // is tried again before that counts as a failure.
    QElapsedTimer clock;
    bool raised = false;
    for (int attempt = 0; attempt < 3 && !raised; ++attempt)
    {
        clock.start();
        QProcess* second = Launch();
        ASSERT_TRUE(second->waitForFinished(5000));
        // Within a second on an idle machine; the margin is for a machine busy with other tests.
        EXPECT_LT(clock.elapsed(), 3000);
        raised = second->readAllStandardError().indexOf("Already Running") < 0;
    }
    EXPECT_TRUE(raised) << "the first copy was brought forward";
    first->setReadChannel(QProcess::StandardError);
    QByteArray told;
    for (int i = 0; i < 30 && told.indexOf("asked this copy to come forward") < 0; ++i)
    {
        first->waitForReadyRead(100);
        told += first->readAllStandardError();
    }
    EXPECT_NE(told.indexOf("asked this copy to come forward"), -1) << told.constData();

    // With the first stopped it cannot answer: the second says so within about 200 ms and ends.
    ASSERT_EQ(::kill(static_cast<pid_t>(first->processId()), SIGSTOP), 0);
    clock.start();
    QProcess* third = Launch();
    ASSERT_TRUE(third->waitForFinished(5000));
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_NE(third->readAllStandardError().indexOf("Zuduzuro Already Running ............."), -1);

    // Killed, the first leaves its lock file behind; the next start takes it over and runs.
    ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
    first->waitForFinished(3000);
    EXPECT_TRUE(QFile::exists(QString::fromLocal8Bit((LPCSTR)GetInstanceLockPath(ZUDUZURO_INSTANCE_NAME))));
    QProcess* fourth = Launch();
    EXPECT_TRUE(WaitUntilAnswering(15000));
    EXPECT_EQ(fourth->state(), QProcess::Running);
}
