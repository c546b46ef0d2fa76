// The spreadsheet view in the running program: its heading and body menus as the user sees
// them, their choices, and the conversions they start.
#include "foundation/AngleFormat.h"
#include "foundation/Folders.h"
#include "geodesy/Projection.h"
#include "geodetic/GeodeticApp.h"
#include "geodetic/GeodeticResources.h"
#include "geodetic/GeodeticView.h"
#include "geodetic/MainFrame.h"
#include "platform/io/ComPortTable.h"
#include "platform/core/Path.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/TempDrives.h"
#include "testsupport/UserInput.h"
#include "testsupport/ViewKeys.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <vector>

#include "outside/deklino/DeklinoResources.h"

namespace
{
class GeodeticViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // No serial port and no UDP input: only the sheet matters here.
        AfxSetComPortDefaultMapping(false);
        ModalHook::AnswerDialog(IDD_MAGVAR_SPLASH, [](CDialog*) { return IDOK; });
        ASSERT_TRUE(m_App.InitInstance());
        m_pFrame = m_App.GetMainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pView = m_pFrame->GetGeodeticView();
        ASSERT_NE(m_pView, nullptr);
    }

    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
        {
            ModalHook::AnswerMessageBox(IDYES);
            m_pFrame->SendMessage(WM_CLOSE);
            QCoreApplication::processEvents();
        }
        AfxResetComPortTable();
    }

    CListCtrl& List()
    {
        return m_pView->GetListCtrl();
    }

    void Fill(std::initializer_list<const char*> headings, std::vector<std::vector<const char*>> rows)
    {
        CListCtrl& list = List();
        list.DeleteAllItems();
        while (GetColumnCount(list) > 0)
            list.DeleteColumn(0);
        int c = 0;
        for (const char* heading : headings)
            list.InsertColumn(c++, heading, LVCFMT_CENTER, 50);
        for (size_t r = 0; r < rows.size(); ++r)
        {
            list.InsertItem((int)r, rows[r][0]);
            for (size_t k = 1; k < rows[r].size(); ++k)
                list.SetItemText((int)r, (int)k, rows[r][k]);
        }
        m_pView->RescanHeadings();
    }

    // A file of the data folder "C:\\MyData\\" with the bytes; false when it cannot be written.
    static bool WriteDataFile(const char* name, const QByteArray& bytes)
    {
        const QString data = TempDrives::Current()->DriveC() + "/MyData";
        QDir().mkpath(data);
        QFile file(data + "/" + name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // The items of the body menu as shown (dismissed), one a line.
    CString BodyMenuItems()
    {
        ModalHook::AnswerMenu(0);
        m_pView->OnBodyMenu(CPoint(10, 10));
        return ModalHook::Shown().back().text;
    }

    CGeodeticApp m_App;
    CMainFrame* m_pFrame = nullptr;
    CGeodeticView* m_pView = nullptr;
    HWND m_hFrame = nullptr;
};
} // namespace

TEST_F(GeodeticViewTest, HeadingMenuAssignsClearsDeletesAndInserts)
{
    Fill({"A", "B", "C"}, {{"P1", "500100", "5800200"}, {"P2", "500300", "5800400"}});

    // Choosing a kind renames the column and assigns it.
    ModalHook::AnswerMenu(IDM_HEADING_KIND + COLUMN_EASTING);
    m_pView->OnHeadingMenu(1, CPoint(0, 0));
    const CString shown = ModalHook::Shown().back().text;
    for (const char* entry :
         {"Label", "Easting", "DD MM SS.SSS Q", "NMEA (DDDMM.MMM)", "Height", "Clear", "Delete", "Insert"})
        EXPECT_NE(shown.Find(entry), -1) << entry;
    EXPECT_STREQ(GetHeadingText(List(), 1), "Easting");
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_EASTING], 1);

    ModalHook::AnswerMenu(IDM_HEADING_KIND + COLUMN_NORTHING);
    m_pView->OnHeadingMenu(2, CPoint(0, 0));
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_NORTHING], 2);

    // Deleting the first column shifts the others left with their assignment.
    ModalHook::AnswerMenu(IDM_HEADING_DELETE_COLUMN);
    m_pView->OnHeadingMenu(0, CPoint(0, 0));
    ASSERT_EQ(GetColumnCount(List()), 2);
    EXPECT_STREQ(List().GetItemText(1, 0), "500300");
    EXPECT_STREQ(List().GetItemText(1, 1), "5800400");
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_EASTING], 0);

    ModalHook::AnswerMenu(IDM_HEADING_INSERT_COLUMN);
    m_pView->OnHeadingMenu(0, CPoint(0, 0));
    EXPECT_EQ(GetColumnCount(List()), 3);
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_NORTHING], 2);

    ModalHook::AnswerMenu(IDM_HEADING_CLEAR);
    m_pView->OnHeadingMenu(2, CPoint(0, 0));
    EXPECT_STREQ(GetHeadingText(List(), 2), "");
    EXPECT_FALSE(m_pView->GetSheet().HasGridInput());

    // Without rows the column commands are not offered.
    Fill({"A"}, {});
    ModalHook::AnswerMenu(0);
    m_pView->OnHeadingMenu(0, CPoint(0, 0));
    EXPECT_EQ(ModalHook::Shown().back().text.Find("Insert"), -1);
}

