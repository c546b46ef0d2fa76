// The magnetic-variation dialog and the start-up splash, driven offscreen through the modal
// hook: values typed, results read from the dialog's items, errors answered.
#include "foundation/AngleFormat.h"
#include "foundation/ConfigFile.h"
#include "foundation/Folders.h"
#include "platform/core/Path.h"
#include "outside/deklino/DeklinoDlg.h"
#include "outside/deklino/DeklinoResources.h"
#include "outside/deklino/MagVarSplashDlg.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/TempDrives.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>

namespace
{
constexpr double kDeg = 3.14159265358979323846 / 180.0;

CString ItemText(CWnd* dlg, int id)
{
    CString s;
    dlg->GetDlgItemText(id, s);
    return s;
}

void Type(CDialog* d, const char* latitude, const char* longitude, const char* height, const char* date)
{
    d->SetDlgItemText(IDC_MV_LATITUDE, latitude);
    d->SetDlgItemText(IDC_MV_LONGITUDE, longitude);
    d->SetDlgItemText(IDC_MV_HEIGHT, height);
    d->SetDlgItemText(IDC_MV_DATE, date);
}

void ClickCalculate(CDialog* d)
{
    d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MV_CALCULATE, BN_CLICKED));
}

// Opens the dialog modally and runs `body` on it while it is open; Close ends it.
void RunDialog(CDeklinoDlg& dlg, const std::function<void(CDeklinoDlg*)>& body)
{
    ModalHook::AnswerDialogOf<CDeklinoDlg>([&](CDeklinoDlg* d) {
        body(d);
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return IDABORT; // not used: Close ended it
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// A small model file in the settings folder, as a newer published model would be put there.
void InstallCof(const char* text)
{
    const CString folder = GetSettingsFolder();
    std::ofstream out(LinuxPathBytesFromWindows(folder + CMagneticModel::INSTALLED_COF_NAME).constData());
    out << text;
}
} // namespace

// A published test point typed in the user's notation (degrees and decimal minutes, the
// default): the dialog shows the model's values in the same notation and units.
TEST(DeklinoDlgTest, ShowsTheFieldOfATypedPositionAndDate)
{
    CDeklinoDlg dlg;
    dlg.SetDate(COleDateTime(2025, 1, 1, 0, 0, 0));
    RunDialog(dlg, [](CDeklinoDlg* d) {
        // Opened on the date given (today by default) and a computed starting position.
        EXPECT_EQ(ItemText(d, IDC_MV_DATE), "01 Jan 2025");
        EXPECT_FALSE(ItemText(d, IDC_MV_DECLINATION).IsEmpty());
        EXPECT_EQ(ItemText(d, IDC_MV_MODEL),
                  "World Magnetic Model WMM-2025 (NOAA NCEI and BGS), valid 1 Jan 2025 to 31 Dec 2029");

        // 2025.0, sea level, 80 S 240 E: D 68.78, I -72.00, H 16898.1, F 54698.2 (nT), and
        // per year D -0.12 degrees, I +0.03 degrees, H +4.0, F -89.6 nT (the published values;
        // the minutes shown lie within their rounding).
        Type(d, "80 00.000S", "120 00.000W", "0", "2025-01-01");
        ClickCalculate(d);
        EXPECT_EQ(ItemText(d, IDC_MV_DECLINATION), "68\xB0 46'.5 E");
        EXPECT_EQ(ItemText(d, IDC_MV_INCLINATION), "-72\xB0 00'.3");
        EXPECT_EQ(ItemText(d, IDC_MV_HORIZONTAL), "16898.1 nT");
        EXPECT_EQ(ItemText(d, IDC_MV_TOTAL), "54698.2 nT");
        EXPECT_EQ(ItemText(d, IDC_MV_NORTH), "6117.5 nT");
        EXPECT_EQ(ItemText(d, IDC_MV_EAST), "15751.9 nT");
        EXPECT_EQ(ItemText(d, IDC_MV_DOWN), "-52022.5 nT");
        EXPECT_EQ(ItemText(d, IDC_MV_DECLINATION_RATE), "6.9' W per year");
        EXPECT_EQ(ItemText(d, IDC_MV_INCLINATION_RATE), "+2.1' per year");
        EXPECT_EQ(ItemText(d, IDC_MV_HORIZONTAL_RATE), "+4.0 nT per year");
        EXPECT_EQ(ItemText(d, IDC_MV_TOTAL_RATE), "-89.6 nT per year");
        // South of 55 S the grid is the south polar one: 68.78 - 120 = -51.22 degrees.
        EXPECT_EQ(ItemText(d, IDC_MV_GRID_VARIATION), "51\xB0 13'.5 W");
        EXPECT_EQ(ItemText(d, IDC_MV_GRID), "UPS South");
        EXPECT_EQ(ItemText(d, IDC_MV_WARNING), "");
        EXPECT_NEAR(d->GetField().dDeclination / kDeg, 68.78, 0.005);
        EXPECT_NEAR(d->GetDecimalYear(), 2025.0, 1e-12);
    });
    EXPECT_TRUE(ModalHook::Shown().back().kind == MODAL_RECORD::Dialog);
    EXPECT_EQ(ModalHook::Shown().back().id, static_cast<UINT>(IDD_DEKLINO));
}

// The results follow the user's angle notation; each text is typed in the same notation.
TEST(DeklinoDlgTest, AnglesFollowTheUsersNotation)
{
    const struct
    {
        int format;
        const char* latitude;
        const char* longitude;
        const char* declination;
    } cases[] = {
        // 2027.5, 100 km, 0 N 120 E: D -0.23 degrees.
        {ANGLE_FORMAT_DMS, "0 00 00N", "120 00 00E", "0\xB0 13' 33\" W"},
        {ANGLE_FORMAT_DEGREES, "0.0N", "120.0E", "0\xB0.23 W"},
        {ANGLE_FORMAT_SIGNED, "+0.0", "+120.0", "0\xB0.23 W"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.format);
        ASSERT_TRUE(SaveAngleSettings(c.format, 3));
        ASSERT_TRUE(SaveGeographicalsSettings(c.format, 3, 'N', 'E'));
        CDeklinoDlg dlg;
        RunDialog(dlg, [&](CDeklinoDlg* d) {
            Type(d, c.latitude, c.longitude, "100000", "2027.5");
            ClickCalculate(d);
            EXPECT_EQ(ItemText(d, IDC_MV_DECLINATION), c.declination);
            EXPECT_EQ(ItemText(d, IDC_MV_GRID), "UTM zone 51 N");
        });
    }
}

// A date outside the model's validity is calculated, with a warning; and a place of weak
// horizontal field warns about the compass.
TEST(DeklinoDlgTest, WarnsOutsideTheModelAndWhereACompassFails)
{
    CDeklinoDlg dlg;
    RunDialog(dlg, [](CDeklinoDlg* d) {
        Type(d, "51 30.0N", "0 07.0W", "0", "1 Jun 2031");
        ClickCalculate(d);
        EXPECT_FALSE(ItemText(d, IDC_MV_DECLINATION).IsEmpty());
        EXPECT_EQ(ItemText(d, IDC_MV_WARNING),
                  "The date is outside the model's validity (1 Jan 2025 to 31 Dec 2029): the values are "
                  "extrapolated and may be in error.");
        const CMagneticModel model;
        const double year = CMagneticModel::DecimalYear(2031, 6, 1);
        EXPECT_NEAR(d->GetField().dDeclination,
                    model.Compute(51.5 * kDeg, -(7.0 / 60.0) * kDeg, 0.0, year).dDeclination, 1e-9);

        // One degree from the north pole (2025.0, 28 km, 89 N 121 W: H 1504.3 nT).
        Type(d, "89 00.0N", "121 00.0W", "28000", "2025.0");
        ClickCalculate(d);
        EXPECT_EQ(ItemText(d, IDC_MV_HORIZONTAL), "1504.3 nT");
        EXPECT_EQ(ItemText(d, IDC_MV_WARNING),
                  "The horizontal intensity is below 2000 nT: a magnetic compass is unreliable here.");
    });
}

// Each unusable value: a message naming it, its text kept, the results cleared, and the
// dialog still open for correcting it.
TEST(DeklinoDlgTest, UnusableValuesAreNamedAndKept)
{
    const struct
    {
        int item;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_MV_LATITUDE, "", "Please enter a latitude of 90\xB0 or less, north (N) or south (S)."},
        {IDC_MV_LATITUDE, "north", "Please enter a latitude of 90\xB0 or less, north (N) or south (S)."},
        {IDC_MV_LATITUDE, "95", "Please enter a latitude of 90\xB0 or less, north (N) or south (S)."},
        {IDC_MV_LATITUDE, "S 10 N", "Please enter a latitude of 90\xB0 or less, north (N) or south (S)."},
        {IDC_MV_LATITUDE, "95 00.0N", "Please enter a latitude of 90\xB0 or less, north (N) or south (S)."},
        {IDC_MV_LONGITUDE, "181 00.0E", "Please enter a longitude of 180\xB0 or less, east (E) or west (W)."},
        {IDC_MV_HEIGHT, "12 m", "Please enter a height between -1000 m and 850000 m above the ellipsoid."},
        {IDC_MV_HEIGHT, "900000", "Please enter a height between -1000 m and 850000 m above the ellipsoid."},
        {IDC_MV_DATE, "31/02/2026",
         "Please enter a date such as 10 Dec 2026, 2026-12-10, 10/12/2026 or the decimal year 2026.94."},
        {IDC_MV_DATE, "tomorrow",
         "Please enter a date such as 10 Dec 2026, 2026-12-10, 10/12/2026 or the decimal year 2026.94."},
        {IDC_MV_DATE, "1850.5",
         "Please enter a date such as 10 Dec 2026, 2026-12-10, 10/12/2026 or the decimal year 2026.94."},
    };
    CDeklinoDlg dlg;
    RunDialog(dlg, [&](CDeklinoDlg* d) {
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.text);
            Type(d, "51 30.0N", "0 07.0W", "10", "2026-12-10");
            ClickCalculate(d);
            ASSERT_FALSE(ItemText(d, IDC_MV_DECLINATION).IsEmpty());
            const MagneticFieldDef before = d->GetField();

            d->SetDlgItemText(c.item, c.text);
            ModalHook::AnswerMessageBox(IDOK);
            ClickCalculate(d);
            ASSERT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
            EXPECT_EQ(ModalHook::Shown().back().text, c.message);
            EXPECT_EQ(ItemText(d, c.item), c.text);
            EXPECT_EQ(ItemText(d, IDC_MV_DECLINATION), "");
            EXPECT_EQ(ItemText(d, IDC_MV_TOTAL), "");
            EXPECT_EQ(CWnd::GetFocus(), d->GetDlgItem(c.item));
            EXPECT_EQ(d->GetField().dDeclination, before.dDeclination);
        }
        // A position that is 0 is a real one.
        for (const char* zero : {"0", "0 00 N", "-0"})
        {
            Type(d, zero, zero, "10", "2026-12-10");
            ClickCalculate(d);
            EXPECT_FALSE(ItemText(d, IDC_MV_DECLINATION).IsEmpty()) << zero;
        }
        // Enter (the dialog's OK) calculates and keeps the dialog open.
        Type(d, "51 30.0N", "0 07.0W", "10", "2026-12-10");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        EXPECT_FALSE(ItemText(d, IDC_MV_DECLINATION).IsEmpty());
        EXPECT_TRUE(d->IsWindowVisible());
    });
}

