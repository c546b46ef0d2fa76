#include "outside/tide/MoonPane.h"

#include "outside/tide/TideText.h"

namespace
{
const char* const kPhaseNames[4] = {"New moon", "First quarter", "Full moon", "Last quarter"};
} // namespace

BOOL CMoonPane::Create(CWnd* pOwner, int nID, CArray<MoonPhaseDef>* pPhases, int nYear)
{
    m_pPhases = pPhases;
    m_nYear = nYear;
    if (!CreateListPane(pOwner, nID, "Moon Data", {"Phase", "Date", "Time"}, false, false))
        return FALSE;
    Fill();
    return TRUE;
}

void CMoonPane::SetYear(int nYear)
{
    m_nYear = nYear;
    Fill();
}

void CMoonPane::Fill()
{
    ClearRows();
    if (m_pPhases == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pPhases->GetSize(); ++i)
    {
        const MoonPhaseDef& record = m_pPhases->GetAt(i);
        for (int phase = 0; phase < 4; ++phase)
        {
            const MoonPhaseTime& t = record.Phase[phase];
            if (t.nYear != m_nYear)
                continue;
            const CString date = TideDateText(t.nYear, t.nMonth, t.nDay);
            AddRow({kPhaseNames[phase], date, date.IsEmpty() ? CString() : TideClockText(t.nHour, t.nMinute)});
        }
    }
    FitColumns();
}
