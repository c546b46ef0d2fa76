#include "outside/tide/TidalDiamondPane.h"

#include "outside/tide/TideText.h"

BOOL CTidalDiamondPane::Create(CWnd* pOwner, int nID, CTidalDiamond* pDiamonds)
{
    m_pDiamonds = pDiamonds;
    if (!CreateListPane(pOwner, nID, "Tidal Diamonds", {"Hours", "Direction", "Spring", "Neap"}, true, true))
        return FALSE;
    Refresh();
    return TRUE;
}

void CTidalDiamondPane::Refresh()
{
    m_Chooser.ResetContent();
    if (m_pDiamonds != nullptr)
        for (INT_PTR i = 0; i < m_pDiamonds->GetSize(); ++i)
        {
            const TidalDiamondDef* diamond = m_pDiamonds->GetAt(i);
            CString text;
            if (diamond != nullptr)
                text.Format("%s (%s)", diamond->strName.GetString(), diamond->strReference.GetString());
            m_Chooser.AddString(text);
        }
    SetDiamond(0);
}

void CTidalDiamondPane::SetDiamond(int index)
{
    m_nDiamond = index;
    if (m_Chooser.GetSafeHwnd() != nullptr)
        m_Chooser.SetCurSel(index);
    Fill();
}

void CTidalDiamondPane::OnChooserChanged()
{
    m_nDiamond = m_Chooser.GetCurSel();
    Fill();
}

void CTidalDiamondPane::Fill()
{
    ClearRows();
    if (m_pDiamonds == nullptr || m_nDiamond < 0 || m_nDiamond >= m_pDiamonds->GetSize() ||
        m_pDiamonds->GetAt(m_nDiamond) == nullptr)
    {
        SetCaption(CString());
        return;
    }
    const TidalDiamondDef& diamond = *m_pDiamonds->GetAt(m_nDiamond);
    CString reference;
    if (diamond.strReference.IsEmpty())
        reference = "no reference port";
    else if (diamond.pPort == nullptr)
        reference.Format("%s not linked", diamond.strReference.GetString());
    else
        reference.Format("%s %s", diamond.strReference.GetString(), diamond.strReferenceName.GetString());
    CString caption;
    caption.Format("%s  %s  Ref: %s", TideAngleText(diamond.dPosition[0], true).GetString(),
                   TideAngleText(diamond.dPosition[1], false).GetString(), reference.GetString());
    SetCaption(caption);
    const int rows = std::clamp(diamond.nRows, 0, TidalDiamondDef::kMaxRows);
    for (int i = 0; i < rows; ++i)
    {
        const TidalDiamondRow& row = diamond.Rows[i];
        CString direction;
        direction.Format("%03d", row.nDirection);
        AddRow({TideNumberText(row.dHours, 1), direction, TideNumberText(row.dSpringRate, 1),
                TideNumberText(row.dNeapRate, 1)});
    }
    FitColumns();
}
