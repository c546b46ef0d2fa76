#include "orbisol/ui/OrbisolPages.h"

#include "orbisol/ui/OrbisolResources.h"
#include "platform/ui/DialogTemplate.h"

// The templates live beside the pages so that a program that makes the pages has them.
namespace
{
// Each page is a child dialog of the sheet's size in dialog units, with a note naming what it
// will hold.
constexpr int kPageWidth = 320;
constexpr int kPageHeight = 210;
constexpr DWORD kPageStyle = DS_SETFONT | WS_CHILD | WS_CAPTION;

#define ORBISOL_PAGE(name, id, caption, note)                                                                         \
    const DLGITEM_TABLE name##Items[] = {{DLGI_LTEXT, IDC_ORBISOL_PAGE_NOTE, note, 10, 10, 300, 10}};                 \
    const DLGTEMPLATE_TABLE name = {id,        caption, "MS Shell Dlg", 8, 0, 0, kPageWidth, kPageHeight, kPageStyle, \
                                    0,         name##Items, AFX_DLGITEM_COUNT(name##Items)};                          \
    const CDialogTemplateRegistrar name##Registrar(&name)

ORBISOL_PAGE(kSunPlot, IDD_AZIMUTH_PLOT, "Sun Plot", "Sun plot: coming in a later version.");
ORBISOL_PAGE(kCoefficients, IDD_SUN_POLYNOMIAL_COEFFS, "Polynomial Coefficients",
             "Polynomial coefficients: coming in a later version.");
ORBISOL_PAGE(kAbout, IDD_ABOUT_ORBISOL, "About", "About: coming in a later version.");
#undef ORBISOL_PAGE
} // namespace


CAzimuthPlotPP::CAzimuthPlotPP(CSunObservation* pSun) : CColourPropertyPage(IDD_AZIMUTH_PLOT), m_pSunObservation(pSun)
{
}

CSunPolynomialCoeffsPP::CSunPolynomialCoeffsPP(CSunObservation* pSun, DateTimeDef* pDateTime)
    : CColourPropertyPage(IDD_SUN_POLYNOMIAL_COEFFS), m_pSunObservation(pSun), m_pDateTime(pDateTime)
{
}

CAboutPP::CAboutPP() : CColourPropertyPage(IDD_ABOUT_ORBISOL) {}
