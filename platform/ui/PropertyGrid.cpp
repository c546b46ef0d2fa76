#include "platform/ui/PropertyGrid.h"
#include "platform/ui/QtText.h"

#include "platform/core/Exception.h"
#include "platform/core/RegisteredMessage.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

const UINT AFX_WM_PROPERTY_CHANGED = RegisterWindowMessageA("AFX_WM_PROPERTY_CHANGED");

namespace
{
constexpr int kPropRole = Qt::UserRole + 1;

CMFCPropertyGridProperty* PropOf(const QModelIndex& index)
{
    return static_cast<CMFCPropertyGridProperty*>(index.data(kPropRole).value<void*>());
}

bool Contains(const std::vector<CMFCPropertyGridProperty*>& props, const CMFCPropertyGridProperty* p,
              const CMFCPropertyGridCtrl* grid)
{
    for (int i = 0; i < grid->GetPropertyCount(); ++i)
    {
        std::vector<CMFCPropertyGridProperty*> stack{grid->GetProperty(i)};
        while (!stack.empty())
        {
            CMFCPropertyGridProperty* q = stack.back();
            stack.pop_back();
            if (q == p)
                return true;
            for (int k = 0; k < q->GetSubItemsCount(); ++k)
                stack.push_back(q->GetSubItem(k));
        }
    }
    (void)props;
    return false;
}

// In-place editors: a drop-down list for items with options (typed text only when the item
// allows editing), a line edit otherwise. The edit is handed to the grid after the editor
// closed, because the owner's change handler may rebuild the whole grid.
class CPropertyDelegate : public QStyledItemDelegate
{
public:
    CPropertyDelegate(CMFCPropertyGridCtrl* grid, QObject* guard, QObject* parent)
        : QStyledItemDelegate(parent), m_grid(grid), m_guard(guard)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        CMFCPropertyGridProperty* prop = PropOf(index);
        if (prop == nullptr || index.column() != 1 || prop->IsGroup() || !prop->IsEnabled())
            return nullptr;
        if (!prop->OnEdit(nullptr))
            return nullptr;
        if (prop->IsSpinEnabled())
        {
            auto* spin = new QSpinBox(parent);
            spin->setRange(prop->GetSpinMin(), prop->GetSpinMax());
            // Typing off: the buttons and arrow keys still step the value.
            if (!prop->IsAllowEdit())
                if (auto* text = spin->findChild<QLineEdit*>())
                    text->setReadOnly(true);
            return spin;
        }
        if (prop->GetOptionCount() > 0)
        {
            auto* combo = new QComboBox(parent);
            for (int i = 0; i < prop->GetOptionCount(); ++i)
                combo->addItem(QString::fromLatin1(prop->GetOption(i)));
            combo->setEditable(prop->IsAllowEdit() != FALSE);
            // A choice picked from the list ends the edit there and then: it applies without
            // Enter or a click on another row.
            auto* self = const_cast<CPropertyDelegate*>(this);
            QObject::connect(combo, qOverload<int>(&QComboBox::activated), self, [self, combo](int) {
                emit self->commitData(combo);
                emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
            });
            return combo;
        }
        if (prop->HasButton())
            return ButtonEditor(prop, parent);
        if (!prop->IsAllowEdit())
            return nullptr;
        return new QLineEdit(parent);
    }

