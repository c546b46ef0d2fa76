#include "featureui/panes/PipeRoutePane.h"

#include "featureui/panes/PaneGrid.h"

#include "features/Pipeline.h"
#include "features/RedrawChart.h"
#include "foundation/FilePath.h"
#include "foundation/MyListCtrl.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Resources.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

namespace
{
constexpr int kButtonHeight = 30;
constexpr UINT kGridID = 1;
constexpr double kDegreesPerRadian = 57.2957795131;
const char* const kFilter =
    "CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|Data Files (*.dat)|*.dat|All Files (*.*)|*.*||";

const STRINGTABLE_ENTRY kStrings[] = {
    {CPipeRoutePane::IDC_TABLE, "Pipeline List Control"},
};

// The pane's string joins the resource chain once; constructing a pane asks for it, which also
// keeps the table in a program that links the subsystem statically.
void RegisterPipeRouteStrings()
{
    static const bool registered = [] {
        AfxRegisterStringTable("Tolvar Pipe Route Pane", kStrings, sizeof kStrings / sizeof kStrings[0]);
        return true;
    }();
    (void)registered;
}

bool IsOn(const CMFCPropertyGridProperty* item)
{
    return item->GetValue().boolVal != 0;
}

CMFCPropertyGridProperty* MakeSwitch(const char* name, bool value, const char* description, DWORD_PTR id)
{
    return new CMFCPropertyGridProperty(name, COleVariant(value), description, id);
}
} // namespace

IMPLEMENT_DYNAMIC(CPipeRoutePane, CDockablePane)

BEGIN_MESSAGE_MAP(CPipeRoutePane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CPipeRoutePane::OnSettingChange)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CPipeRoutePane::OnPropertyChanged)
ON_BN_CLICKED(CPipeRoutePane::IDC_SELECT, &CPipeRoutePane::OnSelect)
ON_BN_CLICKED(CPipeRoutePane::IDC_CLEAR, &CPipeRoutePane::OnClear)
END_MESSAGE_MAP()

CPipeRoutePane::CPipeRoutePane()
{
    RegisterPipeRouteStrings();
}

CPipeRoutePane::~CPipeRoutePane()
{
    delete m_pSelectButton;
    delete m_pClearButton;
    m_pSelectButton = nullptr;
    m_pClearButton = nullptr;
    m_wndList.DestroyWindow();
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

BOOL CPipeRoutePane::Create(CWnd* pOwner, int nID, CPipeline* pPipeline)
{
    m_pPipeline = pPipeline;
    if (!CMyDockablePane::Create(pOwner, nID, "Pipe Route") || m_pClearButton == nullptr)
        return FALSE;
    InitPropList();
    CreateTable();
    AdjustLayout();
    return TRUE;
}

int CPipeRoutePane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect empty(0, 0, 0, 0);
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, empty, this, kGridID))
        return -1;
    m_wndList.CreateList(this, IDC_TABLE);

    const CRect buttonRect(0, 0, 100, 30);
    m_pSelectButton = new CColourButton;
    if (!m_pSelectButton->Create("Select", WS_CHILD | WS_VISIBLE, buttonRect, this, IDC_SELECT))
        return -1;
    m_pClearButton = new CColourButton;
    if (!m_pClearButton->Create("Clear", WS_CHILD | WS_VISIBLE, buttonRect, this, IDC_CLEAR))
        return -1;
    return 0;
}

// The columns keep the widths they were given when the pane is resized.
void CPipeRoutePane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CPipeRoutePane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CPipeRoutePane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CPipeRoutePane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pClearButton == nullptr || m_pClearButton->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;

    m_pSelectButton->SetWindowPos(nullptr, client.left, client.top, width / 2, kButtonHeight, flags);
    m_pClearButton->SetWindowPos(nullptr, client.left + width / 2, client.top, width / 2, kButtonHeight,
                                 flags);
    const int gridTop = client.top + kButtonHeight;
    const int gridHeight = GRID_ROWS * m_wndPropList.GetRowHeight();
    m_wndPropList.SetWindowPos(nullptr, client.left, gridTop, width, gridHeight, flags);

    const int tableTop = gridTop + gridHeight;
    if (tableTop < client.Height())
    {
        m_wndList.SetWindowPos(nullptr, client.left, tableTop, width, client.Height() - tableTop, flags);
        m_wndList.ShowWindow(SW_SHOW);
    }
    else
        m_wndList.ShowWindow(SW_HIDE);
}

