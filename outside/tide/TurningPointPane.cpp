#include "outside/tide/TurningPointPane.h"

#include "outside/tide/TideText.h"

#include <vector>

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
    // The port's points in order, so each can be set against its neighbours across midnight.
    std::vector<const TurningPointDef*> points;
    for (const CTurningPoint* day : *m_pPorts->GetAt(m_nPort))
        if (day != nullptr)
            for (const TurningPointDef* point : *day)
                if (point != nullptr)
                    points.push_back(point);
    std::vector<double> heights(points.size());
    std::vector<bool> known(points.size());
    for (size_t i = 0; i < points.size(); ++i)
        known[i] = TurningPointHeight(*points[i], &heights[i]);
    for (size_t i = 0; i < points.size(); ++i)
    {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0;
        if (!TideLocalFields(points[i]->nTime, &year, &month, &day, &hour, &minute))
            continue;
        CString kind;
        if (known[i])
        {
            const bool hasBefore = i > 0 && known[i - 1];
            const bool hasAfter = i + 1 < points.size() && known[i + 1];
            const bool above = (!hasBefore || heights[i] > heights[i - 1]) && (!hasAfter || heights[i] > heights[i + 1]);
            const bool below = (!hasBefore || heights[i] < heights[i - 1]) && (!hasAfter || heights[i] < heights[i + 1]);
            if ((hasBefore || hasAfter) && above)
                kind = "High";
            else if ((hasBefore || hasAfter) && below)
                kind = "Low";
        }
        AddRow({TideDateText(year, month, day), TideClockText(hour, minute),
                known[i] ? TideNumberText(heights[i], 2) : CString(), kind});
    }
    FitColumns();
}