TEST_F(GeodeticViewTest, BodyMenuOffersWhatTheColumnsAllow)
{
    Fill({"Label", "Lat Deg", "Lon DMS"}, {{"P1", "51.5", "1 30 0 W"}});
    CString items = BodyMenuItems();
    EXPECT_NE(items.Find("Load CSV File"), -1);
    EXPECT_EQ(items.Find("Geographicals to Grid"), -1);
    EXPECT_EQ(items.Find("Grid to Geographicals"), -1);

    Fill({"Label", "Easting", "Northing"}, {{"P1", "500000", "5700000"}, {"P2", "510000", "5710000"}});
    items = BodyMenuItems();
    EXPECT_NE(items.Find("Grid to Geographicals"), -1);
    EXPECT_EQ(items.Find("Delete"), -1); // nothing selected

    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    items = BodyMenuItems();
    EXPECT_NE(items.Find("Delete Row"), -1);
    List().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    items = BodyMenuItems();
    EXPECT_NE(items.Find("Delete Selected Rows"), -1);

    // The conversion runs over every row with the frame's working grid.
    ModalHook::AnswerMenu(CONVERT_GRID_TO_GEOGRAPHICALS);
    m_pView->OnBodyMenu(CPoint(10, 10));
    ASSERT_EQ(GetColumnCount(List()), 5);
    EXPECT_STREQ(GetHeadingText(List(), 3), "Latitude");
    for (int row = 0; row < 2; ++row)
    {
        double lat = 0, lon = 0;
        ASSERT_TRUE(m_pFrame->m_Projection.GridToGeographic(
            std::atof(List().GetItemText(row, 1)), std::atof(List().GetItemText(row, 2)), &lat, &lon));
        EXPECT_NEAR(m_pView->GetRowLatitude(row), lat, 1e-6) << row;
        EXPECT_NEAR(m_pView->GetRowLongitude(row), lon, 1e-6) << row;
    }

    // The selected rows go, the others stay.
    List().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    List().SetItemState(1, 0, LVIS_SELECTED);
    ModalHook::AnswerMenu(IDM_SHEET_DELETE_ROWS);
    m_pView->OnBodyMenu(CPoint(10, 10));
    ASSERT_EQ(List().GetItemCount(), 1);
    EXPECT_STREQ(List().GetItemText(0, 0), "P2");
}
TEST_F(GeodeticViewTest, LoadingAFileKeepsTheSavedColumnKindsAndConverts)
{
    // The kinds given last time: label, easting, northing.
    Fill({"Label", "Easting", "Northing"}, {});
    ASSERT_TRUE(WriteDataFile("points.csv", "A,500000,5700000\r\nB,431000.25,5650123.5\r\nC,0,0\r\n"));

    ModalHook::AnswerFileDialog({"C:\\MyData\\points.csv"});
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_GEODETIC_LOAD_DATA));
    EXPECT_STREQ(ModalHook::Shown().back().caption, "Co-ordinate Files");
    ASSERT_EQ(List().GetItemCount(), 3);
    EXPECT_STREQ(GetHeadingText(List(), 1), "Easting");
    EXPECT_STREQ(GetHeadingText(List(), 2), "Northing");
    CString title;
    m_pFrame->GetWindowText(title);
    EXPECT_NE(title.Find("points.csv"), -1) << (LPCSTR)title;

    m_pView->DoBodyCommand(CONVERT_GRID_TO_GEOGRAPHICALS);
    ASSERT_EQ(GetColumnCount(List()), 5);
    double lat = 0, lon = 0;
    ASSERT_TRUE(m_pFrame->m_Projection.GridToGeographic(431000.25, 5650123.5, &lat, &lon));
    EXPECT_STREQ(List().GetItemText(1, 3), FormatAngle(lat, ANGLE_LATITUDE, ANGLE_FORMAT_PREFERENCE));
    EXPECT_STREQ(List().GetItemText(1, 4), FormatAngle(lon, ANGLE_LONGITUDE, ANGLE_FORMAT_PREFERENCE));
    EXPECT_STREQ(List().GetItemText(2, 3), "");
}

