// The transit fix pane as the user meets it in the program's frame: its rows by leg count, the
// end points typed in and saved at once, the fix recomputed and its centre told to the frame,
// files chosen from the folder's list, and a file that cannot be read left alone.
#include "acoustic/app/AcousticApp.h"
#include "acoustic/app/AcousticResources.h"
#include "acoustic/app/MainFrame.h"
#include "acoustic/app/panes/TransitFixPane.h"
#include "acoustic/engine/TransitFix.h"
#include "foundation/ConfigFile.h"
#include "foundation/WindowMessages.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QMainWindow>
#include <QSpinBox>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <string>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/acoustic"
#endif

namespace
{
// Where the legs of the test fixes cross: the object on the seabed.
constexpr double kE = 500100.0;
constexpr double kN = 6000200.0;

// Four legs 20 m apart round (kE, kN): L1 (points 1, 6) and L2 (2, 5) run north-south at
// easting kE - 10 and kE + 10, L3 (3, 8) and L4 (4, 7) east-west at northing kN + 10 and kN - 10.
// A = (kE - 10, kN + 10), B = (kE + 10, kN + 10), C = (kE + 10, kN - 10), D = (kE - 10, kN - 10);
// A to B and D to C run east (90 degrees), A to D and B to C south (180 degrees).
std::vector<tagXY> FourLegs()
{
    return {{kE - 10, kN - 100}, {kE + 10, kN + 100}, {kE - 100, kN + 10}, {kE + 100, kN - 10},
            {kE + 10, kN - 100}, {kE - 10, kN + 100}, {kE - 100, kN - 10}, {kE + 100, kN + 10}};
}

// Three legs making the right triangle A = (kE, kN), B = (kE + 100, kN), C = (kE, kN + 100):
// L1 (points 1, 4) north through A and C, L2 (2, 5) through B and C, L3 (3, 6) east through A
// and B. The circle through them has its centre half way along B-C, at (kE + 50, kN + 50).
std::vector<tagXY> ThreeLegs()
{
    return {{kE, kN - 100},       {kE + 150, kN - 50}, {kE - 100, kN},
            {kE, kN + 200},       {kE - 50, kN + 150}, {kE + 200, kN}};
}

QByteArray PointLines(const std::vector<tagXY>& points)
{
    QByteArray bytes;
    for (const tagXY& p : points)
        bytes += QByteArray::number(p.x, 'f', 3) + "," + QByteArray::number(p.y, 'f', 3) + "\r\n";
    return bytes;
}

QString FolderPath()
{
    return LinuxPathFromWindows(CTransitFix::GetFolder());
}

void WriteFile(const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(FolderPath());
    QFile file(FolderPath() + "/" + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The points file "<name>.TFX" and the settings naming it: the fix the program starts on.
void WriteStartFix(const char* name, const std::vector<tagXY>& points)
{
    WriteFile(QString(name) + ".TFX", PointLines(points));
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Transit Fix", [&](CConfigFile& file) {
        file.WriteInt("No of Legs", points.size() == 6 ? 3 : 4);
        file.WriteText("FileName", name);
    }));
}

