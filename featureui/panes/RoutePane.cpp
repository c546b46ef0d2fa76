#include "featureui/panes/RoutePane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "featureui/dialogs/SelectFeatureFiles.h"
#include "features/FeatureTypes.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridChoiceItems.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/symbols/VectorSymbolProperty.h"
#include "platform/ui/Resources.h"

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_ROUTE_COMBO, IDC_ADD_ROUTE_FILE, IDC_REMOVE_ROUTE_FILE, IDC_PIPELINE_LIST,
                                     24};
constexpr double kDegreesPerRadian = 57.2957795131;

} // namespace

IMPLEMENT_DYNAMIC(CRoutePane, CFeaturePane)

CRoutePane::CRoutePane() : CFeaturePaneOf(kLayout) {}

CRoutePane::~CRoutePane() = default;

BOOL CRoutePane::Create(CWnd* pOwner, int nID, CRouteList* pRouteList)
{
    CString title;
    AfxLoadString(IDS_ROUTE_PROPERTIES, title);
    return CreatePane(pOwner, nID, title, [this, pRouteList] { m_pList = pRouteList; });
}

void CRoutePane::MakeCurrentFile(int nFile)
{
    MakeEditFileCurrent(nFile);
}

void CRoutePane::SetupComboBox()
{
    SetupComboWithEditSelection();
}

void CRoutePane::InitPropList()
{
    BeginPropList();
    const CRoute* route = GetSelectedFeature();
    if (route == nullptr)
    {
        ShowNoFiles();
        return;
    }
    m_wndPropList.RemoveAll();

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(route->m_Status),
                                                        "Determine whether to display Route File", ITEM_DISPLAY));
    properties->AddSubItem(MakeDataOrderItem(route->m_DataOrder, CRoute::m_DataOrderTxt, ROUTE_DATA_ORDER_COUNT,
                                             "Order of data within Pipeline File", ITEM_DATA_ORDER));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    const COLORREF lineColour = route->m_Pen.Colour;
    auto* line = new CMFCPropertyGridProperty("Line");
    line->AddSubItem(new CMFCPropertyGridPrimaryColourProperty("Colour", lineColour, 28,
                                                               "Specifies the pen colour of the Line", ITEM_LINE_COLOUR));
    line->AddSubItem(new CMFCPropertyGridLineThicknessProperty(route->m_Pen.nThickness, lineColour, ITEM_LINE_THICKNESS));
    m_wndPropList.AddProperty(line, TRUE, TRUE);

    auto* symbol = new CMFCPropertyGridProperty("Symbol");
    symbol->AddSubItem(new CMFCPropertyGridVectorSymbolProperty("Type", static_cast<short>(route->m_VectorSymbol), 26,
                                                                "Specifies the symbol at each point along the line",
                                                                ITEM_SYMBOL, lineColour));
    symbol->AddSubItem(new CMFCPropertyGridSymbolSizeProperty(route->m_SymbolSize, ITEM_SYMBOL_SIZE));
    m_wndPropList.AddProperty(symbol, TRUE, TRUE);

    auto* corridor = new CMFCPropertyGridProperty("Corridor");
    corridor->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(route->m_DisplayCorridor),
                                                      "Determine whether to display Corridor either side of route",
                                                      ITEM_CORRIDOR_DISPLAY));
    corridor->AddSubItem(new CMFCPropertyGridDouble("Port Width", route->m_PortWidth, "%7.1lfm",
                                                    "Width of Corridor either side of route ", ITEM_PORT_WIDTH));
    corridor->AddSubItem(new CMFCPropertyGridDouble("Starboard Width", route->m_StarboardWidth, "%7.1lfm",
                                                    "Width of Corridor either side of route ", ITEM_STARBOARD_WIDTH));
    corridor->AddSubItem(
        new CMFCPropertyGridFillStyleProperty(route->m_CorridorFill, route->m_CorridorColour, ITEM_CORRIDOR_FILL_STYLE));
    corridor->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
        "Colour", route->m_CorridorColour, 28, "Specifies the pen colour of the Corridor", ITEM_CORRIDOR_COLOUR));
    m_wndPropList.AddProperty(corridor, TRUE, TRUE);

    auto* label = new CMFCPropertyGridProperty("Label");
    label->AddSubItem(new CMFCPropertyGridLabelModeProperty(route->m_LabelMode, ITEM_LABEL_MODE));
    label->AddSubItem(new CMFCPropertyGridLabelPositionProperty(route->m_LabelPosition, ITEM_LABEL_POSITION));
    label->AddSubItem(new CMFCPropertyGridBool("Show Range & Bearing", route->m_ShowLegLabel,
                                               "Show Range and Bearing between two points on line",
                                               ITEM_RANGE_BEARING));
    m_wndPropList.AddProperty(label, TRUE, TRUE);
}

