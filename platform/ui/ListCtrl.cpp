#include "platform/ui/ListCtrl.h"
#include "platform/ui/QtText.h"
#include "platform/ui/ForwardingViewport.h"
#include "platform/ui/Colour.h"

#include "platform/ui/Dc.h"

#include "platform/ui/Font.h"
#include "platform/ui/ImageList.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace
{
void CopyOut(const CString& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return;
    const int n = std::min(text.GetLength(), size - 1);
    std::memcpy(buffer, static_cast<LPCSTR>(text), static_cast<size_t>(n));
    buffer[n] = '\0';
}

struct Row
{
    std::vector<CString> texts;
    LPARAM data = 0;
    int image = -1;
    UINT state = 0; // bits other than selected and focused
};

struct Column
{
    CString heading;
    int format = LVCFMT_LEFT;
    LPARAM headerData = 0;
};

class ListModel : public QAbstractTableModel
{
public:
    std::vector<Row> rows;
    std::vector<Column> columns;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return ToQ(Text(index.row(), index.column()));
        if (role == Qt::TextAlignmentRole)
            return static_cast<int>(Alignment(index.column()) | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= static_cast<int>(columns.size()))
            return {};
        if (role == Qt::DisplayRole)
            return ToQ(columns[static_cast<size_t>(section)].heading);
        if (role == Qt::TextAlignmentRole)
            return static_cast<int>(Alignment(section) | Qt::AlignVCenter);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? (Qt::ItemIsEnabled | Qt::ItemIsSelectable) : Qt::NoItemFlags;
    }

    const char* Text(int row, int col) const
    {
        const Row& r = rows[static_cast<size_t>(row)];
        return static_cast<size_t>(col) < r.texts.size()
                   ? static_cast<LPCSTR>(r.texts[static_cast<size_t>(col)])
                   : "";
    }
    Qt::Alignment Alignment(int col) const
    {
        switch (columns[static_cast<size_t>(col)].format & LVCFMT_JUSTIFYMASK)
        {
        case LVCFMT_RIGHT:
            return Qt::AlignRight;
        case LVCFMT_CENTER:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
        }
    }
    void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, std::max(0, columnCount() - 1))); }
    void Reset(const std::function<void()>& change)
    {
        beginResetModel();
        change();
        endResetModel();
    }
    void InsertRow(int at, Row row)
    {
        beginInsertRows(QModelIndex(), at, at);
        rows.insert(rows.begin() + at, std::move(row));
        endInsertRows();
    }
    void RemoveRow(int at)
    {
        beginRemoveRows(QModelIndex(), at, at);
        rows.erase(rows.begin() + at);
        endRemoveRows();
    }
    void InsertColumn(int at, Column col)
    {
        beginInsertColumns(QModelIndex(), at, at);
        columns.insert(columns.begin() + at, std::move(col));
        for (Row& r : rows)
            if (static_cast<size_t>(at) < r.texts.size())
                r.texts.insert(r.texts.begin() + at, CString());
        endInsertColumns();
    }
    void RemoveColumn(int at)
    {
        beginRemoveColumns(QModelIndex(), at, at);
        columns.erase(columns.begin() + at);
        for (Row& r : rows)
            if (static_cast<size_t>(at) < r.texts.size())
                r.texts.erase(r.texts.begin() + at);
        endRemoveColumns();
    }
    void HeadingChanged(int col) { emit headerDataChanged(Qt::Horizontal, col, col); }
};

int ScrollCode(int action)
{
    switch (action)
    {
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    default:
        return SB_THUMBTRACK;
    }
}

class ListView;

// The column header: owner-drawn items (HDF_OWNERDRAW) are drawn by the list's header object.
class HeaderView : public QHeaderView
{
public:
    explicit HeaderView(ListView* view);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    ListView* m_view;
};

// Paints the cells the way the list's colours and custom-draw answers say.
class CellDelegate : public QStyledItemDelegate
{
public:
    // Owned by `owner` (the view, whose type is not complete here): a view does not own the
    // delegate it is given.
    CellDelegate(ListView* view, QObject* owner) : QStyledItemDelegate(owner), m_view(view) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    ListView* m_view;
};

