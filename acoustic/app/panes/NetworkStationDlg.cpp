#include "acoustic/app/panes/NetworkStationDlg.h"

#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/panes/FramePane.h"
#include "acoustic/engine/Network.h"
#include "outside/notifex/Notifex.h"
#include "outside/panes/PropertyGridColours.h"

#include <charconv>
#include <cmath>

IMPLEMENT_DYNAMIC(CNetworkStationDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CNetworkStationDlg, CColourDialogEx)
ON_CBN_SELCHANGE(IDC_NETWORK_STATION_TYPE, &CNetworkStationDlg::OnTypeChange)
ON_EN_CHANGE(IDC_NETWORK_STATION_NAME, &CNetworkStationDlg::OnFieldChange)
ON_EN_CHANGE(IDC_NETWORK_STATION_EASTING, &CNetworkStationDlg::OnFieldChange)
ON_EN_CHANGE(IDC_NETWORK_STATION_NORTHING, &CNetworkStationDlg::OnFieldChange)
ON_EN_CHANGE(IDC_NETWORK_STATION_HEIGHT, &CNetworkStationDlg::OnFieldChange)
ON_EN_CHANGE(IDC_NETWORK_STATION_WEIGHT, &CNetworkStationDlg::OnFieldChange)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

const char* const CNetworkStationDlg::TYPE_NAMES[4] = {"Unused", "Float", "Fixed", "Boxed"};

namespace
{
// The whole text, blanks around it aside, as one finite number; false for anything else
// ("12O.5", "", "-", "n/a"), which atof would have read as 0 or as part of the text.
bool ReadNumber(CString text, double& value)
{
    text.Trim();
    const char* p = text.GetString();
    if (*p == '+')
        ++p;
    const char* end = text.GetString() + text.GetLength();
    double parsed = 0.0;
    const auto result = std::from_chars(p, end, parsed);
    if (p == end || result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}
} // namespace

CNetworkStationDlg::CNetworkStationDlg(CNetworkStation* pStation, const CNetwork* pNetwork, int nIndex,
                                       CWnd* pParent)
    : CColourDialogEx(IDD_ACOUSTIC_NETWORK_STATION, pParent), m_pStation(pStation), m_pNetwork(pNetwork),
      m_nIndex(nIndex)
{
    RegisterAcousticResources();
    m_RefusedBrush.CreateSolidBrush(PANES_WARNING_BACK);
}

CEditDouble& CNetworkStationDlg::GetNumberEdit(UINT nID)
{
    switch (nID)
    {
    case IDC_NETWORK_STATION_NORTHING: return m_Northing;
    case IDC_NETWORK_STATION_HEIGHT: return m_Height;
    case IDC_NETWORK_STATION_WEIGHT: return m_Weight;
    default: return m_Easting;
    }
}

void CNetworkStationDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NETWORK_STATION_NAME, m_Name);
    DDX_Control(pDX, IDC_NETWORK_STATION_EASTING, m_Easting);
    DDX_Control(pDX, IDC_NETWORK_STATION_NORTHING, m_Northing);
    DDX_Control(pDX, IDC_NETWORK_STATION_HEIGHT, m_Height);
    DDX_Control(pDX, IDC_NETWORK_STATION_TYPE, m_Type);
    DDX_Control(pDX, IDC_NETWORK_STATION_WEIGHT, m_Weight);
    DDX_Control(pDX, IDC_NETWORK_STATION_WEIGHT_LABEL, m_WeightLabel);
    DDX_Control(pDX, IDOK, m_OK);
    DDX_Control(pDX, IDCANCEL, m_Cancel);
}

BOOL CNetworkStationDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_Name.SetWindowText(m_pStation->m_Name);
    m_Easting.SetValue(m_pStation->m_GivenE);
    m_Northing.SetValue(m_pStation->m_GivenN);
    m_Height.SetValue(m_pStation->m_GivenDepth);

    LoadStationIcons(m_Icons);
    m_Type.SetImageList(&m_Icons);
    for (int type = 0; type < 4; ++type)
    {
        COMBOBOXEXITEM item{};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
        item.iItem = type;
        item.pszText = const_cast<LPSTR>(TYPE_NAMES[type]);
        item.iImage = type;
        item.iSelectedImage = type;
        m_Type.InsertItem(&item);
    }
    const int type = m_pStation->m_Status;
    m_Type.SetCurSel(type >= STATION_NOT_IN_USE && type <= STATION_FREE_WITH_POSITION ? type : STATION_NOT_IN_USE);
    m_Weight.SetValue(m_pStation->m_PositionSE);
    ShowWeight();
    m_nRefused = 0;
    return TRUE;
}

