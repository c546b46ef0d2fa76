// Dialogs from templates, data exchange, dialog keys, modal loops, message boxes and file
// dialogs, through the modal hook the test main enables.
#include "platform/core/Path.h"
#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/TempDrives.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr UINT IDD_TEST_FORM = 9101;
constexpr UINT IDD_TEST_LOOP = 9102;
constexpr int IDC_NAME = 2001;
constexpr int IDC_COUNT = 2002;
constexpr int IDC_SCALE = 2003;
constexpr int IDC_ENABLED = 2004;
constexpr int IDC_FIRST = 2005;
constexpr int IDC_SECOND = 2006;
constexpr int IDC_THIRD = 2007;
constexpr int IDC_APPLY = 2008;
constexpr UINT UM_LOOP_POSTED = WM_APP + 10;

const DLGITEM_TABLE kFormItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Name:", 7, 9, 40, 8},
    {DLGI_EDITTEXT, IDC_NAME, "", 50, 7, 100, 14, ES_AUTOHSCROLL},
    {DLGI_EDITTEXT, IDC_COUNT, "", 50, 25, 40, 14},
    {DLGI_EDITTEXT, IDC_SCALE, "", 100, 25, 50, 14},
    {DLGI_AUTOCHECKBOX, IDC_ENABLED, "Enabled", 7, 45, 60, 10},
    {DLGI_AUTORADIOBUTTON, IDC_FIRST, "First", 7, 60, 40, 10, WS_GROUP | WS_TABSTOP},
    {DLGI_AUTORADIOBUTTON, IDC_SECOND, "Second", 50, 60, 40, 10},
    {DLGI_AUTORADIOBUTTON, IDC_THIRD, "Third", 93, 60, 40, 10},
    {DLGI_PUSHBUTTON, IDC_APPLY, "Apply", 7, 80, 50, 14, WS_GROUP},
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 60, 80, 50, 14},
    {DLGI_PUSHBUTTON, IDCANCEL, "Cancel", 113, 80, 50, 14},
};
const DLGTEMPLATE_TABLE kForm = {IDD_TEST_FORM,
                                 "Form",
                                 "MS Shell Dlg",
                                 8,
                                 0,
                                 0,
                                 170,
                                 100,
                                 DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                 0,
                                 kFormItems,
                                 AFX_DLGITEM_COUNT(kFormItems)};
const CDialogTemplateRegistrar registerForm(&kForm);

const DLGITEM_TABLE kLoopItems[] = {
    {DLGI_DEFPUSHBUTTON, IDOK, "OK", 10, 10, 50, 14},
};
const DLGTEMPLATE_TABLE kLoop = {IDD_TEST_LOOP,
                                 "Loop",
                                 nullptr,
                                 0,
                                 0,
                                 0,
                                 80,
                                 40,
                                 WS_POPUP | WS_CAPTION,
                                 0,
                                 kLoopItems,
                                 AFX_DLGITEM_COUNT(kLoopItems)};
const CDialogTemplateRegistrar registerLoop(&kLoop);

class CFormDlg : public CDialog
{
public:
    CFormDlg() : CDialog(IDD_TEST_FORM) {}
    CString m_name = "Bay";
    int m_count = 12;
    double m_scale = 0.25;
    int m_enabled = BST_CHECKED;
    int m_choice = 1;
    int applies = 0;
    int oks = 0;
    int cancels = 0;
    CWnd m_nameEdit;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 0, 100);
        DDX_Text(pDX, IDC_SCALE, m_scale);
        DDX_Check(pDX, IDC_ENABLED, m_enabled);
        DDX_Radio(pDX, IDC_FIRST, m_choice);
    }
    void OnOK() override
    {
        ++oks;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
    }
    void OnApply() { ++applies; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFormDlg, CDialog)
ON_BN_CLICKED(IDC_APPLY, &CFormDlg::OnApply)
END_MESSAGE_MAP()

// Replaces the test's failure reporter for a while, to check that a failure is reported.
class FailureCatcher
{
public:
    FailureCatcher()
    {
        ModalHook::Enable([this](const CString& message) { failures.push_back(message.GetString()); });
    }
    ~FailureCatcher()
    {
        ModalHook::Enable([](const CString& message) { ADD_FAILURE() << message.GetString(); });
    }
    std::vector<std::string> failures;
};

