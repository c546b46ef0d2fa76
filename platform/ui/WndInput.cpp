// Keyboard and mouse input: Qt events into window messages and back, virtual-key codes,
// the key state, and the message functions that work on MSG records.
#include "platform/ui/WndPrivate.h"

#include "platform/core/WinApp.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <set>

namespace
{
struct InputState
{
    unsigned int modifiers = 0;
    unsigned int buttons = 0;
    QPoint cursor;
    bool cursorKnown = false;
    std::set<UINT> keysDown;
};

InputState& State()
{
    static InputState state;
    return state;
}

DWORD MessageTime()
{
    static QElapsedTimer* timer = [] {
        auto* t = new QElapsedTimer;
        t->start();
        return t;
    }();
    return static_cast<DWORD>(timer->elapsed());
}

POINT CursorPoint()
{
    POINT p;
    GetCursorPos(&p);
    return p;
}

// Keys that type a character: their WM_KEYDOWN default does nothing, WM_CHAR's acts.
bool TypesCharacter(UINT vk)
{
    return vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_SPACE ||
           (vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z') || (vk >= VK_NUMPAD0 && vk <= VK_DIVIDE) ||
           (vk >= VK_OEM_1 && vk <= VK_OEM_3) || (vk >= VK_OEM_4 && vk <= VK_OEM_7) || vk == VK_OEM_102 ||
           vk == VK_PACKET;
}

Qt::KeyboardModifiers ModifiersFromKeyState()
{
    Qt::KeyboardModifiers m;
    if (GetKeyState(VK_SHIFT) < 0)
        m |= Qt::ShiftModifier;
    if (GetKeyState(VK_CONTROL) < 0)
        m |= Qt::ControlModifier;
    if (GetKeyState(VK_MENU) < 0)
        m |= Qt::AltModifier;
    return m;
}

Qt::MouseButtons ButtonsFromFlags(WPARAM flags)
{
    Qt::MouseButtons b;
    if (flags & MK_LBUTTON)
        b |= Qt::LeftButton;
    if (flags & MK_RBUTTON)
        b |= Qt::RightButton;
    if (flags & MK_MBUTTON)
        b |= Qt::MiddleButton;
    return b;
}

Qt::KeyboardModifiers ModifiersFromFlags(WPARAM flags)
{
    Qt::KeyboardModifiers m;
    if (flags & MK_SHIFT)
        m |= Qt::ShiftModifier;
    if (flags & MK_CONTROL)
        m |= Qt::ControlModifier;
    return m;
}
} // namespace

std::vector<WndInput*>& WndInputs()
{
    static std::vector<WndInput*> inputs;
    return inputs;
}

WndInput* PendingInput(HWND hwnd)
{
    auto& inputs = WndInputs();
    for (auto it = inputs.rbegin(); it != inputs.rend(); ++it)
        if ((*it)->hwnd == hwnd)
            return *it;
    return nullptr;
}

std::vector<MSG>& WndMessagesInFlight()
{
    static std::vector<MSG> messages;
    return messages;
}

int& WndEventDepth()
{
    static int depth = 0;
    return depth;
}

bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYDOWN && message <= WM_SYSCHAR) ||
           (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) || message == WM_MOUSEWHEEL ||
           message == WM_MOUSEHWHEEL;
}

