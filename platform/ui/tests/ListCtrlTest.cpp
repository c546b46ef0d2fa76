// The report-view list driven offscreen: columns and items, clicks that reach the parent as
// notifications, custom-draw colours on the rendered pixels, column sizing and a large fill.
#include "platform/ui/ListCtrl.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace
{
void Pump()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The list's viewport, where clicks land.
QWidget* ViewportOf(CListCtrl& list)
{
    auto* area = dynamic_cast<QAbstractScrollArea*>(list.GetWidget());
    return area ? area->viewport() : nullptr;
}

// Clicks at a point in the list's client coordinates.
void ClickList(CListCtrl& list, CPoint pt, Qt::MouseButton button = Qt::LeftButton, bool dbl = false)
{
    QWidget* vp = ViewportOf(list);
    ASSERT_NE(vp, nullptr);
    const QPoint at = QPoint(pt.x, pt.y) - vp->geometry().topLeft();
    QMouseEvent press(dbl ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, at,
                      vp->mapToGlobal(QPointF(at)), button, button, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, vp->mapToGlobal(QPointF(at)), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
}

struct Clicked
{
    UINT code;
    int item;
    int sub;
};

// A top-level window owning one list, noting its notifications and answering custom draw.
class CListOwner : public CWnd
{
public:
    std::vector<Clicked> clicks;
    std::vector<DWORD> stages;
    COLORREF oddRowBack = 0; // 0: leave rows alone
    LRESULT beginEditAnswer = 0;
    int beginEdits = 0;

    CListOwner()
    {
        CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 540, 440), nullptr, 0);
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == NM_CLICK || hdr->code == NM_RCLICK || hdr->code == NM_DBLCLK)
        {
            auto* a = reinterpret_cast<NMITEMACTIVATE*>(lParam);
            clicks.push_back({hdr->code, a->iItem, a->iSubItem});
            *pResult = 0;
            return TRUE;
        }
        if (hdr->code == NM_CUSTOMDRAW)
        {
            auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
            stages.push_back(cd->nmcd.dwDrawStage);
            *pResult = 0;
            if (cd->nmcd.dwDrawStage == CDDS_PREPAINT || cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                *pResult = CDRF_NOTIFYSUBITEMDRAW;
            else if (cd->nmcd.dwDrawStage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM) && oddRowBack &&
                     (cd->nmcd.dwItemSpec & 1))
                cd->clrTextBk = oddRowBack;
            return TRUE;
        }
        if (hdr->code == LVN_BEGINLABELEDIT)
        {
            ++beginEdits;
            *pResult = beginEditAnswer;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

constexpr UINT IDC_LIST = 300;

// A report list of three columns and four rows "r<row>c<col>".
void Fill(CListCtrl& list)
{
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    list.InsertColumn(1, "Easting", LVCFMT_RIGHT, 90);
    list.InsertColumn(2, "Northing", LVCFMT_CENTER, 100);
    for (int r = 0; r < 4; ++r)
    {
        CString text;
        text.Format("r%dc0", r);
        ASSERT_EQ(list.InsertItem(r, text), r);
        for (int c = 1; c < 3; ++c)
        {
            text.Format("r%dc%d", r, c);
            ASSERT_TRUE(list.SetItemText(r, c, text));
        }
    }
}
} // namespace

TEST(ListControl, HoldsColumnsItemsDataAndStates)
{
    CListOwner owner;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &owner, IDC_LIST));
    Fill(list);
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(2, 1), CString("r2c1"));
    EXPECT_EQ(list.GetItemText(2, 7), CString("")); // a sub-item never set reads empty
    EXPECT_EQ(list.GetColumnWidth(1), 90);

    // Inserting in the middle moves later rows down; past the end appends.
    EXPECT_EQ(list.InsertItem(1, "new"), 1);
    EXPECT_EQ(list.InsertItem(99, "last"), 5);
    EXPECT_EQ(list.GetItemText(2, 0), CString("r1c0"));
    EXPECT_TRUE(list.DeleteItem(1));
    EXPECT_FALSE(list.DeleteItem(17));
    EXPECT_FALSE(list.SetItemText(9, 0, "x"));
    EXPECT_FALSE(list.SetItemText(0, 3, "beyond the columns"));

    EXPECT_TRUE(list.SetItemData(3, 0x808080));
    EXPECT_EQ(list.GetItemData(3), 0x808080u);

    LVITEM item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 2;
    item.iImage = 1;
    EXPECT_TRUE(list.SetItem(&item));
    item.iImage = -5;
    EXPECT_TRUE(list.GetItem(&item));
    EXPECT_EQ(item.iImage, 1);

    // Text comes back cut to the caller's buffer.
    char small[4];
    EXPECT_EQ(list.GetItemText(0, 2, small, sizeof small), 3);
    EXPECT_STREQ(small, "r0c");

    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetItemState(1, LVIS_FOCUSED | LVIS_SELECTED), LVIS_FOCUSED | LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_FOCUSED), 1);
    std::vector<int> selected;
    for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{1, 3}));

    // The heading's value and format live in the header.
    HDITEM hd{};
    hd.mask = HDI_LPARAM | HDI_FORMAT;
    hd.lParam = 0x00FF00;
    hd.fmt = HDF_CENTER | HDF_OWNERDRAW;
    EXPECT_TRUE(list.GetHeaderCtrl()->SetItem(1, &hd));
    HDITEM back{};
    back.mask = HDI_LPARAM | HDI_FORMAT;
    EXPECT_TRUE(list.GetHeaderCtrl()->GetItem(1, &back));
    EXPECT_EQ(back.lParam, 0x00FF00);
    EXPECT_EQ(back.fmt, HDF_CENTER | HDF_OWNERDRAW);
    EXPECT_FALSE(list.GetHeaderCtrl()->GetItem(3, &back));

    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(list.GetItemText(0, 0), CString("r0c1"));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
}

