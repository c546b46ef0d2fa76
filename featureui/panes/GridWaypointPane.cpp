#include "featureui/panes/GridWaypointPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/dialogs/SelectFeatureFiles.h"
#include "features/FeatureTypes.h"
#include "features/GridWaypointList.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridChoiceItems.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/symbols/VectorSymbolProperty.h"
#include "platform/ui/MessageBox.h"

namespace
{
const FEATURE_PANE_LAYOUT kWaypointLayout = {IDC_MARKER_COMBO, IDC_ADD_MARKER_FILE, IDC_REMOVE_MARKER_FILE, IDC_MARKER_LIST,
                                     20};
constexpr double kMetresPerNauticalMile = 1852.0;

CString Format3(double value)
{
    CString text;
    text.Format("%.3lf", value);
    return text;
}
} // namespace

IMPLEMENT_DYNAMIC(CGridWaypointPane, CFeaturePane)

BEGIN_MESSAGE_MAP(CGridWaypointPane, CFeaturePane)
ON_WM_TIMER()
END_MESSAGE_MAP()

CGridWaypointPane::CGridWaypointPane() : CFeaturePaneOf(kWaypointLayout) {}

CGridWaypointPane::~CGridWaypointPane() = default;

BOOL CGridWaypointPane::Create(CWnd* pOwner, int nID, const char* lpszTitle, CGridWaypointList* pWaypointList,
                               bool bAlarm)
{
    m_pList = pWaypointList;
    m_bAlarm = bAlarm;
    return CreatePane(pOwner, nID, lpszTitle != nullptr ? lpszTitle : "");
}

void CGridWaypointPane::MakeCurrentFile(int nFile)
{
    const int point = m_pList->m_EditPointIndex;
    m_pList->m_EditFileIndex = static_cast<int16_t>(nFile);
    if (point < 0 || point >= m_pList->GetAt(nFile)->GetSize())
        m_pList->m_EditPointIndex = -1;
}

void CGridWaypointPane::SetupComboBox()
{
    FillComboBox();
    if (m_pList == nullptr)
        return;
    // An empty list has no current file: an index 0 there would point the chart past the end.
    if (GetFileCount() == 0)
    {
        m_pList->ResetEditState();
        return;
    }
    m_pList->m_EditFileIndex = static_cast<int16_t>(m_pCombo->GetCurSel());
    m_pList->m_EditPointIndex = 0;
}

