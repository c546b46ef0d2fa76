#include "platform/ui/Edit.h"
#include "platform/ui/QtText.h"
#include "platform/ui/ForwardingViewport.h"

#include "platform/ui/Static.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <functional>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

namespace
{
constexpr int kSingleLineMaxLimit = 0x7FFFFFFE;
constexpr int kDefaultLimit = 30000;

// What the window class needs of either edit widget, in Windows terms: Windows-1252 text
// with CR LF line breaks, and positions in that text.
class EditOps
{
public:
    explicit EditOps(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~EditOps() = default;

    virtual QWidget* Widget() = 0;
    virtual bool Multi() const = 0;
    virtual CString Text() const = 0;
    virtual void SetText(const CString& text) = 0;
    virtual void GetSel(int& start, int& end) const = 0;
    // The caret ends at `end`.
    virtual void SetSel(int start, int end) = 0;
    virtual void Insert(const CString& text) = 0;
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool Modified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual bool CanUndo() const = 0;
    virtual void Undo() = 0;
    virtual void ClearUndo() = 0;
    virtual int FirstVisibleLine() const = 0;
    virtual void Scroll(int lines, int chars) = 0;
    virtual void ScrollCaret() = 0;
    virtual QPoint PosOf(int index) const = 0;
    virtual int IndexAt(QPoint point) const = 0;
    virtual void SetAlignment(Qt::Alignment alignment) = 0;
    virtual void SetPassword(bool on) = 0;
    // A widget inside the control that gets the mouse (a scroll area's viewport), or null.
    virtual QWidget* InnerWidget() { return nullptr; }

    int Length() const { return Text().GetLength(); }

    // Lines of the Windows text: [start, end) of each, without their CR LF.
    std::vector<std::pair<int, int>> Lines() const
    {
        const CString text = Text();
        std::vector<std::pair<int, int>> lines;
        int start = 0;
        for (int i = 0; i < text.GetLength(); ++i)
            if (text[i] == '\n')
            {
                const int end = (i > start && text[i - 1] == '\r') ? i - 1 : i;
                lines.emplace_back(start, end);
                start = i + 1;
            }
        lines.emplace_back(start, text.GetLength());
        return lines;
    }
    int LineOf(int index) const
    {
        const auto lines = Lines();
        for (size_t i = 0; i < lines.size(); ++i)
            if (index <= lines[i].second || i + 1 == lines.size() || index < lines[i + 1].first)
                return static_cast<int>(i);
        return static_cast<int>(lines.size()) - 1;
    }

    void Notify(UINT code)
    {
        if (IsWindow(m_hWnd))
            AfxNotifyParent(m_hWnd, code);
    }
    // EN_UPDATE, EN_CHANGE after a change of the text, unless it is a silent one.
    void TextChanged()
    {
        if (m_silent > 0)
            return;
        Notify(EN_UPDATE);
        Notify(EN_CHANGE);
    }

    HWND m_hWnd;
    int m_limit = kDefaultLimit;
    int m_silent = 0;
    char m_passwordChar = 0;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    bool m_innerAdded = false;
};

struct Silent
{
    explicit Silent(EditOps* ops) : m_ops(ops) { ++m_ops->m_silent; }
    ~Silent() { --m_ops->m_silent; }
    EditOps* m_ops;
};

class LineEdit : public QLineEdit, public EditOps
{
public:
    LineEdit(HWND hWnd, QWidget* parent) : QLineEdit(parent), EditOps(hWnd)
    {
        // The control's own limit applies to typing and pasting only (QLineEdit's would cut
        // text that is set).
        setMaxLength(32767);
        setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
    }

