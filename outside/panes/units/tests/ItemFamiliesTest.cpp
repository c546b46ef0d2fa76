// The grid items of the sensor, survey and calibration panes, family by family, as a user
// sees and edits them: what each shows when made and after SetValue, what an edit made with
// the mouse and keys gives (the value, and exactly one change notification to the owner),
// and what a refused text leaves (the old value and text, no notification).
#include "outside/panes/GroupProperty.h"
#include "outside/panes/MyMFCPropertyGridCtrl.h"
#include "outside/panes/PropertyGridButton.h"
#include "outside/panes/PropertyGridColours.h"
#include "outside/panes/PropertyGridDualButton.h"
#include "outside/panes/PropertyGridDualDisplay.h"
#include "outside/panes/PropertyGridInteger.h"
#include "outside/panes/PropertyGridItems.h"
#include "outside/panes/PropertyGridScrollbar.h"
#include "outside/panes/PropertyGridSelectFile.h"
#include "outside/panes/IconSelect.h"
#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/AngleProperty.h"
#include "outside/panes/units/LatLonDisplay.h"
#include "outside/panes/units/MetricProperty.h"
#include "outside/panes/units/PressureModeProperty.h"
#include "outside/panes/units/ToleranceProperty.h"

#include "foundation/AngleFormat.h"
#include "foundation/PressureMode.h"
#include "platform/core/Path.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/ResourceProbe.h"
#include "testsupport/UserInput.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr double kDegreeRad = 0.017453292519943;

// The pane that owns the grid: it hears the grid's change notifications.
class CListeningOwner : public CWnd
{
public:
    std::vector<CMFCPropertyGridProperty*> changed;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == AFX_WM_PROPERTY_CHANGED)
        {
            changed.push_back(reinterpret_cast<CMFCPropertyGridProperty*>(lParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

struct ItemsFixture : ::testing::Test
{
    CListeningOwner owner;
    CMyMFCPropertyGridCtrl grid;
    CMFCPropertyGridProperty* group = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(SaveAngleSettings(ANGLE_FORMAT_DEGREES, 0));
        ASSERT_TRUE(SaveGeographicalsSettings(ANGLE_FORMAT_DEGREES, 2, 'N', 'E'));
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Pane", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 520),
                                   nullptr, 0));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 500), &owner, 1));
        group = new CMFCPropertyGridProperty("Items");
        grid.AddProperty(group);
        Pump();
    }
    template <class T> T* Add(T* item)
    {
        group->AddSubItem(item);
        grid.AdjustLayout();
        Pump();
        return item;
    }
    QString Shown(const CMFCPropertyGridProperty* item) { return SeeGridItem(grid, item).value; }
};

struct EDIT_CASE
{
    const char* family;
    std::function<CMFCPropertyGridProperty*()> make; // named "Row"
    QString made;                                    // shown when made
    std::function<void(CMFCPropertyGridProperty*)> setValue;
    QString set;                                     // shown after setValue
    QString typed;                                   // typed or picked by the user
    QString edited;                                  // shown after the edit
    std::function<bool(CMFCPropertyGridProperty*)> holds; // the value the edit gave
    QString refused;                                 // a text the item refuses
};
} // namespace

