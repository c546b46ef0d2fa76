#include "marevo/app/MainFrame.h"

#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "marevo/TideSettingsLines.h"
#include "marevo/app/MarevoResources.h"
#include "outside/company/Company.h"
#include "outside/input/InputYear.h"
#include "outside/notifex/Notifex.h"
#include "outside/tide/TidalDiamondComputation.h"
#include "outside/tide/TidalListingDlg.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/WinAppEx.h"

#include <QDockWidget>
#include <QMainWindow>

#include <algorithm>

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWndEx)

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWndEx)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(ID_MAREVO_SET_YEAR, &CMainFrame::OnSetYear)
ON_COMMAND_RANGE(ID_MAREVO_TIDAL_PORT, ID_MAREVO_TIDAL_PORT, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_MAREVO_TIDAL_PORT, ID_MAREVO_TIDAL_PORT, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_MAREVO_MOON_DATA, ID_MAREVO_HARMONIC_CONSTANTS, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_MAREVO_MOON_DATA, ID_MAREVO_HARMONIC_CONSTANTS, &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_MAREVO_TURNING_POINTS, ID_MAREVO_TURNING_POINTS, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_MAREVO_TURNING_POINTS, ID_MAREVO_TURNING_POINTS,
                           &CMainFrame::OnUpdateTogglePane)
ON_COMMAND_RANGE(ID_MAREVO_TIDE_CURVE, ID_MAREVO_TIDE_CURVE, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_MAREVO_TIDE_CURVE, ID_MAREVO_TIDE_CURVE, &CMainFrame::OnUpdateNeedsFactors)
ON_COMMAND_RANGE(ID_MAREVO_TIDAL_DIAMONDS, ID_MAREVO_TIDAL_DIAMONDS, &CMainFrame::OnTogglePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_MAREVO_TIDAL_DIAMONDS, ID_MAREVO_TIDAL_DIAMONDS,
                           &CMainFrame::OnUpdateNeedsFactors)
ON_COMMAND(ID_MAREVO_PRINT_TIDE_TABLE, &CMainFrame::OnPrintTideTable)
ON_UPDATE_COMMAND_UI(ID_MAREVO_PRINT_TIDE_TABLE, &CMainFrame::OnUpdatePrintTideTable)
ON_COMMAND(ID_MAREVO_DIAMOND_COMPUTATION, &CMainFrame::OnDiamondComputation)
ON_COMMAND(ID_MAREVO_TIDAL_LISTING, &CMainFrame::OnTidalListing)
ON_COMMAND(ID_MAREVO_DAY_MODE, &CMainFrame::OnDayMode)
ON_COMMAND(ID_MAREVO_NIGHT_MODE, &CMainFrame::OnNightMode)
ON_UPDATE_COMMAND_UI(ID_MAREVO_DAY_MODE, &CMainFrame::OnUpdateDayMode)
ON_UPDATE_COMMAND_UI(ID_MAREVO_NIGHT_MODE, &CMainFrame::OnUpdateNightMode)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CMainFrame::OnUpdateStatusBar)
ON_COMMAND(ID_MAREVO_CONTACT_DETAILS, &CMainFrame::OnContactDetails)
ON_REGISTERED_MESSAGE(UM_NP159_TIDE_CURVE, &CMainFrame::OnTideCurve)
END_MESSAGE_MAP()

namespace
{
constexpr DWORD kMenuBarStyle = 0x50402808;
const char* const kDefaultChart = "5058";
const char* const kPortSettings = "Marevo";
} // namespace

