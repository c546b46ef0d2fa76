#include "featureui/panes/DrawingPane.h"

#include "foundation/FilePath.h"
#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/Sync.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Resources.h"

namespace
{
CMFCPropertyGridProperty* ReadOnly(CMFCPropertyGridProperty* item)
{
    item->AllowEdit(FALSE);
    return item;
}
} // namespace

IMPLEMENT_DYNAMIC(CDrawingPane, CFeaturePane)

CDrawingPane::CDrawingPane(const FEATURE_PANE_LAYOUT& layout, const DRAWING_PANE_TEXTS& texts)
    : CFeaturePane(layout), m_Texts(texts)
{
}

CDrawingPane::~CDrawingPane() = default;

BOOL CDrawingPane::CreateDrawingPane(CWnd* pOwner, int nID, CMutex* pMutex)
{
    CString title;
    AfxLoadString(m_Texts.nTitleID, title);
    if (!CMyDockablePane::Create(pOwner, nID, title))
        return FALSE;
    m_pMutex = pMutex;
    if (m_pCombo != nullptr)
    {
        SetupComboBox();
        AdjustLayout();
    }
    return TRUE;
}

void CDrawingPane::SetupComboBox()
{
    if (m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
    {
        InitPropList(false);
        return;
    }
    m_pCombo->ResetContent();
    const int count = static_cast<int>(GetFileCount());
    for (int i = 0; i < count; ++i)
        m_pCombo->AddString(GetFileTitleFromPath(GetFilePath(i)));
    if (m_nSelection >= count)
        m_nSelection = count - 1;
    if (m_nSelection < 0 && count > 0)
        m_nSelection = 0;
    m_pCombo->SetCurSel(m_nSelection);
    InitPropList(false);
}

void CDrawingPane::InitPropList(bool)
{
    BeginPropList();
    m_wndPropList.RemoveAll();
    if (m_nSelection < 0 || m_nSelection >= GetFileCount())
    {
        m_strCurrentTitle.Empty();
        m_wndPropList.AddProperty(new CMFCPropertyGridTitleProperty("No Files Selected"));
        return;
    }
    m_strCurrentTitle = GetFileTitleFromPath(GetFilePath(m_nSelection));
    const DRAWING_DETAILS details = GetDetails(m_nSelection);

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(
        new CMFCPropertyGridBool("Display", details.bShown, m_Texts.lpszDisplayDescription, ITEM_DISPLAY));
    properties->AddSubItem(
        ReadOnly(new CMFCPropertyGridProperty("File Size", COleVariant(details.strSize), nullptr, 0)));
    properties->AddSubItem(
        ReadOnly(new CMFCPropertyGridProperty("File Date", COleVariant(details.strDate), nullptr, 0)));
    AddOwnProperties(properties, m_nSelection);
    m_wndPropList.AddProperty(properties, TRUE, TRUE);
    properties->Expand(TRUE);

    auto* extents = new CMFCPropertyGridProperty("Extents");
    extents->AddSubItem(
        ReadOnly(new CMFCPropertyGridDouble("Minimum Easting", details.dMinEasting, "%10.2lfE")));
    extents->AddSubItem(
        ReadOnly(new CMFCPropertyGridDouble("Minimum Northing", details.dMinNorthing, "%10.2lfN")));
    extents->AddSubItem(
        ReadOnly(new CMFCPropertyGridDouble("Maximum Easting", details.dMaxEasting, "%10.2lfE")));
    extents->AddSubItem(ReadOnly(
        new CMFCPropertyGridDouble("Maximum Northing", details.dMaxNorthing, m_Texts.lpszMaxNorthingFormat)));
    m_wndPropList.AddProperty(extents, TRUE, TRUE);
    extents->Expand(TRUE);
}

void CDrawingPane::OnDrawingCombo()
{
    const int selected = m_pCombo->GetCurSel();
    if (selected == m_nSelection)
        return;
    m_nSelection = selected;
    InitPropList(false);
}

void CDrawingPane::SetUseFile(const char* lpszTitle)
{
    const CString title(lpszTitle != nullptr ? lpszTitle : "");
    m_nSelection = 0;
    for (INT_PTR i = 0; i < GetFileCount(); ++i)
        if (GetFileTitleFromPath(GetFilePath(static_cast<int>(i))).CompareNoCase(title) == 0)
        {
            m_nSelection = static_cast<int>(i);
            m_strCurrentTitle = title;
            break;
        }
    if (m_pCombo != nullptr && m_pCombo->GetSafeHwnd() != nullptr)
        m_pCombo->SetCurSel(m_nSelection);
}

void CDrawingPane::OnAdd()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       m_Texts.lpszFilter, nullptr, 0, TRUE);
    if (dialog.DoModal() != IDOK)
        return;
    CString path = dialog.GetPathName();
    path.Trim();
    if (path.IsEmpty())
    {
        WarningMessage("Requires a file name", nullptr, 0x300030);
        return;
    }
    // Held until every path out of here, whatever the list or the load made of the file.
    CSingleLock lock(m_pMutex, m_pMutex != nullptr);
    if (!AddToList(path))
        return;
    LoadLastDrawing();
    SetupComboBox();
    SaveFileList();
    PostToOwner(UM_REDRAW_VECTOR_DISPLAY);
}

void CDrawingPane::OnRemove()
{
    const int count = static_cast<int>(GetFileCount());
    const int selected = m_pCombo != nullptr ? m_pCombo->GetCurSel() : -1;
    if (count == 0 || selected < 0 || selected >= count)
        return;
    {
        // Another holder may be walking the list: the drawing goes only while it cannot.
        CSingleLock lock(m_pMutex, m_pMutex != nullptr);
        DeleteDrawing(selected);
    }
    SetupComboBox();
    SaveFileList();
    PostToOwner(UM_REDRAW_VECTOR_DISPLAY);
}

LRESULT CDrawingPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_nSelection < 0 || m_nSelection >= GetFileCount())
        return 0;
    bool stored = false;
    {
        // The chart reads the switches while it paints, under the same mutex.
        CSingleLock lock(m_pMutex, m_pMutex != nullptr);
        stored = StoreSwitch(m_nSelection, item->GetData(), item->GetValue().boolVal != 0);
    }
    if (stored)
        PostToOwner(UM_REDRAW_VECTOR_DISPLAY);
    return 0;
}
