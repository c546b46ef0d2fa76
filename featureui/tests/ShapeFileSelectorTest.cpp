#include "featureui/dialogs/ShapeFileSelectorDlg.h"
#include "featureui/dialogs/ShapeFileSelectorResources.h"
#include "foundation/FileList.h"
#include "platform/core/Path.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"
#include "testsupport/UserInput.h"
#include "featureui/tests/PaneTestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace
{
void Touch(const char* windowsPath)
{
    const QString path = LinuxPathFromWindows(windowsPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// A survey's shape folder: shapes split in parts, a name that starts another, sub-folders and
// backups in several letter cases.
void MakeShapeTree()
{
    for (const char* path : {"C:\\Shapes\\Area_1.shp", "C:\\Shapes\\Area_2.shp", "C:\\Shapes\\AreaNorth.shp",
                             "C:\\Shapes\\Lines\\Pipe.SHP", "C:\\Shapes\\BackUp\\Area_old.shp",
                             "C:\\Shapes\\Lines\\backup\\Pipe_2019.shp", "C:\\Shapes\\BACKUP\\Cable.shp",
                             "C:\\Shapes\\readme.txt", "C:\\Shapes\\Area_1.dbf"})
        Touch(path);
}

CListCtrl& ListOf(CDialog* dlg)
{
    return *static_cast<CListCtrl*>(dlg->GetDlgItem(IDC_SHAPE_LIST));
}

std::set<std::string> SelectorRows(CDialog* dlg)
{
    std::set<std::string> rows;
    CListCtrl& list = ListOf(dlg);
    for (int i = 0; i < list.GetItemCount(); ++i)
        rows.insert(list.GetItemText(i, 0).GetString());
    return rows;
}

CString Selection(CDialog* dlg)
{
    CString text;
    dlg->GetDlgItem(IDC_SHAPE_SELECTION)->GetWindowText(text);
    return text;
}

int RowOf(CDialog* dlg, const char* name)
{
    CListCtrl& list = ListOf(dlg);
    for (int i = 0; i < list.GetItemCount(); ++i)
        if (list.GetItemText(i, 0) == name)
            return i;
    return -1;
}

std::set<std::string> AsSet(const CStringArray& paths)
{
    std::set<std::string> set;
    for (INT_PTR i = 0; i < paths.GetSize(); ++i)
        set.insert(paths[i].GetString());
    return set;
}
} // namespace

TEST(ShapeFileSelector, EachShapeNameOnceWithoutBackupsAndOkReturnsEveryFileItBegins)
{
    MakeShapeTree();
    CStringArray chosen;
    chosen.Add("stale");
    ModalHook::AnswerDialog(IDD_SHAPE_FILE_SELECTOR, [](CDialog* dlg) {
        dlg->ShowWindow(SW_SHOW);
        PumpFor(20);
        EXPECT_EQ(SelectorRows(dlg), (std::set<std::string>{"Area", "AreaNorth", "Pipe"}));
        EXPECT_EQ(ListOf(dlg).GetItemCount(), 3);
        CString folder;
        dlg->GetDlgItem(IDC_SHAPE_FOLDER)->GetWindowText(folder);
        EXPECT_STREQ(folder, "C:\\Shapes\\");

        // Clicking a name twice keeps one copy of it.
        const int area = RowOf(dlg, "Area");
        UserInput::ClickCell(ListOf(dlg), area, 0);
        UserInput::ClickCell(ListOf(dlg), area, 0);
        EXPECT_STREQ(Selection(dlg), "Area");
        UserInput::ClickCell(ListOf(dlg), RowOf(dlg, "Pipe"), 0);
        EXPECT_STREQ(Selection(dlg), "Area,Pipe");
        Press(dlg, IDOK);
        return IDCANCEL;
    });
    CShapeFileSelectorDlg dlg;
    dlg.SetPath("C:\\Shapes\\", false);
    dlg.SetFiles(&chosen);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // "Area" also begins AreaNorth and the backed-up Area_old; "Pipe" the backed-up Pipe_2019.
    EXPECT_EQ(AsSet(chosen),
              (std::set<std::string>{"C:\\Shapes\\Area_1.shp", "C:\\Shapes\\Area_2.shp", "C:\\Shapes\\AreaNorth.shp",
                                     "C:\\Shapes\\BackUp\\Area_old.shp", "C:\\Shapes\\Lines\\Pipe.SHP",
                                     "C:\\Shapes\\Lines\\backup\\Pipe_2019.shp"}));
    EXPECT_EQ(chosen.GetSize(), 6);
}

TEST(ShapeFileSelector, SelectAllRemoveAllAndAnEmptyLineCancels)
{
    MakeShapeTree();
    CStringArray chosen;
    chosen.Add("stale");
    ModalHook::AnswerDialog(IDD_SHAPE_FILE_SELECTOR, [](CDialog* dlg) {
        Press(dlg, IDC_SHAPE_SELECT_ALL);
        // Every title found, whole and repeated ones too, backups included.
        CString line = Selection(dlg);
        std::string text = line.GetString();
        EXPECT_EQ(std::count(text.begin(), text.end(), ','), 6) << text;
        for (const char* title : {"Area_1", "Area_2", "AreaNorth", "Pipe", "Area_old", "Pipe_2019", "Cable"})
            EXPECT_NE(text.find(title), std::string::npos) << title;
        Press(dlg, IDC_SHAPE_REMOVE_ALL);
        EXPECT_STREQ(Selection(dlg), "");
        Press(dlg, IDOK);
        return IDOK;
    });
    CShapeFileSelectorDlg dlg;
    dlg.SetPath("C:\\Shapes\\", true);
    dlg.SetFiles(&chosen);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(chosen.GetSize(), 0);
}

TEST(ShapeFileSelector, PresetsFromAFileNameOrAFileListSelectTheirFiles)
{
    MakeShapeTree();
    CStringArray chosen;
    ModalHook::AnswerDialog(IDD_SHAPE_FILE_SELECTOR, [](CDialog* dlg) {
        EXPECT_STREQ(Selection(dlg), "Area");
        EXPECT_FALSE(dlg->GetDlgItem(IDC_SHAPE_FOLDER_BUTTON)->IsWindowVisible());
        Press(dlg, IDOK);
        return IDCANCEL;
    });
    CShapeFileSelectorDlg byName;
    byName.SetPath("C:\\Shapes\\", false);
    byName.SetFileName("D:\\Old\\Area_7.shp");
    byName.SetFiles(&chosen);
    EXPECT_EQ(byName.DoModal(), IDOK);
    EXPECT_EQ(chosen.GetSize(), 4);

    // A file list's entries select the very files they name.
    CFileList list;
    list.Add("C:\\Shapes\\Area_2.shp");
    list.Add("C:\\Shapes\\Lines\\Pipe.SHP");
    ModalHook::AnswerDialog(IDD_SHAPE_FILE_SELECTOR, [](CDialog* dlg) {
        EXPECT_STREQ(Selection(dlg), "Area_2,Pipe");
        Press(dlg, IDOK);
        return IDCANCEL;
    });
    CShapeFileSelectorDlg byList;
    byList.SetPath("C:\\Shapes\\", false);
    byList.SetFileName("Area_7.shp");
    byList.SetFileList(&list);
    byList.SetFiles(&chosen);
    EXPECT_EQ(byList.DoModal(), IDOK);
    EXPECT_EQ(AsSet(chosen), (std::set<std::string>{"C:\\Shapes\\Area_2.shp", "C:\\Shapes\\Lines\\Pipe.SHP",
                                                    "C:\\Shapes\\Lines\\backup\\Pipe_2019.shp"}));
}

TEST(ShapeFileSelector, AnotherFolderReloadsTheListAndAMissingOneIsEmpty)
{
    MakeShapeTree();
    Touch("C:\\Other\\Wreck_A.shp");
    CStringArray chosen;
    ModalHook::AnswerDialog(IDD_SHAPE_FILE_SELECTOR, [](CDialog* dlg) {
        EXPECT_EQ(ListOf(dlg).GetItemCount(), 0);
        ModalHook::CancelFolderDialog();
        Press(dlg, IDC_SHAPE_FOLDER_BUTTON);
        EXPECT_EQ(ListOf(dlg).GetItemCount(), 0);
        ModalHook::AnswerFolderDialog("C:\\Other");
        Press(dlg, IDC_SHAPE_FOLDER_BUTTON);
        CString folder;
        dlg->GetDlgItem(IDC_SHAPE_FOLDER)->GetWindowText(folder);
        EXPECT_STREQ(folder, "C:\\Other\\");
        EXPECT_EQ(SelectorRows(dlg), (std::set<std::string>{"Wreck"}));
        return IDCANCEL;
    });
    CShapeFileSelectorDlg dlg;
    dlg.SetPath("C:\\Nowhere\\", true);
    dlg.SetFiles(&chosen);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_STREQ(dlg.GetPath(), "C:\\Other\\");
    const auto& shown = ModalHook::Shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[1].kind, MODAL_RECORD::FolderDialog);
    EXPECT_STREQ(shown[1].folder, "C:\\Nowhere\\");
}

TEST(ShapeFileSelector, NightModeDarkensTheDialogAndThreeButtons)
{
    ModalHook::AnswerDialog(IDD_SHAPE_FILE_SELECTOR, [](CDialog* dlg) {
        auto* selector = static_cast<CShapeFileSelectorDlg*>(dlg);
        selector->SetNightMode(true);
        EXPECT_TRUE(selector->GetNightMode());
        EXPECT_EQ(selector->GetBackgroundColour(), CColourDialogEx::kNightBackground);
        EXPECT_TRUE(static_cast<CColourButton*>(dlg->GetDlgItem(IDOK))->GetNightMode());
        EXPECT_TRUE(static_cast<CColourButton*>(dlg->GetDlgItem(IDC_SHAPE_FOLDER_BUTTON))->GetNightMode());
        EXPECT_FALSE(static_cast<CColourButton*>(dlg->GetDlgItem(IDC_SHAPE_SELECT_ALL))->GetNightMode());
        selector->SetDaylightMode();
        EXPECT_EQ(selector->GetBackgroundColour(), CColourDialogEx::kDayBackground);
        return IDCANCEL;
    });
    CStringArray chosen;
    CShapeFileSelectorDlg dlg;
    dlg.SetPath("C:\\", false);
    dlg.SetFiles(&chosen);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}