void CGridWaypointPane::InitPropList()
{
    BeginPropList();
    const int file = GetSelectedFile();
    if (file < 0)
    {
        ShowNoFiles();
        return;
    }
    m_wndPropList.RemoveAll();
    const CGridWaypoint* waypoints = m_pList->GetAt(file);

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(waypoints->m_Use),
                                                        "Determine whether to display Waypoint File", ITEM_DISPLAY));
    properties->AddSubItem(MakeDataOrderItem(waypoints->m_DataOrder, CGridWaypoint::m_DataOrderTxt, GWP_DATA_ORDER_COUNT,
                                             "Order of data within Waypoint File", ITEM_DATA_ORDER));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    auto* waypoint = new CMFCPropertyGridProperty("Waypoint");
    waypoint->AddSubItem(new CMFCPropertyGridVectorSymbolProperty(
        "Symbol", waypoints->m_Symbol, 13, "Select Symbol for Obstruction", ITEM_SYMBOL, waypoints->m_Colour));
    waypoint->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
        "Colour", waypoints->m_Colour, 28, "Specifies the pen colour of the Waypoint", ITEM_COLOUR));
    waypoint->AddSubItem(new CMFCPropertyGridSymbolSizeProperty(waypoints->m_Size, ITEM_SYMBOL_SIZE));
    waypoint->AddSubItem(new CMFCPropertyGridLabelModeProperty(waypoints->m_LabelMode, ITEM_LABEL_MODE));
    waypoint->AddSubItem(new CMFCPropertyGridLabelPositionProperty(waypoints->m_LabelPosition, ITEM_LABEL_POSITION));
    m_wndPropList.AddProperty(waypoint, TRUE, TRUE);

    if (!m_bAlarm)
    {
        auto* rings = new CMFCPropertyGridProperty("Rings");
        rings->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(waypoints->m_DrawRings),
                                                       "Determine whether to display ring(s) around the waypoint",
                                                       ITEM_RINGS_DISPLAY));
        auto* number = new CMFCPropertyGridInteger("Number of Rings", waypoints->m_NoRings,
                                                   "Number of Range rings to display", ITEM_NUMBER_OF_RINGS);
        number->EnableSpinControl(TRUE, 0, 25);
        rings->AddSubItem(number);
        rings->AddSubItem(new CMFCPropertyGridDouble("Ring Size", waypoints->m_RingSizeMetres, "%4.0lfm",
                                                     "Ring size in metres", ITEM_RING_SIZE));
        rings->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
            "Ring Colour", waypoints->m_RingColour, 28, "Specifies the pen color of the range rings", ITEM_RING_COLOUR));
        m_wndPropList.AddProperty(rings, TRUE, TRUE);
        return;
    }

    // Asked at every rebuild, so each rebuild starts locked while a password exists.
    const bool locked = CMFCPropertyGridPasswordProperty::IsPasswordPresent();
    auto* alarm = new CMFCPropertyGridProperty("Anchor Cable Alarm");
    auto* clearance = new CMFCPropertyGridDouble("Clearance", waypoints->m_Clearance, "%7.1lfm",
                                                 "WARNING if cable gets close than this distance", ITEM_CLEARANCE);
    clearance->SetLock(locked);
    alarm->AddSubItem(clearance);
    auto* tolerance = new CMFCPropertyGridDouble(
        "Tolerance", waypoints->m_Tolerance, "%7.1lfm",
        "Default Tolerance by default it uses the Radius attached to the obstruction ERROR if cable gets close than "
        "clearance + tolerance distance",
        ITEM_TOLERANCE);
    tolerance->SetLock(locked);
    alarm->AddSubItem(tolerance);
    alarm->AddSubItem(new CMFCPropertyGridBool("Draw Tolerance Circle", waypoints->m_DrawRings, "Add Label to Display",
                                               ITEM_DRAW_TOLERANCE_CIRCLE));
    if (locked)
        alarm->AddSubItem(new CMFCPropertyGridPasswordProperty(ITEM_PASSWORD));
    m_wndPropList.AddProperty(alarm, TRUE, TRUE);
}

void CGridWaypointPane::CreateTable()
{
    ClearTable();
    const int file = GetSelectedFile();
    if (file < 0)
        return;
    const int order = m_pList->GetAt(file)->m_DataOrder;
    m_wndList.AddColumn("Name");
    m_wndList.AddColumn("Easting");
    m_wndList.AddColumn("Northing");
    if (CGridWaypoint::HasHeight(order))
        m_wndList.AddColumn("Ht");
    if (CGridWaypoint::HasRadius(order))
        m_wndList.AddColumn("Radius");
    UpdateAllPositions();
    AutoSizeColumns(&m_wndList, false);
}

void CGridWaypointPane::UpdateAllPositions()
{
    const int file = GetSelectedFile();
    if (file < 0)
    {
        m_wndList.DeleteAllItems();
        return;
    }
    CGridWaypoint* waypoints = m_pList->GetAt(file);
    waypoints->AssignDefaultNames();
    const int count = static_cast<int>(waypoints->GetSize());
    while (m_wndList.GetItemCount() > count)
        m_wndList.DeleteItem(m_wndList.GetItemCount() - 1);
    const bool height = CGridWaypoint::HasHeight(waypoints->m_DataOrder);
    const bool radius = CGridWaypoint::HasRadius(waypoints->m_DataOrder);
    // Rows are overwritten where they exist, so the table does not flicker empty.
    for (int row = 0; row < count; ++row)
    {
        const GridWaypointDef& point = waypoints->GetAt(row);
        if (row < m_wndList.GetItemCount())
            m_wndList.SetItemText(row, 0, point.Name);
        else
            m_wndList.InsertItem(row, point.Name);
        m_wndList.SetItemText(row, 1, Format3(point.Easting));
        m_wndList.SetItemText(row, 2, Format3(point.Northing));
        int column = 3;
        if (height)
            m_wndList.SetItemText(row, column++, Format3(point.Height));
        if (radius)
            m_wndList.SetItemText(row, column, Format3(point.Radius));
    }
}

void CGridWaypointPane::OnWaypointCombo()
{
    InitPropList();
    CreateTable();
    AdjustLayout();
}

