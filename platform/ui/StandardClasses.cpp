// Plain built-in versions of the standard window classes, so that dialog templates work
// with every item kind; the control classes register fuller versions under the same names,
// which take precedence. Also the dialog window class ("#32770").
#include "platform/core/SysColor.h"
#include "platform/ui/WndPrivate.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <cstring>

void AddBuiltinClass(const char* name, AFX_CONTROL_FACTORY factory, AFX_CONTROL_PROC proc,
                     bool layerPainted = false);

namespace
{
CString TextOf(LPARAM lParam)
{
    return lParam ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString();
}

// WM_GETTEXT / WM_GETTEXTLENGTH from a QString.
BOOL AnswerText(const QString& text, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const CString s = CString::FromQString(text);
    if (message == WM_GETTEXTLENGTH)
    {
        *pResult = s.GetLength();
        return TRUE;
    }
    auto* buffer = reinterpret_cast<LPTSTR>(lParam);
    const int nMax = static_cast<int>(wParam);
    if (!buffer || nMax <= 0)
    {
        *pResult = 0;
        return TRUE;
    }
    const int n = s.GetLength() < nMax - 1 ? s.GetLength() : nMax - 1;
    std::memcpy(buffer, s.GetString(), static_cast<size_t>(n));
    buffer[n] = '\0';
    *pResult = n;
    return TRUE;
}

QString FromWindowsText(const CString& text)
{
    // '&' marks a mnemonic in Windows captions, as in Qt's.
    return text.ToQString();
}

// ----- Button ---------------------------------------------------------------------------

QWidget* MakeButton(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    const DWORD type = static_cast<DWORD>(cs.style) & BS_TYPEMASK;
    QAbstractButton* button = nullptr;
    switch (type)
    {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE: {
        auto* box = new QCheckBox(parent);
        box->setTristate(type == BS_3STATE || type == BS_AUTO3STATE);
        box->setAutoExclusive(false);
        button = box;
        break;
    }
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);
        button = radio;
        break;
    }
    case BS_GROUPBOX:
        return new QGroupBox(parent);
    default: {
        auto* push = new QPushButton(parent);
        push->setAutoDefault(false);
        push->setDefault(type == BS_DEFPUSHBUTTON);
        button = push;
        break;
    }
    }
    // Non-automatic check boxes and radio buttons change only when told (BM_SETCHECK).
    const bool automatic = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
    if ((type == BS_CHECKBOX || type == BS_3STATE || type == BS_RADIOBUTTON))
        button->setCheckable(true);
    QObject::connect(button, &QAbstractButton::clicked, button, [hWnd, button, type, automatic](bool) {
        if (!automatic && (type == BS_CHECKBOX || type == BS_3STATE || type == BS_RADIOBUTTON))
        {
            // Undo Qt's own toggle: the program decides the check.
            QSignalBlocker block(button);
            button->setChecked(!button->isChecked());
        }
        if (type == BS_AUTORADIOBUTTON)
        {
            // Clear the other automatic radio buttons of the group.
            CWnd* self = CWnd::FromHandle(hWnd);
            CWnd* parentWnd = self ? self->GetParent() : nullptr;
            if (parentWnd)
            {
                std::vector<CWnd*> group;
                for (CWnd* w = parentWnd->GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT))
                {
                    if (w->GetStyle() & WS_GROUP)
                    {
                        if (std::find(group.begin(), group.end(), self) != group.end())
                            break;
                        group.clear();
                    }
                    group.push_back(w);
                }
                for (CWnd* w : group)
                    if (w != self && (w->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
                        w->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
            }
            button->setChecked(true);
        }
        AfxNotifyParent(hWnd, BN_CLICKED);
    });
    return button;
}

