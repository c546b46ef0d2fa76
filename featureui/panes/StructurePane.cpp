#include "featureui/panes/StructurePane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/dialogs/SelectFeatureFiles.h"
#include "featureui/views/StructureView.h"
#include "features/RedrawChart.h"
#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridDualButton.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "platform/ui/Resources.h"

#include <algorithm>
#include <cmath>

namespace
{
const FEATURE_PANE_LAYOUT kLayout = {IDC_STRUCTURE_COMBO, IDC_ADD_STRUCTURE_FILE, IDC_REMOVE_STRUCTURE_FILE, 0, 20};
// Structures in the host's messages (FEATURE_TYPES).
constexpr WPARAM kStructureFeature = 7;
// The grid outside its rows: the description area and the frame.
constexpr int kGridExtraHeight = 80;
// The heading item's mode: it holds radians and shows a bearing.
constexpr int kHeadingMode = 1;
constexpr double kDegreesPerRadian = 57.2957795131;
} // namespace

IMPLEMENT_DYNAMIC(CStructurePane, CFeaturePane)

CStructurePane::CStructurePane() : CFeaturePaneOf(kLayout) {}

CStructurePane::~CStructurePane() = default;

BOOL CStructurePane::Create(CWnd* pOwner, int nID, CStructureList* pStructureList)
{
    m_pList = pStructureList;
    CString title;
    AfxLoadString(IDS_STRUCTURE_PROPERTIES, title);
    bool viewMade = false;
    const BOOL created = CreatePane(pOwner, nID, title, [this, &viewMade] {
        auto* view = static_cast<CStructureView*>(RUNTIME_CLASS(CStructureView)->CreateObject());
        viewMade = view != nullptr && view->Create(this);
        if (!viewMade)
        {
            delete view;
            return;
        }
        m_pView = view;
        m_pView->SetStructureList(m_pList);
        m_pView->Invalidate();
    });
    return created && viewMade;
}

void CStructurePane::MakeCurrentFile(int nFile)
{
    m_pList->SetEditPoint(nFile, -1);
}

CStructure* CStructurePane::EditFile() const
{
    if (m_pList == nullptr)
        return nullptr;
    const int file = m_pList->m_EditFileIndex;
    return file >= 0 && file < m_pList->GetSize() ? m_pList->GetAt(file) : nullptr;
}

StructureDef* CStructurePane::EditStructure()
{
    CStructure* file = EditFile();
    if (file == nullptr)
        return nullptr;
    const int point = m_pList->m_EditPointIndex;
    if (point >= file->GetSize())
        m_pList->m_EditPointIndex = -1;
    return point >= 0 && point < file->GetSize() ? &file->ElementAt(point) : nullptr;
}

bool CStructurePane::HasFullGrid() const
{
    return m_wndPropList.FindItemByData(ITEM_NAME) != nullptr;
}

void CStructurePane::PostFeatureUpdate() const
{
    PostToOwner(UM_FEATURE_UPDATE, kStructureFeature, 0);
}

void CStructurePane::SetItemValue(DWORD_PTR id, const COleVariant& value)
{
    if (CMFCPropertyGridProperty* item = m_wndPropList.FindItemByData(id))
        item->SetValue(value);
}

void CStructurePane::SetItemDouble(DWORD_PTR id, double value)
{
    if (auto* item = dynamic_cast<CMFCPropertyGridDouble*>(m_wndPropList.FindItemByData(id)))
        item->SetValue(value);
}

void CStructurePane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const int gridTop = PlaceButtonsAndCombo(client);
    const int gridHeight = kGridExtraHeight + m_Layout.nGridRows * m_wndPropList.GetRowHeight();
    m_wndPropList.SetWindowPos(nullptr, client.left, gridTop, width, gridHeight, flags);
    if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
    {
        const int viewTop = gridTop + gridHeight;
        m_pView->SetWindowPos(nullptr, client.left, viewTop, width, std::max(0, int(client.bottom) - viewTop), flags);
        UpdateView();
    }
}