void CNetworkStationDlg::ShowWeight()
{
    const int show = m_Type.GetCurSel() == STATION_FREE_WITH_POSITION ? SW_SHOW : SW_HIDE;
    m_Weight.ShowWindow(show);
    m_WeightLabel.ShowWindow(show);
}

void CNetworkStationDlg::OnTypeChange()
{
    ShowWeight();
}

void CNetworkStationDlg::OnFieldChange()
{
    if (m_nRefused == 0)
        return;
    const UINT refused = m_nRefused;
    m_nRefused = 0;
    if (CWnd* field = GetDlgItem(static_cast<int>(refused)))
        field->Invalidate();
}

HBRUSH CNetworkStationDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_nRefused != 0 && pWnd != nullptr && static_cast<UINT>(pWnd->GetDlgCtrlID()) == m_nRefused)
    {
        if (pDC)
        {
            pDC->SetTextColor(PANES_WARNING_TEXT);
            pDC->SetBkColor(PANES_WARNING_BACK);
        }
        return static_cast<HBRUSH>(m_RefusedBrush.GetSafeHandle());
    }
    return CColourDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CNetworkStationDlg::Refuse(UINT nID, const CString& why)
{
    m_nRefused = nID;
    if (CWnd* field = GetDlgItem(static_cast<int>(nID)))
    {
        field->Invalidate();
        field->SetFocus();
        if (auto* edit = dynamic_cast<CEdit*>(field))
            edit->SetSel(0, -1);
    }
    ErrorMessage(why, this);
}

void CNetworkStationDlg::OnOK()
{
    CString name;
    m_Name.GetWindowText(name);
    name.Trim();
    if (name.IsEmpty())
    {
        Refuse(IDC_NETWORK_STATION_NAME, "Give the station a name.");
        return;
    }
    // Stations are picked by name elsewhere: two of one name could not be told apart.
    if (m_pNetwork != nullptr)
        for (INT_PTR i = 0; i < m_pNetwork->GetSize(); ++i)
            if (i != m_nIndex && m_pNetwork->GetAt(i).m_Name.CompareNoCase(name) == 0)
            {
                CString why;
                why.Format("Station %d is already named \"%s\".\nGive this station a name of its own.",
                           static_cast<int>(i + 1), m_pNetwork->GetAt(i).m_Name.GetString());
                Refuse(IDC_NETWORK_STATION_NAME, why);
                return;
            }

    const int type = m_Type.GetCurSel() >= 0 ? m_Type.GetCurSel() : STATION_NOT_IN_USE;
    const bool boxed = type == STATION_FREE_WITH_POSITION;
    struct Field
    {
        UINT id;
        const char* label;
        double* value;
    };
    double easting = m_pStation->m_GivenE, northing = m_pStation->m_GivenN, height = m_pStation->m_GivenDepth;
    double weight = m_pStation->m_PositionSE;
    const Field fields[] = {{IDC_NETWORK_STATION_EASTING, "Easting", &easting},
                            {IDC_NETWORK_STATION_NORTHING, "Northing", &northing},
                            {IDC_NETWORK_STATION_HEIGHT, "Depth/Height", &height},
                            {IDC_NETWORK_STATION_WEIGHT, "Weight", &weight}};
    for (const Field& field : fields)
    {
        CEditDouble& edit = GetNumberEdit(field.id);
        // The weight of a station that is not boxed in is neither shown nor used.
        if (edit.GetSafeHwnd() == nullptr || (field.id == IDC_NETWORK_STATION_WEIGHT && !boxed))
            continue;
        CString text;
        edit.GetWindowText(text);
        if (!ReadNumber(text, *field.value))
        {
            CString why;
            why.Format("%s \"%s\" is not a number.", field.label, text.GetString());
            Refuse(field.id, why);
            return;
        }
    }
    if (boxed && !(weight > 0.0))
    {
        Refuse(IDC_NETWORK_STATION_WEIGHT, "The weight of a boxed station must be above 0.");
        return;
    }

    m_pStation->m_Name = name;
    m_pStation->m_GivenE = easting;
    m_pStation->m_GivenN = northing;
    m_pStation->m_GivenDepth = height;
    m_pStation->m_PositionSE = weight;
    m_pStation->m_Status = type;
    m_nRefused = 0;
    CColourDialogEx::OnOK();
}