LRESULT CGridWaypointPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    const int file = GetSelectedFile();
    if (item == nullptr || file < 0)
        return 0;
    CGridWaypoint* waypoints = m_pList->GetAt(file);
    const COleVariant& value = item->GetValue();
    // Most changes are saved and drawn; the alarm values feed the cable computation instead.
    bool redraw = true;
    bool recompute = false;
    switch (item->GetData())
    {
    case ITEM_DISPLAY: waypoints->m_Use = IsOn(item); break;
    case ITEM_DATA_ORDER:
        ChangeDataOrder(waypoints, value.ToText(), CGridWaypoint::m_DataOrderTxt, GWP_DATA_ORDER_COUNT,
                        [waypoints] { waypoints->SaveSettings(); });
        return 0;
    case ITEM_SYMBOL: waypoints->m_Symbol = static_cast<CMFCPropertyGridVectorSymbolProperty*>(item)->GetSymbol(); break;
    case ITEM_COLOUR:
        waypoints->m_Colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        if (auto* symbol = dynamic_cast<CMFCPropertyGridVectorSymbolProperty*>(m_wndPropList.FindItemByData(ITEM_SYMBOL)))
            symbol->SetColour(waypoints->m_Colour);
        break;
    case ITEM_SYMBOL_SIZE: waypoints->m_Size = static_cast<SYMBOL_SIZE>(value.lVal); break;
    case ITEM_LABEL_MODE: waypoints->m_LabelMode = static_cast<SYMBOL_LABEL_MODE>(value.lVal); break;
    case ITEM_LABEL_POSITION: waypoints->m_LabelPosition = static_cast<LABEL_POSITION>(value.lVal); break;
    case ITEM_RINGS_DISPLAY:
    case ITEM_DRAW_TOLERANCE_CIRCLE: waypoints->m_DrawRings = IsOn(item); break;
    case ITEM_NUMBER_OF_RINGS:
        waypoints->m_NoRings = static_cast<int16_t>(static_cast<CMFCPropertyGridInteger*>(item)->GetInteger());
        break;
    case ITEM_RING_SIZE:
        waypoints->m_RingSizeMetres = value.dblVal;
        waypoints->m_RingSizeNM = value.dblVal / kMetresPerNauticalMile;
        waypoints->m_Tolerance = 0.0;
        break;
    case ITEM_RING_COLOUR:
        waypoints->m_RingColour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        break;
    case ITEM_CLEARANCE:
        waypoints->m_Clearance = value.dblVal;
        redraw = false;
        recompute = true;
        break;
    case ITEM_TOLERANCE:
        waypoints->m_Tolerance = value.dblVal;
        recompute = true;
        break;
    case ITEM_PASSWORD: UnlockWithPassword(item, {ITEM_CLEARANCE, ITEM_TOLERANCE}, UNLOCK_PERIOD); return 0;
    default: return 0;
    }
    waypoints->SaveSettings();
    if (recompute)
        PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    if (redraw)
        RedrawOwnerChart();
    return 0;
}

void CGridWaypointPane::OnTimer(UINT_PTR)
{
    if (m_bAlarm)
        LockItems({ITEM_CLEARANCE, ITEM_TOLERANCE}, true);
    KillTimer(UNLOCK_TIMER);
}

void CGridWaypointPane::AnnounceListChange()
{
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    PostToOwner(UM_FEATURE_UPDATE, FEATURE_WAYPOINT, 0);
}

void CGridWaypointPane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CStringArray names;
    if (!SelectFeatureFiles(this, "Waypoint", &names, nullptr))
        return;
    LoadNewFiles(names);
    for (INT_PTR k = 0; k < m_pList->GetSize(); ++k)
    {
        CGridWaypoint* waypoints = m_pList->GetAt(k);
        waypoints->m_ZuduzuroMode = m_bAlarm;
        waypoints->SaveSettings();
    }

    ShowAddedFiles();
    m_pList->SaveFileList();
    AnnounceListChange();
}

void CGridWaypointPane::OnRemove()
{
    const int file = DeleteSelectedFile();
    if (file < 0)
        return;
    m_pList->SaveFileList();

    ShowRemainingFiles(file);
    m_pList->SaveFileList();
    AnnounceListChange();
}
