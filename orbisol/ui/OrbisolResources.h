// The solar program's dialog templates: the six pages of its sheet, and their controls.
#pragma once

enum
{
    IDD_COMPUTE_ORBISOL = 1099,
    IDD_AZIMUTH_PLOT = 133,
    IDD_SUN_POLYNOMIAL_COEFFS = 1097,
    IDD_OBSERVATIONS = 139,
    IDD_ANGLES_FORMAT = 107,
    IDD_ABOUT_ORBISOL = 148
};

// The sun plot page (template 133): the frame the rose is drawn in.
enum
{
    IDC_PLOT_FRAME = 1003
};

// The polynomial coefficients page (template 1097): the date picker, the month's coefficients
// (declination and E side by side, a0 to a4, then their check sums), and the line that says
// why there are none.
enum
{
    IDC_COEFF_DATE = 1040,
    IDC_COEFF_R_A0 = 1411,
    IDC_COEFF_R_A1 = 3244,
    IDC_COEFF_DEC_A0 = 3245,
    IDC_COEFF_E_A0 = 3246,
    IDC_COEFF_DEC_A1 = 3247,
    IDC_COEFF_E_A1 = 3248,
    IDC_COEFF_DEC_A2 = 3249,
    IDC_COEFF_E_A2 = 3250,
    IDC_COEFF_DEC_A3 = 3251,
    IDC_COEFF_E_A3 = 3252,
    IDC_COEFF_DEC_A4 = 3253,
    IDC_COEFF_E_A4 = 3254,
    IDC_COEFF_DEC_CHECK = 3255,
    IDC_COEFF_E_CHECK = 3256,
    IDC_COEFF_SD_A0 = 1412,
    IDC_COEFF_SD_A1 = 3257,
    IDC_COEFF_NO_ALMANAC = 3259
};

// The About page (template 148).
enum
{
    IDC_ABOUT_PICTURE = 1150,
    IDC_ABOUT_PRODUCT = 7139,
    IDC_ABOUT_VERSION = 7141,
    IDC_ABOUT_CONTACT = 7034,
    IDC_ABOUT_NOTICE = 1001
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

// The observations page (template 139).
enum
{
    IDC_OBS_FL_RO = 1016,
    IDC_OBS_FL_SUN_LEFT_TIME = 1017,
    IDC_OBS_FL_SUN_LEFT = 1019,
    IDC_OBS_FL_SUN_RIGHT_TIME = 1018,
    IDC_OBS_FL_SUN_RIGHT = 1020,
    IDC_OBS_FR_SUN_RIGHT_TIME = 1013,
    IDC_OBS_FR_SUN_RIGHT = 1014,
    IDC_OBS_FR_SUN_LEFT_TIME = 1010,
    IDC_OBS_FR_SUN_LEFT = 1011,
    IDC_OBS_FR_RO = 1009,
    IDC_OBS_MEAN_TIME = 1021,
    IDC_OBS_MEAN_SUN = 1025,
    IDC_OBS_MEAN_RO = 1024,
    IDC_OBS_FL_SUN_LEFT_NOW = 1026,
    IDC_OBS_FL_SUN_RIGHT_NOW = 1027,
    IDC_OBS_FR_SUN_LEFT_NOW = 1028,
    IDC_OBS_FR_SUN_RIGHT_NOW = 1030,
    IDC_OBS_APPLY = 1022,
    // The pictures beside the rows, top to bottom.
    IDC_OBS_PICTURE_FL_RO = 1040,
    IDC_OBS_PICTURE_FL_SUN_LEFT = 1041,
    IDC_OBS_PICTURE_FL_SUN_RIGHT = 1042,
    IDC_OBS_PICTURE_FR_SUN_RIGHT = 1043,
    IDC_OBS_PICTURE_FR_SUN_LEFT = 1044,
    IDC_OBS_PICTURE_FR_RO = 1045,
    IDC_OBS_PICTURE_MEAN = 1046
};

// The program's pictures.
enum
{
    IDB_ORBISOL_RO = 140,
    IDB_ORBISOL_SUN_LEFT = 141,
    IDB_ORBISOL_SUN_RIGHT = 142,
    IDB_ORBISOL_PROGRAM = 143,
    // The sun plot's 32 x 32 icons, drawn on a transparent background.
    IDI_ORBISOL_SUN = 128,
    IDI_ORBISOL_RO = 136,
    // The About page's banner.
    IDB_ORBISOL_ABOUT = 150
};
