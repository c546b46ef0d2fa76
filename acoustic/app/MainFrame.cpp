#include "acoustic/app/MainFrame.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/AcousticView.h"
#include "acoustic/engine/DateFolders.h"
#include "acoustic/engine/NetworkFile.h"
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "outside/company/Company.h"
#include "outside/notifex/Notifex.h"
#include "platform/core/FileApi.h"
#include "platform/ui/WinAppEx.h"

#include <QDockWidget>
#include <QMainWindow>

#include <algorithm>
#include <iterator>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(ID_ACOUSTIC_CONTACT_DETAILS, &CMainFrame::OnContactDetails)
ON_COMMAND(ID_ACOUSTIC_NETWORK_SELECT_FILE, &CMainFrame::OnNetworkSelectFile)
ON_COMMAND(ID_ACOUSTIC_NETWORK_COMPUTE, &CMainFrame::OnNetworkCompute)
ON_UPDATE_COMMAND_UI(ID_ACOUSTIC_NETWORK_COMPUTE, &CMainFrame::OnUpdateNetworkCompute)
ON_REGISTERED_MESSAGE(UM_UPDATE_STATION, &CMainFrame::OnUpdateStation)
END_MESSAGE_MAP()

namespace
{
constexpr DWORD kMenuBarStyle = 0x50402808;
constexpr DWORD kToolBarStyle = 0x50402834;
// The spheroid of the working projection until its settings say otherwise.
constexpr int kWgs84Row = 26;
const char* const kNetworkSettings = "Network Adjust";
const char* const kDefaultNetwork = "Temp";
const char* const kModeSettings = "Acoustic";
} // namespace

CMainFrame::CMainFrame() : m_Lock(FALSE, nullptr)
{
    // The point the sound-speed panes open on, and the folder the thermocline logs go to.
    m_SpeedOfSoundInWater.m_Current.Temperature = 5.0;
    m_SpeedOfSoundInWater.m_Current.Salinity = 32.0;
    m_SpeedOfSoundInWater.m_Current.Depth = 100.0;
    m_SpeedOfSoundInWater.UpdateValues();
    GetThermoclineLogFolder();

    LoadNetwork();

    m_Spheroid.SetFromTable(kWgs84Row);
    m_Projection.SetSpheroid(&m_Spheroid);
    m_Projection.ComputeConstants();
    m_Projection.LoadSettings();

    m_Boxin.SetProjection(&m_Projection);
    m_UsblCalibration.SetProjection(&m_Projection);
    m_nMode = 0;
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::LoadNetwork()
{
    CString name = kDefaultNetwork;
    CConfigFile::ReadSettingsFile(kNetworkSettings,
                                  [&name](CConfigFile& file) { name = file.ReadText(kDefaultNetwork); });
    name.Trim();
    if (name.IsEmpty())
        name = kDefaultNetwork;

    // What an earlier file left unread is not this file's concern.
    m_bNetworkLoadFailed = false;
    m_strNetworkLoadProblem.Empty();
    m_NetworkSaveGuard.Clear();

    const bool loaded = m_Network.Load(name);
    m_Network.m_Result = 0;
    m_Network.m_PassCount = 0;

    // A missing file is a network not yet made; an empty one holds nothing to lose. Anything
    // else that did not come in whole is a failure the user has to hear of before the file is
    // saved over.
    const CString path = GetNetworkFilePath(m_Network.m_FileName);
    CFileStatus status;
    const bool present = CFile::GetStatus(path, status) && status.m_size > 0;
    const CStringArray& messages = m_Network.GetLoadMessages();
    if (!present || (loaded && messages.IsEmpty()))
        return;
    m_bNetworkLoadFailed = true;
    m_NetworkSaveGuard.SetUnreadFile(path);
    m_strNetworkLoadProblem.Format("Network file %s could not be read", (LPCSTR)path);
    if (messages.IsEmpty())
        m_strNetworkLoadProblem += "\nIt holds no station.";
    // The first lines say what is wrong; a file damaged throughout is not listed whole.
    constexpr INT_PTR kShownMessages = 10;
    for (INT_PTR i = 0; i < messages.GetSize() && i < kShownMessages; ++i)
        m_strNetworkLoadProblem += "\n" + messages[i];
    if (messages.GetSize() > kShownMessages)
    {
        CString more;
        more.Format("\n... and %d more.", static_cast<int>(messages.GetSize() - kShownMessages));
        m_strNetworkLoadProblem += more;
    }
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    return CFrameWndEx::PreCreateWindow(cs);
}

BOOL CMainFrame::CreatePart(UINT, const std::function<BOOL()>& create)
{
    return create();
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    RegisterAcousticResources();

    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerOffice2007));
    CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_ObsidianBlack);

    if (!m_wndMenuBar.Create(this, kMenuBarStyle, IDW_ACOUSTIC_MENU_BAR))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    CMFCPopupMenu::SetForceMenuFocus(FALSE);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);

    if (!CreateDockingWindows())
        return -1;
    WidenPaneColumn();
    CreateToolbars();
    m_wndStatusBar.Create(this);

    CDockingManager::SetDockingMode(DT_SMART);
    EnableAutoHidePanes(CBRS_ALIGN_ANY);
    return 0;
}