TEST_F(ItemsFixture, ValueItemsShowSetAndTakeAUsersEditWithOneNotification)
{
    ASSERT_TRUE(SavePressureMode(PRESSURE_BAR));
    const QString folder = LinuxPathFromWindows("C:\\Fixes\\");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const char* name : {"North.tfx", "east.TFX", "notes.txt"})
    {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const EDIT_CASE cases[] = {
        {"double", [] { return new CMFCPropertyGridDouble("Row", 12.5, "%8.2lf m", "Depth", 3); },
         "   12.50 m", [](auto* p) { static_cast<CMFCPropertyGridDouble*>(p)->SetValue(7.25); }, "    7.25 m",
         "61.5", "   61.50 m", [](auto* p) { return static_cast<CMFCPropertyGridDouble*>(p)->GetDouble() == 61.5; },
         "nan"},
        {"integer with a unit",
         [] {
             auto* p = new CMFCPropertyGridInteger("Row", 30, "Interval", 4);
             p->SetUnitStr(" s");
             return p;
         },
         "30 s", [](auto* p) { static_cast<CMFCPropertyGridInteger*>(p)->SetInteger(45); }, "45 s", "60 s", "60 s",
         [](auto* p) { return static_cast<CMFCPropertyGridInteger*>(p)->GetInteger() == 60; }, "sixty"},
        {"integer with spin buttons",
         [] {
             auto* p = new CMFCPropertyGridInteger("Row", 3, "Legs", 2);
             p->EnableSpinControl(TRUE, 3, 4);
             return p;
         },
         "3", [](auto* p) { static_cast<CMFCPropertyGridInteger*>(p)->SetInteger(3); }, "3", "4", "4",
         [](auto* p) { return static_cast<CMFCPropertyGridInteger*>(p)->GetInteger() == 4; }, "5"},
        {"latitude", [] { return new CMFCPropertyGridAngleProperty("Row", 51.5 * kDegreeRad, ANGLE_LATITUDE, "Lat", 5); },
         "51\u00B0.50N", [](auto* p) { static_cast<CMFCPropertyGridAngleProperty*>(p)->SetValue(-10.25 * kDegreeRad); },
         "10\u00B0.25S", "0 00 N", "00\u00B0.00N",
         [](auto* p) { return static_cast<CMFCPropertyGridAngleProperty*>(p)->GetAngle() == 0.0; }, "95"},
        {"direction in degrees", [] { return new CMFCPropertyGridAngleDouble("Row", 45.0, 2, "Dir", 6); },
         "045\u00B0", [](auto* p) { static_cast<CMFCPropertyGridAngleDouble*>(p)->SetAngle(359.0); }, "359\u00B0",
         "370", "010\u00B0",
         [](auto* p) { return std::abs(static_cast<CMFCPropertyGridAngleDouble*>(p)->GetAngle() - 10.0) < 1e-9; },
         "north"},
        {"bearing in radians", [] { return new CMFCPropertyGridAngleDouble("Row", 0.5, 1, "Brg", 7); },
         "029\u00B0", [](auto* p) { static_cast<CMFCPropertyGridAngleDouble*>(p)->SetAngle(3.14159265358979); },
         "180\u00B0", "90", "090\u00B0",
         [](auto* p) { return std::abs(static_cast<CMFCPropertyGridAngleDouble*>(p)->GetAngle() - 90 * kDegreeRad) < 1e-9; },
         ""},
        {"metric", [] { return new CMFCPropertyGridMetricProperty("Row", 500000.0, METRIC_COORDINATE, 0, "E", 8); },
         "500000.00m", [](auto* p) { static_cast<CMFCPropertyGridMetricProperty*>(p)->SetValue(1.5); }, "1.50m",
         "250.25", "250.25m",
         [](auto* p) { return static_cast<CMFCPropertyGridMetricProperty*>(p)->GetMetres() == 250.25; }, "inf"},
        {"pressure unit", [] { return new CMFCPropertyGridPressureModeProperty(9, "Row"); }, "bar",
         [](auto* p) { static_cast<CMFCPropertyGridPressureModeProperty*>(p)->SetChoice(1); }, "kg/cm\u00B2", "bar",
         "bar",
         [](auto* p) {
             return static_cast<CMFCPropertyGridPressureModeProperty*>(p)->GetChoice() == 0 &&
                    LoadPressureMode() == PRESSURE_BAR;
         },
         "psi"},
        {"file", [] { return new CMFCPropertyGridSelectFileProperty("Row", "North", "C:\\Fixes", "Transit Fix Files(*.tfx)|*.tfx||", "Fix", 10); },
         "North", [](auto* p) { p->SetValue(COleVariant("east")); }, "east", "North", "North",
         [](auto* p) {
             return static_cast<CMFCPropertyGridSelectFileProperty*>(p)->GetFilePath() == "C:\\Fixes\\North.tfx";
         },
         "notes"},
    };
    for (const EDIT_CASE& c : cases)
    {
        SCOPED_TRACE(c.family);
        grid.RemoveAll();
        group = new CMFCPropertyGridProperty("Items");
        grid.AddProperty(group);
        CMFCPropertyGridProperty* item = Add(c.make());
        EXPECT_EQ(Shown(item), c.made);
        c.setValue(item);
        Pump();
        EXPECT_EQ(Shown(item), c.set);

        owner.changed.clear();
        ASSERT_TRUE(UserInput::EditGridRow(grid, "Row", c.typed));
        EXPECT_EQ(Shown(item), c.edited);
        EXPECT_TRUE(c.holds(item));
        EXPECT_EQ(owner.changed, std::vector<CMFCPropertyGridProperty*>{item});

        // The refused text: through the grid's edit path (a list offers no such choice).
        owner.changed.clear();
        const COleVariant before = item->GetValue();
        ModalHook::AnswerMessageBox(IDOK);
        EXPECT_FALSE(grid.EditProperty(item, c.refused.toLatin1().constData()));
        Pump();
        EXPECT_EQ(item->GetValue(), before);
        EXPECT_EQ(Shown(item), c.edited);
        EXPECT_TRUE(owner.changed.empty());
        ModalHook::Reset();
    }
}

