#include "geodetic/MainFrame.h"

#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "foundation/WindowMessages.h"
#include "geodetic/GeodeticResources.h"
#include "geodetic/GeodeticView.h"
#include "geodetic/VersionText.h"
#include "outside/notifex/Notifex.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/WinAppEx.h"

#include <QDockWidget>
#include <QTabBar>

#include <algorithm>
#include <cmath>
#include <QMainWindow>

#include <algorithm>
#include <initializer_list>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_REGISTERED_MESSAGE(UM_RECEIVE_DATA, &CMainFrame::OnReceiveData)
ON_REGISTERED_MESSAGE(UM_GEODETIC_UPDATE, &CMainFrame::OnGeodeticUpdate)
ON_REGISTERED_MESSAGE(UM_SETTINGS_UPDATE, &CMainFrame::OnSettingsUpdate)
ON_REGISTERED_MESSAGE(UM_RESET_GRAPH, &CMainFrame::OnResetGraph)
ON_REGISTERED_MESSAGE(UM_RESET_TIME_SPAN, &CMainFrame::OnResetTimeSpan)
ON_REGISTERED_MESSAGE(UM_RESET_Y_SPAN, &CMainFrame::OnResetYSpan)
ON_COMMAND(ID_GEODETIC_LOAD_DATA, &CMainFrame::OnLoadData)
ON_COMMAND(ID_GEODETIC_SPHEROID, &CMainFrame::OnSpheroid)
ON_COMMAND(ID_GEODETIC_PROJECTION, &CMainFrame::OnProjection)
ON_COMMAND(ID_GEODETIC_DATUM, &CMainFrame::OnDatum)
ON_COMMAND(ID_GEODETIC_MAG_VAR, &CMainFrame::OnMagneticVariation)
ON_COMMAND_RANGE(ID_GEODETIC_PROPERTIES, ID_GEODETIC_PROPERTIES, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_ITRF, ID_GEODETIC_ITRF, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_GRID_TO_GEOG, ID_GEODETIC_GRID_TO_GEOG, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_DATUM_SHIFT, ID_GEODETIC_DATUM_SHIFT, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_RANGE_BEARING, ID_GEODETIC_RANGE_BEARING, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_TRAVERSE, ID_GEODETIC_TRAVERSE, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_RS232, ID_GEODETIC_RS232, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_UDP, ID_GEODETIC_UDP, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_LARGE_GPS, ID_GEODETIC_LARGE_GPS, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_LLH, ID_GEODETIC_LLH, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_DOP, ID_GEODETIC_DOP, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_NO_SATS, ID_GEODETIC_NO_SATS, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_CONSTELLATION, ID_GEODETIC_CONSTELLATION, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_SNR, ID_GEODETIC_SNR, &CMainFrame::OnTogglePane)
ON_COMMAND_RANGE(ID_GEODETIC_ELEVATION, ID_GEODETIC_ELEVATION, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_PROPERTIES, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_ITRF, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_GRID_TO_GEOG, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_DATUM_SHIFT, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_RANGE_BEARING, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_TRAVERSE, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_RS232, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_UDP, &CMainFrame::OnUpdateUdp)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_LARGE_GPS, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_LLH, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_DOP, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_NO_SATS, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_CONSTELLATION, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_SNR, &CMainFrame::OnUpdateTogglePane)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_ELEVATION, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND(ID_GEODETIC_DAYLIGHT, &CMainFrame::OnDaylightMode)
ON_COMMAND(ID_GEODETIC_NIGHT, &CMainFrame::OnNightMode)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_DAYLIGHT, &CMainFrame::OnUpdateDaylightMode)
ON_UPDATE_COMMAND_UI(ID_GEODETIC_NIGHT, &CMainFrame::OnUpdateNightMode)
ON_COMMAND(ID_GEODETIC_APP_ABOUT, &CMainFrame::OnAbout)
ON_COMMAND(ID_GEODETIC_CONTACT, &CMainFrame::OnContactDetails)
END_MESSAGE_MAP()

