#include "acoustic/app/AcousticResources.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Edit.h"
#include "platform/ui/FrameStyles.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/ToolBar.h"

#include <QPainter>
#include <QPolygon>

namespace
{
const UINT kBoxinButtons[] = {ID_ACOUSTIC_BOXIN_IMPORT_CSV,
                              ID_ACOUSTIC_BOXIN_IMPORT_EXCEL,
                              0,
                              ID_ACOUSTIC_BOXIN_COMPUTE_GATED,
                              0,
                              ID_ACOUSTIC_BOXIN_COMPUTE,
                              ID_ACOUSTIC_BOXIN_HISTOGRAM,
                              ID_ACOUSTIC_BOXIN_PRINT};
const UINT kGridOnGridButtons[] = {ID_ACOUSTIC_GOG_IMPORT_CSV, ID_ACOUSTIC_GOG_IMPORT_EXCEL,
                                   ID_ACOUSTIC_GOG_SHOW_DATA,  0,
                                   ID_ACOUSTIC_GOG_COMPUTE,    ID_ACOUSTIC_GOG_COMPARISON};
const UINT kNetworkButtons[] = {ID_ACOUSTIC_NETWORK_SELECT_FILE, 0,
                                ID_ACOUSTIC_NETWORK_STATIONS,    ID_ACOUSTIC_NETWORK_OBSERVATIONS,
                                ID_ACOUSTIC_NETWORK_LAYOUT,      ID_ACOUSTIC_NETWORK_COMPUTE};
const UINT kTransitFixButtons[] = {ID_ACOUSTIC_TRANSIT_THREE_LEG, ID_ACOUSTIC_TRANSIT_FOUR_LEG,
                                   ID_ACOUSTIC_TRANSIT_PRINT};
const UINT kUsblButtons[] = {ID_ACOUSTIC_USBL_IMPORT_CSV, ID_ACOUSTIC_USBL_IMPORT_EXCEL,
                             ID_ACOUSTIC_USBL_BUTTON_1,   ID_ACOUSTIC_USBL_BUTTON_2,
                             ID_ACOUSTIC_USBL_CALIBRATE,  ID_ACOUSTIC_USBL_BUTTON_3};
const UINT kVelocityButtons[] = {ID_ACOUSTIC_SPEED_OF_SOUND, ID_ACOUSTIC_VELOCITY_IMPORT_CSV,
                                 ID_ACOUSTIC_VELOCITY_IMPORT_EXCEL, ID_ACOUSTIC_VELOCITY_DATA,
                                 ID_ACOUSTIC_VELOCITY_PROFILE};

template <size_t N> constexpr int Count(const UINT (&)[N])
{
    return static_cast<int>(N);
}
} // namespace