TEST_F(ItemsFixture, GroupMarksASilentDeviceAndAFreshRefreshInTurn)
{
    grid.RemoveAll();
    grid.AddProperty(new CMFCPropertyGridProperty("Other"));
    auto* usbl = new CMFCGroupPropertyGridProperty("Transponder : A", 1);
    usbl->AddSubItem(new CMFCPropertyGridDouble("Range", 10.0));
    grid.AddProperty(usbl);
    Pump();
    enum MARK
    {
        NONE,
        SILENT,
        LIT
    };
    const struct
    {
        const char* step;
        std::function<bool()> run; // what the step returns (false when it returns nothing)
        bool returns;
        MARK mark;
    } steps[] = {
        {"Timeout(true)", [&] { usbl->Timeout(true); return false; }, false, SILENT},
        {"Trigger()", [&] { return usbl->Trigger(); }, true, LIT},
        {"Trigger() again", [&] { return usbl->Trigger(); }, false, LIT},
        {"Clear()", [&] { usbl->Clear(); return false; }, false, NONE},
        {"grid Trigger(1)", [&] { return grid.Trigger(1); }, true, LIT},
        {"grid Trigger(1) again", [&] { return grid.Trigger(1); }, false, LIT},
        {"Clear() again", [&] { usbl->Clear(); return false; }, false, NONE},
        {"Timeout(true) again", [&] { usbl->Timeout(true); return false; }, false, SILENT},
        {"Timeout(false)", [&] { usbl->Timeout(false); return false; }, false, NONE},
        {"grid Trigger(0), a plain group", [&] { return grid.Trigger(0); }, false, NONE},
        {"grid Trigger(7), no group", [&] { return grid.Trigger(7); }, false, NONE},
    };
    for (const auto& s : steps)
    {
        SCOPED_TRACE(s.step);
        EXPECT_EQ(s.run(), s.returns);
        EXPECT_EQ(usbl->IsTimedOut(), s.mark == SILENT);
        EXPECT_EQ(usbl->IsHighlighted(), s.mark == LIT);
        const GRID_ITEM_SEEN seen = SeeGridItem(grid, usbl);
        const QColor back = s.mark == SILENT ? ColourOfRef(PANES_TIMEOUT_BACK) : (s.mark == LIT ? ColourOfRef(PANES_HIGHLIGHT_BACK) : ColourOfRef(0xEBEBEB));
        EXPECT_EQ(seen.nameBack, back);
        EXPECT_GT(GridItemNamePixels(grid, usbl, back), 50);
    }
    EXPECT_EQ(grid.GetTriggered(), -1);

    // A rebuild makes the groups anew: no mark survives it.
    usbl->Timeout(true);
    grid.RemoveAll();
    auto* rebuilt = new CMFCGroupPropertyGridProperty("Transponder : A", 0);
    grid.AddProperty(rebuilt);
    EXPECT_FALSE(rebuilt->IsTimedOut());
    EXPECT_EQ(SeeGridItem(grid, rebuilt).nameBack, ColourOfRef(0xEBEBEB));
}