TEST(DeklinoDlgTest, DatesAreReadInTheUsualForms)
{
    const struct
    {
        const char* text;
        double year;
    } good[] = {
        {"10 Dec 2026", CMagneticModel::DecimalYear(2026, 12, 10)},
        {" 2026-12-10 ", CMagneticModel::DecimalYear(2026, 12, 10)},
        {"10/12/2026", CMagneticModel::DecimalYear(2026, 12, 10)}, // day first
        {"29 Feb 2028", CMagneticModel::DecimalYear(2028, 2, 29)},
        {"2027.5", 2027.5},
    };
    for (const auto& c : good)
    {
        SCOPED_TRACE(c.text);
        double year = 0.0;
        ASSERT_TRUE(CDeklinoDlg::ParseDateText(c.text, year));
        EXPECT_DOUBLE_EQ(year, c.year);
    }
    for (const char* bad : {"", "29 Feb 2027", "2026-13-01", "2026", "2026.5.1", "12.5", "2250.0"})
    {
        SCOPED_TRACE(bad);
        double year = -1.0;
        EXPECT_FALSE(CDeklinoDlg::ParseDateText(bad, year));
    }
}

// The last position calculated comes back the next time; a file with an impossible position
// is not used.
TEST(DeklinoDlgTest, KeepsTheLastPosition)
{
    {
        CDeklinoDlg dlg;
        RunDialog(dlg, [](CDeklinoDlg* d) {
            Type(d, "57 09.0N", "2 05.5W", "85.5", "2026-06-01");
            ClickCalculate(d);
        });
    }
    CDeklinoDlg again;
    RunDialog(again, [](CDeklinoDlg* d) {
        EXPECT_EQ(ItemText(d, IDC_MV_LATITUDE),
                  FormatAngle(57.15 * kDeg, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE));
        EXPECT_EQ(ItemText(d, IDC_MV_LONGITUDE),
                  FormatAngle(-(2.0 + 5.5 / 60.0) * kDeg, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE));
        EXPECT_EQ(ItemText(d, IDC_MV_HEIGHT), "85.5");
        EXPECT_NEAR(d->GetLatitude(), 57.15 * kDeg, 1e-9);
    });

    CConfigFile file;
    ASSERT_TRUE(file.Open(file.GetSettingsFileName("Magnetic Variation"),
                          CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString("Latitude = 123.0\nLongitude = 2.0\nHeight = 0.0\n");
    file.Close();
    CDeklinoDlg edited;
    RunDialog(edited, [](CDeklinoDlg* d) { EXPECT_EQ(d->GetLatitude(), 0.0); });
}

// The splash names the model, closes on its own after its delay, and warns once the model
// has ended.
TEST(MagVarSplashDlgTest, NamesTheModelAndClosesByItself)
{
    CMagVarSplashDlg splash;
    splash.SetDate(COleDateTime(2026, 12, 10, 9, 0, 0));
    splash.SetDelay(30);
    std::map<int, CString> texts;
    ModalHook::AnswerDialog(IDD_MAGVAR_SPLASH, [&](CDialog* d) {
        for (int id : {IDC_SPLASH_MODEL, IDC_SPLASH_VALIDITY, IDC_SPLASH_WARNING})
            texts[id] = ItemText(d, id);
        return MODALHOOK_RUN_LOOP; // its own timer ends it
    });
    EXPECT_EQ(splash.DoModal(), IDOK);
    EXPECT_EQ(texts[IDC_SPLASH_MODEL], "World Magnetic Model WMM-2025");
    EXPECT_EQ(texts[IDC_SPLASH_VALIDITY], "Valid from 1 Jan 2025 to 31 Dec 2029");
    EXPECT_EQ(texts[IDC_SPLASH_WARNING], "");

    const struct
    {
        COleDateTime date;
        const char* warning;
    } dates[] = {
        {COleDateTime(2029, 12, 31, 23, 0, 0), ""},
        {COleDateTime(2030, 1, 1, 0, 0, 0),
         "The model ended on 31 Dec 2029: magnetic variation is extrapolated and may be in error. Put the "
         "current model's WMM.COF in the settings folder."},
        {COleDateTime(2024, 12, 31, 0, 0, 0),
         "Today's date is before the model's start on 1 Jan 2025: check the computer's clock."},
    };
    for (const auto& c : dates)
    {
        CMagVarSplashDlg dated;
        dated.SetDate(c.date);
        ModalHook::AnswerDialogOf<CMagVarSplashDlg>([&](CMagVarSplashDlg* d) {
            EXPECT_EQ(ItemText(d, IDC_SPLASH_WARNING), c.warning);
            return IDOK;
        });
        EXPECT_EQ(dated.DoModal(), IDOK);
    }
}

// Shown while a program starts: the start-up runs once the splash is on the screen, and the
// splash closes as soon as it is done, long before its delay; with a warning to read it stays
// its delay out. A splash that does not show (a test's answer) still lets the start-up run.
TEST(MagVarSplashDlgTest, ClosesAsSoonAsTheStartUpIsDone)
{
    CMagVarSplashDlg splash;
    splash.SetDate(COleDateTime(2026, 12, 10, 9, 0, 0));
    splash.SetDelay(60000);
    ModalHook::AnswerDialog(IDD_MAGVAR_SPLASH, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    int runs = 0;
    bool shownDuringWork = false;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(splash.DoModalWhile([&] {
        ++runs;
        shownDuringWork = splash.IsWindowVisible() != FALSE;
    }),
              IDOK);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(shownDuringWork);
    EXPECT_LT(clock.elapsed(), 5000);

    CMagVarSplashDlg warning;
    warning.SetDate(COleDateTime(2030, 6, 1, 0, 0, 0));
    warning.SetDelay(400);
    ModalHook::AnswerDialog(IDD_MAGVAR_SPLASH, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    runs = 0;
    clock.restart();
    EXPECT_EQ(warning.DoModalWhile([&] { ++runs; }), IDOK);
    EXPECT_EQ(runs, 1);
    EXPECT_GE(clock.elapsed(), 350);

    CMagVarSplashDlg answered;
    ModalHook::AnswerDialog(IDD_MAGVAR_SPLASH, [](CDialog*) { return IDOK; });
    runs = 0;
    EXPECT_EQ(answered.DoModalWhile([&] { ++runs; }), IDOK);
    EXPECT_EQ(runs, 1);
    PumpFor(20); // the splash's own message, posted before it went, finds nothing to run
    EXPECT_EQ(runs, 1);
}

TEST(MagVarSplashDlgTest, ClickClosesItAtOnce)
{
    CMagVarSplashDlg splash;
    splash.SetDelay(60000);
    ModalHook::AnswerDialog(IDD_MAGVAR_SPLASH, [](CDialog* d) {
        d->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
        return IDABORT; // not used: the click ended it
    });
    EXPECT_EQ(splash.DoModal(), IDOK);
}

// A coefficient file put in the settings folder replaces the built-in model in both dialogs;
// one that does not read as a model is passed over.
TEST(MagVarSplashDlgTest, AnInstalledModelFileTakesOver)
{
    InstallCof("    2030.0            WMM-2030     11/15/2029\n"
               "  1  0   -29300.0       0.0       10.0        0.0\n"
               "  1  1    -1400.0    4500.0        9.0      -20.0\n"
               "999999999999999999999999999999999999999999999999\n");
    CMagVarSplashDlg splash;
    splash.SetDate(COleDateTime(2031, 1, 1, 0, 0, 0));
    ModalHook::AnswerDialogOf<CMagVarSplashDlg>([](CMagVarSplashDlg* d) {
        EXPECT_EQ(ItemText(d, IDC_SPLASH_MODEL), "World Magnetic Model WMM-2030");
        EXPECT_EQ(ItemText(d, IDC_SPLASH_VALIDITY), "Valid from 1 Jan 2030 to 31 Dec 2034");
        EXPECT_EQ(ItemText(d, IDC_SPLASH_WARNING), "");
        return IDOK;
    });
    EXPECT_EQ(splash.DoModal(), IDOK);
    CDeklinoDlg dlg;
    RunDialog(dlg, [](CDeklinoDlg* d) { EXPECT_EQ(d->GetModel().GetDegree(), 1); });

    InstallCof("not a model\n");
    EXPECT_EQ(CMagneticModel::Installed().GetName(), "WMM-2025");
}