// A file the sheet saved comes back with its heading line as the headings, not as row 1; the
// file dialog starts in the data folder.
TEST_F(GeodeticViewTest, ReloadingASavedFileTakesItsHeadingLineAsHeadings)
{
    Fill({"A", "B", "C"}, {});
    ASSERT_TRUE(WriteDataFile("saved.csv",
                              "Label,Lat Deg,Lon Deg,Easting ,Northing \r\nP1,51.5,1.25,378623.136,5707090.698\r\n"));
    ModalHook::AnswerFileDialog({"C:\\MyData\\saved.csv"});
    ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_GEODETIC_LOAD_DATA));
    EXPECT_NE(ModalHook::Shown().back().folder.Find("MyData"), -1) << (LPCSTR)ModalHook::Shown().back().folder;
    ASSERT_EQ(List().GetItemCount(), 1);
    EXPECT_STREQ(List().GetItemText(0, 0), "P1");
    EXPECT_STREQ(GetHeadingText(List(), 1), "Lat Deg");
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_LAT_DEG], 1);
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_LON_DEG], 2);
    EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_EASTING], -1); // an output, not an input
}

// A cell typed into as a user does: a double click opens the editor, the text and Enter end
// it; the row is converted again, and a refused value marks its cell and says why in the
// status bar. F2 edits the cell clicked last; Escape gives the old text back.
TEST_F(GeodeticViewTest, TypingIntoACellConvertsItsRowAndRefusesBadInput)
{
    m_pFrame->GetMainWindow()->resize(1000, 700);
    m_pFrame->GetMainWindow()->activateWindow();
    Fill({"Label", "Lat Deg", "Lon Deg"}, {{"P1", "51.5", "1.25"}, {"P2", "52", "2"}});
    m_pView->DoBodyCommand(CONVERT_GEOGRAPHICALS_TO_GRID);
    PumpFor(50);
    const int east = GetColumnCount(List()) - 2;
    ASSERT_STREQ(GetHeadingText(List(), east), "Easting ");
    const CString before = List().GetItemText(0, east);

    UserInput::ClickCell(List(), 0, 1, true);
    ASSERT_NE(m_pView->GetCellEdit().GetSafeHwnd(), nullptr) << "a double click opens no editor";
    UserInput::Type("53", true);
    PumpFor(50);
    EXPECT_EQ(m_pView->GetCellEdit().GetSafeHwnd(), nullptr);
    EXPECT_STREQ(List().GetItemText(0, 1), "53");
    double e, n;
    ASSERT_TRUE(m_pFrame->m_Projection.GeographicToGrid(53 * CProjection::DEG_TO_RAD, 1.25 * CProjection::DEG_TO_RAD, &e,
                                                        &n));
    EXPECT_NEAR(std::atof(List().GetItemText(0, east + 1)), n, 0.0005);
    EXPECT_STRNE(List().GetItemText(0, east), before);

    // F2 on the focused row edits the column clicked last; a refused value empties the outputs.
    UserInput::Key(Qt::Key_F2);
    ASSERT_NE(m_pView->GetCellEdit().GetSafeHwnd(), nullptr) << "F2 opens no editor";
    UserInput::Type("91", true);
    PumpFor(50);
    EXPECT_STREQ(List().GetItemText(0, 1), "91");
    EXPECT_STREQ(List().GetItemText(0, east), "");
    EXPECT_STREQ(List().GetItemText(0, east + 1), "");
    EXPECT_TRUE(m_pView->GetSheet().IsMarked(0, 1));
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), "Row 1, Lat Deg: degrees 91 are outside 0 to 90");
    // The marked cell is drawn in the refused colours (seen with the other row selected).
    UserInput::ClickCell(List(), 1, 0);
    EXPECT_EQ(m_pView->GetCellEdit().GetSafeHwnd(), nullptr);
    CRect cell;
    ASSERT_TRUE(List().GetSubItemRect(0, 1, LVIR_BOUNDS, cell));
    const QImage picture = FrameProbe::GrabWindow(m_pView);
    const QPoint at = List().GetWidget()->mapTo(List().GetWidget()->window(), QPoint(cell.left + 3, cell.CenterPoint().y));
    EXPECT_EQ(picture.pixelColor(at), QColor(255, 176, 176));

    // A click on the selected row's cell edits it too; Escape leaves the text as it was.
    UserInput::ClickCell(List(), 0, 2);
    EXPECT_EQ(m_pView->GetCellEdit().GetSafeHwnd(), nullptr) << "a click that selects a row edits at once";
    UserInput::ClickCell(List(), 0, 2);
    ASSERT_NE(m_pView->GetCellEdit().GetSafeHwnd(), nullptr) << "a click on the selected row opens no editor";
    UserInput::Type("7", false);
    UserInput::Key(Qt::Key_Escape);
    PumpFor(50);
    EXPECT_EQ(m_pView->GetCellEdit().GetSafeHwnd(), nullptr);
    EXPECT_STREQ(List().GetItemText(0, 2), "1.25");

    // Mended, the row converts again and the status bar clears.
    UserInput::ClickCell(List(), 0, 1, true);
    UserInput::Type("53", true);
    PumpFor(50);
    EXPECT_FALSE(m_pView->GetSheet().IsMarked(0, 1));
    EXPECT_NEAR(std::atof(List().GetItemText(0, east + 1)), n, 0.0005);
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), "");
}