void NoteInputState(QEvent* event)
{
    InputState& s = State();
    switch (event->type())
    {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(event);
        s.modifiers = static_cast<unsigned int>(k->modifiers());
        const UINT vk = VirtualKeyFromQtKey(k->key(), static_cast<unsigned int>(k->modifiers()));
        if (vk && event->type() == QEvent::KeyPress)
            s.keysDown.insert(vk);
        else if (vk)
            s.keysDown.erase(vk);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(event);
        s.modifiers = static_cast<unsigned int>(m->modifiers());
        s.buttons = static_cast<unsigned int>(m->buttons());
        s.cursor = m->globalPosition().toPoint();
        s.cursorKnown = true;
        break;
    }
    case QEvent::Wheel: {
        auto* w = static_cast<QWheelEvent*>(event);
        s.modifiers = static_cast<unsigned int>(w->modifiers());
        s.cursor = w->globalPosition().toPoint();
        s.cursorKnown = true;
        break;
    }
    default:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Virtual keys and characters
// ---------------------------------------------------------------------------------------

UINT VirtualKeyFromQtKey(int key, unsigned int qtModifiers)
{
    const bool keypad = (qtModifiers & Qt::KeypadModifier) != 0;
    if (keypad)
    {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return VK_NUMPAD0 + static_cast<UINT>(key - Qt::Key_0);
        switch (key)
        {
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return VK_DECIMAL;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        default:
            break;
        }
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + static_cast<UINT>(key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + static_cast<UINT>(key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    switch (key)
    {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Pause:
        return VK_PAUSE;
    case Qt::Key_Print:
        return VK_SNAPSHOT;
    case Qt::Key_Clear:
        return VK_CLEAR;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Meta:
        return VK_LWIN;
    case Qt::Key_Menu:
        return VK_APPS;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Help:
        return VK_HELP;
    case Qt::Key_Space:
        return VK_SPACE;
    // Shifted digits keep their digit key, as on a US keyboard.
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
        return VK_OEM_1;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question:
        return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
        return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
        return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
        return VK_OEM_7;
    default:
        return 0;
    }
}

int QtKeyFromVirtualKey(UINT vk)
{
    if (vk >= 'A' && vk <= 'Z')
        return Qt::Key_A + static_cast<int>(vk - 'A');
    if (vk >= '0' && vk <= '9')
        return Qt::Key_0 + static_cast<int>(vk - '0');
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9)
        return Qt::Key_0 + static_cast<int>(vk - VK_NUMPAD0);
    if (vk >= VK_F1 && vk <= VK_F24)
        return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
    switch (vk)
    {
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    case VK_PAUSE:
        return Qt::Key_Pause;
    case VK_SNAPSHOT:
        return Qt::Key_Print;
    case VK_CLEAR:
        return Qt::Key_Clear;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_END:
        return Qt::Key_End;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        return Qt::Key_Shift;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        return Qt::Key_Control;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        return Qt::Key_Alt;
    case VK_LWIN:
    case VK_RWIN:
        return Qt::Key_Meta;
    case VK_APPS:
        return Qt::Key_Menu;
    case VK_CAPITAL:
        return Qt::Key_CapsLock;
    case VK_NUMLOCK:
        return Qt::Key_NumLock;
    case VK_SCROLL:
        return Qt::Key_ScrollLock;
    case VK_HELP:
        return Qt::Key_Help;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_MULTIPLY:
        return Qt::Key_Asterisk;
    case VK_ADD:
        return Qt::Key_Plus;
    case VK_SUBTRACT:
        return Qt::Key_Minus;
    case VK_DECIMAL:
        return Qt::Key_Period;
    case VK_DIVIDE:
        return Qt::Key_Slash;
    case VK_OEM_1:
        return Qt::Key_Semicolon;
    case VK_OEM_PLUS:
        return Qt::Key_Equal;
    case VK_OEM_COMMA:
        return Qt::Key_Comma;
    case VK_OEM_MINUS:
        return Qt::Key_Minus;
    case VK_OEM_PERIOD:
        return Qt::Key_Period;
    case VK_OEM_2:
        return Qt::Key_Slash;
    case VK_OEM_3:
        return Qt::Key_QuoteLeft;
    case VK_OEM_4:
        return Qt::Key_BracketLeft;
    case VK_OEM_5:
        return Qt::Key_Backslash;
    case VK_OEM_6:
        return Qt::Key_BracketRight;
    case VK_OEM_7:
        return Qt::Key_Apostrophe;
    default:
        return 0;
    }
}

UINT CharOfKeyEvent(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier))
    {
        // Ctrl+letter types the control characters 1..26 (Ctrl+C is 3, Ctrl+V 22).
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return static_cast<UINT>(key - Qt::Key_A + 1);
        switch (key)
        {
        case Qt::Key_BracketLeft:
            return 27;
        case Qt::Key_Backslash:
            return 28;
        case Qt::Key_BracketRight:
            return 29;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 10;
        case Qt::Key_Backspace:
            return 127;
        default:
            return 0;
        }
    }
    switch (key)
    {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return '\r';
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty())
        return 0;
    const char16_t c = text.at(0).unicode();
    if (c < 0x20 || c == 0x7F)
        return 0;
    const QByteArray bytes = QStringToCp1252(text.left(1));
    return bytes.isEmpty() ? 0 : static_cast<UINT>(static_cast<unsigned char>(bytes.at(0)));
}

UINT CharOfVirtualKey(UINT vk)
{
    switch (vk)
    {
    case VK_RETURN:
        return '\r';
    case VK_TAB:
        return 9;
    case VK_BACK:
        return 8;
    case VK_ESCAPE:
        return 27;
    case VK_SPACE:
        return ' ';
    default:
        break;
    }
    if (vk >= '0' && vk <= '9')
        return vk;
    if (vk >= 'A' && vk <= 'Z')
        return GetKeyState(VK_SHIFT) < 0 ? vk : vk - 'A' + 'a';
    return 0;
}

LPARAM KeyMessageLParam(const QKeyEvent* event, bool up, bool alt)
{
    uint32_t repeat = static_cast<uint32_t>(event->count() > 0 ? event->count() : 1) & 0xFFFF;
    const uint32_t native = event->nativeScanCode();
    // X keycodes are the PC scan codes plus 8.
    const uint32_t scan = native > 8 ? (native - 8) & 0xFF : 0;
    bool extended = false;
    switch (event->key())
    {
    case Qt::Key_Insert:
    case Qt::Key_Delete:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        extended = true;
        break;
    case Qt::Key_Enter:
        extended = true;
        break;
    default:
        break;
    }
    uint32_t l = repeat | (scan << 16);
    if (extended)
        l |= 1u << 24;
    if (alt)
        l |= 1u << 29;
    if (up || event->isAutoRepeat())
        l |= 1u << 30;
    if (up)
        l |= 1u << 31;
    return static_cast<LPARAM>(l);
}

UINT MouseKeyFlags(unsigned int buttons, unsigned int modifiers)
{
    UINT f = 0;
    if (buttons & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        f |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (buttons & Qt::XButton1)
        f |= MK_XBUTTON1;
    if (buttons & Qt::XButton2)
        f |= MK_XBUTTON2;
    if (modifiers & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

QEvent* SynthesizeInputEvent(QWidget* widget, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        const UINT vk = static_cast<UINT>(wParam);
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (down && TypesCharacter(vk))
            return nullptr;
        const int key = QtKeyFromVirtualKey(vk);
        if (!key)
            return nullptr;
        Qt::KeyboardModifiers mods = ModifiersFromKeyState();
        if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP)
            mods |= Qt::AltModifier;
        return new QKeyEvent(down ? QEvent::KeyPress : QEvent::KeyRelease, key, mods, QString());
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
        const unsigned char c = static_cast<unsigned char>(wParam & 0xFF);
        Qt::KeyboardModifiers mods;
        if (message == WM_SYSCHAR)
            mods |= Qt::AltModifier;
        int key = 0;
        QString text;
        switch (c)
        {
        case 8:
            key = Qt::Key_Backspace;
            text = QString(QChar(8));
            break;
        case 9:
            key = Qt::Key_Tab;
            text = QString(QChar(9));
            break;
        case 10:
            key = Qt::Key_Return;
            mods |= Qt::ControlModifier;
            break;
        case 13:
            key = Qt::Key_Return;
            text = QString(QChar(13));
            break;
        case 27:
            key = Qt::Key_Escape;
            text = QString(QChar(27));
            break;
        case 127:
            key = Qt::Key_Backspace;
            mods |= Qt::ControlModifier;
            break;
        default:
            if (c >= 1 && c <= 26)
            {
                key = Qt::Key_A + (c - 1);
                mods |= Qt::ControlModifier;
                text = QString(QChar(c));
            }
            else if (c >= 0x20)
            {
                const char byte = static_cast<char>(c);
                text = Cp1252ToQString(&byte, 1);
                if (c == ' ')
                    key = Qt::Key_Space;
                else if (c >= 'a' && c <= 'z')
                    key = Qt::Key_A + (c - 'a');
                else if (c >= 'A' && c <= 'Z')
                {
                    key = Qt::Key_A + (c - 'A');
                    mods |= Qt::ShiftModifier;
                }
                else
                    key = static_cast<int>(text.at(0).toUpper().unicode());
            }
            break;
        }
        if (!key)
            return nullptr;
        return new QKeyEvent(QEvent::KeyPress, key, mods, text);
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
        QEvent::Type type = QEvent::MouseMove;
        Qt::MouseButton button = Qt::NoButton;
        switch (message)
        {
        case WM_LBUTTONDOWN:
            type = QEvent::MouseButtonPress;
            button = Qt::LeftButton;
            break;
        case WM_LBUTTONUP:
            type = QEvent::MouseButtonRelease;
            button = Qt::LeftButton;
            break;
        case WM_LBUTTONDBLCLK:
            type = QEvent::MouseButtonDblClick;
            button = Qt::LeftButton;
            break;
        case WM_RBUTTONDOWN:
            type = QEvent::MouseButtonPress;
            button = Qt::RightButton;
            break;
        case WM_RBUTTONUP:
            type = QEvent::MouseButtonRelease;
            button = Qt::RightButton;
            break;
        case WM_RBUTTONDBLCLK:
            type = QEvent::MouseButtonDblClick;
            button = Qt::RightButton;
            break;
        case WM_MBUTTONDOWN:
            type = QEvent::MouseButtonPress;
            button = Qt::MiddleButton;
            break;
        case WM_MBUTTONUP:
            type = QEvent::MouseButtonRelease;
            button = Qt::MiddleButton;
            break;
        case WM_MBUTTONDBLCLK:
            type = QEvent::MouseButtonDblClick;
            button = Qt::MiddleButton;
            break;
        default:
            break;
        }
        const QPointF local(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const QPointF global = widget ? QPointF(widget->mapToGlobal(local.toPoint())) : local;
        return new QMouseEvent(type, local, global, button, ButtonsFromFlags(wParam),
                               ModifiersFromFlags(wParam));
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        const QPoint global(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const QPoint local = widget ? widget->mapFromGlobal(global) : global;
        const short delta = static_cast<short>(HIWORD(wParam));
        const QPoint angle = message == WM_MOUSEWHEEL ? QPoint(0, delta) : QPoint(delta, 0);
        return new QWheelEvent(QPointF(local), QPointF(global), QPoint(), angle,
                               ButtonsFromFlags(LOWORD(wParam)), ModifiersFromFlags(LOWORD(wParam)),
                               Qt::NoScrollPhase, false);
    }
    default:
        return nullptr;
    }
}

// ---------------------------------------------------------------------------------------
// Qt events into messages
// ---------------------------------------------------------------------------------------

namespace
{
struct InputScope
{
    explicit InputScope(WndInput* input) { WndInputs().push_back(input); }
    ~InputScope() { WndInputs().pop_back(); }
};
} // namespace

bool CWndBridge::HandleKey(QWidget* receiver, QKeyEvent* k)
{
    NoteInputState(k);
    const bool press = k->type() == QEvent::KeyPress;
    const unsigned int mods = static_cast<unsigned int>(k->modifiers());
    const bool alt = (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier);
    UINT vk = VirtualKeyFromQtKey(k->key(), mods);
    const UINT typed = CharOfKeyEvent(k);
    const UINT ch = press ? typed : 0;
    // Characters of no key on a US keyboard (accented letters, symbols) come as VK_PACKET.
    if (!vk && typed)
        vk = VK_PACKET;
    if (!vk)
        return false;
    const HWND hwnd = m_hWnd;
    const UINT message = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    const UINT charMessage = alt ? WM_SYSCHAR : WM_CHAR;

    WndInput input{hwnd, receiver, k, ch ? charMessage : message, ch ? ch : vk};
    input.modifiers = mods;
    input.buttons = State().buttons;
    InputScope scope(&input);

    MSG msg{hwnd, message, vk, KeyMessageLParam(k, !press, alt), MessageTime(), CursorPoint()};
    // A key that a widget inside this window left was offered to the windows already.
    const BOOL eaten = k == RoutedKeyEvent() ? FALSE : PreTranslateInput(&msg);
    if (!eaten)
        DispatchMessage(&msg);
    if (press && ch && (!eaten || input.translated) && msg.message == message)
    {
        // A PreTranslateMessage may have changed the key (Enter into Tab): the character
        // follows the key that is dispatched.
        const UINT c = msg.wParam == vk ? ch : CharOfVirtualKey(static_cast<UINT>(msg.wParam));
        if (c && IsWindow(msg.hwnd))
        {
            MSG charMsg{msg.hwnd, charMessage, c, msg.lParam, msg.time, msg.pt};
            if (!PreTranslateInput(&charMsg))
                DispatchMessage(&charMsg);
        }
    }
    k->accept();
    return true;
}

bool CWndBridge::HandleMouse(QWidget* receiver, QMouseEvent* me)
{
    NoteInputState(me);
    UINT message = 0;
    const Qt::MouseButton b = me->button();
    switch (me->type())
    {
    case QEvent::MouseMove:
        message = WM_MOUSEMOVE;
        break;
    case QEvent::MouseButtonPress:
        message = b == Qt::LeftButton     ? WM_LBUTTONDOWN
                  : b == Qt::RightButton  ? WM_RBUTTONDOWN
                  : b == Qt::MiddleButton ? WM_MBUTTONDOWN
                                          : 0;
        break;
    case QEvent::MouseButtonRelease:
        message = b == Qt::LeftButton     ? WM_LBUTTONUP
                  : b == Qt::RightButton  ? WM_RBUTTONUP
                  : b == Qt::MiddleButton ? WM_MBUTTONUP
                                          : 0;
        break;
    case QEvent::MouseButtonDblClick:
        message = b == Qt::LeftButton     ? WM_LBUTTONDBLCLK
                  : b == Qt::RightButton  ? WM_RBUTTONDBLCLK
                  : b == Qt::MiddleButton ? WM_MBUTTONDBLCLK
                                          : 0;
        break;
    default:
        break;
    }
    if (!message)
        return false;

    CWndBridge* target = this;
    QEvent* real = me;
    QPoint local =
        receiver == widget ? me->position().toPoint() : receiver->mapTo(widget, me->position().toPoint());
    // While a window has the capture, it gets the mouse wherever the mouse is.
    if (CWndBridge* capture = CWndBridge::FromHandle(GetCapture());
        capture && capture != this && capture->widget)
    {
        target = capture;
        real = nullptr;
        local = capture->widget->mapFromGlobal(me->globalPosition().toPoint());
    }
    const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                       message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    if (press && target == this)
    {
        QPointer<CWndBridge> self(this);
        const LRESULT answer = MouseActivate(message);
        if (!self || !wnd)
            return true;
        if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT)
        {
            me->accept();
            return true;
        }
    }
    const UINT flags =
        MouseKeyFlags(static_cast<unsigned int>(me->buttons()), static_cast<unsigned int>(me->modifiers()));
    WndInput input{target->m_hWnd, receiver, real, message, flags};
    input.modifiers = static_cast<unsigned int>(me->modifiers());
    input.buttons = static_cast<unsigned int>(me->buttons());
    InputScope scope(&input);

    MSG msg{target->m_hWnd, message,
            flags,          MAKELPARAM(static_cast<WORD>(local.x()), static_cast<WORD>(local.y())),
            MessageTime(),  CursorPoint()};
    if (!PreTranslateInput(&msg))
        DispatchMessage(&msg);
    me->accept();
    return true;
}

LRESULT CWndBridge::MouseActivate(UINT message)
{
    QWidget* top = widget ? widget->window() : nullptr;
    if (!top)
        return MA_ACTIVATE;
    const bool child = (style & WS_CHILD) != 0;
    // An active top-level window is not asked again; every child window is, at every press.
    if (!child && top->isActiveWindow())
        return MA_ACTIVATE;
    CWndBridge* topBridge = FromWidget(top);
    const HWND hTop = topBridge ? topBridge->m_hWnd : m_hWnd;
    QPointer<CWndBridge> self(this);
    const LRESULT answer = AfxCallWndProc(wnd, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(hTop),
                                          MAKELPARAM(HTCLIENT, static_cast<WORD>(message)));
    if (!self || !wnd || (answer != MA_ACTIVATE && answer != MA_ACTIVATEANDEAT))
        return answer;
    ActivateTopLevel(top);
    // A plain window that handles keys takes them with the click, as a view and a control do.
    if (!(cls && cls->factory) && TakesKeys(wnd))
    {
        CWnd* focus = CWnd::GetFocus();
        if (focus != wnd && !wnd->IsChild(focus))
            wnd->SetFocus();
    }
    return answer;
}

bool CWndBridge::HandleWheel(QWidget* receiver, QWheelEvent* we)
{
    NoteInputState(we);
    const QPoint angle = we->angleDelta();
    const bool vertical = angle.y() != 0 || angle.x() == 0;
    const UINT message = vertical ? WM_MOUSEWHEEL : WM_MOUSEHWHEEL;
    const short delta = static_cast<short>(vertical ? angle.y() : angle.x());
    const UINT flags =
        MouseKeyFlags(static_cast<unsigned int>(we->buttons()), static_cast<unsigned int>(we->modifiers()));
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(flags), static_cast<WORD>(delta));
    WndInput input{m_hWnd, receiver, we, message, wParam};
    input.modifiers = static_cast<unsigned int>(we->modifiers());
    input.buttons = static_cast<unsigned int>(we->buttons());
    InputScope scope(&input);
    const QPoint global = we->globalPosition().toPoint();
    MSG msg{m_hWnd,        message,
            wParam,        MAKELPARAM(static_cast<WORD>(global.x()), static_cast<WORD>(global.y())),
            MessageTime(), POINT{global.x(), global.y()}};
    if (!PreTranslateInput(&msg))
        DispatchMessage(&msg);
    we->accept();
    return true;
}

// ---------------------------------------------------------------------------------------
// Message functions
// ---------------------------------------------------------------------------------------

BOOL PreTranslateInput(MSG* pMsg)
{
    if (CWinThread* thread = AfxGetThread())
        if (thread->PreTranslateMessage(pMsg))
            return TRUE;
    for (CWnd* w = CWnd::FromHandle(pMsg->hwnd); w;)
    {
        const bool child = (w->GetStyle() & WS_CHILD) != 0;
        if (w->PreTranslateMessage(pMsg))
            return TRUE;
        if (!child)
            break;
        w = w->GetParent();
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return FALSE;
    if (lpMsg->message != WM_KEYDOWN && lpMsg->message != WM_SYSKEYDOWN)
        return FALSE;
    if (WndInput* input = PendingInput(lpMsg->hwnd))
        input->translated = true;
    return TRUE;
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (!lpMsg)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam)
    {
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        proc(lpMsg->hwnd, WM_TIMER, static_cast<UINT_PTR>(lpMsg->wParam), lpMsg->time);
        return 0;
    }
    CWnd* target = CWnd::FromHandle(lpMsg->hwnd);
    return target ? AfxCallWndProc(target, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}

BOOL PeekMessage(LPMSG lpMsg, HWND, UINT, UINT, UINT)
{
    if (lpMsg)
        *lpMsg = MSG{};
    if (QCoreApplication::instance() && AfxIsUiThread())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return FALSE;
}

SHORT GetKeyState(int nVirtKey)
{
    const InputState& s = State();
    unsigned int mods = static_cast<unsigned int>(QGuiApplication::keyboardModifiers());
    unsigned int buttons = static_cast<unsigned int>(QGuiApplication::mouseButtons());
    if (!WndInputs().empty())
    {
        mods = WndInputs().back()->modifiers;
        buttons = WndInputs().back()->buttons;
    }
    bool down = false;
    switch (nVirtKey)
    {
    case VK_SHIFT:
    case VK_LSHIFT:
    case VK_RSHIFT:
        down = (mods & Qt::ShiftModifier) != 0;
        break;
    case VK_CONTROL:
    case VK_LCONTROL:
    case VK_RCONTROL:
        down = (mods & Qt::ControlModifier) != 0;
        break;
    case VK_MENU:
    case VK_LMENU:
    case VK_RMENU:
        down = (mods & Qt::AltModifier) != 0;
        break;
    case VK_LBUTTON:
        down = (buttons & Qt::LeftButton) != 0;
        break;
    case VK_RBUTTON:
        down = (buttons & Qt::RightButton) != 0;
        break;
    case VK_MBUTTON:
        down = (buttons & Qt::MiddleButton) != 0;
        break;
    default:
        down = s.keysDown.count(static_cast<UINT>(nVirtKey)) != 0;
        break;
    }
    return down ? static_cast<SHORT>(-32768) : 0;
}

SHORT GetAsyncKeyState(int vKey)
{
    return GetKeyState(vKey);
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    const InputState& s = State();
    const QPoint p = s.cursorKnown ? s.cursor : QCursor::pos();
    lpPoint->x = p.x();
    lpPoint->y = p.y();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    InputState& s = State();
    s.cursor = QPoint(x, y);
    s.cursorKnown = true;
    QCursor::setPos(x, y);
    return TRUE;
}

UINT GetDoubleClickTime()
{
    return static_cast<UINT>(QApplication::doubleClickInterval());
}

BOOL MessageBeep(UINT)
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
    return TRUE;
}