CMainFrame::CMainFrame()
{
    ReadDiamondSettings();
    ReadCoTidalChartSettings();

    DateTimeDef now;
    GetLocalDateTime(now);
    m_NP159.Load(now.nYear);
    m_NP159.ReadSettings();
    m_TidalDiamond.Load();
    const bool turningPoints = m_StandardPortList.Load(m_NP159.m_nYear);
    m_TidalDiamond.Link(m_StandardPortList);

    // The start's one message: the year's missing data, then every file that did not read
    // whole, the data files before the settings.
    NoteMissingData(turningPoints);
    m_Notice.AddProblems(m_NP159.GetLoadProblems());
    m_Notice.AddProblems(m_StandardPortList.GetLoadProblems());
    m_Notice.AddProblems(m_TidalDiamond.GetLoadProblems());
    m_Notice.AddProblems(m_CoTidalChart.GetLoadProblems());
    m_Notice.AddProblems(m_TimeZone.GetLoadProblems());
    m_Notice.AddProblems(m_Clearance.GetLoadProblems());
    m_Notice.AddProblems(m_SettingsProblems);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::ReadDiamondSettings()
{
    CConfigFile file;
    const CString path = file.GetSettingsFileName("TidalDiamond");
    m_TidalDiamond.m_nDisplayValue = 3;
    m_TidalDiamond.m_bDisplayFlag = false;
    m_TidalDiamond.m_dDisplayValue = -1.0;
    m_TidalDiamond.m_nDisplayIndex = -1;
    CConfigFile::ReadSettingsFile("TidalDiamond", [&](CConfigFile& settings) {
        CTideSettingsLines lines(settings, path, m_SettingsProblems);
        int value = 0;
        m_TidalDiamond.m_nDisplayValue = 0;
        if (lines.NextInt(&value))
        {
            // The value is kept in a byte: a larger one is a damaged line, not a wrapped value.
            if (value >= 0 && value <= 255)
                m_TidalDiamond.m_nDisplayValue = value;
            else
                AddTideLoadProblem(m_SettingsProblems, path, 1, "the value is not 0 to 255", true);
        }
        int flag = 0;
        m_TidalDiamond.m_bDisplayFlag = lines.NextInt(&flag) && flag != 0;
    });
}

void CMainFrame::ReadCoTidalChartSettings()
{
    CConfigFile file;
    const CString path = file.GetSettingsFileName("CoTidalChart");
    CString name = kDefaultChart;
    m_nCoTidalChartValue = 1;
    CConfigFile::ReadSettingsFile("CoTidalChart", [&](CConfigFile& settings) {
        CTideSettingsLines lines(settings, path, m_SettingsProblems);
        CString text;
        if (lines.NextText(&text))
        {
            text.Trim();
            // The name is a file of the tide data folder: one that reaches out of the folder
            // is refused rather than opened.
            if (text.FindOneOf("\\/:") >= 0 || text == "." || text == "..")
                AddTideLoadProblem(m_SettingsProblems, path, 1, "the chart's name is not a file name", true);
            else
                name = text;
        }
        int value = 1;
        m_nCoTidalChartValue = lines.NextInt(&value) ? value : 1;
    });
    m_CoTidalChart.Load(name);
}

void CMainFrame::NoteMissingData(bool turningPoints)
{
    // Without a year's data the panes stay empty and their commands disabled: said rather than
    // left for the user to wonder at.
    CString line;
    if (m_NP159.m_TidalFactors.IsEmpty())
    {
        line.Format("No tidal data for %d", m_NP159.m_nYear);
        m_Notice.AddLine(line);
    }
    if (!turningPoints)
    {
        line.Format("No turning-point data for %d", m_NP159.m_nYear);
        m_Notice.AddLine(line);
    }
}

void CMainFrame::TellLoadProblems()
{
    if (m_Notice.IsEmpty())
        return;
    const CString text = m_Notice.GetText();
    m_Notice.Clear();
    WarningMessage(text, this, 0x300030);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWndEx::OnCreate(lpCreateStruct) == -1)
        return -1;
    RegisterMarevoResources();

    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerOffice2007));
    CMFCVisualManagerOffice2007::SetStyle(CMFCVisualManagerOffice2007::Office2007_ObsidianBlack);

    if (!m_wndMenuBar.Create(this, kMenuBarStyle, AFX_IDW_MENUBAR))
        return -1;
    m_wndMenuBar.SetPaneStyle(m_wndMenuBar.GetPaneStyle() | CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockPane(&m_wndMenuBar);
    CDockingManager::SetDockingMode(DT_SMART);
    EnableAutoHidePanes(CBRS_ALIGN_ANY);

    // (pane, its creation, the side it docks on). The port's numbers and the moon's and the
    // factors' tables sit at the left, the curve with the tables of the standard ports at the
    // right, the chart view between them.
    struct PaneDef
    {
        CDockablePane* pane;
        BOOL made;
        UINT side;
    };
    CNP159* data = &m_NP159;
    const int year = m_NP159.m_nYear;
    const PaneDef panes[] = {
        {&m_wndTidePortPane,
         m_wndTidePortPane.Create(this, ID_MAREVO_TIDAL_PORT, data, &m_StandardPortList, &m_TimeZone,
                                  &m_Clearance, &m_CoTidalChart),
         AFX_IDW_DOCKBAR_LEFT},
        {&m_wndMoonPane, m_wndMoonPane.Create(this, ID_MAREVO_MOON_DATA, &data->m_MoonPhases, year),
         AFX_IDW_DOCKBAR_LEFT},
        {&m_wndHarmonicConstantsPane,
         m_wndHarmonicConstantsPane.Create(this, ID_MAREVO_HARMONIC_CONSTANTS, &data->m_TidalFactors, year),
         AFX_IDW_DOCKBAR_LEFT},
        {&m_wndTurningPointPane,
         m_wndTurningPointPane.Create(this, ID_MAREVO_TURNING_POINTS, &m_StandardPortList, year),
         AFX_IDW_DOCKBAR_RIGHT},
        {&m_wndTidalDiamondPane,
         m_wndTidalDiamondPane.Create(this, ID_MAREVO_TIDAL_DIAMONDS, &m_TidalDiamond),
         AFX_IDW_DOCKBAR_RIGHT},
        {&m_wndTideCurvePane,
         m_wndTideCurvePane.Create(this, ID_MAREVO_TIDE_CURVE, data, &m_StandardPortList, &m_TimeZone,
                                   &m_Clearance),
         AFX_IDW_DOCKBAR_RIGHT},
    };
    for (const PaneDef& def : panes)
    {
        if (!def.made)
            continue;
        def.pane->EnableDocking(CBRS_ALIGN_ANY);
        DockPane(def.pane, def.side);
        // A first start shows every pane; later starts keep the user's layout.
        if (CDockablePane::GetStoredVisibility(static_cast<UINT>(def.pane->GetDlgCtrlID())) == -1)
            def.pane->ShowPane(TRUE, FALSE, FALSE);
    }
    ArrangePanes();
    // The port pane opens on the port the curve shows.
    if (m_wndTidePortPane.GetSafeHwnd())
        m_wndTidePortPane.SetPortIndex(CurrentPortIndex());
    return 0;
}