BOOL ButtonProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    QWidget* w = pWnd->GetWidget();
    auto* button = qobject_cast<QAbstractButton*>(w);
    auto* group = qobject_cast<QGroupBox*>(w);
    switch (message)
    {
    case WM_SETTEXT:
        if (button)
            button->setText(FromWindowsText(TextOf(lParam)));
        else if (group)
            group->setTitle(FromWindowsText(TextOf(lParam)));
        *pResult = TRUE;
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return AnswerText(button  ? button->text()
                          : group ? group->title()
                                  : QString(),
                          message, wParam, lParam, pResult);
    case BM_GETCHECK: {
        auto* box = qobject_cast<QCheckBox*>(w);
        if (box && box->isTristate())
            *pResult = box->checkState() == Qt::PartiallyChecked ? BST_INDETERMINATE
                       : box->checkState() == Qt::Checked        ? BST_CHECKED
                                                                 : BST_UNCHECKED;
        else
            *pResult = button && button->isCheckable() && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        return TRUE;
    }
    case BM_SETCHECK:
        if (button && button->isCheckable())
        {
            QSignalBlocker block(button);
            auto* box = qobject_cast<QCheckBox*>(w);
            if (box && box->isTristate())
                box->setCheckState(wParam == BST_INDETERMINATE ? Qt::PartiallyChecked
                                   : wParam == BST_CHECKED     ? Qt::Checked
                                                               : Qt::Unchecked);
            else
                button->setChecked(wParam == BST_CHECKED);
        }
        *pResult = 0;
        return TRUE;
    case BM_CLICK:
        if (button && button->isEnabled())
            button->click();
        *pResult = 0;
        return TRUE;
    case WM_GETDLGCODE: {
        const DWORD type = pWnd->GetStyle() & BS_TYPEMASK;
        UINT code = DLGC_BUTTON;
        if (type == BS_DEFPUSHBUTTON)
            code |= DLGC_DEFPUSHBUTTON;
        else if (type == BS_PUSHBUTTON || type == BS_OWNERDRAW)
            code |= DLGC_UNDEFPUSHBUTTON;
        else if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            code |= DLGC_RADIOBUTTON;
        *pResult = code;
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// ----- Edit -----------------------------------------------------------------------------

QWidget* MakeEdit(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    const DWORD style = static_cast<DWORD>(cs.style);
    if (style & ES_MULTILINE)
    {
        auto* edit = new QPlainTextEdit(parent);
        edit->setReadOnly((style & ES_READONLY) != 0);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit,
                         [hWnd] { AfxNotifyParent(hWnd, EN_CHANGE); });
        return edit;
    }
    auto* edit = new QLineEdit(parent);
    edit->setReadOnly((style & ES_READONLY) != 0);
    edit->setFrame((cs.dwExStyle & WS_EX_CLIENTEDGE) != 0 || (style & WS_BORDER) != 0);
    if (style & ES_PASSWORD)
        edit->setEchoMode(QLineEdit::Password);
    edit->setAlignment((style & ES_RIGHT)    ? Qt::AlignRight
                       : (style & ES_CENTER) ? Qt::AlignHCenter
                                             : Qt::AlignLeft);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [hWnd] { AfxNotifyParent(hWnd, EN_CHANGE); });
    return edit;
}

BOOL EditProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    QWidget* w = pWnd->GetWidget();
    auto* line = qobject_cast<QLineEdit*>(w);
    auto* plain = qobject_cast<QPlainTextEdit*>(w);
    switch (message)
    {
    case WM_SETTEXT: {
        const QString text = TextOf(lParam).ToQString();
        if (line)
            line->setText(text);
        else if (plain)
            plain->setPlainText(QString(text).replace("\r\n", "\n"));
        *pResult = TRUE;
        return TRUE;
    }
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return AnswerText(line    ? line->text()
                          : plain ? plain->toPlainText().replace("\n", "\r\n")
                                  : QString(),
                          message, wParam, lParam, pResult);
    case EM_SETSEL:
        if (line)
        {
            const int len = static_cast<int>(line->text().size());
            int start = static_cast<int>(static_cast<intptr_t>(wParam));
            int end = static_cast<int>(lParam);
            if (start < 0)
            {
                line->deselect();
                *pResult = 0;
                return TRUE;
            }
            if (end < 0 || end > len)
                end = len;
            if (start > len)
                start = len;
            line->setSelection(start, end - start);
        }
        *pResult = 0;
        return TRUE;
    case WM_GETDLGCODE:
        *pResult = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS |
                   ((pWnd->GetStyle() & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN)
                        ? DLGC_WANTALLKEYS
                        : 0);
        return TRUE;
    default:
        return FALSE;
    }
}

