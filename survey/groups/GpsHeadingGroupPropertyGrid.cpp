#include "survey/groups/GpsHeadingGroupPropertyGrid.h"

#include "survey/groups/DeviceValueDouble.h"

IMPLEMENT_DEVICE_GROUP(CMFCGpsHeadingGroupPropertyGrid)

CMFCGpsHeadingGroupPropertyGrid::CMFCGpsHeadingGroupPropertyGrid()
    : CMFCPropertyGridProperty("GPS Heading"), m_pHeading(new CDeviceValueDouble("Gps Heading", 0.0, "%6.2lf\xB0T"))
{
    AddSubItem(m_pHeading);
}

CMFCGpsHeadingGroupPropertyGrid::~CMFCGpsHeadingGroupPropertyGrid() = default;

void CMFCGpsHeadingGroupPropertyGrid::Update(const char* nameA, const char* nameB, double heading)
{
    CString name;
    name.Format("%s/%s", nameA != nullptr ? nameA : "", nameB != nullptr ? nameB : "");
    if (name != m_pHeading->GetName())
        m_pHeading->SetName(name);
    m_pHeading->SetValue(heading);
}

void CMFCGpsHeadingGroupPropertyGrid::ClearReading()
{
    m_pHeading->SetValue(0.0);
}
