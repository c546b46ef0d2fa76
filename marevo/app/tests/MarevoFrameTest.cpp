// The Marevo program started as it starts for a user, offscreen, on temporary drives holding the
// tide data set's fixture files for the clock's year: the six panes and what each is given, the
// menu and its commands chosen on the menu bar, their update rules, the tide-curve message, a
// new year, day and night, printing, the two dialogs, damaged and missing files, closing, the
// OLE failure and the About box.
#include "TideFileWriter.h"

#include "foundation/ConfigFile.h"
#include "foundation/DateTime.h"
#include "foundation/WindowMessages.h"
#include "marevo/app/MainFrame.h"
#include "marevo/app/MarevoApp.h"
#include "marevo/app/MarevoResources.h"
#include "marevo/app/MarevoVersion.h"
#include "outside/input/InputYear.h"
#include "outside/kadenta/Kadenta.h"
#include "outside/quentra/TiffView.h"
#include "outside/tide/TidalDiamondComputation.h"
#include "outside/tide/TidalListingDlg.h"
#include "platform/core/Path.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "platform/ui/Resources.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/MenuProbe.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual/marevo"
#endif

namespace
{
int ClockYear()
{
    DateTimeDef now;
    GetLocalDateTime(now);
    return now.nYear;
}

QString Yearly(const char* base, int year)
{
    return QString("%1%2.DAT").arg(base).arg(year % 100, 2, 10, QChar('0'));
}

// The moon's phases of January and February of `year` (eight rows of the moon pane).
std::string MoonOfYear(int year)
{
    std::string bytes;
    for (int month = 1; month <= 2; ++month)
    {
        MoonPhaseDef phases;
        for (int i = 0; i < 4; ++i)
            phases.Phase[i] = MoonPhaseTime{year, month, 3 + 7 * i, 10, 30};
        bytes += MoonRecord(phases);
    }
    return bytes;
}

// The fixture's year of data (three Gulf of Maine stations, 13320, 10140 and 11250) installed
// as the data of `year`, with moon phases of that year; the turning points only when asked.
void InstallYear(int year, bool turningPoints)
{
    const QString from = QString(TIDE_FIXTURE_DIR) + "/";
    const QString to = TideFolder() + "/";
    // The fixture stores the port file under a name of its own.
    ASSERT_TRUE(QFile::copy(from + "TAF24.DAT", to + Yearly("TAF", year)));
    ASSERT_TRUE(QFile::copy(from + "PORTS24.DAT", to + Yearly("Part3", year)));
    WriteTideFile(Yearly("MOON", year), MoonOfYear(year));
    if (!turningPoints)
        return;
    ASSERT_TRUE(QFile::copy(from + "TP24.DAT", to + Yearly("TP", year)));
    ASSERT_TRUE(QFile::copy(from + "TP24.IDX", to + QString("TP%1.IDX").arg(year % 100)));
}

// Two diamonds: one of the fixture's first port, one of a port the data do not hold.
void InstallDiamonds()
{
    WriteTideFile("TidalDiamond.TDD",
                  DiamondRecord(7, 1, 0, 13320, 0, 0.7748, -1.1903, 0, 3,
                                {{-20, 45, 30, 14}, {0, 90, 40, 20}, {20, 200, 25, 12}}) +
                      DiamondRecord(8, 0, 0, 99, 0, 0.78, -1.19, 0, 1, {{0, 10, 20, 10}}));
}

CString SettingsPath(const char* name)
{
    CConfigFile file;
    return file.GetSettingsFileName(name);
}

QByteArray ReadLinux(const CString& windowsPath)
{
    QFile file(LinuxPathFromWindows(windowsPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteLinux(const CString& windowsPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(LinuxPathFromWindows(windowsPath)).path());
    QFile file(LinuxPathFromWindows(windowsPath));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The texts of the message boxes shown so far.
std::vector<CString> Boxes()
{
    std::vector<CString> boxes;
    for (const MODAL_RECORD& r : ModalHook::Shown())
        if (r.kind == MODAL_RECORD::MessageBox)
            boxes.push_back(r.text);
    return boxes;
}

class MarevoFrameTest : public ::testing::Test
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

    // Starts the program as its InitInstance does, on the data installed so far.
    void Start()
    {
        ASSERT_TRUE(m_App.InitInstance());
        m_pFrame = m_App.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFrame->GetMainWindow()->resize(1400, 900);
        PumpFor(100);
    }

    // The clock's year with its turning points and the diamonds: the program's usual start.
    void StartOnFullYear()
    {
        InstallYear(ClockYear(), true);
        InstallDiamonds();
        Start();
    }

    QMenuBar* MenuBar() const { return qobject_cast<QMenuBar*>(m_pFrame->m_wndMenuBar.GetWidget()); }

    bool Choose(const char* popup, const char* item)
    {
        return UserInput::ChooseFromMenuBar(MenuBar(), popup, item);
    }

    // Enabled and checked as the item's menu shows them when it opens.
    std::pair<bool, bool> ItemState(const char* popup, const char* item)
    {
        for (QAction* title : MenuBar()->actions())
        {
            if (title->text() != popup || !title->menu())
                continue;
            emit title->menu()->aboutToShow();
            for (QAction* action : title->menu()->actions())
                if (action->text() == item)
                    return {action->isEnabled(), action->isChecked()};
        }
        ADD_FAILURE() << "no item " << popup << " > " << item;
        return {false, false};
    }

    CMarevoApp m_App;
    CMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};
} // namespace

TEST_F(MarevoFrameTest, StartLoadsTheClocksYearAndGivesItToTheSixPanes)
{
    StartOnFullYear();
    // Everything read: nothing to tell.
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(m_pFrame->m_NP159.m_nYear, ClockYear());
    EXPECT_GT(m_pFrame->m_NP159.m_TidalFactors.GetSize(), 360);
    EXPECT_EQ(m_pFrame->m_NP159.m_pPorts->GetSize(), 3);
    ASSERT_EQ(m_pFrame->m_StandardPortList.GetSize(), 3);
    // The diamonds are linked to the year's standard ports.
    ASSERT_EQ(m_pFrame->m_TidalDiamond.GetSize(), 2);
    EXPECT_EQ(m_pFrame->m_TidalDiamond[0]->pPort, m_pFrame->m_StandardPortList.FindNumber("13320"));
    EXPECT_EQ(m_pFrame->m_TidalDiamond[1]->pPort, nullptr);

    // Settings files that are not there: each object's own defaults.
    EXPECT_EQ(m_pFrame->m_TimeZone.m_nZone, 1);
    EXPECT_EQ(m_pFrame->m_TimeZone.m_nDecimals, 2);
    EXPECT_EQ(m_pFrame->m_TidalDiamond.m_nDisplayValue, 3);
    EXPECT_FALSE(m_pFrame->m_TidalDiamond.m_bDisplayFlag);
    EXPECT_EQ(m_pFrame->m_TidalDiamond.m_dDisplayValue, -1.0);
    EXPECT_EQ(m_pFrame->m_TidalDiamond.m_nDisplayIndex, -1);
    EXPECT_EQ(m_pFrame->m_CoTidalChart.m_strFileName, "5058");
    EXPECT_EQ(m_pFrame->GetCoTidalChartValue(), 1);
    EXPECT_FALSE(m_pFrame->m_Clearance.m_bClearance);

    struct Expected
    {
        UINT id;
        CDockablePane* pane;
        const char* title;
    };
    const Expected panes[] = {
        {32902, &m_pFrame->m_wndTidePortPane, "Tidal Port"},
        {32909, &m_pFrame->m_wndMoonPane, nullptr},
        {32910, &m_pFrame->m_wndHarmonicConstantsPane, nullptr},
        {32785, &m_pFrame->m_wndTurningPointPane, nullptr},
        {32783, &m_pFrame->m_wndTidalDiamondPane, nullptr},
        {32792, &m_pFrame->m_wndTideCurvePane, nullptr},
    };
    for (const Expected& e : panes)
    {
        SCOPED_TRACE(e.id);
        EXPECT_EQ(m_pFrame->GetPaneOfId(e.id), e.pane);
        if (e.title)
        {
            EXPECT_EQ(e.pane->GetTitle(), e.title);
        }
        // Docked in the frame's window and shown at a first start.
        ASSERT_NE(e.pane->GetDockWidget(), nullptr);
        EXPECT_FALSE(e.pane->GetDockWidget()->isFloating());
        EXPECT_EQ(e.pane->GetDockWidget()->parentWidget(), m_pFrame->GetMainWindow());
        EXPECT_TRUE(e.pane->IsVisible());
    }
    // What each pane shows is the year's data.
    EXPECT_EQ(m_pFrame->m_wndMoonPane.GetList().GetItemCount(), 8);
    EXPECT_EQ(m_pFrame->m_wndHarmonicConstantsPane.GetList().GetItemCount(),
              m_pFrame->m_NP159.m_TidalFactors.GetSize());
    EXPECT_GT(m_pFrame->m_wndTurningPointPane.GetList().GetItemCount(), 1000);
    EXPECT_EQ(m_pFrame->m_wndTidePortPane.GetPortIndex(), 0);
    EXPECT_FALSE(m_pFrame->m_wndTideCurvePane.DaySamples().empty());

    // The template's document and the raster chart view.
    EXPECT_NE(dynamic_cast<CTiffView*>(m_pFrame->GetActiveView()), nullptr);
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_NE(title.Find("Marevo"), -1) << (LPCSTR)title;
}

TEST_F(MarevoFrameTest, FrameAsTheUserSeesIt)
{
    StartOnFullYear();
    m_pFrame->GetMainWindow()->showNormal();
    m_pFrame->GetMainWindow()->resize(1400, 900);
    PumpFor(100);
    const QString png = QString(SUITE_VISUAL_DIR) + "/marevo.png";
    QDir().mkpath(SUITE_VISUAL_DIR);
    FrameProbe::ExpectFrameAsUserSeesIt(m_pFrame,
                                        {{"Tidal Port", &m_pFrame->m_wndTidePortPane},
                                         {"Moon Data", &m_pFrame->m_wndMoonPane},
                                         {"Harmonic Constants", &m_pFrame->m_wndHarmonicConstantsPane},
                                         {"Turning Points", &m_pFrame->m_wndTurningPointPane},
                                         {"Tidal Diamonds", &m_pFrame->m_wndTidalDiamondPane},
                                         {"Tide Curve", &m_pFrame->m_wndTideCurvePane}},
                                        {}, png);
    EXPECT_TRUE(QFile::exists(png));
}

TEST_F(MarevoFrameTest, MenuLabelsAndIdsAsGiven)
{
    StartOnFullYear();
    MenuProbe::ExpectMenu(
        m_pFrame,
        {
            {"&File", {{"Set Year", 32776}, {"E&xit", ID_APP_EXIT}}},
            {"Tides",
             {{"Tidal Port", 32902},
              {"Tide Curve", 32792},
              {"Print Tide Table", 32912},
              {"Moon Data", 32909},
              {"Harmonic Constants", 32910},
              {"Turning Points", 32785}}},
            {"Tidal Diamonds", {{"Tidal DiamondPane", 32783}, {"Computation", 32787}}},
            {"&View", {{"&Day Mode", 32846}, {"&Night Mode", 32847}, {"&Status Bar", ID_VIEW_STATUS_BAR}}},
            {"Report", {{"Tidal Listing", 32790}}},
            {"&Help", {{"&About Marevo...", ID_APP_ABOUT}, {"Contact Details", 32788}}},
        });
    // The menu bar is the framework's, with the program's style.
    EXPECT_EQ(m_pFrame->m_wndMenuBar.GetDlgCtrlID(), static_cast<int>(AFX_IDW_MENUBAR));
    // There is no status bar to show.
    EXPECT_FALSE(ItemState("&View", "&Status Bar").first);
}

// Each pane toggled from its menu item on the menu bar, the item checked while it shows.
TEST_F(MarevoFrameTest, PaneItemsToggleTheirPanesAndAreCheckedWhileShown)
{
    StartOnFullYear();
    struct Case
    {
        const char* popup;
        const char* item;
        CDockablePane* pane;
    };
    const Case cases[] = {
        {"Tides", "Tidal Port", &m_pFrame->m_wndTidePortPane},
        {"Tides", "Tide Curve", &m_pFrame->m_wndTideCurvePane},
        {"Tides", "Moon Data", &m_pFrame->m_wndMoonPane},
        {"Tides", "Harmonic Constants", &m_pFrame->m_wndHarmonicConstantsPane},
        {"Tides", "Turning Points", &m_pFrame->m_wndTurningPointPane},
        {"Tidal Diamonds", "Tidal DiamondPane", &m_pFrame->m_wndTidalDiamondPane},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.item);
        ASSERT_TRUE(c.pane->IsVisible());
        EXPECT_EQ(ItemState(c.popup, c.item), std::make_pair(true, true));
        ASSERT_TRUE(Choose(c.popup, c.item));
        EXPECT_FALSE(c.pane->IsVisible());
        EXPECT_EQ(ItemState(c.popup, c.item), std::make_pair(true, false));
        ASSERT_TRUE(Choose(c.popup, c.item));
        EXPECT_TRUE(c.pane->IsVisible());
    }
}

// Without the year's tidal factors the curve and the diamonds cannot be shown; the other panes
// can.
TEST_F(MarevoFrameTest, WithoutTidalFactorsCurveAndDiamondsAreDisabled)
{
    const int year = ClockYear();
    InstallYear(year, true);
    ASSERT_TRUE(QFile::remove(TideFolder() + "/" + Yearly("TAF", year)));
    ModalHook::AnswerMessageBox(IDOK);
    Start();
    ASSERT_TRUE(m_pFrame->m_NP159.m_TidalFactors.IsEmpty());
    struct Case
    {
        const char* popup;
        const char* item;
        bool enabled;
    };
    const Case cases[] = {
        {"Tides", "Tide Curve", false},    {"Tidal Diamonds", "Tidal DiamondPane", false},
        {"Tides", "Tidal Port", true},     {"Tides", "Moon Data", true},
        {"Tides", "Turning Points", true}, {"Tides", "Harmonic Constants", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.item);
        const auto state = ItemState(c.popup, c.item);
        EXPECT_EQ(state.first, c.enabled);
        if (!c.enabled)
        {
            EXPECT_FALSE(state.second);
            // A greyed item does nothing, chosen or sent.
            EXPECT_FALSE(Choose(c.popup, c.item));
        }
    }
    // The start said why, once, the year's missing data first.
    const std::vector<CString> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Find(CString("No tidal data for ") + std::to_string(year).c_str()), 0)
        << (LPCSTR)boxes[0];
    EXPECT_EQ(boxes[0].Find("No turning-point data"), -1) << (LPCSTR)boxes[0];
}