namespace
{
// The width a tab group's bar needs to show every title whole (0 for a pane in no group).
int TabTitlesWidth(QMainWindow* window, QDockWidget* front)
{
    const QList<QDockWidget*> mates = window->tabifiedDockWidgets(front);
    if (mates.isEmpty())
        return 0;
    QTabBar bar;
    bar.setFont(window->font());
    bar.addTab(front->windowTitle());
    for (QDockWidget* mate : mates)
        bar.addTab(mate->windowTitle());
    return bar.sizeHint().width();
}

const DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_FLOAT_MULTI;
const DWORD kRightPane = kPaneStyle | CBRS_RIGHT;
const DWORD kBottomPane = kPaneStyle | CBRS_BOTTOM;
const DWORD kMenuBarStyle = 0x50402808;
// A pane whose client area is smaller than this in either direction is moved into view.
const int kSmallestPane = 100;
} // namespace

bool LoadInputEnabled(const char* name)
{
    int enabled = 1;
    CConfigFile::ReadSettingsFile(name, [&](CConfigFile& file) { enabled = file.ReadInt(1); });
    return enabled != 0;
}

bool SaveInputEnabled(const char* name, bool enabled)
{
    return CConfigFile::WriteSettingsFile(name,
                                          [&](CConfigFile& file) { file.WriteBool("Enable", enabled); });
}

CMainFrame::CMainFrame() : m_Mutex(FALSE, nullptr)
{
    m_bSerialEnabled = LoadInputEnabled("COM Array");
    m_bUdpEnabled = LoadInputEnabled("UDP Array");

    m_DatumToSpheroid.SetFromTable(CSpheroid::WGS84_ROW);
    m_DatumToProjection.SetSpheroid(&m_DatumToSpheroid);
    m_DatumToProjection.SetZone(31, 0, 0);
    m_Spheroid.SetFromTable(CSpheroid::WGS84_ROW);
    m_Projection.SetSpheroid(&m_Spheroid);
    m_Projection.SetZone(31, 0, 0);
    m_Datum.SetToSide(&m_DatumToSpheroid, &m_DatumToProjection);
    m_Datum.LoadSettings();
}

CMainFrame::~CMainFrame()
{
    // The readers stop before the objects they post about go.
    m_ComArray.Stop();
    m_UdpArray.Stop();
}

CGeodeticView* CMainFrame::GetGeodeticView() const
{
    return dynamic_cast<CGeodeticView*>(GetActiveView());
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    RegisterGeodeticResources();
    CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_ObsidianBlack);
    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerOffice2007));

    if (!m_wndMenuBar.Create(this, kMenuBarStyle, IDP_MENU_BAR))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    CMFCPopupMenu::SetForceMenuFocus(FALSE);
    if (m_wndStatusBar.Create(this) == -1)
        return -1;
    // No position yet: the read-outs stay empty rather than show a grid position of 0, 0.
    m_wndStatusBar.ClearDisplay();
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);
    CDockingManager::SetDockingMode(DT_SMART);
    EnableAutoHidePanes(CBRS_ALIGN_ANY);

    // The panes are made while the splash shows, and it closes as soon as they are.
    CMagVarSplashDlg splash(this);
    splash.DoModalWhile([this] { CreatePanes(); });
    ModifyStyle(0, FWS_PREFIXTITLE);
    return 0;
}

