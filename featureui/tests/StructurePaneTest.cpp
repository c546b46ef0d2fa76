// The structure pane inside a host frame: structures edited through the grid and read back from
// their file, names, adding and deleting structures, files added and chosen, the day and night
// edit colours, and the shape view following the heading.
#include "featureui/panes/FeaturePaneResources.h"
#include "featureui/panes/StructurePane.h"
#include "featureui/views/StructureView.h"
#include "featureui/tests/PaneTestFiles.h"
#include "featureui/tests/ShapeFixtures.h"
#include "features/RedrawChart.h"
#include "outside/panes/PropertyGridDualButton.h"
#include "outside/panes/PropertyGridItems.h"
#include "platform/core/WinApp.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/RecordingOwner.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace
{
const POSTED_MESSAGE kStructuresChanged{"UM_FEATURE_UPDATE", 7, 0};
const POSTED_MESSAGE kFocus{"UM_SET_FOCUS_FEATURE", 7, 0};
const double kDegree = M_PI / 180.0;

StructureDef Record(const char* name, double x, double y, const char* shape)
{
    StructureDef r;
    r.Name = name;
    r.Shape = shape;
    r.ShapeIndex = 1;
    r.Position = tagXY{x, y};
    r.Height = 12.0;
    r.Heading = 45.0;
    r.Length = 80.0;
    return r;
}

// A structure file of these records on the test's drive; its path.
CString WriteStructures(const char* name, std::initializer_list<StructureDef> records)
{
    CStructure file;
    file.m_FilePath = WriteDataFile(name, "");
    for (const StructureDef& r : records)
        file.Add(r);
    EXPECT_TRUE(file.Save());
    return file.m_FilePath;
}

void ExpectSame(const StructureDef& read, const StructureDef& held)
{
    EXPECT_EQ(read.Name, held.Name);
    EXPECT_EQ(read.Shape, held.Shape);
    EXPECT_EQ(read.Show, held.Show);
    EXPECT_NEAR(read.Position.x, held.Position.x, 0.005);
    EXPECT_NEAR(read.Position.y, held.Position.y, 0.005);
    EXPECT_NEAR(read.Height, held.Height, 0.005);
    EXPECT_NEAR(read.Heading, held.Heading, 0.005);
    EXPECT_NEAR(read.Length, held.Length, 0.005);
}

std::array<COLORREF, 7> Colours(const CMyMFCPropertyGridCtrl& grid)
{
    std::array<COLORREF, 7> c{};
    grid.GetCustomColors(c[0], c[1], c[2], c[3], c[4], c[5], c[6]);
    return c;
}

struct StructurePaneFixture : ::testing::Test
{
    CWinApp app{"StructurePaneTest"};
    CRecordingOwner owner;
    CStructureList list;
    CStructurePane pane;
    CString platforms;
    CStructureShape* jacket = nullptr;

    void SetUp() override
    {
        list.m_ListName = "Structure";
        jacket = ReadShape("shape_geometry.dxf");
        list.m_Shapes.AddTail(jacket);
        // A shape without extent: a point drawing.
        auto* flat = new CStructureShape;
        flat->m_FilePath = "C:\\Shapes\\flat.dxf";
        list.m_Shapes.AddTail(flat);
        platforms = WriteStructures("platforms.dat", {Record("Alpha", 1000, 2000, jacket->GetName()),
                                                      Record("Bravo", 1500, 2500, jacket->GetName())});
        ASSERT_TRUE(list.AddFile(platforms));
        ASSERT_TRUE(owner.CreateOwner(400, 900));
        ASSERT_TRUE(pane.Create(&owner, 33130, &list));
        pane.ShowPane(TRUE, FALSE, FALSE);
        Pump();
        owner.Clear();
    }

    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
    CString Shown(DWORD_PTR id) { return FindGridItem(Grid(), id)->FormatProperty(); }

    Messages Change(DWORD_PTR id, const COleVariant& value)
    {
        owner.Clear();
        EXPECT_TRUE(NotifyGridChange(Grid(), id, value));
        return owner.Messages();
    }
    Messages Type(DWORD_PTR id, const char* text)
    {
        owner.Clear();
        EXPECT_TRUE(EditGridItem(Grid(), id, text)) << text;
        return owner.Messages();
    }

    // The edited structure as held, and as its file reads back.
    const StructureDef& Held() { return list.GetAt(list.m_EditFileIndex)->GetAt(list.m_EditPointIndex); }
    void ExpectFileHoldsEdits()
    {
        CStructure read;
        ASSERT_TRUE(read.Load(list.GetEditFileName()));
        const CStructure& held = *list.GetAt(list.m_EditFileIndex);
        ASSERT_EQ(read.GetSize(), held.GetSize());
        for (INT_PTR i = 0; i < held.GetSize(); ++i)
            ExpectSame(read.GetAt(i), held.GetAt(i));
    }
};
} // namespace

