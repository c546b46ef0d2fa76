// The anchor pane in a host frame: every item id edited as a user would, with the anchor field,
// the anchor file reloaded and the one message posted; the range rules and refused texts; the
// layout over status, buoys and cable make-up; the status and cable-type items; pictures.
#include "zuduzuro/ui/AnchorPane.h"
#include "zuduzuro/ui/AnchorStatusProperty.h"
#include "zuduzuro/ui/CableWeightProperty.h"
#include "zuduzuro/ui/ImageView.h"
#include "zuduzuro/ui/PaneResources.h"
#include "zuduzuro/ui/PicturePane.h"
#include "zuduzuro/ui/ZuduzuroResources.h"

#include "zuduzuro/Anchor.h"
#include "zuduzuro/CableWeight.h"

#include "outside/panes/units/AngleDouble.h"
#include "outside/panes/units/MetricProperty.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Colour.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/zuduzuro"
#endif

namespace
{
using Messages = std::vector<POSTED_MESSAGE>;
const POSTED_MESSAGE kUpdate{"UM_UPDATE_ZUDUZURO_DATA", 0, 0};
const double kE = 500000.0, kN = 6000000.0;

CableWeightDef CableType(const char* name, double weightInWater)
{
    CableWeightDef row;
    row.Name = name;
    row.nDiameter = 0;
    row.nWeightInWater = 1;
    row.WeightInAir = 0.0;
    row.WeightInWater = weightInWater;
    return row;
}

struct AnchorPaneFixture : ::testing::Test
{
    CWinApp app{"AnchorPaneTest"};
    CRecordingOwner owner;
    CCableWeight table;
    CAnchor anchor;
    CAnchorPane pane;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateOwner(420, 900));
        // 2 "Wire 52mm" 12.5 kg/m, 3 "Heavy Chain" 1500 kg/m, 4 a damaged row (weight 0).
        table.Add(CableType("Wire 52mm", 12.5));
        table.Add(CableType("Heavy Chain", 1500.0));
        table.Add(CableType("Damaged", 0.0));
        anchor.m_FileName = "ANCHOR";
        anchor.m_Use = true;
        anchor.m_Tension = 20.0;
        anchor.m_WaterDepth = 50.0;
        anchor.m_DepthAtAnchor = 50.0;
        anchor.m_FairleadEasting = kE;
        anchor.m_FairleadNorthing = kN;
        anchor.m_Status = ANCHOR_ON_BOTTOM;
        anchor.SetAnchorPosition(kE + 1000.0, kN);
        anchor.m_Cable.bUseUpperSection = false;
        anchor.m_Cable.nLowerCableType = 2;
        anchor.m_Cable.LowerLength = 1200.0;
        anchor.UpdateCableWeights(table);
    }

    void Start()
    {
        pane.SetData(&anchor, &table);
        ASSERT_TRUE(pane.Create(&owner, 33136, "Anchor"));
        pane.ShowPane(TRUE, FALSE, FALSE);
        owner.Clear();
    }

    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
    CMFCPropertyGridProperty* At(int group, int sub = -1, int subSub = -1, int subSubSub = -1)
    {
        CMFCPropertyGridProperty* prop = Grid().GetProperty(group);
        for (int index : {sub, subSub, subSubSub})
            if (index >= 0 && prop != nullptr)
                prop = prop->GetSubItem(index);
        return prop;
    }
    bool Shown(CMFCPropertyGridProperty* prop) { return prop != nullptr && Grid().IsShownVisible(prop); }

    // Types the text into the item with the id, as a user ending an edit would.
    Messages Type(DWORD_PTR id, const char* text)
    {
        owner.Clear();
        EXPECT_TRUE(EditGridItem(Grid(), id, text)) << "item " << id << " refused " << text;
        return owner.Messages();
    }
    // The anchor as the next start reads it back.
    CAnchor Reloaded()
    {
        CAnchor again;
        again.LoadAtStart(table);
        // The fairlead comes from the barge, not the file.
        again.m_FairleadEasting = kE;
        again.m_FairleadNorthing = kN;
        return again;
    }
};

struct IdCase
{
    DWORD_PTR id;
    const char* text;
    std::function<double(const CAnchor&)> field;
    double expected;
    bool told; // a message says the value was changed
};

