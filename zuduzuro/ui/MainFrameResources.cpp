#include "zuduzuro/ui/MainFrameResources.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/ToolBar.h"

const ZuduzuroIndicatorDef g_ZuduzuroIndicators[8] = {
    {ID_SEPARATOR, 0, SBPS_STRETCH},
    {ID_INDICATOR_RANGE, 20, SBPS_NOBORDERS},
    {ID_INDICATOR_RANGE_VALUE, 30, SBPS_NORMAL},
    {ID_INDICATOR_DEPTH, 25, SBPS_NOBORDERS},
    {ID_INDICATOR_DEPTH_VALUE, 30, SBPS_NORMAL},
    {ID_INDICATOR_CLEARANCE, 50, SBPS_NOBORDERS},
    {ID_INDICATOR_CLEARANCE_VALUE, 30, SBPS_NORMAL},
    {ID_INDICATOR_END, 20, SBPS_NOBORDERS},
};

const UINT g_ZuduzuroIgnoredCommands[21] = {12008, 12011, 12013, 12017, 12038, 12039, 12053,
                                            12054, 12055, 12056, 12092, 12093, 12095, 12096,
                                            12912, 12913, 12914, 12915, 12916, 12918, 12919};

const UINT g_ZuduzuroToolBar[10] = {ID_ZUDUZURO_ZOOM_IN,     ID_ZUDUZURO_ZOOM_OUT,       ID_ZUDUZURO_TENSION_UP,
                                    ID_ZUDUZURO_TENSION_DOWN, 0,                          ID_ZUDUZURO_RECOVER_ANCHOR,
                                    ID_ZUDUZURO_DROP_ANCHOR, 0,                          ID_ZUDUZURO_PENNANT_DOWN,
                                    ID_ZUDUZURO_PENNANT_UP};

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDP_ZUDUZURO_OLE_INIT_FAILED,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDR_ZUDUZURO_MAINFRAME, "Zuduzuro\n\nZuduzuro\n\n\nZuduzuro.Document\nZuduzuro.Document"},
    {ID_INDICATOR_RANGE, "Rng:"},
    {ID_INDICATOR_RANGE_VALUE, "0.0"},
    {ID_INDICATOR_DEPTH, "Depth"},
    {ID_INDICATOR_DEPTH_VALUE, "0.0"},
    {ID_INDICATOR_CLEARANCE, "Clearance"},
    {ID_INDICATOR_CLEARANCE_VALUE, "0.0"},
    {ID_INDICATOR_END, " "},
    // The toolbar's commands: the prompt (the button's tooltip), then the button's text.
    {ID_ZUDUZURO_ZOOM_IN, "Depth scale one step larger (Page Up)\nZoom in"},
    {ID_ZUDUZURO_ZOOM_OUT, "Depth scale one step smaller (Page Down)\nZoom Out"},
    {ID_ZUDUZURO_TENSION_UP, "Top tension up 1 t\nTension +"},
    {ID_ZUDUZURO_TENSION_DOWN, "Top tension down 1 t\nTension -"},
    {ID_ZUDUZURO_RECOVER_ANCHOR, "Anchor Live: hanging from its tug where it lay\nRecover Anchor"},
    {ID_ZUDUZURO_DROP_ANCHOR, "Anchor On Bottom: lying on the seabed where it hangs\nDrop Anchor"},
    {ID_ZUDUZURO_PENNANT_DOWN, "First buoy's pennant wire 1 m shorter\nPennant -"},
    {ID_ZUDUZURO_PENNANT_UP, "First buoy's pennant wire 1 m longer\nPennant +"},
};