class ListView : public QTableView
{
public:
    ListView(HWND hWnd, QWidget* parent) : QTableView(parent), m_hWnd(hWnd)
    {
        setViewport(new ForwardingViewport([this](QEvent* e) { return viewportEvent(e); }));
        setHorizontalHeader(new HeaderView(this));
        setModel(&m_model);
        setItemDelegate(new CellDelegate(this, this));
        verticalHeader()->hide();
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        horizontalHeader()->setStretchLastSection(false);
        horizontalHeader()->setDefaultSectionSize(60);
        horizontalHeader()->setMinimumSectionSize(0);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        setWordWrap(false);
        setShowGrid(false);
        setContextMenuPolicy(Qt::NoContextMenu);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
        // The user's scrolling reaches the list as WM_HSCROLL / WM_VSCROLL (after the view has
        // moved), so that the list's owner code can react, e.g. end an open cell editor.
        QObject::connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
            ::SendMessage(m_hWnd, WM_HSCROLL, MAKEWPARAM(ScrollCode(action), 0), 0);
        });
        QObject::connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
            ::SendMessage(m_hWnd, WM_VSCROLL, MAKEWPARAM(ScrollCode(action), 0), 0);
        });
        ApplyStyle();
    }

    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE)); }
    void ApplyStyle()
    {
        const DWORD style = Style();
        setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                 : QAbstractItemView::ExtendedSelection);
        horizontalHeader()->setVisible((style & LVS_NOCOLUMNHEADER) == 0);
        horizontalHeader()->setSectionsClickable((style & LVS_NOSORTHEADER) == 0);
        setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    }

    // Offset of the viewport inside the widget: client coordinates of the list are widget
    // coordinates, as the header sits inside the client area.
    QPoint ViewportOffset() const { return viewport()->geometry().topLeft(); }
    bool ValidRow(int i) const { return i >= 0 && i < static_cast<int>(m_model.rows.size()); }
    bool ValidColumn(int c) const { return c >= 0 && c < static_cast<int>(m_model.columns.size()); }

    LRESULT Notify(UINT code, NMHDR* hdr) { return AfxNotifyParent(m_hWnd, code, hdr); }

    // The check box of a row: at the left of the first column, in a list with check boxes.
    QRect CheckBoxRect(int row) const
    {
        const QRect cell = visualRect(m_model.index(row, 0));
        return QRect(cell.left() + 3, cell.top() + (cell.height() - kCheckBoxSize) / 2, kCheckBoxSize, kCheckBoxSize);
    }
    // The row whose check box lies under a viewport point; -1 for none.
    int CheckBoxRowAt(const QPoint& viewportPos) const
    {
        if (!(m_exStyle & LVS_EX_CHECKBOXES))
            return -1;
        const QModelIndex index = indexAt(viewportPos);
        if (!index.isValid() || index.column() != 0)
            return -1;
        return CheckBoxRect(index.row()).adjusted(-1, -1, 1, 1).contains(viewportPos) ? index.row() : -1;
    }
    static constexpr int kCheckBoxSize = 13;

    void NotifyClick(UINT code, const QPoint& viewportPos)
    {
        NMITEMACTIVATE info{};
        const QModelIndex index = indexAt(viewportPos);
        info.iItem = index.isValid() ? index.row() : -1;
        info.iSubItem = index.isValid() ? index.column() : 0;
        const QPoint client = viewportPos + ViewportOffset();
        info.ptAction = POINT{client.x(), client.y()};
        Notify(code, &info.hdr);
    }

    ListModel m_model;
    HWND m_hWnd;
    DWORD m_exStyle = 0;
    COLORREF m_bk = 0xFFFFFF;
    COLORREF m_text = 0x000000;
    COLORREF m_textBk = CLR_DEFAULT;
    CImageList* m_imageLists[3] = {nullptr, nullptr, nullptr};
    int m_selectionMark = -1;
    bool m_inputAdded = false;
    CHeaderCtrl* m_header = nullptr;
    // The parent's answer to CDDS_PREPAINT of the paint under way.
    LRESULT m_prePaint = CDRF_DODEFAULT;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint pos = event->position().toPoint();
        QTableView::mousePressEvent(event);
        if (event->button() == Qt::LeftButton)
        {
            // The parent hears of the click before the box changes, as it reads the state the
            // user saw.
            const int boxRow = CheckBoxRowAt(pos);
            NotifyClick(NM_CLICK, pos);
            if (boxRow >= 0 && ValidRow(boxRow))
            {
                Row& r = m_model.rows[static_cast<size_t>(boxRow)];
                const UINT ticked = (r.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
                r.state = (r.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(ticked ? 1 : 2);
                m_model.RowChanged(boxRow);
            }
        }
        else if (event->button() == Qt::RightButton)
            NotifyClick(NM_RCLICK, pos);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        const QPoint pos = event->position().toPoint();
        QTableView::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton)
            NotifyClick(NM_DBLCLK, pos);
    }
    void paintEvent(QPaintEvent* event) override
    {
        NMLVCUSTOMDRAW cd{};
        cd.nmcd.dwDrawStage = CDDS_PREPAINT;
        const QRect r = viewport()->rect();
        cd.nmcd.rc = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        m_prePaint = Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
        QPainter painter(viewport());
        // The background is erased through WM_ERASEBKGND, in client co-ordinates, so that a
        // list that colours its rows or columns can paint it.
        painter.translate(-ViewportOffset());
        bool erased = false;
        {
            // The context gives the painter its state back as it goes, before the painter ends.
            CDC dc;
            erased = dc.Attach(&painter) &&
                     ::SendMessage(m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0) != 0;
        }
        if (!erased)
            painter.fillRect(r.translated(ViewportOffset()), ToQColor(m_bk));
        painter.end();
        QTableView::paintEvent(event);
    }
};