QByteArray TransitSettingsBytes()
{
    CConfigFile names;
    QFile file(LinuxPathFromWindows(names.GetSettingsFileName("Transit Fix")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file of the transit-fix folder with its bytes, and the settings file.
std::map<QString, QByteArray> Files()
{
    std::map<QString, QByteArray> files;
    const QDir folder(FolderPath());
    for (const QString& name : folder.entryList(QDir::Files))
    {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files[name] = file.readAll();
    }
    files["(settings)"] = TransitSettingsBytes();
    return files;
}

// The frame as the program makes it, logging each redraw posted to it with the position its
// record held when it arrived (none for a redraw without one).
class CRecordingMainFrame : public CMainFrame
{
public:
    struct Posted
    {
        bool withPosition;
        double e, n;
    };
    std::vector<Posted> m_Posted;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == UM_REDRAW_VECTOR_DISPLAY)
        {
            const auto* at = reinterpret_cast<const tagXY*>(wParam);
            m_Posted.push_back({at != nullptr, at ? at->x : 0.0, at ? at->y : 0.0});
        }
        return CMainFrame::WindowProc(message, wParam, lParam);
    }
};

class TransitFixPaneTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        if (m_pFrame && ::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            PumpFor(50);
        }
    }

    // The frame made as the document template makes it, the transit fix pane alone shown.
    void MakeFrame()
    {
        m_App.SetRegistryKey("Velmaro Technology Limited");
        RegisterAcousticResources();
        m_pFrame = new CRecordingMainFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_ACOUSTIC_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->GetMainWindow()->resize(1400, 1000);
        // The pane alone in the column, with room for its rows.
        for (QDockWidget* dock : m_pFrame->GetMainWindow()->findChildren<QDockWidget*>())
            if (dock != Pane().GetDockWidget())
                dock->hide();
        Pane().ShowPane(TRUE, FALSE, TRUE);
        Pane().GetDockWidget()->raise();
        PumpFor(50);
        m_pFrame->m_Posted.clear();
    }

    CTransitFixPane& Pane() { return m_pFrame->m_wndTransitFixPane; }
    CMyMFCPropertyGridCtrl& Grid() { return Pane().GetPropertyGrid(); }
    CTransitFix& Fix() { return m_pFrame->m_TransitFix; }

    CMFCPropertyGridProperty* Group(const char* name)
    {
        for (int i = 0; i < Grid().GetPropertyCount(); ++i)
            if (CString(Grid().GetProperty(i)->GetName()) == name)
                return Grid().GetProperty(i);
        return nullptr;
    }

    // The names (and values, for value rows) of a group's rows that show.
    std::vector<std::string> Shown(const char* group, bool values = false)
    {
        std::vector<std::string> rows;
        CMFCPropertyGridProperty* g = Group(group);
        for (int k = 0; g != nullptr && k < g->GetSubItemsCount(); ++k)
        {
            const CMFCPropertyGridProperty* item = g->GetSubItem(k);
            if (!Grid().IsShownVisible(item))
                continue;
            std::string row(Grid().GetShownName(item));
            if (values && !Grid().GetShownValue(item).IsEmpty())
                row += "=" + std::string(Grid().GetShownValue(item).Trim());
            rows.push_back(row);
        }
        return rows;
    }

    // Turns the wheel over the grid until the item's row shows whole, as a user scrolls to it.
    bool ScrollTo(const CMFCPropertyGridProperty* item)
    {
        const QTreeWidget* tree = Grid().GetWidget()->findChild<QTreeWidget*>();
        for (int i = 0; tree != nullptr && i < 60; ++i)
        {
            const CRect cell = Grid().GetShownValueRect(item);
            if (cell.IsRectEmpty())
                return false;
            if (cell.top >= 0 && cell.bottom <= tree->viewport()->height())
                return true;
            UserInput::Wheel(&Grid(), cell.top < 0 ? 1 : -1);
        }
        return false;
    }

    // A click on the item's value, a second to start the edit, the text typed over what it
    // holds and Enter.
    void TypeInto(CMFCPropertyGridProperty* item, const char* text)
    {
        ASSERT_TRUE(ScrollTo(item));
        const QWidget* viewport = Grid().GetWidget()->findChild<QTreeWidget*>()->viewport();
        const auto editor = [viewport]() -> QWidget* {
            for (QWidget* w : viewport->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisible())
                    return w;
            return nullptr;
        };
        ASSERT_TRUE(ClickGridValue(Grid(), item, 20));
        PumpFor(QApplication::doubleClickInterval() + 50);
        if (!editor())
        {
            ASSERT_TRUE(ClickGridValue(Grid(), item, 20));
        }
        ASSERT_TRUE(PumpUntil([&] { return editor() != nullptr; }, 1000)) << "no editor opened";
        UserInput::Key(Qt::Key_A, Qt::ControlModifier);
        UserInput::Type(text, true);
        PumpFor(30);
    }

    // The leg count stepped with the spin's arrow keys, then Enter.
    void StepLegs(int key)
    {
        auto* spin = qobject_cast<QSpinBox*>(UserInput::OpenGridEditor(Grid(), "Number of Legs"));
        ASSERT_NE(spin, nullptr);
        UserInput::Key(key);
        UserInput::Key(Qt::Key_Return);
        PumpFor(30);
    }

    void Choose(const char* title)
    {
        auto* combo = qobject_cast<QComboBox*>(UserInput::OpenGridEditor(Grid(), "Name"));
        ASSERT_NE(combo, nullptr);
        ASSERT_TRUE(UserInput::PickFromDropDown(combo, title)) << title;
        PumpFor(30);
    }

    CAcousticApp m_App;
    CRecordingMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};

