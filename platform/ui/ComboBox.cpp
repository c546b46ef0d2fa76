#include "platform/ui/ComboBox.h"
#include "platform/ui/QtText.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/Static.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QPixmap>
#include <QEvent>

#include <algorithm>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBoxEx, CComboBox)

namespace
{
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;
constexpr int kIndentRole = Qt::UserRole + 3;
constexpr int kOverlayRole = Qt::UserRole + 4;

class ComboWidget : public QComboBox
{
public:
    ComboWidget(HWND hWnd, bool extended, QWidget* parent)
        : QComboBox(parent), m_hWnd(hWnd), m_extended(extended)
    {
        setInsertPolicy(QComboBox::NoInsert);
        setMaxVisibleItems(30);
        QObject::connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) {
            if (m_programmatic != 0)
                return;
            // A pick in the drop-down: the change is told after the close-up (below).
            if (m_closeUpPending)
                m_selChangePending = true;
            else
                AfxNotifyParent(m_hWnd, CBN_SELCHANGE);
        });
        QObject::connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
            AfxNotifyParent(m_hWnd, CBN_SELENDOK);
            FinishCloseUp();
        });
    }

    // The drop-down closed. Qt hides the popup before it applies the picked item, so the
    // close-up waits until the selection is current: it follows the pick (SELENDOK, CLOSEUP,
    // SELCHANGE, as the system's own combo sends them), or, when nothing was picked, the
    // end of the event that closed the drop-down.
    void FinishCloseUp()
    {
        if (!m_closeUpPending)
            return;
        m_closeUpPending = false;
        AfxNotifyParent(m_hWnd, CBN_CLOSEUP);
        if (m_selChangePending)
        {
            m_selChangePending = false;
            AfxNotifyParent(m_hWnd, CBN_SELCHANGE);
        }
    }

    void SetEditable(bool editable)
    {
        setEditable(editable);
        if (QLineEdit* edit = lineEdit())
        {
            edit->setCompleter(nullptr);
            QObject::connect(edit, &QLineEdit::textEdited, this, [this] {
                m_editChanged = true;
                AfxNotifyParent(m_hWnd, CBN_EDITUPDATE);
                AfxNotifyParent(m_hWnd, CBN_EDITCHANGE);
            });
        }
    }

    // The selection field's height: the window is that high whatever it was created with.
    int FieldHeight() const { return QComboBox::sizeHint().height(); }

    void showPopup() override
    {
        AfxNotifyParent(m_hWnd, CBN_DROPDOWN);
        m_dropped = true;
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        if (m_dropped)
        {
            m_dropped = false;
            m_closeUpPending = true;
            QMetaObject::invokeMethod(this, [this] { FinishCloseUp(); }, Qt::QueuedConnection);
        }
    }

    HWND m_hWnd;
    bool m_extended;
    int m_programmatic = 0;
    bool m_dropped = false;
    bool m_closeUpPending = false;
    bool m_selChangePending = false;
    bool m_editChanged = false;
    bool m_inputAdded = false;
    int m_droppedHeight = 0;
    int m_droppedWidth = 0;
    int m_itemHeight = 0;
    bool m_extendedUi = false;
    DWORD m_exStyle = 0;
    HIMAGELIST m_imageList = nullptr;

protected:
    void changeEvent(QEvent* event) override
    {
        QComboBox::changeEvent(event);
        if (event->type() == QEvent::FontChange && m_fixedField)
            setFixedHeight(FieldHeight());
    }
    void paintEvent(QPaintEvent* event) override
    {
        AfxApplyControlColours(m_hWnd, this, isEditable() ? CTLCOLOR_EDIT : CTLCOLOR_LISTBOX);
        QComboBox::paintEvent(event);
    }

public:
    bool m_fixedField = false;
};

// Changes of the selection made by the program: no CBN_SELCHANGE.
struct Programmatic
{
    explicit Programmatic(ComboWidget* w) : m_w(w) { ++m_w->m_programmatic; }
    ~Programmatic() { --m_w->m_programmatic; }
    ComboWidget* m_w;
};