    // The item decides where its editor goes within its row.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override
    {
        CMFCPropertyGridProperty* prop = PropOf(index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (prop == nullptr || view == nullptr)
        {
            QStyledItemDelegate::updateEditorGeometry(editor, option, index);
            return;
        }
        // The whole row, from the list area's left edge.
        prop->SetRect(CRect(0, option.rect.top(), option.rect.right() + 1, option.rect.bottom() + 1));
        CRect edit, spin;
        prop->AdjustInPlaceEditRect(edit, spin);
        editor->setGeometry(QRect(edit.left, edit.top, std::max(0, edit.Width()), std::max(0, edit.Height())));
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        CMFCPropertyGridProperty* prop = PropOf(index);
        if (prop == nullptr || index.column() != 1 || !prop->IsValueDrawnWhole())
        {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QBrush>());
        CDC dc;
        dc.Attach(painter);
        // The cell's text in the grid's own font, as the other rows show theirs.
        CFont font;
        font.CreateFromQFont(option.font);
        CFont* old = dc.SelectObject(&font);
        const QRect r = option.rect;
        prop->OnDrawValue(&dc, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
        dc.SelectObject(old);
        // Deleted, not detached: the device context over the painter goes with the paint and
        // gives the painter back the state it found.
        dc.DeleteDC();
        painter->restore();
    }

    // A click on a cell its item paints itself goes to the item once the event is over, as
    // the owner's handler may rebuild the grid.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override
    {
        CMFCPropertyGridProperty* prop = PropOf(index);
        const QEvent::Type type = event->type();
        const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        if (prop != nullptr && index.column() == 1 && prop->IsValueDrawnWhole() && prop->IsEnabled() &&
            type == QEvent::MouseButtonRelease)
            return true; // no in-place editor opens under a button
        if (prop != nullptr && index.column() == 1 && prop->IsValueDrawnWhole() && prop->IsEnabled() && press)
        {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
            {
                const QPoint at = mouse->position().toPoint() - option.rect.topLeft();
                CMFCPropertyGridCtrl* grid = m_grid;
                QPointer<QObject> guard = m_guard;
                QMetaObject::invokeMethod(
                    parent(),
                    [grid, guard, prop, at]() {
                        if (guard && Contains({}, prop, grid))
                            prop->OnClickValue(WM_LBUTTONDOWN, CPoint(at.x(), at.y()));
                    },
                    Qt::QueuedConnection);
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        CMFCPropertyGridProperty* prop = PropOf(index);
        const QString text = prop ? ToQ(prop->FormatProperty()) : QString();
        if (auto* spin = qobject_cast<QSpinBox*>(editor))
        {
            // The shown text may carry a unit after the number ("5 s").
            const QString t = text.trimmed();
            int end = (t.startsWith('-') || t.startsWith('+')) ? 1 : 0;
            while (end < t.size() && t[end].isDigit())
                ++end;
            spin->setValue(t.left(end).toInt());
        }
        else if (auto* combo = qobject_cast<QComboBox*>(editor))
        {
            const int i = combo->findText(text);
            if (i >= 0)
                combo->setCurrentIndex(i);
            else if (combo->isEditable())
                combo->setEditText(text);
        }
        else if (auto* edit = EditOf(editor))
            edit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        CMFCPropertyGridProperty* prop = PropOf(index);
        QString text;
        if (auto* spin = qobject_cast<QSpinBox*>(editor))
            text = QString::number(spin->value());
        else if (auto* combo = qobject_cast<QComboBox*>(editor))
            text = combo->currentText();
        else if (auto* edit = EditOf(editor))
        {
            // The text of an item that only its button edits is no edit of the user's.
            if (edit->isReadOnly())
                return;
            text = edit->text();
        }
        CMFCPropertyGridCtrl* grid = m_grid;
        QPointer<QObject> guard = m_guard;
        QMetaObject::invokeMethod(
            parent(),
            [grid, guard, prop, text]() {
                if (guard && Contains({}, prop, grid))
                    grid->EditProperty(prop, FromQ(text));
            },
            Qt::QueuedConnection);
    }

private:
    static QLineEdit* EditOf(QWidget* editor)
    {
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            return edit;
        return editor ? editor->findChild<QLineEdit*>() : nullptr;
    }

    // An item with a button: its text (typed only when the item allows editing) and a "..."
    // button that hands the click to the item, which opens its own editor.
    QWidget* ButtonEditor(CMFCPropertyGridProperty* prop, QWidget* parent) const
    {
        auto* box = new QWidget(parent);
        box->setAutoFillBackground(true);
        auto* layout = new QHBoxLayout(box);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* edit = new QLineEdit(box);
        edit->setReadOnly(!prop->IsAllowEdit());
        auto* button = new QToolButton(box);
        button->setText("...");
        layout->addWidget(edit, 1);
        layout->addWidget(button);
        box->setFocusProxy(edit);
        CMFCPropertyGridCtrl* grid = m_grid;
        QPointer<QObject> guard = m_guard;
        QObject::connect(button, &QToolButton::clicked, box, [grid, guard, prop, button]() {
            if (!guard || !Contains({}, prop, grid))
                return;
            const QPoint at = button->mapToGlobal(button->rect().center());
            prop->OnClickButton(CPoint(at.x(), at.y()));
        });
        return box;
    }

    CMFCPropertyGridCtrl* m_grid;
    QPointer<QObject> m_guard;
};

// The description area below the grid: room for the item's name and two lines of its
// description, as the grid's first rows keep the rest. A user may drag it larger or smaller.
class CDescriptionArea : public QLabel
{
public:
    explicit CDescriptionArea(QWidget* parent) : QLabel(parent) {}

    QSize sizeHint() const override { return QSize(QLabel::sizeHint().width(), Lines(3)); }
    QSize minimumSizeHint() const override { return QSize(QLabel::minimumSizeHint().width(), Lines(1)); }

private:
    int Lines(int n) const
    {
        const QMargins m = contentsMargins();
        return n * fontMetrics().lineSpacing() + m.top() + m.bottom() + 2 * margin() + 4;
    }
};

// Keeps the name column as wide as the widest name in view, so that names show whole,
// though never so wide that the values keep less than 45% of the width.
class CNameColumnFitter : public QObject
{
public:
    CNameColumnFitter(QTreeWidget* tree, QObject* parent) : QObject(parent), m_tree(tree) {}

    // The name column's share of the width at most, so that the values keep the rest.
    static constexpr int kNameShare = 55; // per cent

    void Fit() const
    {
        if (!m_tree)
            return;
        const int widest = WidestName();
        const int room = m_tree->viewport()->width();
        const int width = room > 0 ? std::min(widest, room * kNameShare / 100) : widest;
        if (width > 0 && m_tree->columnWidth(0) != width)
            m_tree->setColumnWidth(0, width);
    }

    // The width of the tree at which Fit shows every name whole.
    int WholeNamesWidth() const
    {
        if (!m_tree)
            return 0;
        const int viewport = (WidestName() * 100 + kNameShare - 1) / kNameShare;
        const int scrollBar = m_tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_tree);
        return viewport + scrollBar + 2 * m_tree->frameWidth();
    }

    // The name column's width that shows the widest name in view whole.
    int WidestName() const
    {
        int widest = 0;
        QTreeWidgetItemIterator it(m_tree);
        for (; *it; ++it)
        {
            QTreeWidgetItem* item = *it;
            // Only rows on show: an item of a hidden group is not.
            bool shown = !item->isHidden();
            for (QTreeWidgetItem* p = item->parent(); p && shown; p = p->parent())
                shown = !p->isHidden();
            if (item->isFirstColumnSpanned() || !shown)
                continue;
            int depth = m_tree->rootIsDecorated() ? 1 : 0;
            for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
                ++depth;
            // The item's own font where it has one (a bold modified value), else the tree's: an
            // item without a font of its own is drawn in the tree's, not in the application's.
            const QFontMetrics metrics(item->data(0, Qt::FontRole).isValid() ? item->font(0) : m_tree->font());
            // The delegate's own margins around the text, as the view lays a cell out.
            const int margins = 2 * (m_tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_tree) + 1);
            widest = std::max(widest, depth * m_tree->indentation() + metrics.horizontalAdvance(item->text(0)) +
                                          margins + 4);
        }
        return widest;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            Fit();
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QTreeWidget> m_tree;
};

// Hands a right-button release on the tree to the grid as its own message.
class CRightButtonRelay : public QObject
{
public:
    CRightButtonRelay(CMFCPropertyGridCtrl* grid, QObject* parent) : QObject(parent), m_grid(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        auto* me = static_cast<QMouseEvent*>(event);
        QWidget* box = m_grid->GetWidget();
        if (me->button() != Qt::RightButton || !box || !watched->isWidgetType())
            return false;
        const QPoint at = static_cast<QWidget*>(watched)->mapTo(box, me->position().toPoint());
        m_grid->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(at.x()), static_cast<WORD>(at.y())));
        return true;
    }

private:
    CMFCPropertyGridCtrl* m_grid;
};
} // namespace

