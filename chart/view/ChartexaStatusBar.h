// CChartexaStatusBar: the status bar that shows a grid position (easting and northing, three
// decimals); the chart view writes the cursor position into it, other programs use it as
// their main window's status bar.
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/ui/StatusBar.h"

// Indicator ids of the read-outs and their string-table texts.
#define ID_INDICATOR_ENG 12301
#define ID_INDICATOR_NNG 12302
#define ID_INDICATOR_RNG 12303
#define ID_INDICATOR_BNG 12304
#define ID_INDICATOR_EASTING 12305
#define ID_INDICATOR_NORTHING 12306
#define ID_INDICATOR_RANGE 12307
#define ID_INDICATOR_BEARING 12308

class CHARTEXA_API CChartexaStatusBar : public CMFCStatusBar
{
public:
    CChartexaStatusBar() = default;
    ~CChartexaStatusBar() override = default;

    // Child of `parent` along its bottom, with the labels and zero read-outs; 1, or -1 when the
    // bar or its indicators could not be made.
    int Create(CWnd* parent);
    // Pane 2 the easting, pane 4 the northing, "%.3lf" each, repainted at once.
    void DisplayGrid(double easting, double northing);
    // Empties the two read-outs; the labels stay.
    void ClearDisplay();

protected:
    DECLARE_MESSAGE_MAP()
};