void CPipeRoutePane::SetPropListFont()
{
    CreatePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
}

void CPipeRoutePane::SetDaylightMode()
{
    SetNightMode(false);
}

void CPipeRoutePane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
    if (m_wndList.GetSafeHwnd() != nullptr)
        m_wndList.SetNightMode(bNight);
}

void CPipeRoutePane::SetVSDotNetLook(BOOL bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet);
}

void CPipeRoutePane::InitPropList()
{
    SetPropListFont();
    ApplyGreyGridScheme(m_wndPropList);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
    m_wndPropList.RemoveAll();
    if (m_pPipeline == nullptr)
        return;
    const CPipeline& pipeline = *m_pPipeline;

    auto* file = new CMFCPropertyGridProperty("Pipe Route File");
    auto* name =
        new CMFCPropertyGridProperty("File Name", COleVariant(GetFileTitleFromPath(pipeline.m_FilePath)),
                                     "Name of Pipe Route File", ITEM_FILE_NAME);
    name->AllowEdit(FALSE);
    file->AddSubItem(name);
    m_wndPropList.AddProperty(file, TRUE, TRUE);

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(
        MakeSwitch("Display", pipeline.m_Use, "Determine whether to display Pipeline File", ITEM_DISPLAY));
    const int order = pipeline.m_DataOrder;
    auto* dataOrder = new CMFCPropertyGridProperty(
        "Data Order",
        COleVariant(order >= 0 && order < PIPELINE_DATA_ORDER_COUNT ? CPipeline::m_DataOrderTxt[order] : ""),
        "Order of data within Pipeline File", ITEM_DATA_ORDER);
    for (const char* text : CPipeline::m_DataOrderTxt)
        dataOrder->AddOption(text);
    dataOrder->AllowEdit(FALSE);
    properties->AddSubItem(dataOrder);
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    const COLORREF colour = pipeline.m_PipelinePen.Colour;
    auto* line = new CMFCPropertyGridProperty("Line");
    line->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
        "Colour", colour, 28, "Specifies the pen colour of the Line", ITEM_COLOUR));
    line->AddSubItem(new CMFCPropertyGridLineThicknessProperty(pipeline.m_PipelinePen.nThickness, colour,
                                                               ITEM_LINE_THICKNESS));
    m_wndPropList.AddProperty(line, TRUE, TRUE);

    auto* kp = new CMFCPropertyGridProperty("K.P.");
    kp->AddSubItem(new CMFCPropertyGridDouble("Start KP", pipeline.m_StartKP, "%7.3lf",
                                              "KP at the first co-ordinates ", ITEM_START_KP));
    kp->AddSubItem(MakeSwitch("Increasing KP", pipeline.m_IncreasingKPs, "Increasing or decreasing KPs",
                              ITEM_INCREASING_KP));
    kp->AddSubItem(MakeSwitch("Label KPs", pipeline.m_LabelKPs, "Label KPs along route on graphic display",
                              ITEM_LABEL_KPS));
    kp->AddSubItem(new CMFCPropertyGridDouble("KP Interval", pipeline.m_KPInterval, "%7.3lf",
                                              "Interval to label KPs ", ITEM_KP_INTERVAL));
    m_wndPropList.AddProperty(kp, TRUE, TRUE);
    AdjustStartKp();
}

void CPipeRoutePane::AdjustStartKp()
{
    const bool numbered = m_pPipeline != nullptr && m_pPipeline->m_DataOrder == PIPELINE_EASTING_NORTHING;
    for (DWORD_PTR id : {ITEM_START_KP, ITEM_INCREASING_KP})
        if (CMFCPropertyGridProperty* item = m_wndPropList.FindItemByData(id))
            item->Show(numbered ? TRUE : FALSE);
}

void CPipeRoutePane::CreateTable()
{
    m_wndList.DeleteAllItems();
    for (CHeaderCtrl* header = m_wndList.GetHeaderCtrl(); header != nullptr && header->GetItemCount() > 0;)
        if (!m_wndList.DeleteColumn(0))
            break;
    for (const char* heading : {"K.P.", "Easting", "Northing", "Range", "Bearing"})
        m_wndList.AddColumn(heading);
    UpdateAllPositions();
}

