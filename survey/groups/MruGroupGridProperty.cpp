#include "survey/groups/MruGroupGridProperty.h"

#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridItems.h"
#include "survey/groups/DeviceRows.h"
#include "survey/records/Mru.h"

#include <cmath>

IMPLEMENT_DEVICE_GROUP(CMFCMruGroupGridProperty)

CMFCMruGroupGridProperty::CMFCMruGroupGridProperty(const char* name, CMru* mru, int nPosition)
    : CMFCGroupPropertyGridProperty(name != nullptr ? name : "", nPosition), m_pMru(mru)
{
    if (m_pMru == nullptr)
        return;
    m_pHeading = new CMFCPropertyGridDualDisplay("Heading", 0.0, "%6.2lf", "\xB0T", "", 0.0, "%s", "");
    m_pGridHeading = new CMFCPropertyGridDualDisplay("", 0.0, "%6.2lf", "\xB0G", "Conv.", 0.0, "%+7.2lf", "\xB0");
    m_pPitchRoll = new CMFCPropertyGridDualDisplay("Pitch", 0.0, "%+6.2lf", "\xB0", "Roll", 0.0, "%+6.2lf", "\xB0");
    m_pTilt = new CMFCPropertyGridDualDisplay("Angle", 0.0, "%6.2lf", "\xB0", "Heading", 0.0, "%6.2lf", "\xB0");
    AddSubItem(m_pHeading);
    AddSubItem(m_pGridHeading);
    AddSubItem(m_pPitchRoll);
    AddSubItem(new CMFCPropertyGridTitleProperty("Tilt"));
    AddSubItem(m_pTilt);
    m_pHeading->SetText(2, UseText(false));
}

CMFCMruGroupGridProperty::~CMFCMruGroupGridProperty() = default;

bool CMFCMruGroupGridProperty::Update()
{
    if (m_pMru == nullptr || m_pMru->m_Active != 1)
        return false;
    const CMru& mru = *m_pMru;
    ShowDeviceText(*m_pHeading, 2, UseText(mru.m_UseHeading > 0));
    ShowDeviceValues(*m_pHeading, mru.m_Heading, 0.0);
    // A grid heading derived from a missing heading is no heading either.
    ShowDeviceValues(*m_pGridHeading, IsDeviceValue(mru.m_Heading) ? mru.m_GridHeading : NAN, mru.m_Convergence);
    ShowDeviceValues(*m_pPitchRoll, mru.m_Pitch, mru.m_Roll);
    ShowDeviceValues(*m_pTilt, mru.m_TiltAngle, mru.m_TiltHeading);
    return false;
}