TEST_F(StructurePaneFixture, EditsAreWrittenAndReadBackAfterEachChange)
{
    EXPECT_EQ(pane.GetTitle(), "Structure Property");
    EXPECT_EQ(GridGroupNames(Grid()), (Strings{"Properties", "Structure", "Shape"}));
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(list.m_EditPointIndex, 0);
    EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Alpha");

    const WPARAM point = reinterpret_cast<WPARAM>(GetChartPoint());
    const Messages moved{{"UM_REDRAW_CHART", point, 0}, {"UM_REDRAW_VECTOR_DISPLAY", point, 0}, kStructuresChanged};
    EXPECT_EQ(Change(CStructurePane::ITEM_EASTING, COleVariant(1234.5)), moved);
    EXPECT_DOUBLE_EQ(GetChartPoint()->x, 1234.5);
    ExpectFileHoldsEdits();
    EXPECT_EQ(Change(CStructurePane::ITEM_NORTHING, COleVariant(2345.25)), moved);
    EXPECT_DOUBLE_EQ(GetChartPoint()->y, 2345.25);
    ExpectFileHoldsEdits();
    EXPECT_EQ(Change(CStructurePane::ITEM_HEIGHT, COleVariant(33.5)), (Messages{kStructuresChanged}));
    ExpectFileHoldsEdits();
    EXPECT_EQ(Held().Height, 33.5);

    // The heading item holds radians; a turn below zero is stored within 0..360.
    EXPECT_EQ(Change(CStructurePane::ITEM_HEADING, COleVariant(-30.0 * kDegree)),
              (Messages{kStructuresChanged, kRedraw, kRedrawVector}));
    EXPECT_NEAR(Held().Heading, 330.0, 1e-9);
    ExpectFileHoldsEdits();

    EXPECT_EQ(Change(CStructurePane::ITEM_LENGTH, COleVariant(160.0)), (Messages{kRedraw, kRedrawVector}));
    ExpectFileHoldsEdits();
    const double width = jacket->GetWidth();
    const double height = jacket->GetHeight();
    EXPECT_DOUBLE_EQ(static_cast<CMFCPropertyGridDouble*>(Grid().GetProperty(2)->GetSubItem(4))->GetDouble(),
                     160.0 / std::max(width, height));

    // A rename is written too, so the next load keeps it.
    EXPECT_EQ(Type(CStructurePane::ITEM_NAME, "Charlie"), (Messages{kStructuresChanged}));
    EXPECT_EQ(Held().Name, "Charlie");
    ExpectFileHoldsEdits();

    EXPECT_EQ(Change(CStructurePane::ITEM_SHAPE, COleVariant("flat")),
              (Messages{kStructuresChanged, kRedraw, kRedrawVector}));
    EXPECT_EQ(Held().Shape, "flat");
    ExpectFileHoldsEdits();
    // A shape without extent draws at scale 1.
    EXPECT_DOUBLE_EQ(static_cast<CMFCPropertyGridDouble*>(Grid().GetProperty(2)->GetSubItem(4))->GetDouble(), 1.0);

    // A shape that is not in the list is refused; nothing is written.
    const QByteArray before = ReadBytes(platforms);
    Change(CStructurePane::ITEM_SHAPE, COleVariant("nowhere"));
    EXPECT_EQ(Held().Shape, "flat");
    EXPECT_EQ(Shown(CStructurePane::ITEM_SHAPE), "flat");
    EXPECT_EQ(ReadBytes(platforms), before);
}

