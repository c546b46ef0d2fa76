// A document/view program started as a program starts (template, command line, shell
// command): what the framework makes, how a view finds its document and frame, the frame's
// title, notifications reflected to the list view, and closing through the frame's handler.
#include "SmallProgram.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/ModalHook.h"

#include <QImage>
#include <QMainWindow>
#include <gtest/gtest.h>

using namespace smallprogram;

TEST(DocViewTest, StartMakesDocumentFrameAndViewAndMainWindow)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(app.m_pMainWnd, static_cast<CCmdTarget*>(frame));
    EXPECT_TRUE(frame->IsWindowVisible());

    auto* view = DYNAMIC_DOWNCAST(CTestView, frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetParentFrame(), frame);
    EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    auto* doc = DYNAMIC_DOWNCAST(CTestDoc, view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(CTestDoc::s_live, 1);
    POSITION pos = doc->GetFirstViewPosition();
    EXPECT_EQ(doc->GetNextView(pos), view);
    EXPECT_EQ(pos, nullptr);

    // The template's strings: a new document is named by its document name.
    CDocTemplate* templ = doc->GetDocTemplate();
    ASSERT_NE(templ, nullptr);
    CString part;
    EXPECT_TRUE(templ->GetDocString(part, CDocTemplate::regFileTypeId));
    EXPECT_STREQ(part, "TestDoc.Document");
    EXPECT_FALSE(templ->GetDocString(part, CDocTemplate::filterExt));
    EXPECT_STREQ(doc->GetTitle(), "TestDoc");

    // The view is the list control, filled once by its initial update, and it is what the
    // frame shows in its centre.
    EXPECT_EQ(view->m_initialUpdates, 1);
    CListCtrl& list = view->GetListCtrl();
    EXPECT_EQ(list.GetItemCount(), 1);
    EXPECT_STREQ(list.GetItemText(0, 1), "6000000.00");
    EXPECT_EQ(frame->GetMainWindow()->centralWidget(), view->GetWidget());

    // Dynamic creation made each of them.
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CListView)));
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CFrameWndEx)));
}

TEST(DocViewTest, FrameTitleFollowsTheDocumentUntilTheProgramSetsItsOwn)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    CString title;
    // FWS_PREFIXTITLE (set in OnCreate) puts the document first.
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "TestDoc - Test Program");
    frame->GetActiveDocument()->SetTitle("Survey");
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Survey - Test Program");

    frame->ModifyStyle(FWS_PREFIXTITLE, 0);
    frame->OnUpdateFrameTitle(TRUE);
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Test Program - Survey");

    // A title the program sets stays through idle work.
    frame->SetWindowText("Geodetic Spreadsheet");
    frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    Pump();
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Geodetic Spreadsheet");
    EXPECT_EQ(frame->GetMainWindow()->windowTitle(), QString("Geodetic Spreadsheet"));
}

TEST(DocViewTest, ListNotificationsComeBackToTheViewsMap)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<CTestView*>(frame->GetActiveView());
    NMITEMACTIVATE click{};
    click.iItem = 0;
    // The list tells its parent, the frame; the frame reflects it to the view.
    AfxNotifyParent(view->GetSafeHwnd(), NM_RCLICK, &click.hdr);
    EXPECT_EQ(view->m_rightClicks, 1);
    EXPECT_EQ(click.hdr.idFrom, static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST));
}