    QWidget* Widget() override { return this; }
    bool Multi() const override { return false; }
    CString Text() const override { return FromQ(text()); }
    void SetText(const CString& value) override { setText(ToQ(value)); }
    void GetSel(int& start, int& end) const override
    {
        if (hasSelectedText())
        {
            start = selectionStart();
            end = selectionEnd();
        }
        else
            start = end = cursorPosition();
    }
    void SetSel(int start, int end) override
    {
        if (start == end)
        {
            deselect();
            setCursorPosition(end);
        }
        else
            setSelection(start, end - start);
    }
    void Insert(const CString& value) override
    {
        if (value.IsEmpty())
        {
            if (hasSelectedText())
                del();
        }
        else
            insert(ToQ(value));
    }
    bool ReadOnly() const override { return isReadOnly(); }
    void SetReadOnly(bool on) override { setReadOnly(on); }
    bool Modified() const override { return isModified(); }
    void SetModified(bool on) override { setModified(on); }
    bool CanUndo() const override { return isUndoAvailable(); }
    void Undo() override { undo(); }
    void ClearUndo() override
    {
        // Setting the text is the one way to drop QLineEdit's undo history.
        Silent silent(this);
        const bool modified = isModified();
        int start = 0, end = 0;
        GetSel(start, end);
        setText(text());
        SetSel(start, end);
        setModified(modified);
    }
    int FirstVisibleLine() const override { return 0; }
    void Scroll(int, int) override {}
    void ScrollCaret() override {}
    QPoint PosOf(int index) const override
    {
        const QFontMetrics metrics(font());
        const QMargins margins = textMargins();
        const int x = margins.left() + 2 + metrics.horizontalAdvance(text().left(index));
        return QPoint(x, (height() - metrics.height()) / 2);
    }
    int IndexAt(QPoint point) const override { return const_cast<LineEdit*>(this)->cursorPositionAt(point); }
    void SetAlignment(Qt::Alignment a) override { setAlignment(a | Qt::AlignVCenter); }
    void SetPassword(bool on) override { setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        AfxApplyControlColours(m_hWnd, this,
                               (isReadOnly() || !isEnabled()) ? CTLCOLOR_STATIC : CTLCOLOR_EDIT);
        QLineEdit::paintEvent(event);
    }
};

class TextEdit : public QPlainTextEdit, public EditOps
{
public:
    TextEdit(HWND hWnd, QWidget* parent) : QPlainTextEdit(parent), EditOps(hWnd)
    {
        // The document's layout measures with the viewport: it must not see the old one go.
        document()->documentLayout()->setPaintDevice(this);
        setViewport(new ForwardingViewport([this](QEvent* e) { return viewportEvent(e); }));
        document()->documentLayout()->setPaintDevice(viewport());
        setTabChangesFocus(true);
        setContextMenuPolicy(Qt::NoContextMenu);
        setLineWrapMode(QPlainTextEdit::NoWrap);
        QObject::connect(this, &QPlainTextEdit::textChanged, this, [this] { TextChanged(); });
        m_limit = -1;
    }

    QWidget* Widget() override { return this; }
    bool Multi() const override { return true; }
    CString Text() const override
    {
        QString text = toPlainText();
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
        return FromQ(text);
    }
    void SetText(const CString& value) override
    {
        QString text = ToQ(value);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        // Windows sends no EN_CHANGE when a multi-line control's text is set.
        Silent silent(this);
        setPlainText(text);
    }
    // Windows positions count CR LF as two; Qt's count a line break as one.
    int ToWin(int qtPos) const
    {
        const QString text = toPlainText();
        return qtPos + static_cast<int>(text.left(qtPos).count(QLatin1Char('\n')));
    }
    int ToQt(int winPos) const
    {
        const QString text = toPlainText();
        int win = 0;
        for (int i = 0; i < text.size(); ++i)
        {
            const int step = text[i] == QLatin1Char('\n') ? 2 : 1;
            if (win + step > winPos)
                return i;
            win += step;
        }
        return static_cast<int>(text.size());
    }
    void GetSel(int& start, int& end) const override
    {
        const QTextCursor c = textCursor();
        start = ToWin(c.selectionStart());
        end = ToWin(c.selectionEnd());
    }
    void SetSel(int start, int end) override
    {
        QTextCursor c = textCursor();
        c.setPosition(ToQt(start));
        c.setPosition(ToQt(end), QTextCursor::KeepAnchor);
        setTextCursor(c);
    }
    void Insert(const CString& value) override
    {
        QString text = ToQ(value);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        textCursor().insertText(text);
    }
    bool ReadOnly() const override { return isReadOnly(); }
    void SetReadOnly(bool on) override { setReadOnly(on); }
    bool Modified() const override { return document()->isModified(); }
    void SetModified(bool on) override { document()->setModified(on); }
    bool CanUndo() const override { return document()->isUndoAvailable(); }
    void Undo() override { undo(); }
    void ClearUndo() override { document()->clearUndoRedoStacks(); }
    int FirstVisibleLine() const override { return verticalScrollBar()->value(); }
    void Scroll(int lines, int chars) override
    {
        verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() +
                                        chars * QFontMetrics(font()).averageCharWidth());
    }
    void ScrollCaret() override { ensureCursorVisible(); }
    QPoint PosOf(int index) const override
    {
        QTextCursor c(document());
        c.setPosition(ToQt(index));
        const QRect r = cursorRect(c);
        return viewport()->mapTo(this, r.topLeft());
    }
    int IndexAt(QPoint point) const override
    {
        return ToWin(cursorForPosition(viewport()->mapFrom(this, point)).position());
    }
    void SetAlignment(Qt::Alignment a) override
    {
        QTextOption option = document()->defaultTextOption();
        option.setAlignment(a);
        document()->setDefaultTextOption(option);
    }
    void SetPassword(bool) override {}
    QWidget* InnerWidget() override { return viewport(); }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        AfxApplyControlColours(m_hWnd, this,
                               (isReadOnly() || !isEnabled()) ? CTLCOLOR_STATIC : CTLCOLOR_EDIT);
        QPlainTextEdit::paintEvent(event);
    }
};

