#include "featureui/panes/PipelinePane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "featureui/dialogs/SelectFeatureFiles.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/Resources.h"

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_PIPELINE_COMBO, IDC_ADD_PIPELINE_FILE, IDC_REMOVE_PIPELINE_FILE,
                                     IDC_PIPELINE_LIST, 20};
constexpr double kDegPerRadian = 57.2957795131;

} // namespace

IMPLEMENT_DYNAMIC(CPipelinePane, CFeaturePane)

BEGIN_MESSAGE_MAP(CPipelinePane, CFeaturePane)
ON_WM_TIMER()
END_MESSAGE_MAP()

CPipelinePane::CPipelinePane() : CFeaturePaneOf(kLayout) {}

CPipelinePane::~CPipelinePane() = default;

BOOL CPipelinePane::Create(CWnd* pOwner, int nID, CPipelineList* pPipelineList, bool bAlarm)
{
    m_pList = pPipelineList;
    m_bAlarm = bAlarm;
    CString title;
    AfxLoadString(IDS_PIPELINE_PROPERTIES, title);
    return CreatePane(pOwner, nID, title);
}

void CPipelinePane::SetupComboBox()
{
    FillComboBox();
}

void CPipelinePane::InitPropList()
{
    BeginPropList();
    const CPipeline* pipeline = GetSelectedFeature();
    if (pipeline == nullptr)
    {
        ShowNoFiles();
        return;
    }
    m_wndPropList.RemoveAll();

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(pipeline->m_Use),
                                                        "Determine whether to display Pipeline File", ITEM_DISPLAY));
    properties->AddSubItem(MakeDataOrderItem(pipeline->m_DataOrder, CPipeline::m_DataOrderTxt, PIPELINE_DATA_ORDER_COUNT,
                                             "Order of data within Pipeline File", ITEM_DATA_ORDER));
    properties->AddSubItem(new CMFCPropertyGridProperty("Diameter (Inches)", COleVariant(pipeline->m_Diameter),
                                                        "Enter the pipeline diameter in Inches", ITEM_DIAMETER));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    const COLORREF lineColour = pipeline->m_PipelinePen.Colour;
    auto* line = new CMFCPropertyGridProperty("Line");
    line->AddSubItem(new CMFCPropertyGridPrimaryColourProperty("Colour", lineColour, 28,
                                                               "Specifies the pen colour of the Line", ITEM_LINE_COLOUR));
    line->AddSubItem(
        new CMFCPropertyGridLineThicknessProperty(pipeline->m_PipelinePen.nThickness, lineColour, ITEM_LINE_THICKNESS));
    m_wndPropList.AddProperty(line, TRUE, TRUE);

    const COLORREF corridorColour = pipeline->m_CorridorPen.Colour;
    auto* corridor = new CMFCPropertyGridProperty("Corridor");
    corridor->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(pipeline->m_DisplayCorridor),
                                                      "Determine whether to display Corridor either side of route",
                                                      ITEM_CORRIDOR_DISPLAY));
    corridor->AddSubItem(new CMFCPropertyGridDouble("Port Width", pipeline->m_PortCorridor, "%7.1lfm",
                                                    "Width of Corridor either side of Pipeline ", ITEM_PORT_WIDTH));
    corridor->AddSubItem(new CMFCPropertyGridDouble("Starboard Width", pipeline->m_StarboardCorridor, "%7.1lfm",
                                                    "Width of Corridor either side of Pipeline ",
                                                    ITEM_STARBOARD_WIDTH));
    corridor->AddSubItem(
        new CMFCPropertyGridFillStyleProperty(pipeline->m_CorridorPen.nFill, corridorColour, ITEM_CORRIDOR_FILL_STYLE));
    corridor->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
        "Colour", corridorColour, 28, "Specifies the pen colour of the Corridor", ITEM_CORRIDOR_COLOUR));
    m_wndPropList.AddProperty(corridor, TRUE, TRUE);

    if (!m_bAlarm)
        return;
    // Asked at every rebuild, so each rebuild starts locked while a password exists.
    const bool locked = CMFCPropertyGridPasswordProperty::IsPasswordPresent();
    auto* alarm = new CMFCPropertyGridProperty("Anchor Cable Alarm");
    auto* clearance = new CMFCPropertyGridDouble("Clearance", pipeline->m_Clearance, "%7.1lfm",
                                                 "WARNING if cable gets close than this distance", ITEM_CLEARANCE);
    clearance->SetLock(locked);
    alarm->AddSubItem(clearance);
    auto* tolerance =
        new CMFCPropertyGridDouble("Tolerance", pipeline->m_Tolerance, "%7.1lfm",
                                   "ERROR if cable gets close than clearance + Tolerance distance", ITEM_TOLERANCE);
    tolerance->SetLock(locked);
    alarm->AddSubItem(tolerance);
    m_wndPropList.AddProperty(alarm, TRUE, TRUE);
    if (locked)
        m_wndPropList.AddProperty(new CMFCPropertyGridPasswordProperty(ITEM_PASSWORD), TRUE, TRUE);
}

