// CAzimuthPlotPP: the sheet's sun plot page: a compass rose with the directions of the sun and
// of the R.O. from the last computation, each ending at its icon. With no results (no almanac
// for the date) the rose is drawn alone.
#pragma once

#include "orbisol/ui/ColourPropertyPage.h"
#include "platform/ui/Font.h"
#include "platform/ui/Static.h"

class CSunObservation;
class CAzimuthPlotPP;

// The page's frame: it keeps what is drawn on it and, when it must paint itself (shown for the
// first time, uncovered), has the page draw the plot again, so the frame is never left blank.
class CAzimuthPlotFrame : public CStatic
{
public:
    explicit CAzimuthPlotFrame(CAzimuthPlotPP* pPage) : m_pPage(pPage) {}

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    CAzimuthPlotPP* m_pPage;
};

class CAzimuthPlotPP : public CColourPropertyPage
{
public:
    explicit CAzimuthPlotPP(CSunObservation* pSun);
    ~CAzimuthPlotPP() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    // Draws the plot into the rectangle (the frame's client area): white ground, the four
    // letters, the rose and its cross, and the two directions when there are results.
    void DrawPlot(CDC* pDC, const CRect& rect);

    // The colours of the plot (COLORREF).
    static constexpr COLORREF kRoseColour = 0xCCFFCC;
    static constexpr COLORREF kCrossColour = 0xFF0000;
    static constexpr COLORREF kDirectionColour = 0x0000FF;

    CSunObservation* m_pSunObservation;

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    // A direction from the centre at the azimuth (radians clockwise from north) to the rose's
    // edge, with the icon centred on its end.
    void DrawDirection(CDC* pDC, CPoint centre, int radius, double azimuth, UINT nIcon);

    CAzimuthPlotFrame m_Frame;
    CFont* m_pFont;
    CBrush* m_pBrush;
    CPen* m_pRimPen;
    CPen* m_pCrossPen;
    CPen* m_pDirectionPen;
};