TEST_F(ItemsFixture, DisplayItemsShowTheirValuesAndWarnOutOfLimits)
{
    auto* two = Add(new CMFCPropertyGridDualDisplay("Easting", 500000.0, "%12.3lf", "E", "Northing", 6000000.0,
                                                    "%12.3lf", "N", nullptr, 11));
    auto* mixed = Add(new CMFCPropertyGridDualDisplay("Satellites", 7.6, "%d", "", "Fix Mode", 0.0, "%s", ""));
    auto* one = Add(new CMFCPropertyGridDualDisplay("RMS", 1.234, "%7.2lf", "m"));
    auto* position = Add(new CMFCPropertyGridLatLonDisplay(51.5 * kDegreeRad, -0.125 * kDegreeRad));
    auto* title = Add(new CMFCPropertyGridTitleProperty("Fix 1"));
    auto* titles = Add(new CMFCPropertyGridTitleProperty("Measured", "Observed"));
    auto* bar = Add(new CMFCPropertyGridScrollbar("1", 30, 120, false));
    auto* range = Add(new CMFCPropertyGridTolerance("Range", 0.0, "%8.3lfm"));
    auto* heading = Add(new CMFCPropertyGridTolerance("Gyro", 0.0, "%6.2lf\xB0G"));

    const struct
    {
        CMFCPropertyGridProperty* item;
        std::function<void()> set;
        QString shown;
    } cases[] = {
        {two, [] {}, "  500000.000E | Northing  6000000.000N"},
        {two, [&] { two->SetValue(1.5); }, "       1.500E | Northing  6000000.000N"},
        {two, [&] { two->SetValue(2.0, 3.0); }, "       2.000E | Northing        3.000N"},
        {two, [&] { two->SetName("X", "Y"); }, "       2.000E | Y        3.000N"},
        {two, [&] { two->SetInUse(2, false); }, "       2.000E | Y "},
        {mixed, [&] { mixed->SetText(2, "RTK"); }, "8 | Fix Mode RTK"},
        {one, [] {}, "   1.23m"},
        {one, [&] { one->SetValue(-0.5); }, "  -0.50m"},
        {position, [] {}, "51\u00B0.50N | Longitude 000\u00B0.13W"},
        {position, [&] { position->SetValue(-33.75 * kDegreeRad, 151.25 * kDegreeRad); }, "33\u00B0.75S | Longitude 151\u00B0.25E"},
        {title, [] {}, ""},
        {titles, [] {}, "Observed"},
        {bar, [] {}, "30"},
        {bar, [&] { bar->SetValue(90); }, "90"},
        {range, [&] { range->SetValue(2.5, 3.0); }, "   2.500m"},
        {heading, [&] { heading->SetAngle(359.0, 1.0, 3.0); }, "359.00\u00B0G"},
    };
    for (const auto& c : cases)
    {
        c.set();
        Pump();
        const GRID_ITEM_SEEN seen = SeeGridItem(grid, c.item);
        EXPECT_EQ(seen.value, c.shown) << c.item->GetName();
        EXPECT_FALSE(seen.editable) << c.item->GetName();
    }
    EXPECT_EQ(SeeGridItem(grid, two).name, "X");
    EXPECT_EQ(SeeGridItem(grid, title).name, "Fix 1");
    EXPECT_TRUE(title->IsFullRow());
    EXPECT_FALSE(titles->IsFullRow());
    EXPECT_DOUBLE_EQ(bar->GetFilledShare(), 0.75);
    EXPECT_EQ(grid.FindItemByData(11), two);
    // No click edits a display.
    owner.changed.clear();
    EXPECT_EQ(UserInput::OpenGridEditor(grid, "RMS"), nullptr);
    EXPECT_TRUE(owner.changed.empty());

    // Pictures in front of the values, from the pane's image list.
    CImageList images;
    ASSERT_TRUE(images.Create(8, 8, ILC_COLOR32, 2, 0));
    for (QColor colour : {QColor(0, 200, 0), QColor(0, 0, 200)})
    {
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(colour);
        images.Add(image);
    }
    EXPECT_EQ(GridItemValuePixels(grid, two, QColor(0, 200, 0)), 0);
    two->SetImageList(&images);
    EXPECT_EQ(GridItemValuePixels(grid, two, QColor(0, 200, 0)), 64);
    EXPECT_EQ(GridItemValuePixels(grid, two, QColor(0, 0, 200)), 64);
    two->SetImageList(nullptr);

    // Out of limits, out of tolerance: the warning colour, and back.
    const QColor warning = ColourOfRef(PANES_WARNING_BACK);
    EXPECT_EQ(GridItemValuePixels(grid, one, warning), 0);
    one->SetInLimits(1, false);
    EXPECT_GT(GridItemValuePixels(grid, one, warning), 100);
    EXPECT_FALSE(one->IsInLimits(1));
    one->SetInLimits(1, true);
    EXPECT_EQ(GridItemValuePixels(grid, one, warning), 0);

    EXPECT_TRUE(heading->IsWithin());
    EXPECT_TRUE(range->IsWithin());
    EXPECT_EQ(SeeGridItem(grid, range).valueBack, ColourOfRef(0xFFFFFF));
    range->SetValue(10.1, 10.0);
    EXPECT_FALSE(range->IsWithin());
    EXPECT_EQ(SeeGridItem(grid, range).valueBack, warning);
    EXPECT_GT(GridItemValuePixels(grid, range, warning), 100);
}

