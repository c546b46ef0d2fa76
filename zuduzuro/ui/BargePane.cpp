#include "zuduzuro/ui/BargePane.h"

#include "zuduzuro/Anchor.h"
#include "zuduzuro/BargeData.h"

#include "foundation/Geometry.h"
#include "foundation/WindowMessages.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/MetricProperty.h"
#include "outside/panes/units/TensionProperty.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CBargePane, CDockablePane)

BEGIN_MESSAGE_MAP(CBargePane, CPropertyPane)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CBargePane::OnPropertyChanged)
END_MESSAGE_MAP()

namespace
{
constexpr double kDegreesToRadians = 0.017453292519943;
constexpr double kRadiansToDegrees = 57.2957795131;

enum GROUP
{
    GROUP_GPS = 0,
    GROUP_OFFSET = 1,
    GROUP_HEADING = 2,
    GROUP_CRP = 3,
    GROUP_VERTICAL = 4,
    GROUP_FAIRLEAD = 5,
    GROUP_DEPTH = 6,
    GROUP_WINCH = 7
};

CMFCPropertyGridMetricProperty* Metric(const char* name, double value, const char* description, DWORD_PTR id)
{
    auto* item = new CMFCPropertyGridMetricProperty(name, value, METRIC_COORDINATE, 0, description, id);
    if (id == 0)
    {
        item->AllowEdit(FALSE);
        item->SetLock(true);
    }
    return item;
}

CMFCPropertyGridDouble* Double(const char* name, double value, const char* format, const char* description,
                               DWORD_PTR id)
{
    return new CMFCPropertyGridDouble(name, value, format, description, id);
}

void SetMetres(CMFCPropertyGridProperty* item, double metres)
{
    if (auto* metric = dynamic_cast<CMFCPropertyGridMetricProperty*>(item))
        metric->SetMetres(metres);
}
} // namespace

CBargePane::~CBargePane() = default;

void CBargePane::SetData(CBargeData* pBarge, CAnchor* pAnchor)
{
    m_pBarge = pBarge;
    m_pAnchor = pAnchor;
}

void CBargePane::InitPropList()
{
    BeginPropList();
    if (m_pBarge == nullptr || m_pAnchor == nullptr)
        return;
    const CBargeData& b = *m_pBarge;
    const CAnchor& a = *m_pAnchor;

    auto* gps = new CMFCPropertyGridProperty("GPS Position");
    gps->AddSubItem(Metric("Easting", b.m_Easting, "Easting of GPS", 1));
    gps->AddSubItem(Metric("Northing", b.m_Northing, "Northing of GPS", 2));
    m_wndPropList.AddProperty(gps);

    auto* offset = new CMFCPropertyGridProperty("GPS Offset from CRP");
    offset->AddSubItem(Double("X", b.m_OffsetX, "%+8.3lfm", "Antenna X Offset", 3));
    offset->AddSubItem(Double("Y", b.m_OffsetY, "%+8.3lfm", "Antenna Y Offset", 4));
    m_wndPropList.AddProperty(offset);

    auto* heading = new CMFCPropertyGridProperty("Grid Heading");
    heading->AddSubItem(
        new CMFCPropertyGridAngleDouble("Grid Heading", b.m_Heading * kDegreesToRadians, 1, "Grid Heading", 5));
    m_wndPropList.AddProperty(heading);

    auto* crp = new CMFCPropertyGridProperty("Common Reference Point (CRP)");
    crp->AddSubItem(Metric("Easting", b.m_CrpEasting, "CRP Easting", 0));
    crp->AddSubItem(Metric("Northing", b.m_CrpNorthing, "", 0));
    m_wndPropList.AddProperty(crp);

    auto* vertical = new CMFCPropertyGridProperty("Vertical Offset");
    vertical->AddSubItem(
        Double("Draft", b.m_Draft, "%+7.2lfm", "Enter the Vessel Draft (Keel to Waterline) +ve Value", 6));
    vertical->AddSubItem(Double("Z Offset", b.m_WaterLineToZero, "%+7.2lfm",
                                "Offset between water line and Z zero offset (+ve Value)", 7));
    m_wndPropList.AddProperty(vertical);

    auto* fairlead = new CMFCPropertyGridProperty("Fairlead");
    fairlead->AddSubItem(new CMFCPropertyGridProperty("Name", COleVariant(a.m_Name), "Name of Offset", 8));
    auto* fairleadOffset = new CMFCPropertyGridProperty("Offset");
    fairleadOffset->AddSubItem(Double("X", a.m_FairleadX, "%+8.3lfm", "Fairlead X Offset", 9));
    fairleadOffset->AddSubItem(Double("Y", a.m_FairleadY, "%+8.3lfm", "", 10));
    fairleadOffset->AddSubItem(Double("Z", a.m_FairleadZ, "%+8.3lfm", "Height, Z Offset +ve Up and -ve down ", 11));
    fairlead->AddSubItem(fairleadOffset);
    auto* position = new CMFCPropertyGridProperty("Position");
    position->AddSubItem(Metric("Easting", a.m_FairleadEasting, "Fairlead Easting", 0));
    position->AddSubItem(Metric("Northing", a.m_FairleadNorthing, "Fairlead Northing", 0));
    fairlead->AddSubItem(position);
    m_wndPropList.AddProperty(fairlead);

    auto* depth = new CMFCPropertyGridProperty("Depth at Fairlead");
    depth->AddSubItem(Double("Depth", a.m_WaterDepth, "%8.3lfm", "Water Depth below Fairlead ", 12));
    m_wndPropList.AddProperty(depth);

    auto* winch = new CMFCPropertyGridProperty("Winch");
    winch->AddSubItem(new CMFCPropertyGridTensionProperty("Tension", a.m_Tension, "Tension at Winch", 13));
    m_wndPropList.AddProperty(winch);
    m_wndPropList.AdjustLayout();
}

