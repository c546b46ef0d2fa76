#include "outside/deklino/MagVarSplashDlg.h"

#include "outside/deklino/DeklinoResources.h"
#include "outside/deklino/MagVarText.h"

namespace
{
constexpr UINT_PTR kCloseTimer = 1;
// The splash's own message: run the start-up now that it shows.
constexpr UINT WM_SPLASH_RUN_WORK = WM_APP + 0x61;
} // namespace

BEGIN_MESSAGE_MAP(CMagVarSplashDlg, CDialog)
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_SPLASH_RUN_WORK, &CMagVarSplashDlg::OnRunWork)
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

HBRUSH CMagVarSplashDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The background asked for as the splash paints: it is on the screen, and the start-up
    // can begin behind it.
    if (nCtlColor == CTLCOLOR_DLG && m_Work && !m_bWorkPosted)
    {
        m_bWorkPosted = true;
        PostMessage(WM_SPLASH_RUN_WORK);
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

INT_PTR CMagVarSplashDlg::DoModalWhile(std::function<void()> work)
{
    m_Work = std::move(work);
    const INT_PTR result = DoModal();
    if (m_Work)
    {
        const std::function<void()> pending = std::move(m_Work);
        m_Work = nullptr;
        pending();
    }
    return result;
}

LRESULT CMagVarSplashDlg::OnRunWork(WPARAM, LPARAM)
{
    if (!m_Work)
        return 0;
    const std::function<void()> work = std::move(m_Work);
    m_Work = nullptr;
    work();
    if (GetWarningText().IsEmpty())
    {
        KillTimer(kCloseTimer);
        EndDialog(IDOK);
    }
    return 0;
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