bool CStructurePane::SelectFileByPath(const CString& path)
{
    for (INT_PTR i = 0; i < m_pList->GetSize(); ++i)
        if (m_pList->GetAt(i)->m_FilePath.CompareNoCase(path) == 0)
        {
            m_pList->SetEditPoint(static_cast<int>(i), -1);
            return true;
        }
    return false;
}

void CStructurePane::SetupComboBox()
{
    if (m_pList == nullptr || m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
        return;
    m_pCombo->ResetContent();
    if (m_pList->GetSize() == 0)
    {
        InitPropList("", false);
        return;
    }
    if (m_pList->m_EditFileIndex >= m_pList->GetSize())
        m_pList->m_EditFileIndex = -1;
    const CString edited = m_pList->GetEditFileName();
    m_pList->SetEditPoint(0, -1);
    for (INT_PTR i = 0; i < m_pList->GetSize(); ++i)
        m_pCombo->AddString(GetFileTitleFromPath(GetFilePath(static_cast<int>(i))));
    if (!SelectFileByPath(m_strShownPath))
        SelectFileByPath(edited);
    m_pCombo->SetCurSel(std::max(0, int(m_pList->m_EditFileIndex)));
    InitPropList(m_pList->GetEditFileName(), false);
}

void CStructurePane::InitPropList()
{
    if (m_pList != nullptr)
        InitPropList(m_pList->GetEditFileName(), false);
}

void CStructurePane::FillNameOptions(CMFCPropertyGridProperty* pName, CStructure* pFile)
{
    pName->RemoveAllOptions();
    for (INT_PTR i = 0; pFile != nullptr && i < pFile->GetSize(); ++i)
        pName->AddOption(pFile->GetAt(i).Name, FALSE);
}

void CStructurePane::InitPropList(const char* path, bool force)
{
    if (m_pList == nullptr)
        return;
    BeginPropList();
    const CString wanted = path != nullptr ? path : "";
    if (wanted.IsEmpty())
    {
        m_strShownPath.Empty();
        ShowNoFiles();
        UpdateView();
        return;
    }
    if (!force && HasFullGrid() && wanted.CompareNoCase(m_strShownPath) == 0)
        return;
    m_strShownPath = wanted;
    m_wndPropList.RemoveAll();

    if (!SelectFileByPath(wanted))
        m_pList->SetEditPoint(0, 0);
    CStructure* file = EditFile();
    if (file != nullptr && file->GetSize() > 0 && EditStructure() == nullptr)
        m_pList->SetEditPoint(-1, 0);
    StructureDef blank;
    blank.Name = "n/a";
    const StructureDef* shown = EditStructure();
    if (shown == nullptr)
        shown = &blank;
    const int fileIndex = m_pList->m_EditFileIndex;
    const int point = m_pList->m_EditPointIndex;

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridBool("Display", file != nullptr && file->m_Status,
                                                    "Determine whether to display Structure File", ITEM_DISPLAY));
    m_wndPropList.AddProperty(properties);

    auto* structure = new CMFCPropertyGridProperty("Structure");
    auto* name = new CMFCPropertyGridProperty("Name", COleVariant(shown->Name), "Name of Structure", ITEM_NAME);
    FillNameOptions(name, file);
    structure->AddSubItem(name);
    structure->AddSubItem(new CMFCPropertyGridDouble("Easting", shown->Position.x, "%10.2lfE",
                                                     "Easting of the Structure", ITEM_EASTING));
    structure->AddSubItem(new CMFCPropertyGridDouble("Northing", shown->Position.y, "%10.2lfN",
                                                     "Northing of the Structure", ITEM_NORTHING));
    structure->AddSubItem(
        new CMFCPropertyGridDouble("Height", shown->Height, "%10.2lf", "Height of the Structure", ITEM_HEIGHT));
    structure->AddSubItem(new CMFCPropertyGridAngleDouble("Heading", shown->Heading / kDegreesPerRadian,
                                                          kHeadingMode, "Alignment of Structure", ITEM_HEADING));
    structure->AddSubItem(
        new CMFCPropertyGridDualButton("Structures", "Add", "Delete", "Add and delete Structures", ITEM_ADD_DELETE));
    m_wndPropList.AddProperty(structure);

    double width = 0.0;
    double height = 0.0;
    m_pList->GetShapeSize(fileIndex, point, &width, &height);
    auto* shape = new CMFCPropertyGridProperty("Shape");
    auto* shapeName = new CMFCPropertyGridProperty("File", COleVariant(shown->Shape), "File File for Structure",
                                                   ITEM_SHAPE);
    for (POSITION pos = m_pList->m_Shapes.GetHeadPosition(); pos != nullptr;)
        shapeName->AddOption(GetFileTitleFromPath(m_pList->m_Shapes.GetNext(pos)->m_FilePath), FALSE);
    shapeName->AllowEdit(FALSE);
    shape->AddSubItem(shapeName);
    auto readOnly = [](CMFCPropertyGridDouble* item) {
        item->SetLock(true);
        return item;
    };
    shape->AddSubItem(readOnly(new CMFCPropertyGridDouble("X (Units)", width, "%10.2lf", "Width of Shape")));
    shape->AddSubItem(readOnly(new CMFCPropertyGridDouble("Y (Units)", height, "%10.2lf", "Width of Shape")));
    shape->AddSubItem(new CMFCPropertyGridDouble("Length", shown->Length, "%10.2lf",
                                                 "Required length of the longest side of the Structure", ITEM_LENGTH));
    shape->AddSubItem(readOnly(new CMFCPropertyGridDouble("Scale Factor", m_pList->GetShapeScale(fileIndex, point),
                                                          "%16.8lf",
                                                          "Scale Factor to change Shape Units int Real World Units")));
    m_wndPropList.AddProperty(shape);
    UpdateView();
}