// A table refreshed on a timer sets its rows again and again: a row set to what it holds
// tells the view nothing (and so paints nothing); any real change still does.
TEST(ListControl, ARowSetToWhatItHoldsIsNotRepainted)
{
    CListOwner owner;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &owner, IDC_LIST));
    Fill(list);
    auto* view = dynamic_cast<QAbstractItemView*>(list.GetWidget());
    ASSERT_NE(view, nullptr);
    int changes = 0;
    QObject::connect(view->model(), &QAbstractItemModel::dataChanged, [&changes] { ++changes; });
    EXPECT_TRUE(list.SetItemText(1, 1, "r1c1"));
    EXPECT_TRUE(list.SetItemData(1, list.GetItemData(1)));
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(list.SetItemText(1, 1, "moved"));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(list.SetItemData(2, 77));
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(list.SetItemText(3, 7, "")); // beyond the columns: refused as before
    EXPECT_EQ(list.GetItemText(1, 1), CString("moved"));
}

TEST(ListControl, HitTestsAndRectanglesAgreeAndClicksReachTheParent)
{
    CListOwner owner;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &owner, IDC_LIST));
    Fill(list);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    Pump();

    CRect row;
    ASSERT_TRUE(list.GetItemRect(2, &row, LVIR_BOUNDS));
    EXPECT_EQ(row.Width(), 80 + 90 + 100);
    CRect header;
    ASSERT_TRUE(list.GetHeaderCtrl()->GetItemRect(0, &header));
    EXPECT_GE(row.top, header.bottom); // rows sit below the header, in client coordinates

    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, 1, LVIR_LABEL, cell));
    EXPECT_EQ(cell.left, row.left + 80);
    EXPECT_EQ(cell.Width(), 90);

    struct Case
    {
        CPoint pt;
        int item;
        int sub;
    };
    const int y = (row.top + row.bottom) / 2;
    const Case cases[] = {
        {CPoint(row.left + 5, y), 2, 0},    {CPoint(row.left + 85, y), 2, 1},
        {CPoint(row.left + 175, y), 2, 2},  {CPoint(row.left + 290, y), -1, 0}, // right of the last column
        {CPoint(row.left + 5, 290), -1, 0},                                     // below the last row
    };
    for (const Case& c : cases)
    {
        LVHITTESTINFO info{};
        info.pt = c.pt;
        EXPECT_EQ(list.SubItemHitTest(&info), c.item) << c.pt.x << "," << c.pt.y;
        if (c.item >= 0)
            EXPECT_EQ(info.iSubItem, c.sub) << c.pt.x;
        else
            EXPECT_EQ(info.flags & LVHT_ONITEM, 0u);
    }

    ClickList(list, CPoint(row.left + 85, y));
    Pump();
    ASSERT_EQ(owner.clicks.size(), 1u);
    EXPECT_EQ(owner.clicks[0].code, NM_CLICK);
    EXPECT_EQ(owner.clicks[0].item, 2);
    EXPECT_EQ(owner.clicks[0].sub, 1);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), LVIS_SELECTED | LVIS_FOCUSED);

    ClickList(list, CPoint(row.left + 5, y), Qt::RightButton);
    ClickList(list, CPoint(row.left + 5, 290), Qt::LeftButton);
    ASSERT_EQ(owner.clicks.size(), 3u);
    EXPECT_EQ(owner.clicks[1].code, NM_RCLICK);
    EXPECT_EQ(owner.clicks[2].item, -1);
}

