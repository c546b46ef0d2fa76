#include "zuduzuro/ui/CableWeightProperty.h"

#include "zuduzuro/CableWeight.h"

#include <cstring>

namespace
{
CString TypeText(const CCableWeight* table, int type)
{
    if (table == nullptr || type < 0 || type >= table->GetSize())
        return "Unknown";
    const CableWeightDef& row = table->GetAt(type);
    CString text;
    text.Format("%s (%.2lfkg/m)", static_cast<LPCSTR>(row.Name), row.WeightInWater);
    return text;
}
} // namespace

CMFCPropertyGridCableWeightProperty::CMFCPropertyGridCableWeightProperty(const int16_t* pType,
                                                                         const CCableWeight* pTable, DWORD_PTR dwData)
    : CMFCPropertyGridProperty("", COleVariant(""), "", dwData), m_pTable(pTable),
      m_nType(pType != nullptr ? *pType : 0)
{
    AllowEdit(FALSE);
    m_strName = "Weight per Unit Length";
    m_strDescr = "Select the weight per unit length depending on the cable type. Use the cable weight editor to "
                 "set up different types of cable weights. Note the cable weight in water will change according "
                 "to the water temperature and salinity.";
    RebuildOptions();
}

void CMFCPropertyGridCableWeightProperty::SetType(int16_t nType)
{
    m_nType = nType;
    m_varValue = COleVariant(TypeText(m_pTable, m_nType));
    Redraw();
}

void CMFCPropertyGridCableWeightProperty::RebuildOptions()
{
    RemoveAllOptions();
    if (m_pTable != nullptr)
        for (int i = 0; i < m_pTable->GetSize(); ++i)
            // Two types may share a name and a weight: each keeps its own row.
            AddOption(TypeText(m_pTable, i), FALSE);
    SetType(m_nType);
}

CString CMFCPropertyGridCableWeightProperty::FormatProperty()
{
    return TypeText(m_pTable, m_nType);
}

BOOL CMFCPropertyGridCableWeightProperty::OnUpdateValue()
{
    if (GetGrid() == nullptr)
        return FALSE;
    const int16_t before = m_nType;
    for (int i = 0; i < GetOptionCount(); ++i)
        if (std::strcmp(m_strEditText, GetOption(i)) == 0)
        {
            m_nType = static_cast<int16_t>(i);
            break;
        }
    m_varValue = COleVariant(TypeText(m_pTable, m_nType));
    if (m_nType != before)
        GetGrid()->OnPropertyChanged(this);
    Redraw();
    return TRUE;
}