EditOps* OpsOf(CWnd* pWnd)
{
    return pWnd ? dynamic_cast<EditOps*>(pWnd->GetWidget()) : nullptr;
}

QClipboard* Clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::clipboard()
                                                                        : nullptr;
}

void CopySelection(EditOps* ops)
{
    int start = 0, end = 0;
    ops->GetSel(start, end);
    QClipboard* clipboard = Clipboard();
    if (start == end || !clipboard)
        return;
    QString text = ToQ(ops->Text().Mid(start, end - start));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    clipboard->setText(text);
}

void DeleteSelection(EditOps* ops)
{
    int start = 0, end = 0;
    ops->GetSel(start, end);
    if (start != end && !ops->ReadOnly())
        ops->Insert(CString());
}

// Pastes what fits within the limit; a single-line control takes the first line only.
void PasteLimited(EditOps* ops)
{
    QClipboard* clipboard = Clipboard();
    if (ops->ReadOnly() || !clipboard)
        return;
    QString text = clipboard->text();
    if (ops->Multi())
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
            .replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    else
    {
        const auto br = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
        if (br >= 0)
            text.truncate(br);
    }
    CString paste = FromQ(text);
    if (ops->m_limit >= 0)
    {
        int start = 0, end = 0;
        ops->GetSel(start, end);
        const int room = std::max(0, ops->m_limit - (ops->Length() - (end - start)));
        if (paste.GetLength() > room)
        {
            paste.Truncate(room);
            ops->Notify(EN_MAXTEXT);
        }
    }
    if (!paste.IsEmpty())
        ops->Insert(paste);
}

void ApplyStyle(EditOps* ops, DWORD style, DWORD exStyle)
{
    if (style & ES_RIGHT)
        ops->SetAlignment(Qt::AlignRight);
    else if (style & ES_CENTER)
        ops->SetAlignment(Qt::AlignHCenter);
    else
        ops->SetAlignment(Qt::AlignLeft);
    ops->SetReadOnly((style & ES_READONLY) != 0);
    ops->SetPassword((style & ES_PASSWORD) != 0);
    if (ops->m_passwordChar == 0 && (style & ES_PASSWORD))
        ops->m_passwordChar = '*';
    const bool framed = (style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE);
    if (auto* line = dynamic_cast<QLineEdit*>(ops->Widget()))
        line->setFrame(framed);
    else if (auto* frame = dynamic_cast<QFrame*>(ops->Widget()))
        frame->setFrameShape(framed ? QFrame::StyledPanel : QFrame::NoFrame);
}