const AcousticToolBarDef g_AcousticToolBars[6] = {
    {IDR_ACOUSTIC_BOXIN_TOOLBAR, "Boxin Toolbar", kBoxinButtons, Count(kBoxinButtons)},
    {IDR_ACOUSTIC_GRID_ON_GRID_TOOLBAR, "Grid on Grid Toolbar", kGridOnGridButtons,
     Count(kGridOnGridButtons)},
    {IDR_ACOUSTIC_NETWORK_TOOLBAR, "Network Adjustment Toolbar", kNetworkButtons, Count(kNetworkButtons)},
    {IDR_ACOUSTIC_TRANSIT_FIX_TOOLBAR, "Transit Fix Toolbar", kTransitFixButtons, Count(kTransitFixButtons)},
    {IDR_ACOUSTIC_USBL_TOOLBAR, "USBL Calibration Toolbar", kUsblButtons, Count(kUsblButtons)},
    {IDR_ACOUSTIC_VELOCITY_TOOLBAR, "Velocity Profile Toolbar", kVelocityButtons, Count(kVelocityButtons)},
};

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {
    {IDP_ACOUSTIC_OLE_INIT_FAILED,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDR_ACOUSTIC_MAINFRAME, "Acoustic\n\nAcoustic\n\n\nAcoustic.Document\nAcoustic.Document"},
    {IDS_ACOUSTIC_GRID_ON_GRID, "Grid on Grid"},
    {IDS_ACOUSTIC_TRANSIT_FIX, "Transit Fix"},
    // The toolbars' commands: the prompt (the button's tooltip), then the button's text.
    {ID_ACOUSTIC_BOXIN_IMPORT_CSV, "Import Boxin observations from a CSV file\nImport CSV"},
    {ID_ACOUSTIC_BOXIN_IMPORT_EXCEL, "Import Boxin observations from an Excel sheet\nImport Excel"},
    {ID_ACOUSTIC_BOXIN_COMPUTE_GATED, "Compute the transponder position, gating the ranges\nCompute Gated"},
    {ID_ACOUSTIC_BOXIN_COMPUTE, "Compute the transponder position from every range\nCompute"},
    {ID_ACOUSTIC_BOXIN_HISTOGRAM, "Show or hide the histogram of the range residuals\nHistogram"},
    {ID_ACOUSTIC_BOXIN_PRINT, "Print the Boxin report\nPrint"},
    {ID_ACOUSTIC_GOG_IMPORT_CSV, "Import point pairs from a CSV file\nImport CSV"},
    {ID_ACOUSTIC_GOG_IMPORT_EXCEL, "Import point pairs from an Excel sheet\nImport Excel"},
    {ID_ACOUSTIC_GOG_SHOW_DATA, "Show or hide the imported point pairs\nShow Data"},
    {ID_ACOUSTIC_GOG_COMPUTE, "Compute the grid on grid transformation\nCompute"},
    {ID_ACOUSTIC_GOG_COMPARISON, "Compare the transformed points with their pairs\nComparison"},
    {ID_ACOUSTIC_NETWORK_SELECT_FILE, "Choose the network file\nSelect File"},
    {ID_ACOUSTIC_NETWORK_STATIONS, "Show or hide the transponder positions\nStations"},
    {ID_ACOUSTIC_NETWORK_OBSERVATIONS, "Show or hide the observations\nObservations"},
    {ID_ACOUSTIC_NETWORK_LAYOUT, "Show or hide the list of observations\nLayout"},
    {ID_ACOUSTIC_NETWORK_COMPUTE, "Adjust the network\nCompute"},
    {ID_ACOUSTIC_TRANSIT_THREE_LEG, "Compute a three leg transit fix\n3 Leg Fix"},
    {ID_ACOUSTIC_TRANSIT_FOUR_LEG, "Compute a four leg transit fix\n4 Leg Fix"},
    {ID_ACOUSTIC_TRANSIT_PRINT, "Print the transit fix\nPrint"},
    {ID_ACOUSTIC_USBL_IMPORT_CSV, "Import USBL observations from a CSV file\nImport CSV"},
    {ID_ACOUSTIC_USBL_IMPORT_EXCEL, "Import USBL observations from an Excel sheet\nImport Excel"},
    {ID_ACOUSTIC_USBL_BUTTON_1, "Not available\nGating"},
    {ID_ACOUSTIC_USBL_BUTTON_2, "Not available\nSpin Test"},
    {ID_ACOUSTIC_USBL_CALIBRATE, "Compute the USBL calibration\nCalibrate"},
    {ID_ACOUSTIC_USBL_BUTTON_3, "Not available\nReport"},
    {ID_ACOUSTIC_SPEED_OF_SOUND, "Show or hide the speed of sound in water\nSpeed of Sound"},
    {ID_ACOUSTIC_VELOCITY_IMPORT_CSV, "Import a velocity profile from a CSV file\nImport CSV"},
    {ID_ACOUSTIC_VELOCITY_IMPORT_EXCEL, "Import a velocity profile from an Excel sheet\nImport Excel"},
    {ID_ACOUSTIC_VELOCITY_DATA, "Show or hide the velocity profile table\nProfile Data"},
    {ID_ACOUSTIC_VELOCITY_PROFILE, "Show or hide the velocity profile graph\nProfile Graph"},
};

