// Dialog templates and item ids of the magnetic-variation dialogs.
#pragma once

enum
{
    IDD_DEKLINO = 29301,
    IDD_MAGVAR_SPLASH = 29302,

    IDC_MV_LATITUDE = 29310,
    IDC_MV_LONGITUDE,
    IDC_MV_HEIGHT,
    IDC_MV_DATE,
    IDC_MV_CALCULATE,
    IDC_MV_DECLINATION,
    IDC_MV_DECLINATION_RATE,
    IDC_MV_INCLINATION,
    IDC_MV_INCLINATION_RATE,
    IDC_MV_HORIZONTAL,
    IDC_MV_HORIZONTAL_RATE,
    IDC_MV_TOTAL,
    IDC_MV_TOTAL_RATE,
    IDC_MV_NORTH,
    IDC_MV_NORTH_RATE,
    IDC_MV_EAST,
    IDC_MV_EAST_RATE,
    IDC_MV_DOWN,
    IDC_MV_DOWN_RATE,
    IDC_MV_GRID_VARIATION,
    IDC_MV_GRID,
    IDC_MV_MODEL,
    IDC_MV_WARNING,

    IDC_SPLASH_TITLE = 29340,
    IDC_SPLASH_MODEL,
    IDC_SPLASH_VALIDITY,
    IDC_SPLASH_SOURCE,
    IDC_SPLASH_WARNING
};

// Registers both templates (once); the dialogs' constructors call it.
void RegisterDeklinoTemplates();