QWidget* MakeEdit(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    EditOps* ops = nullptr;
    const DWORD style = static_cast<DWORD>(cs.style);
    if (style & ES_MULTILINE)
    {
        auto* edit = new TextEdit(hWnd, parent);
        edit->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded
                                                                : Qt::ScrollBarAlwaysOff);
        edit->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
        if (!(style & ES_AUTOHSCROLL) && !(style & WS_HSCROLL))
            edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        ops = edit;
    }
    else
        ops = new LineEdit(hWnd, parent);
    ApplyStyle(ops, style, cs.dwExStyle);
    if (cs.lpszName && *cs.lpszName)
    {
        Silent silent(ops);
        ops->SetText(cs.lpszName);
        ops->SetModified(false);
        ops->ClearUndo();
    }
    return ops->Widget();
}

BOOL EditProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    EditOps* ops = OpsOf(pWnd);
    if (!ops)
        return FALSE;
    const HWND hWnd = pWnd->GetSafeHwnd();
    if (!ops->m_innerAdded)
    {
        // Clicks on a multi-line control land on its viewport: they are the control's messages.
        if (QWidget* inner = ops->InnerWidget())
            pWnd->AddInputWidget(inner);
        ops->m_innerAdded = true;
    }
    LRESULT& result = *pResult;
    result = 0;
    switch (message)
    {
    case WM_SETTEXT: {
        // The layer sets the creation text again through here: an equal text changes nothing
        // and notifies nobody.
        const CString text =
            reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "";
        if (text != ops->Text())
            ops->SetText(text);
        ops->SetModified(false);
        result = TRUE;
        return TRUE;
    }
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const int size = static_cast<int>(wParam);
        if (!buffer || size <= 0)
            return TRUE;
        const CString text = ops->Text();
        const int n = std::min(size - 1, text.GetLength());
        std::copy(text.GetString(), text.GetString() + n, buffer);
        buffer[n] = '\0';
        result = n;
        return TRUE;
    }
    case WM_GETTEXTLENGTH:
        result = ops->Length();
        return TRUE;
    case WM_SETFOCUS:
        ops->Notify(EN_SETFOCUS);
        return FALSE;
    case WM_KILLFOCUS:
        ops->Notify(EN_KILLFOCUS);
        return FALSE;
    case WM_GETDLGCODE:
        result = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
        if (ops->Multi() && (GetWindowLong(hWnd, GWL_STYLE) & ES_WANTRETURN))
            result |= DLGC_WANTALLKEYS;
        return TRUE;
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE) || wParam == static_cast<WPARAM>(GWL_EXSTYLE))
            ApplyStyle(ops, static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE)),
                       static_cast<DWORD>(GetWindowLong(hWnd, GWL_EXSTYLE)));
        return FALSE;
    case WM_KEYDOWN: {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        const bool control = GetKeyState(VK_CONTROL) < 0;
        if (wParam == VK_INSERT && shift && !control)
            PasteLimited(ops);
        else if (wParam == VK_DELETE && shift && !control)
        {
            if (!ops->ReadOnly())
            {
                CopySelection(ops);
                DeleteSelection(ops);
            }
        }
        else if (wParam == VK_INSERT && control && !shift)
            CopySelection(ops);
        else
            return FALSE;
        return TRUE;
    }
    case WM_CHAR: {
        const UINT ch = static_cast<UINT>(wParam) & 0xFF;
        switch (ch)
        {
        case 1: // Ctrl+A
            ops->SetSel(0, ops->Length());
            return TRUE;
        case 3: // Ctrl+C
            CopySelection(ops);
            return TRUE;
        case 22: // Ctrl+V
            PasteLimited(ops);
            return TRUE;
        case 24: // Ctrl+X
            if (!ops->ReadOnly())
            {
                CopySelection(ops);
                DeleteSelection(ops);
            }
            return TRUE;
        case 26: // Ctrl+Z
            if (!ops->ReadOnly())
                ops->Undo();
            return TRUE;
        default:
            break;
        }
        const bool typed = ch >= 32 || (ops->Multi() && ch == '\r');
        if (!typed || ops->ReadOnly())
            return FALSE;
        const DWORD style = static_cast<DWORD>(GetWindowLong(hWnd, GWL_STYLE));
        if ((style & ES_NUMBER) && (ch < '0' || ch > '9'))
        {
            MessageBeep(0);
            return TRUE;
        }
        int start = 0, end = 0;
        ops->GetSel(start, end);
        if (ops->m_limit >= 0 && ops->Length() - (end - start) >= ops->m_limit)
        {
            ops->Notify(EN_MAXTEXT);
            return TRUE;
        }
        if ((style & (ES_UPPERCASE | ES_LOWERCASE)) && ch >= 32)
        {
            CString one(static_cast<char>(ch));
            if (style & ES_UPPERCASE)
                one.MakeUpper();
            else
                one.MakeLower();
            ops->Insert(one);
            return TRUE;
        }
        return FALSE;
    }
    case EM_GETSEL: {
        int start = 0, end = 0;
        ops->GetSel(start, end);
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(start);
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(end);
        result = (start > 0xFFFF || end > 0xFFFF) ? -1 : static_cast<LRESULT>(MAKELONG(start, end));
        return TRUE;
    }
    case EM_SETSEL: {
        int start = static_cast<int>(static_cast<intptr_t>(wParam));
        int end = static_cast<int>(lParam);
        const int length = ops->Length();
        if (start == -1)
        {
            int s = 0, e = 0;
            ops->GetSel(s, e);
            ops->SetSel(e, e);
            return TRUE;
        }
        if (end < 0 || end > length)
            end = length;
        start = std::min(std::max(start, 0), length);
        ops->SetSel(start, end);
        if (!(GetWindowLong(hWnd, GWL_STYLE) & ES_MULTILINE))
            ops->ScrollCaret();
        return TRUE;
    }
    case EM_REPLACESEL: {
        const char* text = reinterpret_cast<const char*>(lParam);
        ops->Insert(text ? text : "");
        return TRUE;
    }
    case EM_LIMITTEXT: {
        const int n = static_cast<int>(wParam);
        ops->m_limit = n > 0 ? n : (ops->Multi() ? -1 : kSingleLineMaxLimit);
        return TRUE;
    }
    case EM_GETLIMITTEXT:
        result = ops->m_limit < 0 ? static_cast<LRESULT>(0xFFFFFFFFu) : ops->m_limit;
        return TRUE;
    case EM_SETREADONLY:
        CWnd::ModifyStyle(hWnd, wParam ? 0 : ES_READONLY, wParam ? ES_READONLY : 0, 0);
        ops->SetReadOnly(wParam != 0);
        ops->Widget()->update();
        result = TRUE;
        return TRUE;
    case EM_GETMODIFY:
        result = ops->Modified() ? TRUE : FALSE;
        return TRUE;
    case EM_SETMODIFY:
        ops->SetModified(wParam != 0);
        return TRUE;
    case EM_CANUNDO:
        result = ops->CanUndo() ? TRUE : FALSE;
        return TRUE;
    case EM_UNDO:
    case WM_UNDO:
        result = (!ops->ReadOnly() && ops->CanUndo()) ? TRUE : FALSE;
        if (result)
            ops->Undo();
        return TRUE;
    case EM_EMPTYUNDOBUFFER:
        ops->ClearUndo();
        return TRUE;
    case WM_CUT:
        if (!ops->ReadOnly())
        {
            CopySelection(ops);
            DeleteSelection(ops);
        }
        return TRUE;
    case WM_COPY:
        CopySelection(ops);
        return TRUE;
    case WM_PASTE:
        PasteLimited(ops);
        return TRUE;
    case WM_CLEAR:
        DeleteSelection(ops);
        return TRUE;
    case EM_GETLINECOUNT:
        result = static_cast<LRESULT>(ops->Lines().size());
        return TRUE;
    case EM_LINEINDEX: {
        const auto lines = ops->Lines();
        int line = static_cast<int>(static_cast<intptr_t>(wParam));
        if (line < 0)
        {
            int start = 0, end = 0;
            ops->GetSel(start, end);
            line = ops->LineOf(start);
        }
        result = line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)].first : -1;
        return TRUE;
    }
    case EM_LINELENGTH: {
        const auto lines = ops->Lines();
        const int index = static_cast<int>(static_cast<intptr_t>(wParam));
        if (index < 0)
        {
            // Characters of the selected lines that are not selected.
            int start = 0, end = 0;
            ops->GetSel(start, end);
            const auto& first = lines[static_cast<size_t>(ops->LineOf(start))];
            const auto& last = lines[static_cast<size_t>(ops->LineOf(end))];
            result = (start - first.first) + (last.second - end);
            if (result < 0)
                result = 0;
            return TRUE;
        }
        const auto& line = lines[static_cast<size_t>(ops->LineOf(index))];
        result = line.second - line.first;
        return TRUE;
    }
    case EM_LINEFROMCHAR: {
        int index = static_cast<int>(static_cast<intptr_t>(wParam));
        if (index < 0)
        {
            int start = 0, end = 0;
            ops->GetSel(start, end);
            index = start;
        }
        result = ops->LineOf(index);
        return TRUE;
    }
    case EM_GETLINE: {
        const auto lines = ops->Lines();
        const int line = static_cast<int>(wParam);
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || line < 0 || line >= static_cast<int>(lines.size()))
            return TRUE;
        const int size = *reinterpret_cast<WORD*>(buffer);
        const CString text = ops->Text();
        const auto& span = lines[static_cast<size_t>(line)];
        const int n = std::min(size, span.second - span.first);
        std::copy(text.GetString() + span.first, text.GetString() + span.first + n, buffer);
        result = n;
        return TRUE;
    }
    case EM_GETFIRSTVISIBLELINE:
        result = ops->FirstVisibleLine();
        return TRUE;
    case EM_LINESCROLL:
        ops->Scroll(static_cast<int>(lParam), static_cast<int>(static_cast<intptr_t>(wParam)));
        result = TRUE;
        return TRUE;
    case EM_SCROLLCARET:
        ops->ScrollCaret();
        result = TRUE;
        return TRUE;
    case EM_SETPASSWORDCHAR:
        ops->m_passwordChar = static_cast<char>(wParam);
        CWnd::ModifyStyle(hWnd, wParam ? 0 : ES_PASSWORD, wParam ? ES_PASSWORD : 0, 0);
        ops->SetPassword(wParam != 0);
        return TRUE;
    case EM_GETPASSWORDCHAR:
        result = static_cast<BYTE>(ops->m_passwordChar);
        return TRUE;
    case EM_SETMARGINS: {
        const UINT which = static_cast<UINT>(wParam);
        if (which & EC_LEFTMARGIN)
            ops->m_leftMargin = LOWORD(static_cast<uintptr_t>(lParam));
        if (which & EC_RIGHTMARGIN)
            ops->m_rightMargin = HIWORD(static_cast<uintptr_t>(lParam));
        if (auto* line = dynamic_cast<QLineEdit*>(ops->Widget()))
            line->setTextMargins(ops->m_leftMargin, 0, ops->m_rightMargin, 0);
        return TRUE;
    }
    case EM_GETMARGINS:
        result = static_cast<LRESULT>(
            MAKELONG(static_cast<WORD>(ops->m_leftMargin), static_cast<WORD>(ops->m_rightMargin)));
        return TRUE;
    case EM_GETRECT: {
        if (RECT* rect = reinterpret_cast<RECT*>(lParam))
        {
            const QRect r = ops->Widget()->rect();
            *rect = CRect(r.left() + ops->m_leftMargin, r.top(), r.right() + 1 - ops->m_rightMargin,
                          r.bottom() + 1);
        }
        return TRUE;
    }
    case EM_SETRECT:
        return TRUE;
    case EM_POSFROMCHAR: {
        const int index = static_cast<int>(wParam);
        if (index < 0 || index > ops->Length())
        {
            result = -1;
            return TRUE;
        }
        const QPoint p = ops->PosOf(index);
        result = static_cast<LRESULT>(MAKELONG(static_cast<WORD>(p.x()), static_cast<WORD>(p.y())));
        return TRUE;
    }
    case EM_CHARFROMPOS: {
        const QPoint p(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const int index = ops->IndexAt(p);
        result =
            static_cast<LRESULT>(MAKELONG(static_cast<WORD>(index), static_cast<WORD>(ops->LineOf(index))));
        return TRUE;
    }
    default:
        return FALSE;
    }
}

