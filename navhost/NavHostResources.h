// Resource ids of the host navigation program's stand-in: its frame's menu and accelerators,
// the control ids of the panes it docks (each also the View command that shows or hides it),
// and its commands.
#pragma once

#include "platform/core/WinTypes.h"

// The frame's menu and accelerator table.
#define IDR_NAVHOST_MAINFRAME 41000
#define IDP_NAVHOST_MENU_BAR 59398

// The panes, by control id; the View menu toggles each with the same id.
#define ID_NAVHOST_BOUNDARY_PANE 41101
#define ID_NAVHOST_WAYPOINT_PANE 41102
#define ID_NAVHOST_PIPELINE_PANE 41103
#define ID_NAVHOST_ROUTE_PANE 41104
#define ID_NAVHOST_SAIL_LINE_PANE 41105
#define ID_NAVHOST_RPL_PANE 41106
#define ID_NAVHOST_PIPE_ROUTE_PANE 41107
#define ID_NAVHOST_STRUCTURE_PANE 41108
#define ID_NAVHOST_DIG_PANE 41109
#define ID_NAVHOST_DXF_PANE 41110
#define ID_NAVHOST_DTM_PANE 41111
#define ID_NAVHOST_VESSEL_TARGET_PANE 41112
#define ID_NAVHOST_TEMPLATE_TARGET_PANE 41113
#define ID_NAVHOST_TARGET_PLOT_PANE 41114
#define ID_NAVHOST_CHART_PANE 41115
#define ID_NAVHOST_MESSAGE_LOG_PANE 41116
// The ROV's motion reference unit: its attitude, heading and depth.
#define ID_NAVHOST_MRU_PANE 41121
// The host's own pane on the Survey pane base.
#define ID_NAVHOST_VESSEL_SUMMARY_PANE 41130
// The ROV depth graph, fed near 300 m.
#define ID_NAVHOST_DEPTH_GRAPH_PANE 41140
// The document window of the feature table (not a pane: its own command).
#define ID_NAVHOST_FEATURE_TABLE_PANE 41117
// The ROV library's speed-of-sound pane.
#define ID_NAVHOST_SOUND_SPEED_PANE 41150
// The ROV library's tilt bubble: the vessel's MRU, or the template's two.
#define ID_NAVHOST_BUBBLE_PANE 41170
// The ROV's bathy unit as values and as a graph, its pipe tracker's burial graph, and the two
// heads of its scanning profiler.
#define ID_NAVHOST_BATHY_PANE 41160
#define ID_NAVHOST_BATHY_UNIT_PANE 41161
#define ID_NAVHOST_PIPE_TRACKER_PANE 41162
#define ID_NAVHOST_SCANNING_PROFILER_PANE 41163
// The pipe tracker's values and signal bars, and the USBL system's transponders.
#define ID_NAVHOST_TSS_PANE 41164
#define ID_NAVHOST_USBL_PANE 41165
// One of each of the Survey library's device groups over the vessel's devices.
#define ID_NAVHOST_DEVICE_GROUPS_PANE 41180
// The Survey library's training pane over the host's training record.
#define ID_NAVHOST_TRAINING_PANE 41195
// The Survey library's vessel navigation and crane tip panes over the vessel.
#define ID_NAVHOST_VESSEL_NAVIGATION_PANE 41185
#define ID_NAVHOST_CRANE_TIP_PANE 41186
// The Survey library's template positioning pane over the template.
#define ID_NAVHOST_TEMPLATE_POSITIONING_PANE 41190
// The Survey library's target QC pane over the template, and its project pane over the job.
#define ID_NAVHOST_TARGET_QC_PANE 41196
#define ID_NAVHOST_PROJECT_PANE 41197
// The Survey library's leg pinning pane over the vessel.
#define ID_NAVHOST_LEG_PINNING_PANE 41187

// Chart commands.
#define ID_NAVHOST_NAVIGATION_WINDOW 41201
#define ID_NAVHOST_ZOOM_IN 41202
#define ID_NAVHOST_ZOOM_OUT 41203
#define ID_NAVHOST_PAN_LEFT 41204
#define ID_NAVHOST_PAN_RIGHT 41205
#define ID_NAVHOST_PAN_UP 41206
#define ID_NAVHOST_PAN_DOWN 41207
#define ID_NAVHOST_FOLLOW_VESSEL 41208
#define ID_NAVHOST_NORTH_UP 41209
#define ID_NAVHOST_HEAD_UP 41210
#define ID_NAVHOST_NIGHT_MODE 41211
#define ID_NAVHOST_SCREEN_GRAB 41212
// Live edit modes: none, waypoints, routes, design routes, sail lines, boundaries, structures,
// bearing lines, in the order of the chart's modes 0..7.
#define ID_NAVHOST_EDIT_NONE 41220
#define ID_NAVHOST_EDIT_LAST 41227

// The dialogs of the feature panes' library.
#define ID_NAVHOST_SHAPE_FILES 41301
#define ID_NAVHOST_IMPORT_PIPELINE 41302
#define ID_NAVHOST_GPX_TRACKS 41303
#define ID_NAVHOST_GPX_TABLE 41304
#define ID_NAVHOST_WIND_FARMS 41305
#define ID_NAVHOST_FIND_WIND_FARM 41306
#define ID_NAVHOST_TURBINES 41307

#define ID_NAVHOST_EXIT 57665

// Registers the menu, accelerators and strings of the program (once).
void RegisterNavHostResources();