BOOL CMainFrame::CreateDockingWindows()
{
    // (pane, its creation with the steps that follow a successful one)
    const std::pair<CDockablePane*, std::function<BOOL()>> panes[] = {
        {&m_wndSettingsPane,
         [this] { return m_wndSettingsPane.Create(this, ID_ACOUSTIC_UNITS, SETTINGS_ALL); }},
        {&m_wndNetworkStationPane, [this] { return m_wndNetworkStationPane.Create(this, &m_Network, &m_NetworkSaveGuard); }},
        {&m_wndObservationsPane, [this] { return m_wndObservationsPane.Create(this, &m_Network); }},
        {&m_wndNetworkObservationsPane,
         [this] { return m_wndNetworkObservationsPane.Create(this, &m_Network, &m_NetworkSaveGuard); }},
        {&m_wndBoxinPane, [this] { return m_wndBoxinPane.Create(this, &m_Boxin); }},
        {&m_wndBoxinParameterPane,
         [this] {
             if (!m_wndBoxinParameterPane.Create(this))
                 return FALSE;
             m_wndBoxinParameterPane.SetData(&m_Boxin);
             return TRUE;
         }},
        {&m_wndBoxinHistogramPane, [this] { return m_wndBoxinHistogramPane.Create(this, &m_Boxin); }},
        {&m_wndGridOnGridPane, [this] { return m_wndGridOnGridPane.Create(this, &m_GridOnGrid); }},
        {&m_wndVelocityProfileDataPane,
         [this] { return m_wndVelocityProfileDataPane.Create(this, &m_SpeedOfSoundInWater); }},
        {&m_wndThermoclinePane, [this] { return m_wndThermoclinePane.Create(this, &m_SpeedOfSoundInWater); }},
        {&m_wndSpheroidProjectionPane,
         [this] {
             return m_wndSpheroidProjectionPane.Create(this, "Geodetic", ID_ACOUSTIC_GEODETIC_PARAMETERS,
                                                       &m_Projection, true, false);
         }},
        {&m_wndSpeedOfSoundPane,
         [this] { return m_wndSpeedOfSoundPane.Create(this, ID_ACOUSTIC_SPEED_OF_SOUND); }},
        {&m_wndComputeHeadingPane,
         [this] { return m_wndComputeHeadingPane.Create(this, ID_ACOUSTIC_COMPUTE_HEADING); }},
        {&m_wndTransitFixPane,
         [this] {
             if (!m_wndTransitFixPane.Create(this, &m_TransitFix))
                 return FALSE;
             // The fix shown is the one its points give now, not a stale one from its file.
             m_TransitFix.Compute();
             m_wndTransitFixPane.InitPropList();
             m_wndTransitFixPane.AdjustLayout();
             return TRUE;
         }},
        {&m_wndUsblCalibrationPane,
         [this] { return m_wndUsblCalibrationPane.Create(this, &m_UsblCalibration); }},
        {&m_wndUsblCalibrationParameterPane,
         [this] {
             if (!m_wndUsblCalibrationParameterPane.Create(this))
                 return FALSE;
             m_wndUsblCalibrationParameterPane.SetData(&m_UsblCalibration);
             return TRUE;
         }},
        {&m_wndUsblCalibrationResultPane,
         [this] {
             if (!m_wndUsblCalibrationResultPane.Create(this))
                 return FALSE;
             m_wndUsblCalibrationResultPane.SetData(&m_UsblCalibration);
             return TRUE;
         }},
    };
    static const UINT kIds[] = {ID_ACOUSTIC_UNITS,
                                ID_ACOUSTIC_NETWORK_STATIONS,
                                ID_ACOUSTIC_NETWORK_LAYOUT,
                                ID_ACOUSTIC_NETWORK_OBSERVATIONS,
                                ID_ACOUSTIC_BOXIN_DRAW,
                                ID_ACOUSTIC_BOXIN_PROPERTIES,
                                ID_ACOUSTIC_BOXIN_HISTOGRAM,
                                IDS_ACOUSTIC_GRID_ON_GRID,
                                ID_ACOUSTIC_VELOCITY_DATA,
                                ID_ACOUSTIC_VELOCITY_PROFILE,
                                ID_ACOUSTIC_GEODETIC_PARAMETERS,
                                ID_ACOUSTIC_SPEED_OF_SOUND,
                                ID_ACOUSTIC_COMPUTE_HEADING,
                                IDS_ACOUSTIC_TRANSIT_FIX,
                                ID_ACOUSTIC_USBL_DRAW,
                                ID_ACOUSTIC_USBL_PARAMETERS,
                                ID_ACOUSTIC_USBL_RESULTS};
    static_assert(sizeof(kIds) / sizeof(kIds[0]) == sizeof(panes) / sizeof(panes[0]), "one id per pane");
    for (size_t i = 0; i < sizeof(kIds) / sizeof(kIds[0]); ++i)
    {
        // A pane that cannot be made is left out; the rest of the frame still comes.
        CreatePart(kIds[i], panes[i].second);
        panes[i].first->EnableDocking(CBRS_ALIGN_ANY);
        DockPane(panes[i].first);
    }
    return TRUE;
}

