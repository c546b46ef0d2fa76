// CMFCPropertyGridCableWeightProperty: chooses a cable type of the cable-weight table and shows
// it with its weight in water, "Name (12.34kg/m)".
#pragma once

#include "platform/ui/PropertyGrid.h"

#include <cstdint>

class CCableWeight;

class CMFCPropertyGridCableWeightProperty : public CMFCPropertyGridProperty
{
public:
    // pType: the type to show; pTable: the table, not owned, read again by RebuildOptions.
    CMFCPropertyGridCableWeightProperty(const int16_t* pType, const CCableWeight* pTable, DWORD_PTR dwData);

    int16_t GetType() const { return m_nType; }
    void SetType(int16_t nType);

    // One option per cable type, in the table's order; the value follows the type.
    void RebuildOptions();

    // "Name (12.34kg/m)"; "Unknown" for a type the table does not hold.
    CString FormatProperty() override;
    // The edited text chosen among the options; the grid is told only when the type changed.
    BOOL OnUpdateValue() override;

private:
    const CCableWeight* m_pTable;
    int16_t m_nType;
};