// ---------------------------------------------------------------------------------------
// CMFCPropertyGridProperty
// ---------------------------------------------------------------------------------------

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strGroupName, DWORD_PTR dwData, BOOL bIsValueList)
    : m_strName(strGroupName), m_dwData(dwData), m_bGroup(!bIsValueList), m_bIsValueList(bIsValueList != FALSE)
{
}

CMFCPropertyGridProperty::CMFCPropertyGridProperty(const CString& strName, const COleVariant& varValue,
                                                   LPCTSTR lpszDescr, DWORD_PTR dwData, LPCTSTR, LPCTSTR, LPCTSTR)
    : m_strName(strName), m_strDescr(lpszDescr ? lpszDescr : ""), m_varValue(varValue), m_varValueOrig(varValue),
      m_dwData(dwData)
{
    // Switches offer their two states, and only those.
    if (varValue.vt == VT_BOOL)
    {
        m_options = {"True", "False"};
        m_bAllowEdit = false;
    }
}

CMFCPropertyGridProperty::~CMFCPropertyGridProperty()
{
    if (m_pWndList != nullptr)
        m_pWndList->Forget(this);
    for (CMFCPropertyGridProperty* p : m_subItems)
    {
        p->m_pParent = nullptr;
        delete p;
    }
}

BOOL CMFCPropertyGridProperty::AddSubItem(CMFCPropertyGridProperty* pProp)
{
    if (pProp == nullptr || pProp == this || (!m_bGroup && !m_bIsValueList))
        return FALSE;
    if (std::find(m_subItems.begin(), m_subItems.end(), pProp) != m_subItems.end())
        return FALSE;
    pProp->m_pParent = this;
    pProp->SetOwnerList(m_pWndList);
    m_subItems.push_back(pProp);
    if (m_pWndList)
        m_pWndList->Rebuild();
    return TRUE;
}

BOOL CMFCPropertyGridProperty::RemoveSubItem(CMFCPropertyGridProperty*& pProp, BOOL bDelete)
{
    auto it = std::find(m_subItems.begin(), m_subItems.end(), pProp);
    if (it == m_subItems.end())
        return FALSE;
    m_subItems.erase(it);
    pProp->m_pParent = nullptr;
    if (m_pWndList)
        m_pWndList->Forget(pProp);
    pProp->SetOwnerList(nullptr);
    if (bDelete)
    {
        delete pProp;
        pProp = nullptr;
    }
    if (m_pWndList)
        m_pWndList->Rebuild();
    return TRUE;
}

CMFCPropertyGridProperty* CMFCPropertyGridProperty::GetSubItem(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetSubItemsCount())
        return nullptr;
    return m_subItems[static_cast<size_t>(nIndex)];
}

void CMFCPropertyGridProperty::SetOwnerList(CMFCPropertyGridCtrl* pWndList)
{
    m_pWndList = pWndList;
    for (CMFCPropertyGridProperty* p : m_subItems)
        p->SetOwnerList(pWndList);
}

BOOL CMFCPropertyGridProperty::AddOption(LPCTSTR lpszOption, BOOL bInsertUnique)
{
    const CString option(lpszOption ? lpszOption : "");
    if (bInsertUnique)
        for (const CString& o : m_options)
            if (std::strcmp(o, option) == 0)
                return FALSE;
    m_options.push_back(option);
    return TRUE;
}

