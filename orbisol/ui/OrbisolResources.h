// The solar program's dialog templates: the six pages of its sheet, and their controls.
#pragma once

enum
{
    IDD_COMPUTE_ORBISOL = 1099,
    IDD_AZIMUTH_PLOT = 133,
    IDD_SUN_POLYNOMIAL_COEFFS = 1097,
    IDD_OBSERVATIONS = 139,
    IDD_ANGLES_FORMAT = 107,
    IDD_ABOUT_ORBISOL = 148,
    // The line each page shows until its controls arrive.
    IDC_ORBISOL_PAGE_NOTE = 1000
};

// The azimuth computation page (template 1099).
enum
{
    IDC_COMPUTE_LATITUDE = 32324,
    IDC_COMPUTE_LONGITUDE = 32325,
    IDC_COMPUTE_DATE = 32154,
    IDC_COMPUTE_TIME = 32611,
    IDC_COMPUTE_DECLINATION = 3250,
    IDC_COMPUTE_E = 3251,
    IDC_COMPUTE_GHA = 3252,
    IDC_COMPUTE_LHA = 3253,
    IDC_COMPUTE_GHA_TIME = 3254,
    IDC_COMPUTE_SUN_AZIMUTH = 3255,
    IDC_COMPUTE_RO_ANGLE = 3256,
    IDC_COMPUTE_RO_AZIMUTH = 3257,
    IDC_COMPUTE_LHA_TIME = 3258,
    IDC_COMPUTE_BUTTON = 28011,
    IDC_COMPUTE_PRINT = 32197,
    // The line that says why there are no results.
    IDC_COMPUTE_NO_ALMANAC = 3259
};

// The angle format page (template 107).
enum
{
    IDC_GEO_DMS = 32066,
    IDC_GEO_DM = 32065,
    IDC_GEO_DEGREES = 32060,
    IDC_GEO_GRADIANS = 32102,
    IDC_LAT_NORTH = 32160,
    IDC_LAT_SOUTH = 32230,
    IDC_LON_EAST = 32071,
    IDC_LON_WEST = 32270,
    IDC_GEO_DECIMALS = 7153,
    IDC_ANGLE_DMS = 32067,
    IDC_ANGLE_DM = 32068,
    IDC_ANGLE_DEGREES = 32061,
    IDC_ANGLE_GRADIANS = 32103,
    IDC_ANGLE_DECIMALS = 7154
};
