// The chart's document window in a host's area of documents: it stays open when closed,
// keeps its caption, and repaints its view at once when resized.
#include "chart/frame/ChartexaFrame.h"
#include "platform/core/WinApp.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"

#include <QImage>
#include <QMdiArea>
#include <gtest/gtest.h>

namespace
{
// A view that fills itself with a colour that changes at every paint, so a probe pixel shows
// whether it was painted.
class CShadeView : public CView
{
    DECLARE_DYNCREATE(CShadeView)
public:
    void OnDraw(CDC* dc) override
    {
        ++paints;
        CRect client;
        GetClientRect(client);
        dc->FillSolidRect(client, RGB(0, 0, (paints * 40) % 256));
    }
    int paints = 0;
};
IMPLEMENT_DYNCREATE(CShadeView, CView)

class CNamedDoc : public CDocument
{
    DECLARE_DYNCREATE(CNamedDoc)
};
IMPLEMENT_DYNCREATE(CNamedDoc, CDocument)

struct ChartexaFrameFixture : ::testing::Test
{
    CWinApp app{"ChartexaFrameTest"};
    CMDIFrameWndEx* main = nullptr;
    CChartexaFrame* child = nullptr;
    CNamedDoc* doc = nullptr;

    void SetUp() override
    {
        main = new CMDIFrameWndEx;
        ASSERT_TRUE(main->Create(nullptr, "Host", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
        app.m_pMainWnd = main;
        main->ShowWindow(SW_SHOW);
        doc = new CNamedDoc;
        doc->SetTitle("Survey.dat");
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CShadeView);
        context.m_pCurrentDoc = doc;
        child = static_cast<CChartexaFrame*>(RUNTIME_CLASS(CChartexaFrame)->CreateObject());
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->Create(nullptr, "Chart", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                                  CRect(0, 0, 400, 300), main, &context));
        child->InitialUpdateFrame(doc, TRUE);
        child->MDIMaximize();
        Pump();
    }
    void TearDown() override
    {
        if (main && IsWindow(main->GetSafeHwnd()))
            main->DestroyWindow();
        app.m_pMainWnd = nullptr;
    }
};
} // namespace

TEST_F(ChartexaFrameFixture, StaysOpenAndKeepsItsCaption)
{
    CString caption;
    child->GetWindowText(caption);
    EXPECT_EQ(caption.Find("Survey.dat"), -1) << caption.GetString();
    child->OnUpdateFrameTitle(TRUE);
    child->GetWindowText(caption);
    EXPECT_EQ(caption.Find("Survey.dat"), -1) << caption.GetString();

    child->SendMessage(WM_CLOSE);
    Pump();
    EXPECT_TRUE(IsWindow(child->GetSafeHwnd()));
    EXPECT_EQ(main->GetMdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(FrameProbe::StrayTopLevels(main), std::vector<std::string>());
}

TEST_F(ChartexaFrameFixture, AResizePaintsTheViewAtOnce)
{
    auto* view = static_cast<CShadeView*>(child->GetActiveView());
    ASSERT_NE(view, nullptr);
    const QRect area = FrameProbe::PaneRect(view);
    ASSERT_FALSE(area.isEmpty());
    const QPoint probe = area.center();
    const QRgb before = FrameProbe::GrabWindow(main).pixel(probe);
    const int paints = view->paints;
    main->MoveWindow(0, 0, 900, 650); // the maximised document window follows
    EXPECT_GT(view->paints, paints);
    Pump();
    EXPECT_NE(FrameProbe::GrabWindow(main).pixel(probe), before);
}
