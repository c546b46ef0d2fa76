#include "featureui/panes/TargetTabCtrl.h"

#include "featureui/panes/PaneGrid.h"

#include "features/Barge.h"
#include "features/RedrawChart.h"
#include "features/SailLine.h"
#include "features/SailLineList.h"
#include "features/Template.h"
#include "features/TrackObject.h"
#include "featureui/panes/TargetTabItems.h"
#include "foundation/FilePath.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/WinAppEx.h"

using namespace targettabs;

namespace
{
// The angle item's mode that holds radians and shows a grid bearing.
constexpr int kBearingMode = targettabs::kGridMode;

CString LineText(int line)
{
    CString text;
    text.Format("Line %d", line);
    return text;
}

} // namespace

IMPLEMENT_DYNAMIC(CMyMFCTabCtrl, CMFCTabCtrl)

BEGIN_MESSAGE_MAP(CMyMFCTabCtrl, CMFCTabCtrl)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CMyMFCTabCtrl::OnPropertyChanged)
END_MESSAGE_MAP()

LRESULT CMyMFCTabCtrl::OnPropertyChanged(WPARAM wParam, LPARAM lParam)
{
    if (m_pOwner && m_pOwner->GetSafeHwnd())
        m_pOwner->PostMessage(AFX_WM_PROPERTY_CHANGED, wParam, lParam);
    return 0;
}

IMPLEMENT_DYNAMIC(CMFCTargetTabCtrl, CMyMFCTabCtrl)

BEGIN_MESSAGE_MAP(CMFCTargetTabCtrl, CMyMFCTabCtrl)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CMFCTargetTabCtrl::OnPropertyChanged)
END_MESSAGE_MAP()

CMFCTargetTabCtrl::CMFCTargetTabCtrl() = default;

CMFCTargetTabCtrl::~CMFCTargetTabCtrl()
{
    if (m_wndShadowPropList.GetSafeHwnd())
        m_wndShadowPropList.DestroyWindow();
    if (m_wndTargetPropList.GetSafeHwnd())
        m_wndTargetPropList.DestroyWindow();
    if (m_wndSailLinePropList.GetSafeHwnd())
        m_wndSailLinePropList.DestroyWindow();
}

int CMFCTargetTabCtrl::CreateTabs(CWnd* pOwner)
{
    m_pOwnerWnd = pOwner;
    const CRect empty(0, 0, 0, 0);
    const DWORD style = WS_CHILD | WS_VISIBLE;
    UINT id = 2;
    if (m_pSailLineList && !m_wndSailLinePropList.Create(style, empty, this, id++))
        return -1;
    if (!m_wndTargetPropList.Create(style, empty, this, id++) || !m_wndShadowPropList.Create(style, empty, this, id))
        return -1;
    if (m_pSailLineList)
        AddTab(&m_wndSailLinePropList, "Sail Line", static_cast<UINT>(-1), TRUE);
    AddTab(&m_wndTargetPropList, "Target", static_cast<UINT>(-1), TRUE);
    AddTab(&m_wndShadowPropList, "Shadow", static_cast<UINT>(-1), TRUE);
    SetPropListFont();
    if (m_pSailLineList)
        InitSailLinePropList();
    InitTargetPropList();
    InitShadowPropList();
    return 1;
}

CMyMFCPropertyGridCtrl* CMFCTargetTabCtrl::GetActiveGrid() const
{
    return dynamic_cast<CMyMFCPropertyGridCtrl*>(GetActiveWnd());
}

void CMFCTargetTabCtrl::AdjustLayout()
{
    CMyMFCPropertyGridCtrl* grid = GetActiveGrid();
    CWnd* parent = GetParent();
    if (!grid || !parent)
        return;
    CRect rect;
    parent->GetClientRect(&rect);
    rect.top += GetTabsHeight();
    grid->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMFCTargetTabCtrl::SetPropListFont()
{
    CreatePropListFont(m_fntPropList);
    for (CMyMFCPropertyGridCtrl* grid : {&m_wndSailLinePropList, &m_wndTargetPropList, &m_wndShadowPropList})
        if (grid->GetSafeHwnd())
            grid->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_fntPropList.GetSafeHandle()), TRUE);
}

