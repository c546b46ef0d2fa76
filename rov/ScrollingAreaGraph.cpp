#include "rov/ScrollingAreaGraph.h"

#include "foundation/PopupMenu.h"
#include "foundation/WindowMessages.h"
#include "rov/FlagSettings.h"

#include <cmath>
#include <vector>

BEGIN_MESSAGE_MAP(CScrollingAreaGraph, CView)
ON_WM_RBUTTONDOWN()
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

namespace
{
constexpr COLORREF kMenuBackground = 0xD6D6D6;
// Beyond this a sample cannot be held by the whole-number axis bounds with room for a span.
constexpr double kLargestValue = 1e9;

// The colour table by trace mode (columns 0, 1) and night (rows of the second index).
struct COLOUR_SET
{
    COLORREF colours[CScrollingAreaGraph::COLOURS];
};
// Frame, background, label, scale lines, label text, trace 1, trace 2, band beyond, band
// otherwise; the third entry repeats the label text's colour.
constexpr COLOUR_SET kDayTrace{{0xFFFFFF, 0x000000, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0xFFFF00, 0xFF00FF, 0x00FF00, 0x0000FF}};
constexpr COLOUR_SET kDayArea{{0xFFFFFF, 0xFF0000, 0xFFFFFF, 0xC0C0C0, 0xFFFFFF, 0x008080, 0x00FFFF, 0x00FF00, 0x0000FF}};
constexpr COLOUR_SET kNightTrace{{0xC0C0C0, 0x000000, 0xC0C0C0, 0x808080, 0xC0C0C0, 0x808000, 0x800080, 0x008000, 0x000080}};
constexpr COLOUR_SET kNightArea{{0xC0C0C0, 0x800000, 0xC0C0C0, 0x808080, 0xC0C0C0, 0x004040, 0x039AC0, 0x008000, 0x000080}};

// The settings file's keys, in the order of its lines, with the default a missing line takes.
struct FLAG_LINE
{
    const char* key;
    bool CScrollingAreaGraph::*flag;
    bool missingDefault;
};
const FLAG_LINE kFlagLines[] = {
    {"Trace Mode", &CScrollingAreaGraph::m_bTraceMode, false},
    {"Depth Mode", &CScrollingAreaGraph::m_bEchoSounderMode, true},
    {"Depth Of Burial Mode", &CScrollingAreaGraph::m_bDepthOfBurialMode, true},
    {"Depth Plus Altitude", &CScrollingAreaGraph::m_bDepthPlusAltitude, true},
    {"Zero Mode", &CScrollingAreaGraph::m_bZeroMode, true},
    {"Left To Right", &CScrollingAreaGraph::m_bLeftToRight, true},
    {"Show Values", &CScrollingAreaGraph::m_bShowValues, true},
};

// The graph's flags as the lines of its settings file. Writing only reads them.
std::vector<FLAG_SETTING> FlagSettings(const CScrollingAreaGraph& graph)
{
    auto& flags = const_cast<CScrollingAreaGraph&>(graph);
    std::vector<FLAG_SETTING> lines;
    for (const FLAG_LINE& line : kFlagLines)
        lines.push_back({line.key, &(flags.*line.flag), line.missingDefault});
    return lines;
}

void TrimToSamples(CDoubleArray& trace)
{
    if (trace.GetSize() > CScrollingAreaGraph::MAX_SAMPLES)
        trace.SetSize(CScrollingAreaGraph::MAX_SAMPLES);
}
} // namespace

bool IsGraphValue(double value)
{
    return std::isfinite(value) && std::fabs(value) <= kLargestValue;
}

CScrollingAreaGraph::CScrollingAreaGraph()
{
    SetColourMode(false);
    m_Font.CreateFont(20, 0, 0, 0, 400, 0, 0, 0, 0, 4, 2, 2, 32, "Tahoma");
}

CScrollingAreaGraph::~CScrollingAreaGraph()
{
    m_Trace1.RemoveAll();
    m_Trace2.RemoveAll();
    m_Font.DeleteObject();
}

BOOL CScrollingAreaGraph::Create(CWnd* pOwner, const char* name, int id)
{
    const LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS);
    const BOOL created =
        CView::Create(windowClass, name, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), pOwner, 0);
    if (created)
    {
        m_strName = name != nullptr ? name : "";
        m_pOwner = pOwner;
        m_nID = id;
    }
    LoadSettings();
    return created;
}