TEST_F(StructurePaneFixture, AFileThatCannotBeWrittenKeepsTheChangeInMemory)
{
    // The file's place taken by a folder: nothing can be written there.
    const CString folder = "C:\\Data\\locked.dat";
    ASSERT_TRUE(QDir().mkpath(LinuxPathFromWindows(folder)));
    list.GetAt(0)->m_FilePath = folder;
    EXPECT_EQ(Change(CStructurePane::ITEM_HEIGHT, COleVariant(7.25)), (Messages{kStructuresChanged}));
    EXPECT_EQ(Held().Height, 7.25);
    EXPECT_TRUE(QFileInfo(LinuxPathFromWindows(folder)).isDir());
    // The file it was read from is untouched.
    CStructure read;
    ASSERT_TRUE(read.Load(platforms));
    EXPECT_EQ(read.GetAt(0).Height, 12.0);
}

TEST_F(StructurePaneFixture, NamesSelectRenameAndDefault)
{
    // Another structure's name, in another letter case, selects it.
    // Nothing is posted for a selection; the chart moves to it.
    const WPARAM point = reinterpret_cast<WPARAM>(GetChartPoint());
    EXPECT_EQ(Type(CStructurePane::ITEM_NAME, "BRAVO"),
              (Messages{{"UM_REDRAW_CHART", point, 0}, {"UM_REDRAW_VECTOR_DISPLAY", point, 0}}));
    EXPECT_EQ(list.m_EditPointIndex, 1);
    EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Bravo");
    EXPECT_DOUBLE_EQ(GetChartPoint()->x, 1500.0);
    EXPECT_NE(Shown(CStructurePane::ITEM_EASTING).Find("1500.00"), -1);

    for (const char* text : {"", "Structure"})
    {
        SCOPED_TRACE(text);
        EXPECT_EQ(Change(CStructurePane::ITEM_NAME, COleVariant(text)), (Messages{kStructuresChanged}));
        EXPECT_EQ(Held().Name, "Structure 2");
        EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Structure 2");
        ExpectFileHoldsEdits();
    }
}

TEST_F(StructurePaneFixture, AddAndDeleteThroughTheDualButton)
{
    auto* buttons = dynamic_cast<CMFCPropertyGridDualButton*>(FindGridItem(Grid(), CStructurePane::ITEM_ADD_DELETE));
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(Type(CStructurePane::ITEM_ADD_DELETE, "Add").back(), kStructuresChanged);
    EXPECT_EQ(buttons->GetPressedButton(), 1);
    ASSERT_EQ(list.GetAt(0)->GetSize(), 3);
    EXPECT_EQ(list.m_EditPointIndex, 2);
    EXPECT_EQ(Held().Name, "Structure 3");
    EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Structure 3");
    // The new structure is written at once.
    ExpectFileHoldsEdits();
    // The same button twice is two presses.
    Type(CStructurePane::ITEM_ADD_DELETE, "Add");
    EXPECT_EQ(list.GetAt(0)->GetSize(), 4);

    Type(CStructurePane::ITEM_ADD_DELETE, "Delete");
    EXPECT_EQ(buttons->GetPressedButton(), 2);
    EXPECT_EQ(list.GetAt(0)->GetSize(), 3);
    EXPECT_EQ(list.m_EditPointIndex, 2);
    ExpectFileHoldsEdits();
    EXPECT_FALSE(EditGridItem(Grid(), CStructurePane::ITEM_ADD_DELETE, "Remove"));
    EXPECT_EQ(list.GetAt(0)->GetSize(), 3);

    // Deleting the only structure of a file leaves a new "Structure 1".
    for (int i = 0; i < 3; ++i)
        Type(CStructurePane::ITEM_ADD_DELETE, "Delete");
    ASSERT_EQ(list.GetAt(0)->GetSize(), 1);
    EXPECT_EQ(Held().Name, "Structure 1");
    ExpectFileHoldsEdits();
}

