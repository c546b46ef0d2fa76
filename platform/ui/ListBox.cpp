#include "platform/ui/ListBox.h"
#include "platform/ui/QtText.h"
#include "platform/ui/ForwardingViewport.h"

#include "platform/ui/Static.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>
#include <functional>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

namespace
{
constexpr int kDataRole = Qt::UserRole;

class ListWidget : public QListWidget
{
public:
    ListWidget(HWND hWnd, QWidget* parent) : QListWidget(parent), m_hWnd(hWnd)
    {
        setViewport(new ForwardingViewport([this](QEvent* e) { return viewportEvent(e); }));
        setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(this, &QListWidget::itemSelectionChanged, this, [this] {
            if (m_programmatic == 0 && Notifies())
                AfxNotifyParent(m_hWnd, LBN_SELCHANGE);
        });
        QObject::connect(this, &QListWidget::itemDoubleClicked, this, [this] {
            if (Notifies())
                AfxNotifyParent(m_hWnd, LBN_DBLCLK);
        });
    }

    bool Notifies() const { return (GetWindowLong(m_hWnd, GWL_STYLE) & LBS_NOTIFY) != 0; }
    bool Multi() const
    {
        return (GetWindowLong(m_hWnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    }

    HWND m_hWnd;
    int m_programmatic = 0;
    int m_itemHeight = 0;
    bool m_inputAdded = false;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        AfxApplyControlColours(m_hWnd, this, CTLCOLOR_LISTBOX);
        QListWidget::paintEvent(event);
    }
};

struct Programmatic
{
    explicit Programmatic(ListWidget* w) : m_w(w) { ++m_w->m_programmatic; }
    ~Programmatic() { --m_w->m_programmatic; }
    ListWidget* m_w;
};

int Find(ListWidget* w, int startAfter, const char* text, bool exact)
{
    const int count = w->count();
    if (count == 0 || !text)
        return LB_ERR;
    const CString wanted(text);
    const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    for (int n = 0; n < count; ++n)
    {
        const int i = (first + n) % count;
        const CString item = FromQ(w->item(i)->text());
        if (exact ? item.CompareNoCase(wanted) == 0
                  : item.Left(wanted.GetLength()).CompareNoCase(wanted) == 0)
            return i;
    }
    return LB_ERR;
}

int Insert(ListWidget* w, int index, const char* text)
{
    if (index < 0 || index > w->count())
        index = w->count();
    auto* item = new QListWidgetItem(ToQ(text));
    item->setData(kDataRole, QVariant::fromValue<qulonglong>(0));
    Programmatic quiet(w);
    w->insertItem(index, item);
    return index;
}

void ApplyStyle(ListWidget* w, DWORD style)
{
    if (style & LBS_NOSEL)
        w->setSelectionMode(QAbstractItemView::NoSelection);
    else if (style & LBS_EXTENDEDSEL)
        w->setSelectionMode(QAbstractItemView::ExtendedSelection);
    else if (style & LBS_MULTIPLESEL)
        w->setSelectionMode(QAbstractItemView::MultiSelection);
    else
        w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    w->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    w->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
}

QWidget* MakeListBox(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* w = new ListWidget(hWnd, parent);
    ApplyStyle(w, static_cast<DWORD>(cs.style));
    return w;
}

BOOL ListBoxProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* w = dynamic_cast<ListWidget*>(pWnd->GetWidget());
    if (!w)
        return FALSE;
    if (!w->m_inputAdded)
    {
        // Clicks land on the list's viewport: they are the box's messages.
        pWnd->AddInputWidget(w->viewport());
        w->m_inputAdded = true;
    }
    LRESULT& result = *pResult;
    result = 0;
    const int count = w->count();
    const auto valid = [count](intptr_t i) { return i >= 0 && i < count; };
    const intptr_t index = static_cast<intptr_t>(wParam);
    switch (message)
    {
    case WM_SETFOCUS:
        AfxNotifyParent(w->m_hWnd, LBN_SETFOCUS);
        return FALSE;
    case WM_KILLFOCUS:
        AfxNotifyParent(w->m_hWnd, LBN_KILLFOCUS);
        return FALSE;
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return TRUE;
    case WM_STYLECHANGED:
        ApplyStyle(w, static_cast<DWORD>(GetWindowLong(w->m_hWnd, GWL_STYLE)));
        return FALSE;
    case LB_ADDSTRING: {
        const char* text = reinterpret_cast<const char*>(lParam);
        int at = count;
        if (GetWindowLong(w->m_hWnd, GWL_STYLE) & LBS_SORT)
        {
            at = 0;
            while (at < count && FromQ(w->item(at)->text()).CompareNoCase(text ? text : "") <= 0)
                ++at;
        }
        result = Insert(w, at, text);
        return TRUE;
    }
    case LB_INSERTSTRING:
        result = Insert(w, static_cast<int>(index), reinterpret_cast<const char*>(lParam));
        return TRUE;
    case LB_DELETESTRING: {
        if (!valid(index))
        {
            result = LB_ERR;
            return TRUE;
        }
        Programmatic quiet(w);
        delete w->takeItem(static_cast<int>(index));
        result = w->count();
        return TRUE;
    }
    case LB_RESETCONTENT: {
        Programmatic quiet(w);
        w->clear();
        return TRUE;
    }
    case LB_GETCOUNT:
        result = count;
        return TRUE;
    case LB_GETTEXT: {
        if (!valid(index))
        {
            result = LB_ERR;
            return TRUE;
        }
        const CString text = FromQ(w->item(static_cast<int>(index))->text());
        if (char* buffer = reinterpret_cast<char*>(lParam))
        {
            std::copy(text.GetString(), text.GetString() + text.GetLength(), buffer);
            buffer[text.GetLength()] = '\0';
        }
        result = text.GetLength();
        return TRUE;
    }
    case LB_GETTEXTLEN:
        result = valid(index) ? FromQ(w->item(static_cast<int>(index))->text()).GetLength() : LB_ERR;
        return TRUE;
    case LB_GETITEMDATA:
        result = valid(index)
                     ? static_cast<LRESULT>(w->item(static_cast<int>(index))->data(kDataRole).toULongLong())
                     : LB_ERR;
        return TRUE;
    case LB_SETITEMDATA:
        if (!valid(index))
        {
            result = LB_ERR;
            return TRUE;
        }
        w->item(static_cast<int>(index))
            ->setData(kDataRole, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)));
        return TRUE;
    case LB_GETCURSEL:
        if (w->Multi())
            result = w->currentRow() < 0 ? LB_ERR : w->currentRow();
        else
        {
            const auto selected = w->selectedItems();
            result = selected.isEmpty() ? LB_ERR : w->row(selected.first());
        }
        return TRUE;
    case LB_SETCURSEL: {
        if (w->Multi())
        {
            result = LB_ERR;
            return TRUE;
        }
        Programmatic quiet(w);
        if (!valid(index))
        {
            w->clearSelection();
            w->setCurrentRow(-1);
            result = LB_ERR;
            return TRUE;
        }
        w->setCurrentRow(static_cast<int>(index));
        w->item(static_cast<int>(index))->setSelected(true);
        result = index;
        return TRUE;
    }
    case LB_GETSEL:
        result = valid(index) ? (w->item(static_cast<int>(index))->isSelected() ? 1 : 0) : LB_ERR;
        return TRUE;
    case LB_SETSEL: {
        if (!w->Multi())
        {
            result = LB_ERR;
            return TRUE;
        }
        const intptr_t which = static_cast<intptr_t>(lParam);
        Programmatic quiet(w);
        if (which == -1)
        {
            for (int i = 0; i < count; ++i)
                w->item(i)->setSelected(wParam != 0);
        }
        else if (valid(which))
            w->item(static_cast<int>(which))->setSelected(wParam != 0);
        else
            result = LB_ERR;
        return TRUE;
    }
    case LB_GETSELCOUNT:
        result = w->Multi() ? static_cast<LRESULT>(w->selectedItems().size()) : LB_ERR;
        return TRUE;
    case LB_GETSELITEMS: {
        if (!w->Multi())
        {
            result = LB_ERR;
            return TRUE;
        }
        int* out = reinterpret_cast<int*>(lParam);
        int n = 0;
        for (int i = 0; i < count && n < static_cast<int>(wParam); ++i)
            if (w->item(i)->isSelected())
            {
                if (out)
                    out[n] = i;
                ++n;
            }
        result = n;
        return TRUE;
    }
    case LB_SELITEMRANGEEX: {
        if (!w->Multi())
        {
            result = LB_ERR;
            return TRUE;
        }
        const int a = static_cast<int>(wParam);
        const int b = static_cast<int>(lParam);
        const bool select = a <= b;
        Programmatic quiet(w);
        for (int i = std::max(0, std::min(a, b)); i <= std::min(count - 1, std::max(a, b)); ++i)
            w->item(i)->setSelected(select);
        return TRUE;
    }
    case LB_GETCARETINDEX:
        result = w->currentRow();
        return TRUE;
    case LB_SETCARETINDEX: {
        if (!valid(index))
        {
            result = LB_ERR;
            return TRUE;
        }
        Programmatic quiet(w);
        w->setCurrentRow(static_cast<int>(index), QItemSelectionModel::NoUpdate);
        return TRUE;
    }
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        result = Find(w, static_cast<int>(index), reinterpret_cast<const char*>(lParam),
                      message == LB_FINDSTRINGEXACT);
        return TRUE;
    case LB_SELECTSTRING: {
        result = Find(w, static_cast<int>(index), reinterpret_cast<const char*>(lParam), false);
        if (result != LB_ERR && !w->Multi())
        {
            Programmatic quiet(w);
            w->setCurrentRow(static_cast<int>(result));
            w->item(static_cast<int>(result))->setSelected(true);
        }
        return TRUE;
    }
    case LB_GETTOPINDEX: {
        const QModelIndex top = w->indexAt(QPoint(1, 1));
        result = top.isValid() ? top.row() : 0;
        return TRUE;
    }
    case LB_SETTOPINDEX:
        if (!valid(index))
        {
            result = LB_ERR;
            return TRUE;
        }
        w->scrollToItem(w->item(static_cast<int>(index)), QAbstractItemView::PositionAtTop);
        return TRUE;
    case LB_GETITEMHEIGHT:
        result = w->m_itemHeight > 0
                     ? w->m_itemHeight
                     : (count > 0 ? w->visualItemRect(w->item(0)).height() : w->fontMetrics().height());
        return TRUE;
    case LB_SETITEMHEIGHT:
        w->m_itemHeight = static_cast<int>(LOWORD(static_cast<uintptr_t>(lParam)));
        return TRUE;
    default:
        return FALSE;
    }
}

