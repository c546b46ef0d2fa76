#include "featureui/panes/FeaturePane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/PaneGrid.h"
#include "features/GridWaypoint.h"
#include "features/Pipeline.h"
#include "features/RedrawChart.h"
#include "features/Route.h"
#include "features/Rpl.h"
#include "features/SailLine.h"
#include "features/Structure.h"
#include "foundation/FilePath.h"
#include "foundation/MyListCtrl.h"
#include "foundation/WindowMessages.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/WinApp.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

namespace
{
constexpr int kButtonHeight = 30;
constexpr int kComboDropHeight = 200;
constexpr DWORD kComboStyle = 0x56A00003; // child, visible, clip siblings/children, border, vscroll, drop list
} // namespace

// CMyDockablePane keeps no run-time class of its own.
IMPLEMENT_DYNAMIC(CFeaturePane, CDockablePane)

BEGIN_MESSAGE_MAP(CFeaturePane, CMyDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CFeaturePane::OnSettingChange)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CFeaturePane::OnPropertyChanged)
ON_REGISTERED_MESSAGE(UM_SELECT_FEATURE, &CFeaturePane::OnSelectPoint)
END_MESSAGE_MAP()

CFeaturePane::CFeaturePane(const FEATURE_PANE_LAYOUT& layout) : m_Layout(layout)
{
    RegisterFeaturePaneStrings();
}

CFeaturePane::~CFeaturePane()
{
    delete m_pCombo;
    delete m_pAddButton;
    delete m_pRemoveButton;
    m_pCombo = nullptr;
    m_pAddButton = nullptr;
    m_pRemoveButton = nullptr;
    m_wndList.DestroyWindow();
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

BOOL CFeaturePane::CreatePane(CWnd* pOwner, int nID, const CString& strTitle, const std::function<void()>& onWindow)
{
    const BOOL created = CMyDockablePane::Create(pOwner, nID, strTitle);
    if (created && onWindow)
        onWindow();
    // A pane whose controls could not all be made stays as it is: building on missing
    // controls would only move the failure somewhere less clear.
    if (created && m_pCombo != nullptr)
    {
        SetupComboBox();
        InitPropList();
        CreateTable();
        AdjustLayout();
    }
    return created;
}

int CFeaturePane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMyDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect empty(0, 0, 0, 0);
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, empty, this, IDC_FEATURE_PROPERTY_GRID))
        return -1;
    if (m_Layout.nTableID != 0)
        CreateTableCtrl();

    m_pCombo = new CComboBox;
    if (!m_pCombo->Create(kComboStyle, empty, this, m_Layout.nComboID))
        return -1;
    const CRect buttonRect(0, 0, 100, 30);
    m_pAddButton = new CColourButton;
    if (!m_pAddButton->Create("Add File", WS_CHILD | WS_VISIBLE, buttonRect, this, m_Layout.nAddID))
        return -1;
    m_pRemoveButton = new CColourButton;
    if (!m_pRemoveButton->Create("Remove File", WS_CHILD | WS_VISIBLE, buttonRect, this, m_Layout.nRemoveID))
        return -1;
    return 0;
}

void CFeaturePane::OnSize(UINT nType, int cx, int cy)
{
    CMyDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
    if (SizesColumnsOnResize() && GetTableCtrl().GetSafeHwnd() != nullptr)
        AutoSizeColumns(&GetTableCtrl(), false);
}