double Bool(bool b)
{
    return b ? 1.0 : 0.0;
}
} // namespace

TEST_F(AnchorPaneFixture, EveryItemReachesTheAnchorTheFileAndTheOwner)
{
    Start();
    const std::vector<IdCase> cases = {
        {6, "61.5", [](const CAnchor& a) { return a.m_DepthAtAnchor; }, 61.5, false},
        {7, "True", [](const CAnchor& a) { return Bool(a.m_GroundChain.bUseGroundChain); }, 1.0, false},
        {8, "Wire 52mm (12.50kg/m)", [](const CAnchor& a) { return a.m_GroundChain.nGroundChainType; }, 2, false},
        {9, "75", [](const CAnchor& a) { return a.m_GroundChain.GroundChainLength; }, 75.0, false},
        {12, "9999.5", [](const CAnchor& a) { return a.m_Cable.LowerLength; }, 9999.5, false},
        {12, "10000", [](const CAnchor& a) { return a.m_Cable.LowerLength; }, 0.0, true},
        {12, "-3", [](const CAnchor& a) { return a.m_Cable.LowerLength; }, 0.0, true},
        {12, "1100", [](const CAnchor& a) { return a.m_Cable.LowerLength; }, 1100.0, false},
        {10, "True", [](const CAnchor& a) { return Bool(a.m_Cable.bUseUpperSection); }, 1.0, false},
        {13, "Heavy Chain (1500.00kg/m)", [](const CAnchor& a) { return a.m_Cable.nUpperCableType; }, 3, false},
        {14, "12000", [](const CAnchor& a) { return a.m_Cable.UpperLength; }, 0.0, true},
        {14, "300", [](const CAnchor& a) { return a.m_Cable.UpperLength; }, 300.0, false},
        {15, "2", [](const CAnchor& a) { return Bool(a.m_Buoys[1].bUseBuoy) + Bool(a.m_Buoys[2].bUseBuoy); }, 1.0,
         false},
        {16, "25", [](const CAnchor& a) { return a.m_Buoys[0].PennantWireLength; }, 25.0, false},
        {16, "-5", [](const CAnchor& a) { return a.m_Buoys[0].PennantWireLength; }, 0.0, true},
        {17, "True", [](const CAnchor& a) { return Bool(a.m_Buoys[0].Cable.bUseUpperSection); }, 1.0, false},
        {18, "Wire 52mm (12.50kg/m)", [](const CAnchor& a) { return a.m_Buoys[0].Cable.nLowerCableType; }, 2,
         false},
        {19, "400", [](const CAnchor& a) { return a.m_Buoys[0].Cable.LowerLength; }, 400.0, false},
        {20, "Wire 52mm (12.50kg/m)", [](const CAnchor& a) { return a.m_Buoys[0].Cable.nUpperCableType; }, 2,
         false},
        {36, "30", [](const CAnchor& a) { return a.m_Buoys[4].PennantWireLength; }, 30.0, false},
        {39, "250", [](const CAnchor& a) { return a.m_Buoys[4].Cable.LowerLength; }, 250.0, false},
        {41, "Hanging on Pennant", [](const CAnchor& a) { return a.m_PennantMode; }, 1, false},
        {42, "-12.5", [](const CAnchor& a) { return a.m_TugFairleadHeight; }, -12.5, false},
        {42, "-10000", [](const CAnchor& a) { return a.m_TugFairleadHeight; }, 0.0, true},
        {43, "45", [](const CAnchor& a) { return a.m_TugPennantWireLength; }, 45.0, false},
        {44, "Wire 52mm (12.50kg/m)", [](const CAnchor& a) { return a.m_PennantWireType; }, 2, false},
        {45, "7.25", [](const CAnchor& a) { return a.m_AnchorWeight; }, 7.25, false},
        {46, "15", [](const CAnchor& a) { return a.m_CableOnDeck; }, 15.0, false},
        {11, "Heavy Chain (1500.00kg/m)", [](const CAnchor& a) { return a.m_Cable.nLowerCableType; }, 3, false},
        {1, "Live", [](const CAnchor& a) { return a.m_Status; }, ANCHOR_LIVE, false},
        {3, "90.5", [](const CAnchor& a) { return a.GetBearing() * 57.2957795131; }, 90.5, false},
        {2, "800", [](const CAnchor& a) { return a.GetRange(); }, 800.0, false},
        {4, "500010", [](const CAnchor& a) { return a.m_TugEasting; }, 500010.0, false},
        {5, "6000020", [](const CAnchor& a) { return a.m_TugNorthing; }, 6000020.0, false},
    };
    for (const IdCase& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "id " << c.id << " text " << c.text);
        const size_t shownBefore = ModalHook::Shown().size();
        if (c.told)
            ModalHook::AnswerMessageBox(IDOK);
        EXPECT_EQ(Type(c.id, c.text), Messages{kUpdate});
        EXPECT_NEAR(c.field(anchor), c.expected, 1e-6);
        // The file keeps millimetres.
        EXPECT_NEAR(c.field(Reloaded()), c.expected, 1e-3) << "the file reloads another value";
        EXPECT_EQ(ModalHook::Shown().size(), shownBefore + (c.told ? 1 : 0));
        // What the item shows is what was stored.
        auto* metric = dynamic_cast<CMFCPropertyGridMetricProperty*>(FindGridItem(Grid(), c.id));
        if (metric != nullptr && c.id != 2 && c.id != 4 && c.id != 5)
        {
            EXPECT_NEAR(metric->GetMetres(), c.expected, 1e-6);
        }
    }
    // The twins of the lower type show the same type; the heavy type is the main cable's own.
    EXPECT_DOUBLE_EQ(anchor.m_Cable.LowerWeight, 1500.0);
    EXPECT_EQ(static_cast<CMFCPropertyGridCableWeightProperty*>(At(2, 3, 0))->GetType(), 3);
}

