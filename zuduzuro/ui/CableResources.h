// Dialog templates and control ids of the cable-type dialogs: "Edit Anchor Cable" and the
// "Cable Weight Calculator".
#pragma once

#define IDD_CABLE_WEIGHT_CALCULATOR 13803
#define IDD_CABLE_WEIGHT_SETUP 13804

#define IDC_CABLE_DIAMETER 1000
#define IDC_CABLE_WEIGHT_IN_AIR 1001
#define IDC_CABLE_WEIGHT_IN_WATER 1002
#define IDC_CABLE_NAME 1016
#define IDC_CABLE_INPUT_MODE 1068

#define IDC_CALC_DIAMETER 1000
#define IDC_CALC_WEIGHT_IN_AIR 1001
#define IDC_CALC_CABLE_DENSITY 1002
#define IDC_CALC_FRESH_WEIGHT 1003
#define IDC_CALC_SEA_WEIGHT 1004
#define IDC_CALC_FRESH_DENSITY 1005
#define IDC_CALC_SEA_DENSITY 1006
#define IDC_CALC_TEMPERATURE 1007
#define IDC_CALC_SALINITY 1008

// Registers both templates (once; later calls do nothing).
void RegisterCableTemplates();