void CPipeRoutePane::UpdateAllPositions()
{
    m_wndList.DeleteAllItems();
    if (m_pPipeline != nullptr)
        for (INT_PTR i = 0; i < m_pPipeline->GetSize(); ++i)
        {
            const PipelineDef& point = m_pPipeline->GetAt(i);
            const int row = static_cast<int>(i);
            CString text;
            text.Format("%.6lf", point.KP);
            m_wndList.InsertItem(row, text);
            text.Format("%.3lf", point.Easting);
            m_wndList.SetItemText(row, 1, text);
            text.Format("%.3lf", point.Northing);
            m_wndList.SetItemText(row, 2, text);
            text.Format("%.2lfm", point.Length);
            m_wndList.SetItemText(row, 3, text);
            text.Format("%.1lf\xB0", point.Bearing * kDegreesPerRadian);
            m_wndList.SetItemText(row, 4, text);
        }
    AutoSizeColumns(&m_wndList, false);
}

LRESULT CPipeRoutePane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pPipeline == nullptr)
        return 0;
    CPipeline& pipeline = *m_pPipeline;
    switch (item->GetData())
    {
    case ITEM_DISPLAY:
        pipeline.m_Use = IsOn(item);
        pipeline.SaveSettings();
        break;
    case ITEM_DATA_ORDER: {
        const CString text = item->GetValue().ToText();
        for (int i = 0; i < PIPELINE_DATA_ORDER_COUNT; ++i)
            if (text == CPipeline::m_DataOrderTxt[i])
            {
                pipeline.m_DataOrder = i;
                pipeline.SaveSettings();
                ReloadPipeline();
                UpdateAllPositions();
                AdjustStartKp();
                break;
            }
        break;
    }
    case ITEM_COLOUR:
        pipeline.m_PipelinePen.Colour =
            static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        pipeline.SaveSettings();
        // The thickness sample is drawn in the line's colour.
        if (auto* thickness = dynamic_cast<CMFCPropertyGridSampleProperty*>(
                m_wndPropList.FindItemByData(ITEM_LINE_THICKNESS)))
            thickness->SetColour(pipeline.m_PipelinePen.Colour);
        break;
    case ITEM_LINE_THICKNESS:
        pipeline.m_PipelinePen.nThickness =
            static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness();
        pipeline.SaveSettings();
        break;
    case ITEM_START_KP:
    case ITEM_INCREASING_KP:
    case ITEM_KP_INTERVAL:
        if (item->GetData() == ITEM_START_KP)
            pipeline.m_StartKP = static_cast<CMFCPropertyGridDouble*>(item)->GetDouble();
        else if (item->GetData() == ITEM_INCREASING_KP)
            pipeline.m_IncreasingKPs = IsOn(item);
        else
            pipeline.m_KPInterval = static_cast<CMFCPropertyGridDouble*>(item)->GetDouble();
        pipeline.ComputeKps();
        pipeline.SaveSettings();
        UpdateAllPositions();
        break;
    case ITEM_LABEL_KPS:
        pipeline.m_LabelKPs = IsOn(item);
        pipeline.BuildKpListing();
        pipeline.SaveSettings();
        break;
    default:
        return 0;
    }
    RedrawChart(m_pOwner);
    return 0;
}

void CPipeRoutePane::ReloadPipeline()
{
    // Load takes the path it is given as the pipeline's own, so it gets a copy.
    const CString path = m_pPipeline->m_FilePath;
    m_pPipeline->Load(path);
}

void CPipeRoutePane::OnSelect()
{
    if (m_pPipeline == nullptr)
        return;
    CFileDialog dialog(TRUE, nullptr, "", OFN_HIDEREADONLY | OFN_EXPLORER, kFilter, this);
    dialog.m_ofn.lpstrTitle = "Pipe Route";
    if (dialog.DoModal() == IDOK)
    {
        CString path = dialog.GetPathName();
        path.Trim();
        if (!path.IsEmpty())
            m_pPipeline->Load(path);
    }
    ShowNewPipeline();
}

void CPipeRoutePane::OnClear()
{
    if (m_pPipeline == nullptr)
        return;
    m_pPipeline->RemoveAll();
    ShowNewPipeline();
}

void CPipeRoutePane::ShowNewPipeline()
{
    m_pPipeline->SaveActivePath();
    InitPropList();
    UpdateAllPositions();
    AdjustLayout();
    RedrawChart(m_pOwner);
}