void CMainFrame::WidenPaneColumn()
{
    QMainWindow* window = GetMainWindow();
    QDockWidget* dock = m_wndSettingsPane.GetDockWidget();
    if (!window || !dock)
        return;
    // The column of panes starts wide enough for the grids' names and a grid position beside
    // them, rather than the panes' first 200 pixels that cut both short.
    const int width = std::max({360, m_wndSettingsPane.GetPropertyGrid().GetWholeNamesWidth(),
                                m_wndSpheroidProjectionPane.GetPropertyGrid().GetWholeNamesWidth()});
    constexpr int kViewRoom = 600;
    if (window->width() < width + kViewRoom)
        window->resize(width + kViewRoom, window->height());
    window->resizeDocks({dock}, {width}, Qt::Horizontal);
}

std::array<CMFCToolBar*, 6> CMainFrame::GetToolBars()
{
    return {&m_wndBoxinToolBar,      &m_wndGridOnGridToolBar, &m_wndNetworkToolBar,
            &m_wndTransitFixToolBar, &m_wndUsblToolBar,       &m_wndVelocityToolBar};
}

void CMainFrame::CreateToolbars()
{
    const std::array<CMFCToolBar*, 6> bars = GetToolBars();
    for (size_t i = 0; i < bars.size(); ++i)
    {
        CMFCToolBar& bar = *bars[i];
        const AcousticToolBarDef& def = g_AcousticToolBars[i];
        const BOOL made = CreatePart(def.nResourceID, [this, &bar, &def] {
            return bar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle, CRect(1, 1, 1, 1), IDW_ACOUSTIC_TOOLBAR) &&
                   bar.LoadToolBar(def.nResourceID);
        });
        if (!made)
            continue;
        bar.SetWindowText(def.caption);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        DockPane(&bar);
    }
}

