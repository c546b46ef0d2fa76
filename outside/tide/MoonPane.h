// CMoonPane: the moon's phases of a year, one row a phase: the phase ("New moon", "First
// quarter", "Full moon", "Last quarter", in the order each record holds them), its date
// (dd/mm/yyyy) and its local time (hh:mm). Only phases that fall in the pane's year show; a
// phase whose fields are no calendar date shows its name with empty cells.
#pragma once

#include "marevo/TideRecords.h"
#include "outside/tide/TideListPane.h"
#include "platform/core/Array.h"

class CMoonPane : public CTideListPane
{
public:
    enum COLUMN
    {
        COLUMN_PHASE,
        COLUMN_DATE,
        COLUMN_TIME
    };

    // The array belongs to the program and must outlive the pane; null shows nothing.
    BOOL Create(CWnd* pOwner, int nID, CArray<MoonPhaseDef>* pPhases, int nYear);
    using CMyDockablePane::Create;

    // Shows the phases of `nYear` as the array holds them now.
    void SetYear(int nYear);

private:
    void Fill();

    CArray<MoonPhaseDef>* m_pPhases = nullptr;
    int m_nYear = 0;
};