TEST(Tolerance, ValuesAndWrappedAnglesAgainstTheTolerance)
{
    const double nan = std::nan("");
    const struct
    {
        double measured, wanted, tolerance;
        bool within;
    } angles[] = {{359.0, 1.0, 3.0, true},  {1.0, 359.0, 2.0, true},    {10.0, 14.0, 3.0, false},
                  {180.0, -180.0, 0.0, true}, {90.0, 270.0, 179.0, false}, {nan, 0.0, 3.0, false},
                  {0.0, 0.0, nan, false},     {725.0, 4.0, 1.0, true}};
    CMFCPropertyGridTolerance item("Heading", 0.0, "%6.2lf");
    for (const auto& a : angles)
    {
        item.SetAngle(a.measured, a.wanted, a.tolerance);
        EXPECT_EQ(item.IsWithin(), a.within) << a.measured << " against " << a.wanted << " within " << a.tolerance;
    }
    const struct
    {
        double value, tolerance;
        bool within;
    } values[] = {{10.1, 10.0, false}, {-10.0, 10.0, true}, {-10.1, 10.0, false}, {0.0, 0.0, true},
                  {nan, 10.0, false},  {1.0, -1.0, false}};
    for (const auto& v : values)
    {
        item.SetValue(v.value, v.tolerance);
        EXPECT_EQ(item.IsWithin(), v.within) << v.value << " within " << v.tolerance;
        // A missing reading shows as nothing, not as "nan".
        EXPECT_EQ(item.FormatProperty().IsEmpty(), std::isnan(v.value)) << v.value;
    }
}

