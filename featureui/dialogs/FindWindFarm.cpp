#include "featureui/dialogs/FindWindFarm.h"

#include "featureui/dialogs/GpxWindFarmResources.h"
#include "features/WindFarmList.h"

namespace
{
UINT FindWindFarmTemplate()
{
    RegisterGpxWindFarmTemplates();
    return IDD_FIND_WIND_FARM;
}
} // namespace

IMPLEMENT_DYNAMIC(CFindWindFarm, CColourDialogEx)

BEGIN_MESSAGE_MAP(CFindWindFarm, CColourDialogEx)
ON_BN_CLICKED(IDOK, &CFindWindFarm::OnBnClickedOk)
ON_LBN_DBLCLK(IDC_LIST1, &CFindWindFarm::OnDblclkList)
END_MESSAGE_MAP()

CFindWindFarm::CFindWindFarm(CWnd* pParent) : CColourDialogEx(FindWindFarmTemplate(), pParent) {}

void CFindWindFarm::DoDataExchange(CDataExchange* pDX)
{
    CColourDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST1, m_List);
    DDX_Control(pDX, IDOK, m_Find);
    DDX_Control(pDX, IDCANCEL, m_Cancel);
}

BOOL CFindWindFarm::OnInitDialog()
{
    CColourDialogEx::OnInitDialog();
    if (m_pWindFarmList)
        for (INT_PTR i = 0; i < m_pWindFarmList->m_WindFarms.GetSize(); ++i)
            m_List.AddString(m_pWindFarmList->m_WindFarms[i]->Name);
    return TRUE;
}

bool CFindWindFarm::Find()
{
    const int selection = m_List.GetCurSel();
    if (!m_pWindFarmList || selection < 0)
        return false;
    CString name;
    m_List.GetText(selection, name);
    for (INT_PTR i = 0; i < m_pWindFarmList->m_WindFarms.GetSize(); ++i)
    {
        const WindFarmDef* farm = m_pWindFarmList->m_WindFarms[i];
        if (farm->Name == name)
        {
            m_Found = tagXY{farm->Easting, farm->Northing};
            return true;
        }
    }
    return false;
}

void CFindWindFarm::OnBnClickedOk()
{
    EndDialog(Find() ? IDOK : IDCANCEL);
}

void CFindWindFarm::OnDblclkList()
{
    if (Find())
        EndDialog(IDOK);
}