ComboWidget* WidgetOf(CWnd* pWnd)
{
    return pWnd ? dynamic_cast<ComboWidget*>(pWnd->GetWidget()) : nullptr;
}

QIcon IconFor(ComboWidget* w, int image, int selected)
{
    CImageList* list = CImageList::FromHandle(w->m_imageList);
    if (!list || image < 0)
        return QIcon();
    QIcon icon(QPixmap::fromImage(list->GetImage(image)));
    if (selected >= 0 && selected != image)
        icon.addPixmap(QPixmap::fromImage(list->GetImage(selected)), QIcon::Selected);
    return icon;
}

void RefreshIcon(ComboWidget* w, int index)
{
    const int image = w->itemData(index, kImageRole).isValid() ? w->itemData(index, kImageRole).toInt() : -1;
    const int selected = w->itemData(index, kSelectedImageRole).isValid()
                             ? w->itemData(index, kSelectedImageRole).toInt()
                             : -1;
    w->setItemIcon(index, IconFor(w, image, selected));
}

int CompareNoCase(const QString& a, const QString& b)
{
    return FromQ(a).CompareNoCase(FromQ(b));
}

int Find(ComboWidget* w, int startAfter, const char* text, bool exact)
{
    const int count = w->count();
    if (count == 0 || !text)
        return CB_ERR;
    const CString wanted(text);
    int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
    for (int n = 0; n < count; ++n)
    {
        const int i = (first + n) % count;
        const CString item = FromQ(w->itemText(i));
        if (exact ? item.CompareNoCase(wanted) == 0
                  : item.Left(wanted.GetLength()).CompareNoCase(wanted) == 0)
            return i;
    }
    return CB_ERR;
}

int Insert(ComboWidget* w, int index, const char* text)
{
    Programmatic quiet(w);
    if (index < 0 || index > w->count())
        index = w->count();
    // QComboBox selects the first item put into an empty list box; Windows selects nothing.
    const bool noSelection = w->currentIndex() < 0;
    w->insertItem(index, ToQ(text), QVariant::fromValue<qulonglong>(0));
    if (noSelection && !w->isEditable())
        w->setCurrentIndex(-1);
    return index;
}

int Add(ComboWidget* w, const char* text)
{
    int index = w->count();
    if (GetWindowLong(w->m_hWnd, GWL_STYLE) & CBS_SORT)
    {
        const QString q = ToQ(text);
        index = 0;
        while (index < w->count() && CompareNoCase(w->itemText(index), q) <= 0)
            ++index;
    }
    return Insert(w, index, text);
}

int InsertExItem(ComboWidget* w, const COMBOBOXEXITEM* item, bool replace)
{
    if (!item)
        return -1;
    int index = static_cast<int>(item->iItem);
    if (replace)
    {
        if (index < 0 || index >= w->count())
            return -1;
    }
    else
        index = Insert(w, index, "");
    Programmatic quiet(w);
    if ((item->mask & CBEIF_TEXT) && item->pszText && item->pszText != LPSTR_TEXTCALLBACK)
        w->setItemText(index, ToQ(item->pszText));
    if (item->mask & CBEIF_IMAGE)
        w->setItemData(index, item->iImage, kImageRole);
    if (item->mask & CBEIF_SELECTEDIMAGE)
        w->setItemData(index, item->iSelectedImage, kSelectedImageRole);
    if (item->mask & CBEIF_OVERLAY)
        w->setItemData(index, item->iOverlay, kOverlayRole);
    if (item->mask & CBEIF_INDENT)
        w->setItemData(index, item->iIndent, kIndentRole);
    if (item->mask & CBEIF_LPARAM)
        w->setItemData(index, QVariant::fromValue<qulonglong>(static_cast<qulonglong>(item->lParam)),
                       kDataRole);
    RefreshIcon(w, index);
    return index;
}

