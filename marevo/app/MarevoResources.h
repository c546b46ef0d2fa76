// Resource ids of the Marevo program: the document template with its menu, the strings and the
// command ids (a pane's control id is the command that toggles it).
#pragma once

#include "platform/core/WinTypes.h"

// The document template and the main menu.
#define IDR_MAREVO_MAINFRAME 128
// "OLE initialization failed. ..."
#define IDP_MAREVO_OLE_INIT_FAILED 100

// File.
#define ID_MAREVO_SET_YEAR 32776
// Tides.
#define ID_MAREVO_TIDAL_PORT 32902
#define ID_MAREVO_TIDE_CURVE 32792
#define ID_MAREVO_PRINT_TIDE_TABLE 32912
#define ID_MAREVO_MOON_DATA 32909
#define ID_MAREVO_HARMONIC_CONSTANTS 32910
#define ID_MAREVO_TURNING_POINTS 32785
// Tidal diamonds.
#define ID_MAREVO_TIDAL_DIAMONDS 32783
#define ID_MAREVO_DIAMOND_COMPUTATION 32787
// View.
#define ID_MAREVO_DAY_MODE 32846
#define ID_MAREVO_NIGHT_MODE 32847
// Report.
#define ID_MAREVO_TIDAL_LISTING 32790
// Help.
#define ID_MAREVO_CONTACT_DETAILS 32788

// Registers the menu and the strings of the program (once).
void RegisterMarevoResources();
