// A small frame with two docking panes, a property grid and a status bar, driven as a user
// would: a property edited, a pane closed, and the layout restored on the next start. Also
// renders the left pane's property grid to visual/frame.png under the build folder for a person
// to look at.
#include "platform/core/WinApp.h"
#include "platform/ui/DockablePane.h"
#include "platform/ui/PropertyGrid.h"
#include "platform/ui/Resources.h"
#include "platform/ui/StatusBar.h"
#include "testsupport/FrameProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <QImage>
#include <gtest/gtest.h>

#ifndef SUITE_VISUAL_DIR
#define SUITE_VISUAL_DIR "visual"
#endif

namespace
{
const STRINGTABLE_ENTRY kStrings[] = {{40101, "Ready"}, {40102, " Eng: "}};
const CStringTableRegistrar kRegistrar("DockingTest", kStrings);

class CFrameLike : public CWnd
{
public:
    int changes = 0;
    LRESULT OnPropertyChanged(WPARAM, LPARAM)
    {
        ++changes;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameLike, CWnd)
ON_REGISTERED_MESSAGE(AFX_WM_PROPERTY_CHANGED, &CFrameLike::OnPropertyChanged)
END_MESSAGE_MAP()

// One run of the program: the frame, its panes and bar.
struct Session
{
    CFrameLike frame;
    CDockablePane left, right;
    CMFCPropertyGridCtrl grid;
    CMFCStatusBar bar;

    void Start()
    {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400),
                                   nullptr, 0));
        ASSERT_TRUE(left.Create("Boundary Properties", &frame, CRect(0, 0, 260, 370), TRUE, 33001,
                                WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        ASSERT_TRUE(right.Create("Route Properties", &frame, CRect(340, 0, 600, 370), TRUE, 33002,
                                 WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(2, 24, 258, 360), &left, 1));
        grid.SetOwner(&frame);
        grid.EnableHeaderCtrl(FALSE);
        grid.EnableDescriptionArea();
        grid.SetVSDotNetLook();
        grid.MarkModifiedProperties();
        grid.SetCustomColors(0xD6D6D6, 0x000000, 0x555555, 0xEBEBEB, 0x555555, 0xEBEBEB, 0x555555);
        auto* group = new CMFCPropertyGridProperty("Properties");
        group->AddSubItem(new CMFCPropertyGridProperty("Display", COleVariant(true), "Display the file", 1));
        group->AddSubItem(new CMFCPropertyGridProperty("Width", COleVariant(12.5), "Corridor width", 2));
        grid.AddProperty(group);
        ASSERT_TRUE(bar.Create(&frame));
        const UINT ids[] = {ID_SEPARATOR, 40102, 40101};
        ASSERT_TRUE(bar.SetIndicators(ids, 3));
    }
};
} // namespace

TEST(DockingTest, EditClosePaneAndRestoreLayoutOnNextStart)
{
    CWinApp app("DockingTest");
    {
        Session s;
        s.Start();
        EXPECT_TRUE(s.left.IsVisible());
        EXPECT_TRUE(s.right.IsVisible());
        EXPECT_STREQ(s.bar.GetPaneText(2), "Ready");
        EXPECT_STREQ(s.bar.GetPaneText(1), " Eng: ");

        CMFCPropertyGridProperty* width = s.grid.FindItemByData(2);
        ASSERT_TRUE(s.grid.EditProperty(width, "20"));
        EXPECT_EQ(s.frame.changes, 1);
        EXPECT_DOUBLE_EQ(width->GetValue().dblVal, 20.0);
        EXPECT_TRUE(s.bar.SetPaneText(0, "Width changed"));
        EXPECT_FALSE(s.bar.SetPaneText(3, "no such pane"));

        s.right.ClosePane();
        EXPECT_FALSE(s.right.IsVisible());
        ASSERT_TRUE(s.left.SaveState());
        ASSERT_TRUE(s.right.SaveState());

        QDir().mkpath(SUITE_VISUAL_DIR);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        // Nothing shows but the frame: the panes and the grid are inside it.
        EXPECT_TRUE(FrameProbe::StrayTopLevels(&s.frame).empty()) << FrameProbe::StrayTopLevels(&s.frame).front();
        const QImage image = FrameProbe::GrabWindow(&s.frame);
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(QString(SUITE_VISUAL_DIR) + "/frame.png"));
        // The grid's grey background and its text show inside the left pane of the frame's picture.
        const QRect pane = FrameProbe::PaneRect(&s.left);
        ASSERT_FALSE(pane.isEmpty());
        int grey = 0;
        for (int y = pane.top(); y <= pane.bottom(); y += 4)
            for (int x = pane.left(); x <= pane.right(); x += 4)
                grey += image.pixelColor(x, y) == QColor(0xD6, 0xD6, 0xD6);
        EXPECT_GT(grey, 50);
        EXPECT_GE(FrameProbe::ContentPixels(image, pane), 40);
    }
    {
        Session s; // the next start
        s.Start();
        EXPECT_TRUE(s.left.IsVisible());
        EXPECT_FALSE(s.right.IsVisible());
        EXPECT_EQ(CDockablePane::GetStoredVisibility(33003), -1);
    }
}
