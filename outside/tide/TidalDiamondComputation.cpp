#include "outside/tide/TidalDiamondComputation.h"

#include "marevo/TidalDiamond.h"
#include "outside/tide/TideText.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"

#include <cmath>

namespace
{
const DLGITEM_TABLE kItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Diamond:", 7, 9, 50, 8},
    {DLGI_COMBOBOX, IDC_DIAMOND_CHOICE, "", 60, 7, 110, 120, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {DLGI_LTEXT, IDC_STATIC, "Hours from HW:", 7, 27, 52, 8},
    {DLGI_COMBOBOX, IDC_DIAMOND_HOUR, "", 60, 25, 50, 120, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP},
    {DLGI_LTEXT, IDC_STATIC, "Direction:", 7, 47, 52, 8},
    {DLGI_LTEXT, IDC_DIAMOND_DIRECTION, "", 60, 47, 60, 8},
    {DLGI_LTEXT, IDC_STATIC, "Spring rate:", 7, 61, 52, 8},
    {DLGI_LTEXT, IDC_DIAMOND_SPRING, "", 60, 61, 60, 8},
    {DLGI_LTEXT, IDC_STATIC, "Neap rate:", 7, 75, 52, 8},
    {DLGI_LTEXT, IDC_DIAMOND_NEAP, "", 60, 75, 60, 8},
    {DLGI_LTEXT, IDC_DIAMOND_STATUS, "", 7, 91, 163, 8},
    {DLGI_DEFPUSHBUTTON, IDOK, "Close", 120, 106, 50, 14},
};
const DLGTEMPLATE_TABLE kTemplate = {IDD_TIDAL_DIAMOND_COMPUTATION, "Tidal Diamond Computation", "MS Shell Dlg", 8,
                                     0, 0, 177, 127,
                                     DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
                                     kItems, AFX_DLGITEM_COUNT(kItems)};
const CDialogTemplateRegistrar g_Register(&kTemplate);
} // namespace

BEGIN_MESSAGE_MAP(CTidalDiamondComputation, CDialog)
ON_CBN_SELCHANGE(IDC_DIAMOND_CHOICE, &CTidalDiamondComputation::OnChoiceChanged)
ON_CBN_SELCHANGE(IDC_DIAMOND_HOUR, &CTidalDiamondComputation::OnChoiceChanged)
END_MESSAGE_MAP()

CTidalDiamondComputation::CTidalDiamondComputation(CWnd* pParent, CNP159* pData, CTidalDiamond* pDiamonds,
                                                   CStandardPortList* pPorts)
    : CDialog(IDD_TIDAL_DIAMOND_COMPUTATION, pParent), m_pData(pData), m_pDiamonds(pDiamonds), m_pPorts(pPorts)
{
}

BOOL CTidalDiamondComputation::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* diamonds = static_cast<CComboBox*>(GetDlgItem(IDC_DIAMOND_CHOICE));
    auto* hours = static_cast<CComboBox*>(GetDlgItem(IDC_DIAMOND_HOUR));
    if (m_pDiamonds != nullptr)
        for (INT_PTR i = 0; i < m_pDiamonds->GetSize(); ++i)
            diamonds->AddString(m_pDiamonds->GetAt(i) != nullptr ? m_pDiamonds->GetAt(i)->strName : CString());
    for (int hour = kFirstHour; hour <= kLastHour; ++hour)
    {
        CString text;
        text.Format("%+d", hour);
        hours->AddString(hour == 0 ? CString("HW") : text);
    }
    diamonds->SetCurSel(diamonds->GetCount() > 0 ? 0 : -1);
    hours->SetCurSel(-kFirstHour);
    Compute();
    return TRUE;
}

void CTidalDiamondComputation::OnChoiceChanged()
{
    Compute();
}

const TidalDiamondDef* CTidalDiamondComputation::Chosen() const
{
    const int index = static_cast<CComboBox*>(GetDlgItem(IDC_DIAMOND_CHOICE))->GetCurSel();
    if (m_pDiamonds == nullptr || index < 0 || index >= m_pDiamonds->GetSize())
        return nullptr;
    return m_pDiamonds->GetAt(index);
}

void CTidalDiamondComputation::Compute()
{
    SetDlgItemText(IDC_DIAMOND_DIRECTION, "");
    SetDlgItemText(IDC_DIAMOND_SPRING, "");
    SetDlgItemText(IDC_DIAMOND_NEAP, "");
    const TidalDiamondDef* diamond = Chosen();
    if (diamond == nullptr)
    {
        SetDlgItemText(IDC_DIAMOND_STATUS, "No tidal diamonds");
        return;
    }
    if (diamond->pPort == nullptr)
    {
        CString status;
        status.Format("%s is not linked to a standard port", diamond->strName.GetString());
        SetDlgItemText(IDC_DIAMOND_STATUS, status);
        return;
    }
    const int hour = static_cast<CComboBox*>(GetDlgItem(IDC_DIAMOND_HOUR))->GetCurSel() + kFirstHour;
    const int rows = diamond->nRows < 0 ? 0 : (diamond->nRows > TidalDiamondDef::kMaxRows ? TidalDiamondDef::kMaxRows
                                                                                          : diamond->nRows);
    for (int i = 0; i < rows; ++i)
    {
        const TidalDiamondRow& row = diamond->Rows[i];
        // Rows hold tenths of hours; an hour's row is the one within half a tenth of it.
        if (std::fabs(row.dHours - hour) < 0.05)
        {
            CString direction;
            direction.Format("%03d", row.nDirection);
            SetDlgItemText(IDC_DIAMOND_DIRECTION, direction);
            SetDlgItemText(IDC_DIAMOND_SPRING, TideNumberText(row.dSpringRate, 1) + " kn");
            SetDlgItemText(IDC_DIAMOND_NEAP, TideNumberText(row.dNeapRate, 1) + " kn");
            CString status;
            status.Format("HW %s %s", diamond->strReference.GetString(), diamond->strReferenceName.GetString());
            SetDlgItemText(IDC_DIAMOND_STATUS, status);
            return;
        }
    }
    SetDlgItemText(IDC_DIAMOND_STATUS, "The diamond has no row for that hour");
}