BOOL GetExItem(ComboWidget* w, COMBOBOXEXITEM* item)
{
    if (!item)
        return FALSE;
    const int index = item->iItem < 0 ? w->currentIndex() : static_cast<int>(item->iItem);
    if (index < 0 || index >= w->count())
        return FALSE;
    if ((item->mask & CBEIF_TEXT) && item->pszText && item->pszText != LPSTR_TEXTCALLBACK &&
        item->cchTextMax > 0)
    {
        const CString text = FromQ(w->itemText(index));
        const int n = std::min(item->cchTextMax - 1, text.GetLength());
        std::copy(text.GetString(), text.GetString() + n, item->pszText);
        item->pszText[n] = '\0';
    }
    const auto intOf = [w, index](int role, int fallback) {
        const QVariant v = w->itemData(index, role);
        return v.isValid() ? v.toInt() : fallback;
    };
    if (item->mask & CBEIF_IMAGE)
        item->iImage = intOf(kImageRole, -1);
    if (item->mask & CBEIF_SELECTEDIMAGE)
        item->iSelectedImage = intOf(kSelectedImageRole, -1);
    if (item->mask & CBEIF_OVERLAY)
        item->iOverlay = intOf(kOverlayRole, 0);
    if (item->mask & CBEIF_INDENT)
        item->iIndent = intOf(kIndentRole, 0);
    if (item->mask & CBEIF_LPARAM)
        item->lParam = static_cast<LPARAM>(w->itemData(index, kDataRole).toULongLong());
    return TRUE;
}

int CopyText(const CString& text, char* buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    const int n = std::min(size - 1, text.GetLength());
    std::copy(text.GetString(), text.GetString() + n, buffer);
    buffer[n] = '\0';
    return n;
}

QWidget* MakeCombo(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent, bool extended)
{
    auto* w = new ComboWidget(hWnd, extended, parent);
    const DWORD type = static_cast<DWORD>(cs.style) & 0x3u;
    w->SetEditable(type == CBS_DROPDOWN || type == CBS_SIMPLE);
    if (type != CBS_SIMPLE)
    {
        // The created height is the drop-down list's extent; the window is one field high.
        w->m_droppedHeight = cs.cy;
        w->m_fixedField = true;
        w->setFixedHeight(w->FieldHeight());
    }
    if (w->lineEdit() && cs.lpszName && *cs.lpszName)
        w->lineEdit()->setText(ToQ(cs.lpszName));
    return w;
}