// Turns the hook off for a while, to reach the real Qt dialogs.
class HookOff
{
public:
    HookOff() { ModalHook::Disable(); }
    ~HookOff()
    {
        ModalHook::Enable([](const CString& message) { ADD_FAILURE() << message.GetString(); });
    }
};

void SendKey(QWidget* w, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

CString ItemText(CWnd* dlg, int id)
{
    CString s;
    dlg->GetDlgItemText(id, s);
    return s;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Templates and data exchange
// ---------------------------------------------------------------------------------------

TEST(DialogTest, ModelessDialogMakesItsItemsInDialogUnits)
{
    CFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_EQ(caption, "Form");
    // Every item exists with its id, text and kind's style.
    EXPECT_EQ(ItemText(&dlg, IDC_APPLY), "Apply");
    EXPECT_TRUE(dlg.GetDlgItem(IDC_APPLY)->GetStyle() & WS_TABSTOP);
    EXPECT_EQ(dlg.GetDlgItem(IDC_ENABLED)->GetStyle() & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(dlg.GetDefID(), static_cast<DWORD>(MAKELONG(IDOK, DC_HASDEFID)));

    // Items sit where the dialog units put them, by the dialog font.
    CRect expected(60, 80, 110, 94);
    dlg.MapDialogRect(&expected);
    CRect actual;
    dlg.GetDlgItem(IDOK)->GetWindowRect(&actual);
    dlg.ScreenToClient(&actual);
    EXPECT_EQ(actual, expected);
    const CSize units = AfxDialogBaseUnits("MS Shell Dlg", 8);
    EXPECT_GT(units.cx, 3);
    EXPECT_GT(units.cy, 8);
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client.Width(), (170 * units.cx + 2) / 4);

    // OnInitDialog put the members into the controls.
    EXPECT_EQ(ItemText(&dlg, IDC_NAME), "Bay");
    EXPECT_EQ(ItemText(&dlg, IDC_COUNT), "12");
    EXPECT_EQ(ItemText(&dlg, IDC_SCALE), "0.25");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_ENABLED), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dlg.GetCheckedRadioButton(IDC_FIRST, IDC_THIRD), IDC_SECOND);
    // DDX_Control bound the member to the item.
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME), &dlg.m_nameEdit);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_nameEdit.GetSafeHwnd(), nullptr);
}

TEST(DialogTest, UpdateDataReadsBackAndRejectsBadNumbers)
{
    CFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetDlgItemText(IDC_NAME, "Survey \xB0");
    dlg.SetDlgItemInt(IDC_COUNT, 42);
    dlg.SetDlgItemText(IDC_SCALE, " -1.5e3 ");
    dlg.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
    dlg.CheckRadioButton(IDC_FIRST, IDC_THIRD, IDC_THIRD);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_name, "Survey \xB0");
    EXPECT_EQ(dlg.m_count, 42);
    EXPECT_DOUBLE_EQ(dlg.m_scale, -1500.0);
    EXPECT_EQ(dlg.m_enabled, BST_UNCHECKED);
    EXPECT_EQ(dlg.m_choice, 2);

    // A count that is no number, then one out of range: a message box each, nothing kept.
    const struct
    {
        const char* text;
        const char* message;
    } bad[] = {{"12a", "Please enter an integer."},
               {"", "Please enter an integer."},
               {"99999999999", "Please enter an integer."},
               {"101", "Please enter an integer between 0 and 100."}};
    for (const auto& c : bad)
    {
        SCOPED_TRACE(c.text);
        dlg.m_count = 42;
        dlg.SetDlgItemText(IDC_COUNT, c.text);
        ModalHook::AnswerMessageBox(IDOK);
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        ASSERT_FALSE(ModalHook::Shown().empty());
        EXPECT_EQ(ModalHook::Shown().back().kind, MODAL_RECORD::MessageBox);
        EXPECT_EQ(ModalHook::Shown().back().text, c.message);
        // Text that is no number changes nothing; a number out of range is stored before
        // its range check fails, as the framework does.
        EXPECT_EQ(dlg.m_count, std::string(c.text) == "101" ? 101 : 42);
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_COUNT));
    }
    BOOL ok = TRUE;
    EXPECT_EQ(dlg.GetDlgItemInt(IDC_COUNT, &ok), 101u);
    EXPECT_TRUE(ok);
    dlg.SetDlgItemText(IDC_COUNT, "x");
    dlg.GetDlgItemInt(IDC_COUNT, &ok);
    EXPECT_FALSE(ok);
}

