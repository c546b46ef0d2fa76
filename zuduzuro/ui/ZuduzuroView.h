// CZuduzuroView: the anchor-cable program's side view, a vertical section from the barge's
// fairlead to the anchor drawn to scale over the water column and the seabed: the cable with
// its buoys and anchor, the pipelines and obstructions it crosses, dimension lines in the
// user's distance unit and the tension in the user's tension unit. It reads the anchor under
// the frame's lock, reports the pointer's range, depth and clearance in the status bar, and
// turns keys into zoom and tension changes that it posts to the main window.
//
// Pixels: a range x and a depth z (m, positive down from the water surface) lie at column
// plot left + trunc(x · horizontal scale) and row plot top + trunc(z · vertical scale); the plot
// top is the water line.
#pragma once

#include "platform/ui/View.h"

#include <QImage>

#include <cstdint>
#include <vector>

class CAnchor;
class CDC;
class CFont;
class CMutex;
class CStatusBar;

// The context menu's commands.
#define ID_ZUDUZURO_PRINT 1000
#define ID_ZUDUZURO_BMP_FILE 1001

class CZuduzuroView : public CView
{
    DECLARE_DYNCREATE(CZuduzuroView)
public:
    // What a press on the plot hit.
    enum HIT_KIND
    {
        HIT_NONE = 0,
        HIT_ANCHOR = 1,
        HIT_SURFACE = 2, // the water surface above the anchor
        HIT_BUOY = 3
    };
    struct PointerDef
    {
        int nKind = HIT_NONE;
        int nBuoy = -1;
        double Range = 0.0;     // m
        double Depth = 0.0;     // m below the water line
        double Clearance = 0.0; // m above the plot's bottom
        CPoint Point;
    };

    static constexpr int kColours = 25;
    static const COLORREF kColourTable[kColours];

    CZuduzuroView();
    ~CZuduzuroView() override;

    // The frame's objects: the anchor, the barge's draft (m below the water line), the lock the
    // frame computes under and the status bar that shows the pointer. Nothing is drawn before.
    void SetData(CAnchor* pAnchor, double bargeDraft, CMutex* pLock, CStatusBar* pStatusBar);

    // One drawing pass into `dc` over `client`: under the lock, everything the view shows.
    // Nothing without an anchor and a lock.
    void Render(CDC* dc, const CRect& client);
    // The picture of the whole view at a size, as Render draws it.
    QImage RenderImage(int width, int height);
    // The printout on a report page: a heading over the same picture.
    void PrintPicture(CDC* dc, const CRect& page);

    // The next pass takes the largest zoom level, fitting what it draws into the view.
    void FitAtNextPass() { m_ZoomLevel = -1.0; }

    // The pointer readout at a client point: inside the plot (edges included) it sets the
    // pointer record and status-bar panes 2, 4 and 6 and returns true; outside it does nothing.
    bool UpdatePointer(CPoint point);
    // The hit test of a left press (Live anchors only): the surface above the anchor, the
    // anchor, then the buoys.
    void HitTest(CPoint point);
    // The context menu's commands.
    void Print();
    bool SaveBitmap();

    // A pixel offset from a product in metres: truncated toward zero; a value that is not a
    // number or lies beyond ±2^30 pixels is held at that bound, so no conversion is undefined.
    // Inline and free of library calls: a paint converts every point of the seabed and cable.
    static int ToPixels(double metres, double scale)
    {
        constexpr double kLimit = 1073741824.0; // 2^30
        const double product = metres * scale;
        if (!(product == product))
            return 0; // NaN
        // Within ±2^30 the conversion itself truncates toward zero.
        return static_cast<int>(product < -kLimit ? -kLimit : (product > kLimit ? kLimit : product));
    }
    // A crossing's label: its distance in the user's unit, at most 99999.9, written without
    // decimals and followed by the unit's short name.
    static CString CrossingLabel(double metres);
    // The horizontal extent drawn (m): 1.1 x range or the second distance (the touchdown's),
    // whichever is larger, rounded up to 500 m; 1000 m when not positive.
    static double ExtentFor(double range, double secondDistance);

    // State, kept between passes.
    CAnchor* m_pAnchor = nullptr;
    double m_BargeDraft = 0.0;
    CMutex* m_pLock = nullptr;
    CStatusBar* m_pStatusBar = nullptr;
    CRect m_PlotRect;
    double m_HorizontalScale = 0.0; // pixels per metre at zoom 1
    double m_VerticalScale = 0.0;   // horizontal scale x zoom level
    double m_ZoomLevel = 1.0;
    double m_LargestZoom = 1.0;
    PointerDef m_Pointer;
    COLORREF m_Colour[kColours];
    int m_CharWidth = 8;   // of the label font of the last pass
    int m_CharHeight = 16; //
    // Where the last pass wrote its texts (labels, the zoom, the text block), in pixels of the
    // surface it drew on: each inside it and apart from the others.
    std::vector<CRect> m_LabelRects;

protected:
    void OnDraw(CDC* pDC) override;
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The pass's drawing context, fonts and colours.
    struct PassDef;
    // The water depth typed for W and F8: 0 to 100000 m, else refused with a message.
    void AskWaterDepth();
    void PostToMain(UINT message, WPARAM wParam, LPARAM lParam) const;
    bool DrawFrame(PassDef& pass);
    void DrawSeabed(PassDef& pass);
    void DrawFailure(PassDef& pass);
    void DrawTextBlock(PassDef& pass);
    void DrawCrossings(PassDef& pass);
    // Where the crossings' labels go, before anything else is written below the plot.
    void PlaceCrossingLabels(PassDef& pass);
    void DrawCrossingLabel(PassDef& pass, double distance, const CRect& box);
    void DrawTrackPoints(PassDef& pass);
    void DrawSymbols(PassDef& pass);
    void DrawDimensions(PassDef& pass);
    void DrawDimension(PassDef& pass, int x1, int x2, int y, double metres, COLORREF line, COLORREF text,
                       COLORREF back);
    // A buoy out along the line short of the anchor: the range to it gets a dimension line of
    // its own below the plot.
    bool HasSecondDimensionLine() const;
    int Column(double range) const { return m_PlotRect.left + ToPixels(range, m_HorizontalScale); }
    int Row(double depth) const { return m_PlotRect.top + ToPixels(depth, m_VerticalScale); }
};