BOOL ComboProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    ComboWidget* w = WidgetOf(pWnd);
    if (!w)
        return FALSE;
    if (!w->m_inputAdded && w->lineEdit())
    {
        // Keys typed into the edit field are the box's messages.
        pWnd->AddInputWidget(w->lineEdit());
        w->m_inputAdded = true;
    }
    LRESULT& result = *pResult;
    result = 0;
    const int count = w->count();
    const auto valid = [count](WPARAM i) {
        return static_cast<intptr_t>(i) >= 0 && static_cast<intptr_t>(i) < count;
    };
    switch (message)
    {
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        if (QLineEdit* edit = w->lineEdit())
        {
            edit->setText(ToQ(text));
            result = TRUE;
        }
        else
        {
            const int found = (text && *text) ? Find(w, -1, text, true) : CB_ERR;
            Programmatic quiet(w);
            if (found != CB_ERR)
                w->setCurrentIndex(found);
            result = found == CB_ERR ? CB_ERR : TRUE;
        }
        return TRUE;
    }
    case WM_GETTEXT:
        result = CopyText(FromQ(w->currentText()), reinterpret_cast<char*>(lParam), static_cast<int>(wParam));
        return TRUE;
    case WM_GETTEXTLENGTH:
        result = FromQ(w->currentText()).GetLength();
        return TRUE;
    case WM_SETFOCUS:
        AfxNotifyParent(w->m_hWnd, CBN_SETFOCUS);
        return FALSE;
    case WM_KILLFOCUS:
        AfxNotifyParent(w->m_hWnd, CBN_KILLFOCUS);
        return FALSE;
    case WM_GETDLGCODE:
        result = DLGC_WANTCHARS | DLGC_WANTARROWS;
        return TRUE;
    case CB_ADDSTRING:
        result = Add(w, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case CB_INSERTSTRING:
        result =
            Insert(w, static_cast<int>(static_cast<intptr_t>(wParam)), reinterpret_cast<const char*>(lParam));
        return TRUE;
    case CB_DELETESTRING: {
        if (!valid(wParam))
        {
            result = CB_ERR;
            return TRUE;
        }
        Programmatic quiet(w);
        // Deleting the selected item leaves no selection (QComboBox would select another).
        const bool selected = static_cast<int>(wParam) == w->currentIndex();
        w->removeItem(static_cast<int>(wParam));
        if (selected)
            w->setCurrentIndex(-1);
        result = w->count();
        return TRUE;
    }
    case CB_RESETCONTENT: {
        Programmatic quiet(w);
        w->clear();
        if (QLineEdit* edit = w->lineEdit())
            edit->clear();
        return TRUE;
    }
    case CB_GETCOUNT:
        result = count;
        return TRUE;
    case CB_GETCURSEL:
        result = w->currentIndex() < 0 ? CB_ERR : w->currentIndex();
        return TRUE;
    case CB_SETCURSEL: {
        Programmatic quiet(w);
        if (!valid(wParam))
        {
            w->setCurrentIndex(-1);
            result = CB_ERR;
            return TRUE;
        }
        w->setCurrentIndex(static_cast<int>(wParam));
        result = static_cast<LRESULT>(wParam);
        return TRUE;
    }
    case CB_GETLBTEXT:
        result = valid(wParam) ? CopyText(FromQ(w->itemText(static_cast<int>(wParam))),
                                          reinterpret_cast<char*>(lParam), INT_MAX)
                               : CB_ERR;
        return TRUE;
    case CB_GETLBTEXTLEN:
        result = valid(wParam) ? FromQ(w->itemText(static_cast<int>(wParam))).GetLength() : CB_ERR;
        return TRUE;
    case CB_GETITEMDATA:
        result = valid(wParam)
                     ? static_cast<LRESULT>(w->itemData(static_cast<int>(wParam), kDataRole).toULongLong())
                     : CB_ERR;
        return TRUE;
    case CB_SETITEMDATA:
        if (!valid(wParam))
        {
            result = CB_ERR;
            return TRUE;
        }
        w->setItemData(static_cast<int>(wParam),
                       QVariant::fromValue<qulonglong>(static_cast<qulonglong>(lParam)), kDataRole);
        result = TRUE;
        return TRUE;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
        result = Find(w, static_cast<int>(static_cast<intptr_t>(wParam)),
                      reinterpret_cast<const char*>(lParam), message == CB_FINDSTRINGEXACT);
        return TRUE;
    case CB_SELECTSTRING: {
        result = Find(w, static_cast<int>(static_cast<intptr_t>(wParam)),
                      reinterpret_cast<const char*>(lParam), false);
        if (result != CB_ERR)
        {
            Programmatic quiet(w);
            w->setCurrentIndex(static_cast<int>(result));
        }
        return TRUE;
    }
    case CB_SHOWDROPDOWN:
        if (wParam)
            w->showPopup();
        else
        {
            // Closed by the program: nothing is picked, the close-up is told at once.
            w->hidePopup();
            w->FinishCloseUp();
        }
        result = TRUE;
        return TRUE;
    case CB_GETDROPPEDSTATE:
        result = w->m_dropped ? TRUE : FALSE;
        return TRUE;
    case CB_GETDROPPEDCONTROLRECT:
        if (RECT* rect = reinterpret_cast<RECT*>(lParam))
        {
            const QPoint top = w->mapToGlobal(QPoint(0, 0));
            const int height = std::max(w->m_droppedHeight, w->height());
            *rect =
                CRect(top.x(), top.y(), top.x() + std::max(w->width(), w->m_droppedWidth), top.y() + height);
        }
        result = TRUE;
        return TRUE;
    case CB_SETDROPPEDWIDTH:
        w->m_droppedWidth = static_cast<int>(wParam);
        w->view()->setMinimumWidth(w->m_droppedWidth);
        result = std::max(w->m_droppedWidth, w->width());
        return TRUE;
    case CB_GETDROPPEDWIDTH:
        result = std::max(w->m_droppedWidth, w->width());
        return TRUE;
    case CB_SETITEMHEIGHT:
        w->m_itemHeight = static_cast<int>(lParam);
        return TRUE;
    case CB_GETITEMHEIGHT:
        result = w->m_itemHeight > 0 ? w->m_itemHeight : w->fontMetrics().height() + 2;
        return TRUE;
    case CB_SETEXTENDEDUI:
        w->m_extendedUi = wParam != 0;
        return TRUE;
    case CB_GETEXTENDEDUI:
        result = w->m_extendedUi ? TRUE : FALSE;
        return TRUE;
    case CB_LIMITTEXT:
        if (QLineEdit* edit = w->lineEdit())
            edit->setMaxLength(wParam ? static_cast<int>(std::min<WPARAM>(wParam, 32767)) : 32767);
        result = TRUE;
        return TRUE;
    case CB_GETEDITSEL: {
        QLineEdit* edit = w->lineEdit();
        int start = 0, end = 0;
        if (edit)
        {
            start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
            end = edit->hasSelectedText() ? edit->selectionEnd() : start;
        }
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
        return TRUE;
    }
    case CB_SETEDITSEL: {
        QLineEdit* edit = w->lineEdit();
        if (!edit)
        {
            result = CB_ERR;
            return TRUE;
        }
        const int start = static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam)));
        int end = static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam)));
        const int length = static_cast<int>(edit->text().size());
        if (start < 0)
            edit->deselect();
        else
        {
            if (end < 0 || end > length)
                end = length;
            edit->setSelection(std::min(start, length), end - std::min(start, length));
        }
        result = TRUE;
        return TRUE;
    }
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
        if (QLineEdit* edit = w->lineEdit())
        {
            if (message == WM_CUT)
                edit->cut();
            else if (message == WM_COPY)
                edit->copy();
            else if (message == WM_PASTE)
                edit->paste();
            else
                edit->del();
        }
        return TRUE;
    case CBEM_INSERTITEM:
        result = InsertExItem(w, reinterpret_cast<const COMBOBOXEXITEM*>(lParam), false);
        return TRUE;
    case CBEM_SETITEM:
        result = InsertExItem(w, reinterpret_cast<const COMBOBOXEXITEM*>(lParam), true) >= 0 ? TRUE : FALSE;
        return TRUE;
    case CBEM_GETITEM:
        result = GetExItem(w, reinterpret_cast<COMBOBOXEXITEM*>(lParam));
        return TRUE;
    case CBEM_SETIMAGELIST: {
        result = reinterpret_cast<LRESULT>(w->m_imageList);
        w->m_imageList = reinterpret_cast<HIMAGELIST>(lParam);
        if (CImageList* list = CImageList::FromHandle(w->m_imageList))
            w->setIconSize(QSize(list->GetImageSize().cx, list->GetImageSize().cy));
        for (int i = 0; i < w->count(); ++i)
            RefreshIcon(w, i);
        return TRUE;
    }
    case CBEM_GETIMAGELIST:
        result = reinterpret_cast<LRESULT>(w->m_imageList);
        return TRUE;
    case CBEM_GETCOMBOCONTROL:
        result = reinterpret_cast<LRESULT>(w->m_hWnd);
        return TRUE;
    case CBEM_GETEDITCONTROL:
        result = 0;
        return TRUE;
    case CBEM_SETEXTENDEDSTYLE: {
        result = w->m_exStyle;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        w->m_exStyle = (w->m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        return TRUE;
    }
    case CBEM_GETEXTENDEDSTYLE:
        result = w->m_exStyle;
        return TRUE;
    case CBEM_HASEDITCHANGED:
        result = w->m_editChanged ? TRUE : FALSE;
        w->m_editChanged = false;
        return TRUE;
    default:
        return FALSE;
    }
}