TEST(DialogTest, DialogKeysPressTheDefaultButtonCancelAndTab)
{
    CFormDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    dlg.ShowWindow(SW_SHOW);
    CWnd* name = dlg.GetDlgItem(IDC_NAME);
    dlg.GotoDlgCtrl(name);
    ASSERT_EQ(CWnd::GetFocus(), name);
    SendKey(name->GetWidget(), Qt::Key_Tab, "\t");
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_COUNT));
    // Enter on a focused push button presses that one; Enter in an edit presses the default
    // button (OK), which ends (here: hides) the dialog.
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_APPLY));
    SendKey(dlg.GetDlgItem(IDC_APPLY)->GetWidget(), Qt::Key_Return, "\r");
    EXPECT_EQ(dlg.applies, 1);
    EXPECT_EQ(dlg.oks, 0);
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_COUNT));
    SendKey(dlg.GetDlgItem(IDC_COUNT)->GetWidget(), Qt::Key_Return, "\r");
    EXPECT_EQ(dlg.oks, 1);
    EXPECT_EQ(dlg.applies, 1);
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.ShowWindow(SW_SHOW);
    SendKey(dlg.GetDlgItem(IDC_APPLY)->GetWidget(), Qt::Key_Escape, "\x1b");
    EXPECT_EQ(dlg.cancels, 1);
    // Closing the window is Cancel too.
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_EQ(dlg.cancels, 2);
    EXPECT_TRUE(::IsWindow(dlg.GetSafeHwnd()));
    // The edit never saw the keys the dialog took.
    EXPECT_EQ(ItemText(&dlg, IDC_COUNT), "12");
}

TEST(DialogTest, DialogBackgroundComesFromItsCtlColor)
{
    CDialogEx dlg(IDD_TEST_LOOP);
    ASSERT_TRUE(dlg.Create(IDD_TEST_LOOP));
    QImage image = dlg.RenderToImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(2, 2)), GetSysColor(COLOR_3DFACE));
    dlg.SetBackgroundColor(RGB(0x55, 0x55, 0x55));
    image = dlg.RenderToImage();
    EXPECT_EQ(ColorRefFromQRgb(image.pixel(2, 2)), RGB(0x55, 0x55, 0x55));
}

// ---------------------------------------------------------------------------------------
// Modal dialogs and the hook
// ---------------------------------------------------------------------------------------

TEST(DialogTest, ModalDialogAnsweredInAdvance)
{
    CFormDlg dlg;
    dlg.m_count = 3;
    ModalHook::AnswerDialog(IDD_TEST_FORM, [](CDialog* d) {
        EXPECT_EQ(ItemText(d, IDC_COUNT), "3");
        d->SetDlgItemText(IDC_COUNT, "77");
        d->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
        return IDCANCEL; // not used: OnOK ended the dialog
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_count, 77);
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].kind, MODAL_RECORD::Dialog);
    EXPECT_EQ(ModalHook::Shown()[0].id, IDD_TEST_FORM);
    EXPECT_EQ(ModalHook::Shown()[0].result, IDOK);

    // By class, and ended by the answer's own code.
    ModalHook::AnswerDialogOf<CFormDlg>([](CFormDlg* d) {
        d->SetDlgItemText(IDC_COUNT, "5");
        return 1234;
    });
    EXPECT_EQ(dlg.DoModal(), 1234);
    EXPECT_EQ(dlg.m_count, 77); // no OnOK, no exchange
    EXPECT_EQ(ModalHook::PendingAnswers(), 0u);
}

TEST(DialogTest, ModalCallsWithoutAnAnswerFailAtOnce)
{
    FailureCatcher catcher;
    CFormDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("Really?", MB_YESNO), IDCANCEL);
    CFileDialog file(TRUE);
    EXPECT_EQ(file.DoModal(), IDCANCEL);
    ASSERT_EQ(catcher.failures.size(), 3u);
    EXPECT_NE(catcher.failures[0].find("9101"), std::string::npos);
    EXPECT_NE(catcher.failures[1].find("Really?"), std::string::npos);
    EXPECT_NE(catcher.failures[2].find("file dialog"), std::string::npos);
    ASSERT_EQ(ModalHook::Shown().size(), 3u);
    for (const MODAL_RECORD& r : ModalHook::Shown())
        EXPECT_FALSE(r.answered);
}

