#include "survey/HeadingSensorGroups.h"

#include "geodesy/Gyro.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "survey/SurveyPane.h"
#include "survey/groups/GyroGroupGridProperty.h"
#include "survey/groups/HeadingComparisonGroupGridProperty.h"
#include "survey/groups/MruGroupGridProperty.h"
#include "survey/records/Mru.h"

void CHeadingSensorGroups::Reset(CMyMFCPropertyGridCtrl* pGrid, CGyro* pGyro, CMru* pMru)
{
    m_pGrid = pGrid;
    m_pGyro = pGyro;
    m_pMru = pMru;
    m_pGyroGroup = nullptr;
    m_pMruGroup = nullptr;
    m_pComparison = nullptr;
    m_nGyroPosition = m_nMruPosition = m_nComparisonPosition = -1;
}

void CHeadingSensorGroups::Add()
{
    if (m_pGyro != nullptr)
    {
        m_pGyroGroup = new CMFCGyroGroupGridProperty(m_pGyro, m_pGrid->GetPropertyCount());
        m_nGyroPosition = AddExpandedGroup(*m_pGrid, m_pGyroGroup);
        m_pGyroGroup->SetUse(MruUsesHeading(true));
    }
    if (m_pMru != nullptr)
    {
        m_pMruGroup = new CMFCMruGroupGridProperty("Motion Reference Unit", m_pMru, m_pGrid->GetPropertyCount());
        m_nMruPosition = AddExpandedGroup(*m_pGrid, m_pMruGroup);
    }
    if (m_pGyro != nullptr && m_pMru != nullptr)
    {
        m_pComparison = new CMFCHeadingComparisonGroupGridProperty(m_pGyro, m_pMru);
        m_nComparisonPosition = AddExpandedGroup(*m_pGrid, m_pComparison);
    }
}

bool CHeadingSensorGroups::MruUsesHeading(bool withoutMru) const
{
    // The host keeps the flag in the low byte.
    return m_pMru != nullptr ? (m_pMru->m_UseHeading & 0xFF) != 0 : withoutMru;
}

bool CHeadingSensorGroups::GyroActive() const
{
    return m_pGyro != nullptr && m_pGyro->m_Active != 0;
}

bool CHeadingSensorGroups::MruActive() const
{
    return m_pMru != nullptr && m_pMru->m_Active != 0;
}

void CHeadingSensorGroups::Show()
{
    if (m_pGyroGroup != nullptr)
        m_pGyroGroup->Show(GyroActive() || m_pMru == nullptr);
    if (m_pMruGroup != nullptr)
        m_pMruGroup->Show(MruActive());
    if (m_pComparison != nullptr)
        m_pComparison->Show(GyroActive() && MruActive());
}

void CHeadingSensorGroups::UpdateGyro()
{
    if (m_pGyroGroup == nullptr)
        return;
    m_pGyroGroup->Update(MruUsesHeading(false));
    m_pGrid->Trigger(m_nGyroPosition);
    if (m_pComparison != nullptr)
        m_pComparison->Update();
}

void CHeadingSensorGroups::UpdateMru(bool useToGyro)
{
    if (m_pMruGroup == nullptr)
        return;
    if (useToGyro && m_pGyroGroup != nullptr)
        m_pGyroGroup->SetUse(MruUsesHeading(false));
    m_pMruGroup->Update();
    m_pGrid->Trigger(m_nMruPosition);
    if (m_pComparison != nullptr)
        m_pComparison->Update();
}

void CHeadingSensorGroups::GyroTimeout()
{
    if (m_pGyroGroup != nullptr)
        m_pGyroGroup->Timeout(true);
}

void CHeadingSensorGroups::MruTimeout()
{
    if (m_pMruGroup != nullptr)
        m_pMruGroup->Timeout(true);
}
