#include "outside/tide/HarmonicConstantsPane.h"

#include "outside/tide/TideText.h"

BOOL CHarmonicConstantsPane::Create(CWnd* pOwner, int nID, CArray<TidalFactorDef>* pFactors, int nYear)
{
    m_pFactors = pFactors;
    m_nYear = nYear;
    if (!CreateListPane(pOwner, nID, "Harmonic Constants",
                        {"Date", "M2 A", "M2 f", "S2 A", "S2 f", "K1 A", "K1 f", "O1 A", "O1 f"}, false, false))
        return FALSE;
    Fill();
    return TRUE;
}

void CHarmonicConstantsPane::SetYear(int nYear)
{
    m_nYear = nYear;
    Fill();
}

void CHarmonicConstantsPane::Fill()
{
    ClearRows();
    if (m_pFactors == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pFactors->GetSize(); ++i)
    {
        const TidalFactorDef& record = m_pFactors->GetAt(i);
        std::vector<CString> cells{TideDayOfYearText(m_nYear, static_cast<int>(i))};
        for (const TidalFactorPair& pair : record.Constituent)
        {
            cells.push_back(TideNumberText(pair.dArgument, 2));
            cells.push_back(TideNumberText(pair.dFactor, 4));
        }
        AddRow(cells);
    }
    FitColumns();
}