TEST(DocViewTest, CloseIsAskedThroughTheFramesHandler)
{
    CTestApp app;
    CTestFrame* frame = app.Start();
    ASSERT_NE(frame, nullptr);
    const HWND hFrame = frame->GetSafeHwnd();
    const HWND hView = frame->GetActiveView()->GetSafeHwnd();

    // Refused: everything stays.
    ModalHook::AnswerMessageBox(IDNO);
    frame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(IsWindow(hFrame));
    EXPECT_EQ(frame->m_closeQuestions, 1);
    EXPECT_EQ(app.m_pMainWnd, static_cast<CCmdTarget*>(frame));
    EXPECT_EQ(CTestDoc::s_live, 1);

    // The File menu's Exit asks the same question; accepted, the frame, its view and the
    // document go, and the program has no main window left.
    ModalHook::AnswerMessageBox(IDYES);
    EXPECT_TRUE(AfxChooseMenuItem(frame, ID_APP_EXIT));
    Pump();
    EXPECT_FALSE(IsWindow(hFrame));
    EXPECT_FALSE(IsWindow(hView));
    EXPECT_EQ(CTestDoc::s_live, 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    ASSERT_EQ(ModalHook::Shown().size(), 2u);
    EXPECT_STREQ(ModalHook::Shown().back().text, "Are you sure you wish to exit program");
}

TEST(DocViewTest, CommandLineFileNameOpensThatDocument)
{
    struct Case
    {
        std::vector<const char*> args;
        int command;
        const char* file;
        BOOL splash;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, "", TRUE},
        {{"/nologo"}, CCommandLineInfo::FileNew, "", FALSE},
        {{"C:\\MyData\\a.csv"}, CCommandLineInfo::FileOpen, "C:\\MyData\\a.csv", TRUE},
        {{"/p", "C:\\x.txt"}, CCommandLineInfo::FilePrint, "C:\\x.txt", TRUE},
        {{"/data/a.csv"}, CCommandLineInfo::FileOpen, "Z:\\data\\a.csv", TRUE},
    };
    for (const Case& c : cases)
    {
        CCommandLineInfo info;
        for (size_t i = 0; i < c.args.size(); ++i)
        {
            const char* a = c.args[i];
            const bool flag = a[0] == '/' && a[1] != 'd';
            info.ParseParam(flag ? a + 1 : a, flag, i + 1 == c.args.size());
        }
        EXPECT_EQ(info.m_nShellCommand, c.command) << (c.args.empty() ? "" : c.args.back());
        EXPECT_STREQ(info.m_strFileName, c.file);
        EXPECT_EQ(info.m_bShowSplash, c.splash);
    }
}

TEST(DocViewTest, OpeningAMissingFileFailsAndLeavesNoWindow)
{
    CTestApp app;
    app.AddDocTemplate(new CSingleDocTemplate(IDR_MAIN, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestView)));
    CCommandLineInfo info;
    info.ParseParam("C:\\MyData\\missing.dat", FALSE, TRUE);
    EXPECT_FALSE(app.ProcessShellCommand(info));
    Pump();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(CTestDoc::s_live, 0);
}

namespace
{
// Draws a red square at (300, 200) of a 1000 x 800 drawing.
class CSquareScrollView : public CScrollView
{
    DECLARE_DYNCREATE(CSquareScrollView)
public:
    void OnDraw(CDC* pDC) override { pDC->FillSolidRect(CRect(300, 200, 310, 210), RGB(255, 0, 0)); }
};
IMPLEMENT_DYNCREATE(CSquareScrollView, CScrollView)

constexpr UINT IDD_FORM = 9350;
constexpr int IDC_FORM_NAME = 9351;
const DLGITEM_TABLE kFormItems[] = {
    {DLGI_LTEXT, IDC_STATIC, "Name:", 7, 7, 40, 8},
    {DLGI_EDITTEXT, IDC_FORM_NAME, "", 50, 5, 100, 14, ES_AUTOHSCROLL},
};
const DLGTEMPLATE_TABLE kForm = {IDD_FORM, "", nullptr,  8, 0,          0,
                                 160,      40, WS_CHILD, 0, kFormItems, AFX_DLGITEM_COUNT(kFormItems)};
const CDialogTemplateRegistrar kFormRegistrar(&kForm);

class CNameFormView : public CFormView
{
    DECLARE_DYNCREATE(CNameFormView)
public:
    CNameFormView() : CFormView(IDD_FORM) {}
    CString m_name = "Survey 1";
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FORM_NAME, m_name); }
};
IMPLEMENT_DYNCREATE(CNameFormView, CFormView)

// A frame made by hand around a view of the class.
CView* HandMadeFrameWithView(CRuntimeClass* viewClass, CFrameWnd*& frame)
{
    frame = new CFrameWnd;
    if (!frame->Create(nullptr, "Hand made", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)))
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = viewClass;
    auto* view = static_cast<CView*>(frame->CreateView(&context));
    frame->InitialUpdateFrame(nullptr, TRUE);
    Pump();
    return view;
}
} // namespace