void CPipelinePane::CreateTable()
{
    ClearTable();
    const CPipeline* pipeline = GetSelectedFeature();
    if (pipeline == nullptr)
        return;
    if (pipeline->m_DataOrder != PIPELINE_EASTING_NORTHING)
        m_wndList.AddColumn("K.P.");
    m_wndList.AddColumn("Easting");
    m_wndList.AddColumn("Northing");
    m_wndList.AddColumn("Range");
    m_wndList.AddColumn("Bearing");
    UpdateAllPositions();
}

void CPipelinePane::UpdateAllPositions()
{
    m_wndList.DeleteAllItems();
    const CPipeline* pipeline = GetSelectedFeature();
    if (pipeline == nullptr)
        return;
    const bool kp = pipeline->m_DataOrder != PIPELINE_EASTING_NORTHING;
    for (INT_PTR i = 0; i < pipeline->GetSize(); ++i)
    {
        const PipelineDef& point = pipeline->GetAt(i);
        const int row = static_cast<int>(i);
        CString text;
        int column = 0;
        if (kp)
        {
            text.Format("%.6lf", point.KP);
            m_wndList.InsertItem(row, text);
            ++column;
        }
        text.Format("%.3lf", point.Easting);
        if (kp)
            m_wndList.SetItemText(row, column, text);
        else
            m_wndList.InsertItem(row, text);
        text.Format("%.3lf", point.Northing);
        m_wndList.SetItemText(row, column + 1, text);
        text.Format("%.2lfm", point.Length);
        m_wndList.SetItemText(row, column + 2, text);
        text.Format("%.1lf\xB0", point.Bearing * kDegPerRadian);
        m_wndList.SetItemText(row, column + 3, text);
    }
    AutoSizeColumns(&m_wndList, false);
}

void CPipelinePane::OnPipelineCombo()
{
    InitPropList();
    CreateTable();
    AdjustLayout();
}

LRESULT CPipelinePane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    CPipeline* pipeline = GetSelectedFeature();
    if (item == nullptr || pipeline == nullptr)
        return 0;
    const COleVariant& value = item->GetValue();
    // Every change is kept; what is drawn is redrawn, what feeds the cable computation is
    // recomputed.
    bool redraw = true;
    bool recompute = false;
    switch (item->GetData())
    {
    case ITEM_DISPLAY: pipeline->m_Use = IsOn(item); break;
    case ITEM_DATA_ORDER:
        ChangeDataOrder(pipeline, value.ToText(), CPipeline::m_DataOrderTxt, PIPELINE_DATA_ORDER_COUNT,
                        [pipeline] { pipeline->SaveSettings(); });
        return 0;
    case ITEM_DIAMETER:
        pipeline->m_Diameter = static_cast<int16_t>(value.ToLong());
        redraw = false;
        recompute = true;
        break;
    case ITEM_LINE_COLOUR:
        pipeline->m_PipelinePen.Colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        RecolourSamples(item->GetParent(), pipeline->m_PipelinePen.Colour);
        break;
    case ITEM_LINE_THICKNESS:
        pipeline->m_PipelinePen.nThickness = static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness();
        break;
    case ITEM_CORRIDOR_DISPLAY: pipeline->m_DisplayCorridor = IsOn(item); break;
    case ITEM_PORT_WIDTH:
        pipeline->m_PortCorridor = value.dblVal;
        pipeline->ComputeCorridor();
        break;
    case ITEM_STARBOARD_WIDTH:
        pipeline->m_StarboardCorridor = value.dblVal;
        pipeline->ComputeCorridor();
        break;
    case ITEM_CORRIDOR_FILL_STYLE:
        pipeline->m_CorridorPen.nFill = static_cast<CMFCPropertyGridFillStyleProperty*>(item)->GetFillStyle();
        break;
    case ITEM_CORRIDOR_COLOUR:
        pipeline->m_CorridorPen.Colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        RecolourSamples(item->GetParent(), pipeline->m_CorridorPen.Colour);
        break;
    case ITEM_CLEARANCE:
        pipeline->m_Clearance = value.dblVal;
        redraw = false;
        recompute = true;
        break;
    case ITEM_TOLERANCE:
        pipeline->m_Tolerance = value.dblVal;
        redraw = false;
        recompute = true;
        break;
    case ITEM_PASSWORD: UnlockWithPassword(item, {ITEM_CLEARANCE, ITEM_TOLERANCE}, UNLOCK_PERIOD); return 0;
    default: return 0;
    }
    pipeline->SaveSettings();
    if (redraw)
        RedrawOwnerChart();
    if (recompute)
        PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    return 0;
}

void CPipelinePane::OnTimer(UINT_PTR)
{
    LockItems({ITEM_CLEARANCE, ITEM_TOLERANCE}, true);
    KillTimer(UNLOCK_TIMER);
}

void CPipelinePane::AnnounceListChange()
{
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
}

void CPipelinePane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CStringArray names;
    if (!SelectFeatureFiles(this, "Pipeline", &names, nullptr))
        return;
    LoadNewFiles(names);

    ShowAddedFiles();
    m_pList->SaveFileList();
    AnnounceListChange();
}

void CPipelinePane::OnRemove()
{
    const int file = DeleteSelectedFile();
    if (file < 0)
        return;
    m_pList->SaveFileList();

    ShowRemainingFiles(file);
    m_pList->SaveFileList();
    AnnounceListChange();
}