TEST_F(AnchorPaneFixture, TextThatIsNoNumberIsRefusedAndChangesNothing)
{
    Start();
    ASSERT_TRUE(anchor.Save());
    for (const char* text : {"abc", "nan", "inf", ""})
    {
        SCOPED_TRACE(text);
        ModalHook::AnswerMessageBox(IDOK);
        owner.Clear();
        EXPECT_FALSE(EditGridItem(Grid(), 12, text));
        EXPECT_TRUE(owner.Messages().empty());
        EXPECT_DOUBLE_EQ(anchor.m_Cable.LowerLength, 1200.0);
        EXPECT_DOUBLE_EQ(Reloaded().m_Cable.LowerLength, 1200.0);
        EXPECT_DOUBLE_EQ(static_cast<CMFCPropertyGridMetricProperty*>(FindGridItem(Grid(), 12))->GetMetres(), 1200.0);
        EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
    }
}

TEST_F(AnchorPaneFixture, BuoyWeightsOutsideWhatABuoyLineCanBeTakeTheDefault)
{
    anchor.m_Buoys[0].bUseBuoy = true;
    Start();
    Type(18, "Heavy Chain (1500.00kg/m)");
    EXPECT_DOUBLE_EQ(anchor.m_Buoys[0].Cable.LowerWeight, 21.93);
    Type(20, "Heavy Chain (1500.00kg/m)");
    EXPECT_DOUBLE_EQ(anchor.m_Buoys[0].Cable.UpperWeight, 21.93);
    Type(11, "Heavy Chain (1500.00kg/m)");
    EXPECT_DOUBLE_EQ(anchor.m_Cable.LowerWeight, 1500.0);
    // A damaged row weighs nothing: the computation says so rather than solving with it.
    Type(11, "Damaged (0.00kg/m)");
    EXPECT_DOUBLE_EQ(anchor.m_Cable.LowerWeight, 0.0);
    EXPECT_STREQ(anchor.m_StatusText, "No Cable Weight");
}