COLORREF CMFCTargetTabCtrl::TintFaceColour(COLORREF face, bool night)
{
    const float factor = night ? -0.25f : -0.6f;
    COLORREF tinted = 0;
    for (int shift = 0; shift <= 16; shift += 8)
    {
        const int c = static_cast<int>((face >> shift) & 0xFF);
        // The products are truncated towards zero, as the single-precision tint always was.
        const int moved = night ? c + static_cast<int>(factor * static_cast<float>(c))
                                : c - static_cast<int>(factor * static_cast<float>(255 - c));
        tinted |= static_cast<COLORREF>(moved & 0xFF) << shift;
    }
    return tinted;
}

void CMFCTargetTabCtrl::SetTabColours()
{
    CMyMFCPropertyGridCtrl* grid = GetActiveGrid();
    if (!grid)
        return;
    COLORREF dark, black, highlight, face, darkShadow, light;
    CBrush* faceBrush = nullptr;
    CBrush* blackBrush = nullptr;
    CMFCVisualManager::GetInstance()->GetTabFrameColors(this, dark, black, highlight, face, darkShadow, light,
                                                        faceBrush, blackBrush);
    const COLORREF description = m_bNight ? 0xC0C0C0 : 0xEBEBEB;
    grid->SetCustomColors(TintFaceColour(face, m_bNight), 0x000000, 0x555555, 0xEBEBEB, 0x555555, description,
                          0x555555);
}

void CMFCTargetTabCtrl::FillLineOptions(CMFCPropertyGridProperty* pItem) const
{
    pItem->RemoveAllOptions();
    const int file = m_pTrackObject ? m_pTrackObject->m_SailLineFileIndex : -1;
    if (!m_pSailLineList || file < 0 || file >= m_pSailLineList->GetSize() || !m_pSailLineList->GetAt(file))
        return;
    const INT_PTR lines = m_pSailLineList->GetAt(file)->GetSize();
    for (INT_PTR i = 0; i < lines; ++i)
        pItem->AddOption(LineText(static_cast<int>(i + 1)), FALSE);
}

void CMFCTargetTabCtrl::InitSailLinePropList()
{
    CMyMFCPropertyGridCtrl& grid = m_wndSailLinePropList;
    if (!grid.GetSafeHwnd() || !m_pTrackObject)
        return;
    BeginList(grid);

    auto* sailLine = new CMFCPropertyGridProperty("Sail Line");
    auto* file = new CMFCPropertyGridProperty(
        "File Name", COleVariant(GetFileTitleFromPath(m_pTrackObject->GetTargetSailLineFileName())),
        "Select the SailLine File", ITEM_SAIL_LINE_FILE);
    for (INT_PTR i = 0; m_pSailLineList && i < m_pSailLineList->GetSize(); ++i)
        file->AddOption(GetFileTitleFromPath(m_pSailLineList->GetAt(i)->m_FilePath), FALSE);
    file->AllowEdit(FALSE);
    sailLine->AddSubItem(file);

    const int fileIndex = m_pTrackObject->m_SailLineFileIndex;
    const bool present = m_pSailLineList && fileIndex >= 0 && fileIndex < m_pSailLineList->GetSize() &&
                         m_pSailLineList->GetAt(fileIndex);
    auto* line = new CMFCPropertyGridProperty(
        "SailLine", COleVariant(present ? LineText(m_pTrackObject->m_SailLineNo + 1) : CString("n/a")),
        "Select the SailLine", ITEM_SAIL_LINE);
    FillLineOptions(line);
    line->AllowEdit(FALSE);
    sailLine->AddSubItem(line);
    grid.AddProperty(sailLine);

    const SailLineDef record = m_pTrackObject->m_TargetSailLine;
    auto readOnly = [](CMFCPropertyGridDouble* item) {
        item->SetLock(true);
        return item;
    };
    auto* coordinates = new CMFCPropertyGridProperty("Co-ordinates");
    coordinates->AddSubItem(readOnly(new CMFCPropertyGridDouble("SOL Easting", record.Start.x, "%10.2lfE")));
    coordinates->AddSubItem(readOnly(new CMFCPropertyGridDouble("SOL Northing", record.Start.y, "%10.2lfN")));
    coordinates->AddSubItem(readOnly(new CMFCPropertyGridDouble("EOL Easting", record.End.x, "%10.2lfE")));
    coordinates->AddSubItem(readOnly(new CMFCPropertyGridDouble("EOL Northing", record.End.y, "%10.2lfN")));
    grid.AddProperty(coordinates);

    auto* parameters = new CMFCPropertyGridProperty("Parameters");
    parameters->AddSubItem(readOnly(new CMFCPropertyGridDouble("Length", record.Leg.Length, "%10.2lf")));
    // The angle item keeps radians in this mode and shows them as a bearing in degrees.
    auto* bearing = new CMFCPropertyGridAngleDouble("Bearing", record.Leg.Bearing, kBearingMode);
    bearing->SetLock(true);
    parameters->AddSubItem(bearing);
    grid.AddProperty(parameters);

    auto* active = new CMFCPropertyGridProperty("Active Line");
    active->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
        "Colour", m_pTrackObject->m_SailLineColour, 28, "Specifies the pen colour of the Line", ITEM_SAIL_LINE_COLOUR));
    grid.AddProperty(active);
}