std::array<CDockablePane*, 17> CMainFrame::GetPanes()
{
    return {&m_wndBoxinParameterPane,        &m_wndBoxinPane,
            &m_wndBoxinHistogramPane,        &m_wndSpheroidProjectionPane,
            &m_wndSpeedOfSoundPane,          &m_wndSettingsPane,
            &m_wndNetworkStationPane,        &m_wndNetworkObservationsPane,
            &m_wndObservationsPane,          &m_wndGridOnGridPane,
            &m_wndVelocityProfileDataPane,   &m_wndThermoclinePane,
            &m_wndUsblCalibrationPane,       &m_wndUsblCalibrationParameterPane,
            &m_wndUsblCalibrationResultPane, &m_wndTransitFixPane,
            &m_wndComputeHeadingPane};
}

CDockablePane* CMainFrame::GetPaneOfId(UINT nID)
{
    for (CDockablePane* pane : GetPanes())
        if (pane->GetSafeHwnd() && static_cast<UINT>(pane->GetDlgCtrlID()) == nID)
            return pane;
    return nullptr;
}

CAcousticView* CMainFrame::GetAcousticView()
{
    return dynamic_cast<CAcousticView*>(GetActiveView());
}

void CMainFrame::CentreViewOnPairs(CAcousticView* view)
{
    const INT_PTR count = m_GridOnGrid.GetSize();
    if (count == 0)
        return;
    double sumE = 0.0;
    double sumN = 0.0;
    for (INT_PTR i = 0; i < count; ++i)
    {
        sumE += m_GridOnGrid[i].EastingB;
        sumN += m_GridOnGrid[i].NorthingB;
    }
    if (!view)
        return;
    view->GetPlot().SetCentre(sumE / static_cast<double>(count), sumN / static_cast<double>(count));
    view->Invalidate(TRUE);
}

void CMainFrame::SetMode(int mode)
{
    m_nMode = mode;
    CAcousticView* view = GetAcousticView();
    if (view && view->GetMode() != mode)
    {
        view->SetMode(mode);
        view->Invalidate(TRUE);
    }
    if (mode >= 0 && mode <= 6)
    {
        // Per mode, the eleven calibration panes in the order below: H hides the pane, '-'
        // leaves it as the user has it. A mode never shows a pane: the commands that start
        // work on a calibration show what they need.
        static const char* const kPaneRule[7] = {"HHHHHHHHHHH", "HHHHHH-HHHH", "HHH---HHHHH", "---HHHHHHHH",
                                                 "HHHHHHHH---", "HHHHHHH-HHH", "HHHH--HHHHH"};
        CDockablePane* const panes[11] = {&m_wndBoxinPane,
                                          &m_wndBoxinParameterPane,
                                          &m_wndBoxinHistogramPane,
                                          &m_wndNetworkStationPane,
                                          &m_wndNetworkObservationsPane,
                                          &m_wndObservationsPane,
                                          &m_wndGridOnGridPane,
                                          &m_wndTransitFixPane,
                                          &m_wndUsblCalibrationPane,
                                          &m_wndUsblCalibrationParameterPane,
                                          &m_wndUsblCalibrationResultPane};
        for (int i = 0; i < 11; ++i)
            if (kPaneRule[mode][i] == 'H' && panes[i]->GetSafeHwnd() && panes[i]->IsVisible() &&
                (panes[i]->GetStyle() & WS_VISIBLE))
                panes[i]->ShowPane(FALSE, FALSE, FALSE);
        // Grid on grid opens on the middle of its points in the target system.
        if (mode == 1)
            CentreViewOnPairs(view);
        // The toolbar each mode shows (by member order); no calibration chosen works with the
        // velocity profile's.
        static const int kOwnToolBar[7] = {5, 1, 2, 0, 4, 3, 5};
        const std::array<CMFCToolBar*, 6> bars = GetToolBars();
        for (int i = 0; i < 6; ++i)
        {
            CMFCToolBar* bar = bars[static_cast<size_t>(i)];
            if (!bar->GetSafeHwnd())
                continue;
            const bool shown = bar->IsVisible() && (bar->GetStyle() & WS_VISIBLE);
            if (i == kOwnToolBar[mode])
            {
                if (!shown || (bar->IsAutoHideMode() && !bar->IsWindowVisible()))
                    bar->ShowPane(TRUE, FALSE, TRUE);
            }
            else if (shown)
                bar->ShowPane(FALSE, FALSE, FALSE);
        }
    }
    CConfigFile::WriteSettingsFile(kModeSettings,
                                   [this](CConfigFile& file) { file.WriteInt("Mode", m_nMode); });
}

