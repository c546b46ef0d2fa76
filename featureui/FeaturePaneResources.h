// Control ids and status-prompt strings of the feature panes.
#pragma once

#define IDC_BOUNDARY_LIST 12015
#define IDC_MARKER_LIST 12018
#define IDC_MARKER_COMBO 12035
#define IDS_BOUNDARY_PROPERTIES 12047
#define IDC_ADD_MARKER_FILE 12053
#define IDC_REMOVE_MARKER_FILE 12054
#define IDC_ADD_BOUNDARY_FILE 12055
#define IDC_REMOVE_BOUNDARY_FILE 12056
#define IDC_BOUNDARY_COMBO 12057
#define IDC_FEATURE_PROPERTY_GRID 1

// Joins the panes' strings to the resource chain (once; later calls do nothing). Each pane
// calls it when constructed, which also keeps the table in a program that links the
// subsystem statically.
void RegisterFeaturePaneStrings();