const struct ListBoxClassRegistrar
{
    ListBoxClassRegistrar() { AfxRegisterControlClass(WC_LISTBOX, &MakeListBox, &ListBoxProc); }
} listBoxClassRegistrar;

LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, lParam);
}

WPARAM Index(int i)
{
    return static_cast<WPARAM>(static_cast<intptr_t>(i));
}
} // namespace

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_LISTBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CListBox::GetCount() const
{
    return static_cast<int>(Send(this, LB_GETCOUNT));
}

int CListBox::AddString(LPCTSTR lpszItem)
{
    return static_cast<int>(Send(this, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem)
{
    return static_cast<int>(Send(this, LB_INSERTSTRING, Index(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(Send(this, LB_DELETESTRING, nIndex));
}

void CListBox::ResetContent()
{
    Send(this, LB_RESETCONTENT);
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const
{
    return static_cast<int>(Send(this, LB_GETTEXT, Index(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    const int length = GetTextLen(nIndex);
    if (length == LB_ERR)
    {
        rString.Empty();
        return;
    }
    GetText(nIndex, rString.GetBufferSetLength(length));
    rString.ReleaseBuffer(length);
}

int CListBox::GetTextLen(int nIndex) const
{
    return static_cast<int>(Send(this, LB_GETTEXTLEN, Index(nIndex)));
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(Send(this, LB_GETITEMDATA, Index(nIndex)));
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(Send(this, LB_SETITEMDATA, Index(nIndex), static_cast<LPARAM>(dwItemData)));
}

void* CListBox::GetItemDataPtr(int nIndex) const
{
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CListBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

int CListBox::GetCurSel() const
{
    return static_cast<int>(Send(this, LB_GETCURSEL));
}

int CListBox::SetCurSel(int nSelect)
{
    return static_cast<int>(Send(this, LB_SETCURSEL, Index(nSelect)));
}

int CListBox::GetSel(int nIndex) const
{
    return static_cast<int>(Send(this, LB_GETSEL, Index(nIndex)));
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    return static_cast<int>(Send(this, LB_SETSEL, static_cast<WPARAM>(bSelect), nIndex));
}

int CListBox::GetSelCount() const
{
    return static_cast<int>(Send(this, LB_GETSELCOUNT));
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const
{
    return static_cast<int>(
        Send(this, LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
}

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    const int a = std::min(nFirstItem, nLastItem);
    const int b = std::max(nFirstItem, nLastItem);
    return static_cast<int>(bSelect ? Send(this, LB_SELITEMRANGEEX, Index(a), b)
                                    : Send(this, LB_SELITEMRANGEEX, Index(b), a));
}

int CListBox::GetCaretIndex() const
{
    return static_cast<int>(Send(this, LB_GETCARETINDEX));
}

int CListBox::SetCaretIndex(int nIndex, BOOL bScroll)
{
    return static_cast<int>(Send(this, LB_SETCARETINDEX, Index(nIndex), bScroll));
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const
{
    return static_cast<int>(
        Send(this, LB_FINDSTRING, Index(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(
        Send(this, LB_FINDSTRINGEXACT, Index(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem)
{
    return static_cast<int>(
        Send(this, LB_SELECTSTRING, Index(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
}

int CListBox::GetTopIndex() const
{
    return static_cast<int>(Send(this, LB_GETTOPINDEX));
}

int CListBox::SetTopIndex(int nIndex)
{
    return static_cast<int>(Send(this, LB_SETTOPINDEX, Index(nIndex)));
}

int CListBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(Send(this, LB_GETITEMHEIGHT, Index(nIndex)));
}

int CListBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(
        Send(this, LB_SETITEMHEIGHT, Index(nIndex), MAKELPARAM(static_cast<WORD>(cyItemHeight), 0)));
}