void CMainFrame::CreatePanes()
{
    const CRect rect(0, 0, 240, 200);
    // Geodesy panes on the left, receiver graphs on the right, the position read-out and the
    // port panes along the bottom (until the user's own layout is restored).
    auto dock = [this](CDockablePane& pane, UINT side) {
        pane.EnableDocking(CBRS_ALIGN_ANY);
        DockPane(&pane, side);
    };
    const UINT left = AFX_IDW_DOCKBAR_LEFT, right = AFX_IDW_DOCKBAR_RIGHT, bottom = AFX_IDW_DOCKBAR_BOTTOM;
    if (m_wndGridToGeogPane.Create(this, ID_GEODETIC_GRID_TO_GEOG, &m_Projection))
    {
        m_wndGridToGeogPane.RefreshProjection();
        dock(m_wndGridToGeogPane, left);
    }
    struct
    {
        CGpsPane* pane;
        const char* caption;
        UINT id;
    } const gpsPanes[] = {
        // Short captions: each is a tab's title, and a tab group's titles fit its column whole.
        {&m_wndLatLonHtPane, "Position v Time", ID_GEODETIC_LLH},
        {&m_wndDopPane, "DOP v Time", ID_GEODETIC_DOP},
        {&m_wndNoSatsPane, "Satellites v Time", ID_GEODETIC_NO_SATS},
        {&m_wndSatellitePane, "Constellation", IDP_PANE_SATELLITE},
        {&m_wndSNRPane, "Signal to Noise", ID_GEODETIC_SNR},
        {&m_wndElevationPane, "Elevation", ID_GEODETIC_ELEVATION},
    };
    for (const auto& p : gpsPanes)
        if (p.pane->Create(p.caption, this, rect, TRUE, p.id, kRightPane))
            dock(*p.pane, right);
    if (m_wndLargeGpsPane.Create(&m_Gps, "GPS Unit", this, rect, TRUE, IDP_PANE_LARGE_GPS, kBottomPane))
        dock(m_wndLargeGpsPane, bottom);
    if (m_wndDatumShiftPane.Create(this, ID_GEODETIC_DATUM_SHIFT, &m_Datum, false, true))
    {
        m_wndDatumShiftPane.RefreshDatum();
        dock(m_wndDatumShiftPane, left);
    }
    if (m_wndParameterTransformationPane.Create(this, ID_GEODETIC_ITRF))
        dock(m_wndParameterTransformationPane, left);
    if (m_wndRangeAndBearingPane.Create(this, ID_GEODETIC_RANGE_BEARING, &m_Projection))
    {
        m_wndRangeAndBearingPane.RefreshProjection();
        dock(m_wndRangeAndBearingPane, left);
    }
    if (m_wndTraversePane.Create(this, ID_GEODETIC_TRAVERSE, &m_Projection))
    {
        m_wndTraversePane.RefreshProjection();
        dock(m_wndTraversePane, left);
    }
    if (m_wndSettingsPane.Create(this, ID_GEODETIC_PROPERTIES, SETTINGS_ALL))
        dock(m_wndSettingsPane, left);
    // Six grids one above the other leave each a row or two: the left column holds two tab
    // groups instead, the conversions and the computations with the settings, each grid
    // showing whole rows, and a pane's command brings its tab to the front.
    const auto tab = [](CDockablePane& pane, CDockablePane& front) {
        if (pane.GetSafeHwnd() && front.GetSafeHwnd())
            pane.AttachToTabWnd(&front, DM_SHOW, FALSE);
    };
    tab(m_wndDatumShiftPane, m_wndGridToGeogPane);
    tab(m_wndParameterTransformationPane, m_wndGridToGeogPane);
    tab(m_wndTraversePane, m_wndRangeAndBearingPane);
    tab(m_wndSettingsPane, m_wndRangeAndBearingPane);
    // Six graphs one above the other leave each a strip too low to read: the right column
    // holds the graphs against time and the satellites' pictures as two tab groups.
    tab(m_wndDopPane, m_wndLatLonHtPane);
    tab(m_wndNoSatsPane, m_wndLatLonHtPane);
    tab(m_wndSNRPane, m_wndSatellitePane);
    tab(m_wndElevationPane, m_wndSatellitePane);
    if (m_wndComPortPane.Create(&m_ComArray, "RS232 Data", this, rect, TRUE, IDP_PANE_COM_PORT, kBottomPane))
        dock(m_wndComPortPane, bottom);
    if (m_wndUdpPortPane.Create(&m_UdpArray, "UDP Setup", this, rect, TRUE, ID_GEODETIC_UDP, kBottomPane))
        dock(m_wndUdpPortPane, bottom);
    // The side columns start wide enough to read a property grid and a graph.
    QMainWindow* window = GetMainWindow();
    if (!window)
        return;
    QList<QDockWidget*> columns, along;
    for (CDockablePane* pane : AllPanes())
        if (QDockWidget* widget = pane->GetDockWidget())
        {
            const Qt::DockWidgetArea area = window->dockWidgetArea(widget);
            if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
                columns.append(widget);
            else if (area == Qt::BottomDockWidgetArea)
                along.append(widget);
        }
    // The left column is wide enough for the grids' names and values and for its tabs' titles,
    // the right one for a graph and its tabs' titles; the tab groups of a column share its width.
    QList<QDockWidget*> sides;
    int leftWidth = 320, rightWidth = 260;
    for (QDockWidget* widget : columns)
    {
        bool behind = false;
        for (QDockWidget* other : window->tabifiedDockWidgets(widget))
            behind = behind || sides.contains(other);
        if (behind)
            continue;
        sides.append(widget);
        int& width = window->dockWidgetArea(widget) == Qt::LeftDockWidgetArea ? leftWidth : rightWidth;
        width = std::max(width, TabTitlesWidth(window, widget));
    }
    QList<int> widths;
    for (QDockWidget* widget : sides)
        widths.append(window->dockWidgetArea(widget) == Qt::LeftDockWidgetArea ? leftWidth : rightWidth);
    if (!sides.isEmpty())
        window->resizeDocks(sides, widths, Qt::Horizontal);
    // The read-out and the two port tables share the bottom alike.
    if (!along.isEmpty())
        window->resizeDocks(along, QList<int>(along.size(), std::max(260, window->width() / static_cast<int>(along.size()))),
                            Qt::Horizontal);
    // Each pane keeps room for what it shows (a grid's first rows, a graph, the GPS read-outs),
    // so that a small window does not squeeze panes to nothing.
    for (CDockablePane* pane : AllPanes())
        if (QDockWidget* widget = pane->GetDockWidget())
        {
            const bool side = columns.contains(widget);
            widget->setMinimumSize(side ? 220 : 260, side ? 90 : 150);
        }
    if (QDockWidget* gps = m_wndLargeGpsPane.GetDockWidget())
        if (QWidget* inside = gps->widget())
            gps->setMinimumWidth(std::max(gps->minimumWidth(), inside->minimumSizeHint().width()));
}

