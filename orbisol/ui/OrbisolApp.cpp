#include "orbisol/ui/OrbisolApp.h"

#include "orbisol/ui/ColourPropertySheet.h"
#include "orbisol/ui/OrbisolPages.h"
#include "outside/kadenta/OrbisolSplashDlg.h"
#include "platform/ui/WinAppEx.h"

const PROGRAM_VERSION_RULE kOrbisolVersionRule = {true, true, nullptr};

COrbisolApp::COrbisolApp() : CWinApp("Orbisol")
{
    SetRunningProgramVersion(&kOrbisolVersionBlock, kOrbisolVersionRule);
    // The records start cleared and no year loaded (the observation's own construction).
    m_SunObservation.LoadSettings();
    DateTimeDef now;
    GetLocalDateTime(now);
    m_SunObservation.m_nDayOfYear = now.nDayOfYear;
    m_SunObservation.LoadAlmanac(now.nYear);
    m_SunObservation.m_dUT = now.dSecondsOfDay;
    m_bDaylightSaving = GetLocalDateTime(m_DateTime);
}

BOOL COrbisolApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    auto* shellManager = new CShellManager;
    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerWindows));
    SetRegistryKey("Velmaro Technology Limited");

    {
        COrbisolSplashDlg splash;
        if (splash.DoModal() != IDOK)
        {
            delete shellManager;
            return FALSE;
        }
    }

    CComputeOrbisolPP compute(&m_SunObservation, &m_DateTime);
    CAzimuthPlotPP sunPlot(&m_SunObservation);
    CSunPolynomialCoeffsPP coefficients(&m_SunObservation, &m_DateTime);
    CObservationsPP observations(&m_SunObservation, &m_DateTime);
    CAnglesFormatPP anglesFormat;
    CAboutPP about;
    CColourPropertySheet sheet(kSheetCaption);
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&compute, &sunPlot, &coefficients,
                                                                        &observations, &anglesFormat, &about})
        sheet.AddPage(page);
    m_pMainWnd = &sheet;
    m_pSheet = &sheet;
    sheet.DoModal();
    m_pSheet = nullptr;
    m_pMainWnd = nullptr;
    delete shellManager;
    return FALSE;
}