void CBargePane::UpdatePositions()
{
    if (m_pBarge == nullptr || m_pAnchor == nullptr)
        return;
    CBargeData& b = *m_pBarge;
    CAnchor& a = *m_pAnchor;
    b.UpdateCrp();
    RotateOffset(b.m_CrpEasting, b.m_CrpNorthing, a.m_FairleadX, a.m_FairleadY, b.m_SinHeading, b.m_CosHeading,
                 &a.m_FairleadEasting, &a.m_FairleadNorthing);
    SetMetres(Item(GROUP_CRP, 0), b.m_CrpEasting);
    SetMetres(Item(GROUP_CRP, 1), b.m_CrpNorthing);
    SetMetres(Item(GROUP_FAIRLEAD, 2, 0), a.m_FairleadEasting);
    SetMetres(Item(GROUP_FAIRLEAD, 2, 1), a.m_FairleadNorthing);
    PostToOwner(UM_FAIRLEAD_UPDATE);
}

void CBargePane::UpdateAnchorValues()
{
    if (m_pAnchor == nullptr)
        return;
    if (auto* depth = dynamic_cast<CMFCPropertyGridDouble*>(Item(GROUP_DEPTH, 0)))
        depth->SetValue(m_pAnchor->m_WaterDepth);
    if (auto* tension = dynamic_cast<CMFCPropertyGridTensionProperty*>(Item(GROUP_WINCH, 0)))
        tension->SetTonnes(m_pAnchor->m_Tension);
}

void CBargePane::SaveBarge()
{
    TellSaveFailure(m_pBarge->Save(), m_bBargeFailureTold, "The barge settings file");
}

void CBargePane::SaveAnchor()
{
    TellSaveFailure(m_pAnchor->SaveUnlessRefused(), m_bAnchorFailureTold,
                    "The anchor file " + m_pAnchor->GetFilePath());
}

LRESULT CBargePane::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    auto* prop = reinterpret_cast<CMFCPropertyGridProperty*>(lParam);
    if (prop == nullptr || m_pBarge == nullptr || m_pAnchor == nullptr)
        return 0;
    CBargeData& b = *m_pBarge;
    CAnchor& a = *m_pAnchor;
    const double value = prop->GetValue().vt == VT_R8 ? prop->GetValue().dblVal : 0.0;
    switch (prop->GetData())
    {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        switch (prop->GetData())
        {
        case 1: b.m_Easting = value; break;
        case 2: b.m_Northing = value; break;
        case 3: b.m_OffsetX = value; break;
        case 4: b.m_OffsetY = value; break;
        default:
            b.m_Heading = value * kRadiansToDegrees;
            b.m_SinHeading = std::sin(b.m_Heading * kDegreesToRadians);
            b.m_CosHeading = std::cos(b.m_Heading * kDegreesToRadians);
            break;
        }
        UpdatePositions();
        SaveBarge();
        break;
    case 6:
    case 7:
        (prop->GetData() == 6 ? b.m_Draft : b.m_WaterLineToZero) = value;
        SaveBarge();
        PostToOwner(UM_FAIRLEAD_UPDATE);
        break;
    case 8: {
        COleVariant text = prop->GetValue();
        text.ChangeType(VT_BSTR);
        a.m_Name = CString(text.bstrVal);
        UpdatePositions();
        SaveAnchor();
        break;
    }
    case 9:
    case 10:
    case 11:
        if (prop->GetData() == 9)
            a.m_FairleadX = value;
        else if (prop->GetData() == 10)
            a.m_FairleadY = value;
        else
        {
            a.m_FairleadZ = value;
            a.m_FairleadLevel = value + a.m_WaterlineToZero;
        }
        UpdatePositions();
        SaveAnchor();
        break;
    case 12:
    case 13:
        if (prop->GetData() == 12)
            a.m_WaterDepth = value;
        else
        {
            a.m_Tension = value;
            a.m_PositionCurrent = true;
        }
        SaveAnchor();
        PostToOwner(UM_UPDATE_ZUDUZURO_DATA);
        break;
    default: break;
    }
    return 0;
}