CDockablePane* CMainFrame::GetPaneOfCommand(UINT nID)
{
    for (const PaneCommandDef& def : PaneCommands())
        if (def.nID == nID)
            return def.pane->GetSafeHwnd() ? def.pane : nullptr;
    return nullptr;
}

void CMainFrame::TogglePane(CDockablePane* pane)
{
    if (!pane)
        return;
    if (pane->IsVisible())
    {
        pane->ShowPane(FALSE, FALSE, TRUE);
        return;
    }
    pane->ShowPane(TRUE, FALSE, TRUE);
    CRect client;
    pane->GetClientRect(&client);
    if (client.Width() >= kSmallestPane && client.Height() >= kSmallestPane)
        return;
    // Too small to use: float it as a square over the middle of the main window.
    CRect frame;
    GetWindowRect(&frame);
    const int half = std::min(frame.Width(), frame.Height()) / 4;
    const CPoint centre = frame.CenterPoint();
    if (QDockWidget* dockWidget = pane->GetDockWidget())
    {
        dockWidget->setFloating(true);
        dockWidget->setGeometry(centre.x - half, centre.y - half, 2 * half, 2 * half);
    }
}

void CMainFrame::OnTogglePane(UINT nID)
{
    TogglePane(GetPaneOfCommand(nID));
}

void CMainFrame::OnUpdateTogglePane(CCmdUI* pCmdUI)
{
    CDockablePane* pane = GetPaneOfCommand(pCmdUI->m_nID);
    pCmdUI->SetCheck(pane && pane->IsVisible() ? 1 : 0);
}

void CMainFrame::OnUpdateUdp(CCmdUI* pCmdUI)
{
    CDockablePane* pane = GetPaneOfCommand(pCmdUI->m_nID);
    pCmdUI->Enable(pane != nullptr);
    pCmdUI->SetCheck(pane && pane->IsVisible() ? 1 : 0);
}

