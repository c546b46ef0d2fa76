#include "features/WindFarmList.h"

CWindFarmList::~CWindFarmList()
{
    for (INT_PTR i = 0; i < m_Turbines.GetSize(); ++i)
        delete m_Turbines[i];
    for (INT_PTR i = 0; i < m_WindFarms.GetSize(); ++i)
        delete m_WindFarms[i];
}

TurbineDef* CWindFarmList::AddTurbine(const TurbineDef& turbine)
{
    auto* copy = new TurbineDef(turbine);
    m_Turbines.Add(copy);
    return copy;
}

WindFarmDef* CWindFarmList::AddWindFarm(const char* name, double easting, double northing)
{
    auto* farm = new WindFarmDef;
    farm->Name = name;
    farm->Easting = easting;
    farm->Northing = northing;
    m_WindFarms.Add(farm);
    return farm;
}