void CFeaturePane::OnSetFocus(CWnd* pOldWnd)
{
    CMyDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CFeaturePane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CFeaturePane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width();
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    const int gridTop = PlaceButtonsAndCombo(client);
    if (m_Layout.nTableID == 0)
    {
        m_wndPropList.SetWindowPos(nullptr, client.left, gridTop, width, client.Height() - gridTop, flags);
        return;
    }
    const int gridHeight = m_Layout.nGridRows * m_wndPropList.GetRowHeight();
    m_wndPropList.SetWindowPos(nullptr, client.left, gridTop, width, gridHeight, flags);

    const int tableTop = gridTop + gridHeight;
    if (tableTop < client.Height())
    {
        GetTableCtrl().SetWindowPos(nullptr, client.left, tableTop, width, client.Height() - tableTop, flags);
        GetTableCtrl().ShowWindow(SW_SHOW);
    }
    else
        GetTableCtrl().ShowWindow(SW_HIDE);
}

int CFeaturePane::PlaceButtonsAndCombo(const CRect& client)
{
    CRect comboRect;
    m_pCombo->GetWindowRect(&comboRect);
    const int width = client.Width();
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    m_pAddButton->SetWindowPos(nullptr, client.left, client.top, width / 2, kButtonHeight, flags);
    m_pRemoveButton->SetWindowPos(nullptr, client.left + width / 2, client.top, width / 2, kButtonHeight, flags);
    m_pCombo->SetWindowPos(nullptr, client.left, client.top + kButtonHeight, width, kComboDropHeight, flags);
    return client.top + kButtonHeight + comboRect.Height();
}

void CFeaturePane::SetPropListFont()
{
    CreatePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
    if (m_pCombo != nullptr && m_pCombo->GetSafeHwnd() != nullptr)
        m_pCombo->SetFont(&m_fntPropList);
}

void CFeaturePane::SetDaylightMode()
{
    SetNightMode(false);
}

void CFeaturePane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
    if (GetTableCtrl().GetSafeHwnd() != nullptr)
        SetTableNightMode(bNight);
}

void CFeaturePane::SetVSDotNetLook(BOOL bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet);
}

int CFeaturePane::GetSelectedFile() const
{
    if (m_pCombo == nullptr || m_pCombo->GetSafeHwnd() == nullptr)
        return -1;
    const int selected = m_pCombo->GetCurSel();
    return selected >= 0 && selected < GetFileCount() ? selected : -1;
}

void CFeaturePane::FillComboBox()
{
    const int previous = m_pCombo->GetCurSel();
    m_pCombo->ResetContent();
    for (INT_PTR i = 0; i < GetFileCount(); ++i)
        m_pCombo->AddString(GetFileTitleFromPath(GetFilePath(static_cast<int>(i))));
    m_pCombo->SetCurSel(previous >= 0 && previous < m_pCombo->GetCount() ? previous : 0);
}

void CFeaturePane::BeginPropList()
{
    SetPropListFont();
    ApplyGreyGridScheme(m_wndPropList);
    m_wndPropList.MarkModifiedProperties(TRUE, TRUE);
}

void CFeaturePane::ShowNoFiles()
{
    m_wndPropList.RemoveAll();
    m_wndPropList.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    m_wndPropList.AddProperty(new CMFCPropertyGridProperty("No Files Selected"));
}

void CFeaturePane::ShowAddedFiles()
{
    SetupComboBox();
    const int last = m_pCombo->GetCount() - 1;
    if (last >= 0)
    {
        m_pCombo->SetCurSel(last);
        MakeCurrentFile(last);
    }
    InitPropList();
    CreateTable();
    AdjustLayout();
}

void CFeaturePane::ShowRemainingFiles(int nRemoved)
{
    SetupComboBox();
    if (GetFileCount() > 0)
    {
        const int previous = nRemoved > 0 ? nRemoved - 1 : 0;
        m_pCombo->SetCurSel(previous);
        MakeCurrentFile(previous);
    }
    InitPropList();
    CreateTable();
}

void CFeaturePane::ClearTable()
{
    CListCtrl& table = GetTableCtrl();
    table.DeleteAllItems();
    for (CHeaderCtrl* header = table.GetHeaderCtrl(); header != nullptr && header->GetItemCount() > 0;)
        if (!table.DeleteColumn(0))
            break;
}