const struct ComboClassRegistrar
{
    ComboClassRegistrar()
    {
        AfxRegisterControlClass(
            WC_COMBOBOX,
            [](HWND hWnd, const CREATESTRUCT& cs, QWidget* parent) {
                return MakeCombo(hWnd, cs, parent, false);
            },
            &ComboProc);
        AfxRegisterControlClass(
            WC_COMBOBOXEX,
            [](HWND hWnd, const CREATESTRUCT& cs, QWidget* parent) {
                return MakeCombo(hWnd, cs, parent, true);
            },
            &ComboProc);
    }
} comboClassRegistrar;

template <typename T> LRESULT Send(const CWnd* wnd, UINT message, WPARAM wParam, T lParam)
{
    return const_cast<CWnd*>(wnd)->SendMessage(message, wParam, (LPARAM)(lParam));
}
} // namespace

// ---------------------------------------------------------------------------------------
// CComboBox

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const
{
    return static_cast<int>(Send(this, CB_GETCOUNT, 0, 0));
}

int CComboBox::AddString(LPCTSTR lpszString)
{
    return static_cast<int>(Send(this, CB_ADDSTRING, 0, lpszString));
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString)
{
    return static_cast<int>(
        Send(this, CB_INSERTSTRING, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)), lpszString));
}