void CScrollingAreaGraph::AddValues(const char* name1, double value1, const char* name2, double value2)
{
    m_Trace1.InsertAt(0, value1);
    double second = value2;
    if (m_bDepthPlusAltitude)
    {
        // Without a depth there is no seabed to place: the altitude alone would read as a
        // seabed a few metres down.
        if (!IsGraphValue(value1))
            second = SCROLLING_GRAPH_NO_VALUE;
        else if (IsGraphValue(value2))
            second = value1 + value2;
    }
    m_Trace2.InsertAt(0, second);
    m_strTrace1 = name1 != nullptr ? name1 : "Trace 1";
    m_strTrace2 = name2 != nullptr ? name2 : "Trace 2";
    TrimToSamples(m_Trace1);
    TrimToSamples(m_Trace2);
    if (GetSafeHwnd() != nullptr)
        Invalidate(TRUE);
}

void CScrollingAreaGraph::SetColourMode(bool bNight)
{
    m_bNight = bNight;
    const COLOUR_SET& set = bNight ? (m_bTraceMode ? kNightTrace : kNightArea) : (m_bTraceMode ? kDayTrace : kDayArea);
    for (int i = 0; i < COLOURS; ++i)
        m_Colours[i] = set.colours[i];
}

void CScrollingAreaGraph::ClearTraces()
{
    m_Trace1.RemoveAll();
    m_Trace2.RemoveAll();
}

GRAPH_AXIS CScrollingAreaGraph::AutomaticAxis(const CDoubleArray& trace1, const CDoubleArray& trace2, int n,
                                              int span, bool zeroMode)
{
    GRAPH_AXIS axis;
    span = span > 0 ? span : 10;
    axis.minimum = 0;
    axis.maximum = span;
    const INT_PTR count = std::min<INT_PTR>(n, trace1.GetSize());
    bool any = false;
    double smallest = 0.0, largest = 0.0;
    for (const CDoubleArray* trace : {&trace1, &trace2})
        for (INT_PTR i = 0; i < std::min(count, trace->GetSize()); ++i)
        {
            const double v = trace->GetAt(i);
            if (!IsGraphValue(v))
                continue;
            smallest = any ? std::min(smallest, v) : v;
            largest = any ? std::max(largest, v) : v;
            any = true;
        }
    if (!any)
        return axis;
    // Zero mode keeps 0 in view; samples below 0 (heights above the seabed) stay in view with
    // it rather than giving an axis of no height.
    if (zeroMode)
    {
        smallest = std::min(smallest, 0.0);
        largest = std::max(largest, 0.0);
    }
    const double minimum = std::floor(smallest / span) * span;
    const double maximum = (std::floor((largest - minimum) / span) + 1.0) * span + minimum;
    axis.minimum = static_cast<int>(minimum);
    axis.maximum = static_cast<int>(maximum);
    return axis;
}

void CScrollingAreaGraph::OnRButtonDown(UINT nFlags, CPoint point)
{
    CPopupMenu menu(kMenuBackground);
    if (menu.CreatePopupMenu())
    {
        const bool restricted = m_bSingleTrace || m_bFixedMode;
        auto check = [](bool on) { return static_cast<UINT>(MF_STRING | (on ? MF_CHECKED : MF_UNCHECKED)); };
        menu.AppendMenu(MF_OWNERDRAW, MENU_HEADING, "X Axis");
        menu.AppendMenu(check(m_bLeftToRight), MENU_LEFT_TO_RIGHT, "Left to Right");
        menu.AppendMenu(MF_OWNERDRAW, MENU_HEADING, "Y Axis");
        if (!m_bSingleTrace)
            menu.AppendMenu(check(m_bTraceMode), MENU_TRACE_MODE, "Trace Mode");
        if (!restricted)
        {
            menu.AppendMenu(check(m_bEchoSounderMode), MENU_ECHO_SOUNDER, "Echo Sounder Mode");
            menu.AppendMenu(check(m_bDepthOfBurialMode), MENU_DEPTH_OF_BURIAL, "Depth Of Burial Mode");
            menu.AppendMenu(check(m_bDepthPlusAltitude), MENU_DEPTH_PLUS_ALTITUDE,
                            m_bDepthPlusAltitude ? "Depth plus Altitude" : "Depth Plus Altitude");
        }
        if (!m_bSingleTrace)
            menu.AppendMenu(check(m_bZeroMode), MENU_ZERO_MODE, "Zero Mode");
        menu.AppendMenu(check(m_bShowValues), MENU_SHOW_VALUES, "Show Values");
        menu.AppendMenu(MF_OWNERDRAW, MENU_HEADING, "Minimum Span");
        menu.AppendMenu(check(m_nMinSpan == 5), MENU_SPAN_5, "5");
        menu.AppendMenu(check(m_nMinSpan == 10), MENU_SPAN_10, "10");
        if (!m_bSingleTrace)
        {
            menu.AppendMenu(check(m_nMinSpan == 25), MENU_SPAN_25, "25");
            menu.AppendMenu(check(m_nMinSpan == 50), MENU_SPAN_50, "50");
            menu.AppendMenu(check(m_nMinSpan == 100), MENU_SPAN_100, "100");
        }
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, MENU_RESET, "Reset");
        if (!restricted)
        {
            menu.AppendMenu(MF_SEPARATOR);
            menu.AppendMenu(MF_STRING, MENU_SELECT_TRACES, "Select Traces");
        }
        CPoint screen = point;
        ClientToScreen(&screen);
        Apply(static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, this)));
        SetColourMode(m_bNight);
        Invalidate(TRUE);
        SaveSettings();
    }
    CView::OnRButtonDown(nFlags, point);
}