void CMFCPropertyGridProperty::RemoveAllOptions()
{
    m_options.clear();
}

LPCTSTR CMFCPropertyGridProperty::GetOption(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetOptionCount())
        return nullptr;
    // A switch offers its two states under the labels its grid shows them with.
    if (m_varValue.vt == VT_BOOL && m_pWndList && GetOptionCount() == 2)
        return nIndex == 0 ? m_pWndList->GetBoolTrue() : m_pWndList->GetBoolFalse();
    return m_options[static_cast<size_t>(nIndex)];
}

void CMFCPropertyGridProperty::AllowEdit(BOOL bAllow)
{
    m_bAllowEdit = bAllow != FALSE;
}

void CMFCPropertyGridProperty::EnableSpinControl(BOOL bEnable, int nMin, int nMax)
{
    m_bSpin = bEnable != FALSE;
    m_nSpinMin = std::min(nMin, nMax);
    m_nSpinMax = std::max(nMin, nMax);
}

BOOL CMFCPropertyGridProperty::Enable(BOOL bEnable)
{
    m_bEnabled = bEnable != FALSE;
    Redraw();
    return TRUE;
}

BOOL CMFCPropertyGridProperty::Show(BOOL bShow, BOOL)
{
    m_bVisible = bShow != FALSE;
    Redraw();
    return TRUE;
}

BOOL CMFCPropertyGridProperty::Expand(BOOL bExpand)
{
    m_bExpanded = bExpand != FALSE;
    Redraw();
    return TRUE;
}

void CMFCPropertyGridProperty::SetName(LPCTSTR lpszName, BOOL)
{
    m_strName = lpszName ? lpszName : "";
    Redraw();
}

void CMFCPropertyGridProperty::SetDescription(const CString& strDescr)
{
    m_strDescr = strDescr;
    Redraw();
}

void CMFCPropertyGridProperty::SetValue(const COleVariant& varValue)
{
    // A value keeps its type: a switch stays a switch whatever it is handed.
    if (m_varValue.vt != VT_EMPTY && varValue.vt != m_varValue.vt)
    {
        COleVariant converted = varValue;
        try
        {
            converted.ChangeType(m_varValue.vt);
        }
        catch (CException* e)
        {
            e->Delete();
            return;
        }
        m_varValue = converted;
    }
    else
        m_varValue = varValue;
    Redraw();
}

void CMFCPropertyGridProperty::ResetOriginalValue()
{
    m_varValue = m_varValueOrig;
    Redraw();
}

CString CMFCPropertyGridProperty::FormatProperty()
{
    if (m_bGroup)
        return CString();
    if (m_varValue.vt == VT_BOOL && m_pWndList)
        return m_varValue.ToText(m_pWndList->GetBoolTrue(), m_pWndList->GetBoolFalse());
    switch (m_varValue.vt)
    {
    case VT_EMPTY: case VT_BOOL: case VT_I2: case VT_I4: case VT_INT: case VT_UINT: case VT_UI1:
    case VT_R4: case VT_R8: case VT_BSTR:
        return m_varValue.ToText();
    default:
        // A value of a kind the grid cannot show as text says so rather than showing nothing.
        return "*** error ***";
    }
}

BOOL CMFCPropertyGridProperty::TextToVar(const CString& strText)
{
    if (m_bGroup)
        return FALSE;
    if (!m_options.empty() && !m_bAllowEdit && m_varValue.vt != VT_BOOL)
    {
        bool found = false;
        for (const CString& o : m_options)
            found = found || std::strcmp(o, strText) == 0;
        if (!found)
            return FALSE;
    }
    if (m_bSpin)
    {
        CString text = strText;
        text.Trim();
        char* end = nullptr;
        errno = 0;
        const long v = std::strtol(text, &end, 10);
        if (text.IsEmpty() || *end != '\0' || errno == ERANGE || v < m_nSpinMin || v > m_nSpinMax)
            return FALSE;
        COleVariant number(static_cast<long>(v));
        if (m_varValue.vt != VT_EMPTY && m_varValue.vt != VT_I4)
            number.ChangeType(m_varValue.vt);
        m_varValue = number;
        return TRUE;
    }
    COleVariant value(strText);
    if (m_varValue.vt == VT_BOOL)
    {
        const LPCTSTR yes = m_pWndList ? m_pWndList->GetBoolTrue() : "True";
        const LPCTSTR no = m_pWndList ? m_pWndList->GetBoolFalse() : "False";
        if (strText.CompareNoCase(yes) == 0 || strText.CompareNoCase("True") == 0)
            m_varValue = COleVariant(static_cast<short>(-1), VT_BOOL);
        else if (strText.CompareNoCase(no) == 0 || strText.CompareNoCase("False") == 0)
            m_varValue = COleVariant(static_cast<short>(0), VT_BOOL);
        else
            return FALSE;
        return TRUE;
    }
    if (m_varValue.vt != VT_BSTR && m_varValue.vt != VT_EMPTY)
    {
        try
        {
            value.ChangeType(m_varValue.vt);
        }
        catch (CException* e)
        {
            e->Delete();
            return FALSE;
        }
    }
    m_varValue = value;
    return TRUE;
}