void CMainFrame::PostStart()
{
    if (CGeodeticView* view = GetGeodeticView())
        view->SetGeodeticObjects(&m_Datum, &m_Projection, &m_Spheroid);
    SetWindowText("Geodetic Spreadsheet");
    UpdateWindow();

    m_bSerialEnabled = m_ComArray.Create(this, &m_Mutex) > 0;
    m_ComArray.StartThreads();
    SaveInputEnabled("COM Array", m_bSerialEnabled);

    m_wndComPortPane.UpdateTable();
    m_UdpArray.Load(this);
    m_wndUdpPortPane.Reset();

    PostMessage(WM_SIZE, 0, 0);
    ShowWindow(SW_SHOW);
}

LRESULT CMainFrame::OnReceiveData(WPARAM wParam, LPARAM lParam)
{
    if (m_bReceiving)
        return 0;
    m_bReceiving = true;
    if (wParam && lParam)
    {
        // The lines are copied out under the port's lock and the lock is let go before any pane
        // or the decoder runs, so no reader thread waits on the user interface.
        CStringArray lines;
        if (m_ComArray.TakeLines(wParam, lParam, lines) == 0)
            m_UdpArray.TakeLines(wParam, lParam, lines);
        if (lines.GetSize() > 0)
        {
            CArray<ReceivedLineDef, const ReceivedLineDef&> prepared;
            PrepareReceivedLines((UINT)wParam, lines, m_Gps.m_VerifyChecksum != 0, prepared);
            ShowAndDecode((UINT)wParam, prepared);
        }
    }
    m_bReceiving = false;
    return 0;
}

void CMainFrame::ShowAndDecode(UINT port, const CArray<ReceivedLineDef, const ReceivedLineDef&>& lines)
{
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
    {
        const ReceivedLineDef& line = lines[i];
        m_wndComPortPane.AddString((int)port, line.Type, line.Text, false);
        m_wndUdpPortPane.AddString((int)port, line.Type, line.Text, false);
        if (line.Route == ROUTE_QUALITY)
        {
            // A wrong checksum gives -1: nothing was taken, so nothing is redrawn.
            if (m_Gps.Decode(line.Text) > 0)
            {
                m_wndDopPane.Update(&m_Gps);
                m_wndNoSatsPane.Update(&m_Gps);
                m_wndSatellitePane.Update(&m_Gps);
                m_wndSNRPane.Update(&m_Gps);
                m_wndElevationPane.Update(&m_Gps);
            }
        }
        else if (line.Route == ROUTE_POSITION)
        {
            if (m_Gps.Decode(line.Text) > 0)
            {
                m_wndLargeGpsPane.Update();
                m_wndLatLonHtPane.Update(&m_Gps);
                ShowPositionGrid();
                m_Gps.m_PositionUpdated = 0;
            }
        }
    }
}

void CMainFrame::ShowPositionGrid()
{
    double easting = 0.0, northing = 0.0;
    if (m_Projection.GeographicToGrid(m_Gps.m_Wgs84Latitude, m_Gps.m_Wgs84Longitude, &easting, &northing) &&
        std::isfinite(easting) && std::isfinite(northing))
        m_wndStatusBar.DisplayGrid(easting, northing);
    else
        m_wndStatusBar.ClearDisplay();
}

LRESULT CMainFrame::OnGeodeticUpdate(WPARAM, LPARAM)
{
    m_wndGridToGeogPane.RefreshProjection();
    m_wndRangeAndBearingPane.RefreshProjection();
    m_wndTraversePane.RefreshProjection();
    m_wndDatumShiftPane.RefreshDatum();
    m_Datum.m_Spheroid.LoadSettings("(From)");
    m_Datum.m_Projection.LoadSettings("(From)");
    if (m_Datum.m_pToSpheroid)
        m_Datum.m_pToSpheroid->LoadSettings();
    if (m_Datum.m_pToProjection)
        m_Datum.m_pToProjection->LoadSettings();
    m_Datum.SaveSettings();
    return 0;
}