// A dialog that lives on posted messages and a timer while its loop runs.
class CLoopDlg : public CDialog
{
public:
    CLoopDlg() : CDialog(IDD_TEST_LOOP) {}
    bool endItself = true;
    std::vector<std::string> seen;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(UM_LOOP_POSTED, 1);
        SetTimer(5, 10);
        return TRUE;
    }
    LRESULT OnPosted(WPARAM wParam, LPARAM)
    {
        seen.push_back("posted " + std::to_string(wParam));
        return 0;
    }
    void OnTimer(UINT_PTR id)
    {
        seen.push_back("timer " + std::to_string(id));
        KillTimer(id);
        if (endItself)
            EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopDlg, CDialog)
ON_MESSAGE(UM_LOOP_POSTED, &CLoopDlg::OnPosted)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(DialogTest, NestedModalLoopDeliversPostedMessagesAndTimers)
{
    CLoopDlg dlg;
    ModalHook::AnswerDialog(IDD_TEST_LOOP, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.seen, (std::vector<std::string>{"posted 1", "timer 5"}));

    // A dialog that never ends itself fails the test when the loop's time is up.
    FailureCatcher catcher;
    ModalHook::SetLoopTimeout(200);
    CLoopDlg stubborn;
    stubborn.endItself = false;
    ModalHook::AnswerDialog(IDD_TEST_LOOP, [](CDialog*) { return MODALHOOK_RUN_LOOP; });
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(stubborn.DoModal(), IDCANCEL);
    EXPECT_LT(timer.elapsed(), 3000);
    ASSERT_EQ(catcher.failures.size(), 1u);
    EXPECT_NE(catcher.failures[0].find("did not end"), std::string::npos);
}

TEST(DialogTest, RealModalLoopEndsThroughEndDialog)
{
    HookOff off;
    CLoopDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.seen, (std::vector<std::string>{"posted 1", "timer 5"}));
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

// ---------------------------------------------------------------------------------------
// Message boxes
// ---------------------------------------------------------------------------------------

TEST(DialogTest, MessageBoxAnswersAndRecords)
{
    ModalHook::AnswerMessageBox(IDNO);
    EXPECT_EQ(AfxMessageBox("Save changes?", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(ModalHook::Shown().size(), 1u);
    EXPECT_EQ(ModalHook::Shown()[0].text, "Save changes?");
    EXPECT_EQ(ModalHook::Shown()[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
    ModalHook::AnswerMessageBox(IDOK);
    EXPECT_EQ(owner.MessageBox("Done", "Export"), IDOK);
    EXPECT_EQ(ModalHook::Shown()[1].caption, "Export");
}

TEST(DialogTest, RealMessageBoxMapsTheClickedButton)
{
    HookOff off;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), QString("Overwrite \u00B0?"));
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(AfxMessageBox("Overwrite \xB0?", MB_YESNO), IDNO);
}

// A short text under a caption: the box is as wide as the caption with the icon and the three
// buttons a title bar puts beside it, and shows every line of its text whole.
TEST(DialogTest, MessageBoxIsWideEnoughForItsCaptionAndText)
{
    const struct
    {
        const char* caption;
        const char* text;
    } boxes[] = {{"Geodetic", "_Coordinates.CSV\n saved in \nC:\\MyData\\"},
                 {"Geodetic Spreadsheet and Datum Transformations", "Saved."},
                 {"Geodetic", "A longer line of text than the caption, which sets the width by itself here."}};
    for (const auto& b : boxes)
    {
        int width = 0;
        std::vector<std::string> cut;
        ModalHook::AnswerMessageBoxShown([&](QWidget* shown) {
            auto* box = qobject_cast<QMessageBox*>(shown);
            EXPECT_NE(box, nullptr);
            if (!box)
                return IDCANCEL;
            width = box->width();
            for (QLabel* label : box->findChildren<QLabel*>())
            {
                if (!label->isVisible() || label->text().isEmpty())
                    continue;
                const QRect need = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 10000),
                                                                     Qt::TextWordWrap, label->text());
                if (need.height() > label->height() || need.width() > label->width())
                    cut.push_back(label->text().toStdString());
                for (const QString& line : label->text().split('\n'))
                    if (!label->wordWrap() && label->fontMetrics().horizontalAdvance(line) > label->width())
                        cut.push_back(line.toStdString());
            }
            return IDOK;
        });
        CWnd owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 100), nullptr, 0));
        EXPECT_EQ(owner.MessageBox(b.text, b.caption), IDOK);
        QFont title = QApplication::font("QMdiSubWindowTitleBar");
        title.setBold(true);
        EXPECT_GE(width, QFontMetrics(title).horizontalAdvance(b.caption) + 100) << b.caption;
        EXPECT_TRUE(cut.empty()) << b.caption << ": " << cut.front();
        EXPECT_EQ(ModalHook::Shown().back().caption, b.caption);
    }
}

