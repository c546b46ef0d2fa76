// Dialog templates and control ids of the GPX track dialogs and the wind farm dialogs.
#pragma once

#define IDD_GPX_TRACKS 12202
#define IDD_GPX_TRACKS_DISPLAY 12203
#define IDD_WIND_FARM_TURBINES 12204
#define IDD_WIND_FARM 12205
#define IDD_FIND_WIND_FARM 12206

#define IDC_GPX_TRACK_COLOUR 1008
#define IDC_GPX_TRACK_SELECT 1010
#define IDC_GPX_SHOW_DOTS 7220
#define IDC_GPX_SELECT_ALL 24128
// The track list, the point table, the wind farm list and the turbine list.
#define IDC_LIST1 7102

#define IDC_WIND_FARM_DISPLAY_BOUNDARY 7162
#define IDC_WIND_FARM_BOUNDARY_COLOUR 170
#define IDC_WIND_FARM_LABEL_NAME 314
#define IDC_WIND_FARM_DISPLAY_TURBINES 7160
#define IDC_WIND_FARM_TURBINE_COLOUR 169
#define IDC_WIND_FARM_LABEL_TURBINE 7161
#define IDC_WIND_FARM_REMARKS 372

// The turbine images: 16 x 16 frames side by side, white where nothing is drawn.
#define IDB_WIND_TURBINES 364

// Registers the five templates (once; later calls do nothing).
void RegisterGpxWindFarmTemplates();