// Each geodesy pane takes the user's new notation for angles (1), latitudes and longitudes
// (8) or grid co-ordinates (128).
template <class PANE> static void ApplySettingsChange(PANE& pane, WPARAM what)
{
    if (!pane.GetSafeHwnd())
        return;
    if (what == 1)
        pane.UpdateAngles();
    else if (what == 8)
        pane.UpdateGeographicals();
    else if (what == 128)
        pane.UpdateGrid();
}

LRESULT CMainFrame::OnSettingsUpdate(WPARAM wParam, LPARAM)
{
    ApplySettingsChange(m_wndGridToGeogPane, wParam);
    ApplySettingsChange(m_wndDatumShiftPane, wParam);
    ApplySettingsChange(m_wndRangeAndBearingPane, wParam);
    ApplySettingsChange(m_wndTraversePane, wParam);
    (void)wParam;
    return 0;
}

void CMainFrame::ForEachTimeGraph(void (CTimeSeriesPane::*action)())
{
    for (CTimeSeriesPane* pane :
         std::initializer_list<CTimeSeriesPane*>{&m_wndLatLonHtPane, &m_wndDopPane, &m_wndNoSatsPane})
        (pane->*action)();
}

LRESULT CMainFrame::OnResetGraph(WPARAM, LPARAM)
{
    ForEachTimeGraph(&CTimeSeriesPane::Clear);
    return 0;
}

LRESULT CMainFrame::OnResetTimeSpan(WPARAM, LPARAM)
{
    ForEachTimeGraph(&CTimeSeriesPane::ResetTimeSpan);
    return 0;
}

LRESULT CMainFrame::OnResetYSpan(WPARAM, LPARAM)
{
    ForEachTimeGraph(&CTimeSeriesPane::SetYSpan);
    return 0;
}

void CMainFrame::OnClose()
{
    if (GetYN("Are you sure you wish to exit program", nullptr, 0x300020) != IDYES)
        return;
    m_ComArray.Stop();
    m_UdpArray.Stop();
    CFrameWndEx::OnClose();
}

std::vector<CMainFrame::PaneCommandDef> CMainFrame::PaneCommands()
{
    return {
        {ID_GEODETIC_RS232, &m_wndComPortPane},
        {ID_GEODETIC_UDP, &m_wndUdpPortPane},
        {ID_GEODETIC_LLH, &m_wndLatLonHtPane},
        {ID_GEODETIC_DOP, &m_wndDopPane},
        {ID_GEODETIC_NO_SATS, &m_wndNoSatsPane},
        {ID_GEODETIC_CONSTELLATION, &m_wndSatellitePane},
        {ID_GEODETIC_SNR, &m_wndSNRPane},
        {ID_GEODETIC_ELEVATION, &m_wndElevationPane},
        {ID_GEODETIC_GRID_TO_GEOG, &m_wndGridToGeogPane},
        {ID_GEODETIC_DATUM_SHIFT, &m_wndDatumShiftPane},
        {ID_GEODETIC_RANGE_BEARING, &m_wndRangeAndBearingPane},
        {ID_GEODETIC_TRAVERSE, &m_wndTraversePane},
        {ID_GEODETIC_ITRF, &m_wndParameterTransformationPane},
        {ID_GEODETIC_PROPERTIES, &m_wndSettingsPane},
        {ID_GEODETIC_LARGE_GPS, &m_wndLargeGpsPane},
    };
}

std::vector<CDockablePane*> CMainFrame::AllPanes()
{
    std::vector<CDockablePane*> panes;
    for (const PaneCommandDef& def : PaneCommands())
        panes.push_back(def.pane);
    return panes;
}

void CMainFrame::OnDestroy()
{
    // The inputs stop first: nothing is posted to a window that is going. Then the panes'
    // windows go while the pane objects still exist, so no late event reaches a pane object
    // after the frame's members were destroyed.
    m_ComArray.Stop();
    m_UdpArray.Stop();
    for (CDockablePane* pane : AllPanes())
        if (pane->GetSafeHwnd())
            pane->DestroyWindow();
    CFrameWndEx::OnDestroy();
}