CString Metres(double value)
{
    CString text;
    text.Format("%.2lfm", value);
    return text;
}

CString Numbered(const char* format, int number)
{
    CString text;
    text.Format(format, number);
    return text;
}
} // namespace

// Each fix point is a title and its easting and northing items, whose data say which point and
// coordinate an edit goes to; with three legs the rows of the fourth leg go, and come back
// with their values when the user steps back to four.
TEST_F(TransitFixPaneTest, RowsFollowTheLegCount)
{
    WriteStartFix("Wreck", FourLegs());
    MakeFrame();
    CMFCPropertyGridProperty* fixes = Group("Fixes");
    ASSERT_NE(fixes, nullptr);
    ASSERT_EQ(fixes->GetSubItemsCount(), 24);
    for (int k = 1; k <= 8; ++k)
    {
        SCOPED_TRACE(k);
        EXPECT_EQ(CString(fixes->GetSubItem(3 * k - 3)->GetName()), Numbered("Fix %d", k));
        EXPECT_FALSE(SeeGridItem(Grid(), fixes->GetSubItem(3 * k - 3)).editable);
        const CMFCPropertyGridProperty* easting = fixes->GetSubItem(3 * k - 2);
        const CMFCPropertyGridProperty* northing = fixes->GetSubItem(3 * k - 1);
        EXPECT_EQ(easting->GetData(), static_cast<DWORD_PTR>(2 * k + 1));
        EXPECT_EQ(northing->GetData(), static_cast<DWORD_PTR>(2 * k + 2));
        EXPECT_EQ(Grid().GetShownValue(easting), Metres(FourLegs()[k - 1].x));
        EXPECT_EQ(Grid().GetShownValue(northing), Metres(FourLegs()[k - 1].y));
        EXPECT_TRUE(SeeGridItem(Grid(), northing).editable);
    }
    // What the pane computes is shown only.
    for (const char* group : {"Legs", "Bearings"})
        for (int k = 0; k < Group(group)->GetSubItemsCount(); ++k)
            EXPECT_FALSE(SeeGridItem(Grid(), Group(group)->GetSubItem(k)).editable) << group << " " << k;
    EXPECT_EQ(Shown("Bearings"), (std::vector<std::string>{" A to B", "D to C", "A to D", "B to C"}));

    StepLegs(Qt::Key_Down);
    EXPECT_EQ(Fix().m_NumberOfLegs, 3);
    EXPECT_EQ(Fix().m_NumberOfPoints, 6);
    ASSERT_EQ(Shown("Fixes").size(), 18u);
    EXPECT_EQ(Shown("Fixes")[15], "Fix 6");
    EXPECT_EQ(Shown("Legs"), (std::vector<std::string>{"Leg A", "Easting", "Northing", "Leg B", "Easting",
                                                       "Northing", "Leg C", "Easting", "Northing"}));
    EXPECT_EQ(Shown("Bearings"), (std::vector<std::string>{" A to B", "B to C", "A to C"}));
    // The three legs are saved: the settings say so and the file holds their six points.
    CTransitFix saved;
    EXPECT_EQ(saved.m_NumberOfLegs, 3);
    EXPECT_EQ(saved.m_FileName, "Wreck");
    EXPECT_EQ(saved.m_Points[5].x, FourLegs()[5].x);

    StepLegs(Qt::Key_Up);
    EXPECT_EQ(Fix().m_NumberOfLegs, 4);
    EXPECT_EQ(Shown("Fixes").size(), 24u);
    EXPECT_EQ(Shown("Bearings"), (std::vector<std::string>{" A to B", "D to C", "A to D", "B to C"}));
    EXPECT_EQ(Grid().GetShownValue(fixes->GetSubItem(19)), Metres(FourLegs()[6].x));
    EXPECT_EQ(Grid().GetShownValue(fixes->GetSubItem(23)), Metres(FourLegs()[7].y));
    EXPECT_TRUE(Fix().m_Computed);
    // No step goes past the range.
    StepLegs(Qt::Key_Up);
    EXPECT_EQ(Fix().m_NumberOfLegs, 4);
}