TEST(ListControl, CustomDrawAnswersColourTheCells)
{
    CListOwner owner;
    owner.oddRowBack = RGB(0, 0, 255);
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &owner, IDC_LIST));
    Fill(list);
    list.SetBkColor(RGB(0, 255, 0));
    Pump();
    const QImage image = list.RenderToImage();

    CRect even, odd;
    ASSERT_TRUE(list.GetItemRect(0, &even, LVIR_BOUNDS));
    ASSERT_TRUE(list.GetItemRect(1, &odd, LVIR_BOUNDS));
    // Sample at the right end of the last column, clear of the text.
    const int x = even.right - 3;
    EXPECT_EQ(image.pixelColor(x, (even.top + even.bottom) / 2), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(x, (odd.top + odd.bottom) / 2), QColor(0, 0, 255));
    // Below the rows the background colour shows.
    EXPECT_EQ(image.pixelColor(x, 290), QColor(0, 255, 0));

    // Stages: one pre-paint, then per row an item stage followed by its cells' stages.
    ASSERT_FALSE(owner.stages.empty());
    EXPECT_EQ(owner.stages[0], CDDS_PREPAINT);
    ASSERT_GE(owner.stages.size(), 3u);
    EXPECT_EQ(owner.stages[1], CDDS_ITEMPREPAINT);
    EXPECT_EQ(owner.stages[2], CDDS_ITEMPREPAINT | CDDS_SUBITEM);
}

TEST(ListControl, AutoSizeFitsCellsOrHeadingsAndTheLastColumnFills)
{
    CListOwner owner;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &owner, IDC_LIST));
    Fill(list);
    list.SetItemText(3, 0, "a considerably longer cell text");
    ASSERT_TRUE(list.SetColumnWidth(0, LVSCW_AUTOSIZE));
    EXPECT_GT(list.GetColumnWidth(0), list.GetStringWidth("a considerably longer cell text"));

    // Headings measure their lines side by side.
    LVCOLUMN col{};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<LPSTR>("Navigation\nLights");
    ASSERT_TRUE(list.SetColumn(1, &col));
    ASSERT_TRUE(list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_GT(list.GetColumnWidth(1), list.GetStringWidth("NavigationLights"));

    // The last column takes what is left of the client width.
    ASSERT_TRUE(list.SetColumnWidth(2, LVSCW_AUTOSIZE_USEHEADER));
    CRect client;
    list.GetClientRect(&client);
    EXPECT_GE(list.GetColumnWidth(0) + list.GetColumnWidth(1) + list.GetColumnWidth(2), client.Width() - 4);
    EXPECT_FALSE(list.SetColumnWidth(5, 40));
}

TEST(ListControl, LabelEditAsksTheParentOnlyWithEditLabels)
{
    CListOwner owner;
    CListCtrl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 200, 100), &owner, IDC_LIST));
    Fill(plain);
    plain.EditLabel(0);
    EXPECT_EQ(owner.beginEdits, 0);
    CListCtrl editable;
    ASSERT_TRUE(editable.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 100, 200, 200),
                                &owner, IDC_LIST + 1));
    Fill(editable);
    editable.EditLabel(0);
    EXPECT_EQ(owner.beginEdits, 1);
}

TEST(ListControl, EnsureVisibleScrollsAndCountsPerPage)
{
    CListOwner owner;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &owner, IDC_LIST));
    list.InsertColumn(0, "N", LVCFMT_LEFT, 100);
    for (int i = 0; i < 200; ++i)
        list.InsertItem(i, "x");
    Pump();
    const int perPage = list.GetCountPerPage();
    EXPECT_GT(perPage, 2);
    EXPECT_LT(perPage, 200);
    EXPECT_EQ(list.GetTopIndex(), 0);
    ASSERT_TRUE(list.EnsureVisible(150, FALSE));
    Pump();
    const int top = list.GetTopIndex();
    EXPECT_LE(top, 150);
    EXPECT_GT(top + perPage, 150);
    EXPECT_FALSE(list.EnsureVisible(500, FALSE));
}

// Benchmark-style: reports the time of a 50 000-row fill with redraw off; no limit on time.
TEST(ListControlBench, FiftyThousandRowFill)
{
    CListOwner owner;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &owner, IDC_LIST));
    for (int c = 0; c < 6; ++c)
        list.InsertColumn(c, "Column", LVCFMT_LEFT, 60);
    QElapsedTimer timer;
    timer.start();
    list.SetRedraw(FALSE);
    CString text;
    for (int r = 0; r < 50000; ++r)
    {
        text.Format("%d", r);
        const int at = list.InsertItem(r, text);
        for (int c = 1; c < 6; ++c)
            list.SetItemText(at, c, text);
    }
    list.SetRedraw(TRUE);
    Pump();
    const qint64 fill = timer.elapsed();
    timer.restart();
    for (int c = 0; c < 6; ++c)
        list.SetColumnWidth(c, LVSCW_AUTOSIZE);
    const qint64 size = timer.elapsed();
    std::printf("[ bench    ] 50000 rows x 6 columns: fill %lld ms, auto-size all columns %lld ms\n",
                static_cast<long long>(fill), static_cast<long long>(size));
    EXPECT_EQ(list.GetItemCount(), 50000);
    EXPECT_EQ(list.GetItemText(49999, 5), CString("49999"));
}