void CMainFrame::ArrangePanes()
{
    QMainWindow* window = GetMainWindow();
    QDockWidget* port = m_wndTidePortPane.GetDockWidget();
    QDockWidget* curve = m_wndTideCurvePane.GetDockWidget();
    QDockWidget* points = m_wndTurningPointPane.GetDockWidget();
    QDockWidget* diamonds = m_wndTidalDiamondPane.GetDockWidget();
    if (!window || !port || !curve || !points || !diamonds)
        return;
    // The curve heads its column, above the tables it is read with; both columns start wide
    // enough for their tables' columns rather than the panes' first 200 pixels.
    window->splitDockWidget(curve, points, Qt::Vertical);
    window->splitDockWidget(points, diamonds, Qt::Vertical);
    constexpr int kLeftWidth = 380;
    constexpr int kRightWidth = 520;
    constexpr int kViewRoom = 300;
    if (window->width() < kLeftWidth + kRightWidth + kViewRoom)
        window->resize(kLeftWidth + kRightWidth + kViewRoom, std::max(window->height(), 860));
    window->resizeDocks({port, curve}, {kLeftWidth, kRightWidth}, Qt::Horizontal);
    window->resizeDocks({curve, points, diamonds}, {360, 260, 240}, Qt::Vertical);
}

CDockablePane* CMainFrame::GetPaneOfId(UINT nID)
{
    CDockablePane* const panes[] = {&m_wndTidePortPane,          &m_wndTidalDiamondPane, &m_wndMoonPane,
                                    &m_wndHarmonicConstantsPane, &m_wndTurningPointPane, &m_wndTideCurvePane};
    for (CDockablePane* pane : panes)
        if (pane->GetSafeHwnd() && static_cast<UINT>(pane->GetDlgCtrlID()) == nID)
            return pane;
    return nullptr;
}

bool CMainFrame::IsPaneShown(CDockablePane& pane) const
{
    return pane.GetSafeHwnd() && pane.IsVisible() && (pane.GetStyle() & WS_VISIBLE);
}

void CMainFrame::OnTogglePane(UINT nID)
{
    if (CDockablePane* pane = GetPaneOfId(nID))
        pane->ShowPane(IsPaneShown(*pane) ? FALSE : TRUE, FALSE, TRUE);
}

void CMainFrame::OnUpdateTogglePane(CCmdUI* pCmdUI)
{
    CDockablePane* pane = GetPaneOfId(pCmdUI->m_nID);
    pCmdUI->Enable(pane != nullptr);
    pCmdUI->SetCheck(pane && IsPaneShown(*pane) ? 1 : 0);
}

void CMainFrame::OnUpdateNeedsFactors(CCmdUI* pCmdUI)
{
    if (m_NP159.m_TidalFactors.IsEmpty())
    {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(0);
        return;
    }
    OnUpdateTogglePane(pCmdUI);
}