// "Print Tide Table" only while the current port is a standard port, its number compared
// without regard to case.
TEST_F(MarevoFrameTest, PrintTideTableFollowsTheCurrentPortsStandardPort)
{
    const int year = ClockYear();
    struct Case
    {
        const char* port;
        const char* standard; // null: no turning-point files
        bool enabled;
    };
    const Case cases[] = {
        {"123a", "0123A", true},  // the same number in another case
        {"123A", "0123A", true},  //
        {"124a", "0123A", false}, // another number
        {"123a", nullptr, false}, // no standard ports this year
    };
    const std::string day = FactorRecord(TidalFactorDef{});
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.port) + " / " + (c.standard ? c.standard : "none"));
        QDir(TideFolder()).removeRecursively();
        WriteTideFile(Yearly("TAF", year), Repeat(day, 367));
        WriteTideFile(Yearly("Part3", year), PortRecord(TestPort{c.port, "Harbour", "", 50.0, -1.0,
                                                                 std::vector<double>(13, 0.5), 0}));
        if (c.standard)
        {
            const int64_t noon =
                (static_cast<int64_t>(year - 1970) * 365 + (year - 1969) / 4) * 86400 + 43200;
            WriteTideFile(QString("TP%1.IDX").arg(year % 100),
                          IndexRecord(7, "Harbour", c.standard, "+0000"));
            WriteTideFile(Yearly("TP", year), TurningRecord(c.standard, noon, 2.5) +
                                                  TurningRecord(c.standard, noon + 6 * 3600, 0.5));
        }
        // The frame as the template makes it; it ends itself with its window.
        RegisterMarevoResources();
        auto* frame = new CMainFrame;
        ASSERT_EQ(frame->m_NP159.m_pPorts->GetSize(), 1);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAREVO_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        const UINT state = AfxGetMenuItemState(frame, ID_MAREVO_PRINT_TIDE_TABLE);
        EXPECT_NE(state, static_cast<UINT>(-1));
        EXPECT_EQ((state & MF_GRAYED) == 0, c.enabled);
        frame->DestroyWindow();
        PumpFor(10);
    }
}