// Fix point 4's northing typed as the user types it: only that value changes, the file is
// written, the fix recomputed and its centre posted. A point taken back to 0 leaves no centre:
// the frame is told to redraw without being sent to the grid's origin. A number beyond any
// grid is refused and changes nothing.
TEST_F(TransitFixPaneTest, TypedPointsAreSavedRecomputedAndTheCentrePosted)
{
    std::vector<tagXY> start = FourLegs();
    start[3].y -= 30.0; // L4 askew: the fix lies off the object
    WriteStartFix("Wreck", start);
    MakeFrame();
    ASSERT_TRUE(Fix().m_Computed);
    ASSERT_NE(Fix().m_Centre.y, kN);
    CMFCPropertyGridProperty* northing4 = Grid().FindItemByData(10);
    ASSERT_NE(northing4, nullptr);
    ASSERT_EQ(northing4, Group("Fixes")->GetSubItem(11));

    TypeInto(northing4, "6000190");
    for (int i = 0; i < 8; ++i)
    {
        const tagXY expected = i == 3 ? FourLegs()[3] : start[static_cast<size_t>(i)];
        EXPECT_EQ(Fix().m_Points[i].x, expected.x) << i;
        EXPECT_EQ(Fix().m_Points[i].y, expected.y) << i;
    }
    CTransitFix readBack;
    ASSERT_TRUE(readBack.Load("Wreck"));
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ(readBack.m_Points[i].x, Fix().m_Points[i].x) << i;
        EXPECT_EQ(readBack.m_Points[i].y, Fix().m_Points[i].y) << i;
    }
    ASSERT_EQ(m_pFrame->m_Posted.size(), 1u);
    EXPECT_TRUE(m_pFrame->m_Posted[0].withPosition);
    EXPECT_NEAR(m_pFrame->m_Posted[0].e, kE, 1e-6);
    EXPECT_NEAR(m_pFrame->m_Posted[0].n, kN, 1e-6);
    EXPECT_EQ(Shown("Bearings", true), (std::vector<std::string>{" A to B=90.00", "D to C=90.00",
                                                                 "A to D=180.00", "B to C=180.00"}));

    m_pFrame->m_Posted.clear();
    TypeInto(Grid().FindItemByData(3), "0");
    EXPECT_EQ(Fix().m_Points[0].x, 0.0);
    EXPECT_FALSE(Fix().m_Computed);
    ASSERT_EQ(m_pFrame->m_Posted.size(), 1u);
    EXPECT_FALSE(m_pFrame->m_Posted[0].withPosition);
    TypeInto(Grid().FindItemByData(3), "500090");
    ASSERT_TRUE(Fix().m_Computed);

    const auto files = Files();
    m_pFrame->m_Posted.clear();
    ModalHook::Reset();
    ModalHook::AnswerMessageBox(IDOK);
    TypeInto(Grid().FindItemByData(4), "1e300");
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_NE(ModalHook::Shown()[0].text.Find("beyond any survey grid"), -1) << ModalHook::Shown()[0].text.GetString();
    EXPECT_EQ(Fix().m_Points[0].y, FourLegs()[0].y);
    EXPECT_EQ(Grid().GetShownValue(Grid().FindItemByData(4)), Metres(FourLegs()[0].y));
    EXPECT_TRUE(m_pFrame->m_Posted.empty());
    EXPECT_EQ(Files(), files);
}

