// Dialog templates, control ids, strings and the picture of the import column selectors.
#pragma once

#include "platform/core/WinTypes.h"

#define IDD_BOXIN_CSV_SELECTOR 320
#define IDD_BOXIN_EXCEL_SELECTOR 321
#define IDD_GRID_ON_GRID_CSV_SELECTOR 322
#define IDD_GRID_ON_GRID_EXCEL_SELECTOR 323
#define IDD_THERMOCLINE_CSV_SELECTOR 324
#define IDD_THERMOCLINE_EXCEL_SELECTOR 325
#define IDD_USBL_CSV_SELECTOR 326

// Where a workbook shows the names of its sheets, for the sheet-name group.
#define IDB_SELECTOR_SHEET_NAME 30326
// The grid-on-grid workbook selector's position labels.
#define IDS_SELECTOR_EASTING 40830
#define IDS_SELECTOR_NORTHING 41495

// Shared by every selector.
#define IDC_SELECTOR_SELECT_FILE 2001
#define IDC_SELECTOR_FOLDER 2002
#define IDC_SELECTOR_FILE_NAME 2003
#define IDC_SELECTOR_SHEET_NAME 2004
#define IDC_SELECTOR_PICTURE 2005
// Field i's column combo and its label.
#define IDC_SELECTOR_COLUMN_0 2010
#define IDC_SELECTOR_LABEL_0 2030
#define SELECTOR_MAX_FIELDS 10

// Boxin options.
#define IDC_BOXIN_METRES 2050
#define IDC_BOXIN_SECONDS 2051
#define IDC_BOXIN_MILLISECONDS 2052
#define IDC_BOXIN_TRAVEL_TIME 2053
// Velocity profile options.
#define IDC_THERMOCLINE_SALINITY 2060
#define IDC_THERMOCLINE_CONDUCTIVITY 2061
#define IDC_THERMOCLINE_DEPTH 2062
#define IDC_THERMOCLINE_PRESSURE_BAR 2063
#define IDC_THERMOCLINE_PRESSURE_KG 2064
// USBL options.
#define IDC_USBL_RAW_DATA_MODE 2070
#define IDC_USBL_ROV_MODE 2071

// Registers the templates, strings and picture (once; later calls do nothing).
void RegisterSelectorResources();
