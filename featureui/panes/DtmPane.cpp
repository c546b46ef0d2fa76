#include "featureui/panes/DtmPane.h"

#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/loaders/LoadDtm.h"
#include "featureui/panes/PaneGrid.h"
#include "features/Dtm.h"
#include "features/RedrawChart.h"
#include "foundation/FilePath.h"
#include "foundation/Folders.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Resources.h"

#ifndef WM_SETTINGCHANGE
#define WM_SETTINGCHANGE 0x001A
#endif

namespace
{
constexpr DWORD kPaneStyle = 0x56004140; // child, visible, clip siblings/children, CBRS_RIGHT | CBRS_FLOAT_MULTI
constexpr int kButtonHeight = 30;

// The buttons in the order they are made, with their captions.
const UINT kButtonIds[CDtmPane::BUTTON_COUNT] = {IDC_ADD_DTM_ONE,   IDC_CLEAR_DTM_ONE, IDC_ADD_DTM_TWO, IDC_CLEAR_DTM_TWO,
                                                  IDC_ADD_DTM_THREE, IDC_CLEAR_DTM_THREE, IDC_LOAD_DTMS};
const char* const kButtonCaptions[CDtmPane::BUTTON_COUNT] = {"Add DTM 1", "Clear DTM 1", "Add DTM 2", "Clear DTM 2",
                                                             "Add DTM 3", "Clear DTM 3", "Load DTMs"};
const char* const kDialogTitles[3] = {"DTM One (XYZ Format)", "DTM Two (XYZ Format)", "DTM Three (XYZ Format)"};
const char* const kFilter = "XYZ Files (*.xyz)|*.xyz|CSV Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|ASCII Files "
                            "(*.asc)|*.asc|All Files (*.*)|*.*||";

// A colour button whose face (and the face it lights up to) is a colour of its own: red for
// the buttons that clear a file, green for the one that loads.
class CTintedButton : public CColourButton
{
public:
    void SetFace(COLORREF face, COLORREF hover)
    {
        m_FaceColour = face;
        m_CurrentFaceColour = face;
        m_HoverColour = hover;
        if (GetSafeHwnd())
            Invalidate();
    }
};

CMFCPropertyGridProperty* ReadOnly(CMFCPropertyGridProperty* item)
{
    item->AllowEdit(FALSE);
    return item;
}

// "Easting" or "Northing": minimum, maximum, their difference, the cell count and size.
CMFCPropertyGridProperty* ExtentGroup(const char* name, double minimum, double maximum, int steps, double stepSize)
{
    auto* group = new CMFCPropertyGridProperty(name);
    group->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Minimum", minimum, "%12.3lf")));
    group->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Maximum", maximum, "%12.3lf")));
    group->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Difference", maximum - minimum, "%12.3lf")));
    group->AddSubItem(ReadOnly(new CMFCPropertyGridInteger("No Steps", steps)));
    group->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Step Size", stepSize, "%12.3lf")));
    return group;
}
} // namespace

IMPLEMENT_DYNAMIC(CDtmPane, CDockablePane)

BEGIN_MESSAGE_MAP(CDtmPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_MESSAGE(WM_SETTINGCHANGE, &CDtmPane::OnSettingChange)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CDtmPane::OnPropertyChanged)
END_MESSAGE_MAP()

CDtmPane::CDtmPane()
{
    RegisterFeaturePaneStrings();
}

CDtmPane::~CDtmPane()
{
    for (CColourButton*& button : m_pButtons)
    {
        delete button;
        button = nullptr;
    }
    m_wndPropList.DestroyWindow();
    m_fntPropList.DeleteObject();
}