const struct EditClassRegistrar
{
    EditClassRegistrar() { AfxRegisterControlClass(WC_EDIT, &MakeEdit, &EditProc); }
} editClassRegistrar;
} // namespace

// ---------------------------------------------------------------------------------------
// CEdit

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_EDIT, nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CEdit::GetSel() const
{
    return static_cast<DWORD>(const_cast<CEdit*>(this)->SendMessage(EM_GETSEL));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0, end = 0;
    const_cast<CEdit*>(this)->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                          reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(static_cast<intptr_t>(nStartChar)), nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(bCanUndo), reinterpret_cast<LPARAM>(lpszNewText));
}

void CEdit::LimitText(int nChars)
{
    SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(nChars));
}

UINT CEdit::GetLimitText() const
{
    return static_cast<UINT>(const_cast<CEdit*>(this)->SendMessage(EM_GETLIMITTEXT));
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return static_cast<BOOL>(SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly)));
}

BOOL CEdit::GetModify() const
{
    return static_cast<BOOL>(const_cast<CEdit*>(this)->SendMessage(EM_GETMODIFY));
}

void CEdit::SetModify(BOOL bModified)
{
    SendMessage(EM_SETMODIFY, static_cast<WPARAM>(bModified));
}

BOOL CEdit::CanUndo() const
{
    return static_cast<BOOL>(const_cast<CEdit*>(this)->SendMessage(EM_CANUNDO));
}