TEST(DocViewTest, ScrollViewDrawsItsDrawingMovedByTheScrollPosition)
{
    CFrameWnd* frame = nullptr;
    auto* view =
        static_cast<CSquareScrollView*>(HandMadeFrameWithView(RUNTIME_CLASS(CSquareScrollView), frame));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(frame->GetActiveView(), view);
    view->SetScrollSizes(MM_TEXT, CSize(1000, 800));
    view->ScrollToPosition(CPoint(250, 150));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(250, 150));
    view->Invalidate();
    view->UpdateWindow();
    const QImage image = view->RenderToImage();
    EXPECT_EQ(image.pixelColor(55, 55), QColor(255, 0, 0));
    EXPECT_NE(image.pixelColor(305, 205), QColor(255, 0, 0));

    // The position stays within the drawing.
    CRect client;
    view->GetClientRect(&client);
    view->ScrollToPosition(CPoint(5000, -3));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(1000 - client.Width(), 0));
    frame->DestroyWindow(); // the frame and its view delete themselves
}

TEST(DocViewTest, FormViewHoldsItsTemplatesControlsFilledFromItsMembers)
{
    CFrameWnd* frame = nullptr;
    auto* view = static_cast<CNameFormView*>(HandMadeFrameWithView(RUNTIME_CLASS(CNameFormView), frame));
    ASSERT_NE(view, nullptr);
    CWnd* edit = view->GetDlgItem(IDC_FORM_NAME);
    ASSERT_NE(edit, nullptr);
    CString text;
    edit->GetWindowText(text);
    EXPECT_STREQ(text, "Survey 1");
    edit->SetWindowText("Survey 2");
    ASSERT_TRUE(view->UpdateData(TRUE));
    EXPECT_STREQ(view->m_name, "Survey 2");
    frame->DestroyWindow();
}

TEST(DocViewTest, ModifiedDocumentIsOfferedForSavingBeforeItGoes)
{
    {
        CTestApp app;
        CTestFrame* frame = app.Start();
        ASSERT_NE(frame, nullptr);
        auto* doc = static_cast<CTestDoc*>(frame->GetActiveDocument());
        doc->m_data = "first";
        doc->SetModifiedFlag();

        // Cancel keeps everything.
        ModalHook::AnswerMessageBox(IDYES); // exit?
        ModalHook::AnswerMessageBox(IDCANCEL);
        frame->SendMessage(WM_CLOSE);
        ASSERT_EQ(CTestDoc::s_live, 1);
        EXPECT_STREQ(ModalHook::Shown().back().text, "Save changes to TestDoc?");

        // File Save asks where; a folder that does not exist fails, is reported, and keeps the
        // document modified.
        ModalHook::AnswerFileDialog({"C:\\NoSuchFolder\\survey.tst"});
        ModalHook::AnswerMessageBox(IDOK);
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_STREQ(ModalHook::Shown().back().text,
                     "The document could not be saved to C:\\NoSuchFolder\\survey.tst.");
        ModalHook::AnswerFileDialog({"C:\\survey.tst"});
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_STREQ(doc->GetPathName(), "C:\\survey.tst");
        EXPECT_STREQ(doc->GetTitle(), "survey.tst");

        // Changed again and let go with No: the file keeps what was saved.
        doc->m_data = "second";
        doc->SetModifiedFlag();
        ModalHook::AnswerMessageBox(IDYES);
        ModalHook::AnswerMessageBox(IDNO);
        frame->SendMessage(WM_CLOSE);
        Pump();
        EXPECT_EQ(CTestDoc::s_live, 0);
        EXPECT_EQ(ModalHook::PendingAnswers(), 0u);
    }
    CTestApp app;
    app.LoadStdProfileSettings(4);
    app.AddDocTemplate(new CSingleDocTemplate(IDR_MAIN, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                              RUNTIME_CLASS(CTestView)));
    CCommandLineInfo info;
    info.ParseParam("C:\\survey.tst", FALSE, TRUE);
    ASSERT_TRUE(app.ProcessShellCommand(info));
    auto* frame = static_cast<CTestFrame*>(AfxGetMainCWnd());
    ASSERT_NE(frame, nullptr);
    auto* doc = static_cast<CTestDoc*>(frame->GetActiveDocument());
    EXPECT_STREQ(doc->m_data, "first");
    EXPECT_FALSE(doc->IsModified());
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "survey.tst - Test Program");
    EXPECT_STREQ(app.GetRecentFileList().GetHead(), "C:\\survey.tst");
}