BOOL CDtmPane::Create(CWnd* pOwner, int nID, CDtm* pDtm)
{
    CString title;
    AfxLoadString(IDS_DTM_PROPERTIES, title);
    if (!CDockablePane::Create(title, pOwner, CRect(0, 0, 200, 200), TRUE, static_cast<UINT>(nID), kPaneStyle,
                               AFX_CBRS_REGULAR_TABS, AFX_DEFAULT_DOCKING_PANE_STYLE))
        return FALSE;
    // A pane whose controls could not all be made builds nothing further.
    if (m_pButtons[BUTTON_COUNT - 1] == nullptr)
        return TRUE;
    m_pOwner = pOwner;
    m_pDtm = pDtm;
    InitPropList();
    AdjustLayout();
    return TRUE;
}

CColourButton* CDtmPane::GetButton(int nIndex) const
{
    return nIndex >= 0 && nIndex < BUTTON_COUNT ? m_pButtons[nIndex] : nullptr;
}

int CDtmPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_wndPropList.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, IDC_FEATURE_PROPERTY_GRID))
        return -1;
    const CRect buttonRect(0, 0, 100, 30);
    for (int i = 0; i < BUTTON_COUNT; ++i)
    {
        auto* button = new CTintedButton;
        if (!button->Create(kButtonCaptions[i], WS_CHILD | WS_VISIBLE, buttonRect, this, kButtonIds[i]))
        {
            delete button;
            return -1;
        }
        m_pButtons[i] = button;
    }
    for (int slot = 0; slot < 3; ++slot)
        static_cast<CTintedButton*>(m_pButtons[2 * slot + 1])->SetFace(RGB(128, 0, 0), RGB(64, 0, 0));
    static_cast<CTintedButton*>(m_pButtons[6])->SetFace(RGB(0, 128, 0), RGB(0, 64, 0));
    return 0;
}

void CDtmPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CDtmPane::OnSetFocus(CWnd* pOldWnd)
{
    CDockablePane::OnSetFocus(pOldWnd);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFocus();
}

LRESULT CDtmPane::OnSettingChange(WPARAM, LPARAM)
{
    Default();
    SetPropListFont();
    return 0;
}

void CDtmPane::SetPropListFont()
{
    CreatePropListFont(m_fntPropList);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.SetFont(&m_fntPropList);
}

void CDtmPane::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr || m_pButtons[BUTTON_COUNT - 1] == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    const int w = client.Width() / 4;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    for (int slot = 0; slot < 3; ++slot)
    {
        m_pButtons[2 * slot]->SetWindowPos(nullptr, client.left + slot * w, client.top, w, kButtonHeight, flags);
        m_pButtons[2 * slot + 1]->SetWindowPos(nullptr, client.left + slot * w, client.top + kButtonHeight, w,
                                               kButtonHeight, flags);
    }
    m_pButtons[6]->SetWindowPos(nullptr, client.left + 3 * w, client.top, w, 2 * kButtonHeight, flags);
    m_wndPropList.SetWindowPos(nullptr, client.left, client.top + 2 * kButtonHeight, client.Width(),
                               client.Height() - 2 * kButtonHeight, flags);
}

void CDtmPane::SetDaylightMode()
{
    SetNightMode(false);
}

void CDtmPane::SetNightMode(bool bNight)
{
    m_wndPropList.SetNightMode(bNight);
    m_wndPropList.SetColourScheme(m_wndPropList.GetColourScheme());
}

void CDtmPane::SetVSDotNetLook(BOOL bSet)
{
    m_wndPropList.SetVSDotNetLook(bSet);
}