// ----- Static ---------------------------------------------------------------------------

QWidget* MakeStatic(HWND, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* label = new QLabel(parent);
    const DWORD type = static_cast<DWORD>(cs.style) & SS_TYPEMASK;
    label->setAlignment((type == SS_CENTER  ? Qt::AlignHCenter
                         : type == SS_RIGHT ? Qt::AlignRight
                                            : Qt::AlignLeft) |
                        Qt::AlignTop);
    label->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    if (type == SS_ETCHEDHORZ || type == SS_ETCHEDVERT || type == SS_ETCHEDFRAME || type == SS_BLACKFRAME ||
        type == SS_GRAYFRAME || type == SS_WHITEFRAME)
        label->setFrameStyle(QFrame::Box | QFrame::Sunken);
    return label;
}

BOOL StaticProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* label = qobject_cast<QLabel*>(pWnd->GetWidget());
    switch (message)
    {
    case WM_SETTEXT:
        if (label)
            label->setText(TextOf(lParam).ToQString());
        *pResult = TRUE;
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return AnswerText(label ? label->text() : QString(), message, wParam, lParam, pResult);
    case WM_GETDLGCODE:
        *pResult = DLGC_STATIC;
        return TRUE;
    default:
        return FALSE;
    }
}

// ----- Combo box and list box -------------------------------------------------------------

QWidget* MakeCombo(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    const DWORD type = static_cast<DWORD>(cs.style) & 0x3;
    combo->setEditable(type == CBS_DROPDOWN || type == CBS_SIMPLE);
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), combo,
                     [hWnd](int) { AfxNotifyParent(hWnd, CBN_SELCHANGE); });
    return combo;
}