TEST(FormatOneValue, GivesTheConversionWhatItAsksFor)
{
    const struct
    {
        const char* format;
        double value;
        const char* text;
        const char* shown;
    } cases[] = {{"%7.2lf", 1.005, "", "   1.00"}, {"%d", 7.5, "", "8"},       {"%ld s", -2.4, "", "-2 s"},
                 {"%s", 1.0, "DGPS", "DGPS"},      {"%+8.3lfm", 2.0, "", "  +2.000m"},
                 {"100%%", 3.0, "", "100%%"},      {"%d %d", 1.0, "", "%d %d"}, {"none", 1.0, "", "none"},
                 {"%n", 1.0, "", "%n"}};
    for (const auto& c : cases)
        EXPECT_STREQ(FormatOneValue(c.format, c.value, c.text), c.shown) << c.format;
}

TEST_F(ItemsFixture, ButtonsArePressedWithAClickAndDrawnInTheirColours)
{
    auto* active = Add(new CMFCPropertyGridButton("Transponder : A", "Monitor", "Activate Transponder ", 0));
    auto* play = Add(new CMFCPropertyGridDualButton("Route", "Start", "Stop", "Start / Stop", 21));
    const CRect cell = grid.GetShownValueRect(play);
    ASSERT_FALSE(cell.IsRectEmpty());

    owner.changed.clear();
    ASSERT_TRUE(ClickGridValue(grid, active, 10));
    EXPECT_EQ(owner.changed, std::vector<CMFCPropertyGridProperty*>{active});
    EXPECT_GT(GridItemValuePixels(grid, active, ColourOfRef(PANES_BUTTON_FACE)), 200);
    active->SetText("ACTIVE");
    active->SetColour(0xCCFFCC);
    EXPECT_EQ(Shown(active), "ACTIVE");
    EXPECT_GT(GridItemValuePixels(grid, active, ColourOfRef(0xCCFFCC)), 200);
    EXPECT_EQ(GridItemValuePixels(grid, active, ColourOfRef(PANES_BUTTON_FACE)), 0);

    const struct
    {
        const char* click;
        bool showTwo;
        int x;
        int pressed;
    } clicks[] = {{"left half", true, 5, 1},
                  {"right half", true, cell.Width() - 5, 2},
                  {"right half again", true, cell.Width() - 5, 2},
                  {"right, button two hidden", false, cell.Width() - 5, 1}};
    for (const auto& c : clicks)
    {
        SCOPED_TRACE(c.click);
        play->SetShowTwo(c.showTwo);
        owner.changed.clear();
        ASSERT_TRUE(ClickGridValue(grid, play, c.x));
        EXPECT_EQ(play->GetPressedButton(), c.pressed);
        EXPECT_EQ(owner.changed, std::vector<CMFCPropertyGridProperty*>{play});
    }
    // The colours the training pane gives its play controls, each on its own half.
    play->SetShowTwo(true);
    play->SetColourOne(0xCCFFCC);
    play->SetColourTwo(0xCC99FF);
    play->SetNameOne("Pause");
    EXPECT_EQ(Shown(play), "Pause | Stop");
    EXPECT_GT(GridItemValuePixels(grid, play, ColourOfRef(0xCCFFCC)), 200);
    EXPECT_GT(GridItemValuePixels(grid, play, QColor(0xFF, 0x99, 0xCC)), 200);
    EXPECT_EQ(GridItemValuePixels(grid, play, QColor(0xCC, 0x99, 0xFF)), 0) << "bytes of 0xCC99FF read backwards";
    // A hidden button two cannot be chosen by its caption either.
    play->SetShowTwo(false);
    owner.changed.clear();
    EXPECT_FALSE(grid.EditProperty(play, "Stop"));
    EXPECT_TRUE(owner.changed.empty());
    // A disabled button hears no click.
    active->Enable(FALSE);
    grid.AdjustLayout();
    ASSERT_TRUE(ClickGridValue(grid, active, 10));
    EXPECT_TRUE(owner.changed.empty());
}