int CMainFrame::CurrentPortIndex() const
{
    const CArray<CTidalPort*>& ports = *m_NP159.m_pPorts;
    if (ports.IsEmpty())
        return -1;
    // The data set takes an index outside its list as its first port.
    const int index = m_NP159.m_nCurrentPort;
    return index < 0 || index >= ports.GetSize() ? 0 : index;
}

const CStandardPort* CMainFrame::CurrentStandardPort() const
{
    const int index = CurrentPortIndex();
    return index < 0 ? nullptr : m_StandardPortList.FindNumber(m_NP159.m_pPorts->GetAt(index)->m_strNumber);
}

void CMainFrame::OnPrintTideTable()
{
    m_wndTidePortPane.Print();
}

void CMainFrame::OnUpdatePrintTideTable(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CurrentStandardPort() != nullptr);
}

void CMainFrame::OnSetYear()
{
    CInputYear dialog(this, m_NP159.m_nYear);
    if (dialog.DoModal() != IDOK)
        return;
    const int year = dialog.m_nYear;
    m_NP159.Load(year);
    m_wndMoonPane.SetYear(year);
    m_wndHarmonicConstantsPane.SetYear(year);
    m_wndTidePortPane.InitPropList();
    const bool turningPoints = m_StandardPortList.Load(year);
    m_TidalDiamond.Link(m_StandardPortList);
    m_wndTurningPointPane.SetYear(year);
    // The diamonds' links and the curve follow the new year's ports.
    m_wndTidalDiamondPane.Refresh();
    if (m_wndTideCurvePane.GetSafeHwnd())
        m_wndTideCurvePane.SetPortIndex(m_NP159.m_nCurrentPort);

    m_Notice.Clear();
    NoteMissingData(turningPoints);
    m_Notice.AddProblems(m_NP159.GetLoadProblems());
    m_Notice.AddProblems(m_StandardPortList.GetLoadProblems());
    TellLoadProblems();
}

void CMainFrame::OnDiamondComputation()
{
    CTidalDiamondComputation dialog(this, &m_NP159, &m_TidalDiamond, &m_StandardPortList);
    dialog.DoModal();
}

void CMainFrame::OnTidalListing()
{
    CTidalListingDlg dialog(this, &m_NP159);
    dialog.DoModal();
}

void CMainFrame::SetNightMode(bool night)
{
    // The curve keeps its own colours.
    m_wndTidePortPane.SetNightMode(night);
    m_wndMoonPane.SetNightMode(night);
    m_wndHarmonicConstantsPane.SetNightMode(night);
    m_wndTidalDiamondPane.SetNightMode(night);
    m_wndTurningPointPane.SetNightMode(night);
}

void CMainFrame::OnDayMode()
{
    SetNightMode(false);
}

void CMainFrame::OnNightMode()
{
    SetNightMode(true);
}

void CMainFrame::OnUpdateDayMode(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndTidePortPane.GetNightMode() ? 0 : 1);
}

void CMainFrame::OnUpdateNightMode(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndTidePortPane.GetNightMode() ? 1 : 0);
}

void CMainFrame::OnUpdateStatusBar(CCmdUI* pCmdUI)
{
    // The frame has no status bar to show or hide.
    pCmdUI->Enable(FALSE);
}

void CMainFrame::OnContactDetails()
{
    DisplayCompanyContactDetails();
}

void CMainFrame::ShowCurvePane()
{
    if (m_wndTideCurvePane.GetSafeHwnd() && !IsPaneShown(m_wndTideCurvePane))
        OnTogglePane(ID_MAREVO_TIDE_CURVE);
}

LRESULT CMainFrame::OnTideCurve(WPARAM, LPARAM lParam)
{
    if (lParam == -1)
    {
        if (m_wndTideCurvePane.GetSafeHwnd())
            m_wndTideCurvePane.Invalidate(TRUE);
        ShowCurvePane();
        return 0;
    }
    // The data set would take an index outside its ports as its first port while the settings
    // kept the index: such an index changes nothing.
    if (lParam < 0 || lParam >= static_cast<LPARAM>(m_NP159.m_pPorts->GetSize()))
        return 0;
    const int index = static_cast<int>(lParam);
    m_wndTidePortPane.SetPortIndex(index);
    m_wndTideCurvePane.SetPortIndex(index);
    CConfigFile::WriteSettingsFile(kPortSettings,
                                   [index](CConfigFile& file) { file.WriteInt("Port Index", index); });
    ShowCurvePane();
    return 0;
}

void CMainFrame::OnClose()
{
    if (GetYN("Are you sure you wish to exit program", nullptr, 0x300020) != 6)
        return;
    CFrameWndEx::OnClose();
}