BOOL ComboProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* combo = qobject_cast<QComboBox*>(pWnd->GetWidget());
    if (!combo)
        return FALSE;
    switch (message)
    {
    case CB_ADDSTRING:
        combo->addItem(TextOf(lParam).ToQString());
        *pResult = combo->count() - 1;
        return TRUE;
    case CB_INSERTSTRING: {
        const int at = static_cast<int>(static_cast<intptr_t>(wParam));
        combo->insertItem(at < 0 ? combo->count() : at, TextOf(lParam).ToQString());
        *pResult = at < 0 ? combo->count() - 1 : at;
        return TRUE;
    }
    case CB_RESETCONTENT:
        combo->clear();
        *pResult = 0;
        return TRUE;
    case CB_GETCOUNT:
        *pResult = combo->count();
        return TRUE;
    case CB_GETCURSEL:
        *pResult = combo->currentIndex();
        return TRUE;
    case CB_SETCURSEL: {
        const int at = static_cast<int>(static_cast<intptr_t>(wParam));
        QSignalBlocker block(combo);
        combo->setCurrentIndex(at >= 0 && at < combo->count() ? at : -1);
        *pResult = at >= 0 && at < combo->count() ? at : CB_ERR;
        return TRUE;
    }
    case CB_GETLBTEXT: {
        const int at = static_cast<int>(wParam);
        if (at < 0 || at >= combo->count())
        {
            *pResult = CB_ERR;
            return TRUE;
        }
        const CString s = CString::FromQString(combo->itemText(at));
        if (lParam)
            std::memcpy(reinterpret_cast<char*>(lParam), s.GetString(),
                        static_cast<size_t>(s.GetLength()) + 1);
        *pResult = s.GetLength();
        return TRUE;
    }
    case WM_SETTEXT:
        if (combo->isEditable())
            combo->setEditText(TextOf(lParam).ToQString());
        *pResult = TRUE;
        return TRUE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
        return AnswerText(combo->currentText(), message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

QWidget* MakeList(HWND hWnd, const CREATESTRUCT&, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    QObject::connect(list, &QListWidget::currentRowChanged, list,
                     [hWnd](int) { AfxNotifyParent(hWnd, LBN_SELCHANGE); });
    return list;
}

BOOL ListProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* list = qobject_cast<QListWidget*>(pWnd->GetWidget());
    if (!list)
        return FALSE;
    switch (message)
    {
    case LB_ADDSTRING:
        list->addItem(TextOf(lParam).ToQString());
        *pResult = list->count() - 1;
        return TRUE;
    case LB_RESETCONTENT:
        list->clear();
        *pResult = 0;
        return TRUE;
    case LB_GETCOUNT:
        *pResult = list->count();
        return TRUE;
    case LB_GETCURSEL:
        *pResult = list->currentRow();
        return TRUE;
    case LB_SETCURSEL: {
        QSignalBlocker block(list);
        list->setCurrentRow(static_cast<int>(static_cast<intptr_t>(wParam)));
        *pResult = list->currentRow();
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// ----- Progress bar, track bar, up-down ------------------------------------------------------

QWidget* MakeProgress(HWND, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* bar = new QProgressBar(parent);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    if (static_cast<DWORD>(cs.style) & PBS_VERTICAL)
        bar->setOrientation(Qt::Vertical);
    return bar;
}

BOOL ProgressProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* bar = qobject_cast<QProgressBar*>(pWnd->GetWidget());
    if (!bar)
        return FALSE;
    switch (message)
    {
    case PBM_SETRANGE:
        *pResult = MAKELONG(static_cast<WORD>(bar->minimum()), static_cast<WORD>(bar->maximum()));
        bar->setRange(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case PBM_SETRANGE32:
        *pResult = MAKELONG(static_cast<WORD>(bar->minimum()), static_cast<WORD>(bar->maximum()));
        bar->setRange(static_cast<int>(wParam), static_cast<int>(lParam));
        return TRUE;
    case PBM_SETPOS:
        *pResult = bar->value();
        bar->setValue(static_cast<int>(wParam));
        return TRUE;
    case PBM_GETPOS:
        *pResult = bar->value();
        return TRUE;
    default:
        return FALSE;
    }
}

QWidget* MakeTrackBar(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    const bool vertical = (static_cast<DWORD>(cs.style) & TBS_VERT) != 0;
    auto* slider = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
    slider->setRange(0, 100);
    QObject::connect(slider, &QSlider::valueChanged, slider, [hWnd, vertical](int value) {
        CWnd* self = CWnd::FromHandle(hWnd);
        CWnd* parentWnd = self ? self->GetParent() : nullptr;
        if (parentWnd)
            parentWnd->SendMessage(vertical ? WM_VSCROLL : WM_HSCROLL,
                                   MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(value)),
                                   reinterpret_cast<LPARAM>(hWnd));
    });
    return slider;
}

BOOL TrackBarProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* slider = qobject_cast<QSlider*>(pWnd->GetWidget());
    if (!slider)
        return FALSE;
    QSignalBlocker block(slider);
    switch (message)
    {
    case TBM_GETPOS:
        *pResult = slider->value();
        return TRUE;
    case TBM_SETPOS:
        slider->setValue(static_cast<int>(lParam));
        *pResult = 0;
        return TRUE;
    case TBM_SETRANGE:
        slider->setRange(LOWORD(lParam), HIWORD(lParam));
        *pResult = 0;
        return TRUE;
    case TBM_GETRANGEMIN:
        *pResult = slider->minimum();
        return TRUE;
    case TBM_GETRANGEMAX:
        *pResult = slider->maximum();
        return TRUE;
    default:
        return FALSE;
    }
}

QWidget* MakeUpDown(HWND hWnd, const CREATESTRUCT&, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(0, 100);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    return spin;
}

BOOL UpDownProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* spin = qobject_cast<QSpinBox*>(pWnd->GetWidget());
    if (!spin)
        return FALSE;
    QSignalBlocker block(spin);
    switch (message)
    {
    case UDM_SETRANGE32:
        spin->setRange(static_cast<int>(wParam), static_cast<int>(lParam));
        *pResult = 0;
        return TRUE;
    case UDM_SETPOS32:
        *pResult = spin->value();
        spin->setValue(static_cast<int>(lParam));
        return TRUE;
    case UDM_GETPOS32:
        *pResult = spin->value();
        return TRUE;
    default:
        return FALSE;
    }
}

// ----- Dialog ---------------------------------------------------------------------------

QWidget* MakeDialog(HWND, const CREATESTRUCT& cs, QWidget* parent)
{
    if (static_cast<DWORD>(cs.style) & WS_CHILD)
    {
        auto* w = new QWidget(parent);
        w->setFocusPolicy(Qt::NoFocus);
        return w;
    }
    auto* dialog = new QDialog(parent);
    dialog->setModal(false);
    dialog->setSizeGripEnabled(false);
    return dialog;
}

BOOL DialogProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWndBridge* b = CWndBridge::FromHandle(pWnd->GetSafeHwnd());
    switch (message)
    {
    case WM_ERASEBKGND: {
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        if (!pDC)
            return FALSE;
        // A dialog is erased with the brush its WM_CTLCOLORDLG gives.
        auto brush = reinterpret_cast<HBRUSH>(
            pWnd->SendMessage(WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(pWnd->GetSafeHwnd())));
        if (!brush)
            brush = GetSysColorBrush(COLOR_3DFACE);
        CRect rc;
        pWnd->GetClientRect(&rc);
        pDC->FillRect(&rc, CBrush::FromHandle(brush));
        *pResult = TRUE;
        return TRUE;
    }
    case DM_GETDEFID:
        *pResult = b && b->defaultId
                       ? static_cast<LRESULT>(MAKELONG(static_cast<WORD>(b->defaultId), DC_HASDEFID))
                       : 0;
        return TRUE;
    case DM_SETDEFID:
        if (b)
            b->defaultId = static_cast<UINT>(wParam);
        *pResult = TRUE;
        return TRUE;
    case WM_CLOSE: {
        // Closing a dialog is its Cancel.
        CWnd* cancel = pWnd->GetDlgItem(IDCANCEL);
        if (cancel && !cancel->IsWindowEnabled())
        {
            *pResult = 0;
            return TRUE;
        }
        pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                          reinterpret_cast<LPARAM>(cancel ? cancel->GetSafeHwnd() : nullptr));
        *pResult = 0;
        return TRUE;
    }
    default:
        return FALSE;
    }
}
} // namespace

void RegisterStandardClasses()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    AddBuiltinClass(WC_BUTTON, &MakeButton, &ButtonProc);
    AddBuiltinClass(WC_EDIT, &MakeEdit, &EditProc);
    AddBuiltinClass(WC_STATIC, &MakeStatic, &StaticProc);
    AddBuiltinClass(WC_COMBOBOX, &MakeCombo, &ComboProc);
    AddBuiltinClass(WC_LISTBOX, &MakeList, &ListProc);
    AddBuiltinClass(PROGRESS_CLASS, &MakeProgress, &ProgressProc);
    AddBuiltinClass(TRACKBAR_CLASS, &MakeTrackBar, &TrackBarProc);
    AddBuiltinClass(UPDOWN_CLASS, &MakeUpDown, &UpDownProc);
    AddBuiltinClass("#32770", &MakeDialog, &DialogProc, true);
}