HeaderView::HeaderView(ListView* view) : QHeaderView(Qt::Horizontal, view), m_view(view)
{
    setSectionsClickable(true);
    setDefaultAlignment(Qt::AlignCenter);
}

void HeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    const ListModel& model = m_view->m_model;
    if (logicalIndex < 0 || logicalIndex >= static_cast<int>(model.columns.size()) || !m_view->m_header ||
        !(model.columns[static_cast<size_t>(logicalIndex)].format & HDF_OWNERDRAW))
    {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    painter->save();
    {
        CDC dc;
        dc.Attach(painter);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_HEADER;
        dis.itemID = static_cast<UINT>(logicalIndex);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = RECT{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
        m_view->m_header->DrawItem(&dis);
    }
    painter->restore();
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    ListView* v = m_view;
    const int row = index.row();
    const int col = index.column();
    const Row& r = v->m_model.rows[static_cast<size_t>(row)];
    const bool selected = (option.state & QStyle::State_Selected) != 0;

    COLORREF text = v->m_text;
    COLORREF back = (v->m_textBk == CLR_DEFAULT || v->m_textBk == CLR_NONE) ? v->m_bk : v->m_textBk;
    if (v->m_prePaint & CDRF_NOTIFYITEMDRAW)
    {
        NMLVCUSTOMDRAW cd{};
        cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
        cd.nmcd.lItemlParam = r.data;
        cd.nmcd.uItemState = selected ? 0x0001u : 0u; // CDIS_SELECTED
        const QRect rect = option.rect.translated(v->ViewportOffset());
        cd.nmcd.rc = RECT{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
        cd.clrText = text;
        cd.clrTextBk = back;
        LRESULT itemAnswer = CDRF_NOTIFYSUBITEMDRAW;
        if (col == 0)
        {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
            itemAnswer = v->Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
        }
        if (itemAnswer & CDRF_NOTIFYSUBITEMDRAW)
        {
            cd.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
            cd.iSubItem = col;
            v->Notify(NM_CUSTOMDRAW, &cd.nmcd.hdr);
        }
        text = cd.clrText;
        back = cd.clrTextBk;
    }
    QColor background = ToQColor(back);
    QColor foreground = ToQColor(text);
    const bool fullRow = (v->m_exStyle & LVS_EX_FULLROWSELECT) != 0;
    if (selected && (fullRow || col == 0))
    {
        const bool focus = v->hasFocus() || (v->Style() & LVS_SHOWSELALWAYS);
        if (focus)
        {
            background = option.palette.color(QPalette::Highlight);
            foreground = option.palette.color(QPalette::HighlightedText);
        }
    }
    painter->save();
    painter->fillRect(option.rect, background);
    QRect area = option.rect.adjusted(3, 0, -3, 0);
    if (col == 0 && (v->m_exStyle & LVS_EX_CHECKBOXES))
    {
        const QRect box = v->CheckBoxRect(row);
        painter->fillRect(box, Qt::white);
        painter->setPen(QColor(0x40, 0x40, 0x40));
        painter->drawRect(box.adjusted(0, 0, -1, -1));
        if ((r.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2))
        {
            painter->setPen(QPen(Qt::black, 2));
            painter->drawPolyline(QPolygon({box.topLeft() + QPoint(3, 6), box.topLeft() + QPoint(5, 9),
                                            box.topLeft() + QPoint(10, 3)}));
        }
        area.setLeft(box.right() + 4);
    }
    CImageList* images = v->m_imageLists[LVSIL_SMALL];
    if (images && r.image >= 0 && (col == 0 || (v->m_exStyle & LVS_EX_SUBITEMIMAGES)) && col == 0)
    {
        const QImage image = images->GetImage(r.image);
        if (!image.isNull())
        {
            painter->drawImage(QPoint(area.left(), area.top() + (area.height() - image.height()) / 2), image);
            area.setLeft(area.left() + image.width() + 2);
        }
    }
    painter->setPen(foreground);
    painter->setFont(option.font);
    painter->setClipRect(option.rect);
    painter->drawText(area,
                      static_cast<int>(v->m_model.Alignment(col) | Qt::AlignVCenter) | Qt::TextSingleLine,
                      ToQ(v->m_model.Text(row, col)));
    if (v->m_exStyle & LVS_EX_GRIDLINES)
    {
        painter->setPen(QColor(0xC0, 0xC0, 0xC0));
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    }
    painter->restore();
}

QWidget* MakeList(HWND hWnd, const CREATESTRUCT&, QWidget* parent)
{
    return new ListView(hWnd, parent);
}

ListView* ViewOf(HWND hWnd)
{
    CWnd* wnd = CWnd::FromHandle(hWnd);
    return wnd ? dynamic_cast<ListView*>(wnd->GetWidget()) : nullptr;
}

BOOL ListProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM, LRESULT* pResult)
{
    auto* v = dynamic_cast<ListView*>(pWnd->GetWidget());
    if (!v)
        return FALSE;
    if (!v->m_inputAdded)
    {
        // Clicks land on the view's viewport: they are the list's messages.
        pWnd->AddInputWidget(v->viewport());
        v->m_inputAdded = true;
    }
    *pResult = 0;
    switch (message)
    {
    case WM_STYLECHANGED:
        v->ApplyStyle();
        return FALSE;
    case WM_GETDLGCODE:
        *pResult = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return TRUE;
    case WM_ERASEBKGND: {
        // A list erases with its own background colour.
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!pDC)
            return TRUE;
        CRect rc;
        pWnd->GetClientRect(&rc);
        pDC->FillSolidRect(&rc, v->m_bk);
        *pResult = 1;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

struct Registrar
{
    Registrar() { AfxRegisterControlClass("SysListView32", MakeList, ListProc); }
} g_registrar;

int TextWidth(const QFontMetrics& fm, const char* text)
{
    return fm.horizontalAdvance(ToQ(text));
}
} // namespace

// ---------------------------------------------------------------------------------------

CListCtrl::CListCtrl() = default;
CListCtrl::~CListCtrl() = default;

#define LIST_VIEW(result)                                                                                    \
    ListView* v = ViewOf(m_hWnd);                                                                            \
    if (!v)                                                                                                  \
        return result;

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SysListView32", nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    LIST_VIEW(-1)
    if (!pColumn || nCol < 0)
        return -1;
    nCol = std::min(nCol, static_cast<int>(v->m_model.columns.size()));
    Column col;
    if (pColumn->mask & LVCF_TEXT)
        col.heading = pColumn->pszText ? pColumn->pszText : "";
    if (pColumn->mask & LVCF_FMT)
        col.format = pColumn->fmt;
    v->m_model.InsertColumn(nCol, col);
    v->horizontalHeader()->resizeSection(nCol,
                                         (pColumn->mask & LVCF_WIDTH) && pColumn->cx >= 0 ? pColumn->cx : 60);
    return nCol;
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMN col{};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = const_cast<LPSTR>(lpszColumnHeading);
    col.fmt = nFormat;
    if (nWidth >= 0)
    {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    col.iSubItem = nSubItem;
    return InsertColumn(nCol, &col);
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    LIST_VIEW(FALSE)
    if (!v->ValidColumn(nCol))
        return FALSE;
    v->m_model.RemoveColumn(nCol);
    return TRUE;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    LIST_VIEW(FALSE)
    if (!pColumn || !v->ValidColumn(nCol))
        return FALSE;
    const Column& c = v->m_model.columns[static_cast<size_t>(nCol)];
    if (pColumn->mask & LVCF_TEXT)
        CopyOut(c.heading, pColumn->pszText, pColumn->cchTextMax);
    if (pColumn->mask & LVCF_FMT)
        pColumn->fmt = c.format;
    if (pColumn->mask & LVCF_WIDTH)
        pColumn->cx = v->horizontalHeader()->sectionSize(nCol);
    if (pColumn->mask & LVCF_SUBITEM)
        pColumn->iSubItem = nCol;
    if (pColumn->mask & LVCF_ORDER)
        pColumn->iOrder = v->horizontalHeader()->visualIndex(nCol);
    return TRUE;
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    LIST_VIEW(FALSE)
    if (!pColumn || !v->ValidColumn(nCol))
        return FALSE;
    Column& c = v->m_model.columns[static_cast<size_t>(nCol)];
    if (pColumn->mask & LVCF_TEXT)
        c.heading = pColumn->pszText ? pColumn->pszText : "";
    if (pColumn->mask & LVCF_FMT)
        c.format = pColumn->fmt;
    if ((pColumn->mask & LVCF_WIDTH) && pColumn->cx >= 0)
        v->horizontalHeader()->resizeSection(nCol, pColumn->cx);
    v->m_model.HeadingChanged(nCol);
    v->viewport()->update();
    return TRUE;
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    LIST_VIEW(0)
    return v->ValidColumn(nCol) ? v->horizontalHeader()->sectionSize(nCol) : 0;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    LIST_VIEW(FALSE)
    if (!v->ValidColumn(nCol))
        return FALSE;
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER)
    {
        const QFontMetrics fm = v->fontMetrics();
        // Margins as the cells and headings are drawn: text inset plus a little air.
        constexpr int kCellMargin = 12;
        int width = 0;
        if (cx == LVSCW_AUTOSIZE)
        {
            for (size_t r = 0; r < v->m_model.rows.size(); ++r)
            {
                int w = TextWidth(fm, v->m_model.Text(static_cast<int>(r), nCol));
                if (nCol == 0 && v->m_imageLists[LVSIL_SMALL] && v->m_model.rows[r].image >= 0)
                    w += v->m_imageLists[LVSIL_SMALL]->GetImage(v->m_model.rows[r].image).width() + 2;
                width = std::max(width, w);
            }
            width += kCellMargin;
        }
        else
        {
            // The heading as one line: multi-line headings are measured with their lines side
            // by side, which callers scale down by the longest line.
            CString heading = v->m_model.columns[static_cast<size_t>(nCol)].heading;
            heading.Remove('\n');
            width = TextWidth(fm, heading) + kCellMargin;
            if (nCol == static_cast<int>(v->m_model.columns.size()) - 1)
            {
                int others = 0;
                for (int c = 0; c < nCol; ++c)
                    others += v->horizontalHeader()->sectionSize(c);
                width = std::max(width, v->viewport()->width() - others);
            }
        }
        cx = width;
    }
    if (cx < 0)
        return FALSE;
    v->horizontalHeader()->resizeSection(nCol, cx);
    return TRUE;
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    LIST_VIEW(nullptr)
    if (!v->m_header)
        m_DefaultHeader.Bind(m_hWnd);
    return v->m_header;
}

int CListCtrl::GetItemCount() const
{
    LIST_VIEW(0)
    return static_cast<int>(v->m_model.rows.size());
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
    LIST_VIEW(-1)
    if (!pItem || pItem->iItem < 0 || pItem->iSubItem != 0)
        return -1;
    const int at = std::min(pItem->iItem, static_cast<int>(v->m_model.rows.size()));
    Row row;
    if (pItem->mask & LVIF_TEXT)
        row.texts.emplace_back(pItem->pszText ? pItem->pszText : "");
    if (pItem->mask & LVIF_IMAGE)
        row.image = pItem->iImage;
    if (pItem->mask & LVIF_PARAM)
        row.data = pItem->lParam;
    if (v->m_exStyle & LVS_EX_CHECKBOXES)
        row.state = INDEXTOSTATEIMAGEMASK(1);
    v->m_model.InsertRow(at, std::move(row));
    if (pItem->mask & LVIF_STATE)
        SetItemState(at, pItem->state, pItem->stateMask);
    return at;
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    LIST_VIEW(FALSE)
    if (!v->ValidRow(nItem))
        return FALSE;
    v->m_model.RemoveRow(nItem);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    LIST_VIEW(FALSE)
    v->m_model.Reset([v] { v->m_model.rows.clear(); });
    v->m_selectionMark = -1;
    return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const
{
    LIST_VIEW(FALSE)
    if (!pItem || !v->ValidRow(pItem->iItem) || pItem->iSubItem < 0)
        return FALSE;
    const Row& r = v->m_model.rows[static_cast<size_t>(pItem->iItem)];
    if (pItem->mask & LVIF_TEXT)
        CopyOut(v->m_model.Text(pItem->iItem, pItem->iSubItem), pItem->pszText, pItem->cchTextMax);
    if (pItem->mask & LVIF_IMAGE)
        pItem->iImage = r.image;
    if (pItem->mask & LVIF_PARAM)
        pItem->lParam = r.data;
    if (pItem->mask & LVIF_STATE)
        pItem->state = GetItemState(pItem->iItem, pItem->stateMask);
    return TRUE;
}

BOOL CListCtrl::SetItem(const LVITEM* pItem)
{
    LIST_VIEW(FALSE)
    if (!pItem || !v->ValidRow(pItem->iItem) || pItem->iSubItem < 0)
        return FALSE;
    if (pItem->iSubItem > 0 && !v->ValidColumn(pItem->iSubItem))
        return FALSE;
    Row& r = v->m_model.rows[static_cast<size_t>(pItem->iItem)];
    // A row set to what it holds already is not repainted: tables refreshed on a timer would
    // otherwise paint every time with nothing changed.
    bool changed = false;
    if (pItem->mask & LVIF_TEXT)
    {
        const size_t sub = static_cast<size_t>(pItem->iSubItem);
        if (r.texts.size() <= sub)
            r.texts.resize(sub + 1);
        const char* text = pItem->pszText ? pItem->pszText : "";
        changed = changed || r.texts[sub] != text;
        r.texts[sub] = text;
    }
    if (pItem->mask & LVIF_IMAGE)
    {
        changed = changed || r.image != pItem->iImage;
        r.image = pItem->iImage;
    }
    if (pItem->mask & LVIF_PARAM)
    {
        changed = changed || r.data != pItem->lParam;
        r.data = pItem->lParam;
    }
    if (pItem->mask & LVIF_STATE)
        SetItemState(pItem->iItem, pItem->state, pItem->stateMask);
    if (changed)
        v->m_model.RowChanged(pItem->iItem);
    return TRUE;
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, LPCTSTR lpszItem, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    LVITEM item{};
    item.mask = nMask;
    item.iItem = nItem;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPSTR>(lpszItem);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    LIST_VIEW(CString())
    if (!v->ValidRow(nItem) || nSubItem < 0)
        return CString();
    return CString(v->m_model.Text(nItem, nSubItem));
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const
{
    const CString text = GetItemText(nItem, nSubItem);
    CopyOut(text, lpszText, nLen);
    return nLen > 0 ? std::min(text.GetLength(), nLen - 1) : 0;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText)
{
    return SetItem(nItem, nSubItem, LVIF_TEXT, lpszText, 0, 0, 0, 0);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LIST_VIEW(0)
    return v->ValidRow(nItem) ? static_cast<DWORD_PTR>(v->m_model.rows[static_cast<size_t>(nItem)].data) : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(dwData));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    LIST_VIEW(0)
    if (!v->ValidRow(nItem))
        return 0;
    UINT state = v->m_model.rows[static_cast<size_t>(nItem)].state & ~(LVIS_SELECTED | LVIS_FOCUSED);
    if (v->selectionModel()->isRowSelected(nItem, QModelIndex()))
        state |= LVIS_SELECTED;
    if (v->currentIndex().isValid() && v->currentIndex().row() == nItem)
        state |= LVIS_FOCUSED;
    return state & nMask;
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LIST_VIEW(FALSE)
    if (nItem == -1)
    {
        if (nMask & LVIS_SELECTED)
        {
            if (nState & LVIS_SELECTED)
                v->selectAll();
            else
                v->clearSelection();
        }
        const UINT other = nMask & ~(LVIS_SELECTED | LVIS_FOCUSED);
        for (Row& r : v->m_model.rows)
            r.state = (r.state & ~other) | (nState & other);
        v->viewport()->update();
        return TRUE;
    }
    if (!v->ValidRow(nItem))
        return FALSE;
    QItemSelectionModel* sel = v->selectionModel();
    const QModelIndex index = v->m_model.index(nItem, 0);
    if (nMask & LVIS_FOCUSED)
    {
        if (nState & LVIS_FOCUSED)
            sel->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (v->currentIndex().row() == nItem)
            sel->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    if (nMask & LVIS_SELECTED)
    {
        const bool single = (v->Style() & LVS_SINGLESEL) != 0;
        QItemSelectionModel::SelectionFlags flags =
            (nState & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
        if (single && (nState & LVIS_SELECTED))
            flags = QItemSelectionModel::ClearAndSelect;
        sel->select(index, flags | QItemSelectionModel::Rows);
    }
    const UINT other = nMask & ~(LVIS_SELECTED | LVIS_FOCUSED);
    Row& r = v->m_model.rows[static_cast<size_t>(nItem)];
    r.state = (r.state & ~other) | (nState & other);
    v->viewport()->update();
    return TRUE;
}

int CListCtrl::GetSelectedCount() const
{
    LIST_VIEW(0)
    return static_cast<int>(v->selectionModel()->selectedRows().size());
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    LIST_VIEW(-1)
    const int count = static_cast<int>(v->m_model.rows.size());
    for (int i = std::max(0, nItem + 1); i < count; ++i)
    {
        const UINT state = GetItemState(i, LVIS_SELECTED | LVIS_FOCUSED);
        if ((nFlags & LVNI_SELECTED) && !(state & LVIS_SELECTED))
            continue;
        if ((nFlags & LVNI_FOCUSED) && !(state & LVIS_FOCUSED))
            continue;
        return i;
    }
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int first = GetNextItem(-1, LVNI_SELECTED);
    // Positions are 1-based item indexes so that the first item is not a null position.
    return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<intptr_t>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    const int item = static_cast<int>(reinterpret_cast<intptr_t>(pos)) - 1;
    const int next = GetNextItem(item, LVNI_SELECTED);
    pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<intptr_t>(next + 1));
    return item;
}

int CListCtrl::GetSelectionMark() const
{
    LIST_VIEW(-1)
    return v->m_selectionMark;
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    LIST_VIEW(-1)
    const int old = v->m_selectionMark;
    v->m_selectionMark = iIndex;
    return old;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    LIST_VIEW(FALSE)
    if (!lpRect || !v->ValidRow(nItem))
        return FALSE;
    const QPoint off = v->ViewportOffset();
    const int top = v->rowViewportPosition(nItem) + off.y();
    const int height = v->rowHeight(nItem);
    const int left = off.x() - v->horizontalHeader()->offset();
    int right = left + v->horizontalHeader()->length();
    int colLeft = left;
    if (nCode != LVIR_BOUNDS && !v->m_model.columns.empty())
        right = left + v->horizontalHeader()->sectionSize(0);
    *lpRect = RECT{colLeft, top, right, top + height};
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) const
{
    LIST_VIEW(FALSE)
    if (!v->ValidRow(iItem) || !v->ValidColumn(iSubItem))
        return FALSE;
    RECT row{};
    GetItemRect(iItem, &row, LVIR_BOUNDS);
    if (iSubItem == 0 && nArea == LVIR_BOUNDS)
    {
        ref = row;
        return TRUE;
    }
    const int left = v->columnViewportPosition(iSubItem) + v->ViewportOffset().x();
    ref = CRect(left, row.top, left + v->horizontalHeader()->sectionSize(iSubItem), row.bottom);
    return TRUE;
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info{};
    info.pt = pt;
    const int item = HitTest(&info);
    if (pFlags)
        *pFlags = info.flags;
    return item;
}

int CListCtrl::HitTest(LVHITTESTINFO* pInfo) const
{
    LIST_VIEW(-1)
    if (!pInfo)
        return -1;
    pInfo->iItem = -1;
    pInfo->iSubItem = 0;
    const QPoint p = QPoint(pInfo->pt.x, pInfo->pt.y) - v->ViewportOffset();
    const QRect area = v->viewport()->rect();
    if (p.y() < 0)
    {
        pInfo->flags = LVHT_ABOVE;
        return -1;
    }
    if (p.y() >= area.height())
    {
        pInfo->flags = LVHT_BELOW;
        return -1;
    }
    const int row = v->rowAt(p.y());
    const int logicalRight = v->horizontalHeader()->length() - v->horizontalHeader()->offset();
    if (row < 0 || p.x() >= logicalRight || p.x() < -v->horizontalHeader()->offset())
    {
        pInfo->flags = LVHT_NOWHERE;
        return -1;
    }
    pInfo->flags = v->CheckBoxRowAt(p) == row ? LVHT_ONITEMSTATEICON : LVHT_ONITEMLABEL;
    pInfo->iItem = row;
    const int col = v->columnAt(p.x());
    pInfo->iSubItem = col < 0 ? 0 : col;
    return row;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo)
{
    return HitTest(pInfo);
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    LIST_VIEW(FALSE)
    if (!v->ValidRow(nItem))
        return FALSE;
    if (bPartialOK)
    {
        const int top = v->rowViewportPosition(nItem);
        if (top + v->rowHeight(nItem) > 0 && top < v->viewport()->height())
            return TRUE;
    }
    QModelIndex index = v->m_model.index(nItem, 0);
    // Keep the horizontal scroll where it is, as the list scrolls only vertically here.
    const int h = v->horizontalScrollBar()->value();
    v->scrollTo(index, QAbstractItemView::EnsureVisible);
    v->horizontalScrollBar()->setValue(h);
    return TRUE;
}

int CListCtrl::GetCountPerPage() const
{
    LIST_VIEW(0)
    const int rowHeight = v->verticalHeader()->defaultSectionSize();
    return rowHeight > 0 ? v->viewport()->height() / rowHeight : 0;
}

int CListCtrl::GetTopIndex() const
{
    LIST_VIEW(0)
    const int row = v->rowAt(0);
    return row < 0 ? 0 : row;
}

BOOL CListCtrl::Scroll(CSize size)
{
    LIST_VIEW(FALSE)
    QScrollBar* h = v->horizontalScrollBar();
    h->setValue(h->value() + size.cx);
    // Vertical amounts are pixels; the list scrolls by whole rows.
    const int rowHeight = std::max(1, v->verticalHeader()->defaultSectionSize());
    QScrollBar* vert = v->verticalScrollBar();
    if (v->verticalScrollMode() == QAbstractItemView::ScrollPerItem)
        vert->setValue(vert->value() + size.cy / rowHeight);
    else
        vert->setValue(vert->value() + size.cy);
    return TRUE;
}

BOOL CListCtrl::RedrawItems(int, int)
{
    LIST_VIEW(FALSE)
    v->viewport()->update();
    return TRUE;
}

DWORD CListCtrl::GetExtendedStyle() const
{
    LIST_VIEW(0)
    return v->m_exStyle;
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    LIST_VIEW(0)
    const DWORD old = v->m_exStyle;
    v->m_exStyle = dwNewStyle;
    if ((dwNewStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
        for (Row& r : v->m_model.rows)
            if (!(r.state & LVIS_STATEIMAGEMASK))
                r.state |= INDEXTOSTATEIMAGEMASK(1);
    v->viewport()->update();
    return old;
}

BOOL CListCtrl::GetCheck(int nItem) const
{
    return (GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) == 2 ? TRUE : FALSE;
}

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck)
{
    return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

COLORREF CListCtrl::GetBkColor() const
{
    LIST_VIEW(0)
    return v->m_bk;
}

BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    LIST_VIEW(FALSE)
    v->m_bk = cr;
    v->viewport()->update();
    return TRUE;
}

COLORREF CListCtrl::GetTextColor() const
{
    LIST_VIEW(0)
    return v->m_text;
}

BOOL CListCtrl::SetTextColor(COLORREF cr)
{
    LIST_VIEW(FALSE)
    v->m_text = cr;
    v->viewport()->update();
    return TRUE;
}

COLORREF CListCtrl::GetTextBkColor() const
{
    LIST_VIEW(0)
    return v->m_textBk;
}

BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    LIST_VIEW(FALSE)
    v->m_textBk = cr;
    v->viewport()->update();
    return TRUE;
}

CImageList* CListCtrl::GetImageList(int nImageList) const
{
    LIST_VIEW(nullptr)
    return (nImageList >= 0 && nImageList < 3) ? v->m_imageLists[nImageList] : nullptr;
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    LIST_VIEW(nullptr)
    if (nImageListType < 0 || nImageListType >= 3)
        return nullptr;
    CImageList* old = v->m_imageLists[nImageListType];
    v->m_imageLists[nImageListType] = pImageList;
    if (nImageListType == LVSIL_SMALL && pImageList && pImageList->GetImageCount() > 0)
    {
        const int h = pImageList->GetImage(0).height();
        if (h + 2 > v->verticalHeader()->defaultSectionSize())
            v->verticalHeader()->setDefaultSectionSize(h + 2);
    }
    v->viewport()->update();
    return old;
}

int CListCtrl::GetStringWidth(LPCTSTR lpsz) const
{
    LIST_VIEW(0)
    return TextWidth(v->fontMetrics(), lpsz);
}

CEdit* CListCtrl::EditLabel(int nItem)
{
    LIST_VIEW(nullptr)
    if (!v->ValidRow(nItem) || !(v->Style() & LVS_EDITLABELS))
        return nullptr;
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = nItem;
    CString text = GetItemText(nItem, 0);
    info.item.pszText = text.GetBuffer();
    info.item.cchTextMax = text.GetLength();
    v->Notify(LVN_BEGINLABELEDIT, &info.hdr);
    text.ReleaseBuffer();
    return nullptr;
}

// ---------------------------------------------------------------------------------------
// The header's items are the list's columns.

CHeaderCtrl::~CHeaderCtrl()
{
    Bind(nullptr);
}

void CHeaderCtrl::Bind(HWND hWndList)
{
    if (ListView* old = ViewOf(m_hWndList); old && old->m_header == this)
        old->m_header = nullptr;
    m_hWndList = hWndList;
    if (ListView* v = ViewOf(hWndList))
    {
        v->m_header = this;
        v->horizontalHeader()->viewport()->update();
    }
}

void CHeaderCtrl::SetFont(CFont* pFont, BOOL bRedraw)
{
    ListView* v = ViewOf(m_hWndList);
    if (!v || !pFont)
        return;
    v->horizontalHeader()->setFont(pFont->ToQFont());
    // The header's height follows its content: the most lines of any heading in this font.
    v->horizontalHeader()->resizeSections(QHeaderView::Interactive);
    v->horizontalHeader()->updateGeometry();
    v->updateGeometry();
    v->horizontalHeader()->adjustSize();
    QResizeEvent resize(v->size(), v->size());
    QApplication::sendEvent(v, &resize);
    if (bRedraw)
        v->horizontalHeader()->viewport()->update();
}

int CHeaderCtrl::GetItemCount() const
{
    ListView* v = ViewOf(m_hWndList);
    return v ? static_cast<int>(v->m_model.columns.size()) : -1;
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pItem) const
{
    ListView* v = ViewOf(m_hWndList);
    if (!v || !pItem || !v->ValidColumn(nPos))
        return FALSE;
    const Column& c = v->m_model.columns[static_cast<size_t>(nPos)];
    if (pItem->mask & HDI_TEXT)
        CopyOut(c.heading, pItem->pszText, pItem->cchTextMax);
    if (pItem->mask & HDI_FORMAT)
        pItem->fmt = c.format;
    if (pItem->mask & HDI_WIDTH)
        pItem->cxy = v->horizontalHeader()->sectionSize(nPos);
    if (pItem->mask & HDI_LPARAM)
        pItem->lParam = c.headerData;
    if (pItem->mask & HDI_ORDER)
        pItem->iOrder = v->horizontalHeader()->visualIndex(nPos);
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pItem)
{
    ListView* v = ViewOf(m_hWndList);
    if (!v || !pItem || !v->ValidColumn(nPos))
        return FALSE;
    Column& c = v->m_model.columns[static_cast<size_t>(nPos)];
    if (pItem->mask & HDI_TEXT)
        c.heading = pItem->pszText ? pItem->pszText : "";
    if (pItem->mask & HDI_FORMAT)
        c.format = pItem->fmt;
    if ((pItem->mask & HDI_WIDTH) && pItem->cxy >= 0)
        v->horizontalHeader()->resizeSection(nPos, pItem->cxy);
    if (pItem->mask & HDI_LPARAM)
        c.headerData = pItem->lParam;
    v->m_model.HeadingChanged(nPos);
    v->viewport()->update();
    return TRUE;
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    ListView* v = ViewOf(m_hWndList);
    if (!v || !lpRect || !v->ValidColumn(nIndex))
        return FALSE;
    const int left = v->horizontalHeader()->sectionViewportPosition(nIndex);
    *lpRect = RECT{left, 0, left + v->horizontalHeader()->sectionSize(nIndex), GetHeight()};
    return TRUE;
}

int CHeaderCtrl::GetHeight() const
{
    ListView* v = ViewOf(m_hWndList);
    if (!v || !v->horizontalHeader()->isVisible())
        return 0;
    return v->horizontalHeader()->height();
}