bool CScrollingAreaGraph::Apply(UINT id)
{
    switch (id)
    {
    case MENU_LEFT_TO_RIGHT: m_bLeftToRight = !m_bLeftToRight; return true;
    case MENU_TRACE_MODE:
        if (m_bTraceMode)
            m_bTraceMode = false;
        else
        {
            m_bTraceMode = true;
            m_bDepthOfBurialMode = false;
        }
        return true;
    case MENU_ECHO_SOUNDER:
        if (m_bEchoSounderMode)
            m_bEchoSounderMode = m_bDepthOfBurialMode = false;
        else
            m_bEchoSounderMode = true;
        return true;
    case MENU_DEPTH_OF_BURIAL:
        if (m_bDepthOfBurialMode)
            m_bDepthOfBurialMode = false;
        else
        {
            m_bDepthOfBurialMode = m_bEchoSounderMode = true;
            m_bTraceMode = false;
        }
        return true;
    case MENU_DEPTH_PLUS_ALTITUDE: m_bDepthPlusAltitude = !m_bDepthPlusAltitude; return true;
    case MENU_ZERO_MODE: m_bZeroMode = !m_bZeroMode; return true;
    case MENU_SHOW_VALUES: m_bShowValues = !m_bShowValues; return true;
    case MENU_SPAN_5: m_nMinSpan = 5; return true;
    case MENU_SPAN_10: m_nMinSpan = 10; return true;
    case MENU_SPAN_25: m_nMinSpan = 25; return true;
    case MENU_SPAN_50: m_nMinSpan = 50; return true;
    case MENU_SPAN_100: m_nMinSpan = 100; return true;
    case MENU_RESET: ClearTraces(); return true;
    case MENU_SELECT_TRACES:
        if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
            ::PostMessage(m_pOwner->GetSafeHwnd(), UM_SCROLLING_GRAPH, static_cast<WPARAM>(m_nID),
                          reinterpret_cast<LPARAM>(this));
        return true;
    default: return false;
    }
}

void CScrollingAreaGraph::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // Headings as wide as the longest and as tall as a line of the menu.
    if (lpMeasureItemStruct != nullptr && lpMeasureItemStruct->CtlType == ODT_MENU &&
        lpMeasureItemStruct->itemID == MENU_HEADING)
    {
        lpMeasureItemStruct->itemWidth = std::max<UINT>(lpMeasureItemStruct->itemWidth, 120);
        lpMeasureItemStruct->itemHeight = std::max<UINT>(lpMeasureItemStruct->itemHeight, 20);
    }
    CView::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

void CScrollingAreaGraph::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct != nullptr && lpDrawItemStruct->CtlType == ODT_MENU &&
        lpDrawItemStruct->itemID == MENU_HEADING)
        CPopupMenu::DrawHeading(lpDrawItemStruct);
    CView::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

// Read and written side by side: seven flags in the order of kFlagLines.
void CScrollingAreaGraph::LoadSettings()
{
    const std::vector<FLAG_SETTING> lines = FlagSettings(*this);
    const bool opened = ReadFlagSettings(m_strName, lines.data(), lines.size());
    if (!opened)
    {
        m_bShowValues = m_bEchoSounderMode = m_bZeroMode = true;
        m_bDepthOfBurialMode = m_bTraceMode = m_bDepthPlusAltitude = m_bLeftToRight = false;
        m_nMinSpan = 10;
        m_nAxisMin = 0;
        m_nAxisMax = 10;
    }
    SetColourMode(m_bNight);
}

void CScrollingAreaGraph::SaveSettings() const
{
    // A file that cannot be written keeps its old contents; the graph goes on as it is.
    const std::vector<FLAG_SETTING> lines = FlagSettings(*this);
    WriteFlagSettings(m_strName, lines.data(), lines.size());
}