BOOL CMFCPropertyGridProperty::OnUpdateValue()
{
    const COleVariant before = m_varValue;
    if (!TextToVar(m_strEditText))
    {
        m_varValue = before;
        Redraw();
        return FALSE;
    }
    Redraw();
    if (m_varValue != before && m_pWndList)
        m_pWndList->OnPropertyChanged(this);
    return TRUE;
}

BOOL CMFCPropertyGridProperty::OnEdit(LPPOINT)
{
    return !m_bGroup && m_bEnabled;
}

BOOL CMFCPropertyGridProperty::OnEndEdit()
{
    return TRUE;
}

void CMFCPropertyGridProperty::OnDrawValue(CDC*, CRect) {}

void CMFCPropertyGridProperty::OnClickButton(CPoint) {}

void CMFCPropertyGridProperty::AdjustInPlaceEditRect(CRect& rectEdit, CRect& rectSpin)
{
    const int nameWidth = m_pWndList ? m_pWndList->GetLeftColumnWidth() : 0;
    rectEdit = m_Rect;
    rectEdit.left = std::min(m_Rect.right, m_Rect.left + nameWidth);
    rectSpin.SetRectEmpty();
    if (HasButton() || IsSpinEnabled())
    {
        // A strip as wide as the row is high, at the right of the value.
        rectSpin = rectEdit;
        rectSpin.left = std::max(rectEdit.left, rectEdit.right - m_Rect.Height());
    }
}

void CMFCPropertyGridProperty::Redraw()
{
    if (m_pWndList)
        m_pWndList->RefreshItem(this);
}

// ---------------------------------------------------------------------------------------
// CMFCPropertyGridCtrl
// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CMFCPropertyGridCtrl, CWnd)

CMFCPropertyGridCtrl::CMFCPropertyGridCtrl() = default;

CMFCPropertyGridCtrl::~CMFCPropertyGridCtrl()
{
    // A tree still alive (Qt deletes it later) must hold no pointers to the items about to go.
    if (m_pTree)
    {
        m_bInRebuild = true;
        m_pTree->clear();
    }
    m_pGuard.reset();
    m_pNameFitter = nullptr;
    m_pTree = nullptr;
    m_pDescription = nullptr;
    RemoveAll();
}

BOOL CMFCPropertyGridCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    auto* box = new QWidget();
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The grid takes what the pane gains; the description keeps its few lines.
    auto* split = new QSplitter(Qt::Vertical, box);
    split->setChildrenCollapsible(false);
    m_pTree = new QTreeWidget(split);
    m_pTree->setColumnCount(2);
    m_pTree->setRootIsDecorated(true);
    m_pTree->setUniformRowHeights(true);
    m_pTree->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed);
    m_pGuard = std::make_unique<QObject>();
    m_pTree->setItemDelegate(new CPropertyDelegate(this, m_pGuard.get(), m_pTree));
    m_pTree->header()->setStretchLastSection(true);
    m_pDescription = new CDescriptionArea(split);
    m_pDescription->setWordWrap(true);
    m_pDescription->setAutoFillBackground(true);
    m_pDescription->setMargin(2);
    m_pDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    split->addWidget(m_pTree);
    split->addWidget(m_pDescription);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    layout->addWidget(split);
    // The focus given to the grid is the tree's, where the keys move between rows.
    box->setFocusProxy(m_pTree);
    m_pNameFitter = new CNameColumnFitter(m_pTree, m_pGuard.get());
    m_pTree->viewport()->installEventFilter(m_pNameFitter);
    QObject::connect(m_pTree, &QObject::destroyed, m_pGuard.get(), [this]() {
        m_pTree = nullptr;
        m_pDescription = nullptr;
        m_pNameFitter = nullptr;
    });
    QObject::connect(m_pTree, &QTreeWidget::currentItemChanged, m_pGuard.get(), [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        if (m_bInRebuild)
            return;
        m_pSel = item ? static_cast<CMFCPropertyGridProperty*>(item->data(0, kPropRole).value<void*>()) : nullptr;
        if (m_pDescription)
            m_pDescription->setText(m_pSel ? ToQ(CString(m_pSel->GetName())) + "\n" + ToQ(m_pSel->GetDescription())
                                           : QString());
    });
    if (!CreateFromWidget(box, 0, nullptr, dwStyle, rect, pParentWnd, nID))
    {
        m_pTree = nullptr;
        m_pDescription = nullptr;
        return FALSE;
    }
    // Right clicks land on the tree's viewport; a grid with a menu of its own hears of them
    // as its WM_RBUTTONUP. The other buttons stay the tree's, for its in-place editors.
    m_pTree->viewport()->installEventFilter(new CRightButtonRelay(this, m_pGuard.get()));
    Rebuild();
    return TRUE;
}

int CMFCPropertyGridCtrl::AddProperty(CMFCPropertyGridProperty* pProp, BOOL, BOOL)
{
    if (pProp == nullptr || std::find(m_props.begin(), m_props.end(), pProp) != m_props.end())
        return -1;
    pProp->SetOwnerList(this);
    m_props.push_back(pProp);
    Rebuild();
    return static_cast<int>(m_props.size()) - 1;
}