const MENU_TEMPLATE_ITEM kMenu[] = {
    {MF_POPUP, 0, "&File"},
    {MF_POPUP, 0, "Paths"},
    {MF_STRING | MF_END, ID_ZUDUZURO_CONFIGURATION_DATA, "Configuration Data"},
    {MF_STRING | MF_END, ID_ZUDUZURO_APP_EXIT, "E&xit"},
    {MF_POPUP, 0, "Configuration"},
    {MF_STRING, ID_ZUDUZURO_BARGE, "Barge"},
    {MF_STRING, ID_ZUDUZURO_CABLE_WEIGHTS, "Cable Weights"},
    {MF_STRING | MF_END, ID_ZUDUZURO_ANCHOR, "Anchor"},
    {MF_POPUP, 0, "Database"},
    {MF_STRING, ID_ZUDUZURO_PIPE_ROUTE, "Pipe Route / KP Markers"},
    {MF_STRING, ID_ZUDUZURO_OBSTRUCTION, "Obstruction"},
    {MF_STRING, ID_ZUDUZURO_PIPELINES, "Pipelines/Cables Crossings"},
    {MF_STRING | MF_END, ID_ZUDUZURO_DTM, "DTM - Depths"},
    {MF_POPUP, 0, "View"},
    {MF_POPUP, 0, "Tool Bar"},
    {MF_STRING, ID_ZUDUZURO_TOOLBAR_DISPLAY, "Display"},
    {MF_STRING | MF_END, ID_ZUDUZURO_LARGE_ICONS, "Large Icons"},
    {MF_STRING, ID_ZUDUZURO_STATUS_BAR, "Zuduzuro Status Bar"},
    {MF_STRING, ID_ZUDUZURO_DEPTH_STEP_DOWN, "Depth Step Down"},
    {MF_STRING | MF_END, ID_ZUDUZURO_DEPTH_STEP_UP, "Depth Step Up"},
    {MF_POPUP, 0, "Utilities"},
    {MF_STRING | MF_END, ID_ZUDUZURO_CABLE_CALCULATOR, "Cable Weight Calculator"},
    {MF_POPUP | MF_END, 0, "Help"},
    {MF_STRING, ID_ZUDUZURO_APP_ABOUT, "&About Zuduzuro..."},
    {MF_STRING, ID_ZUDUZURO_CONTACT, "Contact Details"},
    {MF_STRING | MF_END, ID_ZUDUZURO_VERTICAL_OFFSET, "Vertical Offset"},
};

const ACCEL kAccelerators[] = {
    {FVIRTKEY | FCONTROL, 'A', ID_ZUDUZURO_APP_ABOUT},
    {FVIRTKEY | FALT, VK_F4, ID_ZUDUZURO_APP_EXIT},
    {FVIRTKEY | FCONTROL, 'S', ID_ZUDUZURO_SAVE},
    {FVIRTKEY | FALT, 'D', ID_ZUDUZURO_DEPTH_STEP_DOWN},
    {FVIRTKEY | FALT, 'U', ID_ZUDUZURO_DEPTH_STEP_UP},
    {FVIRTKEY | FALT, 'P', ID_ZUDUZURO_ACCEL_P},
    {FVIRTKEY | FCONTROL, 'U', ID_ZUDUZURO_ACCEL_U},
    {FVIRTKEY | FALT, 'S', ID_ZUDUZURO_FRAMEWORK_STATUS_BAR},
    {FVIRTKEY, VK_PRIOR, ID_ZUDUZURO_ZOOM_IN},
    {FVIRTKEY, VK_NEXT, ID_ZUDUZURO_ZOOM_OUT},
};
} // namespace

void RegisterZuduzuroResources()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    AfxRegisterStringTable("Zuduzuro", kStrings, sizeof(kStrings) / sizeof(kStrings[0]));
    AfxRegisterMenuTemplate(IDR_ZUDUZURO_MAINFRAME, kMenu);
    AfxRegisterToolBarTemplate(IDR_ZUDUZURO_MAINFRAME, g_ZuduzuroToolBar,
                               sizeof(g_ZuduzuroToolBar) / sizeof(g_ZuduzuroToolBar[0]));
    AfxRegisterAcceleratorTable(IDR_ZUDUZURO_MAINFRAME, kAccelerators,
                                sizeof(kAccelerators) / sizeof(kAccelerators[0]));
}
