#include "survey/groups/GyroGroupGridProperty.h"

#include "geodesy/Gyro.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "survey/groups/DeviceRows.h"

IMPLEMENT_DEVICE_GROUP(CMFCGyroGroupGridProperty)

CMFCGyroGroupGridProperty::CMFCGyroGroupGridProperty(CGyro* gyro, int nPosition)
    : CMFCGroupPropertyGridProperty("Gyro", nPosition), m_pGyro(gyro)
{
    if (m_pGyro == nullptr)
        return;
    m_pHeading = new CMFCPropertyGridDualDisplay("Heading", 0.0, "%6.2lf", "\xB0T", "", 0.0, "%s", "");
    m_pGridHeading = new CMFCPropertyGridDualDisplay("", 0.0, "%6.2lf", "\xB0G", "Conv.", 0.0, "%+7.2lf", "\xB0");
    m_pRateOfTurn = new CMFCPropertyGridDualDisplay("Rate of Turn", 0.0, "%+7.2lf", "\xB0/min");
    m_pRateOfTurn->Show(FALSE, FALSE);
    AddSubItem(m_pHeading);
    AddSubItem(m_pGridHeading);
    AddSubItem(m_pRateOfTurn);
    m_pHeading->SetText(2, UseText(false));
}

CMFCGyroGroupGridProperty::~CMFCGyroGroupGridProperty() = default;

void CMFCGyroGroupGridProperty::Update(bool use)
{
    if (m_pGyro == nullptr || m_pGyro->m_Active != 1)
        return;
    SetUse(use);
    ShowDeviceValues(*m_pGridHeading, m_pGyro->m_GridHeading, m_pGyro->m_Convergence);
    const bool rate = m_pGyro->m_RateOfTurnValid == 1;
    if (rate)
        ShowDeviceValue(*m_pRateOfTurn, m_pGyro->m_RateOfTurn);
    ShowDeviceRow(*m_pRateOfTurn, rate);
}

void CMFCGyroGroupGridProperty::SetUse(bool use)
{
    if (m_pGyro == nullptr)
        return;
    ShowDeviceText(*m_pHeading, 2, UseText(use));
    ShowDeviceValues(*m_pHeading, m_pGyro->m_TrueHeading, 0.0);
}