int CComboBox::DeleteString(UINT nIndex)
{
    return static_cast<int>(Send(this, CB_DELETESTRING, nIndex, 0));
}

void CComboBox::ResetContent()
{
    Send(this, CB_RESETCONTENT, 0, 0);
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const
{
    return static_cast<int>(
        Send(this, CB_GETLBTEXT, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)), lpszText));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int length = GetLBTextLen(nIndex);
    if (length == CB_ERR)
    {
        rString.Empty();
        return;
    }
    GetLBText(nIndex, rString.GetBufferSetLength(length));
    rString.ReleaseBuffer(length);
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return static_cast<int>(
        Send(this, CB_GETLBTEXTLEN, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)), 0));
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(
        Send(this, CB_GETITEMDATA, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)), 0));
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(Send(this, CB_SETITEMDATA, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)),
                                 static_cast<LPARAM>(dwItemData)));
}

void* CComboBox::GetItemDataPtr(int nIndex) const
{
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(Send(this, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    return static_cast<int>(Send(this, CB_SETCURSEL, static_cast<WPARAM>(static_cast<intptr_t>(nSelect)), 0));
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const
{
    return static_cast<int>(
        Send(this, CB_FINDSTRING, static_cast<WPARAM>(static_cast<intptr_t>(nStartAfter)), lpszString));
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
{
    return static_cast<int>(
        Send(this, CB_FINDSTRINGEXACT, static_cast<WPARAM>(static_cast<intptr_t>(nIndexStart)), lpszFind));
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString)
{
    return static_cast<int>(
        Send(this, CB_SELECTSTRING, static_cast<WPARAM>(static_cast<intptr_t>(nStartAfter)), lpszString));
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    Send(this, CB_SHOWDROPDOWN, static_cast<WPARAM>(bShowIt), 0);
}

BOOL CComboBox::GetDroppedState() const
{
    return static_cast<BOOL>(Send(this, CB_GETDROPPEDSTATE, 0, 0));
}

void CComboBox::GetDroppedControlRect(LPRECT lprect) const
{
    Send(this, CB_GETDROPPEDCONTROLRECT, 0, lprect);
}

int CComboBox::SetDroppedWidth(UINT nWidth)
{
    return static_cast<int>(Send(this, CB_SETDROPPEDWIDTH, nWidth, 0));
}

int CComboBox::GetDroppedWidth() const
{
    return static_cast<int>(Send(this, CB_GETDROPPEDWIDTH, 0, 0));
}

int CComboBox::SetItemHeight(int nIndex, UINT cyItemHeight)
{
    return static_cast<int>(Send(this, CB_SETITEMHEIGHT, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)),
                                 static_cast<LPARAM>(cyItemHeight)));
}

int CComboBox::GetItemHeight(int nIndex) const
{
    return static_cast<int>(
        Send(this, CB_GETITEMHEIGHT, static_cast<WPARAM>(static_cast<intptr_t>(nIndex)), 0));
}

int CComboBox::SetExtendedUI(BOOL bExtended)
{
    return static_cast<int>(Send(this, CB_SETEXTENDEDUI, static_cast<WPARAM>(bExtended), 0));
}

BOOL CComboBox::GetExtendedUI() const
{
    return static_cast<BOOL>(Send(this, CB_GETEXTENDEDUI, 0, 0));
}

int CComboBox::GetTopIndex() const
{
    return 0;
}

int CComboBox::SetTopIndex(int nIndex)
{
    return nIndex >= 0 && nIndex < GetCount() ? 0 : CB_ERR;
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return static_cast<BOOL>(Send(this, CB_LIMITTEXT, static_cast<WPARAM>(nMaxChars), 0));
}

DWORD CComboBox::GetEditSel() const
{
    return static_cast<DWORD>(Send(this, CB_GETEDITSEL, 0, 0));
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(
        Send(this, CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(nStartChar), static_cast<WORD>(nEndChar))));
}

void CComboBox::Clear()
{
    Send(this, WM_CLEAR, 0, 0);
}

void CComboBox::Copy()
{
    Send(this, WM_COPY, 0, 0);
}

void CComboBox::Cut()
{
    Send(this, WM_CUT, 0, 0);
}

void CComboBox::Paste()
{
    Send(this, WM_PASTE, 0, 0);
}

// ---------------------------------------------------------------------------------------
// CComboBoxEx

BOOL CComboBoxEx::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOXEX, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CComboBoxEx::InsertItem(const COMBOBOXEXITEM* pCBItem)
{
    return static_cast<int>(Send(this, CBEM_INSERTITEM, 0, pCBItem));
}

BOOL CComboBoxEx::SetItem(const COMBOBOXEXITEM* pCBItem)
{
    return static_cast<BOOL>(Send(this, CBEM_SETITEM, 0, pCBItem));
}

BOOL CComboBoxEx::GetItem(COMBOBOXEXITEM* pCBItem)
{
    return static_cast<BOOL>(Send(this, CBEM_GETITEM, 0, pCBItem));
}

int CComboBoxEx::DeleteItem(int iIndex)
{
    return static_cast<int>(
        Send(this, CBEM_DELETEITEM, static_cast<WPARAM>(static_cast<intptr_t>(iIndex)), 0));
}

CImageList* CComboBoxEx::SetImageList(CImageList* pImageList)
{
    const auto previous = reinterpret_cast<HIMAGELIST>(
        Send(this, CBEM_SETIMAGELIST, 0, pImageList ? pImageList->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(previous);
}

CImageList* CComboBoxEx::GetImageList() const
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(Send(this, CBEM_GETIMAGELIST, 0, 0)));
}

DWORD CComboBoxEx::SetExtendedStyle(DWORD dwExMask, DWORD dwExStyles)
{
    return static_cast<DWORD>(Send(this, CBEM_SETEXTENDEDSTYLE, dwExMask, static_cast<LPARAM>(dwExStyles)));
}

DWORD CComboBoxEx::GetExtendedStyle() const
{
    return static_cast<DWORD>(Send(this, CBEM_GETEXTENDEDSTYLE, 0, 0));
}

BOOL CComboBoxEx::HasEditChanged()
{
    return static_cast<BOOL>(Send(this, CBEM_HASEDITCHANGED, 0, 0));
}

CComboBox* CComboBoxEx::GetComboBoxCtrl()
{
    return this;
}

CEdit* CComboBoxEx::GetEditCtrl()
{
    return nullptr;
}
