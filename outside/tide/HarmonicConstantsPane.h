// CHarmonicConstantsPane: the daily astronomical arguments and factors of the year, one row a
// record: the date (record i is day i + 1 of the year), then for M2, S2, K1 and O1 the argument
// A (degrees, two decimals) and the factor f (four decimals). A value that is not a number
// shows an empty cell.
#pragma once

#include "marevo/TideRecords.h"
#include "outside/tide/TideListPane.h"
#include "platform/core/Array.h"

class CHarmonicConstantsPane : public CTideListPane
{
public:
    BOOL Create(CWnd* pOwner, int nID, CArray<TidalFactorDef>* pFactors, int nYear);
    using CMyDockablePane::Create;

    // Shows the records as the array holds them now, dated in `nYear`.
    void SetYear(int nYear);

private:
    void Fill();

    CArray<TidalFactorDef>* m_pFactors = nullptr;
    int m_nYear = 0;
};