TEST(SelectFile, OffersTheFolderFilesThatMatchSortedByTitle)
{
    const QString folder = LinuxPathFromWindows("C:\\Fix Files\\");
    ASSERT_TRUE(QDir().mkpath(folder + "inner.tfx"));
    for (const char* name : {"b.TFX", "A.tfx", "c.txt", "d.tfx.bak", "C.tfx"})
    {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const struct
    {
        const char* folder;
        const char* filter;
        const char* value;
        std::vector<std::string> options;
        const char* chosen;
    } cases[] = {
        {"C:\\Fix Files\\", "Transit Fix Files(*.tfx)|*.tfx||", "b", {"A", "b", "C"}, "b"},
        {"C:\\Fix Files", "*.TFX", "gone", {"A", "b", "C"}, ""},
        {"C:\\Fix Files\\", "Fixes|*.tfx;*.txt|All|*.*||", "c", {"A", "b", "C", "c", "d.tfx"}, "c"},
        {"C:\\Fix Files\\", "Fixes|..\\*.tfx||", "", {}, ""},
        {"C:\\No Such Folder\\", "Transit Fix Files(*.tfx)|*.tfx||", "A", {}, ""},
        {"C:\\Fix Files\\", "Shapes(*.shp)|*.shp||", "", {}, ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.filter);
        CMFCPropertyGridSelectFileProperty item("Name", c.value, c.folder, c.filter);
        std::vector<std::string> options;
        for (int i = 0; i < item.GetOptionCount(); ++i)
            options.emplace_back(item.GetOption(i));
        EXPECT_EQ(options, c.options);
        EXPECT_STREQ(item.GetFileTitle(), c.chosen);
    }
}

TEST(SelectFile, AHugeFolderIsListedWithinASecond)
{
    const QString folder = LinuxPathFromWindows("C:\\Many\\");
    ASSERT_TRUE(QDir().mkpath(folder));
    for (int i = 0; i < 100000; ++i)
    {
        QFile f(folder + QString("fix%1.%2").arg(i, 6, 10, QChar('0')).arg(i % 2 ? "tfx" : "dat"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // Processor time, the least of a few runs, so that a busy machine does not fail it.
    const ResourceUse use = MeasureResources(
        [] { CMFCPropertyGridSelectFileProperty("Name", "", "C:\\Many\\", "Transit Fix Files(*.tfx)|*.tfx||"); },
        1.0);
    EXPECT_LT(use.cpuSeconds, 1.0);
    CMFCPropertyGridSelectFileProperty item("Name", "fix000001", "C:\\Many\\", "Transit Fix Files(*.tfx)|*.tfx||");
    EXPECT_EQ(item.GetOptionCount(), 50000);
    EXPECT_STREQ(item.GetOption(0), "fix000001");
    EXPECT_STREQ(item.GetFileTitle(), "fix000001");
}

TEST(IconSelect, ChoosesOnlyImagesTheListHolds)
{
    CIconSelect picker;
    EXPECT_FALSE(picker.SetSelected(0));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 3, 0));
    for (QColor colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)})
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(colour);
        images.Add(image);
    }
    picker.SetImageList(&images);
    EXPECT_TRUE(picker.SetSelected(2));
    EXPECT_FALSE(picker.SetSelected(3));
    EXPECT_FALSE(picker.SetSelected(-1));
    EXPECT_EQ(picker.GetSelected(), 2);
    const CRect strip(0, 0, 100, 16);
    EXPECT_EQ(picker.HitTest(strip, CPoint(20, 5)), 1);
    EXPECT_EQ(picker.HitTest(strip, CPoint(60, 5)), -1);
    EXPECT_EQ(picker.HitTest(strip, CPoint(5, 20)), -1);

    QImage canvas(40, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        CDC dc;
        dc.Attach(&painter);
        EXPECT_TRUE(picker.DrawSelected(&dc, CRect(0, 0, 40, 16)));
        dc.Detach();
    }
    EXPECT_EQ(canvas.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(canvas.pixelColor(30, 8), QColor(Qt::white));
}