// Three- and four-leg fixes chosen from the folder: the legs' crossings and bearings the pane
// shows, and the centre posted, are those the legs were built round.
TEST_F(TransitFixPaneTest, ChosenFilesShowTheirFix)
{
    WriteFile("Triangle.tfx", PointLines(ThreeLegs()));
    WriteFile("Square.TFX", PointLines(FourLegs()));
    WriteFile("notes.txt", "not a fix\r\n");
    MakeFrame();
    auto* combo = qobject_cast<QComboBox*>(UserInput::OpenGridEditor(Grid(), "Name"));
    ASSERT_NE(combo, nullptr);
    QStringList offered;
    for (int i = 0; i < combo->count(); ++i)
        offered << combo->itemText(i);
    EXPECT_EQ(offered, (QStringList{"Square", "Triangle"}));
    UserInput::Key(Qt::Key_Escape);
    PumpFor(20);

    struct Case
    {
        const char* title;
        int legs;
        std::vector<tagXY> crossings;
        tagXY centre;
        std::vector<std::string> bearings;
    } cases[] = {
        {"Triangle",
         3,
         {{kE, kN}, {kE + 100, kN}, {kE, kN + 100}},
         {kE + 50, kN + 50},
         {" A to B=90.00", "B to C=315.00", "A to C=0.00"}},
        {"Square",
         4,
         {{kE - 10, kN + 10}, {kE + 10, kN + 10}, {kE + 10, kN - 10}, {kE - 10, kN - 10}},
         {kE, kN},
         {" A to B=90.00", "D to C=90.00", "A to D=180.00", "B to C=180.00"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.title);
        const QByteArray file = Files()[QString(c.title) + (c.legs == 3 ? ".tfx" : ".TFX")];
        m_pFrame->m_Posted.clear();
        Choose(c.title);
        EXPECT_EQ(Fix().m_FileName, c.title);
        EXPECT_EQ(Fix().m_NumberOfLegs, c.legs);
        EXPECT_EQ(Grid().GetShownValue(Grid().FindItemByData(2)), Numbered("%d", c.legs));
        CMFCPropertyGridProperty* legs = Group("Legs");
        for (size_t i = 0; i < c.crossings.size(); ++i)
        {
            EXPECT_EQ(Grid().GetShownValue(legs->GetSubItem(static_cast<int>(3 * i + 1))), Metres(c.crossings[i].x))
                << i;
            EXPECT_EQ(Grid().GetShownValue(legs->GetSubItem(static_cast<int>(3 * i + 2))), Metres(c.crossings[i].y))
                << i;
        }
        EXPECT_EQ(Shown("Bearings", true), c.bearings);
        ASSERT_EQ(m_pFrame->m_Posted.size(), 1u);
        EXPECT_NEAR(m_pFrame->m_Posted[0].e, c.centre.x, 1e-6);
        EXPECT_NEAR(m_pFrame->m_Posted[0].n, c.centre.y, 1e-6);
        // The next start opens the chosen file, which is left as it was.
        CTransitFix next;
        EXPECT_EQ(next.m_FileName, c.title);
        EXPECT_EQ(Files()[QString(c.title) + (c.legs == 3 ? ".tfx" : ".TFX")], file);
    }
}

// A file that cannot be read whole, or that went away after it was listed, is told with what
// was wrong; no file is written, nothing is recomputed or posted, and the fix keeps its name
// and points. A file of 10 MB is read only as far as its points and is not changed.
TEST_F(TransitFixPaneTest, AFileThatDoesNotReadLeavesEverythingAsItWas)
{
    WriteStartFix("Wreck", FourLegs());
    QByteArray damaged = PointLines(ThreeLegs());
    damaged.replace("500050.000,6000350.000", "500050.000;6000350.000");
    WriteFile("Damaged.TFX", damaged);
    WriteFile("Gone.TFX", PointLines(ThreeLegs()));
    WriteFile("Long.TFX", QByteArray(1024 * 1024, '5') + "," + QByteArray(1024 * 1024, '6') + "\r\n" +
                              PointLines(ThreeLegs()));
    WriteFile("Huge.TFX", PointLines(FourLegs()) + QByteArray(10 * 1024 * 1024, 'x'));
    MakeFrame();
    TypeInto(Grid().FindItemByData(5), "500111"); // an edit of the user's: the file is the fix's own
    const tagXY before = Fix().m_Points[1];
    ASSERT_EQ(before.x, 500111.0);
    // Listed when the pane last looked, gone before it is chosen.
    ASSERT_TRUE(QFile::remove(FolderPath() + "/Gone.TFX"));

    struct Case
    {
        const char* title;
        const char* said;
    } cases[] = {
        {"Damaged", "Line 5 of "},
        {"Gone", "It could not be opened."},
        {"Long", "Line 1 of "},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.title);
        const auto files = Files();
        m_pFrame->m_Posted.clear();
        ModalHook::Reset();
        ModalHook::AnswerMessageBox(IDOK);
        Choose(c.title);
        ASSERT_EQ(ModalHook::Shown().size(), 1u);
        const CString& text = ModalHook::Shown()[0].text;
        EXPECT_EQ(text.Find("Transit fix file "), 0) << text.GetString();
        EXPECT_NE(text.Find(CString(c.title) + ".TFX could not be read"), -1) << text.GetString();
        EXPECT_NE(text.Find(c.said), -1) << text.GetString();
        EXPECT_EQ(Files(), files);
        EXPECT_TRUE(m_pFrame->m_Posted.empty());
        EXPECT_EQ(Fix().m_FileName, "Wreck");
        EXPECT_EQ(Fix().m_NumberOfLegs, 4);
        EXPECT_EQ(Fix().m_Points[1].x, before.x);
        for (int i = 2; i < 8; ++i)
            EXPECT_EQ(Fix().m_Points[i].y, FourLegs()[static_cast<size_t>(i)].y) << i;
        EXPECT_TRUE(Fix().m_Computed);
        EXPECT_EQ(Grid().GetShownValue(Grid().FindItemByData(1)), "Wreck");
    }

    ModalHook::Reset();
    const auto files = Files();
    Choose("Huge");
    EXPECT_TRUE(ModalHook::Shown().empty());
    EXPECT_EQ(Fix().m_FileName, "Huge");
    EXPECT_EQ(Fix().m_NumberOfLegs, 4);
    EXPECT_TRUE(Fix().m_Computed);
    EXPECT_EQ(Files()["Huge.TFX"], files.at("Huge.TFX"));
}

