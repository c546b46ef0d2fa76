#include "featureui/panes/FeaturePaneResources.h"

#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDS_TARGET_PLOT_WINDOW, "Target Plot Window"},
    {IDS_DTM_PROPERTIES, "DTM Properties"},
    {IDS_DIG_PROPERTIES, "Digitized Data Properties"},
    {IDC_ADD_RPL_FILE, "Add RPL File"},
    {IDC_DIG_COMBO, "DIG Combo"},
    {IDC_REMOVE_RPL_FILE, "Remove RPL File"},
    {IDC_ADD_DIG_FILE, "Add DIG"},
    {IDC_RPL_COMBO, "RPL Combo"},
    {IDC_PIPELINE_LIST, "Pipeline List Control"},
    {IDC_REMOVE_DIG_FILE, "Remove DIG"},
    {IDC_RPL_LIST, "RPL List Control"},
    {IDC_ROUTE_COMBO, "Route Combo File"},
    {IDC_ADD_ROUTE_FILE, "Add Route File"},
    {IDC_REMOVE_ROUTE_FILE, "Remove Route File"},
    {IDS_ROUTE_PROPERTIES, "Route Properties"},
    {IDC_SAIL_LINE_COMBO, "Sail Line Combo File"},
    {IDC_ADD_SAIL_LINE_FILE, "Add Sail Line File"},
    {IDC_REMOVE_SAIL_LINE_FILE, "Remove Sail Line File"},
    {IDS_SAIL_LINE_PROPERTIES, "Sail Line Properties"},
    {IDC_BOUNDARY_LIST, "Boundary List Control"},
    {IDC_MARKER_LIST, "Marker List Control"},
    {IDC_MARKER_COMBO, "Marker File Combo"},
    {IDS_BOUNDARY_PROPERTIES, "Boundary Properties"},
    {IDC_ADD_MARKER_FILE, "Add Marker File"},
    {IDC_REMOVE_MARKER_FILE, "Remove Marker File"},
    {IDC_ADD_BOUNDARY_FILE, "Add Boundary File"},
    {IDC_REMOVE_BOUNDARY_FILE, "Remove Boundary File"},
    {IDC_BOUNDARY_COMBO, "Boundary File Combo"},
    {IDC_DXF_COMBO, "DXF File Combo Box"},
    {IDC_ADD_DXF_FILE, "Add DXF File"},
    {IDC_REMOVE_DXF_FILE, "Remove DXF File"},
    {IDS_DXF_PROPERTIES, "DXF Properties"},
    {IDC_STRUCTURE_COMBO, "Structure File Combo"},
    {IDC_ADD_STRUCTURE_FILE, "Add Structure File"},
    {IDS_STRUCTURE_PROPERTIES, "Structure Property"},
    {IDC_REMOVE_STRUCTURE_FILE, "Remove Structure File"},
    {IDC_PIPELINE_COMBO, "Pipeline Combo File"},
    {IDC_ADD_PIPELINE_FILE, "Add Pipeline File"},
    {IDC_REMOVE_PIPELINE_FILE, "Remove Pipeline File"},
    {IDS_PIPELINE_PROPERTIES, "Pipeline Properties"},
    {IDC_ADD_DTM_ONE, "Add DTM One"},
    {IDC_CLEAR_DTM_ONE, "Remove DTM One"},
    {IDC_ADD_DTM_TWO, "Add DTM Two"},
    {IDC_CLEAR_DTM_TWO, "Remove DTM Two"},
    {IDC_LOAD_DTMS, "Marker List Control"},
};
} // namespace

void RegisterFeaturePaneStrings()
{
    static const bool registered = [] {
        AfxRegisterStringTable("Tolvar Feature Panes", kStrings, sizeof kStrings / sizeof kStrings[0]);
        return true;
    }();
    (void)registered;
}