void CStructurePane::OnStructureCombo()
{
    if (m_pList == nullptr || m_pCombo == nullptr)
        return;
    const int selected = m_pCombo->GetCurSel();
    const int edited = m_pList->m_EditFileIndex < m_pList->GetSize() ? m_pList->m_EditFileIndex : -1;
    if (selected == edited)
        return;
    const int file = selected >= 0 ? selected : edited;
    m_pList->SetEditPoint(file, 0);
    m_pList->SaveEditIndices();
    InitPropList(m_pList->GetEditFileName(), false);
    UpdateProperty();
    MoveToEditPoint();
    PostToOwner(UM_SET_FOCUS_FEATURE, kStructureFeature, 0);
}

bool CStructurePane::MoveToEditPoint()
{
    const StructureDef* structure = EditStructure();
    if (structure == nullptr)
        return false;
    MoveChartToPoint(m_pOwner, structure->Position);
    return true;
}

void CStructurePane::AppendStructure(CStructure& file)
{
    StructureDef record;
    record.Show = true;
    record.Name.Format("Structure %d", static_cast<int>(file.GetSize()) + 1);
    m_pList->SetDefaultShape(record);
    const INT_PTR index = file.Add(record);
    m_pList->SetEditPoint(-1, static_cast<int>(index));
}

void CStructurePane::PressAddDelete(int nButton)
{
    CStructure* file = EditFile();
    if (file == nullptr)
        return;
    if (nButton == 1)
        AppendStructure(*file);
    else if (nButton == 2 && file->GetSize() > 0)
    {
        const int point = m_pList->m_EditPointIndex;
        if (point >= 0 && point < file->GetSize())
            file->RemoveAt(point);
        if (file->GetSize() == 0)
            AppendStructure(*file);
        else if (m_pList->m_EditPointIndex >= file->GetSize())
            m_pList->SetEditPoint(-1, static_cast<int>(file->GetSize()) - 1);
    }
    else
        return;
    m_pList->SaveEditIndices();
    // An added structure is written at once too: it would otherwise be lost at the next load.
    m_pList->Save();
    UpdatePosition();
    UpdateShape();
    CMFCPropertyGridProperty* name = m_wndPropList.FindItemByData(ITEM_NAME);
    if (const StructureDef* structure = EditStructure())
    {
        MoveChartToPoint(m_pOwner, structure->Position);
        if (name != nullptr)
            name->SetValue(COleVariant(structure->Name));
    }
    if (name != nullptr)
        FillNameOptions(name, file);
    RedrawOwnerChart();
    PostFeatureUpdate();
}

