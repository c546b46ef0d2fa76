#include "marevo/app/MarevoResources.h"

#include "platform/ui/FrameStyles.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDP_MAREVO_OLE_INIT_FAILED,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDR_MAREVO_MAINFRAME, "Marevo\n\nMarevo\n\n\nMarevo.Document\nMarevo.Document"},
    // The commands' prompts, then their short texts.
    {ID_MAREVO_SET_YEAR, "Load the tide data of another year\nSet Year"},
    {ID_MAREVO_TIDAL_PORT, "Show or hide the tidal port\nTidal Port"},
    {ID_MAREVO_TIDE_CURVE, "Show or hide the tide curve\nTide Curve"},
    {ID_MAREVO_PRINT_TIDE_TABLE, "Print the year's tide table of the standard port\nPrint Tide Table"},
    {ID_MAREVO_MOON_DATA, "Show or hide the moon's phases\nMoon Data"},
    {ID_MAREVO_HARMONIC_CONSTANTS, "Show or hide the daily arguments and factors\nHarmonic Constants"},
    {ID_MAREVO_TURNING_POINTS, "Show or hide the high and low waters of the standard ports\nTurning Points"},
    {ID_MAREVO_TIDAL_DIAMONDS, "Show or hide the tidal diamonds\nTidal Diamonds"},
    {ID_MAREVO_DIAMOND_COMPUTATION, "Compute the tidal stream at a diamond\nComputation"},
    {ID_MAREVO_DAY_MODE, "Day colours\nDay Mode"},
    {ID_MAREVO_NIGHT_MODE, "Night colours\nNight Mode"},
    {ID_MAREVO_TIDAL_LISTING, "List the high and low waters of the tidal port\nTidal Listing"},
    {ID_MAREVO_CONTACT_DETAILS, "The company's contact details\nContact Details"},
};

const MENU_TEMPLATE_ITEM kMenu[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING, ID_MAREVO_SET_YEAR, "Set Year"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
    {MF_POPUP, 0, "Tides"},
    {MF_STRING, ID_MAREVO_TIDAL_PORT, "Tidal Port"},
    {MF_STRING, ID_MAREVO_TIDE_CURVE, "Tide Curve"},
    {MF_STRING, ID_MAREVO_PRINT_TIDE_TABLE, "Print Tide Table"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_MAREVO_MOON_DATA, "Moon Data"},
    {MF_STRING, ID_MAREVO_HARMONIC_CONSTANTS, "Harmonic Constants"},
    {MF_STRING | MF_END, ID_MAREVO_TURNING_POINTS, "Turning Points"},
    {MF_POPUP, 0, "Tidal Diamonds"},
    {MF_STRING, ID_MAREVO_TIDAL_DIAMONDS, "Tidal DiamondPane"},
    {MF_STRING | MF_END, ID_MAREVO_DIAMOND_COMPUTATION, "Computation"},
    {MF_POPUP, 0, "&View"},
    {MF_STRING, ID_MAREVO_DAY_MODE, "&Day Mode"},
    {MF_STRING, ID_MAREVO_NIGHT_MODE, "&Night Mode"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_VIEW_STATUS_BAR, "&Status Bar"},
    {MF_POPUP, 0, "Report"},
    {MF_STRING | MF_END, ID_MAREVO_TIDAL_LISTING, "Tidal Listing"},
    {MF_POPUP | MF_END, 0, "&Help"},
    {MF_STRING, ID_APP_ABOUT, "&About Marevo..."},
    {MF_STRING | MF_END, ID_MAREVO_CONTACT_DETAILS, "Contact Details"},
};
} // namespace

void RegisterMarevoResources()
{
    static const bool registered = [] {
        AfxRegisterStringTable("Marevo", kStrings, sizeof(kStrings) / sizeof(kStrings[0]));
        AfxRegisterMenuTemplate(IDR_MAREVO_MAINFRAME, kMenu);
        return true;
    }();
    (void)registered;
}