TEST_F(StructurePaneFixture, AddedFilesStayOffTheGridUntilChosen)
{
    const CString wells = WriteStructures("wells.dat", {Record("Well A", 100, 200, "flat")});
    ModalHook::AnswerFileDialog({wells});
    EXPECT_EQ(PressButton(pane, owner, IDC_ADD_STRUCTURE_FILE, pane.GetAddButton()),
              (Messages{kRedraw, kRedrawVector, kStructuresChanged}));
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(pane.GetFileCombo()->GetCurSel(), 1);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Alpha");

    owner.Clear();
    ChooseComboEntry(pane, pane.GetFileCombo(), IDC_STRUCTURE_COMBO, 1);
    Pump();
    EXPECT_EQ(list.m_EditFileIndex, 1);
    EXPECT_EQ(list.m_EditPointIndex, 0);
    EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Well A");
    const WPARAM point = reinterpret_cast<WPARAM>(GetChartPoint());
    EXPECT_EQ(owner.Messages(),
              (Messages{{"UM_REDRAW_CHART", point, 0}, {"UM_REDRAW_VECTOR_DISPLAY", point, 0}, kFocus}));
    EXPECT_DOUBLE_EQ(GetChartPoint()->x, 100.0);

    // Removing the edited file hands the grid to the one before; removing the last shows none.
    PressButton(pane, owner, IDC_REMOVE_STRUCTURE_FILE, pane.GetRemoveButton());
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.m_EditFileIndex, 0);
    EXPECT_EQ(Shown(CStructurePane::ITEM_NAME), "Alpha");
    PressButton(pane, owner, IDC_REMOVE_STRUCTURE_FILE, pane.GetRemoveButton());
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(GridGroupNames(Grid()), (Strings{"No Files Selected"}));
    // Nothing is edited: changes and moves do nothing.
    EXPECT_FALSE(pane.MoveToEditPoint());
    pane.Update();
    pane.UpdateNameComboBox();
}

TEST_F(StructurePaneFixture, EditColoursAndTheShapeViewFollowingTheHeading)
{
    const struct
    {
        bool night;
        bool edit;
        std::array<COLORREF, 7> colours;
        int scheme;
    } cases[] = {
        {false, true, {0xD6D6D6, 0x000000, 0x400000, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555}, 7},
        {true, true, {0x000000, 0xC0C0C0, 0x800000, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}, 7},
        {false, false, {0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555}, 1},
        {true, false, {0x000000, 0xC0C0C0, 0x555555, 0xEBEBEB, 0x555555, 0xC0C0C0, 0x555555}, 1},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.night ? "night" : "day") + (c.edit ? " edit" : ""));
        pane.SetNightMode(c.night);
        pane.SetEdit(c.edit);
        EXPECT_EQ(Colours(Grid()), c.colours);
        EXPECT_EQ(Grid().GetColourScheme(), c.scheme);
    }
    pane.SetDaylightMode();

    // The view lies below the grid and shows the edited structure turned to its heading.
    CStructureView* view = pane.GetStructureView();
    ASSERT_NE(view, nullptr);
    Pump();
    const QRect area = FrameProbe::PaneRect(view);
    ASSERT_GT(area.height(), 50);
    EXPECT_GT(area.top(), FrameProbe::PaneRect(&Grid()).bottom());
    const QImage before = FrameProbe::GrabWindow(&pane).copy(area);
    list.GetAt(0)->ElementAt(0).Heading = 100.0;
    pane.UpdateShape();
    Pump();
    const QImage after = FrameProbe::GrabWindow(&pane).copy(area);
    EXPECT_NE(before, after);
}