LRESULT CStructurePane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    CStructure* file = EditFile();
    if (item == nullptr || file == nullptr)
        return 0;
    const DWORD_PTR id = item->GetData();
    if (id == ITEM_DISPLAY)
    {
        const bool shown = IsOn(item);
        if (shown != file->m_Status)
        {
            file->m_Status = shown;
            file->SaveStatus();
            m_pList->m_Modified = true;
            RedrawOwnerChart();
        }
        return 0;
    }
    if (id == ITEM_NAME)
    {
        const CString text = item->GetValue().ToText();
        for (INT_PTR i = 0; i < file->GetSize(); ++i)
            if (file->GetAt(i).Name.CompareNoCase(text) == 0)
            {
                m_pList->SetEditPoint(-1, static_cast<int>(i));
                m_pList->SaveEditIndices();
                MoveToEditPoint();
                UpdatePosition();
                UpdateShape();
                item->SetValue(COleVariant(file->GetAt(i).Name));
                return 0;
            }
        if (StructureDef* structure = EditStructure())
        {
            structure->Name = CStructureList::MakeStructureName(text, m_pList->m_EditPointIndex);
            item->SetValue(COleVariant(structure->Name));
            FillNameOptions(item, file);
            // A rename is written like every other change, so the next load keeps it.
            m_pList->Save();
            PostFeatureUpdate();
        }
        return 0;
    }
    StructureDef* structure = EditStructure();
    if (structure == nullptr)
        return 0;
    switch (id)
    {
    case ITEM_EASTING:
    case ITEM_NORTHING:
        (id == ITEM_EASTING ? structure->Position.x : structure->Position.y) = item->GetValue().dblVal;
        m_pList->Save();
        MoveChartToPoint(m_pOwner, structure->Position);
        PostFeatureUpdate();
        break;
    case ITEM_HEIGHT:
        structure->Height = item->GetValue().dblVal;
        m_pList->Save();
        PostFeatureUpdate();
        break;
    case ITEM_HEADING:
        // The file's reader takes a heading outside one turn for 0, so it is kept within one.
        structure->Heading = NormalHeading(item->GetValue().dblVal * kDegreesPerRadian);
        item->SetValue(COleVariant(structure->Heading / kDegreesPerRadian));
        m_pList->Save();
        PostFeatureUpdate();
        RedrawOwnerChart();
        break;
    case ITEM_ADD_DELETE:
        if (auto* buttons = dynamic_cast<CMFCPropertyGridDualButton*>(item))
            PressAddDelete(buttons->GetPressedButton());
        break;
    case ITEM_SHAPE:
    {
        const CString shape = item->GetValue().ToText();
        bool known = false;
        for (int i = 0; i < item->GetOptionCount(); ++i)
            known = known || shape == item->GetOption(i);
        if (!known)
        {
            // Only the listed shapes draw: anything else keeps the shape the structure has.
            item->SetValue(COleVariant(structure->Shape));
            break;
        }
        structure->Shape = shape;
        m_pList->Save();
        UpdateShape();
        PostFeatureUpdate();
        RedrawOwnerChart();
        break;
    }
    case ITEM_LENGTH:
        structure->Length = item->GetValue().dblVal;
        m_pList->Save();
        UpdateShape();
        RedrawOwnerChart();
        break;
    default: break;
    }
    return 0;
}

void CStructurePane::OnAdd()
{
    if (m_pList == nullptr)
        return;
    CStringArray names;
    if (!SelectFeatureFiles(this, "Structure", &names, nullptr))
        return;
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        if (!m_pList->AddFile(names[i]) && !m_pList->m_strRefusal.IsEmpty())
            AfxMessageBox(m_pList->m_strRefusal, MB_OK | MB_ICONEXCLAMATION);
    SetupComboBox();
    // The combo shows the newest file; the grid stays on the file edited before until the user
    // picks the new one.
    m_pCombo->SetCurSel(m_pCombo->GetCount() - 1);
    m_pList->SaveFileList();
    RedrawOwnerChart();
    PostFeatureUpdate();
}