BOOL CEdit::Undo()
{
    return static_cast<BOOL>(SendMessage(EM_UNDO));
}

void CEdit::EmptyUndoBuffer()
{
    SendMessage(EM_EMPTYUNDOBUFFER);
}

void CEdit::Clear()
{
    SendMessage(WM_CLEAR);
}

void CEdit::Copy()
{
    SendMessage(WM_COPY);
}

void CEdit::Cut()
{
    SendMessage(WM_CUT);
}

void CEdit::Paste()
{
    SendMessage(WM_PASTE);
}

int CEdit::GetLineCount() const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_GETLINECOUNT));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer) const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex),
                                                                  reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength < static_cast<int>(sizeof(WORD)))
        return 0;
    *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(std::min(nMaxLength, 0xFFFF));
    return GetLine(nIndex, lpszBuffer);
}

int CEdit::LineIndex(int nLine) const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(
        EM_LINEINDEX, static_cast<WPARAM>(static_cast<intptr_t>(nLine))));
}

int CEdit::LineLength(int nLine) const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(
        EM_LINELENGTH, static_cast<WPARAM>(static_cast<intptr_t>(nLine))));
}

int CEdit::LineFromChar(int nIndex) const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(
        EM_LINEFROMCHAR, static_cast<WPARAM>(static_cast<intptr_t>(nIndex))));
}

