// Resource ids of the Geodetic program: its menu, its string table, its panes and commands.
#pragma once

#include "platform/core/WinTypes.h"

// The document template, frame menu and document strings.
#define IDR_GEODETIC_MAINFRAME 128
// "OLE initialization failed. ..."
#define IDP_GEODETIC_OLE_INIT_FAILED 100
#define IDB_GEODETIC_SETTINGS 141

// Commands of menu 128 (most pane commands share the pane's id).
#define ID_GEODETIC_LOAD_DATA 32804
#define ID_GEODETIC_PROPERTIES 32798
#define ID_GEODETIC_APP_EXIT 57665
#define ID_GEODETIC_SPHEROID 32783
#define ID_GEODETIC_PROJECTION 32784
#define ID_GEODETIC_DATUM 32785
#define ID_GEODETIC_ITRF 32807
#define ID_GEODETIC_GRID_TO_GEOG 32786
#define ID_GEODETIC_DATUM_SHIFT 32787
#define ID_GEODETIC_RANGE_BEARING 32788
#define ID_GEODETIC_TRAVERSE 32789
#define ID_GEODETIC_MAG_VAR 32811
#define ID_GEODETIC_RS232 32829
#define ID_GEODETIC_UDP 32802
#define ID_GEODETIC_LARGE_GPS 32860
#define ID_GEODETIC_LLH 32863
#define ID_GEODETIC_DOP 32861
#define ID_GEODETIC_NO_SATS 32862
#define ID_GEODETIC_CONSTELLATION 32851
#define ID_GEODETIC_SNR 32852
#define ID_GEODETIC_ELEVATION 32850
#define ID_GEODETIC_STATUS_BAR 59393
#define ID_GEODETIC_DAYLIGHT 32796
#define ID_GEODETIC_NIGHT 32797
#define ID_GEODETIC_APP_ABOUT 57664
#define ID_GEODETIC_CONTACT 321

// Pane ids where they differ from their commands.
#define IDP_PANE_SATELLITE 32849
#define IDP_PANE_LARGE_GPS 32960
#define IDP_PANE_COM_PORT 180
#define IDP_MENU_BAR 59398

// Registers the menu template and the string table of the program (once).
void RegisterGeodeticResources();