void CMainFrame::OnLoadData()
{
    if (CGeodeticView* view = GetGeodeticView())
        view->LoadCoordinateFile();
}

void CMainFrame::RefreshProjectionPanes()
{
    if (m_wndGridToGeogPane.GetSafeHwnd())
        m_wndGridToGeogPane.RefreshProjection();
    if (m_wndRangeAndBearingPane.GetSafeHwnd())
        m_wndRangeAndBearingPane.RefreshProjection();
    if (m_wndTraversePane.GetSafeHwnd())
        m_wndTraversePane.RefreshProjection();
}

void CMainFrame::OnSpheroid()
{
    CSpheroidEditor editor(this);
    editor.DoModal();
    // Built-in rows first, then the spheroid files of the global data folder in the order
    // found; WGS84 when the saved file is gone.
    CSpheroidEditor::SelectType(m_Spheroid, CSpheroidEditor::GetSavedType());
    m_Projection.SetSpheroid(&m_Spheroid);
    RefreshProjectionPanes();
}

void CMainFrame::OnProjection()
{
    CProjectionEditor editor(this);
    editor.DoModal();
    m_Projection.LoadSettings();
    m_Projection.SetSpheroid(&m_Spheroid);
    RefreshProjectionPanes();
}

void CMainFrame::OnDatum()
{
    CDatumEditor editor(this);
    editor.DoModal();
    m_Datum.LoadSettings();
    if (m_wndDatumShiftPane.GetSafeHwnd())
        m_wndDatumShiftPane.RefreshDatum();
    if (m_wndParameterTransformationPane.GetSafeHwnd())
        m_wndParameterTransformationPane.GetValidDatumFiles();
}

void CMainFrame::OnMagneticVariation()
{
    CDeklinoDlg dialog(this);
    dialog.DoModal();
}

bool CMainFrame::GetNightMode() const
{
    if (m_wndGridToGeogPane.GetSafeHwnd())
        return m_wndGridToGeogPane.GetNightMode();
    return m_bNight;
}

void CMainFrame::SetNightMode(bool night)
{
    m_bNight = night;
    if (m_wndGridToGeogPane.GetSafeHwnd())
        night ? m_wndGridToGeogPane.SetNightMode(true) : m_wndGridToGeogPane.SetDaylightMode();
    if (m_wndDatumShiftPane.GetSafeHwnd())
        night ? m_wndDatumShiftPane.SetNightMode(true) : m_wndDatumShiftPane.SetDaylightMode();
    if (m_wndRangeAndBearingPane.GetSafeHwnd())
        night ? m_wndRangeAndBearingPane.SetNightMode(true) : m_wndRangeAndBearingPane.SetDaylightMode();
    if (m_wndTraversePane.GetSafeHwnd())
        night ? m_wndTraversePane.SetNightMode(true) : m_wndTraversePane.SetDaylightMode();
    if (m_wndParameterTransformationPane.GetSafeHwnd())
        night ? m_wndParameterTransformationPane.SetNightMode(true)
              : m_wndParameterTransformationPane.SetDaylightMode();
    if (m_wndSettingsPane.GetSafeHwnd())
        night ? m_wndSettingsPane.SetNightMode(true) : m_wndSettingsPane.SetDaylightMode();
    // The port pane follows the day colours only.
    if (m_wndComPortPane.GetSafeHwnd())
        m_wndComPortPane.SetDaylightMode();
    if (CGeodeticView* view = GetGeodeticView())
        view->SetNightMode(night);
}

void CMainFrame::OnDaylightMode()
{
    SetNightMode(false);
}

void CMainFrame::OnNightMode()
{
    SetNightMode(true);
}

void CMainFrame::OnUpdateDaylightMode(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetNightMode() ? 0 : 1);
}

void CMainFrame::OnUpdateNightMode(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(GetNightMode() ? 1 : 0);
}

void CMainFrame::OnAbout()
{
    DisplayAboutBox(GetVersionText(), false);
}

void CMainFrame::OnContactDetails()
{
    DisplayCompanyContactDetails();
}