// Shown again, the pane tells the frame where the centre is even when nothing changed.
TEST_F(TransitFixPaneTest, ShowingThePaneAgainPostsTheCentre)
{
    WriteStartFix("Wreck", FourLegs());
    MakeFrame();
    Pane().ShowPane(FALSE, FALSE, FALSE);
    PumpFor(30);
    m_pFrame->m_Posted.clear();
    Pane().ShowPane(TRUE, FALSE, TRUE);
    PumpFor(30);
    ASSERT_GE(m_pFrame->m_Posted.size(), 1u);
    EXPECT_TRUE(m_pFrame->m_Posted.back().withPosition);
    EXPECT_NEAR(m_pFrame->m_Posted.back().e, kE, 1e-6);
    EXPECT_NEAR(m_pFrame->m_Posted.back().n, kN, 1e-6);
}

// While the program's window is minimised the pane leaves its grid as it is; restored, the
// grid fills the pane again.
TEST_F(TransitFixPaneTest, NoLayoutWhileTheMainWindowIsMinimised)
{
    WriteStartFix("Wreck", FourLegs());
    MakeFrame();
    m_App.m_pMainWnd = m_pFrame;
    CRect client;
    Pane().GetClientRect(&client);
    ASSERT_GT(client.Height(), 100);
    const auto gridSize = [this] {
        CRect r;
        Grid().GetWindowRect(&r);
        return std::make_pair(r.Width(), r.Height());
    };
    Grid().SetWindowPos(nullptr, 0, 0, 50, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->GetMainWindow()->showMinimized();
    PumpFor(30);
    ASSERT_TRUE(m_pFrame->IsIconic());
    Pane().AdjustLayout();
    EXPECT_EQ(gridSize(), std::make_pair(50, 40));
    m_pFrame->GetMainWindow()->showNormal();
    PumpFor(30);
    Pane().AdjustLayout();
    EXPECT_EQ(gridSize(), std::make_pair(client.Width(), client.Height()));
    m_App.m_pMainWnd = nullptr;
}

// The pane in the program's frame, started on the demo's transit fix in the transit-fix mode:
// the frame alone at the top level, the pane showing its rows whole.
TEST(TransitFixProgramTest, PaneShowsTheDemoFixAsTheUserSeesIt)
{
    const QString demo = QString(SUITE_SOURCE_DIR) + "/data/demo/";
    QDir().mkpath(FolderPath());
    ASSERT_TRUE(QFile::copy(demo + "MyData/Calibration/Transit Fix/Demo Transit.TFX", FolderPath() + "/Demo Transit.TFX"));
    CConfigFile names;
    const QString settings = LinuxPathFromWindows(names.GetSettingsFileName("Transit Fix"));
    ASSERT_TRUE(QFile::copy(demo + "MySettings/Acoustic/Transit_Fix.INI", settings));
    ASSERT_TRUE(CConfigFile::WriteSettingsFile("Acoustic", [](CConfigFile& file) { file.WriteInt("Mode", 5); }));

    CAcousticApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.GetMainFrame();
    ASSERT_NE(frame, nullptr);
    const HWND hFrame = frame->GetSafeHwnd();
    frame->GetMainWindow()->showNormal();
    frame->GetMainWindow()->resize(1400, 900);
    EXPECT_EQ(frame->GetMode(), 5);
    CTransitFixPane& pane = frame->m_wndTransitFixPane;
    pane.ShowPane(TRUE, FALSE, TRUE);
    pane.GetDockWidget()->raise();
    PumpFor(100);
    // Over the demo network's station TP3.
    EXPECT_EQ(frame->m_TransitFix.m_FileName, "Demo Transit");
    EXPECT_TRUE(frame->m_TransitFix.m_Computed);
    EXPECT_NEAR(frame->m_TransitFix.m_Centre.x, 500321.4, 0.1);
    EXPECT_NEAR(frame->m_TransitFix.m_Centre.y, 6000478.9, 0.1);
    FrameProbe::ExpectFrameAsUserSeesIt(frame, {{"Transit Fix", &pane}}, {},
                                        QString(SUITE_VISUAL_DIR) + "/acoustic-transit-fix.png");
    const FrameProbe::GridRowsSeen rows = FrameProbe::ReadGridRows(FrameProbe::GrabWindow(frame), &pane);
    EXPECT_GE(rows.wholeRows, 10);
    EXPECT_TRUE(rows.cutNames.empty()) << rows.cutNames.front();

    ModalHook::AnswerMessageBox(IDYES);
    frame->SendMessage(WM_CLOSE);
    PumpFor(50);
    EXPECT_FALSE(::IsWindow(hFrame));
}
