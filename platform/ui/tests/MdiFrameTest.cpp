// Document windows in a main frame's area: each child frame has its own view and document;
// commands go to the active one; activation is told to the children; a child closes alone.
#include "SmallProgram.h"

#include "platform/ui/MdiFrameWnd.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

using namespace smallprogram;

namespace
{
class CRecordingChild : public CMDIChildWndEx
{
    DECLARE_DYNCREATE(CRecordingChild)
public:
    std::vector<int> m_activations; // 1 activated, 0 deactivated

protected:
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
    {
        CMDIChildWndEx::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
        m_activations.push_back(bActivate ? 1 : 0);
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CRecordingChild, CMDIChildWndEx)
BEGIN_MESSAGE_MAP(CRecordingChild, CMDIChildWndEx)
ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CRecordingChild* OpenChild(CMDIFrameWndEx* frame, CTestDoc* doc)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
    context.m_pCurrentDoc = doc;
    auto* child = new CRecordingChild;
    if (!child->LoadFrame(IDR_MAIN, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, frame, &context))
        return nullptr;
    child->InitialUpdateFrame(doc, TRUE);
    return child;
}
} // namespace

TEST(MdiFrameTest, CommandsGoToTheActiveDocumentWindow)
{
    CTestApp app;
    auto* frame = new CMDIFrameWndEx;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAIN));
    app.m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    auto* docOne = new CTestDoc;
    auto* docTwo = new CTestDoc;
    CRecordingChild* one = OpenChild(frame, docOne);
    ASSERT_NE(one, nullptr);
    CRecordingChild* two = OpenChild(frame, docTwo);
    ASSERT_NE(two, nullptr);
    Pump();
    EXPECT_EQ(frame->GetMdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(frame->MDIGetActive(), two);
    EXPECT_EQ(frame->GetActiveDocument(), docTwo);
    EXPECT_EQ(frame->GetActiveFrame(), two);
    auto* viewOne = static_cast<CTestView*>(one->GetActiveView());
    auto* viewTwo = static_cast<CTestView*>(two->GetActiveView());
    ASSERT_NE(viewOne, nullptr);
    EXPECT_EQ(viewOne->GetParentFrame(), one);
    EXPECT_EQ(viewOne->GetTopLevelFrame(), frame);
    EXPECT_EQ(one->GetMDIFrame(), frame);
    EXPECT_EQ(viewOne->m_initialUpdates, 1);

    frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_COUNT, 0), 0);
    EXPECT_EQ(viewTwo->m_count, 1);
    EXPECT_EQ(viewOne->m_count, 0);
    frame->MDIActivate(one);
    EXPECT_EQ(frame->MDIGetActive(), one);
    EXPECT_EQ(one->m_activations.back(), 1);
    EXPECT_EQ(two->m_activations.back(), 0);
    EXPECT_TRUE(AfxChooseMenuItem(frame, ID_VIEW_COUNT));
    EXPECT_EQ(viewOne->m_count, 1);

    // A document window's caption, as made and as changed, is its sub-window's.
    auto* sub = qobject_cast<QMdiSubWindow*>(two->GetWidget()->parentWidget());
    ASSERT_NE(sub, nullptr);
    CString caption;
    two->GetWindowText(caption);
    EXPECT_EQ(sub->windowTitle().toStdString(), std::string(caption));
    two->SetWindowText("Chart - Survey");
    EXPECT_EQ(sub->windowTitle(), QString("Chart - Survey"));

    // A document window closes alone; its document goes with its last view.
    const int live = CTestDoc::s_live;
    one->SendMessage(WM_CLOSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CTestDoc::s_live, live - 1);
    EXPECT_EQ(frame->GetMdiArea()->subWindowList().size(), 1);
    EXPECT_NE(frame->MDIGetActive(), one);
    EXPECT_TRUE(IsWindow(frame->GetSafeHwnd()));
}
