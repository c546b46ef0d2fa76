#include "chart/geometry/Profile.h"

CProfile::CProfile() = default;

CProfile::CProfile(const CProfile& other) : CArray<ProDataDef, const ProDataDef&>()
{
    *this = other;
}

CProfile& CProfile::operator=(const CProfile& other)
{
    if (this == &other)
        return *this;
    SetSize(other.GetSize());
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
        SetAt(i, other.GetAt(i));
    m_StartE = other.m_StartE;
    m_StartN = other.m_StartN;
    m_StartDepth = other.m_StartDepth;
    m_LastE = other.m_LastE;
    m_LastN = other.m_LastN;
    m_LastDepth = other.m_LastDepth;
    m_Length = other.m_Length;
    m_Bearing = other.m_Bearing;
    m_Sin = other.m_Sin;
    m_Cos = other.m_Cos;
    m_MaxDepth = other.m_MaxDepth;
    m_Factor = other.m_Factor;
    m_Built = other.m_Built;
    return *this;
}

CProfile::~CProfile()
{
    RemoveAll();
}