int CEdit::GetFirstVisibleLine() const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(EM_GETFIRSTVISIBLELINE));
}

void CEdit::LineScroll(int nLines, int nChars)
{
    SendMessage(EM_LINESCROLL, static_cast<WPARAM>(static_cast<intptr_t>(nChars)), nLines);
}

void CEdit::SetPasswordChar(TCHAR ch)
{
    SendMessage(EM_SETPASSWORDCHAR, static_cast<BYTE>(ch));
}

TCHAR CEdit::GetPasswordChar() const
{
    return static_cast<TCHAR>(const_cast<CEdit*>(this)->SendMessage(EM_GETPASSWORDCHAR));
}

void CEdit::SetMargins(UINT nLeft, UINT nRight)
{
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                MAKELPARAM(static_cast<WORD>(nLeft), static_cast<WORD>(nRight)));
}

DWORD CEdit::GetMargins() const
{
    return static_cast<DWORD>(const_cast<CEdit*>(this)->SendMessage(EM_GETMARGINS));
}

void CEdit::GetRect(LPRECT lpRect) const
{
    const_cast<CEdit*>(this)->SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

void CEdit::SetRect(LPCRECT lpRect)
{
    SendMessage(EM_SETRECT, 0, reinterpret_cast<LPARAM>(lpRect));
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    const LRESULT r = const_cast<CEdit*>(this)->SendMessage(EM_POSFROMCHAR, nChar);
    return CPoint(static_cast<short>(LOWORD(static_cast<uintptr_t>(r))),
                  static_cast<short>(HIWORD(static_cast<uintptr_t>(r))));
}

int CEdit::CharFromPos(CPoint pt) const
{
    return static_cast<int>(const_cast<CEdit*>(this)->SendMessage(
        EM_CHARFROMPOS, 0, MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y))));
}
