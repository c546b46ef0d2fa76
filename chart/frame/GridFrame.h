// CGridFrame: the navigation window, a top-level window for a second monitor: a row of data
// boxes across its top and a remote chart view below them. It fills its monitor, stays at the
// bottom of the z-order, hides instead of closing, hands navigation data to its boxes, and
// runs the button-box thread whose buttons reach its owner, which turns them into commands
// through PressButton.
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/core/Array.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/GdiObject.h"

class CButtonBoxThread;
class CDataView;
class CGridView;

// Commands of the navigation window, with the texts of the string table.
#define ID_GRID_ZOOM_IN 12319
#define ID_GRID_ZOOM_OUT 12320
#define ID_GRID_PAN_LEFT 12321
#define ID_GRID_PAN_RIGHT 12322
#define ID_GRID_PAN_UP 12323
#define ID_GRID_PAN_DOWN 12324
#define ID_GRID_CENTRE_SCREEN 12333

class CHARTEXA_API CGridFrame : public CFrameWnd
{
    DECLARE_DYNCREATE(CGridFrame)

public:
    // How high the row of boxes is, and how wide the screen is for each box (pixels).
    static constexpr int kBoxHeight = 100;
    static constexpr int kScreenPerBox = 300;

    CGridFrame() = default;
    // Stops and deletes the button-box thread, deletes the view, writes "Remote Data View"
    // with each box's label and type in row order, and deletes the boxes.
    ~CGridFrame() override;
    CGridFrame(const CGridFrame&) = delete;
    CGridFrame& operator=(const CGridFrame&) = delete;

    // The window "Navigation Window" on monitor 1, filling it, maximised, at the bottom of the
    // z-order. `owner` receives the button box's messages (the main window when null).
    // Nonzero when the window was made.
    virtual BOOL Create(CWnd* owner);

    // 1 adds the caption and sizing border, anything else removes them.
    void SetCaption(int on);
    bool IsCaption() const;
    // Moves the window to monitor `monitor` and fills it.
    void AdjustScreen(int monitor);
    void Update();
    CGridView* GetView() const { return m_pView; }
    // The command of a button-box button: one of the seven command ids; others do nothing.
    void PressButton(int id);

    // Navigation data for every box, in row order.
    void UpdateGridPosition(const char* text, double easting, double northing);
    void UpdateGridPosition(double easting, double northing);
    void UpdateGeogPosition(const char* text, double latitude, double longitude);
    void UpdateGeogPosition(double latitude, double longitude);
    void UpdateGyro(double heading);
    void UpdateGyro(double heading, double pitch, double roll);
    void UpdateMru(double roll, double pitch, double heave, double rollRate, double pitchRate, double heaveRate,
                   double heading);
    void UpdateSpeedMetresPerSecond(double forward, double lateral);
    void UpdateDepth(double depth);
    void UpdateRangeAndBearing(const char* text, double range, double bearing, double offline);
    void GridTimeout(bool timeout);
    void GeogTimeout(bool timeout);
    void GyroTimeout(bool timeout);
    void MruTimeout(bool timeout);
    void DepthTimeout(bool timeout);

    // Members, in this order.
    CBrush m_BackgroundBrush;
    CGridView* m_pView = nullptr;
    CButtonBoxThread* m_pButtonBoxThread = nullptr;
    HWND m_hViewWnd = nullptr;
    CDataView* m_pRemoteDisplay = nullptr;
    CArray<CDataView*, CDataView*> m_DataViews;
    CWnd* m_pOwner = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnSize(UINT type, int cx, int cy);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    // Hides the window: the user never closes it.
    void OnClose();
    void OnZoomIn();
    void OnZoomOut();
    void OnPanLeft();
    void OnPanRight();
    void OnPanUp();
    void OnPanDown();
    void OnCentreScreen();
    DECLARE_MESSAGE_MAP()

private:
    // The view with its window, or null.
    CGridView* ReadyView() const;
    void ToBottom();
    void CreateBoxes();
    void SaveBoxes();
    template <typename F> void ForEachBox(F f)
    {
        for (INT_PTR i = 0; i < m_DataViews.GetSize(); ++i)
            f(m_DataViews[i]);
    }
};