BOOL CMFCPropertyGridCtrl::DeleteProperty(CMFCPropertyGridProperty*& pProp, BOOL, BOOL)
{
    if (pProp == nullptr)
        return FALSE;
    if (pProp->GetParent())
        return pProp->GetParent()->RemoveSubItem(pProp, TRUE);
    auto it = std::find(m_props.begin(), m_props.end(), pProp);
    if (it == m_props.end())
        return FALSE;
    m_props.erase(it);
    delete pProp;
    pProp = nullptr;
    Rebuild();
    return TRUE;
}

void CMFCPropertyGridCtrl::RemoveAll()
{
    std::vector<CMFCPropertyGridProperty*> props;
    props.swap(m_props);
    m_pSel = nullptr;
    if (m_pTree)
    {
        m_bInRebuild = true;
        m_pTree->clear();
        m_bInRebuild = false;
    }
    for (CMFCPropertyGridProperty* p : props)
    {
        p->SetOwnerList(nullptr);
        delete p;
    }
    if (m_pDescription)
        m_pDescription->clear();
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::GetProperty(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPropertyCount())
        return nullptr;
    return m_props[static_cast<size_t>(nIndex)];
}

CMFCPropertyGridProperty* CMFCPropertyGridCtrl::FindItemByData(DWORD_PTR dwData, BOOL bSearchSubItems) const
{
    for (CMFCPropertyGridProperty* top : m_props)
    {
        std::vector<CMFCPropertyGridProperty*> stack{top};
        while (!stack.empty())
        {
            CMFCPropertyGridProperty* p = stack.front();
            stack.erase(stack.begin());
            if (p->GetData() == dwData)
                return p;
            if (bSearchSubItems)
                for (int i = p->GetSubItemsCount() - 1; i >= 0; --i)
                    stack.insert(stack.begin(), p->GetSubItem(i));
        }
    }
    return nullptr;
}

void CMFCPropertyGridCtrl::SetCurSel(CMFCPropertyGridProperty* pProp, BOOL)
{
    m_pSel = pProp;
    if (QTreeWidgetItem* item = ItemOf(pProp))
        m_pTree->setCurrentItem(item);
}

void CMFCPropertyGridCtrl::ExpandAll(BOOL bExpand)
{
    for (CMFCPropertyGridProperty* top : m_props)
    {
        std::vector<CMFCPropertyGridProperty*> stack{top};
        while (!stack.empty())
        {
            CMFCPropertyGridProperty* p = stack.back();
            stack.pop_back();
            p->m_bExpanded = bExpand != FALSE;
            for (int i = 0; i < p->GetSubItemsCount(); ++i)
                stack.push_back(p->GetSubItem(i));
        }
    }
    Rebuild();
}

void CMFCPropertyGridCtrl::EnableHeaderCtrl(BOOL bHeader, LPCTSTR lpszLeftColumn, LPCTSTR lpszRightColumn)
{
    m_bHeaderCtrl = bHeader != FALSE;
    m_strLeftTitle = lpszLeftColumn ? lpszLeftColumn : "";
    m_strRightTitle = lpszRightColumn ? lpszRightColumn : "";
    Rebuild();
}

void CMFCPropertyGridCtrl::EnableDescriptionArea(BOOL bEnable)
{
    m_bDescriptionArea = bEnable != FALSE;
    if (m_pDescription)
        m_pDescription->setVisible(m_bDescriptionArea);
}

void CMFCPropertyGridCtrl::SetVSDotNetLook(BOOL bSet)
{
    m_bVSDotNetLook = bSet != FALSE;
    Rebuild();
}

void CMFCPropertyGridCtrl::SetGroupNameFullWidth(BOOL bGroupNameFullWidth, BOOL)
{
    m_bGroupNameFullWidth = bGroupNameFullWidth != FALSE;
    Rebuild();
}

void CMFCPropertyGridCtrl::MarkModifiedProperties(BOOL bMark, BOOL)
{
    m_bMarkModified = bMark != FALSE;
    Rebuild();
}

void CMFCPropertyGridCtrl::SetBoolLabels(LPCTSTR lpszTrue, LPCTSTR lpszFalse)
{
    m_strTrue = lpszTrue ? lpszTrue : "True";
    m_strFalse = lpszFalse ? lpszFalse : "False";
    Rebuild();
}

void CMFCPropertyGridCtrl::SetCustomColors(COLORREF clrBackground, COLORREF clrText, COLORREF clrGroupBackground,
                                           COLORREF clrGroupText, COLORREF clrDescriptionBackground,
                                           COLORREF clrDescriptionText, COLORREF clrLine)
{
    m_clrBackground = clrBackground;
    m_clrText = clrText;
    m_clrGroupBackground = clrGroupBackground;
    m_clrGroupText = clrGroupText;
    m_clrDescriptionBackground = clrDescriptionBackground;
    m_clrDescriptionText = clrDescriptionText;
    m_clrLine = clrLine;
    Rebuild();
}

void CMFCPropertyGridCtrl::GetCustomColors(COLORREF& clrBackground, COLORREF& clrText, COLORREF& clrGroupBackground,
                                           COLORREF& clrGroupText, COLORREF& clrDescriptionBackground,
                                           COLORREF& clrDescriptionText, COLORREF& clrLine) const
{
    clrBackground = m_clrBackground;
    clrText = m_clrText;
    clrGroupBackground = m_clrGroupBackground;
    clrGroupText = m_clrGroupText;
    clrDescriptionBackground = m_clrDescriptionBackground;
    clrDescriptionText = m_clrDescriptionText;
    clrLine = m_clrLine;
}

