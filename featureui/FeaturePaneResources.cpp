#include "featureui/FeaturePaneResources.h"

#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDC_BOUNDARY_LIST, "Boundary List Control"},
    {IDC_MARKER_LIST, "Marker List Control"},
    {IDC_MARKER_COMBO, "Marker File Combo"},
    {IDS_BOUNDARY_PROPERTIES, "Boundary Properties"},
    {IDC_ADD_MARKER_FILE, "Add Marker File"},
    {IDC_REMOVE_MARKER_FILE, "Remove Marker File"},
    {IDC_ADD_BOUNDARY_FILE, "Add Boundary File"},
    {IDC_REMOVE_BOUNDARY_FILE, "Remove Boundary File"},
    {IDC_BOUNDARY_COMBO, "Boundary File Combo"},
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