void CDtmPane::InitPropList()
{
    SetPropListFont();
    ApplyGreyGridScheme(m_wndPropList);
    m_wndPropList.MarkModifiedProperties(FALSE);
    m_wndPropList.RemoveAll();
    if (m_pDtm == nullptr)
        return;
    const CDtm& dtm = *m_pDtm;

    auto* properties = new CMFCPropertyGridProperty("Properties");
    properties->AddSubItem(new CMFCPropertyGridProperty("Display DTM Coverage", COleVariant(dtm.m_bDisplayCoverage),
                                                        "Determine whether to display the limits of the DTM",
                                                        ITEM_DISPLAY_COVERAGE));
    m_wndPropList.AddProperty(properties, TRUE, TRUE);
    properties->Expand(TRUE);

    if (!dtm.m_FileName[0].IsEmpty())
    {
        const char* const groupNames[3] = {dtm.m_FileName[1].IsEmpty() ? "DTM File" : "DTM One File", "DTM TWO File",
                                           "DTM THREE File"};
        for (int slot = 0; slot < 3; ++slot)
        {
            if (dtm.m_FileName[slot].IsEmpty())
                continue;
            auto* group = new CMFCPropertyGridProperty(groupNames[slot]);
            group->AddSubItem(ReadOnly(new CMFCPropertyGridProperty(
                "Name", COleVariant(GetFileTitleFromPath(dtm.m_FileName[slot])),
                "File format needs to be Easting, Northing, Depth. With the Depth should be a negative value", 0)));
            // Size, date and pen only once a load has stamped the file.
            if (dtm.m_Header.Stamp[slot].Length != 0)
            {
                const tagPen& pen = dtm.m_Pen[slot];
                const DWORD_PTR first = ITEM_PEN_COLOUR + 3 * slot;
                group->AddSubItem(
                    ReadOnly(new CMFCPropertyGridProperty("File Size", COleVariant(dtm.m_SizeText[slot]), nullptr, 0)));
                group->AddSubItem(
                    ReadOnly(new CMFCPropertyGridProperty("File Date", COleVariant(dtm.m_DateText[slot]), nullptr, 0)));
                group->AddSubItem(new CMFCPropertyGridPrimaryColourProperty(
                    "Colour", pen.Colour, 28, "Specifies the pen color for the DTM Coverage", first));
                group->AddSubItem(new CMFCPropertyGridFillStyleProperty(pen.nFill, pen.Colour, first + 1));
                group->AddSubItem(new CMFCPropertyGridLineThicknessProperty(pen.nThickness, pen.Colour, first + 2));
            }
            m_wndPropList.AddProperty(group, TRUE, TRUE);
            group->Expand(TRUE);
        }
    }

    if (dtm.m_pCells == nullptr)
        return;
    const double cell = dtm.m_Header.CellSize;
    m_wndPropList.AddProperty(
        ExtentGroup("Easting", dtm.m_MinEasting, dtm.m_MaxEasting, dtm.m_Header.Columns, cell), TRUE, TRUE);
    m_wndPropList.AddProperty(
        ExtentGroup("Northing", dtm.m_MinNorthing, dtm.m_MaxNorthing, dtm.m_Header.Rows, cell), TRUE, TRUE);
    auto* depth = new CMFCPropertyGridProperty("Depth");
    depth->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Minimum", dtm.m_MinDepth, "%6.1lf")));
    depth->AddSubItem(ReadOnly(new CMFCPropertyGridDouble("Maximum", dtm.m_MaxDepth, "%6.1lf")));
    m_wndPropList.AddProperty(depth, TRUE, TRUE);
}

void CDtmPane::ChooseFile(int nButton)
{
    if (m_pDtm == nullptr)
        return;
    CFileDialog dialog(TRUE, "xyz", nullptr, OFN_EXPLORER | OFN_HIDEREADONLY, kFilter, this, 0, TRUE);
    dialog.m_ofn.lpstrTitle = kDialogTitles[nButton];
    // Terrain files are data: the dialog starts beside the terrain already chosen, else in the
    // data folder, never wherever the program happened to start.
    CString folder;
    const CString& known = !m_pDtm->m_FileName[nButton].IsEmpty() ? m_pDtm->m_FileName[nButton] : m_pDtm->m_FileName[0];
    if (known.ReverseFind('\\') > 0)
        folder = known.Left(known.ReverseFind('\\') + 1);
    else
        FindMyDataFolder(folder, nullptr);
    if (!folder.IsEmpty())
        dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (path.IsEmpty())
        return;
    CString* names = m_pDtm->m_FileName;
    // The file of slot one again (or, for the later buttons, of slot two) changes nothing.
    if (path == names[0] || (nButton > 0 && path == names[1]))
        return;
    // The first slot up to the button's own whose slot before it holds a file.
    int slot = nButton;
    while (slot > 0 && names[slot - 1].IsEmpty())
        --slot;
    names[slot] = path;
    FilesChanged();
}