void CStructurePane::OnRemove()
{
    if (m_pList == nullptr || m_pList->GetSize() == 0)
        return;
    const int removed = DeleteSelectedFile();
    if (removed >= 0)
    {
        if (removed == m_pList->m_EditFileIndex)
        {
            m_pList->ResetEditState();
            if (removed > 0)
                m_pList->SetEditPoint(removed - 1, 0);
        }
        else
            FollowRemovedFile(removed);
        m_pList->SaveFileList();
    }
    m_strShownPath.Empty();
    SetupComboBox();
    m_pList->SaveFileList();
    PostFeatureUpdate();
    RedrawOwnerChart();
}

void CStructurePane::Update()
{
    if (!HasFullGrid() || m_pList == nullptr)
        return;
    if (m_pList->m_EditFileIndex >= 0 && m_pList->m_EditFileIndex < m_pCombo->GetCount())
        m_pCombo->SetCurSel(m_pList->m_EditFileIndex);
    if (const StructureDef* structure = EditStructure())
        SetItemValue(ITEM_NAME, COleVariant(structure->Name));
    UpdateProperty();
    UpdateShape();
}

void CStructurePane::UpdateProperty()
{
    CStructure* file = EditFile();
    if (file == nullptr)
        return;
    SetItemValue(ITEM_DISPLAY, COleVariant(static_cast<bool>(file->m_Status)));
    UpdatePosition();
}

void CStructurePane::UpdatePosition()
{
    const StructureDef* structure = EditStructure();
    if (structure == nullptr)
        return;
    SetItemDouble(ITEM_EASTING, structure->Position.x);
    SetItemDouble(ITEM_NORTHING, structure->Position.y);
    SetItemDouble(ITEM_HEIGHT, structure->Height);
    SetItemDouble(ITEM_HEADING, structure->Heading / kDegreesPerRadian);
}

void CStructurePane::UpdateShape()
{
    if (const StructureDef* structure = EditStructure())
    {
        const int file = m_pList->m_EditFileIndex;
        const int point = m_pList->m_EditPointIndex;
        double width = 0.0;
        double height = 0.0;
        m_pList->GetShapeSize(file, point, &width, &height);
        CMFCPropertyGridProperty* shape = m_wndPropList.GetProperty(2);
        SetItemValue(ITEM_SHAPE, COleVariant(structure->Shape));
        if (shape != nullptr && shape->GetSubItemsCount() == 5)
        {
            static_cast<CMFCPropertyGridDouble*>(shape->GetSubItem(1))->SetValue(width);
            static_cast<CMFCPropertyGridDouble*>(shape->GetSubItem(2))->SetValue(height);
            static_cast<CMFCPropertyGridDouble*>(shape->GetSubItem(4))->SetValue(m_pList->GetShapeScale(file, point));
        }
        SetItemDouble(ITEM_LENGTH, structure->Length);
    }
    UpdateView();
}

void CStructurePane::UpdateNameComboBox()
{
    CStructure* file = EditFile();
    CMFCPropertyGridProperty* name = m_wndPropList.FindItemByData(ITEM_NAME);
    if (!HasFullGrid() || file == nullptr || name == nullptr)
        return;
    FillNameOptions(name, file);
    name->SetValue(COleVariant(file->GetSize() > 0 ? file->GetAt(file->GetSize() - 1).Name : CString()));
}

void CStructurePane::AddStructure()
{
    UpdateNameComboBox();
    UpdatePosition();
    UpdateShape();
    PostFeatureUpdate();
}

void CStructurePane::UpdateView()
{
    if (m_pView != nullptr && m_pView->GetSafeHwnd() != nullptr)
        m_pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CStructurePane::SetEdit(bool bEdit)
{
    m_wndPropList.SetColourScheme(bEdit ? 7 : 1);
    m_wndPropList.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
}
