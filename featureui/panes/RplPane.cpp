#include "featureui/panes/RplPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/FileDialog.h"

#include <algorithm>

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_RPL_COMBO, IDC_ADD_RPL_FILE, IDC_REMOVE_RPL_FILE, IDC_RPL_LIST, 20};
const char* const kFilter =
    "RPL Files (*.csv)|*.csv|Evia RLX Files (*.rlx)|*.rlx|Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr int kGreyScheme = 1;

CString Format(const char* format, double value)
{
    CString text;
    text.Format(format, value);
    return text;
}
} // namespace

IMPLEMENT_DYNAMIC(CRPLPane, CFeaturePane)

CRPLPane::CRPLPane() : CFeaturePaneOf(kLayout) {}

CRPLPane::~CRPLPane()
{
    m_Table.DestroyWindow();
}

BOOL CRPLPane::Create(CWnd* pOwner, int nID, CRPLList* pRplList)
{
    m_pOwner = pOwner;
    m_pList = pRplList;
    if (!CMyDockablePane::Create(pOwner, nID, "RPL"))
        return FALSE;
    if (m_pCombo == nullptr)
        return TRUE;
    SetupComboBox();
    AdjustLayout();
    return TRUE;
}

BOOL CRPLPane::CreateTableCtrl()
{
    if (!m_Table.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 100, 100), this,
                        IDC_RPL_LIST))
        return FALSE;
    m_Table.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    m_Table.SetColourScheme(kGreyScheme);
    return TRUE;
}

void CRPLPane::SetTableNightMode(bool bNight)
{
    m_Table.m_bNight = bNight;
    m_Table.SetColourScheme(kGreyScheme);
}

int CRPLPane::GetCurrentFile() const
{
    return m_nCurrent >= 0 && m_nCurrent < GetFileCount() ? m_nCurrent : -1;
}

void CRPLPane::SetupComboBox()
{
    if (m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
        return;
    FillComboBox();
    // The first file, whatever was chosen before.
    if (GetFileCount() > 0)
        InitPropList(GetFilePath(0), false);
    else
        InitPropList("", false);
    CreateTable();
    AdjustLayout();
}

void CRPLPane::InitPropList()
{
    const int file = GetCurrentFile();
    InitPropList(file >= 0 ? GetFilePath(file).GetString() : "", true);
}

void CRPLPane::InitPropList(const char* lpszPath, bool bForce)
{
    BeginPropList();
    const CString path(lpszPath != nullptr ? lpszPath : "");
    if (path.IsEmpty())
    {
        m_strGridFile.Empty();
        ShowNoFiles();
        return;
    }
    // The file the grid is for becomes the current one, so that the table and every change
    // follow the file the user sees.
    int file = 0;
    for (INT_PTR i = 0; i < GetFileCount(); ++i)
        if (GetFilePath(static_cast<int>(i)).CompareNoCase(path) == 0)
        {
            file = static_cast<int>(i);
            break;
        }
    if (GetFileCount() > 0)
    {
        m_nCurrent = file;
        m_pCombo->SetCurSel(file);
    }
    if (!bForce && path.CompareNoCase(m_strGridFile) == 0)
        return;
    m_strGridFile = path;
    m_wndPropList.RemoveAll();
    if (GetFileCount() == 0)
        return;
    const CRPL* rpl = m_pList->GetAt(file);

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(rpl->m_Use),
                                                        "Determine whether to display RPL File", ITEM_DISPLAY));
    properties->AddSubItem(new CMFCPropertyGridProperty("Diameter (Inches)", COleVariant(rpl->m_Diameter),
                                                        "Enter the RPL diameter in Inches", ITEM_DIAMETER));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    const COLORREF lineColour = rpl->m_PipelinePen.Colour;
    auto* line = new CMFCPropertyGridProperty("Line");
    line->AddSubItem(new CMFCPropertyGridPrimaryColourProperty("Colour", lineColour, 28,
                                                               "Specifies the pen colour of the Line", ITEM_LINE_COLOUR));
    line->AddSubItem(
        new CMFCPropertyGridLineThicknessProperty(rpl->m_PipelinePen.nThickness, lineColour, ITEM_LINE_THICKNESS));
    m_wndPropList.AddProperty(line, TRUE, TRUE);

    const COLORREF corridorColour = rpl->m_CorridorPen.Colour;
    auto* corridor = new CMFCPropertyGridProperty("Corridor");
    corridor->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(rpl->m_DisplayCorridor),
                                                      "Determine whether to display Corridor either side of route",
                                                      ITEM_CORRIDOR_DISPLAY));
    corridor->AddSubItem(new CMFCPropertyGridDouble("Port Width", rpl->m_PortCorridor, "%7.1lfm",
                                                    "Width of Corridor either side of RPL ", ITEM_PORT_WIDTH));
    corridor->AddSubItem(new CMFCPropertyGridDouble("Starboard Width", rpl->m_StarboardCorridor, "%7.1lfm",
                                                    "Width of Corridor either side of RPL ", ITEM_STARBOARD_WIDTH));
    corridor->AddSubItem(
        new CMFCPropertyGridFillStyleProperty(rpl->m_CorridorPen.nFill, corridorColour, ITEM_CORRIDOR_FILL_STYLE));
    corridor->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
        "Colour", corridorColour, 28, "Specifies the pen colour of the Corridor", ITEM_CORRIDOR_COLOUR));
    m_wndPropList.AddProperty(corridor, TRUE, TRUE);

    // Never locked in this pane.
    auto* alarm = new CMFCPropertyGridProperty("Anchor Cable Alarm");
    alarm->AddSubItem(new CMFCPropertyGridDouble("Clearance", rpl->m_Clearance, "%7.1lfm",
                                                 "WARNING if cable gets close than this distance", ITEM_CLEARANCE));
    alarm->AddSubItem(new CMFCPropertyGridDouble("Tolerance", rpl->m_Tolerance, "%7.1lfm",
                                                 "ERROR if cable gets close than clearance + Tolerance distance",
                                                 ITEM_TOLERANCE));
    m_wndPropList.AddProperty(alarm, TRUE, TRUE);
}