void CDtmPane::ClearSlot(int nSlot)
{
    if (m_pDtm == nullptr || m_pDtm->m_FileName[nSlot].IsEmpty())
        return;
    CString* names = m_pDtm->m_FileName;
    for (int slot = nSlot; slot < 2; ++slot)
        names[slot] = names[slot + 1];
    names[2].Empty();
    FilesChanged();
}

void CDtmPane::FilesChanged()
{
    // The grid was made from the files as they were: it must be loaded again.
    if (m_pDtm->m_pCells != nullptr)
        m_pDtm->Unload();
    m_pDtm->SaveSettings();
    InitPropList();
    PostToOwner(UM_UPDATE_DTM);
}

void CDtmPane::OnLoadDtm()
{
    if (m_pDtm == nullptr)
        return;
    LoadDtm(m_pDtm);
    InitPropList();
    RedrawChart(m_pOwner);
    PostToOwner(UM_UPDATE_DTM);
}

LRESULT CDtmPane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* item = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (item == nullptr || m_pDtm == nullptr)
        return 0;
    const DWORD_PTR id = item->GetData();
    if (id < ITEM_DISPLAY_COVERAGE || id > ITEM_LAST)
        return 0;
    if (id == ITEM_DISPLAY_COVERAGE)
        m_pDtm->m_bDisplayCoverage = item->GetValue().boolVal != 0;
    else
    {
        tagPen& pen = m_pDtm->m_Pen[(id - ITEM_PEN_COLOUR) / 3];
        switch ((id - ITEM_PEN_COLOUR) % 3)
        {
        case 0:
        {
            const COLORREF colour = static_cast<CMFCPropertyGridPrimaryColourProperty*>(item)->GetColour();
            if (colour == pen.Colour)
                return 0;
            pen.Colour = colour;
            m_pDtm->SaveSettings();
            RedrawChart(m_pOwner);
            RecolourSamples(item->GetParent(), colour);
            return 0;
        }
        case 1:
        {
            const short fill = static_cast<CMFCPropertyGridFillStyleProperty*>(item)->GetFillStyle();
            if (fill == pen.nFill)
                return 0;
            pen.nFill = fill;
            break;
        }
        default:
        {
            const short width = static_cast<CMFCPropertyGridLineThicknessProperty*>(item)->GetThickness();
            if (width == pen.nThickness)
                return 0;
            pen.nThickness = width;
            break;
        }
        }
    }
    m_pDtm->SaveSettings();
    RedrawChart(m_pOwner);
    return 0;
}

void CDtmPane::PostToOwner(UINT message) const
{
    if (m_pOwner != nullptr)
        ::PostMessage(m_pOwner->GetSafeHwnd(), message, 0, 0);
}

BOOL CDtmPane::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED)
    {
        switch (LOWORD(wParam))
        {
        case IDC_ADD_DTM_ONE: OnAddDtmOne(); return TRUE;
        case IDC_CLEAR_DTM_ONE: OnRemoveDtmOne(); return TRUE;
        case IDC_ADD_DTM_TWO: OnAddDtmTwo(); return TRUE;
        case IDC_CLEAR_DTM_TWO: OnRemoveDtmTwo(); return TRUE;
        case IDC_ADD_DTM_THREE: OnAddDtmThree(); return TRUE;
        case IDC_CLEAR_DTM_THREE: OnRemoveDtmThree(); return TRUE;
        case IDC_LOAD_DTMS: OnLoadDtm(); return TRUE;
        default: break;
        }
    }
    return CDockablePane::OnCommand(wParam, lParam);
}