// The sheet's keys as a user gives them: the focus starts in the settings pane's grid, a
// click in the sheet below its rows, then the key to the widget that has the focus.
TEST_F(GeodeticViewTest, KeysReachTheSheetTheUserClicked)
{
    m_pFrame->GetMainWindow()->resize(1000, 700);
    PumpFor(50);
    Fill({"Label", "Easting", "Northing"}, {{"P1", "500000", "6000000"}, {"P2", "500100", "6000100"},
                                            {"P3", "500200", "6000200"}});
    CMFCPropertyGridCtrl& settings = m_pFrame->m_wndSettingsPane.GetPropertyGrid();
    if (!m_pFrame->m_wndSettingsPane.IsVisible())
    {
        ASSERT_TRUE(AfxChooseMenuItem(m_pFrame, ID_GEODETIC_PROPERTIES));
    }
    PumpFor(30);
    CListCtrl& list = List();
    list.SetItemState(1, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    int row = 0;
    const auto focusedRow = [&list] { return list.GetNextItem(-1, LVNI_FOCUSED); };
    const auto move = [&](const char* what, int key, int by) {
        return VIEW_KEY_CASE{what, key, Qt::NoModifier, [&row, focusedRow, by] { row = focusedRow() + by; },
                             [&row, focusedRow] { return focusedRow() == row; }};
    };
    CRect client;
    m_pView->GetClientRect(&client);
    ExpectViewKeys(m_pView, POINT{client.CenterPoint().x, client.bottom - 10},
                   [&settings] { UserInput::ClickClient(&settings, 80, 10); },
                   {move("Down moves to the next row", Qt::Key_Down, +1),
                    move("Up moves back", Qt::Key_Up, -1),
                    {"F2 edits the focused row", Qt::Key_F2, Qt::NoModifier, {},
                     [this] { return m_pView->GetCellEdit().GetSafeHwnd() != nullptr; }}});
}

// The section titles of the body menu are drawn as the user sees them: a dark band with the
// title in white, not a blank row.
TEST_F(GeodeticViewTest, MenuSectionTitlesAreDrawn)
{
    Fill({"Lat Deg", "Lon Deg"}, {{"51.5", "1.25"}});
    QImage shown;
    ModalHook::AnswerMenuShown([&shown](QWidget* menu) {
        shown = menu->grab().toImage();
        return 0u;
    });
    m_pView->OnBodyMenu(CPoint(20, 20));
    ASSERT_FALSE(shown.isNull()) << "the menu did not show";
    int band = 0, white = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
        {
            const QColor c = shown.pixelColor(x, y);
            band += c == QColor(0x40, 0x40, 0x40);
            white += c.red() > 0xE0 && c.green() > 0xE0 && c.blue() > 0xE0;
        }
    // Four titles (import, conversion, datum shift, export), each a band as wide as the menu.
    EXPECT_GT(band, 4 * shown.width());
    EXPECT_GT(white, 40) << "no title text in the bands";
    // Every title shows whole: its text keeps clear of the band's ends ("Co-ordinate
    // Conversation" is wider than any item below it).
    for (int y = 0; y < shown.height(); ++y)
    {
        if (shown.pixelColor(1, y) != QColor(0x40, 0x40, 0x40))
            continue;
        for (int x = 0; x < shown.width(); ++x)
        {
            const QColor c = shown.pixelColor(x, y);
            const bool text = c.red() > 0x80 && c.green() > 0x80 && c.blue() > 0x80;
            EXPECT_FALSE(text && (x < 6 || x >= shown.width() - 6)) << "a title is cut at " << x << "," << y;
            if (text && (x < 6 || x >= shown.width() - 6))
                break;
        }
    }
    shown.save(QString(SUITE_VISUAL_DIR) + "/geodetic_body_menu.png");
}

// A heading menu closed without a choice, with Escape or with a click beside it, leaves the
// column, its kind, the saved kinds and the conversions as they were.
TEST_F(GeodeticViewTest, AHeadingMenuClosedWithoutAChoiceChangesNothing)
{
    Fill({"Label", "Easting", "Northing"}, {{"P1", "500100", "5800200"}});
    const QString settings = LinuxPathFromWindows(GetSettingsFolder() + "Geodetic_View.INI");
    const auto saved = [&settings]() {
        QFile file(settings);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = saved();
    ASSERT_FALSE(before.isEmpty());

    const std::function<void(QWidget*)> closings[] = {
        [](QWidget* menu) { QTest::keyClick(menu, Qt::Key_Escape); },
        [](QWidget* menu) {
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, QPoint(menu->width() + 40, menu->height() + 40));
        },
    };
    for (const auto& close : closings)
    {
        bool shown = false;
        ModalHook::AnswerMenuShown([&](QWidget* menu) {
            shown = menu->isVisible();
            close(menu);
            return 0u;
        });
        UserInput::RightClickHeading(List(), 1);
        ASSERT_TRUE(shown) << "the heading menu did not show";
        EXPECT_STREQ(GetHeadingText(List(), 1), "Easting");
        EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_EASTING], 1);
        EXPECT_EQ(m_pView->GetSheet().m_Columns[COLUMN_LABEL], 0);
        EXPECT_EQ(saved(), before);
        EXPECT_NE(BodyMenuItems().Find("Grid to Geographicals"), -1);
    }
}

// "Save to Excel" writes a workbook named for what it is: an Office Open XML package whose name
// ends ".XLSX", told to the user with that name.
TEST_F(GeodeticViewTest, SaveToExcelNamesTheWorkbookByItsFormat)
{
    const QString data = TempDrives::Current()->DriveC() + "/MyData";
    ASSERT_TRUE(WriteDataFile("points.csv", "A,500000,5700000\r\nB,431000.25,5650123.5\r\n"));
    m_pView->LoadCoordinateFile("C:\\MyData\\points.csv");
    ASSERT_EQ(List().GetItemCount(), 2);

    ModalHook::AnswerMenu(IDM_SHEET_SAVE_EXCEL);
    ModalHook::AnswerMessageBox(IDOK);
    m_pView->OnBodyMenu(CPoint(10, 10));
    EXPECT_EQ(ModalHook::Shown().back().text, "_points.XLSX\n saved in \nC:\\MyData\\");
    QFile workbook(data + "/_points.XLSX");
    ASSERT_TRUE(workbook.open(QIODevice::ReadOnly));
    EXPECT_EQ(workbook.read(2), QByteArray("PK")) << "a zip package";
    EXPECT_FALSE(QFile::exists(data + "/_points.XLS"));
}