void CMFCTargetTabCtrl::BeginList(CMyMFCPropertyGridCtrl& grid)
{
    grid.RemoveAll();
    grid.EnableHeaderCtrl(FALSE, "Property", "Value");
    grid.SetVSDotNetLook(TRUE);
    grid.EnableDescriptionArea(TRUE);
    grid.MarkModifiedProperties(TRUE);
}

void CMFCTargetTabCtrl::UpdateSailLine()
{
    if (!m_pSailLineList || !m_pTrackObject || !m_wndSailLinePropList.GetSafeHwnd() ||
        m_wndSailLinePropList.GetPropertyCount() < 3)
        return;
    const SailLineDef record = m_pTrackObject->m_TargetSailLine;
    SetDouble(m_wndSailLinePropList, 1, 0, record.Start.x);
    SetDouble(m_wndSailLinePropList, 1, 1, record.Start.y);
    SetDouble(m_wndSailLinePropList, 1, 2, record.End.x);
    SetDouble(m_wndSailLinePropList, 1, 3, record.End.y);
    SetDouble(m_wndSailLinePropList, 2, 0, record.Leg.Length);
    SetDouble(m_wndSailLinePropList, 2, 1, record.Leg.Bearing);
}

void CMFCTargetTabCtrl::SaveTrackObject()
{
    if (m_pBarge)
        m_pBarge->Save();
    else if (m_pTemplate)
        m_pTemplate->Save();
}

LRESULT CMFCTargetTabCtrl::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (!item || !m_pTrackObject)
        return 0;
    switch (item->GetData())
    {
    case ITEM_SAIL_LINE_FILE:
    {
        const int option = ChosenOption(item);
        if (option >= 0 && option != m_pTrackObject->m_SailLineFileIndex)
        {
            m_pTrackObject->SetTargetSailLine(option, 0);
            if (CMFCPropertyGridProperty* line = SubItem(m_wndSailLinePropList, 0, 1))
            {
                FillLineOptions(line);
                line->SetValue(COleVariant(LineText(1)));
            }
            UpdateSailLine();
        }
        break;
    }
    case ITEM_SAIL_LINE:
    {
        const int option = ChosenOption(item);
        if (option >= 0)
            m_pTrackObject->SetTargetSailLine(m_pTrackObject->m_SailLineFileIndex, option);
        UpdateSailLine();
        break;
    }
    case ITEM_SAIL_LINE_COLOUR:
        m_pTrackObject->m_SailLineColour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
        break;
    default:
        OnTargetChanged(item);
        OnShadowChanged(item);
        break;
    }
    SaveTrackObject();
    RedrawChart(m_pOwnerWnd);
    return 0;
}
