// CTideCurvePane: the current port's tide curve over one day, height (metres) against time.
// The chooser above the graph picks the day of the data set's year; a change of day posts
// UM_NP159_TIDE_CURVE with -1 to the owner, which redraws and shows the pane.
//
// The graph runs from 00:00 to 24:00 of the chosen day in the display zone of CTimeZone (the
// port's own time, or UT: the port's time less its zone offset), with a tick every hour and a
// label every three. The height axis spans the day's lowest and highest heights (and the
// clearance line's), labelled at both ends with the zone's decimals. The clearance line, drawn
// while clearance is in use, stands at draught + safety margin + squat: the least height of
// tide above chart datum at which a vessel of that draught keeps its margin over a charted
// depth of zero. Without a port or samples for the day the graph says "No data".
#pragma once

#include "foundation/MyDockablePane.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Font.h"

class CNP159;
class CStandardPortList;
class CTimeZone;
class CClearance;
class CTidalPort;

class CTideCurvePane;

// The graph's own window inside the pane.
class CTideCurveGraph : public CWnd
{
public:
    CTideCurvePane* m_pPane = nullptr;

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

class CTideCurvePane : public CMyDockablePane
{
public:
    static constexpr UINT IDC_CURVE_DAY = 1;
    static constexpr UINT IDC_CURVE_GRAPH = 2;
    // Margins of the plot inside the graph window (pixels).
    static constexpr int kLeftMargin = 56;
    static constexpr int kRightMargin = 16;
    static constexpr int kTopMargin = 12;
    static constexpr int kBottomMargin = 28;
    static constexpr COLORREF kCurveColour = RGB(0, 0, 192);
    static constexpr COLORREF kClearanceColour = RGB(208, 0, 0);

    CTideCurvePane() = default;
    ~CTideCurvePane() override;

    BOOL Create(CWnd* pOwner, int nID, CNP159* pData, CStandardPortList* pPorts, CTimeZone* pZone,
                CClearance* pClearance);
    using CMyDockablePane::Create;

    // Makes port `index` the data set's current one (an index outside its list changes
    // nothing) and redraws.
    void SetPortIndex(int index);
    // The day shown: 0 is 1 January of the data set's year.
    void SetDay(int index);
    int GetDay() const { return m_nDay; }
    CComboBox& GetDayChooser() { return m_Day; }
    CTideCurveGraph& GetGraph() { return m_Graph; }

    // What the graph plots, for drawing and for anyone probing it: the samples of the day as
    // (seconds into the displayed day, height). Empty without a port or data.
    std::vector<std::pair<double, double>> DaySamples();
    // The clearance height; false while clearance is not in use or not a number.
    bool ClearanceHeight(double* height) const;
    // The plot's rectangle in the graph window and the axis spans of the current day.
    CRect PlotRect() const;
    bool HeightSpan(double* low, double* high);
    // Pixel of a time of day (seconds) and of a height in the graph window.
    int TimeToX(double seconds) const;
    int HeightToY(double height, double low, double high) const;

    void Draw(CDC& dc);

protected:
    void AdjustLayout();
    void OnSize(UINT nType, int cx, int cy);
    void OnDaySelChange();
    DECLARE_MESSAGE_MAP()

private:
    void FillDays();
    int DaysInYear() const;

    CNP159* m_pData = nullptr;
    CStandardPortList* m_pPorts = nullptr;
    CTimeZone* m_pZone = nullptr;
    CClearance* m_pClearance = nullptr;
    int m_nDay = 0;
    int m_nFilledYear = -1;
    CComboBox m_Day;
    CTideCurveGraph m_Graph;
    CFont m_Font;
};
