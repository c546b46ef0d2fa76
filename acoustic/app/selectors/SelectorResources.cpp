#include "acoustic/app/selectors/SelectorResources.h"

#include "platform/ui/ComboBox.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Edit.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Static.h"

#include <QPainter>
#include <QPolygon>

namespace
{
constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kColumnCombo = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kOwnGroup = WS_GROUP | WS_TABSTOP;
constexpr DWORD kFileLine = SS_SUNKEN | SS_LEFTNOWORDWRAP;

#define COLUMN(i) (IDC_SELECTOR_COLUMN_0 + (i))
#define LABEL(i) (IDC_SELECTOR_LABEL_0 + (i))
// The file lines beside the "Select File" button, for a dialog `width` wide.
#define FILE_LINES(caption, width)                                                                                \
    {DLGI_PUSHBUTTON, IDC_SELECTOR_SELECT_FILE, caption, 7, 12, 50, 14},                                          \
        {DLGI_LTEXT, IDC_SELECTOR_FOLDER, "", 63, 7, (width)-70, 11, kFileLine},                                  \
        {DLGI_LTEXT, IDC_SELECTOR_FILE_NAME, "", 63, 21, (width)-70, 11, kFileLine}
#define OK_CANCEL(width, y)                                                                                       \
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", (width)-111, y, 50, 14}, { DLGI_PUSHBUTTON, IDCANCEL, "Cancel", (width)-57, y, 50, 14 }
// The sheet-name group with its edit box and the picture of where a workbook shows the name.
#define SHEET_GROUP(width, y, height)                                                                             \
    {DLGI_GROUPBOX, IDC_STATIC, "Excel Spread Sheet Name", 7, y, (width)-14, height},                             \
        {DLGI_EDITTEXT, IDC_SELECTOR_SHEET_NAME, "", 14, (y) + 14, 90, 14, ES_AUTOHSCROLL},                       \
        {DLGI_CONTROL, IDC_SELECTOR_PICTURE, "", 112, (y) + 12, (width)-126, (height)-18, SS_LEFT, 0, "Static"}

// ---- Boxin: 321 wide; units and travel time on the left, the five fields on the right.
#define BOXIN_COMMON                                                                                               \
    FILE_LINES("Select File", 321), {DLGI_GROUPBOX, IDC_STATIC, "Range Units", 7, 40, 100, 82},                    \
        {DLGI_AUTORADIOBUTTON, IDC_BOXIN_METRES, "Metres", 14, 53, 80, 10, kOwnGroup},                             \
        {DLGI_AUTORADIOBUTTON, IDC_BOXIN_SECONDS, "Seconds", 14, 67, 80, 10, kOwnGroup},                           \
        {DLGI_AUTORADIOBUTTON, IDC_BOXIN_MILLISECONDS, "Milliseconds", 14, 81, 80, 10, kOwnGroup},                 \
        {DLGI_COMBOBOX, IDC_BOXIN_TRAVEL_TIME, "", 14, 99, 80, 60, kColumnCombo},                                  \
        {DLGI_CTEXT, IDC_STATIC, "Column", 250, 40, 50, 9},                                                        \
        {DLGI_RTEXT, LABEL(0), "Vessel Easting", 120, 54, 124, 9},                                                 \
        {DLGI_COMBOBOX, COLUMN(0), "", 250, 52, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(1), "Northing", 120, 72, 124, 9},                                                       \
        {DLGI_COMBOBOX, COLUMN(1), "", 250, 70, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(2), "Vessel Gyro", 120, 90, 124, 9},                                                    \
        {DLGI_COMBOBOX, COLUMN(2), "", 250, 88, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(3), "Transponder Depth", 120, 108, 124, 9},                                             \
        {DLGI_COMBOBOX, COLUMN(3), "", 250, 106, 50, 150, kColumnCombo},                                           \
        {DLGI_RTEXT, LABEL(4), "Observation", 120, 126, 124, 9},                                                   \
        {                                                                                                          \
        DLGI_COMBOBOX, COLUMN(4), "", 250, 124, 50, 150, kColumnCombo                                              \
    }

const DLGITEM_TABLE kBoxinCsvItems[] = {BOXIN_COMMON, OK_CANCEL(321, 171)};
const DLGITEM_TABLE kBoxinExcelItems[] = {BOXIN_COMMON, SHEET_GROUP(321, 148, 118), OK_CANCEL(321, 273)};

// ---- Grid on grid: 275 wide; the four position fields under their system headings.
#define GRID_ON_GRID_COMMON                                                                                        \
    FILE_LINES("Select File", 275), {DLGI_CTEXT, IDC_STATIC, "Column", 200, 38, 50, 9},                            \
        {DLGI_LTEXT, IDC_STATIC, "System A", 40, 50, 60, 9},                                                       \
        {DLGI_RTEXT, LABEL(0), "Easting", 110, 50, 84, 9},                                                         \
        {DLGI_COMBOBOX, COLUMN(0), "", 200, 48, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(1), "Northing", 110, 64, 84, 9},                                                        \
        {DLGI_COMBOBOX, COLUMN(1), "", 200, 62, 50, 150, kColumnCombo},                                            \
        {DLGI_LTEXT, IDC_STATIC, "System B", 40, 80, 60, 9},                                                       \
        {DLGI_RTEXT, LABEL(2), "Easting", 110, 80, 84, 9},                                                         \
        {DLGI_COMBOBOX, COLUMN(2), "", 200, 78, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(3), "Northing", 110, 94, 84, 9},                                                        \
        {                                                                                                          \
        DLGI_COMBOBOX, COLUMN(3), "", 200, 92, 50, 150, kColumnCombo                                               \
    }

const DLGITEM_TABLE kGridOnGridCsvItems[] = {GRID_ON_GRID_COMMON, OK_CANCEL(275, 110)};
const DLGITEM_TABLE kGridOnGridExcelItems[] = {GRID_ON_GRID_COMMON, SHEET_GROUP(275, 112, 110),
                                               OK_CANCEL(275, 226)};

// ---- Velocity profile: 275 wide; the two option groups on the left, three fields on the right.
#define THERMOCLINE_COMMON                                                                                         \
    FILE_LINES("Select File", 275), {DLGI_GROUPBOX, IDC_STATIC, "Salinity", 7, 40, 86, 40},                        \
        {DLGI_AUTORADIOBUTTON, IDC_THERMOCLINE_SALINITY, "Salinity", 14, 52, 72, 10, kOwnGroup},                   \
        {DLGI_AUTORADIOBUTTON, IDC_THERMOCLINE_CONDUCTIVITY, "Conductivity", 14, 65, 72, 10, kOwnGroup},           \
        {DLGI_GROUPBOX, IDC_STATIC, "Depth", 7, 84, 86, 54},                                                       \
        {DLGI_AUTORADIOBUTTON, IDC_THERMOCLINE_DEPTH, "Depth", 14, 96, 72, 10, kOwnGroup},                         \
        {DLGI_AUTORADIOBUTTON, IDC_THERMOCLINE_PRESSURE_BAR, "Pressure (Bar)", 14, 109, 72, 10, kOwnGroup},        \
        {DLGI_AUTORADIOBUTTON, IDC_THERMOCLINE_PRESSURE_KG, "Pressure (KgCm)", 14, 122, 72, 10, kOwnGroup},        \
        {DLGI_CTEXT, IDC_STATIC, "Column", 200, 40, 50, 9},                                                        \
        {DLGI_RTEXT, LABEL(0), "Temperature", 100, 54, 94, 9},                                                     \
        {DLGI_COMBOBOX, COLUMN(0), "", 200, 52, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(1), "Salinity / Conductivity", 100, 72, 94, 9},                                         \
        {DLGI_COMBOBOX, COLUMN(1), "", 200, 70, 50, 150, kColumnCombo},                                            \
        {DLGI_RTEXT, LABEL(2), "Depth / Pressure", 100, 90, 94, 9},                                                \
        {                                                                                                          \
        DLGI_COMBOBOX, COLUMN(2), "", 200, 88, 50, 150, kColumnCombo                                               \
    }

const DLGITEM_TABLE kThermoclineCsvItems[] = {THERMOCLINE_COMMON, OK_CANCEL(275, 134)};
const DLGITEM_TABLE kThermoclineExcelItems[] = {THERMOCLINE_COMMON, SHEET_GROUP(275, 142, 98),
                                                OK_CANCEL(275, 247)};

// ---- USBL: 299 wide; the mode on the left, ten fields under their headings on the right.
const DLGITEM_TABLE kUsblCsvItems[] = {
    FILE_LINES("Button1", 299),
    {DLGI_GROUPBOX, IDC_STATIC, "Mode", 7, 40, 90, 40},
    {DLGI_AUTORADIOBUTTON, IDC_USBL_RAW_DATA_MODE, "Raw Data Mode", 14, 52, 76, 10, kOwnGroup},
    {DLGI_AUTORADIOBUTTON, IDC_USBL_ROV_MODE, "ROV Mode", 14, 65, 76, 10, kOwnGroup},
    {DLGI_CTEXT, IDC_STATIC, "Column", 230, 40, 50, 9},
    {DLGI_LTEXT, IDC_STATIC, "Vessel", 110, 54, 50, 9},
    {DLGI_RTEXT, LABEL(0), "Easting", 160, 54, 64, 9},
    {DLGI_COMBOBOX, COLUMN(0), "", 230, 52, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(1), "Northing", 160, 70, 64, 9},
    {DLGI_COMBOBOX, COLUMN(1), "", 230, 68, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(2), "Gyro", 160, 86, 64, 9},
    {DLGI_COMBOBOX, COLUMN(2), "", 230, 84, 50, 150, kColumnCombo},
    {DLGI_LTEXT, IDC_STATIC, "Raw Data", 110, 106, 50, 9},
    {DLGI_RTEXT, LABEL(3), "X", 160, 106, 64, 9},
    {DLGI_COMBOBOX, COLUMN(3), "", 230, 104, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(4), "Y", 160, 122, 64, 9},
    {DLGI_COMBOBOX, COLUMN(4), "", 230, 120, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(5), "Z", 160, 138, 64, 9},
    {DLGI_COMBOBOX, COLUMN(5), "", 230, 136, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(6), "Pitch", 160, 154, 64, 9},
    {DLGI_COMBOBOX, COLUMN(6), "", 230, 152, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(7), "Roll", 160, 170, 64, 9},
    {DLGI_COMBOBOX, COLUMN(7), "", 230, 168, 50, 150, kColumnCombo},
    {DLGI_LTEXT, IDC_STATIC, "ROV", 110, 190, 50, 9},
    {DLGI_RTEXT, LABEL(8), "Easting", 160, 190, 64, 9},
    {DLGI_COMBOBOX, COLUMN(8), "", 230, 188, 50, 150, kColumnCombo},
    {DLGI_RTEXT, LABEL(9), "Northing", 160, 206, 64, 9},
    {DLGI_COMBOBOX, COLUMN(9), "", 230, 204, 50, 150, kColumnCombo},
    OK_CANCEL(299, 258),
};

#define TEMPLATE(id, caption, cx, cy, items)                                                                      \
    {                                                                                                              \
        id, caption, "MS Shell Dlg", 8, 0, 0, cx, cy, kDialogStyle, 0, items, AFX_DLGITEM_COUNT(items)             \
    }
const DLGTEMPLATE_TABLE kTemplates[] = {
    TEMPLATE(IDD_BOXIN_CSV_SELECTOR, "Boxin Data CSV Selector", 321, 192, kBoxinCsvItems),
    TEMPLATE(IDD_BOXIN_EXCEL_SELECTOR, "Boxin Data EXCEL Selector", 321, 294, kBoxinExcelItems),
    TEMPLATE(IDD_GRID_ON_GRID_CSV_SELECTOR, "Grid on Grid Data CSV Selector", 275, 129, kGridOnGridCsvItems),
    TEMPLATE(IDD_GRID_ON_GRID_EXCEL_SELECTOR, "Grid on Grid Data EXCEL Selector", 275, 246, kGridOnGridExcelItems),
    TEMPLATE(IDD_THERMOCLINE_CSV_SELECTOR, "Thermocline CSV Data Selector", 275, 154, kThermoclineCsvItems),
    TEMPLATE(IDD_THERMOCLINE_EXCEL_SELECTOR, "Dialog", 275, 267, kThermoclineExcelItems),
    TEMPLATE(IDD_USBL_CSV_SELECTOR, "USBL Data CSV Selector", 299, 279, kUsblCsvItems),
};

const STRINGTABLE_ENTRY kStrings[] = {
    {IDS_SELECTOR_EASTING, "Easting"},
    {IDS_SELECTOR_NORTHING, "Northing"},
};

// A workbook's window in miniature: a few cells, and below them the sheet tabs with the first
// one picked out and pointed at, for the user to see where the name to type is shown.
QImage DrawSheetNamePicture()
{
    const int w = 240, h = 120;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF4, 0xF4));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Cells.
    p.setPen(QColor(0xC8, 0xC8, 0xC8));
    for (int x = 4; x <= w - 4; x += 40)
        p.drawLine(x, 4, x, 78);
    for (int y = 4; y <= 78; y += 14)
        p.drawLine(4, y, w - 4, y);
    p.setPen(QColor(0x50, 0x50, 0x50));
    QFont font("Sans Serif");
    font.setPixelSize(10);
    p.setFont(font);
    const char* headings[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i)
        p.drawText(QRect(4 + 40 * i, 4, 40, 14), Qt::AlignCenter, headings[i]);
    // The tab strip.
    p.fillRect(QRect(0, 82, w, 16), QColor(0xDC, 0xDC, 0xDC));
    const char* tabs[] = {"Sheet1", "Sheet2", "Sheet3"};
    for (int i = 0; i < 3; ++i)
    {
        const QRect tab(6 + 56 * i, 82, 54, 15);
        p.fillRect(tab, i == 0 ? QColor(Qt::white) : QColor(0xE8, 0xE8, 0xE8));
        p.setPen(i == 0 ? QColor(0x10, 0x70, 0x30) : QColor(0x70, 0x70, 0x70));
        p.drawRect(tab.adjusted(0, 0, -1, -1));
        p.drawText(tab, Qt::AlignCenter, tabs[i]);
    }
    // The pointer at the first tab.
    p.setPen(QPen(QColor(0xC0, 0x10, 0x10), 2));
    p.drawRect(QRect(4, 80, 58, 19));
    p.setBrush(QColor(0xC0, 0x10, 0x10));
    p.drawLine(110, 112, 64, 98);
    p.drawPolygon(QPolygon({QPoint(62, 98), QPoint(72, 97), QPoint(68, 104)}));
    p.setPen(QColor(0xC0, 0x10, 0x10));
    p.drawText(QRect(114, 104, w - 118, 14), Qt::AlignLeft | Qt::AlignVCenter, "Sheet name");
    return image;
}

const BITMAP_ENTRY kBitmaps[] = {{IDB_SELECTOR_SHEET_NAME, nullptr, &DrawSheetNamePicture}};
} // namespace

void RegisterSelectorResources()
{
    static const bool registered = [] {
        AfxRegisterStringTable("Acoustic Selectors", kStrings, sizeof(kStrings) / sizeof(kStrings[0]));
        AfxRegisterBitmaps("Acoustic Selectors", kBitmaps, sizeof(kBitmaps) / sizeof(kBitmaps[0]));
        for (const DLGTEMPLATE_TABLE& t : kTemplates)
            AfxRegisterDialogTemplate(&t);
        return true;
    }();
    (void)registered;
}
