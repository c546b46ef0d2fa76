#include "navhost/NavHostResources.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDR_NAVHOST_MAINFRAME, "Navigation"},
};

const MENU_TEMPLATE_ITEM kMenu[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING | MF_END, ID_NAVHOST_EXIT, "E&xit"},
    {MF_POPUP, 0, "&View"},
    {MF_STRING, ID_NAVHOST_WAYPOINT_PANE, "Waypoints"},
    {MF_STRING, ID_NAVHOST_BOUNDARY_PANE, "Boundaries"},
    {MF_STRING, ID_NAVHOST_PIPELINE_PANE, "Pipelines"},
    {MF_STRING, ID_NAVHOST_ROUTE_PANE, "Routes"},
    {MF_STRING, ID_NAVHOST_SAIL_LINE_PANE, "Sail Lines"},
    {MF_STRING, ID_NAVHOST_RPL_PANE, "Route Position Lists"},
    {MF_STRING, ID_NAVHOST_PIPE_ROUTE_PANE, "Pipe Route"},
    {MF_STRING, ID_NAVHOST_STRUCTURE_PANE, "Structures"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_NAVHOST_DTM_PANE, "DTM"},
    {MF_STRING, ID_NAVHOST_DIG_PANE, "Digitised Data"},
    {MF_STRING, ID_NAVHOST_DXF_PANE, "DXF Drawings"},
    {MF_STRING, ID_NAVHOST_VESSEL_TARGET_PANE, "Vessel Target"},
    {MF_STRING, ID_NAVHOST_TEMPLATE_TARGET_PANE, "Template Target"},
    {MF_STRING, ID_NAVHOST_TARGET_PLOT_PANE, "Target Plot"},
    {MF_STRING, ID_NAVHOST_MRU_PANE, "Motion Reference Unit"},
    {MF_STRING, ID_NAVHOST_SOUND_SPEED_PANE, "Speed of Sound in Water"},
    {MF_STRING, ID_NAVHOST_BUBBLE_PANE, "Tilt Bubble"},
    {MF_STRING, ID_NAVHOST_VESSEL_SUMMARY_PANE, "Vessel Summary"},
    {MF_STRING, ID_NAVHOST_DEVICE_GROUPS_PANE, "Device Groups"},
    {MF_STRING, ID_NAVHOST_TRAINING_PANE, "Training"},
    {MF_STRING, ID_NAVHOST_VESSEL_NAVIGATION_PANE, "Vessel Navigation"},
    {MF_STRING, ID_NAVHOST_CRANE_TIP_PANE, "Crane Tip Monitoring"},
    {MF_STRING, ID_NAVHOST_TEMPLATE_POSITIONING_PANE, "Template Positioning"},
    {MF_STRING, ID_NAVHOST_TARGET_QC_PANE, "Template QC"},
    {MF_STRING, ID_NAVHOST_PROJECT_PANE, "Project Details"},
    {MF_STRING, ID_NAVHOST_LEG_PINNING_PANE, "Leg Pinning"},
    {MF_STRING, ID_NAVHOST_DEPTH_GRAPH_PANE, "Depth Graph"},
    {MF_STRING, ID_NAVHOST_BATHY_PANE, "Bathy Data"},
    {MF_STRING, ID_NAVHOST_BATHY_UNIT_PANE, "Bathy Unit Graph"},
    {MF_STRING, ID_NAVHOST_PIPE_TRACKER_PANE, "Pipe Tracker"},
    {MF_STRING, ID_NAVHOST_SCANNING_PROFILER_PANE, "Scanning Profiler"},
    {MF_STRING, ID_NAVHOST_TSS_PANE, "TSS Pipe/Cable Tracker"},
    {MF_STRING, ID_NAVHOST_USBL_PANE, "Ultra Short Baseline"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_NAVHOST_FEATURE_TABLE_PANE, "Feature Table"},
    {MF_STRING, ID_NAVHOST_CHART_PANE, "Chart Pane"},
    {MF_STRING, ID_NAVHOST_NAVIGATION_WINDOW, "Navigation Window"},
    {MF_STRING | MF_END, ID_NAVHOST_MESSAGE_LOG_PANE, "Message Log"},
    {MF_POPUP, 0, "&Chart"},
    {MF_STRING, ID_NAVHOST_ZOOM_IN, "Zoom In\tPgUp"},
    {MF_STRING, ID_NAVHOST_ZOOM_OUT, "Zoom Out\tPgDn"},
    {MF_STRING, ID_NAVHOST_PAN_LEFT, "Pan Left"},
    {MF_STRING, ID_NAVHOST_PAN_RIGHT, "Pan Right"},
    {MF_STRING, ID_NAVHOST_PAN_UP, "Pan Up"},
    {MF_STRING, ID_NAVHOST_PAN_DOWN, "Pan Down"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_NAVHOST_FOLLOW_VESSEL, "Follow Vessel"},
    {MF_STRING, ID_NAVHOST_NORTH_UP, "North Up"},
    {MF_STRING, ID_NAVHOST_HEAD_UP, "Head Up"},
    {MF_STRING, ID_NAVHOST_NIGHT_MODE, "Night Mode"},
    {MF_STRING, ID_NAVHOST_SCREEN_GRAB, "Screen Grab"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_POPUP | MF_END, 0, "Live Edit"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 0, "None"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 1, "Waypoints"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 2, "Routes"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 3, "Design Routes"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 4, "Sail Lines"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 5, "Boundaries"},
    {MF_STRING, ID_NAVHOST_EDIT_NONE + 6, "Structures"},
    {MF_STRING | MF_END, ID_NAVHOST_EDIT_NONE + 7, "Bearing Lines"},
    {MF_POPUP | MF_END, 0, "&Tools"},
    {MF_STRING, ID_NAVHOST_SHAPE_FILES, "Shape Files..."},
    {MF_STRING, ID_NAVHOST_IMPORT_PIPELINE, "Import and Thin Pipeline..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_NAVHOST_GPX_TRACKS, "GPX Tracks..."},
    {MF_STRING, ID_NAVHOST_GPX_TABLE, "GPX Track Table..."},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_NAVHOST_WIND_FARMS, "Wind Farm Display..."},
    {MF_STRING, ID_NAVHOST_FIND_WIND_FARM, "Find Wind Farm..."},
    {MF_STRING | MF_END, ID_NAVHOST_TURBINES, "Wind Farm Turbines..."},
};

const ACCEL kAccelerators[] = {
    {FVIRTKEY | FALT, VK_F4, ID_NAVHOST_EXIT},
    {FVIRTKEY, VK_PRIOR, ID_NAVHOST_ZOOM_IN},
    {FVIRTKEY, VK_NEXT, ID_NAVHOST_ZOOM_OUT},
};
} // namespace

void RegisterNavHostResources()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    AfxRegisterStringTable("NavHost", kStrings, sizeof(kStrings) / sizeof(kStrings[0]));
    AfxRegisterMenuTemplate(IDR_NAVHOST_MAINFRAME, kMenu);
    AfxRegisterAcceleratorTable(IDR_NAVHOST_MAINFRAME, kAccelerators,
                                sizeof(kAccelerators) / sizeof(kAccelerators[0]));
}
