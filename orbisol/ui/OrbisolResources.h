// The solar program's dialog templates: the six pages of its sheet.
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