const MENU_TEMPLATE_ITEM kMenu[] = {
    {MF_POPUP, 0, "&File"},
    {MF_STRING, ID_ACOUSTIC_GEODETIC_PARAMETERS, "Geodetic Parameters"},
    {MF_STRING, ID_ACOUSTIC_UNITS, "Units"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_APP_EXIT, "E&xit"},
    {MF_POPUP, 0, " &Computations"},
    {MF_STRING, ID_ACOUSTIC_SPEED_OF_SOUND, "&Compute Speed of Sound in Water"},
    {MF_STRING | MF_END, ID_ACOUSTIC_COMPUTE_HEADING, "Compute Heading"},
    {MF_POPUP, 0, "&Boxin"},
    {MF_STRING, ID_ACOUSTIC_BOXIN_DRAW, "Draw Boxin"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_BOXIN_IMPORT_CSV, "Import CSV Data"},
    {MF_STRING, ID_ACOUSTIC_BOXIN_IMPORT_EXCEL, "Import Excel Data"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_BOXIN_HISTOGRAM, "Histogram"},
    {MF_STRING, ID_ACOUSTIC_BOXIN_PRINT, "Print Report"},
    {MF_STRING | MF_END, ID_ACOUSTIC_BOXIN_PROPERTIES, "Properties"},
    {MF_POPUP, 0, "&Grid on Grid"},
    {MF_STRING, ID_ACOUSTIC_GOG_DRAW, "Draw Grid on Grid"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_GOG_IMPORT_CSV, "Import CSV Data"},
    {MF_STRING, ID_ACOUSTIC_GOG_IMPORT_EXCEL, "Import Excel Data"},
    {MF_STRING, ID_ACOUSTIC_GOG_SHOW_DATA, "Show Imported Data"},
    {MF_SEPARATOR, 0, nullptr},
    // The id of "Geodetic Parameters": this item toggles the geodetic pane.
    {MF_STRING, ID_ACOUSTIC_GEODETIC_PARAMETERS, "Compute"},
    {MF_STRING | MF_END, ID_ACOUSTIC_GOG_COMPARISON, "Comparison"},
    {MF_POPUP, 0, "&Network Adjustment "},
    {MF_STRING, ID_ACOUSTIC_NETWORK_SELECT_FILE, "Select Network File"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_NETWORK_STATIONS, "Transponder Positions"},
    {MF_STRING, ID_ACOUSTIC_NETWORK_OBSERVATIONS, "Observations"},
    {MF_STRING, ID_ACOUSTIC_NETWORK_LAYOUT, "Layout"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_ACOUSTIC_NETWORK_COMPUTE, "Compute"},
    {MF_POPUP, 0, "&Transit Fix"},
    {MF_STRING, ID_ACOUSTIC_TRANSIT_THREE_LEG, "3 Leg Fix"},
    {MF_STRING, ID_ACOUSTIC_TRANSIT_FOUR_LEG, "4 Leg Fix"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_ACOUSTIC_TRANSIT_PRINT, "Print Result"},
    {MF_POPUP, 0, "&USBL Calibration"},
    {MF_STRING, ID_ACOUSTIC_USBL_DRAW, "Draw USBL Calibration"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_USBL_IMPORT_CSV, "Import CSV Data"},
    {MF_STRING, ID_ACOUSTIC_USBL_IMPORT_EXCEL, "Import Excel Data"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_USBL_GATING, "USBL Gating"},
    {MF_STRING, ID_ACOUSTIC_USBL_SPIN_TEST, "Spin Test"},
    {MF_STRING, ID_ACOUSTIC_USBL_CALIBRATE, "USBL Calibration"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING | MF_END, ID_ACOUSTIC_USBL_PRINT, "Print Report"},
    {MF_POPUP, 0, "Velecity &Profile"},
    {MF_STRING, ID_ACOUSTIC_VELOCITY_IMPORT_CSV, "Import CSV Data"},
    {MF_STRING, ID_ACOUSTIC_VELOCITY_IMPORT_EXCEL, "Import Excel Data"},
    {MF_SEPARATOR, 0, nullptr},
    {MF_STRING, ID_ACOUSTIC_VELOCITY_TABLE, "Table Data"},
    {MF_STRING | MF_END, ID_ACOUSTIC_VELOCITY_PROFILE, "Velocity Profile"},
    {MF_POPUP, 0, "&View"},
    {MF_STRING | MF_END, ID_VIEW_STATUS_BAR, "&Status Bar"},
    {MF_POPUP | MF_END, 0, "&Help"},
    {MF_STRING, ID_APP_ABOUT, "&About Acoustic..."},
    {MF_STRING | MF_END, ID_ACOUSTIC_CONTACT_DETAILS, "Contact Details"},
};