void CMainFrame::PostStartSetUp()
{
    // Painted whole before the rest runs.
    ShowWindow(SW_SHOWMAXIMIZED);
    UpdateWindow();
    WidenPaneColumn();

    DefineImports();

    // The mode of the last run; 0 without one, and for a file edited to hold no mode of
    // this program (the file is then set right by SetMode).
    int mode = 0;
    CConfigFile::ReadSettingsFile(kModeSettings, [&mode](CConfigFile& file) { mode = file.ReadInt(0); });
    if (mode < 0 || mode > 6)
        mode = 0;
    SetMode(mode);

    if (CAcousticView* view = GetAcousticView())
    {
        view->SetMutex(&m_Lock);
        view->GetPlot().LoadSettings();
        if (CFrameWnd* parent = view->GetParentFrame())
            parent->SetWindowText("Nav Display");
        view->SetStatusBar(&m_wndStatusBar);
        view->SetGridOnGrid(&m_GridOnGrid);
        view->SetNetwork(&m_Network);
        view->SetTransitFix(&m_TransitFix);
        view->SetBoxin(&m_Boxin);
        view->SetUsblCalibration(&m_UsblCalibration);
        view->Redraw();
    }

    if (m_bNetworkLoadFailed && !m_bNetworkProblemTold)
    {
        m_bNetworkProblemTold = true;
        ErrorMessage(m_strNetworkLoadProblem, nullptr, 0x300010);
    }
}

void CMainFrame::DefineImports()
{
    static const char* const kBoxin[] = {"Vessel\nEasting", "Vessel\nNorthing", "Gyro\nHeading", "Water\nDepth",
                                         "Observed\nRange"};
    static const char* const kGridOnGrid[] = {"Easting\n(System A)", "Northing\n(System A)", "Easting\n(System B)",
                                              "Northing\n(System B)"};
    static const char* const kVelocity[] = {"Temperature", "Salinity", "Depth"};
    static const char* const kUsbl[] = {"Vessel\nEasting", "Vessel\nNorthing", "Gyro\nHeading", "USBL\nX",
                                        "USBL\nY",         "Usbl\nZ",          "Vessel\nPitch", "Vessel\nRoll",
                                        "ROV\nEasting",    "ROV\nNorthing"};
    struct Definition
    {
        CListCtrlImport* import;
        const char* name;
        const char* const* labels;
        size_t count;
    };
    const Definition definitions[] = {
        {&m_BoxinCsvImport, "Boxin CSV", kBoxin, std::size(kBoxin)},
        {&m_BoxinExcelImport, "Boxin EXCEL", kBoxin, std::size(kBoxin)},
        {&m_GridOnGridCsvImport, "Grid on Grid CSV", kGridOnGrid, std::size(kGridOnGrid)},
        {&m_GridOnGridExcelImport, "Grid On Grid EXCEL", kGridOnGrid, std::size(kGridOnGrid)},
        {&m_VelocityCsvImport, "Velocity Profile CSV", kVelocity, std::size(kVelocity)},
        {&m_VelocityExcelImport, "Velocity Profile EXCEL", kVelocity, std::size(kVelocity)},
        {&m_UsblCsvImport, "Usbl Calibration CSV", kUsbl, std::size(kUsbl)},
        {&m_UsblExcelImport, "Usbl Calibration EXCEL", kUsbl, std::size(kUsbl)},
    };
    for (const Definition& d : definitions)
    {
        // The user picks every column: a field never chosen is skipped, not guessed.
        d.import->m_UnsetFieldsSkipped = true;
        d.import->RemoveAll();
        for (size_t i = 0; i < d.count; ++i)
            d.import->AddField(d.labels[i]);
        d.import->LoadSettings(d.name);
    }
}

void CMainFrame::OnClose()
{
    if (GetYN("Are you sure you wish to exit program", nullptr, 0x300020) != 6)
        return;
    CFrameWndEx::OnClose();
}

void CMainFrame::OnContactDetails()
{
    DisplayCompanyContactDetails();
}
