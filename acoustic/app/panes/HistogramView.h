// CHistogramView: the histogram of the Boxin range residuals, drawn by the graph engine as
// bars of the number of observations per residual class. The owner writes the points and the
// axis limits and invalidates the view.
#pragma once

#include "acoustic/engine/Graph.h"
#include "foundation/XYArray.h"
#include "platform/ui/View.h"

class CHistogramView : public CView
{
    DECLARE_DYNAMIC(CHistogramView)
public:
    CHistogramView();

    // A visible child of `pParent` (0, 0, 700, 1200; moved by its owner) over a white graph
    // with the axes "Range C-O" and "Observations" and the series "C-O".
    BOOL Create(CWnd* pParent);
    // The axes from the limits and steps (XSteps, YSteps), then the graph over the client area.
    void OnDraw(CDC* pDC) override;

    // Tick steps of the X axis by the step selector (1 below 1, 10 up to 10, else the selector),
    // and of the Y axis by the Y maximum (1/1 up to 10, 1/10 up to 100, else 10/50).
    static void XSteps(double selector, double* minor, double* major);
    static void YSteps(double yMaximum, double* minor, double* major);

    CGraph m_Graph;
    CXYArray m_Points; // (residual class, observations)
    double m_XMinimum = -5.0;
    double m_XMaximum = 5.0;
    double m_YMaximum = 1.0;
    double m_XStep = 1.0; // the step selector

protected:
    // The graph paints every pixel: nothing is erased first.
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    // Owned by its pane, not deleted with its window.
    void PostNcDestroy() override {}
    DECLARE_MESSAGE_MAP()

    CGraphAxis* m_pXAxis = nullptr;
    CGraphAxis* m_pYAxis = nullptr;
};