void CRoutePane::CreateTable()
{
    ClearTable();
    if (GetSelectedFeature() == nullptr)
        return;
    m_wndList.AddColumn("Name");
    m_wndList.AddColumn("Easting");
    m_wndList.AddColumn("Northing");
    m_wndList.AddColumn("Range");
    m_wndList.AddColumn("Bearing");
    UpdateAllPositions();
    AutoSizeColumns(&m_wndList, false);
}

void CRoutePane::UpdateAllPositions()
{
    CRoute* route = GetSelectedFeature();
    if (route == nullptr)
    {
        m_wndList.DeleteAllItems();
        return;
    }
    const int count = static_cast<int>(route->GetSize());
    // A file of positions only: its waypoints are named by number, in the route itself.
    if (route->m_DataOrder == ROUTE_ENG_NNG)
        for (int i = 0; i < count; ++i)
            route->ElementAt(i).Name.Format("WPT %d", i + 1);
    while (m_wndList.GetItemCount() > count)
        m_wndList.DeleteItem(m_wndList.GetItemCount() - 1);
    // Rows are overwritten where they exist, so the table does not flicker empty.
    for (int row = 0; row < count; ++row)
    {
        const RouteDef& point = route->GetAt(row);
        if (row < m_wndList.GetItemCount())
            m_wndList.SetItemText(row, 0, point.Name);
        else
            m_wndList.InsertItem(row, point.Name);
        CString text;
        text.Format("%.3lf", point.Position.x);
        m_wndList.SetItemText(row, 1, text);
        text.Format("%.3lf", point.Position.y);
        m_wndList.SetItemText(row, 2, text);
        text.Format("%.2lfm", point.Leg.Length);
        m_wndList.SetItemText(row, 3, text);
        text.Format("%.1lf\xB0", point.Leg.Bearing * kDegreesPerRadian);
        m_wndList.SetItemText(row, 4, text);
    }
}

void CRoutePane::OnRouteCombo()
{
    InitPropList();
    CreateTable();
    AdjustLayout();
}

template <class T> bool CRoutePane::StoreCorridorSetting(CRoute* pRoute, T& field, T value, bool bRecompute)
{
    if (field == value)
        return false;
    field = value;
    if (bRecompute)
        pRoute->ComputeCorridor();
    pRoute->CCorridor::Save(pRoute->m_Title);
    m_pList->m_Changed = 1;
    return true;
}

