#include "featureui/dialogs/WindFarmTurbinesDlg.h"

#include "featureui/dialogs/DialogPictures.h"
#include "featureui/dialogs/GpxWindFarmResources.h"
#include "features/WindFarmList.h"
#include "foundation/AngleFormat.h"
#include "foundation/TextFunctions.h"

namespace
{
UINT TurbinesTemplate()
{
    RegisterGpxWindFarmTemplates();
    return IDD_WIND_FARM_TURBINES;
}

// Each value has a column of its own: identifier, latitude, longitude, then the attributes in
// the order of the headings.
enum TURBINE_COLUMN
{
    TC_ID,
    TC_LATITUDE,
    TC_LONGITUDE,
    TC_MAX_HEIGHT,
    TC_NAVIGATION_LIGHTS,
    TC_RADIO_RADAR,
    TC_FOG_SIGNAL,
    TC_BLADE_RADIUS,
    TC_STRUCTURE_HEIGHT
};
} // namespace

IMPLEMENT_DYNAMIC(CWindFarmTurbinesDlg, CColourDialogEx)

BEGIN_MESSAGE_MAP(CWindFarmTurbinesDlg, CColourDialogEx)
ON_NOTIFY(NM_CLICK, IDC_LIST1, &CWindFarmTurbinesDlg::OnClickList1)
END_MESSAGE_MAP()

CWindFarmTurbinesDlg::CWindFarmTurbinesDlg(CWnd* pParent) : CColourDialogEx(TurbinesTemplate(), pParent) {}

void CWindFarmTurbinesDlg::SetData(const char* turbineId, const char* windFarm, CWindFarmList* pList)
{
    m_TurbineId = turbineId;
    m_WindFarm = windFarm;
    m_pWindFarmList = pList;
}

void CWindFarmTurbinesDlg::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST1, m_List);
    DDX_Control(pDX, IDC_WIND_FARM_REMARKS, m_Remarks);
    DDX_Control(pDX, IDOK, m_OK);
}

CString CWindFarmTurbinesDlg::FormatValue(float value)
{
    if (value == WIND_FARM_NO_VALUE)
        return CString();
    CString text;
    text.Format("%.2f", static_cast<double>(value));
    return TrimTrailingZeros(text);
}

const TurbineDef* CWindFarmTurbinesDlg::FindTurbine(const char* id) const
{
    if (!m_pWindFarmList)
        return nullptr;
    for (INT_PTR i = 0; i < m_pWindFarmList->m_Turbines.GetSize(); ++i)
    {
        const TurbineDef* turbine = m_pWindFarmList->m_Turbines[i];
        if (turbine->WindFarm == m_WindFarm && turbine->Id == id)
            return turbine;
    }
    return nullptr;
}

BOOL CWindFarmTurbinesDlg::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    m_List.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    if (m_ImageList.GetSafeHandle() == nullptr)
    {
        m_ImageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1);
        RegisterDialogPictures();
        CBitmap turbines;
        if (turbines.LoadBitmap(IDB_WIND_TURBINES))
            m_ImageList.Add(&turbines, RGB(255, 255, 255));
    }
    m_List.SetImageList(&m_ImageList, LVSIL_SMALL);
    static const char* const kHeadings[] = {"\nID",
                                            "\nLatitude",
                                            "\nLongitude",
                                            "MaxHeight\ninc blade\nMHWS",
                                            "Navigation\nLights",
                                            "Radio\nRadar",
                                            "Fog\nSignal",
                                            "Blade\nRadius",
                                            "Structure Height\ninc blade\nMHWS"};
    for (const char* heading : kHeadings)
        m_List.AddColumn(heading, LVCFMT_CENTER);

    const TurbineDef* shown = nullptr;
    if (m_pWindFarmList)
        for (INT_PTR i = 0; i < m_pWindFarmList->m_Turbines.GetSize(); ++i)
        {
            const TurbineDef* turbine = m_pWindFarmList->m_Turbines[i];
            if (turbine->WindFarm != m_WindFarm)
                continue;
            CString caption;
            caption.Format("%s Wind Farm (%s)", static_cast<LPCSTR>(m_WindFarm),
                           static_cast<LPCSTR>(turbine->Subtitle));
            SetWindowText(caption);
            if (turbine->Id == m_TurbineId)
            {
                shown = turbine;
                m_Remarks.SetWindowText(turbine->Remarks);
            }
            // Each row goes on top, so the last turbine of the farm comes first.
            const int row = m_List.InsertItem(0, turbine->Id, turbine->Image);
            m_List.SetItemText(row, TC_LATITUDE, FormatAngle(turbine->Latitude, ANGLE_LATITUDE, 1, 4, 0));
            m_List.SetItemText(row, TC_LONGITUDE, FormatAngle(turbine->Longitude, ANGLE_LONGITUDE, 1, 4, 0));
            m_List.SetItemText(row, TC_MAX_HEIGHT, FormatValue(turbine->MaxHeight));
            m_List.SetItemText(row, TC_NAVIGATION_LIGHTS, turbine->NavigationLights);
            m_List.SetItemText(row, TC_RADIO_RADAR, turbine->RadioRadar);
            m_List.SetItemText(row, TC_FOG_SIGNAL, turbine->FogSignal);
            m_List.SetItemText(row, TC_BLADE_RADIUS, FormatValue(turbine->BladeRadius));
            m_List.SetItemText(row, TC_STRUCTURE_HEIGHT, FormatValue(turbine->StructureHeight));
        }
    AutoSizeColumns(&m_List, false);
    // The row that shows the given turbine, wherever the insertions put it.
    for (int row = 0; shown && row < m_List.GetItemCount(); ++row)
        if (m_List.GetItemText(row, TC_ID) == shown->Id)
        {
            m_List.EnsureVisible(row, FALSE);
            m_List.SetSelectionMark(row);
            break;
        }
    return TRUE;
}

void CWindFarmTurbinesDlg::OnClickList1(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* click = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    if (click->iItem >= 0)
        if (const TurbineDef* turbine = FindTurbine(m_List.GetItemText(click->iItem, TC_ID)))
            m_Remarks.SetWindowText(turbine->Remarks);
    *pResult = 0;
}