TEST_F(AnchorPaneFixture, LayoutFollowsStatusBuoysAndCableMakeUp)
{
    Start();
    EXPECT_EQ(std::string(At(2)->GetName()), "Cable (Anchor to Barge)");
    EXPECT_TRUE(Shown(At(2, 1)));
    EXPECT_FALSE(Shown(At(2, 2))) << "no buoy: no length to one";
    EXPECT_FALSE(Shown(At(2, 3)));
    EXPECT_FALSE(Shown(At(4))) << "pickup only for a Live anchor";

    Type(15, "2");
    EXPECT_TRUE(anchor.m_Buoys[0].bUseBuoy);
    EXPECT_TRUE(anchor.m_Buoys[1].bUseBuoy);
    EXPECT_FALSE(anchor.m_Buoys[2].bUseBuoy);
    EXPECT_EQ(std::string(At(2)->GetName()), "Cable (Anchor to Buoy 1)");
    EXPECT_TRUE(Shown(At(2, 2)));
    EXPECT_EQ(std::string(At(2, 2)->GetName()), "Length to Buoy 1");
    EXPECT_TRUE(Shown(At(3, 1)));
    EXPECT_TRUE(Shown(At(3, 2)));
    EXPECT_FALSE(Shown(At(3, 3)));
    EXPECT_EQ(std::string(At(3, 1, 1)->GetName()), "Buoy 1 to 2");
    EXPECT_FALSE(Shown(At(3, 1, 1, 0))) << "a buoy followed by another: single type only";
    EXPECT_TRUE(Shown(At(3, 1, 1, 1)));
    EXPECT_TRUE(Shown(At(3, 1, 1, 2)));
    EXPECT_EQ(std::string(At(3, 2, 1)->GetName()), "Buoy 2 to Barge");
    EXPECT_TRUE(Shown(At(3, 2, 1, 0)));
    EXPECT_TRUE(Shown(At(3, 2, 1, 1)));
    EXPECT_FALSE(Shown(At(3, 2, 1, 2)));

    // The last buoy's upper section on: its two sections instead of the single weight.
    Type(22, "True");
    EXPECT_FALSE(Shown(At(3, 2, 1, 1)));
    EXPECT_TRUE(Shown(At(3, 2, 1, 3)));
    EXPECT_TRUE(Shown(At(3, 2, 1, 4)));

    // One buoy with a ground chain and two cable types.
    Type(15, "1");
    Type(7, "True");
    Type(10, "True");
    EXPECT_EQ(std::string(At(2)->GetName()), "Multi Cable (Ground Wire to Buoy)");
    EXPECT_FALSE(Shown(At(2, 1)));
    EXPECT_TRUE(Shown(At(2, 3)));
    EXPECT_TRUE(Shown(At(2, 4, 1)));
    EXPECT_EQ(std::string(At(2, 4, 1)->GetName()), "Length to Buoy");
    EXPECT_TRUE(Shown(At(1, 1)));

    // Live, by pennant mode.
    Type(1, "Live");
    EXPECT_TRUE(Shown(At(4)));
    const struct
    {
        const char* mode;
        bool shown[5];
    } modes[] = {{"Normal Recovery", {true, false, false, false, false}},
                 {"Hanging on Pennant", {false, true, true, true, false}},
                 {"Recovered to Deck", {false, false, false, false, true}}};
    for (const auto& m : modes)
    {
        Type(41, m.mode);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(Shown(At(4, i + 1)), m.shown[i]) << m.mode << " item " << i + 1;
    }

    // Racked: only the status; the hidden position items hold the fairlead.
    Type(1, "Racked");
    EXPECT_TRUE(Shown(At(0, 0)));
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(Shown(At(0, i))) << i;
    for (int g = 1; g <= 4; ++g)
        EXPECT_FALSE(Shown(At(g))) << g;
    EXPECT_DOUBLE_EQ(static_cast<CMFCPropertyGridMetricProperty*>(At(0, 3))->GetMetres(), kE);
    EXPECT_DOUBLE_EQ(static_cast<CMFCPropertyGridMetricProperty*>(At(0, 4))->GetMetres(), kN);

    // Not in use: nothing.
    anchor.m_Use = false;
    pane.UpdateLayout();
    EXPECT_FALSE(Shown(At(0)));
}

