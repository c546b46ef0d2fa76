// The speed-of-sound pane as a surveyor meets it, docked in the test host: the rows it shows on
// a first start, published check values typed in as a user types them, the modes an entry
// switches, the pressure units of the user's file, and the input it refuses.
#include "rov/SpeedOfSoundInWaterPane.h"

#include "acoustic/engine/SpeedOfSoundInWater.h"
#include "foundation/ConfigFile.h"
#include "foundation/PressureMode.h"
#include "foundation/SeawaterDensity.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/units/AngleProperty.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QWidget>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
const double kDegree = 3.14159265358979323846 / 180.0;
const int kPaneId = 7115;

void WriteSoundSettings(const char* name, const QByteArray& bytes)
{
    CConfigFile names;
    QFile f(LinuxPathFromWindows(names.GetSettingsFileName(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct SoundPaneFixture : ::testing::Test
{
    CWinApp app{"SpeedOfSoundPaneTest"};
    CTestHost host;
    CSpeedOfSoundInWaterPane pane;

    void SetUp() override { ASSERT_TRUE(host.CreateHost(900, 700)); }
    void Dock() { ASSERT_TRUE(host.Dock(pane, kPaneId)); }

    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
    CSpeedOfSoundInWater& Sv() { return pane.GetSpeedOfSound(); }
    CMFCPropertyGridProperty* Row(int index) { return Grid().GetProperty(0)->GetSubItem(index); }
    std::string Shown(int index) { return std::string(Grid().GetShownValue(Row(index))); }
    // The number a row shows, as a user reads it.
    double Read(int index) { return std::atof(Shown(index).c_str()); }
    void Edit(const char* row, const char* text) { ASSERT_TRUE(UserInput::EditGridRow(Grid(), row, text)) << row << ": " << text; }
};

TEST_F(SoundPaneFixture, FirstStartShowsTheGroupAndShelfWater)
{
    Dock();
    EXPECT_EQ(pane.m_strTitle, "Speed of Sound in Water");
    EXPECT_FALSE(Grid().IsHeaderCtrl());
    EXPECT_TRUE(Grid().IsDescriptionArea());
    EXPECT_TRUE(Grid().IsVSDotNetLook());
    EXPECT_TRUE(Grid().IsMarkModifiedProperties());
    EXPECT_EQ(Grid().GetColourScheme(), 1);
    ASSERT_EQ(Grid().GetPropertyCount(), 1);
    EXPECT_STREQ(Grid().GetProperty(0)->GetName(), "Location");

    const double bar = Sv().m_Current.PressureBar;
    CString pressure, density, speed;
    pressure.Format("%8.2lf Bar", bar);
    density.Format("%10.2lf kg/m\xB3", SeawaterDensity(5.0, 32.0));
    speed.Format("%8.2lf m/s", CSpeedOfSoundInWater::SpeedOfSound(0, 100.0, bar, bar / 0.980665, 5.0, 32.0, 1.0));
    struct ROW
    {
        const char* name;
        DWORD_PTR data;
        const char* description;
        std::string shown; // empty: not checked here
    };
    const std::vector<ROW> rows = {
        {"Latitude", 1, "Enter Latitude", ""},
        {"Geopotential Anomaly", 2, "Enter Geopotential Anomaly", "    0.00"},
        {"   ", 0, "", ""},
        {"Depth", 3, "Enter Water Depth", "  100.00 m"},
        {"Pressure Units", 4, nullptr, "bar"},
        {"Pressure", 5, "Enter Pressure", std::string(pressure)},
        {"   ", 0, "", ""},
        {"Temperature Units", 6, nullptr, "Celsius"},
        {"Temperature", 7, "Enter Water Temperature", ""},
        {"Density", 0, "", std::string(density)},
        {"   ", 0, "", ""},
        {"Salinity", 8, "Enter Salinity of Sea Water", "   32.00 ppt"},
        {"Conductivity", 9, "Enter Conductivity", ""},
        {"   ", 0, "", ""},
        {"Formula", 10, "Formula used to calculate the speed of sound in water", "Chen & Millero (1977)"},
        {"Speed of Sound in Water", 0, nullptr, std::string(speed)},
    };
    ASSERT_EQ(Grid().GetProperty(0)->GetSubItemsCount(), static_cast<int>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
    {
        CMFCPropertyGridProperty* item = Row(static_cast<int>(i));
        EXPECT_STREQ(item->GetName(), rows[i].name) << i;
        EXPECT_EQ(item->GetData(), rows[i].data) << i;
        if (rows[i].description != nullptr)
        {
            EXPECT_EQ(item->GetDescription(), rows[i].description) << i;
        }
        if (!rows[i].shown.empty())
        {
            EXPECT_EQ(Shown(static_cast<int>(i)), rows[i].shown) << rows[i].name;
        }
    }
    EXPECT_NE(dynamic_cast<CMFCPropertyGridAngleProperty*>(Row(0)), nullptr);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        EXPECT_FALSE(Grid().IsShownBold(Row(i))) << "nothing is marked changed before the user changes it: " << i;
    EXPECT_NE(Shown(8).find("5.0"), std::string::npos) << Shown(8);
    EXPECT_NEAR(Sv().m_Latitude, 1.0, 0.0);
    EXPECT_NEAR(CSpeedOfSoundInWater::DepthFromPressure(10.0 * bar, 1.0, 0.0), 100.0, 1e-5);
    EXPECT_NEAR(CSpeedOfSoundInWater::SalinityFromConductivity(Read(12), 5.0, bar), 32.0, 1e-3);
    // Values the user cannot type stay read-only, the spacers too.
    for (int index : {2, 9, 15})
        EXPECT_EQ(UserInput::OpenGridEditor(Grid(), Row(index)->GetName()), nullptr) << index;
    EXPECT_EQ(Row(14)->GetOptionCount(), SOUND_SPEED_FORMULA_COUNT);
    EXPECT_STREQ(Row(14)->GetOption(5), "Wilson (October 1960) ");
    EXPECT_FALSE(Row(14)->IsAllowEdit());
}

// Published check values of the 1983 UNESCO algorithms (Fofonoff and Millard, UNESCO Technical
// Papers in Marine Science 44), of the 1981 equation of state and of Mackenzie's equation,
// each typed into the pane and read back from its rows to the digits the publication gives.
TEST_F(SoundPaneFixture, PublishedCheckValuesTypedByTheUser)
{
    Dock();
    // Depth of 10 000 dbar at 30 degrees: the pressure entered, the depth derived.
    Edit("Latitude", "30 N");
    Edit("Pressure", "1000");
    EXPECT_NEAR(Sv().m_Current.Depth, 9712.653, 5e-4);
    EXPECT_EQ(Shown(3), " 9712.65 m");

    // Practical salinity at a conductivity ratio of 1.888091, 40 degrees, 10 000 dbar.
    Edit("Temperature", "40");
    Edit("Conductivity", "1.888091");
    EXPECT_NEAR(Sv().m_Current.Salinity, 40.0000, 5e-5);
    EXPECT_EQ(Shown(11), "   40.00 ppt");

    // Chen and Millero at salinity 40, 40 degrees, 10 000 dbar.
    Edit("Salinity", "40");
    EXPECT_NEAR(Sv().m_Current.SpeedOfSound, 1731.995, 5e-4);
    EXPECT_NEAR(Read(15), 1731.995, 0.005 + 1e-9);

    // Density at salinity 35, 5 degrees, one atmosphere.
    Edit("Temperature", "5");
    Edit("Salinity", "35");
    EXPECT_EQ(Shown(9), "   1027.68 kg/m\xB3");

    // Mackenzie at 25 degrees, salinity 35, 1000 m.
    ASSERT_TRUE(UserInput::PickInGrid(Grid(), "Formula", "MacKenzie (1981)"));
    Pump();
    EXPECT_EQ(Sv().m_Formula, SOUND_SPEED_MACKENZIE);
    Edit("Depth", "1000");
    Edit("Temperature", "25");
    EXPECT_NEAR(Sv().m_Current.SpeedOfSound, 1550.744, 5e-4);
    EXPECT_NEAR(Read(15), 1550.744, 0.005 + 1e-9);
}

// The quantity the user typed last is the one kept; the other is derived from it, also when
// the latitude changes under it (from the user or from the host's position).
TEST_F(SoundPaneFixture, AnEntryDecidesWhetherDepthOrPressureIsDerived)
{
    Dock();
    Edit("Pressure", "50");
    EXPECT_EQ(Sv().m_PressureMode, 1);
    const double depthAt1 = Sv().m_Current.Depth;
    EXPECT_NEAR(CSpeedOfSoundInWater::PressureFromDepth(depthAt1, 1.0, 0.0), 50.0, 1e-5);

    Edit("Latitude", "10 N");
    EXPECT_EQ(Sv().m_Current.PressureBar, 50.0) << "the typed pressure stays";
    EXPECT_NEAR(CSpeedOfSoundInWater::PressureFromDepth(Sv().m_Current.Depth, 10 * kDegree, 0.0), 50.0, 1e-5);
    EXPECT_GT(Sv().m_Current.Depth, depthAt1) << "weaker gravity: deeper for the same pressure";

    Edit("Depth", "200");
    EXPECT_EQ(Sv().m_PressureMode, 0);
    const double barAt10 = Sv().m_Current.PressureBar;
    pane.SetGeog(tagXY{0.1, 80 * kDegree});
    Pump();
    EXPECT_EQ(Sv().m_Current.Depth, 200.0) << "the typed depth stays";
    EXPECT_NEAR(Sv().m_Latitude, 80 * kDegree, 1e-15);
    EXPECT_GT(Sv().m_Current.PressureBar, barAt10);
    EXPECT_NEAR(CSpeedOfSoundInWater::PressureFromDepth(200.0, 80 * kDegree, 0.0), Sv().m_Current.PressureBar, 1e-12);
    CString shown;
    shown.Format("%8.2lf Bar", Sv().m_Current.PressureBar);
    EXPECT_EQ(Shown(5), std::string(shown));

    // A host without a position changes nothing.
    pane.SetGeog(tagXY{DBL_MAX, DBL_MAX});
    pane.SetLatitude(std::nan(""));
    pane.SetLatitude(2.0);
    EXPECT_NEAR(Sv().m_Latitude, 80 * kDegree, 1e-15);
}

TEST_F(SoundPaneFixture, FormulasWithoutPressureGreyOutItsRows)
{
    Dock();
    for (int formula : {2, 1, 3, 0, 4, 5, 6, 7})
    {
        ASSERT_TRUE(UserInput::PickInGrid(Grid(), "Formula", CSpeedOfSoundInWater::FormulaNames[formula])) << formula;
        Pump();
        EXPECT_EQ(Sv().m_Formula, formula);
        const bool used = formula == 0 || formula == 1 || formula == 5;
        for (int row : {0, 1, 5})
            EXPECT_EQ(Grid().IsShownEnabled(Row(row)) != FALSE, used) << "formula " << formula << ", row " << row;
        EXPECT_NEAR(Read(15),
                    CSpeedOfSoundInWater::SpeedOfSound(formula, 100.0, Sv().m_Current.PressureBar,
                                                       Sv().m_Current.PressureKg, 5.0, 32.0, 1.0),
                    0.005 + 1e-9)
            << formula;
    }
}

// The user's pressure unit is read at every use: 0 is bar, any other whole number kg/cm², for
// showing and for taking a typed value alike.
TEST_F(SoundPaneFixture, PressureUnitsShowAndTakeTheUsersUnit)
{
    Dock();
    struct UNITS
    {
        QByteArray file;
        bool kg;
    };
    for (const UNITS& u : std::vector<UNITS>{{"Pressure Mode = 1\r\n", true},
                                             {"Pressure Mode = 2\r\n", true},
                                             {"Pressure Mode = 0\r\n", false}})
    {
        WriteSoundSettings("Pressure Mode", u.file);
        pane.Update();
        Pump();
        EXPECT_NE(Shown(5).find(u.kg ? " Kg/Cm" : " Bar"), std::string::npos) << u.file.constData() << Shown(5);
        Edit("Pressure", "20");
        const ThermoclineDef& c = Sv().m_Current;
        EXPECT_EQ(u.kg ? c.PressureKg : c.PressureBar, 20.0) << u.file.constData();
        EXPECT_NEAR(c.PressureBar, u.kg ? 20 * 0.980665 : 20.0, 1e-12) << u.file.constData();
        EXPECT_NEAR(CSpeedOfSoundInWater::PressureFromDepth(c.Depth, 1.0, 0.0), c.PressureBar, 1e-5);
        EXPECT_EQ(Shown(5), u.kg ? "   20.00 Kg/Cm" : "   20.00 Bar") << u.file.constData();
    }
    // The unit chosen in the grid is the file's, and the pressure row follows it at once.
    ASSERT_TRUE(UserInput::PickInGrid(Grid(), "Pressure Units", "kg/cm\xC2\xB2"));
    Pump();
    EXPECT_EQ(LoadPressureMode(), PRESSURE_KG_PER_CM2);
    CString shown;
    shown.Format("%8.2lf Kg/Cm", 20.0 / 0.980665);
    EXPECT_EQ(Shown(5), std::string(shown));
}

TEST_F(SoundPaneFixture, RefusedInputKeepsTheValueAndComputesNothing)
{
    Dock();
    const ThermoclineDef before = Sv().m_Current;
    const double latitude = Sv().m_Latitude;
    struct BAD
    {
        const char* row;
        int index;
        const char* text;
        const char* why; // the item's note, when it refused the text itself
    };
    for (const BAD& bad : std::vector<BAD>{{"Depth", 3, "-5", "cannot be negative"},
                                           {"Pressure", 5, "-0.5", "cannot be negative"},
                                           {"Salinity", 11, "-1", "cannot be negative"},
                                           {"Conductivity", 12, "-0.2", "cannot be negative"},
                                           {"Latitude", 0, "95 N", "beyond 90"},
                                           // a depth no sea has: no pressure can be found for it
                                           {"Depth", 3, "1e12", nullptr}})
    {
        const std::string shown = Shown(0) + Shown(3) + Shown(5) + Shown(11) + Shown(12) + Shown(15);
        Edit(bad.row, bad.text);
        EXPECT_EQ(Shown(0) + Shown(3) + Shown(5) + Shown(11) + Shown(12) + Shown(15), shown) << bad.text;
        EXPECT_EQ(Sv().m_Current.Depth, before.Depth) << bad.text;
        EXPECT_EQ(Sv().m_Current.PressureBar, before.PressureBar) << bad.text;
        EXPECT_EQ(Sv().m_Current.Salinity, before.Salinity) << bad.text;
        EXPECT_EQ(Sv().m_Current.ConductivityRatio, before.ConductivityRatio) << bad.text;
        EXPECT_EQ(Sv().m_PressureMode, 0) << bad.text;
        EXPECT_EQ(Sv().m_SalinityMode, 0) << bad.text;
        EXPECT_EQ(Sv().m_Latitude, latitude) << bad.text;
        if (bad.why != nullptr)
        {
            const std::string note(Row(bad.index)->GetDescription());
            EXPECT_NE(note.find(std::string("\"") + bad.text + "\" was refused"), std::string::npos) << note;
            EXPECT_NE(note.find(bad.why), std::string::npos) << note;
        }
    }
    // A formula name that is not among the options is not taken.
    EXPECT_FALSE(Grid().EditProperty(Row(14), "Chen & Millero"));
    EXPECT_EQ(Sv().m_Formula, 0);
}

// The settings as they are found: read in their order, damaged lines at their defaults, an
// unknown formula shown as none (no speed), huge files read in bounded time and left alone.
TEST_F(SoundPaneFixture, SettingsFilesAsFound)
{
    // A golden file with a distinct value on every line.
    WriteSoundSettings("SpeedOfSoundInWater", "Formula = 1\r\nPressure Mode = 1\r\nSalinity Mode = 1\r\n"
                                         "Geopotential Anomaly = 3.25\r\nLatitude = 0.5\r\nProfile Name = Cast 7\r\n");
    {
        CSpeedOfSoundInWaterPane golden;
        ASSERT_TRUE(host.Dock(golden, kPaneId));
        EXPECT_EQ(golden.GetSpeedOfSound().m_Formula, 1);
        EXPECT_EQ(golden.GetSpeedOfSound().m_GeopotentialAnomaly, 3.25);
        EXPECT_EQ(golden.GetSpeedOfSound().m_Latitude, 0.5);
        EXPECT_EQ(golden.GetSpeedOfSound().m_ProfileName, "Cast 7");
        EXPECT_EQ(std::string(golden.GetPropertyGrid().GetShownValue(golden.GetPropertyGrid().FindItemByData(10))),
                  "Del Grosso (1974)");
        EXPECT_EQ(std::string(golden.GetPropertyGrid().GetShownValue(golden.GetPropertyGrid().FindItemByData(2))),
                  "    3.25");
        golden.DestroyWindow();
    }

    struct FILES
    {
        const char* what;
        QByteArray settings;
        QByteArray pressureMode;
        int formula;
        double latitude;
        bool kg;
    };
    const std::vector<FILES> files = {
        {"short", "Formula = 2\r\n", "", 2, 1.0, false},
        {"not numbers", "Formula = x\r\nPressure Mode = 1\r\nSalinity Mode = 0\r\nGeopotential Anomaly = inf\r\n"
                        "Latitude = nan\r\n",
         "Pressure Mode = kg\r\n", 0, 1.0, false},
        {"unknown formula", "Formula = 9\r\n", "Pressure Mode = 1\r\n", 9, 1.0, true},
    };
    for (const FILES& f : files)
    {
        WriteSoundSettings("SpeedOfSoundInWater", f.settings);
        WriteSoundSettings("Pressure Mode", f.pressureMode);
        CSpeedOfSoundInWaterPane found;
        ASSERT_TRUE(host.Dock(found, kPaneId)) << f.what;
        CMFCPropertyGridCtrl& grid = found.GetPropertyGrid();
        EXPECT_EQ(found.GetSpeedOfSound().m_Formula, f.formula) << f.what;
        EXPECT_EQ(found.GetSpeedOfSound().m_Latitude, f.latitude) << f.what;
        EXPECT_EQ(found.GetSpeedOfSound().m_GeopotentialAnomaly, 0.0) << f.what;
        const CString pressure = grid.GetShownValue(grid.FindItemByData(5));
        EXPECT_EQ(pressure.Find(f.kg ? "Kg/Cm" : "Bar") >= 0, true) << f.what << ": " << pressure.GetString();
        const bool known = f.formula >= 0 && f.formula < SOUND_SPEED_FORMULA_COUNT;
        EXPECT_EQ(std::string(grid.GetShownValue(grid.FindItemByData(10))),
                  known ? CSpeedOfSoundInWater::FormulaNames[f.formula] : "")
            << f.what;
        found.Update();
        const double speed = std::atof(grid.GetShownValue(grid.GetProperty(0)->GetSubItem(15)));
        EXPECT_EQ(speed > 1400.0, known) << f.what;
        found.DestroyWindow();
    }

    // One line of 10 MB, and a file of 100 MB: the readers take their lines and stop.
    QByteArray line(10 * 1024 * 1024, '7');
    line.prepend("Formula = ");
    QByteArray big = "Formula = 3\r\n";
    big.append(QByteArray(100 * 1024 * 1024, 'x'));
    for (const QByteArray* bytes : {&line, &big})
    {
        WriteSoundSettings("SpeedOfSoundInWater", *bytes);
        WriteSoundSettings("Pressure Mode", *bytes);
        CSpeedOfSoundInWaterPane huge;
        ASSERT_TRUE(host.Dock(huge, kPaneId));
        EXPECT_EQ(huge.GetSpeedOfSound().m_Formula, bytes == &big ? 3 : 0);
        EXPECT_EQ(huge.GetSpeedOfSound().m_Latitude, 1.0);
        huge.DestroyWindow();
        CConfigFile names;
        EXPECT_EQ(QFile(LinuxPathFromWindows(names.GetSettingsFileName("SpeedOfSoundInWater"))).size(), bytes->size())
            << "the read writes nothing";
    }
}

TEST_F(SoundPaneFixture, DockedInTheHostFrameByDayAndByNight)
{
    Dock();
    QDir().mkpath(SUITE_VISUAL_DIR);
    for (bool night : {false, true})
    {
        if (night)
            host.Night(pane);
        else
            host.Day(pane);
        FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Speed of Sound in Water", &pane}}, {},
                                            QString(SUITE_VISUAL_DIR) + (night ? "/sound_speed_night.png"
                                                                               : "/sound_speed_day.png"));
        const FrameProbe::GridRowsSeen seen = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(&host), &pane);
        EXPECT_EQ(seen.wholeRows, 17) << (night ? "night" : "day") << ": the group and its sixteen rows";
        EXPECT_TRUE(seen.cutNames.empty()) << (seen.cutNames.empty() ? "" : seen.cutNames.front());
    }
}
} // namespace