// ---------------------------------------------------------------------------------------
// File dialogs
// ---------------------------------------------------------------------------------------

TEST(DialogTest, FileDialogGivesWindowsPathsWithTheDefaultExtension)
{
    CFileDialog save(FALSE, "txt", "report", OFN_OVERWRITEPROMPT, "Text (*.txt)|*.txt|All (*.*)|*.*||");
    save.m_ofn.lpstrInitialDir = "C:\\MyData";
    ModalHook::AnswerFileDialog({"C:\\MyData\\report"});
    ASSERT_EQ(save.DoModal(), IDOK);
    EXPECT_EQ(save.GetPathName(), "C:\\MyData\\report.txt");
    EXPECT_EQ(save.GetFileName(), "report.txt");
    EXPECT_EQ(save.GetFileExt(), "txt");
    EXPECT_EQ(save.GetFileTitle(), "report");
    EXPECT_EQ(save.GetFolderPath(), "C:\\MyData");
    EXPECT_STREQ(save.m_ofn.lpstrFile, "C:\\MyData\\report.txt");
    const MODAL_RECORD& shown = ModalHook::Shown().back();
    EXPECT_FALSE(shown.open);
    EXPECT_EQ(shown.folder, "C:\\MyData");
    EXPECT_EQ(shown.fileName, "report");
    EXPECT_EQ(shown.text, "Text (*.txt)|*.txt|All (*.*)|*.*||");

    CFileDialog open(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST);
    std::vector<char> buffer(4096, 'x');
    open.m_ofn.lpstrFile = buffer.data();
    open.m_ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ModalHook::AnswerFileDialog({"D:\\Lines\\a.csv", "D:\\Lines\\b.csv"});
    ASSERT_EQ(open.DoModal(), IDOK);
    std::vector<CString> paths;
    for (POSITION pos = open.GetStartPosition(); pos;)
        paths.push_back(open.GetNextPathName(pos));
    EXPECT_EQ(paths, (std::vector<CString>{"D:\\Lines\\a.csv", "D:\\Lines\\b.csv"}));
    // The framework's buffer: the folder, then each name, then an empty string.
    EXPECT_EQ(std::string(buffer.data(), 30), std::string("D:\\Lines\0a.csv\0b.csv\0\0", 22) + "xxxxxxxx");

    ModalHook::CancelFileDialog();
    EXPECT_EQ(open.DoModal(), IDCANCEL);
    EXPECT_EQ(open.GetPathName(), "");
    EXPECT_EQ(open.GetStartPosition(), nullptr);
}

TEST(DialogTest, FilterTextBecomesQtFilters)
{
    EXPECT_EQ(CFileDialog::QtFilters("Text (*.txt)|*.txt|All (*.*)|*.*||"),
              (QStringList{"Text (*.txt)", "All (*)"}));
    EXPECT_EQ(CFileDialog::QtFilters("Survey files|*.srv;*.sv2||"),
              (QStringList{"Survey files (*.srv *.sv2)"}));
    EXPECT_TRUE(CFileDialog::QtFilters("").isEmpty());
    EXPECT_EQ(CFileDialog::WithDefaultExtension("C:\\a.b\\name", "csv"), "C:\\a.b\\name.csv");
    EXPECT_EQ(CFileDialog::WithDefaultExtension("C:\\a\\name.txt", "csv"), "C:\\a\\name.txt");
}

TEST(DialogTest, RealFileDialogStartsInTheInitialFolderAndReturnsWindowsPaths)
{
    const QString folder = TempDrives::Current()->OnC("MyData");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile file(folder + "/line.csv");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    HookOff off;
    CFileDialog open(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, "Lines (*.csv)|*.csv||");
    open.m_ofn.lpstrInitialDir = "C:\\MyData";
    QString shownFolder;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shownFolder = dialog->directory().absolutePath();
        dialog->selectFile(folder + "/line.csv");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(shownFolder, QDir(folder).absolutePath());
    EXPECT_EQ(open.GetPathName(), "C:\\MyData\\line.csv");
}
