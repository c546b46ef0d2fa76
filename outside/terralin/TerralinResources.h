// Dialog template and control ids of the geodesy editors.
#pragma once

enum TERRALIN_RESOURCE
{
    IDD_SPHEROID_EDITOR = 29101,
    IDD_PROJECTION_EDITOR = 29102,
    IDD_DATUM_EDITOR = 29103,

    IDC_TERRALIN_LIST = 29110,      // spheroid, projection type or datum method
    IDC_TERRALIN_ENTRY = 29111,     // projection zone or datum transformation
    IDC_TERRALIN_OPTION = 29112,    // southern hemisphere / reverse direction
    IDC_TERRALIN_DETAILS_1 = 29113, // what the choice is made of, three lines
    IDC_TERRALIN_DETAILS_2 = 29114,
    IDC_TERRALIN_DETAILS_3 = 29115
};