TEST_F(MarevoFrameTest, PrintTideTableToAFileReachesThePortPanesTable)
{
    StartOnFullYear();
    const CString pdf = "C:\\tide table.pdf";
    PRINT_DIALOG_ANSWER answer;
    answer.outputFile = pdf;
    ModalHook::AnswerPrintDialog(answer);
    ASSERT_TRUE(Choose("Tides", "Print Tide Table"));
    PumpFor(50);
    const QByteArray bytes = ReadLinux(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF")) << bytes.left(20).toStdString();
    EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::PrintDialog);
}

// The panes' message: -1 redraws and shows the curve; a port index moves both panes and is kept
// in "Marevo"; an index outside the ports changes nothing.
TEST_F(MarevoFrameTest, TideCurveMessageMovesThePortAndKeepsIt)
{
    StartOnFullYear();
    const CString settings = SettingsPath("Marevo");
    CTideCurvePane& curve = m_pFrame->m_wndTideCurvePane;
    struct Case
    {
        LPARAM index;
        int port;           // both panes' port afterwards
        bool curveShown;    // the curve pane afterwards (it is hidden before)
        QByteArray written; // "Marevo" afterwards; empty: not there
    };
    const Case cases[] = {
        {-1, 0, true, {}},
        {2, 2, true, "Port Index = 2\r\n"},
        {99, 2, false, "Port Index = 2\r\n"},
        {-7, 2, false, "Port Index = 2\r\n"},
        {static_cast<LPARAM>(0x100000001LL), 2, false, "Port Index = 2\r\n"},
        {1, 1, true, "Port Index = 1\r\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(static_cast<long long>(c.index));
        curve.ShowPane(FALSE, FALSE, FALSE);
        PumpFor(10);
        ASSERT_FALSE(curve.IsVisible());
        m_pFrame->PostMessage(UM_NP159_TIDE_CURVE, 0, c.index);
        PumpFor(30);
        EXPECT_EQ(curve.IsVisible() != FALSE, c.curveShown);
        EXPECT_EQ(m_pFrame->m_wndTidePortPane.GetPortIndex(), c.port);
        EXPECT_EQ(m_pFrame->m_NP159.m_nCurrentPort, c.port);
        EXPECT_EQ(ReadLinux(settings), c.written);
    }
}

namespace
{
// Counts the paints a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

// -1 (a new day chosen on the curve) redraws the shown curve, and only that.
TEST_F(MarevoFrameTest, TideCurveMessageOfANewDayRedrawsTheCurve)
{
    StartOnFullYear();
    const CString settings = SettingsPath("Marevo");
    PaintCounter counter;
    m_pFrame->m_wndTideCurvePane.GetGraph().GetWidget()->installEventFilter(&counter);
    PumpFor(30);
    counter.paints = 0;
    m_pFrame->PostMessage(UM_NP159_TIDE_CURVE, 0, -1);
    PumpFor(50);
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(m_pFrame->m_wndTideCurvePane.IsVisible());
    EXPECT_FALSE(QFile::exists(LinuxPathFromWindows(settings)));
    m_pFrame->m_wndTideCurvePane.GetGraph().GetWidget()->removeEventFilter(&counter);
}

// A port chosen in the port pane, as the user chooses it, moves the curve to that port.
TEST_F(MarevoFrameTest, PortChosenInThePortPaneMovesTheCurve)
{
    StartOnFullYear();
    const std::vector<std::pair<double, double>> before = m_pFrame->m_wndTideCurvePane.DaySamples();
    const CTidalPort* third = m_pFrame->m_NP159.m_pPorts->GetAt(2);
    const CString choice = third->m_strNumber + " " + third->m_strName;
    ASSERT_TRUE(
        UserInput::PickInGrid(m_pFrame->m_wndTidePortPane.GetPropertyGrid(), "Port", choice.GetString()));
    PumpFor(50);
    EXPECT_EQ(m_pFrame->m_NP159.m_nCurrentPort, 2);
    EXPECT_EQ(m_pFrame->m_wndTidePortPane.GetPortIndex(), 2);
    EXPECT_NE(m_pFrame->m_wndTideCurvePane.DaySamples(), before);
    EXPECT_EQ(ReadLinux(SettingsPath("Marevo")), "Port Index = 2\r\n");
}

// A new year typed into the year dialog: the data reloaded and every pane on it; a year
// without turning points says so and shows none; a year outside the window is refused.
TEST_F(MarevoFrameTest, SetYearReloadsTheDataAndTellsWhatIsMissing)
{
    const int year = ClockYear();
    const int next = year + 1;
    InstallYear(year, true);
    InstallYear(next, false);
    InstallDiamonds();
    Start();
    ASSERT_GT(m_pFrame->m_wndTurningPointPane.GetList().GetItemCount(), 0);
    ASSERT_NE(m_pFrame->m_TidalDiamond[0]->pPort, nullptr);

    CString shown;
    ModalHook::AnswerMessageBox(IDOK); // the refusal of 1970
    ModalHook::AnswerMessageBox(IDOK); // what the new year lacks
    ModalHook::AnswerDialog(IDD_INPUT_YEAR, [&](CDialog* dialog) {
        dialog->GetDlgItemText(IDC_INPUT_YEAR_VALUE, shown);
        for (const QString& text : {QString("1970"), QString::number(next)})
        {
            dialog->SetDlgItemText(IDC_INPUT_YEAR_VALUE, "");
            dialog->GetDlgItem(IDC_INPUT_YEAR_VALUE)->SetFocus();
            Pump();
            UserInput::Type(text, false);
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        }
        return IDCANCEL; // used only if the dialog refused both
    });
    ASSERT_TRUE(Choose("&File", "Set Year"));
    PumpFor(50);
    EXPECT_EQ(shown, CString(std::to_string(year).c_str()));
    const std::vector<CString> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Type a whole year from 2000 to 2099.");
    EXPECT_EQ(boxes[1], CString("No turning-point data for ") + std::to_string(next).c_str());

    EXPECT_EQ(m_pFrame->m_NP159.m_nYear, next);
    EXPECT_GT(m_pFrame->m_NP159.m_TidalFactors.GetSize(), 360);
    // The old year's turning points are gone, not shown as this year's.
    EXPECT_EQ(m_pFrame->m_StandardPortList.GetSize(), 0);
    EXPECT_EQ(m_pFrame->m_wndTurningPointPane.GetList().GetItemCount(), 0);
    EXPECT_EQ(m_pFrame->m_TidalDiamond[0]->pPort, nullptr);
    // The moon's and the factors' panes show the new year's dates.
    const CString nextText = std::to_string(next).c_str();
    ASSERT_GT(m_pFrame->m_wndMoonPane.GetList().GetItemCount(), 0);
    EXPECT_NE(m_pFrame->m_wndMoonPane.GetList().GetItemText(0, 1).Find(nextText), -1);
    EXPECT_NE(m_pFrame->m_wndHarmonicConstantsPane.GetList().GetItemText(0, 0).Find(nextText), -1);

    // Back to the first year: everything returns, and nothing to tell.
    ModalHook::AnswerDialog(IDD_INPUT_YEAR, [&](CDialog* dialog) {
        dialog->SetDlgItemText(IDC_INPUT_YEAR_VALUE, std::to_string(year).c_str());
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDCANCEL;
    });
    ASSERT_TRUE(Choose("&File", "Set Year"));
    PumpFor(50);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(m_pFrame->m_StandardPortList.GetSize(), 3);
    EXPECT_GT(m_pFrame->m_wndTurningPointPane.GetList().GetItemCount(), 0);
    EXPECT_NE(m_pFrame->m_TidalDiamond[0]->pPort, nullptr);
}

TEST_F(MarevoFrameTest, CancelledYearDialogKeepsTheYear)
{
    StartOnFullYear();
    ModalHook::AnswerDialog(IDD_INPUT_YEAR, [](CDialog* dialog) {
        dialog->SetDlgItemText(IDC_INPUT_YEAR_VALUE, "2031");
        return IDCANCEL;
    });
    ASSERT_TRUE(Choose("&File", "Set Year"));
    PumpFor(20);
    EXPECT_EQ(m_pFrame->m_NP159.m_nYear, ClockYear());
    EXPECT_EQ(m_pFrame->m_StandardPortList.GetSize(), 3);
}

// Night colours reach the five table and grid panes and never the curve, whose colours are
// its own; the two items are checked by the port pane's mode.
TEST_F(MarevoFrameTest, DayAndNightReachFivePanesNotTheCurve)
{
    StartOnFullYear();
    m_pFrame->GetMainWindow()->showNormal();
    PumpFor(50);
    CDockablePane* const five[] = {&m_pFrame->m_wndTidePortPane, &m_pFrame->m_wndMoonPane,
                                   &m_pFrame->m_wndHarmonicConstantsPane, &m_pFrame->m_wndTidalDiamondPane,
                                   &m_pFrame->m_wndTurningPointPane};
    const CWnd* curveGraph = &m_pFrame->m_wndTideCurvePane.GetGraph();
    const QImage day = FrameProbe::GrabWindow(m_pFrame);
    EXPECT_EQ(ItemState("&View", "&Day Mode"), std::make_pair(true, true));
    EXPECT_EQ(ItemState("&View", "&Night Mode"), std::make_pair(true, false));

    ASSERT_TRUE(Choose("&View", "&Night Mode"));
    PumpFor(50);
    EXPECT_TRUE(m_pFrame->m_wndTidePortPane.GetNightMode());
    EXPECT_TRUE(m_pFrame->m_wndMoonPane.GetNightMode());
    EXPECT_TRUE(m_pFrame->m_wndHarmonicConstantsPane.GetNightMode());
    EXPECT_TRUE(m_pFrame->m_wndTidalDiamondPane.GetNightMode());
    EXPECT_TRUE(m_pFrame->m_wndTurningPointPane.GetNightMode());
    EXPECT_EQ(ItemState("&View", "&Day Mode"), std::make_pair(true, false));
    EXPECT_EQ(ItemState("&View", "&Night Mode"), std::make_pair(true, true));
    const QImage night = FrameProbe::GrabWindow(m_pFrame);
    for (CDockablePane* pane : five)
    {
        const QRect area = FrameProbe::PaneRect(pane);
        ASSERT_FALSE(area.isEmpty()) << (LPCSTR)pane->GetTitle();
        EXPECT_NE(FrameProbe::BackgroundColour(night, area), FrameProbe::BackgroundColour(day, area))
            << (LPCSTR)pane->GetTitle();
    }
    const QRect graph = FrameProbe::PaneRect(curveGraph);
    ASSERT_FALSE(graph.isEmpty());
    EXPECT_EQ(FrameProbe::BackgroundColour(night, graph), FrameProbe::BackgroundColour(day, graph));

    ASSERT_TRUE(Choose("&View", "&Day Mode"));
    PumpFor(50);
    for (CDockablePane* pane : five)
    {
        const QRect area = FrameProbe::PaneRect(pane);
        EXPECT_EQ(FrameProbe::BackgroundColour(FrameProbe::GrabWindow(m_pFrame), area),
                  FrameProbe::BackgroundColour(day, area))
            << (LPCSTR)pane->GetTitle();
    }
}

TEST_F(MarevoFrameTest, ComputationAndListingOpenTheirDialogsOnTheProgramsData)
{
    StartOnFullYear();
    CString diamond, listing;
    ModalHook::AnswerDialog(IDD_TIDAL_DIAMOND_COMPUTATION, [&](CDialog* dialog) {
        dialog->GetDlgItemText(IDC_DIAMOND_CHOICE, diamond);
        return IDCANCEL;
    });
    ASSERT_TRUE(Choose("Tidal Diamonds", "Computation"));
    PumpFor(20);
    ModalHook::AnswerDialog(IDD_TIDAL_LISTING, [&](CDialog* dialog) {
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LISTING_SHOW, BN_CLICKED));
        CListBox* list = static_cast<CListBox*>(dialog->GetDlgItem(IDC_LISTING_LIST));
        listing.Format("%d", list ? list->GetCount() : -1);
        return IDCANCEL;
    });
    ASSERT_TRUE(Choose("Report", "Tidal Listing"));
    PumpFor(20);
    std::vector<UINT> opened;
    for (const MODAL_RECORD& r : ModalHook::Shown())
        if (r.kind == MODAL_RECORD::Dialog)
            opened.push_back(r.id);
    EXPECT_EQ(opened, (std::vector<UINT>{IDD_TIDAL_DIAMOND_COMPUTATION, IDD_TIDAL_LISTING}));
    // The diamond chooser holds the program's diamonds; the listing the current port's waters.
    EXPECT_NE(diamond.Find("007A"), -1) << (LPCSTR)diamond;
    EXPECT_GT(atoi(listing), 0) << (LPCSTR)listing;
}

