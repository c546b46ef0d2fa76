#include "featureui/dialogs/GpxTracksDlg.h"

#include "featureui/dialogs/GpxSettings.h"
#include "featureui/dialogs/GpxWindFarmResources.h"
#include "features/Gpx.h"

namespace
{
UINT GpxTracksTemplate()
{
    RegisterGpxWindFarmTemplates();
    return IDD_GPX_TRACKS;
}
} // namespace

IMPLEMENT_DYNAMIC(CGpxTracksDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CGpxTracksDlg, CColourDialogEx)
ON_NOTIFY(NM_CLICK, IDC_LIST1, &CGpxTracksDlg::OnClickList1)
ON_BN_CLICKED(IDC_GPX_SELECT_ALL, &CGpxTracksDlg::OnClickedSelectAll)
ON_CBN_SELCHANGE(IDC_GPX_TRACK_COLOUR, &CGpxTracksDlg::OnSelchangeTrackColourComboBox)
ON_BN_CLICKED(IDC_GPX_SHOW_DOTS, &CGpxTracksDlg::OnClickedShowDots)
END_MESSAGE_MAP()

CGpxTracksDlg::CGpxTracksDlg(CWnd* pParent) : CColourDialogEx(GpxTracksTemplate(), pParent) {}

void CGpxTracksDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GPX_TRACK_COLOUR, m_TrackColour);
    DDX_Control(pDX, IDC_GPX_SHOW_DOTS, m_ShowDots);
    DDX_Control(pDX, IDC_LIST1, m_List);
    DDX_Control(pDX, IDC_GPX_SELECT_ALL, m_SelectAll);
    DDX_Control(pDX, IDOK, m_OK);
}

BOOL CGpxTracksDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_List.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_List.AddColumn("Namme", LVCFMT_LEFT);
    m_List.AddColumn("Points", LVCFMT_LEFT);
    if (m_pGpx)
        for (INT_PTR i = 0; i < m_pGpx->m_Tracks.GetSize(); ++i)
        {
            const GpxTrackDef* track = m_pGpx->m_Tracks[i];
            const int row = m_List.InsertItem(static_cast<int>(i), track->Name);
            CString count;
            count.Format("%d", static_cast<int>(track->Points.GetSize()));
            m_List.SetItemText(row, 1, count);
            m_List.SetCheck(row, track->Display ? TRUE : FALSE);
        }
    AutoSizeColumns(&m_List, false);

    m_TrackColour.FillColours();
    // A colour that is not a swatch shows as the first, black, but stays stored until the user
    // picks one.
    const int swatch = m_pGpx ? CColourPickerComboBoxEx::FindColour(m_pGpx->m_TrackColour) : -1;
    m_TrackColour.SetCurSel(swatch < 0 ? 0 : swatch);

    m_ShowDots.SetCheck(m_pGpx && m_pGpx->m_bShowDots ? BST_CHECKED : BST_UNCHECKED);
    ShowSelectAllText();
    return TRUE;
}

bool CGpxTracksDlg::AllSelected() const
{
    if (!m_pGpx)
        return true;
    for (INT_PTR i = 0; i < m_pGpx->m_Tracks.GetSize(); ++i)
        if (!m_pGpx->m_Tracks[i]->Display)
            return false;
    return true;
}

void CGpxTracksDlg::ShowSelectAllText()
{
    m_SelectAll.SetWindowText(AllSelected() ? "Clear ALL" : "Select ALL");
}

void CGpxTracksDlg::OnClickList1(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* click = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    const int row = click->iItem;
    if (m_pGpx && row >= 0 && row < m_pGpx->m_Tracks.GetSize())
    {
        // The click toggles the track. A click beside the box leaves the box to us, so that it
        // always shows what is drawn.
        const bool show = !m_List.GetCheck(row);
        m_pGpx->m_Tracks[row]->Display = show;
        UINT flags = 0;
        m_List.HitTest(CPoint(click->ptAction), &flags);
        if (!(flags & LVHT_ONITEMSTATEICON))
            m_List.SetCheck(row, show ? TRUE : FALSE);
        SaveGpxDisplayList(m_pGpx, m_pGpx->m_FilePath);
    }
    ShowSelectAllText();
    *pResult = 0;
}

void CGpxTracksDlg::OnClickedSelectAll()
{
    if (!m_pGpx)
        return;
    const bool show = !AllSelected();
    for (INT_PTR i = 0; i < m_pGpx->m_Tracks.GetSize(); ++i)
    {
        m_pGpx->m_Tracks[i]->Display = show;
        m_List.SetCheck(static_cast<int>(i), show ? TRUE : FALSE);
    }
    m_SelectAll.SetWindowText(show ? "Clear ALL" : "Select ALL");
}

void CGpxTracksDlg::OnSelchangeTrackColourComboBox()
{
    if (!m_pGpx)
        return;
    const int selection = m_TrackColour.GetCurSel();
    m_pGpx->m_TrackColour = selection > 27 ? 0 : CColourPickerComboBoxEx::GetColour(selection);
    SaveGpxSettings(m_pGpx);
}

void CGpxTracksDlg::OnClickedShowDots()
{
    if (!m_pGpx)
        return;
    m_pGpx->m_bShowDots = m_ShowDots.GetCheck() == BST_CHECKED;
    SaveGpxSettings(m_pGpx);
}
