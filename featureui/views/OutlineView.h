// COutlineView: a child view that draws a plan (a vessel outline, a drawing-exchange shape,
// lines, arcs, polygons and vector symbols) scaled to fit a rectangle over a metric grid, and
// reports a left click to its owner as a plan coordinate. The structure view draws on it.
//
// Units: plan coordinates in metres, x to the right (easting), y upwards (northing); pixels
// grow right and down. Arc angles are bearings in radians, clockwise from the +y axis.
#pragma once

#include "featureui/TolvarApi.h"
#include "foundation/ConfigFile.h"
#include "foundation/Geometry.h"
#include "foundation/SymbolTypes.h"
#include "foundation/XYArray.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/View.h"

class CDxf;
class CDxfEntity;
class CMyDC;
class COutline;
struct SymbolDef;

class TOLVAR_API COutlineView : public CView
{
    DECLARE_DYNCREATE(COutlineView)
public:
    COutlineView();
    ~COutlineView() override;

    // The view as a child of `pParent` (0, 0, 200, 200), in a window class that hears double
    // clicks; `pParent` becomes the owner its clicks are posted to.
    BOOL Create(CWnd* pParent);
    using CView::Create;

    // Fits the plan extents (metres) into `rect`: the grid step by the larger extent (10 m
    // below 100 m up to 5000 m from 10 km), the extents rounded out to grid steps, the scale
    // (metres per pixel) that fits the wider of them, and the centres of both.
    void ComputeScaling(const CRect& rect, double dMinX, double dMinY, double dMaxX, double dMaxY);
    // Plan (metres) to pixel, truncating toward zero, and back.
    POINT CoordToPixel(double x, double y) const;
    tagXY PixelToCoord(long px, long py) const;

    // The axes through the plan's origin with a tick at every grid step, and a dot at every
    // grid intersection, in the grid colour.
    void DrawGrid(CDC* pDC);
    // With the pen selected in the context.
    void DrawLine(CDC* pDC, double x1, double y1, double x2, double y2);
    // Chords no more than a pixel off the circle: clockwise from angle 1 to angle 2, or for
    // ANTICLOCKWISE the same arc from angle 2 to angle 1. Nothing for a radius of 0 or less.
    void DrawArc(CDC* pDC, double cx, double cy, double radius, double angle1, double angle2,
                 CLOCK_DIRECTION direction);
    // Filled by the pen's fill code: 0xFFFE none, 0xFFFF solid, else that hatch style.
    void DrawPolygon(CDC* pDC, const tagXY* pPoints, int nCount, const tagPen* pPen);
    // The outline's points joined where their pen is down, in its normal or alternative pen.
    void DrawOutline(CDC* pDC, const COutline* pOutline, bool bAlternative);
    // The symbol (4 × size + 4 pixels across) at the position (z ignored) and the label beside
    // it on the given side.
    void DrawVectorSymbol(CMyDC* pDC, tagXYZ position, const char* lpszLabel, const SymbolDef* pSymbol,
                          LABEL_POSITION labelPosition);
    // Every block's entities, then the drawing's own, placed by the drawing's scale, offset and
    // rotation; nothing for a null drawing or one not in use.
    void DrawDxf(CMyDC* pDC, CDxf* pDxf);
    // One entity with its pen from `pPens` (the 8 base colours, then the 256 palette colours).
    void DrawEntity(CDC* pDC, const CDxf* pDxf, const CDxfEntity* pEntity, CPen* pPens);

    // Black background always; a dark green grid at night, green by day. Not repainted here.
    void SetNightMode(bool bNight);
    bool GetNightMode() const { return m_bNight; }

    COLORREF GetBackgroundColour() const { return m_BackgroundColour; }
    COLORREF GetGridColour() const { return m_GridColour; }
    double GetGridStep() const { return m_GridStep; }
    double GetScale() const { return m_Scale; }
    const tagXY& GetClickedCoordinate() const { return m_ClickedCoordinate; }

    static constexpr int DXF_PENS = 8 + 256;

protected:
    void OnDraw(CDC* pDC) override;

    // The clicked point as a plan coordinate, posted to the owner (UM_CLICK_ON_VESSEL_OUTLINE,
    // wParam its address).
    void OnLButtonDown(UINT nFlags, CPoint point);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    // The drawing covers the whole window.
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    bool m_bNight = false;
    COLORREF m_BackgroundColour = 0x000000;
    CPen m_GridPen;
    COLORREF m_GridColour = 0x00FF00;
    CRect m_PlotRect;
    int m_CentrePixelX = 0;
    int m_CentrePixelY = 0;
    double m_GridStep = 10.0;
    double m_CentreX = 0.0;
    double m_CentreY = 0.0;
    double m_Scale = 1.0;
    CWnd* m_pOwner = nullptr;
    tagXY m_ClickedCoordinate{0.0, 0.0};

private:
    // A point of the drawing placed by its scale, offset and rotation.
    tagXY PlacePoint(const CDxf& dxf, double x, double y) const;
    // A colour that would vanish into the background shows as its opposite.
    COLORREF VisibleColour(COLORREF colour) const;
};