// The station markers of the network lists, each in its 16 x 16 cell on white (the lists'
// transparent colour): unused, floating, fixed, boxed, and the selected and adjusted marks.
QImage DrawStationIcons()
{
    QImage strip(6 * 16, 16, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto triangle = [](int left) {
        return QPolygon({QPoint(left + 8, 2), QPoint(left + 14, 13), QPoint(left + 2, 13)});
    };
    // Unused: a grey ring.
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(3, 3, 10, 10));
    // Floating: an open blue triangle.
    p.setPen(QPen(QColor(0x00, 0x40, 0xC0), 2));
    p.drawPolygon(triangle(16));
    // Fixed: a filled red triangle.
    p.setPen(QPen(QColor(0xC0, 0x00, 0x00), 1));
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawPolygon(triangle(32));
    // Boxed: a green square round a dot.
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(48 + 3, 3, 10, 10));
    p.fillRect(QRect(48 + 7, 7, 2, 2), QColor(0x00, 0x80, 0x00));
    // Selected: an orange diamond.
    p.setPen(QPen(QColor(0xE0, 0x70, 0x00), 1));
    p.setBrush(QColor(0xE0, 0x70, 0x00));
    p.drawPolygon(QPolygon({QPoint(64 + 8, 2), QPoint(64 + 14, 8), QPoint(64 + 8, 14), QPoint(64 + 2, 8)}));
    // Adjusted: a purple cross in a ring.
    p.setPen(QPen(QColor(0x80, 0x00, 0x80), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(80 + 3, 3, 10, 10));
    p.drawLine(80 + 8, 1, 80 + 8, 15);
    p.drawLine(80 + 1, 8, 80 + 15, 8);
    return strip;
}

const BITMAP_ENTRY kBitmaps[] = {{IDB_ACOUSTIC_STATIONS, nullptr, &DrawStationIcons}};

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kImageDropList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DLGITEM_TABLE kNetworkStationItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Name", 7, 9, 50, 8},
    {DLGI_EDITTEXT, IDC_NETWORK_STATION_NAME, "", 62, 7, 74, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Easting", 7, 27, 50, 8},
    {DLGI_EDITTEXT, IDC_NETWORK_STATION_EASTING, "", 62, 25, 74, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Northing", 7, 45, 50, 8},
    {DLGI_EDITTEXT, IDC_NETWORK_STATION_NORTHING, "", 62, 43, 74, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Depth/Height", 7, 63, 50, 8},
    {DLGI_EDITTEXT, IDC_NETWORK_STATION_HEIGHT, "", 62, 61, 74, 14, ES_AUTOHSCROLL},
    {DLGI_LTEXT, IDC_STATIC, "Type", 7, 81, 50, 8},
    {DLGI_CONTROL, IDC_NETWORK_STATION_TYPE, "", 62, 79, 74, 80, kImageDropList, 0, WC_COMBOBOXEX},
    {DLGI_LTEXT, IDC_NETWORK_STATION_WEIGHT_LABEL, "Weight", 7, 99, 50, 8},
    {DLGI_EDITTEXT, IDC_NETWORK_STATION_WEIGHT, "", 62, 97, 74, 14, ES_AUTOHSCROLL},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 28, 121, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 86, 121, 50, 14},
};
const DLGTEMPLATE_TABLE kNetworkStation = {IDD_ACOUSTIC_NETWORK_STATION,
                                           "Network  Station",
                                           "MS Shell Dlg",
                                           8,
                                           0,
                                           0,
                                           143,
                                           142,
                                           kDialogStyle,
                                           0,
                                           kNetworkStationItems,
                                           AFX_DLGITEM_COUNT(kNetworkStationItems)};
} // namespace

void RegisterAcousticResources()
{
    static const bool registered = [] {
        AfxRegisterStringTable("Acoustic", kStrings, sizeof(kStrings) / sizeof(kStrings[0]));
        AfxRegisterBitmaps("Acoustic", kBitmaps, sizeof(kBitmaps) / sizeof(kBitmaps[0]));
        AfxRegisterMenuTemplate(IDR_ACOUSTIC_MAINFRAME, kMenu);
        AfxRegisterDialogTemplate(&kNetworkStation);
        for (const AcousticToolBarDef& bar : g_AcousticToolBars)
            AfxRegisterToolBarTemplate(bar.nResourceID, bar.buttons, bar.count);
        return true;
    }();
    (void)registered;
}
