// CScrollingAreaGraph: a strip chart that scrolls two traces of sensor values (depth and
// altitude, or depth and burial) across a plot with an automatic vertical axis, drawn as lines,
// as an echo-sounder area or as a depth-of-burial area. Its modes are chosen from a context menu
// and kept in a small settings file named after the graph.
//
// Values are metres (or whatever unit the host feeds), depth positive down. A sample of
// SCROLLING_GRAPH_NO_VALUE, or one that is not finite or lies beyond +-1e9, is no measurement:
// it is left out of the axis and the value texts and drawn as a gap.
#pragma once

#include "platform/core/Array.h"
#include "platform/core/String.h"
#include "platform/ui/Font.h"
#include "platform/ui/View.h"

#include <cfloat>

using CDoubleArray = CArray<double, double>;

// The host's marker of a missing measurement: the largest finite double.
constexpr double SCROLLING_GRAPH_NO_VALUE = DBL_MAX;

// Whether a sample is a measurement the graph can place: finite and within +-1e9, so that the
// whole-number axis bounds always hold it.
bool IsGraphValue(double value);

// The vertical axis: whole-number bounds, both multiples of the span, at least one span apart.
struct GRAPH_AXIS
{
    int minimum = 0;
    int maximum = 10;
};

class CScrollingAreaGraph : public CView
{
public:
    // Each trace keeps at most this many samples, the newest first.
    static constexpr int MAX_SAMPLES = 4096;
    // The colour table's entries, in order.
    enum COLOUR_ROLE
    {
        PLOT_FRAME,
        PLOT_BACKGROUND,
        LABEL,
        SCALE_LINES,
        LABEL_TEXT,
        TRACE1,
        TRACE2,
        BAND_BEYOND,
        BAND_OTHERWISE,
        COLOURS
    };
    // Context-menu commands; headings all carry MENU_HEADING.
    enum MENU_ID
    {
        MENU_LEFT_TO_RIGHT = 1,
        MENU_TRACE_MODE = 2,
        MENU_ECHO_SOUNDER = 3,
        MENU_DEPTH_OF_BURIAL = 4,
        MENU_DEPTH_PLUS_ALTITUDE = 5,
        MENU_ZERO_MODE = 6,
        MENU_SHOW_VALUES = 7,
        MENU_SPAN_5 = 10,
        MENU_SPAN_10 = 11,
        MENU_SPAN_25 = 12,
        MENU_SPAN_50 = 13,
        MENU_SPAN_100 = 14,
        MENU_RESET = 20,
        MENU_SELECT_TRACES = 30,
        MENU_HEADING = 100
    };

    CScrollingAreaGraph();
    ~CScrollingAreaGraph() override;

    // A visible child of `pOwner` at (0, 0)-(200, 200), control id 0, named `name`; on success
    // the owner, name and identifier are kept. The settings file of that name is read either
    // way. Returns the window-creation result.
    BOOL Create(CWnd* pOwner, const char* name, int id);

    // One sample pair at the front of the traces (null names read "Trace 1", "Trace 2"). With
    // depth plus altitude, trace 2 takes value1 + value2 (the seabed depth) when both are
    // measurements and no value when the depth is missing. The oldest samples beyond
    // MAX_SAMPLES drop out; the window is redrawn.
    void AddValues(const char* name1, double value1, const char* name2, double value2);
    // Fills the colour table for day or night and the current trace mode.
    void SetColourMode(bool bNight);
    void ClearTraces();

    // The axis for the first `n` samples (the drawing width in pixels) of the two traces with
    // that minimum span; in zero mode it starts at 0 or below. 0 to span when no sample counts.
    static GRAPH_AXIS AutomaticAxis(const CDoubleArray& trace1, const CDoubleArray& trace2, int n, int span,
                                    bool zeroMode);
    // Steps 2 onward of painting: labels, plot, values and traces, drawn into `pDC` over
    // `area` (the memory bitmap's rectangle, from 0, 0). Runs the automatic axis first.
    void Draw(CDC* pDC, const CRect& area);

    // The rectangles of the last drawing (in the memory bitmap's coordinates, which sit
    // FrameOffset() inside the client area): the framed plot, and the drawing rectangle that
    // samples are placed in.
    const CRect& GetPlotRect() const { return m_PlotRect; }
    const CRect& GetDrawRect() const { return m_DrawRect; }
    static CPoint FrameOffset();
    // Where a value lies vertically in the drawing rectangle with the current axis and mode,
    // and where sample i (0 the newest) lies across.
    int ValueToY(double value) const;
    int SampleToX(int index) const;
    // The value texts of the last drawing, as the caption or the top line show them.
    CString ValueText(int trace) const;

    // The settings file, read at creation and written after every context menu. A line that
    // is not a flag of 0 or 1 takes its default and is reported once for the file.
    void LoadSettings();
    void SaveSettings() const;

    CWnd* m_pOwner = nullptr;
    int m_nID = 0;
    CString m_strName;
    bool m_bShowValues = true;
    bool m_bEchoSounderMode = true;
    bool m_bDepthOfBurialMode = false;
    bool m_bTraceMode = false;
    bool m_bZeroMode = true;
    bool m_bDepthPlusAltitude = false;
    bool m_bNight = false;
    bool m_bLeftToRight = false;
    bool m_bSingleTrace = false;
    bool m_bFixedMode = false;
    int m_nAxisMin = 0;
    int m_nAxisMax = 10;
    int m_nMinSpan = 10;
    CString m_strTrace1;
    CDoubleArray m_Trace1;
    CString m_strTrace2;
    CDoubleArray m_Trace2;
    COLORREF m_Colours[COLOURS] = {};
    CFont m_Font;

protected:
    void OnDraw(CDC* pDC) override;
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    DECLARE_MESSAGE_MAP()

private:
    // The shown values: trace 2 is the altitude (trace 2 - trace 1) with depth plus altitude.
    bool ShownValue(int trace, double* value) const;
    void ShowValues(CDC* pDC, int w);
    // The menu's effect of command `id`; false for none (dismissed).
    bool Apply(UINT id);
    void DrawScaleLines(CDC* pDC);
    void DrawTraceLine(CDC* pDC, const CDoubleArray& trace, int count, COLORREF colour);
    void DrawColumns(CDC* pDC, int count, bool bands);
    int DrawnSamples() const;

    CRect m_PlotRect;
    CRect m_DrawRect;
    // Pixels per axis unit, kept as a fraction so that an axis taller than the plot in pixels
    // still spreads its samples over the plot.
    double m_dPixelsPerUnit = 0.0;
    int m_nAxisSamples = 0;
    CString m_strShown[2];
};
