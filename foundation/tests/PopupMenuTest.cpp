// A pane's context menu as the user sees it: the menu's owner draws its heading items through
// CPopupMenu::DrawHeading, white text centred on dark grey, on the menu's own background.
#include "foundation/PopupMenu.h"
#include "platform/core/WinApp.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ModalHook.h"
#include "testsupport/EventPump.h"

#include <QColor>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace
{
const UINT kHeadingId = 10000;
const int kHeadingWidth = 200;
const int kHeadingHeight = 24;

// A pane's owner as the panes are: headings (ids from 10000) drawn by the menu's heading
// routine, and measured wide enough for their text.
class CHeadingOwner : public CFrameWnd
{
public:
    void OnMeasureItem(int, LPMEASUREITEMSTRUCT item)
    {
        if (item->CtlType == ODT_MENU && item->itemID >= kHeadingId)
        {
            item->itemWidth = kHeadingWidth;
            item->itemHeight = kHeadingHeight;
        }
    }
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT item)
    {
        if (item->CtlType == ODT_MENU && item->itemID >= kHeadingId)
            CPopupMenu::DrawHeading(item);
        else
            CFrameWnd::OnDrawItem(nIDCtl, item);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHeadingOwner, CFrameWnd)
ON_WM_MEASUREITEM()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

bool IsWhite(const QColor& c)
{
    return c.red() > 200 && c.green() > 200 && c.blue() > 200;
}

TEST(PopupMenu, HeadingIsWhiteTextCentredOnDarkGrey)
{
    CWinApp app("PopupMenuTest");
    CHeadingOwner owner;
    ASSERT_TRUE(owner.Create(nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
    Pump();
    CPopupMenu menu(0xD6D6D6);
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(menu.AppendMenu(MF_OWNERDRAW, kHeadingId, "Depth"));
    ASSERT_TRUE(menu.AppendMenu(MF_STRING, 1, "Clear"));

    QImage shown;
    QRect heading;
    ModalHook::AnswerMenuShown([&](QWidget* widget) {
        shown = widget->grab().toImage();
        for (QWidget* child : widget->findChildren<QWidget*>())
            if (child->sizeHint() == QSize(kHeadingWidth, kHeadingHeight))
                heading = child->geometry();
        return 0u;
    });
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 10, 10, &owner);
    ASSERT_FALSE(shown.isNull()) << "the menu did not show";
    ASSERT_FALSE(heading.isEmpty()) << "no heading item in the menu";
    heading = heading.intersected(shown.rect());

    // The fill, at the item's corners (0x404040 reads the same in either byte order).
    for (const QPoint& corner : {heading.topLeft() + QPoint(1, 1), heading.bottomRight() - QPoint(1, 1)})
        EXPECT_EQ(shown.pixelColor(corner), QColor(0x40, 0x40, 0x40)) << corner.x() << "," << corner.y();

    // White text on the item's centre line, its middle at the item's middle.
    const int y = heading.center().y();
    int first = -1, last = -1;
    for (int x = heading.left(); x <= heading.right(); ++x)
        if (IsWhite(shown.pixelColor(x, y)))
        {
            first = first < 0 ? x : first;
            last = x;
        }
    ASSERT_GE(first, 0) << "no white text on the heading's centre line";
    EXPECT_NEAR((first + last) / 2.0, heading.center().x(), 4.0);
    EXPECT_GT(last - first, 10) << "the text is a word wide";
    // The menu's other items stand on its own background.
    EXPECT_EQ(shown.pixelColor(heading.left() + 2, heading.bottom() + 6), QColor(0xD6, 0xD6, 0xD6));
}
} // namespace
