#include "featureui/panes/SailLinePane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "featureui/dialogs/SelectFeatureFiles.h"
#include "features/FeatureTypes.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/FileApi.h"
#include "platform/ui/Resources.h"

namespace
{
const FEATURE_PANE_LAYOUT kSailLineLayout = {IDC_SAIL_LINE_COMBO, IDC_ADD_SAIL_LINE_FILE, IDC_REMOVE_SAIL_LINE_FILE,
                                     IDC_PIPELINE_LIST, 24};
constexpr double kDegPerRadian = 57.2957795131;
} // namespace

IMPLEMENT_DYNAMIC(CSailLinePane, CFeaturePane)

CSailLinePane::CSailLinePane() : CFeaturePaneOf(kSailLineLayout) {}

CSailLinePane::~CSailLinePane() = default;

BOOL CSailLinePane::Create(CWnd* pOwner, int nID, CSailLineList* pSailLineList)
{
    CString title;
    AfxLoadString(IDS_SAIL_LINE_PROPERTIES, title);
    return CreatePane(pOwner, nID, title, [this, pSailLineList] { m_pList = pSailLineList; });
}

void CSailLinePane::MakeCurrentFile(int nFile)
{
    MakeEditFileCurrent(nFile);
}

void CSailLinePane::SetupComboBox()
{
    SetupComboWithEditSelection();
}

void CSailLinePane::InitPropList()
{
    BeginPropList();
    const CSailLine* file = GetSelectedFeature();
    if (file == nullptr)
    {
        ShowNoFiles();
        return;
    }
    m_wndPropList.RemoveAll();

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(file->m_Status),
                                                        "Determine whether to display SailLine File", ITEM_DISPLAY));
    properties->AddSubItem(MakeDataOrderItem(file->m_DataOrder, CSailLine::m_DataOrderTxt, SAIL_LINE_DATA_ORDER_COUNT,
                                             "Order of data within Pipeline File", ITEM_DATA_ORDER));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);

    const COLORREF colour = file->m_Pen.Colour;
    auto* line = new CMFCPropertyGridProperty("Line");
    line->AddSubItem(
        new CMFCPropertyGridPrimaryColourProperty("Colour", colour, 28, "Specifies the pen colour of the Line", ITEM_COLOUR));
    line->AddSubItem(new CMFCPropertyGridLineThicknessProperty(file->m_Pen.nThickness, colour, ITEM_LINE_THICKNESS));
    m_wndPropList.AddProperty(line, TRUE, TRUE);
}

void CSailLinePane::CreateTable()
{
    ClearTable();
    if (GetSelectedFeature() == nullptr)
        return;
    for (const char* heading : {"Line No", "SOL Eng", "SOL Nng", "EOL Eng", "EOL Nng", "Range", "Bearing"})
        m_wndList.AddColumn(heading);
    UpdateAllPositions();
    AutoSizeColumns(&m_wndList, false);
}

void CSailLinePane::UpdateAllPositions()
{
    const CSailLine* file = GetSelectedFeature();
    if (file == nullptr)
    {
        m_wndList.DeleteAllItems();
        return;
    }
    const int count = static_cast<int>(file->GetSize());
    while (m_wndList.GetItemCount() > count)
        m_wndList.DeleteItem(m_wndList.GetItemCount() - 1);
    // Rows are overwritten where they exist, so the table does not flicker empty.
    for (int row = 0; row < count; ++row)
    {
        const SailLineDef& line = file->GetAt(row);
        CString text;
        text.Format("%d", row + 1);
        if (row < m_wndList.GetItemCount())
            m_wndList.SetItemText(row, 0, text);
        else
            m_wndList.InsertItem(row, text);
        const double coordinates[4] = {line.Start.x, line.Start.y, line.End.x, line.End.y};
        for (int c = 0; c < 4; ++c)
        {
            text.Format("%.3lf", coordinates[c]);
            m_wndList.SetItemText(row, c + 1, text);
        }
        text.Format("%.2lfm", line.Leg.Length);
        m_wndList.SetItemText(row, 5, text);
        text.Format("%.1lf\xB0", line.Leg.Bearing * kDegPerRadian);
        m_wndList.SetItemText(row, 6, text);
    }
}

void CSailLinePane::OnSailLineCombo()
{
    InitPropList();
    CreateTable();
    AdjustLayout();
}

LRESULT CSailLinePane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    CSailLine* file = GetSelectedFeature();
    if (item == nullptr || file == nullptr)
        return 0;
    switch (item->GetData())
    {
    case ITEM_DISPLAY:
        if (!StoreDisplay(file, IsOn(item)))
            return 0;
        break;
    case ITEM_DATA_ORDER:
        ChangeDataOrder(file, item->GetValue().ToText(), CSailLine::m_DataOrderTxt, SAIL_LINE_DATA_ORDER_COUNT,
                        [file] { file->SaveDataOrder(); });
        return 0;
    case ITEM_COLOUR:
    {
        const COLORREF colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        if (!StoreDrawingOption(file, file->m_Pen.Colour, static_cast<uint32_t>(colour)))
            return 0;
        RecolourSamples(item->GetParent(), colour);
        break;
    }
    case ITEM_LINE_THICKNESS:
        if (!StoreDrawingOption(file, file->m_Pen.nThickness,
                                static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness()))
            return 0;
        break;
    default: return 0;
    }
    RedrawOwnerChart();
    return 0;
}

void CSailLinePane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CStringArray names;
    if (!SelectFeatureFiles(this, "SailLine", &names, nullptr))
        return;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
    {
        if (IsLoaded(names[i]))
            continue;
        auto* file = new CSailLine;
        if (!file->Load(names[i]))
        {
            // Only a file yet to be made starts with one empty line: one that is there but gave
            // no line would be saved over later.
            if (GetFileAttributes(names[i]) != INVALID_FILE_ATTRIBUTES)
            {
                delete file;
                WarnUnreadable(names[i]);
                continue;
            }
            file->AddEmptyLine();
        }
        m_pList->Add(file);
        m_pList->SaveFileList();
    }

    ShowAddedFiles();
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostToOwner(UM_RECOMPUTE_ZUDUZURO_DATA);
    PostToOwner(UM_FEATURE_UPDATE, FEATURE_SAIL_LINE, 0);
}

void CSailLinePane::OnRemove()
{
    const int file = DeleteSelectedFile();
    if (file < 0)
        return;
    const bool wasEdited = m_pList->m_EditFileIndex == file;
    FollowRemovedFile(file);
    if (wasEdited)
        m_pList->m_EditPointIndex = m_pList->m_EditFileIndex >= 0 ? 0 : -1;
    m_pList->SaveFileList();

    ShowRemainingFiles(file);
    m_pList->SaveFileList();
    PostToOwner(UM_FEATURE_UPDATE, FEATURE_SAIL_LINE, 0);
    RedrawOwnerChart();
}