int CMFCPropertyGridCtrl::GetWholeNamesWidth() const
{
    return m_pNameFitter ? static_cast<CNameColumnFitter*>(m_pNameFitter)->WholeNamesWidth() : 0;
}

int CMFCPropertyGridCtrl::GetRowHeight() const
{
    const QFontMetrics metrics(m_pTree ? m_pTree->font() : QFont());
    return metrics.height() + 4;
}

int CMFCPropertyGridCtrl::ValueDrawingHeight() const
{
    return std::max(8, GetRowHeight() - 6);
}

int CMFCPropertyGridCtrl::GetLeftColumnWidth() const
{
    return m_pTree ? std::max(0, m_pTree->header()->sectionViewportPosition(1)) : 0;
}

void CMFCPropertyGridCtrl::AdjustLayout()
{
    Rebuild();
}

void CMFCPropertyGridCtrl::OnPropertyChanged(CMFCPropertyGridProperty* pProp) const
{
    CWnd* owner = GetOwner();
    if (owner == nullptr)
        owner = GetParent();
    if (owner != nullptr)
        owner->SendMessage(AFX_WM_PROPERTY_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(pProp));
}

BOOL CMFCPropertyGridCtrl::EditProperty(CMFCPropertyGridProperty* pProp, const CString& text)
{
    if (pProp == nullptr || pProp->IsGroup() || !pProp->IsEnabled() || pProp->GetGrid() != this)
        return FALSE;
    if (!pProp->OnEdit(nullptr))
        return FALSE;
    if (pProp->GetOptionCount() == 0 && !pProp->IsAllowEdit() && !pProp->IsSpinEnabled())
        return FALSE;
    pProp->SetEditText(text);
    const BOOL ok = pProp->OnUpdateValue();
    // The owner's handler may have rebuilt the grid and deleted the item.
    if (ok && ItemOf(pProp))
        pProp->OnEndEdit();
    return ok;
}

QTreeWidgetItem* CMFCPropertyGridCtrl::ItemOf(const CMFCPropertyGridProperty* pProp) const
{
    if (m_pTree == nullptr || pProp == nullptr)
        return nullptr;
    QTreeWidgetItemIterator it(m_pTree);
    for (; *it; ++it)
        if ((*it)->data(0, kPropRole).value<void*>() == pProp)
            return *it;
    return nullptr;
}

CRect CMFCPropertyGridCtrl::GetShownValueRect(const CMFCPropertyGridProperty* pProp) const
{
    QTreeWidgetItem* item = ItemOf(pProp);
    if (item == nullptr)
        return CRect();
    const QRect cell = m_pTree->visualRect(m_pTree->indexFromItem(item, 1));
    return cell.isValid() ? CRect(cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1) : CRect();
}

CString CMFCPropertyGridCtrl::GetShownName(const CMFCPropertyGridProperty* pProp) const
{
    QTreeWidgetItem* item = ItemOf(pProp);
    return item ? FromQ(item->text(0)) : CString();
}

CString CMFCPropertyGridCtrl::GetShownValue(const CMFCPropertyGridProperty* pProp) const
{
    QTreeWidgetItem* item = ItemOf(pProp);
    return item ? FromQ(item->text(1)) : CString();
}

BOOL CMFCPropertyGridCtrl::IsShownEnabled(const CMFCPropertyGridProperty* pProp) const
{
    QTreeWidgetItem* item = ItemOf(pProp);
    return item && !item->isDisabled();
}

BOOL CMFCPropertyGridCtrl::IsShownVisible(const CMFCPropertyGridProperty* pProp) const
{
    QTreeWidgetItem* item = ItemOf(pProp);
    return item && !item->isHidden();
}

BOOL CMFCPropertyGridCtrl::IsShownBold(const CMFCPropertyGridProperty* pProp) const
{
    QTreeWidgetItem* item = ItemOf(pProp);
    return item && item->font(1).bold();
}

CString CMFCPropertyGridCtrl::GetShownDescription() const
{
    return m_pDescription ? FromQ(m_pDescription->text()) : CString();
}

void CMFCPropertyGridCtrl::Forget(CMFCPropertyGridProperty* pProp)
{
    if (m_pSel == pProp)
        m_pSel = nullptr;
    if (QTreeWidgetItem* item = ItemOf(pProp))
    {
        m_bInRebuild = true;
        delete item;
        m_bInRebuild = false;
    }
    auto it = std::find(m_props.begin(), m_props.end(), pProp);
    if (it != m_props.end())
        m_props.erase(it);
}