void CRPLPane::OnRPLCombo()
{
    const int selected = m_pCombo->GetCurSel();
    if (selected == m_nCurrent || m_nCurrent >= GetFileCount() || selected < 0 || selected >= GetFileCount())
        return;
    m_nCurrent = selected;
    InitPropList(GetFilePath(selected), false);
    CreateTable();
    AdjustLayout();
}

void CRPLPane::CreateTable()
{
    ClearTable();
    if (GetCurrentFile() < 0)
        return;
    for (const char* heading : {"Point", "KP (km)", "Easting (m)", "Northing (m)", "Radius (m)", "Direction"})
        m_Table.AddColumn(heading, LVCFMT_LEFT);
    UpdateAllPositions();
}

void CRPLPane::UpdateAllPositions()
{
    m_Table.DeleteAllItems();
    const int file = GetCurrentFile();
    if (file < 0)
        return;
    const CRPL& rpl = *m_pList->GetAt(file);
    const int n = static_cast<int>(rpl.GetSize());
    auto addRow = [this](const CString& label, const CString& kp, double easting, double northing) {
        const int row = m_Table.InsertItem(m_Table.GetItemCount(), label);
        m_Table.SetItemText(row, 1, kp);
        m_Table.SetItemText(row, 2, Format("%.2lf", easting));
        m_Table.SetItemText(row, 3, Format("%.2lf", northing));
        return row;
    };
    int tangent = 0;
    for (int i = 0; i < n; ++i)
    {
        const RPLDef& record = rpl.GetAt(i);
        const bool inner = i > 0 && i < n - 1;
        CString label;
        if (inner)
        {
            label.Format("TP %d", ++tangent);
            addRow(label, Format("%.3lf", record.KPArcStart), record.ArcStartE, record.ArcStartN);
        }
        if (i == 0)
            label = "Start";
        else if (i == n - 1)
            label = "End";
        else
            label.Format("IP %d", i);
        addRow(label, inner ? CString() : Format("%.3lf", record.KP), record.Easting, record.Northing);
        if (inner)
        {
            label.Format("CP %d", i);
            const int row = addRow(label, CString(), record.CentreE, record.CentreN);
            m_Table.SetItemText(row, 4, Format("%.0lf", record.Radius));
            m_Table.SetItemText(row, 5, record.TurnSide == 1 ? "Clockwise" : "Anti-Clockwise");
            label.Format("TP %d", ++tangent);
            addRow(label, Format("%.3lf", record.KPArcEnd), record.ArcEndE, record.ArcEndN);
        }
    }
    AutoSizeColumns(&m_Table, false);
}