LRESULT CRoutePane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    CRoute* route = GetSelectedFeature();
    if (item == nullptr || route == nullptr)
        return 0;
    const COleVariant& value = item->GetValue();
    bool redraw = false;
    switch (item->GetData())
    {
    case ITEM_DISPLAY: redraw = StoreDisplay(route, IsOn(item)); break;
    case ITEM_DATA_ORDER:
        ChangeDataOrder(route, value.ToText(), CRoute::m_DataOrderTxt, ROUTE_DATA_ORDER_COUNT,
                        [route] { route->SaveDataOrder(); });
        break;
    case ITEM_LINE_COLOUR:
    {
        const COLORREF colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        redraw = StoreDrawingOption(route, route->m_Pen.Colour, static_cast<uint32_t>(colour));
        if (redraw)
        {
            RecolourSamples(item->GetParent(), colour);
            if (auto* symbol = dynamic_cast<CMFCPropertyGridVectorSymbolProperty*>(m_wndPropList.FindItemByData(ITEM_SYMBOL)))
                symbol->SetColour(colour);
        }
        break;
    }
    case ITEM_LINE_THICKNESS:
        redraw = StoreDrawingOption(route, route->m_Pen.nThickness,
                                    static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness());
        break;
    case ITEM_SYMBOL:
        redraw = StoreDrawingOption(
            route, route->m_VectorSymbol,
            static_cast<VECTOR_SYMBOL>(static_cast<CMFCPropertyGridVectorSymbolProperty*>(item)->GetSymbol()));
        break;
    case ITEM_SYMBOL_SIZE:
        redraw = StoreDrawingOption(route, route->m_SymbolSize, static_cast<SYMBOL_SIZE>(value.lVal));
        break;
    case ITEM_CORRIDOR_DISPLAY:
        // Saved and drawn even when it is the same: the corridor file may be missing.
        route->m_DisplayCorridor = IsOn(item);
        route->CCorridor::Save(route->m_Title);
        redraw = true;
        break;
    case ITEM_PORT_WIDTH: redraw = StoreCorridorSetting(route, route->m_PortWidth, value.dblVal, true); break;
    case ITEM_STARBOARD_WIDTH: redraw = StoreCorridorSetting(route, route->m_StarboardWidth, value.dblVal, true); break;
    case ITEM_CORRIDOR_FILL_STYLE:
        redraw = StoreCorridorSetting(route, route->m_CorridorFill,
                                      static_cast<CMFCPropertyGridFillStyleProperty*>(item)->GetFillStyle(), false);
        break;
    case ITEM_CORRIDOR_COLOUR:
    {
        const COLORREF colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        redraw = StoreCorridorSetting(route, route->m_CorridorColour, colour, false);
        if (redraw)
            RecolourSamples(item->GetParent(), colour);
        break;
    }
    case ITEM_LABEL_MODE:
    case ITEM_LABEL_POSITION:
    case ITEM_RANGE_BEARING:
        if (item->GetData() == ITEM_LABEL_MODE)
            route->m_LabelMode = static_cast<SYMBOL_LABEL_MODE>(value.lVal);
        else if (item->GetData() == ITEM_LABEL_POSITION)
            route->m_LabelPosition = static_cast<LABEL_POSITION>(value.lVal);
        else
            route->m_ShowLegLabel = value.boolVal == VARIANT_TRUE;
        route->Save();
        // The labels are drawing options: without these they would be lost at the next load.
        route->SaveDrawingOptions();
        m_pList->m_Changed = 1;
        redraw = true;
        break;
    default: break;
    }
    if (redraw)
        RedrawOwnerChart();
    return 0;
}

void CRoutePane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CStringArray names;
    if (!SelectFeatureFiles(this, "Route", &names, nullptr))
        return;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        if (!m_pList->AddFile(names[i]) && !IsLoaded(names[i]))
        {
            // Refused though not loaded: the file is there but gave no waypoint.
            WarnUnreadable(names[i]);
        }

    ShowAddedFiles();
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    PostToOwner(UM_FEATURE_UPDATE, FEATURE_ROUTE, 0);
}

void CRoutePane::OnRemove()
{
    const int file = DeleteSelectedFile();
    if (file < 0)
        return;
    FollowRemovedFile(file);
    m_pList->SaveFileList();

    ShowRemainingFiles(file);
    m_pList->SaveFileList();
    PostToOwner(UM_FEATURE_UPDATE, FEATURE_ROUTE, 0);
    RedrawOwnerChart();
}
