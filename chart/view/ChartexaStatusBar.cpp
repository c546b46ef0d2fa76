#include "chart/view/ChartexaStatusBar.h"

#include "chart/ChartexaLibrary.h"

namespace
{
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_ENG, ID_INDICATOR_EASTING, ID_INDICATOR_NNG,
                            ID_INDICATOR_NORTHING};
const int kWidths[] = {0, 50, 100, 50, 100};
constexpr DWORD kBarStyle = 0x50008200; // WS_CHILD | WS_VISIBLE | CBRS_BOTTOM
} // namespace

BEGIN_MESSAGE_MAP(CChartexaStatusBar, CMFCStatusBar)
END_MESSAGE_MAP()

int CChartexaStatusBar::Create(CWnd* parent)
{
    JoinChartexaResources();
    if (!CMFCStatusBar::Create(parent, kBarStyle, AFX_IDW_STATUS_BAR))
        return -1;
    if (!SetIndicators(kIndicators, 5))
        return -1;
    for (int i = 1; i < 5; ++i)
        SetPaneInfo(i, kIndicators[i], SBPS_NOBORDERS, kWidths[i]);
    return 1;
}

void CChartexaStatusBar::DisplayGrid(double easting, double northing)
{
    CString text;
    text.Format("%.3lf", easting);
    SetPaneText(2, text, TRUE);
    text.Format("%.3lf", northing);
    SetPaneText(4, text, TRUE);
}

void CChartexaStatusBar::ClearDisplay()
{
    SetPaneText(2, "", TRUE);
    SetPaneText(4, "", TRUE);
}