LRESULT CRPLPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    const int file = GetCurrentFile();
    if (item == nullptr || file < 0)
        return 0;
    CRPL* rpl = m_pList->GetAt(file);
    const COleVariant& value = item->GetValue();
    // Every change is stored and saved; what is drawn is redrawn, what feeds the cable
    // computation is recomputed.
    bool recompute = false;
    switch (item->GetData())
    {
    case ITEM_DISPLAY: rpl->m_Use = IsOn(item); break;
    case ITEM_DIAMETER:
        rpl->m_Diameter = static_cast<int16_t>(value.ToLong());
        recompute = true;
        break;
    case ITEM_LINE_COLOUR:
        rpl->m_PipelinePen.Colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        RecolourSamples(item->GetParent(), rpl->m_PipelinePen.Colour);
        break;
    case ITEM_LINE_THICKNESS:
        rpl->m_PipelinePen.nThickness = static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness();
        break;
    case ITEM_CORRIDOR_DISPLAY: rpl->m_DisplayCorridor = IsOn(item); break;
    case ITEM_PORT_WIDTH: rpl->m_PortCorridor = value.dblVal; break;
    case ITEM_STARBOARD_WIDTH: rpl->m_StarboardCorridor = value.dblVal; break;
    case ITEM_CORRIDOR_FILL_STYLE:
        rpl->m_CorridorPen.nFill = static_cast<CMFCPropertyGridFillStyleProperty*>(item)->GetFillStyle();
        break;
    case ITEM_CORRIDOR_COLOUR:
        rpl->m_CorridorPen.Colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        RecolourSamples(item->GetParent(), rpl->m_CorridorPen.Colour);
        break;
    case ITEM_CLEARANCE:
        rpl->m_Clearance = value.dblVal;
        recompute = true;
        break;
    case ITEM_TOLERANCE:
        rpl->m_Tolerance = value.dblVal;
        recompute = true;
        break;
    default: return 0;
    }
    rpl->SaveSettings();
    if (recompute)
        PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    else
        RedrawOwnerChart();
    return 0;
}

void CRPLPane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CFileDialog dialog(TRUE, "csv", nullptr, OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, kFilter, this, 0,
                       TRUE);
    dialog.m_ofn.lpstrTitle = "RPL Files....";
    if (dialog.DoModal() != IDOK)
        return;
    CStringArray names;
    bool named = false;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr;)
    {
        CString path = dialog.GetNextPathName(pos);
        path.Trim();
        named = named || !path.IsEmpty();
        names.Add(path);
    }
    if (!named)
    {
        WarningMessage("Requires a file name", nullptr, 0x300030);
        return;
    }
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        if (names[i].IsEmpty() || IsLoaded(names[i]))
            continue;
        auto* rpl = new CRPL;
        if (rpl->Load(names[i]))
        {
            m_pList->Add(rpl);
            m_pList->SaveFileList();
        }
        else
            delete rpl;
    }

    SetupComboBox();
    InitPropList(names[names.GetSize() - 1], true);
    CreateTable();
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
}

void CRPLPane::OnRemove()
{
    if (DeleteSelectedFile() < 0)
        return;
    m_pList->SaveFileList();
    m_nCurrent = std::max(0, std::min(m_nCurrent, static_cast<int>(GetFileCount()) - 1));
    SetupComboBox();
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
}