// Buoys taken into use start without lengths: their pennant wires and the cable between them
// show as missing (dark red on pink, as a refused input shows) until the user gives them.
TEST_F(AnchorPaneFixture, ABuoyWithoutItsLengthsShowsThemMissing)
{
    Start();
    const QColor pink(255, 176, 176);
    const auto marked = [this, &pink](DWORD_PTR id) {
        CMFCPropertyGridProperty* item = FindGridItem(Grid(), id);
        EXPECT_NE(item, nullptr) << id;
        const int pixels = item ? GridItemValuePixels(Grid(), item, pink) : -1;
        EXPECT_GE(pixels, 0) << "item " << id << " is not in view";
        return pixels > 20;
    };
    Type(15, "2");
    ASSERT_TRUE(anchor.m_Buoys[0].bUseBuoy && anchor.m_Buoys[1].bUseBuoy);
    // Buoy 1: its pennant (16) and its cable to buoy 2 (19); buoy 2: its pennant (21).
    EXPECT_TRUE(marked(16));
    EXPECT_TRUE(marked(19));
    EXPECT_TRUE(marked(21));
    Grid().SetCurSel(FindGridItem(Grid(), 16));
    EXPECT_NE(Grid().GetShownDescription().Find("Missing"), -1) << Grid().GetShownDescription().GetString();

    Type(16, "15");
    Type(19, "300");
    EXPECT_FALSE(marked(16));
    EXPECT_FALSE(marked(19));
    EXPECT_TRUE(marked(21)) << "buoy 2's pennant is still missing";
    Grid().SetCurSel(FindGridItem(Grid(), 16));
    EXPECT_EQ(Grid().GetShownDescription().Find("Missing"), -1);

    // Back to no buoys: nothing is missing.
    Type(15, "0");
    Type(15, "2");
    EXPECT_FALSE(marked(16));
}

TEST_F(AnchorPaneFixture, StatusChangeMarkerAndTheTerrainLock)
{
    Start();
    Type(1, "Live");
    EXPECT_EQ(pane.GetStatusChange(), 1);
    EXPECT_DOUBLE_EQ(anchor.m_TugEasting, kE + 1000.0) << "the tug takes the anchor's place";
    Type(1, "On Bottom");
    EXPECT_EQ(pane.GetStatusChange(), 2);
    Type(1, "Planned");
    Type(1, "On Bottom");
    EXPECT_EQ(pane.GetStatusChange(), 0);

    // The depth at the anchor is locked while it is the terrain's.
    auto* depth = static_cast<CMFCPropertyGridMetricProperty*>(At(0, 5));
    EXPECT_FALSE(depth->IsLocked());
    anchor.m_DepthAtAnchorFromDtm = true;
    pane.UpdateValues();
    EXPECT_TRUE(depth->IsLocked());
    EXPECT_FALSE(EditGridItem(Grid(), 6, "70"));
}

TEST_F(AnchorPaneFixture, AFailedSaveIsToldOnceAndTheChangeKept)
{
    anchor.m_FileName = "ANCHOR";
    Start();
    // A folder where the file should be: the write fails.
    CString path = anchor.GetFilePath();
    ASSERT_FALSE(path.IsEmpty());
    QDir().mkpath(LinuxPathFromWindows(path));
    ModalHook::AnswerMessageBox(IDOK);
    const size_t before = ModalHook::Shown().size();
    Type(9, "20");
    Type(9, "30");
    EXPECT_EQ(ModalHook::Shown().size(), before + 1);
    EXPECT_NE(std::string(ModalHook::Shown().back().text).find("could not be written"), std::string::npos);
    EXPECT_DOUBLE_EQ(anchor.m_GroundChain.GroundChainLength, 30.0);
}

TEST_F(AnchorPaneFixture, CableItemsFollowTheTable)
{
    Start();
    pane.UpdateCableWeights();
    auto* lower = static_cast<CMFCPropertyGridCableWeightProperty*>(At(2, 1));
    EXPECT_EQ(lower->GetOptionCount(), table.GetSize());
    EXPECT_STREQ(lower->GetOption(2), "Wire 52mm (12.50kg/m)");
    table[2].WeightInWater = 13.0;
    table[2].Name = "Wire 54mm";
    pane.UpdateCableWeights();
    EXPECT_STREQ(lower->GetOption(2), "Wire 54mm (13.00kg/m)");
    EXPECT_STREQ(Grid().GetShownValue(lower), "Wire 54mm (13.00kg/m)");

    // A type past the table shows "Unknown"; rebuilt against the table it falls back to 0.
    CMFCPropertyGridCableWeightProperty item(&anchor.m_Cable.nLowerCableType, &table, 11);
    item.SetType(static_cast<int16_t>(table.GetSize()));
    EXPECT_STREQ(item.FormatProperty(), "Unknown");
    anchor.m_Cable.nLowerCableType = static_cast<int16_t>(table.GetSize());
    pane.UpdateCableWeights();
    EXPECT_EQ(lower->GetType(), 0);
}

