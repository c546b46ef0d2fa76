#include "outside/tide/TurningPointPane.h"

#include "outside/tide/TideText.h"
#include "outside/tide/TurningPointRows.h"

BOOL CTurningPointPane::Create(CWnd* pOwner, int nID, CStandardPortList* pPorts, int nYear)
{
    m_pPorts = pPorts;
    m_nYear = nYear;
    if (!CreateListPane(pOwner, nID, "Turning Points", {"Date", "Time", "Height", "Tide"}, true, false))
        return FALSE;
    SetYear(nYear);
    return TRUE;
}

void CTurningPointPane::SetYear(int nYear)
{
    m_nYear = nYear;
    FillChooser();
    SetPort(0);
}

void CTurningPointPane::FillChooser()
{
    m_Chooser.ResetContent();
    if (m_pPorts == nullptr)
        return;
    for (INT_PTR i = 0; i < m_pPorts->GetSize(); ++i)
    {
        const CStandardPort* port = m_pPorts->GetAt(i);
        CString text;
        if (port != nullptr)
            text.Format("%s %s", port->m_strNumber.GetString(), port->m_strName.GetString());
        m_Chooser.AddString(text);
    }
}

void CTurningPointPane::SetPort(int index)
{
    m_nPort = index;
    if (m_Chooser.GetSafeHwnd() != nullptr)
        m_Chooser.SetCurSel(index);
    Fill();
}

void CTurningPointPane::OnChooserChanged()
{
    m_nPort = m_Chooser.GetCurSel();
    Fill();
}

void CTurningPointPane::Fill()
{
    ClearRows();
    if (m_pPorts == nullptr || m_nPort < 0 || m_nPort >= m_pPorts->GetSize() || m_pPorts->GetAt(m_nPort) == nullptr)
        return;
    for (const TurningPointRow& row : TurningPointRowsOf(*m_pPorts->GetAt(m_nPort)))
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        if (!TideLocalFields(row.pPoint->nTime, &year, &month, &day, &hour, &minute))
            continue;
        AddRow({TideDateText(year, month, day), TideClockText(hour, minute),
                row.bHeight ? TideNumberText(row.dHeight, 2) : CString(), TurningPointKindText(row.nKind)});
    }
    FitColumns();
}