void CFeaturePane::LockItems(std::initializer_list<DWORD_PTR> ids, bool bLock)
{
    for (DWORD_PTR id : ids)
        if (auto* item = dynamic_cast<CMFCPropertyGridDouble*>(m_wndPropList.FindItemByData(id)))
            item->SetLock(bLock);
}

void CFeaturePane::UnlockWithPassword(CMFCPropertyGridProperty* pPassword, std::initializer_list<DWORD_PTR> ids,
                                      UINT nPeriod)
{
    auto* password = dynamic_cast<CMFCPropertyGridPasswordProperty*>(pPassword);
    if (password == nullptr || !password->IsPasswordOk())
        return;
    LockItems(ids, false);
    SetTimer(UNLOCK_TIMER, nPeriod, nullptr);
}

CMFCPropertyGridProperty* CFeaturePane::MakeDataOrderItem(int order, const char* const* options, int nOptions,
                                                         LPCTSTR lpszDescr, DWORD_PTR dwData)
{
    auto* item = new CMFCPropertyGridProperty(
        "Data Order", COleVariant(order >= 0 && order < nOptions ? options[order] : ""), lpszDescr, dwData);
    for (int i = 0; i < nOptions; ++i)
        item->AddOption(options[i]);
    item->AllowEdit(FALSE);
    return item;
}

void CFeaturePane::WarnUnreadable(const CString& path)
{
    CString text;
    text.Format("Unable to read %s", path.GetString());
    WarningMessage(text, nullptr, 0x300030);
}

int CFeaturePane::FindOption(const CString& text, const char* const* options, int nOptions)
{
    for (int i = 0; i < nOptions; ++i)
        if (text == options[i])
            return i;
    return -1;
}

tagXY FeaturePointPosition(const tagXY& point)
{
    return point;
}

tagXY FeaturePointPosition(const GridWaypointDef& point)
{
    return tagXY{point.Easting, point.Northing};
}

tagXY FeaturePointPosition(const PipelineDef& point)
{
    return tagXY{point.Easting, point.Northing};
}

tagXY FeaturePointPosition(const RouteDef& point)
{
    return point.Position;
}

tagXY FeaturePointPosition(const RPLDef& point)
{
    return tagXY{point.Easting, point.Northing};
}

tagXY FeaturePointPosition(const SailLineDef& point)
{
    return tagXY{(point.Start.x + point.End.x) / 2.0, (point.Start.y + point.End.y) / 2.0};
}

tagXY FeaturePointPosition(const StructureDef& point)
{
    return point.Position;
}

LRESULT CFeaturePane::OnSelectPoint(WPARAM, LPARAM lParam)
{
    const int file = GetSelectedFile();
    tagXY position{};
    if (file >= 0 && lParam >= 0 && lParam <= INT32_MAX &&
        GetPointPosition(file, static_cast<int>(lParam), position))
        MoveChartToPoint(m_pOwner, position);
    return 0;
}

void CFeaturePane::PostToOwner(UINT message, WPARAM wParam, LPARAM lParam) const
{
    CCmdTarget* target = m_pOwner != nullptr ? static_cast<CCmdTarget*>(m_pOwner) : AfxGetMainWnd();
    if (target != nullptr)
        ::PostMessage(target->GetSafeHwnd(), message, wParam, lParam);
}

void CFeaturePane::RedrawOwnerChart() const
{
    RedrawChart(m_pOwner);
}

BOOL CFeaturePane::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == m_Layout.nComboID && code == CBN_SELCHANGE)
    {
        OnFileCombo();
        return TRUE;
    }
    if (id == m_Layout.nAddID && code == BN_CLICKED)
    {
        OnAdd();
        return TRUE;
    }
    if (id == m_Layout.nRemoveID && code == BN_CLICKED)
    {
        OnRemove();
        return TRUE;
    }
    return CMyDockablePane::OnCommand(wParam, lParam);
}