TEST_F(AnchorPaneFixture, StatusItemShowsItsPictureAndTellsOnlyRealChanges)
{
    int seven = 7;
    CMFCPropertyGridAnchorStatusProperty loose(&seven);
    EXPECT_EQ(loose.GetStatus(), 0);
    EXPECT_STREQ(loose.FormatProperty(), "Racked");
    EXPECT_EQ(loose.GetImages().GetImageCount(), 4);

    Start();
    Type(1, "Live");
    owner.Clear();
    // The same status again: the grid is not told, nothing is posted.
    EXPECT_TRUE(EditGridItem(Grid(), 1, "Live"));
    EXPECT_TRUE(owner.Messages().empty());

    // The picture stands left of the text: in the icon of the value column, the Live picture's
    // orange.
    auto* status = static_cast<CMFCPropertyGridAnchorStatusProperty*>(At(0, 0));
    QImage cell(40, 20, QImage::Format_RGB32);
    cell.fill(Qt::white);
    {
        QPainter painter(&cell);
        CDC dc;
        dc.Attach(&painter);
        status->OnDrawValue(&dc, CRect(0, 0, 40, 20));
    }
    int orange = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 16; ++x)
        {
            const QColor c = cell.pixelColor(x, y);
            orange += (c.red() > 150 && c.green() > 60 && c.green() < 160 && c.blue() < 80) ? 1 : 0;
        }
    EXPECT_GT(orange, 5);
    for (int y = 0; y < 20; ++y)
        for (int x = 17; x < 40; ++x)
            ASSERT_EQ(cell.pixelColor(x, y), QColor(Qt::white)) << "the picture spills right at " << x;
}

TEST_F(AnchorPaneFixture, DayAndNightPictures)
{
    anchor.m_Buoys[0].bUseBuoy = true;
    Start();
    FrameProbe::ExpectFrameAsUserSeesIt(&owner, {{"Anchor", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/anchor_pane_day.png");
    pane.SetNightMode(true);
    QDir().mkpath(SUITE_VISUAL_DIR);
    const QImage night = FrameProbe::GrabWindow(&owner);
    night.save(QString(SUITE_VISUAL_DIR) + "/anchor_pane_night.png");
    EXPECT_GT(FrameProbe::ContentPixels(night, FrameProbe::PaneRect(&pane)), 100);
}

TEST(PicturePane, HoldsItsViewFillingThePane)
{
    CWinApp app{"PicturePaneTest"};
    CRecordingOwner owner;
    ASSERT_TRUE(owner.CreateOwner(500, 400));
    CPicturePane pane;
    ASSERT_TRUE(pane.Create(&owner, 33139, "Picture"));
    pane.ShowPane(TRUE, FALSE, FALSE);
    ASSERT_TRUE(VerticalOffsetPicture().save(LinuxPathFromWindows("C:\\Vertical Offset.bmp"), "BMP"));
    auto* view = new CImageView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &pane, 2001, nullptr));
    ASSERT_TRUE(view->LoadPicture("C:\\Vertical Offset.bmp"));
    pane.SetView(view);
    CRect client, held;
    pane.GetClientRect(&client);
    view->GetClientRect(&held);
    EXPECT_EQ(held.Width(), client.Width());
    EXPECT_EQ(held.Height(), client.Height());
    pane.SetWindowPos(nullptr, 0, 0, client.Width() - 40, client.Height() - 30, SWP_NOZORDER | SWP_NOMOVE);
    pane.GetClientRect(&client);
    view->GetClientRect(&held);
    EXPECT_EQ(held.Width(), client.Width()) << "the view follows the pane's size";
    FrameProbe::ExpectFrameAsUserSeesIt(&owner, {{"Picture", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/picture_pane.png");
}
