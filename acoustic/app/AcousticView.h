// CAcousticView: the Acoustic program's plan view: the current calibration drawn in grid
// coordinates (metres) on the calibration plot, double-buffered, with the mouse position in
// grid coordinates on the main frame's status bar, drag-panning, wheel zoom and the plot's
// keys.
//
// The plot is the calibration program's CCalibrationPlot, used as it is: its SetCentre
// (moves the centre, true when it differs) is what stores a position for the view, and its
// LoadSettings reads "Grid Plot". Callers reach it through GetPlot(). The drag start in grid
// coordinates and the current cursor are the plot's (dragStartE, dragStartN, cursor), set
// when a left button press starts a drag; the view keeps the screen points.
//
// What each mode draws, and which fields of the calibration objects it reads, is written in
// PlanDrawing.h.
//
// Keys: key-down messages go to the plot. Of the character messages only '+' and '-' do: a key
// press brings a key-down and a character, and the plot reads both as key codes, so every
// other character would act a second time ('i' is the code of keypad 9) or as a key never
// pressed ('#' is the code of End). The keypad's '+' and '-' act through their key-down alone.
#pragma once

#include "acoustic/engine/CalibrationPlot.h"
#include "platform/core/Sync.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/View.h"

class CBoxin;
class CChartexaStatusBar;
class CGridOnGrid;
class CNetwork;
class CTransitFix;
class CUsblCalibration;

// The calibration a view draws.
enum ACOUSTIC_VIEW_MODE
{
    VIEW_GRID_ON_GRID = 1,
    VIEW_NETWORK = 2,
    VIEW_BOXIN = 3,
    VIEW_USBL_CALIBRATION = 4,
    VIEW_TRANSIT_FIX = 5,
};

class CAcousticView : public CView
{
    DECLARE_DYNCREATE(CAcousticView)

public:
    // Five wheel messages one way are let pass; the sixth steps the scale.
    static constexpr int kWheelSteps = 5;
    // The scale indices the wheel keeps to.
    static constexpr int kFirstScale = 1;
    static constexpr int kLastScale = 29;

    CAcousticView();
    ~CAcousticView() override;

    // The draw: under the mutex (when one is set, waiting as long as it takes), into a bitmap
    // of the client size: the background, the plot's grid and scale for the client rectangle,
    // the mode's calibration when its object is set; then one copy to `pDC`.
    void OnDraw(CDC* pDC) override;
    // Draws at once into a context of the window, then invalidates the whole view with erasing.
    void Redraw();

    // What the frame hands over; the view never owns or frees any of it.
    void SetMode(int mode) { m_nMode = mode; }
    int GetMode() const { return m_nMode; }
    void SetGridOnGrid(CGridOnGrid* data) { m_pGridOnGrid = data; }
    void SetNetwork(CNetwork* network) { m_pNetwork = network; }
    void SetBoxin(CBoxin* boxin) { m_pBoxin = boxin; }
    void SetUsblCalibration(CUsblCalibration* usbl) { m_pUsblCalibration = usbl; }
    void SetTransitFix(CTransitFix* fix) { m_pTransitFix = fix; }
    void SetMutex(CMutex* mutex) { m_pMutex = mutex; }
    void SetStatusBar(CChartexaStatusBar* bar) { m_pStatusBar = bar; }

    CCalibrationPlot& GetPlot() { return m_Plot; }
    // The last point the left button went down on, and where the current drag started.
    CPoint GetLastPoint() const { return m_LastPoint; }
    CPoint GetDragStartPoint() const { return m_DragStartPoint; }
    // The wheel messages counted since the scale last stepped, one for the whole program.
    static int GetWheelCount() { return s_WheelCount; }

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    // The point in grid coordinates on the status bar, or the read-outs cleared when it does
    // not convert; whether it converted.
    bool ShowPosition(CPoint point, double* e, double* n);
    void DrawCalibration();

    static int s_WheelCount;

    CPoint m_LastPoint{0, 0};
    CPoint m_DragStartPoint{0, 0};
    CCalibrationPlot m_Plot;
    COLORREF m_BackgroundColour = 0x000000;
    CFont m_Font;         // Verdana 9 point
    CFont m_VerticalFont; // the same turned a quarter turn counter-clockwise
    CPen m_WhitePen;
    int m_nMode = 0;
    CGridOnGrid* m_pGridOnGrid = nullptr;
    CNetwork* m_pNetwork = nullptr;
    CBoxin* m_pBoxin = nullptr;
    CUsblCalibration* m_pUsblCalibration = nullptr;
    CTransitFix* m_pTransitFix = nullptr;
    CMutex* m_pMutex = nullptr;
    CChartexaStatusBar* m_pStatusBar = nullptr;
    // The key of the last key-down, so that the keypad's '+' and '-' act once.
    UINT m_nLastKey = 0;
};
