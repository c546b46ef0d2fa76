#include "geodetic/GeodeticResources.h"

#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDP_GEODETIC_OLE_INIT_FAILED,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDR_GEODETIC_MAINFRAME, "\nGeodetic\nGeodetic\n\n\nGeodetic.Document\nGeodetic.Document"},
};

const MENU_TEMPLATE_ITEM kMenu[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING, ID_GEODETIC_LOAD_DATA, "Load Co-ordinate Data"},
    {MF_STRING, ID_GEODETIC_PROPERTIES, "Properties"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_GEODETIC_APP_EXIT, "E&xit"},
    {MF_POPUP, 0, "&Geodesy"},
    {MF_STRING, ID_GEODETIC_SPHEROID, "Spheroid"},
    {MF_STRING, ID_GEODETIC_PROJECTION, "Projection"},
    {MF_STRING, ID_GEODETIC_DATUM, "Datum"},
    {MF_STRING, ID_GEODETIC_ITRF, "ITRF Datum Shifts"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_GEODETIC_GRID_TO_GEOG, "Grid to Geographicals"},
    {MF_STRING, ID_GEODETIC_DATUM_SHIFT, "Datum Shift"},
    {MF_STRING, ID_GEODETIC_RANGE_BEARING, "Range and Bearing"},
    {MF_STRING, ID_GEODETIC_TRAVERSE, "Traverse"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_GEODETIC_MAG_VAR, "Magnetic Variation"},
    {MF_POPUP, 0, "&GPS"},
    {MF_STRING, ID_GEODETIC_RS232, "RS232 Data"},
    {MF_STRING, ID_GEODETIC_UDP, "UDP Setup"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_GEODETIC_LARGE_GPS, "Large GPS Display"},
    {MF_STRING, ID_GEODETIC_LLH, "Latitude, Longitude and Height v Time"},
    {MF_STRING, ID_GEODETIC_DOP, "HDOP, PDOP and VDOP v Time"},
    {MF_STRING, ID_GEODETIC_NO_SATS, "Number of Satellites v Time"},
    {MF_STRING, ID_GEODETIC_CONSTELLATION, "Constellation"},
    {MF_STRING, ID_GEODETIC_SNR, "Signal To Noise Ratio"},
    {MF_STRING | MF_END, ID_GEODETIC_ELEVATION, "Satelitte Elevation"},
    {MF_POPUP, 0, "&View"},
    {MF_STRING, ID_GEODETIC_STATUS_BAR, "&Status Bar"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_GEODETIC_DAYLIGHT, "Daylight Mode"},
    {MF_STRING | MF_END, ID_GEODETIC_NIGHT, "Night Mode"},
    {MF_POPUP | MF_END, 0, "&Help"},
    {MF_STRING, ID_GEODETIC_APP_ABOUT, "&About Geodetic..."},
    {MF_STRING | MF_END, ID_GEODETIC_CONTACT, "Contact Details"},
};
} // namespace

void RegisterGeodeticResources()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    AfxRegisterStringTable("Geodetic", kStrings, sizeof(kStrings) / sizeof(kStrings[0]));
    AfxRegisterMenuTemplate(IDR_GEODETIC_MAINFRAME, kMenu);
}