// Damaged data and settings files: every one named, file and record or line, in one message
// after the start; each damaged setting takes its default.
TEST_F(MarevoFrameTest, DamagedFilesAreNamedInOneMessage)
{
    const int year = ClockYear();
    InstallYear(year, true);
    InstallDiamonds();
    // Three whole records, then ten bytes of the fourth.
    const QString taf = TideFolder() + "/" + Yearly("TAF", year);
    {
        QFile file(taf);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(64 * 3 + 10));
    }
    const QByteArray junk("= x\r\n\x01\x02 no equals\r\n", 20);
    for (const char* name : {"TimeZone", "NP159", "Clearance"})
        WriteLinux(SettingsPath(name), junk);
    WriteLinux(SettingsPath("TidalDiamond"), "Display = 300\r\n\x01\x02 no equals\r\n");
    WriteLinux(SettingsPath("CoTidalChart"), "Chart = ..\\..\\MySettings\\Secret\r\nIn Use = two\r\n");
    ModalHook::AnswerMessageBox(IDOK);
    Start();
    const std::vector<CString> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const CString& text = boxes[0];
    const std::string yy = QString("%1").arg(year % 100, 2, 10, QChar('0')).toStdString();
    for (const std::string& named :
         {"TAF" + yy + ".DAT record 4", std::string("TimeZone.INI line 1"),
          std::string("TimeZone.INI line 2"), std::string("TidalDiamond.INI line 1"),
          std::string("TidalDiamond.INI line 2"), std::string("NP159.INI line 1"),
          std::string("Clearance.INI line 1"), std::string("CoTidalChart.INI line 1"),
          std::string("CoTidalChart.INI line 2")})
        EXPECT_NE(text.Find(named.c_str()), -1) << named << "\n" << (LPCSTR)text;
    EXPECT_EQ(m_pFrame->m_NP159.m_TidalFactors.GetSize(), 3);
    // The defaults of lines that give nothing.
    EXPECT_EQ(m_pFrame->m_TimeZone.m_nZone, 0);
    EXPECT_EQ(m_pFrame->m_TimeZone.m_nDecimals, 2);
    EXPECT_EQ(m_pFrame->m_TidalDiamond.m_nDisplayValue, 0);
    EXPECT_FALSE(m_pFrame->m_TidalDiamond.m_bDisplayFlag);
    // A chart name that reaches out of the tide folder is not followed.
    EXPECT_EQ(m_pFrame->m_CoTidalChart.m_strFileName, "5058");
    EXPECT_EQ(m_pFrame->GetCoTidalChartValue(), 1);
    // Told once: nothing more when asked again.
    m_pFrame->TellLoadProblems();
    EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(MarevoFrameTest, MissingDataFilesGiveEmptyPanesAndOneMessage)
{
    ModalHook::AnswerMessageBox(IDOK);
    Start();
    const int year = ClockYear();
    const std::vector<CString> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], CString("No tidal data for ") + std::to_string(year).c_str() +
                            "\nNo turning-point data for " + std::to_string(year).c_str());
    EXPECT_EQ(m_pFrame->m_wndMoonPane.GetList().GetItemCount(), 0);
    EXPECT_EQ(m_pFrame->m_wndHarmonicConstantsPane.GetList().GetItemCount(), 0);
    EXPECT_EQ(m_pFrame->m_wndTurningPointPane.GetList().GetItemCount(), 0);
    EXPECT_TRUE(m_pFrame->m_wndTideCurvePane.DaySamples().empty());
    EXPECT_FALSE(ItemState("Tides", "Print Tide Table").first);
}

