// Resource ids of the anchor-cable program: the frame's menu, toolbar, accelerators and status
// bar (all resource 128), its strings and its commands.
#pragma once

#include "platform/core/WinTypes.h"

// The document template, menu, toolbar and accelerator table.
#define IDR_ZUDUZURO_MAINFRAME 128
// "OLE initialization failed. ..."
#define IDP_ZUDUZURO_OLE_INIT_FAILED 100

// Commands.
#define ID_ZUDUZURO_CONFIGURATION_DATA 32912
#define ID_ZUDUZURO_APP_EXIT 57665
#define ID_ZUDUZURO_BARGE 33137
#define ID_ZUDUZURO_CABLE_WEIGHTS 33087
#define ID_ZUDUZURO_ANCHOR 33136
#define ID_ZUDUZURO_PIPE_ROUTE 33130
#define ID_ZUDUZURO_OBSTRUCTION 33050
#define ID_ZUDUZURO_PIPELINES 32939
#define ID_ZUDUZURO_DTM 33067
#define ID_ZUDUZURO_TOOLBAR_DISPLAY 32776
#define ID_ZUDUZURO_LARGE_ICONS 33133
#define ID_ZUDUZURO_STATUS_BAR 33064
#define ID_ZUDUZURO_DEPTH_STEP_DOWN 33058
#define ID_ZUDUZURO_DEPTH_STEP_UP 33059
#define ID_ZUDUZURO_CABLE_CALCULATOR 33085
#define ID_ZUDUZURO_APP_ABOUT 57664
#define ID_ZUDUZURO_CONTACT 321
#define ID_ZUDUZURO_VERTICAL_OFFSET 33139
#define ID_ZUDUZURO_ZOOM_IN 24105
#define ID_ZUDUZURO_ZOOM_OUT 24106
#define ID_ZUDUZURO_DROP_ANCHOR 24011
#define ID_ZUDUZURO_RECOVER_ANCHOR 24012
#define ID_ZUDUZURO_PENNANT_DOWN 33140
#define ID_ZUDUZURO_PENNANT_UP 33141
#define ID_ZUDUZURO_TENSION_UP 33142
#define ID_ZUDUZURO_TENSION_DOWN 33143
// Accelerators with no action.
#define ID_ZUDUZURO_SAVE 32922
#define ID_ZUDUZURO_ACCEL_P 32795
#define ID_ZUDUZURO_ACCEL_U 32797
#define ID_ZUDUZURO_FRAMEWORK_STATUS_BAR 59393

// The picture pane's own control id (its toggle stays 33139).
#define IDP_ZUDUZURO_PICTURE_PANE 33138
// The picture view inside the picture pane.
#define IDC_ZUDUZURO_IMAGE_VIEW 2001
#define IDP_ZUDUZURO_MENU_BAR 59398

// Status bar indicators.
#define ID_INDICATOR_RANGE 13700
#define ID_INDICATOR_RANGE_VALUE 13701
#define ID_INDICATOR_DEPTH 13702
#define ID_INDICATOR_DEPTH_VALUE 13704
#define ID_INDICATOR_CLEARANCE 13705
#define ID_INDICATOR_CLEARANCE_VALUE 13723
#define ID_INDICATOR_END 13724

// The status bar's eight panes: indicator, width and style of each (pane 0 stretches).
struct ZuduzuroIndicatorDef
{
    UINT nID;
    int nWidth;
    UINT nStyle;
};
extern const ZuduzuroIndicatorDef g_ZuduzuroIndicators[8];

// The commands the frame takes without doing anything, so that they stay enabled.
extern const UINT g_ZuduzuroIgnoredCommands[21];

// The toolbar's buttons in order, 0 for a separator.
extern const UINT g_ZuduzuroToolBar[10];

// Registers the menu, toolbar, accelerators and strings of the program (once).
void RegisterZuduzuroResources();
