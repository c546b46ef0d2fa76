#include "survey/GeneralSurveyPane.h"

#include "features/Barge.h"
#include "outside/panes/GroupProperty.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "survey/groups/DeviceValueDouble.h"
#include "survey/records/BathyUnit.h"

#include <cfloat>

namespace
{
const char* const ECHO_SOUNDER_FORMAT = "%6.2lfm";
} // namespace

IMPLEMENT_DYNAMIC(CGeneralSurveyPane, CSurveyPane)

// Only the handlers every pane shares.
BEGIN_MESSAGE_MAP(CGeneralSurveyPane, CSurveyPane)
END_MESSAGE_MAP()

CGeneralSurveyPane::CGeneralSurveyPane() = default;

CGeneralSurveyPane::~CGeneralSurveyPane() = default;

int CGeneralSurveyPane::Create(CWnd* pParent, int nID, CBarge* pVessel, CArray<CGps*, CGps*>* pReceivers, CGyro* pGyro,
                               CMru* pMru, CBathyUnit* pBathyUnit, double* pTidalHeight, CWind* pWind)
{
    return CreatePane(pParent, nID, "Vessel Navigation", [=] {
        m_pVessel = pVessel;
        m_pReceivers = pReceivers;
        m_pGyro = pGyro;
        m_pMru = pMru;
        m_pBathyUnit = pBathyUnit;
        m_pTidalHeight = pTidalHeight;
        m_pWind = pWind;
    });
}

void CGeneralSurveyPane::ResetPositions()
{
    m_nCrpPosition = -1;
    m_nEchoSounderPosition = m_nWindPosition = -1;
    m_pCrp = nullptr;
    m_pCrpPosition = m_pCrpKpDcc = nullptr;
    m_GpsGroups.Reset(&m_wndPropList, m_pVessel, m_pReceivers);
    m_HeadingSensors.Reset(&m_wndPropList, m_pGyro, m_pMru);
    m_pEchoSounder = nullptr;
    m_pDepth = m_pTidalHeightRow = nullptr;
}

void CGeneralSurveyPane::InitPropList()
{
    BeginPropList();
    ResetPositions();

    m_pCrp = new CMFCGroupPropertyGridProperty("Common Reference Point (CRP)", 0);
    m_pCrpPosition = new CMFCPropertyGridDualDisplay("Easting", 0.0, "%12.3lf", "E", "Northing", 0.0, "%12.3lf", "N");
    m_pCrpKpDcc = new CMFCPropertyGridDualDisplay("K.P", 0.0, "%7.3lf", "", "DCC", 0.0, "%7.3lf", "m");
    m_pCrp->AddSubItem(m_pCrpPosition);
    m_pCrp->AddSubItem(m_pCrpKpDcc);
    m_nCrpPosition = AddGroup(m_pCrp);

    m_GpsGroups.AddGpsGroups();
    const int gpsGroups = m_GpsGroups.GetGpsCount();
    if (gpsGroups >= 2)
        m_GpsGroups.AddHeadingAndComparisons(gpsGroups >= 3 ? 3 : 1);

    m_HeadingSensors.Add();
    if (m_pBathyUnit != nullptr)
    {
        m_pEchoSounder = new CMFCGroupPropertyGridProperty("Echo Sounder", m_wndPropList.GetPropertyCount());
        m_pDepth = new CDeviceValueDouble("Depth", m_pBathyUnit->m_Depth, ECHO_SOUNDER_FORMAT);
        m_pTidalHeightRow = new CDeviceValueDouble("Tidal Height", 0.0, ECHO_SOUNDER_FORMAT);
        m_pEchoSounder->AddSubItem(m_pDepth);
        m_pEchoSounder->AddSubItem(m_pTidalHeightRow);
        m_nEchoSounderPosition = AddGroup(m_pEchoSounder);
        ShowTidalHeight();
    }
}

void CGeneralSurveyPane::UpdateGpsPanes()
{
    m_GpsGroups.Show(m_bShowGpsHeading, m_bShowGpsDiff);
    m_HeadingSensors.Show();
    if (m_pEchoSounder != nullptr)
        m_pEchoSounder->Show(TRUE);
    if (m_wndPropList.GetSafeHwnd() != nullptr)
        m_wndPropList.AdjustLayout();
}

void CGeneralSurveyPane::SetShowGpsDiff(bool bShow)
{
    m_bShowGpsDiff = bShow;
    UpdateGpsPanes();
}

void CGeneralSurveyPane::SetShowGpsHeading(bool bShow)
{
    m_bShowGpsHeading = bShow;
    UpdateGpsPanes();
}

void CGeneralSurveyPane::UpdateGps(int index)
{
    m_GpsGroups.Update(index);
}

void CGeneralSurveyPane::UpdateCrp(bool bHideGps)
{
    if (m_pVessel == nullptr || m_pCrp == nullptr)
        return;
    m_pCrpPosition->SetValue(m_pVessel->m_Position.x, m_pVessel->m_Position.y);
    if (m_pVessel->m_CrpKp == 0.0 && m_pVessel->m_CrpDcc == 0.0)
    {
        m_pCrpKpDcc->Show(FALSE);
    }
    else
    {
        m_pCrpKpDcc->SetValue(m_pVessel->m_CrpKp, m_pVessel->m_CrpDcc);
        m_pCrpKpDcc->Show(TRUE);
    }
    bool anyShown = false;
    for (int i = 0; i < m_GpsGroups.GetGpsCount(); ++i)
    {
        const bool show = !bHideGps && m_GpsGroups.ReceiverActive(i);
        m_GpsGroups.ShowGpsGroup(i, show);
        anyShown = anyShown || show;
    }
    if (!anyShown)
        m_wndPropList.Trigger(m_nCrpPosition);
}

void CGeneralSurveyPane::UpdateGyro()
{
    m_HeadingSensors.UpdateGyro();
}

void CGeneralSurveyPane::UpdateMru()
{
    m_HeadingSensors.UpdateMru(false);
}

void CGeneralSurveyPane::UpdateBathyUnit()
{
    if (m_pEchoSounder == nullptr)
        return;
    switch (m_pBathyUnit->m_DepthSource)
    {
    case DEPTH_SOURCE_MANUAL:
        m_pEchoSounder->SetName("Manual Depth");
        break;
    case DEPTH_SOURCE_ECHO_SOUNDER:
        m_pEchoSounder->SetName("Echo Sounder");
        break;
    case DEPTH_SOURCE_DTM:
        m_pEchoSounder->SetName("DTM");
        break;
    default:
        break;
    }
    m_wndPropList.Trigger(m_nEchoSounderPosition);
    m_pDepth->SetValue(m_pBathyUnit->m_Depth);
    ShowTidalHeight();
}

void CGeneralSurveyPane::ShowTidalHeight()
{
    // 0 and the largest double are the host's "no tidal height".
    const bool known = m_pTidalHeight != nullptr && *m_pTidalHeight != 0.0 && *m_pTidalHeight != DBL_MAX;
    if (known)
        m_pTidalHeightRow->SetValue(*m_pTidalHeight);
    m_pTidalHeightRow->Show(known);
}

void CGeneralSurveyPane::GpsTimeout(int i)
{
    m_GpsGroups.Timeout(i);
}

void CGeneralSurveyPane::GyroTimeout()
{
    m_HeadingSensors.GyroTimeout();
}

void CGeneralSurveyPane::MruTimeout()
{
    m_HeadingSensors.MruTimeout();
}

void CGeneralSurveyPane::BathyUnitTimeout()
{
    SetTimeout(m_nEchoSounderPosition);
}