void CMFCPropertyGridCtrl::ShowItem(CMFCPropertyGridProperty* pProp, QTreeWidgetItem* item)
{
    // The view lays its rows out again at each change of a row's hidden or spanning state, even
    // to the state it had: those are set only when they change, as a device's row is shown
    // again at every reading.
    item->setText(0, ToQ(CString(pProp->GetName())));
    item->setToolTip(0, ToQ(pProp->GetDescription()));
    if (item->isHidden() != !pProp->IsVisible())
        item->setHidden(!pProp->IsVisible());
    if (item->isDisabled() != !pProp->IsEnabled())
        item->setDisabled(!pProp->IsEnabled());
    auto span = [item](bool spanned) {
        if (item->isFirstColumnSpanned() != spanned)
            item->setFirstColumnSpanned(spanned);
    };
    if (pProp->IsGroup())
    {
        span(m_bVSDotNetLook && m_bGroupNameFullWidth);
        QFont bold = m_pTree->font();
        bold.setBold(true);
        item->setFont(0, bold);
        for (int c = 0; c < 2; ++c)
        {
            item->setBackground(c, ToQColor(m_clrGroupBackground));
            item->setForeground(c, ToQColor(m_clrGroupText));
        }
        COLORREF markText = 0, markBack = 0;
        if (pProp->GetMarkColours(markText, markBack))
            for (int c = 0; c < 2; ++c)
            {
                item->setBackground(c, ToQColor(markBack));
                item->setForeground(c, ToQColor(markText));
            }
        item->setExpanded(pProp->IsExpanded());
        return;
    }
    span(pProp->IsFullRow() != FALSE);
    item->setText(1, ToQ(pProp->FormatProperty()));
    QFont font = m_pTree->font();
    font.setBold(m_bMarkModified && pProp->IsModified());
    item->setFont(1, font);
    for (int c = 0; c < 2; ++c)
    {
        item->setBackground(c, ToQColor(m_clrBackground));
        item->setForeground(c, ToQColor(m_clrText));
    }
    COLORREF markText = 0, markBack = 0;
    if (pProp->GetMarkColours(markText, markBack))
    {
        item->setBackground(1, ToQColor(markBack));
        item->setForeground(1, ToQColor(markText));
    }
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (pProp->IsEnabled())
        flags |= Qt::ItemIsEnabled;
    if (pProp->IsEnabled() &&
        (pProp->IsAllowEdit() || pProp->GetOptionCount() > 0 || pProp->HasButton() || pProp->IsSpinEnabled()))
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    if (pProp->HasValueDrawing())
    {
        const int h = ValueDrawingHeight();
        QImage image(2 * h, h, QImage::Format_RGB32);
        image.fill(ToQColor(m_clrBackground));
        {
            QPainter painter(&image);
            CDC dc;
            dc.Attach(&painter);
            pProp->OnDrawValue(&dc, CRect(0, 0, 2 * h, h));
        }
        item->setIcon(1, QIcon(QPixmap::fromImage(image)));
    }
    item->setExpanded(pProp->IsExpanded());
}

void CMFCPropertyGridCtrl::AddTreeItem(CMFCPropertyGridProperty* pProp, QTreeWidgetItem* parent)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_pTree);
    item->setData(0, kPropRole, QVariant::fromValue<void*>(pProp));
    item->setData(1, kPropRole, QVariant::fromValue<void*>(pProp));
    for (int i = 0; i < pProp->GetSubItemsCount(); ++i)
        AddTreeItem(pProp->GetSubItem(i), item);
    ShowItem(pProp, item);
}

void CMFCPropertyGridCtrl::Rebuild()
{
    if (m_pTree == nullptr)
        return;
    m_bInRebuild = true;
    m_pTree->clear();
    m_pTree->setHeaderHidden(!m_bHeaderCtrl);
    m_pTree->setHeaderLabels({ToQ(m_strLeftTitle), ToQ(m_strRightTitle)});
    // Value drawings show at the size they were drawn, not squeezed into a small icon.
    m_pTree->setIconSize(QSize(2 * ValueDrawingHeight(), ValueDrawingHeight()));
    for (CMFCPropertyGridProperty* p : m_props)
        AddTreeItem(p, nullptr);
    ApplyColours();
    if (m_pNameFitter)
        static_cast<CNameColumnFitter*>(m_pNameFitter)->Fit();
    m_bInRebuild = false;
    if (QTreeWidgetItem* item = ItemOf(m_pSel))
        m_pTree->setCurrentItem(item);
    else
        m_pSel = nullptr;
}

void CMFCPropertyGridCtrl::RefreshItem(CMFCPropertyGridProperty* pProp)
{
    if (QTreeWidgetItem* item = ItemOf(pProp))
    {
        m_bInRebuild = true;
        const QString name = item->text(0);
        const bool hidden = item->isHidden();
        ShowItem(pProp, item);
        // The names' widths change only with a name or with what shows.
        if (m_pNameFitter && (item->text(0) != name || item->isHidden() != hidden))
            static_cast<CNameColumnFitter*>(m_pNameFitter)->Fit();
        m_bInRebuild = false;
    }
}

void CMFCPropertyGridCtrl::ApplyColours()
{
    if (m_pTree == nullptr)
        return;
    QPalette palette = m_pTree->palette();
    palette.setColor(QPalette::Base, ToQColor(m_clrBackground));
    palette.setColor(QPalette::Window, ToQColor(m_clrLine));
    palette.setColor(QPalette::Text, ToQColor(m_clrText));
    m_pTree->setPalette(palette);
    if (m_pDescription)
    {
        QPalette d = m_pDescription->palette();
        d.setColor(QPalette::Window, ToQColor(m_clrDescriptionBackground));
        d.setColor(QPalette::WindowText, ToQColor(m_clrDescriptionText));
        m_pDescription->setPalette(d);
        m_pDescription->setVisible(m_bDescriptionArea);
    }
}
