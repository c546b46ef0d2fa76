#include "outside/deklino/MagVarSplashDlg.h"

#include "outside/deklino/DeklinoResources.h"
#include "outside/deklino/MagVarText.h"

namespace
{
constexpr UINT_PTR kCloseTimer = 1;
} // namespace

BEGIN_MESSAGE_MAP(CMagVarSplashDlg, CDialog)
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CMagVarSplashDlg::CMagVarSplashDlg(CWnd* pParent)
    : CDialog(IDD_MAGVAR_SPLASH, pParent), m_Date(COleDateTime::GetCurrentTime())
{
    RegisterDeklinoTemplates();
}

BOOL CMagVarSplashDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The title in a larger bold face of the dialog's font.
    LOGFONT lf = {};
    if (GetFont() != nullptr && GetFont()->GetLogFont(&lf) != 0)
    {
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = lf.lfHeight * 3 / 2;
        if (m_TitleFont.CreateFontIndirect(&lf))
            GetDlgItem(IDC_SPLASH_TITLE)->SetFont(&m_TitleFont);
    }
    m_Model = CMagneticModel::Installed();
    SetDlgItemText(IDC_SPLASH_MODEL, "World Magnetic Model " + m_Model.GetName());
    SetDlgItemText(IDC_SPLASH_VALIDITY, "Valid from " + MagVarValidityText(m_Model));
    SetDlgItemText(IDC_SPLASH_SOURCE, "Coefficients from NOAA NCEI and the British Geological Survey");
    SetDlgItemText(IDC_SPLASH_WARNING, GetWarningText());
    SetTimer(kCloseTimer, m_nDelay);
    return TRUE;
}

CString CMagVarSplashDlg::GetWarningText() const
{
    if (m_Date.GetStatus() != COleDateTime::valid)
        return CString();
    const double year = CMagneticModel::DecimalYear(m_Date.GetYear(), m_Date.GetMonth(), m_Date.GetDay());
    CString text;
    if (year >= m_Model.GetValidTo())
        text.Format("The model ended on %s: magnetic variation is extrapolated and may be in error. "
                    "Put the current model's %s in the settings folder.",
                    (LPCSTR)MagVarDateText(m_Model.GetValidTo() - 1e-9), CMagneticModel::INSTALLED_COF_NAME);
    else if (year < m_Model.GetValidFrom())
        text.Format("Today's date is before the model's start on %s: check the computer's clock.",
                    (LPCSTR)MagVarDateText(m_Model.GetValidFrom()));
    return text;
}

void CMagVarSplashDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCloseTimer)
        return;
    KillTimer(kCloseTimer);
    EndDialog(IDOK);
}

void CMagVarSplashDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    KillTimer(kCloseTimer);
    EndDialog(IDOK);
}
