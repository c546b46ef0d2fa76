// CTimeSeriesPane: a receiver pane that plots values against time: one plot with several
// series, or one plot per series stacked. The time axis runs from the start of the time span
// to the newest sample; each plot's value axis grows to take every new value and shrinks back
// to the values shown on "Reset Y Span". A right click offers "Reset Graph", "Reset Time Span"
// and "Reset Y Span", which post UM_RESET_GRAPH, UM_RESET_TIME_SPAN and UM_RESET_Y_SPAN
// (wParam the pane's id) to the main window above the pane, so that the frame resets every
// graph pane alike.
#pragma once

#include "outside/gps/GpsPane.h"

#include <cmath>
#include <deque>
#include <vector>

class CTimeSeriesPane : public CGpsPane
{
public:
    // Samples kept: an hour at one a second; older ones are dropped.
    static constexpr size_t MAX_SAMPLES = 3600;
    // Samples closer together than this (seconds) replace one another, so the several
    // sentences of one epoch make one sample.
    static constexpr double SAME_EPOCH = 0.5;
    // The narrowest time axis shown (seconds).
    static constexpr double MIN_TIME_SPAN = 60.0;
    // Menu command ids of the right-click menu.
    enum
    {
        ID_RESET_GRAPH = 1,
        ID_RESET_TIME_SPAN = 2,
        ID_RESET_Y_SPAN = 3
    };

    struct Series
    {
        const char* name;   // legend and axis label
        COLORREF colour;    // line colour
        int decimals;       // axis labels
        double minimumSpan; // the narrowest value axis, so a steady value is a flat line
        // The least value the series can take (a count, a precision): its axis never reaches
        // below it.
        double lowest = -HUGE_VAL;
    };
    // Each plot keeps at least this height (pixels), room for its value at the top and at the
    // bottom of its axis with a line between.
    static constexpr int MIN_PLOT_HEIGHT = 40;

    // `stacked`: one plot per series; else all series share one plot.
    CTimeSeriesPane(std::vector<Series> series, bool stacked);

    // Appends a sample of the receiver's values at the time now.
    void Update(CGps* pGps) override;
    // Appends a sample of the receiver's values at `time` (seconds, increasing).
    void UpdateAt(CGps* pGps, double time);
    // Appends one sample (one value per series).
    void AddSample(double time, const std::vector<double>& values);

    // Drops every sample; the spans start again with the next one.
    void Clear();
    // The time axis starts at the newest sample (at the next one when there is none).
    void ResetTimeSpan();
    // Each value axis takes just the values in the time span.
    void SetYSpan();

    // For displays and tests.
    int GetSeriesCount() const { return static_cast<int>(m_Series.size()); }
    int GetPlotCount() const { return m_bStacked ? GetSeriesCount() : 1; }
    size_t GetSampleCount() const { return m_Samples.size(); }
    double GetSampleTime(size_t i) const { return m_Samples.at(i).time; }
    double GetSampleValue(size_t i, int series) const { return m_Samples.at(i).values.at(series); }
    double GetTimeSpanStart() const { return m_SpanStart; }
    // False while the plot has no values.
    bool GetYSpan(int plot, double& minimum, double& maximum) const;
    // Where a value at a time is drawn in a client rectangle of the surface.
    CPoint ValueToPoint(const CRect& rcClient, int series, double time, double value) const;
    // Where a plot lies in a client rectangle of the surface, and what its value axis reads
    // from the top down (empty while the plot has no values).
    CRect GetPlotRect(const CRect& rcClient, int plot) const { return PlotRect(rcClient, plot); }
    std::vector<CString> GetAxisLabels(const CRect& rcClient, int plot) const;
    // The least client height that gives every plot MIN_PLOT_HEIGHT.
    int GetMinimumHeight() const override;
    // A value as an axis writes it: `decimals` after the point, and never "-0".
    static CString FormatAxisValue(double value, int decimals);

    void Draw(CDC* pDC, const CRect& rcClient) override;

protected:
    // The values of a receiver, one per series; false when it has none to give.
    virtual bool Sample(CGps* pGps, std::vector<double>& values) = 0;

    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    struct SampleDef
    {
        double time;
        std::vector<double> values;
    };
    struct Span
    {
        bool valid = false;
        double minimum = 0.0;
        double maximum = 0.0;
    };

    int PlotOf(int series) const { return m_bStacked ? series : 0; }
    CRect PlotRect(const CRect& rcClient, int plot) const;
    void GetTimeAxis(double& start, double& end) const;
    void Widen(Span& span, double value, double minimumSpan, double lowest) const;
    double MinimumSpan(int plot) const;
    double Lowest(int plot) const;
    int Decimals(int plot) const;
    void DrawPlot(CDC* pDC, const CRect& rcClient, const CRect& rcPlot, int plot) const;

    std::vector<Series> m_Series;
    bool m_bStacked;
    std::deque<SampleDef> m_Samples;
    std::vector<Span> m_YSpans;
    double m_SpanStart = 0.0;
    bool m_bSpanStartSet = false;
};