// A huge "TAF" file: the reader takes its record limit and stops, so the start stays quick.
TEST_F(MarevoFrameTest, HugeFactorFileStartsWithinASecond)
{
    const int year = ClockYear();
    InstallYear(year, true);
    {
        QFile file(TideFolder() + "/" + Yearly("TAF", year));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(qint64(1) << 30)); // sparse: a gigabyte of zeros after the fixture
    }
    QElapsedTimer timer;
    timer.start();
    CMainFrame frame;
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_LE(frame.m_NP159.m_TidalFactors.GetSize(), 367);
}

TEST_F(MarevoFrameTest, ExitQuestionNoKeepsEverythingYesCloses)
{
    StartOnFullYear();
    for (int answer : {IDNO, IDCANCEL})
    {
        ModalHook::AnswerMessageBox(answer);
        m_pFrame->SendMessage(WM_CLOSE);
        PumpFor(30);
        ASSERT_TRUE(::IsWindow(m_hFrame)) << answer;
        EXPECT_TRUE(m_pFrame->IsWindowVisible());
        const MODAL_RECORD& asked = ModalHook::Shown().back();
        EXPECT_EQ(asked.text, "Are you sure you wish to exit program");
        EXPECT_EQ(asked.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
        EXPECT_EQ(asked.flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
    }
    EXPECT_EQ(m_pFrame->m_StandardPortList.GetSize(), 3);
    EXPECT_TRUE(m_pFrame->m_wndTideCurvePane.IsVisible());
    // Exit on the File menu asks the same.
    ModalHook::AnswerMessageBox(IDYES);
    ASSERT_TRUE(Choose("&File", "E&xit"));
    PumpFor(30);
    EXPECT_FALSE(::IsWindow(m_hFrame));
    m_pFrame = nullptr;
}

namespace
{
class CFailingOleApp : public CMarevoApp
{
protected:
    BOOL InitialiseOle() override { return FALSE; }
};
} // namespace

TEST(MarevoStartTest, OleFailureShowsItsMessageAndEnds)
{
    CFailingOleApp app;
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    const MODAL_RECORD& box = ModalHook::Shown().front();
    EXPECT_EQ(box.text,
              "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
    EXPECT_EQ(box.flags & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(MarevoFrameTest, AboutBoxAndContactDetails)
{
    qputenv("SUITE_COMPANY_LIBRARY", "/no/such/libCompany.so");
    StartOnFullYear();
    CString version, company;
    ModalHook::AnswerDialog(IDD_KADENTA_ABOUT, [&](CDialog* dialog) {
        dialog->GetDlgItemText(IDC_KADENTA_VERSION, version);
        dialog->GetDlgItemText(IDC_KADENTA_COMPANY, company);
        return IDOK;
    });
    ASSERT_TRUE(Choose("&Help", "&About Marevo..."));
    PumpFor(20);
    EXPECT_EQ(version, "Version " + GetMarevoVersion());
    EXPECT_NE(company.Find("Quorvel Limited"), -1) << (LPCSTR)company;
    EXPECT_EQ(GetProgramVersion(&kMarevoVersionBlock, kMarevoVersionRule, "Mar  7 2026"), "1.26.3.7");
    EXPECT_STREQ(kMarevoVersionBlock.companyName, "Quorvel Limited");
    EXPECT_STREQ(kMarevoVersionBlock.productName, "Marevo");

    // Without the company's library nothing shows and the program goes on.
    const size_t shown = ModalHook::Shown().size();
    ASSERT_TRUE(Choose("&Help", "Contact Details"));
    PumpFor(20);
    EXPECT_EQ(ModalHook::Shown().size(), shown);
    EXPECT_TRUE(::IsWindow(m_hFrame));
    qunsetenv("SUITE_COMPANY_LIBRARY");
}
