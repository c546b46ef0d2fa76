#include "orbisol/ui/AzimuthPlotPP.h"

#include "orbisol/SunObservation.h"
#include "orbisol/ui/OrbisolPictures.h"
#include "orbisol/ui/OrbisolResources.h"
#include "orbisol/ui/PageTemplate.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/WindowDc.h"

#include <algorithm>
#include <cmath>

namespace
{
const DLGITEM_TABLE kSunPlotItems[] = {
    {DLGI_LTEXT, IDC_PLOT_FRAME, "", 7, 7, 297, 213, SS_BLACKFRAME},
};
ORBISOL_PAGE_TEMPLATE(kSunPlot, IDD_AZIMUTH_PLOT, "Sun Plot", kSunPlotItems);

// The icons are 32 pixels square: their top left lies this far up and left of their centre.
constexpr int kIconHalf = 16;
} // namespace

BEGIN_MESSAGE_MAP(CAzimuthPlotFrame, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CAzimuthPlotFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    if (m_pPage)
        m_pPage->DrawPlot(&dc, client);
}

BEGIN_MESSAGE_MAP(CAzimuthPlotPP, CColourPropertyPage)
ON_WM_PAINT()
END_MESSAGE_MAP()

CAzimuthPlotPP::CAzimuthPlotPP(CSunObservation* pSun)
    : CColourPropertyPage(IDD_AZIMUTH_PLOT), m_pSunObservation(pSun), m_Frame(this)
{
    RegisterOrbisolPictures();
    m_pFont = new CFont;
    m_pFont->CreateFont(56, 0, 0, 0, FW_BOLD, FALSE, FALSE, 0, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_STROKE_PRECIS,
                        DRAFT_QUALITY, FF_SWISS, "Tahoma");
    m_pBrush = new CBrush;
    m_pBrush->CreateSolidBrush(kRoseColour);
    m_pRimPen = new CPen;
    m_pRimPen->CreatePen(PS_SOLID, 4, COLORREF(0x000000));
    m_pCrossPen = new CPen;
    m_pCrossPen->CreatePen(PS_SOLID, 2, kCrossColour);
    m_pDirectionPen = new CPen;
    m_pDirectionPen->CreatePen(PS_SOLID, 2, kDirectionColour);
}

CAzimuthPlotPP::~CAzimuthPlotPP()
{
    delete m_pFont;
    delete m_pBrush;
    delete m_pRimPen;
    delete m_pCrossPen;
    delete m_pDirectionPen;
}

BOOL CAzimuthPlotPP::OnInitDialog()
{
    CColourPropertyPage::OnInitDialog();
    SubclassPageControls(this, {{&m_Frame, IDC_PLOT_FRAME}});
    return TRUE;
}

BOOL CAzimuthPlotPP::OnSetActive()
{
    // The page shows the last computation's results, which another page may have changed.
    Invalidate();
    if (m_Frame.GetSafeHwnd())
        m_Frame.Invalidate();
    return CColourPropertyPage::OnSetActive();
}

void CAzimuthPlotPP::OnPaint()
{
    CPaintDC validate(this);
    if (!m_Frame.GetSafeHwnd())
        return;
    CDC* dc = m_Frame.GetDC();
    if (!dc)
        return;
    CRect client;
    m_Frame.GetClientRect(&client);
    DrawPlot(dc, client);
    m_Frame.ReleaseDC(dc);
}

void CAzimuthPlotPP::DrawPlot(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(&rect, 0xFFFFFF);
    const CPoint centre = rect.CenterPoint();
    const int r = std::min(rect.Width(), rect.Height()) / 2;

    CFont* oldFont = pDC->SelectObject(m_pFont);
    CBrush* oldBrush = pDC->SelectObject(m_pBrush);
    const CSize letter = pDC->GetTextExtent("W", 1);
    const int w = letter.cx;
    const int h = letter.cy;
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(0x000000);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    CRect box(centre.x - w / 2, rect.top, centre.x - w / 2 + w, rect.top + h);
    pDC->DrawText("N", 1, &box, format);
    box = CRect(centre.x - w / 2, rect.bottom - h, centre.x - w / 2 + w, rect.bottom);
    pDC->DrawText("S", 1, &box, format);
    box = CRect(centre.x - r, centre.y - h / 2, centre.x - r + w, centre.y - h / 2 + h);
    pDC->DrawText("W", 1, &box, format);
    box = CRect(centre.x + r - w, centre.y - h / 2, centre.x + r, centre.y - h / 2 + h);
    pDC->DrawText("E", 1, &box, format);

    const int rho = r - h;
    CPen* oldPen = pDC->SelectObject(m_pRimPen);
    pDC->Ellipse(centre.x - rho, centre.y - rho, centre.x + rho, centre.y + rho);
    pDC->SelectObject(m_pCrossPen);
    pDC->MoveTo(centre.x - rho, centre.y);
    pDC->LineTo(centre.x + rho, centre.y);
    pDC->MoveTo(centre.x, centre.y - rho);
    pDC->LineTo(centre.x, centre.y + rho);

    // Cleared coefficients give no directions worth drawing: without results the rose stands
    // alone rather than pointing the user somewhere false.
    if (m_pSunObservation && m_pSunObservation->HasResults())
    {
        pDC->SelectObject(m_pDirectionPen);
        DrawDirection(pDC, centre, rho, m_pSunObservation->m_dAzimuth, IDI_ORBISOL_SUN);
        DrawDirection(pDC, centre, rho, m_pSunObservation->m_dROAzimuth, IDI_ORBISOL_RO);
    }

    pDC->SelectObject(oldFont);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

void CAzimuthPlotPP::DrawDirection(CDC* pDC, CPoint centre, int radius, double azimuth, UINT nIcon)
{
    const CPoint end(centre.x + static_cast<int>(radius * std::sin(azimuth)),
                     centre.y - static_cast<int>(radius * std::cos(azimuth)));
    pDC->MoveTo(centre);
    pDC->LineTo(end);
    pDC->DrawIcon(end.x - kIconHalf, end.y - kIconHalf, nIcon);
}
