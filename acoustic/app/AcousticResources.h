// Resource ids of the Acoustic program: the document template with its menu, the six mode
// toolbars, the strings, the station icons of the network lists and the command ids that toggle
// the panes (a pane's control id is the command that toggles it).
#pragma once

#include "platform/core/WinTypes.h"

// The document template and the main menu.
#define IDR_ACOUSTIC_MAINFRAME 128
// "OLE initialization failed. ..."
#define IDP_ACOUSTIC_OLE_INIT_FAILED 100
// Six 16 x 16 station icons on white, for the two network lists.
#define IDB_ACOUSTIC_STATIONS 232

// "Network  Station": one station's name, position, type and weight.
#define IDD_ACOUSTIC_NETWORK_STATION 310
#define IDC_NETWORK_STATION_NAME 1000
#define IDC_NETWORK_STATION_EASTING 1001
#define IDC_NETWORK_STATION_NORTHING 1002
#define IDC_NETWORK_STATION_TYPE 1003
#define IDC_NETWORK_STATION_HEIGHT 1004
#define IDC_NETWORK_STATION_WEIGHT 1005
#define IDC_NETWORK_STATION_WEIGHT_LABEL 1006

// The mode toolbars' button tables.
#define IDR_ACOUSTIC_BOXIN_TOOLBAR 184
#define IDR_ACOUSTIC_GRID_ON_GRID_TOOLBAR 203
#define IDR_ACOUSTIC_NETWORK_TOOLBAR 190
#define IDR_ACOUSTIC_TRANSIT_FIX_TOOLBAR 207
#define IDR_ACOUSTIC_USBL_TOOLBAR 160
#define IDR_ACOUSTIC_VELOCITY_TOOLBAR 201

// The two panes whose ids are string-table entries rather than commands.
#define IDS_ACOUSTIC_GRID_ON_GRID 1400
#define IDS_ACOUSTIC_TRANSIT_FIX 1401

// File and computations.
#define ID_ACOUSTIC_GEODETIC_PARAMETERS 32823
#define ID_ACOUSTIC_UNITS 32778
#define ID_ACOUSTIC_SPEED_OF_SOUND 32775
#define ID_ACOUSTIC_COMPUTE_HEADING 32845
// Boxin.
#define ID_ACOUSTIC_BOXIN_DRAW 32826
#define ID_ACOUSTIC_BOXIN_IMPORT_CSV 32866
#define ID_ACOUSTIC_BOXIN_IMPORT_EXCEL 32867
#define ID_ACOUSTIC_BOXIN_HISTOGRAM 32797
#define ID_ACOUSTIC_BOXIN_PRINT 32870
#define ID_ACOUSTIC_BOXIN_PROPERTIES 32822
#define ID_ACOUSTIC_BOXIN_COMPUTE_GATED 32798
#define ID_ACOUSTIC_BOXIN_COMPUTE 32799
// Grid on grid.
#define ID_ACOUSTIC_GOG_DRAW 32843
#define ID_ACOUSTIC_GOG_IMPORT_CSV 32837
#define ID_ACOUSTIC_GOG_IMPORT_EXCEL 32839
#define ID_ACOUSTIC_GOG_SHOW_DATA 32842
#define ID_ACOUSTIC_GOG_COMPUTE 32830
#define ID_ACOUSTIC_GOG_COMPARISON 32805
// Network adjustment.
#define ID_ACOUSTIC_NETWORK_SELECT_FILE 32874
#define ID_ACOUSTIC_NETWORK_STATIONS 32802
#define ID_ACOUSTIC_NETWORK_OBSERVATIONS 32849
#define ID_ACOUSTIC_NETWORK_LAYOUT 32851
#define ID_ACOUSTIC_NETWORK_COMPUTE 32804
// Transit fix.
#define ID_ACOUSTIC_TRANSIT_THREE_LEG 32357
#define ID_ACOUSTIC_TRANSIT_FOUR_LEG 32865
#define ID_ACOUSTIC_TRANSIT_PRINT 32356
// USBL calibration.
#define ID_ACOUSTIC_USBL_DRAW 32882
#define ID_ACOUSTIC_USBL_IMPORT_CSV 32880
#define ID_ACOUSTIC_USBL_IMPORT_EXCEL 32881
#define ID_ACOUSTIC_USBL_GATING 32815
#define ID_ACOUSTIC_USBL_SPIN_TEST 32816
#define ID_ACOUSTIC_USBL_CALIBRATE 32780
#define ID_ACOUSTIC_USBL_PRINT 32883
#define ID_ACOUSTIC_USBL_BUTTON_1 32786
#define ID_ACOUSTIC_USBL_BUTTON_2 32785
#define ID_ACOUSTIC_USBL_BUTTON_3 32355
#define ID_ACOUSTIC_USBL_PARAMETERS 32818
#define ID_ACOUSTIC_USBL_RESULTS 32819
// Velocity profile.
#define ID_ACOUSTIC_VELOCITY_IMPORT_CSV 32854
#define ID_ACOUSTIC_VELOCITY_IMPORT_EXCEL 32855
#define ID_ACOUSTIC_VELOCITY_TABLE 32859
#define ID_ACOUSTIC_VELOCITY_PROFILE 32810
#define ID_ACOUSTIC_VELOCITY_DATA 32860
// Help.
#define ID_ACOUSTIC_CONTACT_DETAILS 32777

// The framework's bar ids.
#define IDW_ACOUSTIC_MENU_BAR 59398
#define IDW_ACOUSTIC_TOOLBAR 59392

// A mode toolbar: its button table's resource id, its caption and its buttons (0 a separator).
struct AcousticToolBarDef
{
    UINT nResourceID;
    const char* caption;
    const UINT* buttons;
    int count;
};
// In the frame's member order: Boxin, Grid on Grid, Network Adjustment, Transit Fix, USBL
// Calibration, Velocity Profile.
extern const AcousticToolBarDef g_AcousticToolBars[6];

// Registers the menu, toolbar tables, strings, dialogs and the station icons of the program
// (once).
void RegisterAcousticResources();
