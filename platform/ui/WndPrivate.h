// Inside the window layer: the window behind each CWnd (its widget, handle, style and
// painting state), the registry of window classes, and the record of the input event and
// the message being handled, which Default() and DefWindowProc act on.
#pragma once

#include "platform/ui/Wnd.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QSize>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

// A window class: how its widget is made and how it answers messages by default.
struct WndClassInfo
{
    CString name;
    AFX_CONTROL_FACTORY factory; // null: a plain window
    AFX_CONTROL_PROC proc;
    UINT classStyle = 0;
    HBRUSH background = nullptr;
    // The layer paints windows of the class (erasing, WM_PAINT) as it paints plain windows,
    // instead of leaving them to their widget: dialogs.
    bool layerPainted = false;
};

// The class registered under a name (registered classes first, then the built-in ones);
// null for unknown names.
std::shared_ptr<WndClassInfo> FindWndClass(const char* name);
// Registers the built-in standard control classes and the dialog class (once).
void RegisterStandardClasses();

// The window: handle owner, event filter of its widget, keeper of what Windows keeps per
// window. It is a child QObject of its widget and dies with it. Messages posted or sent to
// the handle go to the object bound now (wnd).
class CWndBridge : public QObject, public CCmdTarget
{
public:
    CWndBridge();
    ~CWndBridge() override;

    static CWndBridge* FromHandle(HWND hWnd);
    // The bridge of a widget, or of the window a widget was added to as an input widget.
    static CWndBridge* FromWidget(const QWidget* widget);
    // The bridge of the nearest widget at or above `widget` that has one.
    static CWndBridge* Enclosing(const QWidget* widget);

    HWND Register() { return CreateMessageTarget(); }
    void Unregister() { DestroyMessageTarget(); }
    // Takes the widget: filters its events, owns it from now on.
    void AttachWidget(QWidget* w);
    void AddInputWidget(QWidget* inner);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Painting.
    bool SelfPainting() const;
    QImage& Surface();
    QRect ClientRect() const;
    void InvalidateAll(bool erase);

    QPointer<QWidget> widget;
    CWnd* wnd = nullptr;
    std::shared_ptr<WndClassInfo> cls;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    HFONT font = nullptr;
    CString text;
    HWND owner = nullptr;
    LONG_PTR userData = 0;
    bool destroying = false;
    bool trackLeave = false;
    QSize lastSize{-1, -1};
    QPoint lastPos{INT_MIN, INT_MIN};

    QImage surface;
    bool surfaceValid = false;
    bool inQtPaint = false;
    bool paintedNatively = false;
    bool erasePending = true;
    QRegion invalid;
    bool redraw = true;
    int painters = 0; // device contexts drawing on the surface now

    struct Timer
    {
        int qtId;
        TIMERPROC proc;
    };
    std::map<UINT_PTR, Timer> timers;
    SCROLLINFO scroll[2]{};
    bool scrollShown[2]{false, false};
    std::vector<QPointer<QWidget>> inputWidgets;
    HICON icons[2]{nullptr, nullptr};
    // Top-level windows: the show state last asked for (ShowWindow), and a minimise asked for
    // that a later show command replaced before the window system had carried it out.
    bool askedMinimised = false;
    bool askedMaximised = false;
    bool minimisePending = false;
    QElapsedTimer minimiseAsked;
    int showing = 0; // inside ShowWindow
    CMenu* menu = nullptr;
    UINT defaultId = 0; // dialogs: DM_SETDEFID

    // Sends WM_SIZE / WM_MOVE when the widget's size or position changed since last told.
    void HandleGeometry();
    // Notes a show command for a top-level window (the state it asks for).
    void NoteShowCommand(int nCmdShow);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    friend class CInnerInputRouter; // widgets inside the window hand it their keys and focus
    bool HandleKey(QWidget* receiver, QKeyEvent* event);
    bool HandleMouse(QWidget* receiver, QMouseEvent* event);
    bool HandleWheel(QWidget* receiver, QWheelEvent* event);
    // Messages for a focus change of `receiver`, the window's own widget or one inside it. The
    // default handling hands the event to the receiver when it is one of the window's widgets;
    // for a widget that is not (a grid's tree), the event goes on to it as Qt delivers it.
    bool HandleFocus(QWidget* receiver, QFocusEvent* event, bool in);
    // WM_MOUSEACTIVATE for a button pressed in this window, and what its answer asks for
    // (activation, the focus); the answer.
    LRESULT MouseActivate(UINT message);
    bool HandlePaint(QPaintEvent* event);
    // The window system changed the window's state: a late minimise that a later show command
    // replaced is undone, so that the window shows as it was last asked to.
    void HandleStateChange();
};

// The private side of CWnd that the layer's own code binds and unbinds.
struct WndAccess
{
    static void Bind(CWnd* pWnd, CWndBridge* bridge)
    {
        bridge->wnd = pWnd;
        pWnd->m_pBridge = bridge;
        pWnd->m_hWnd = bridge->m_hWnd;
    }
    static void Unbind(CWnd* pWnd)
    {
        if (pWnd->m_pBridge && pWnd->m_pBridge->wnd == pWnd)
            pWnd->m_pBridge->wnd = nullptr;
        pWnd->m_pBridge = nullptr;
        pWnd->m_hWnd = nullptr;
    }
    // `shadow` acts on the window of `of` (a view that is a control hands out a control object
    // this way) without being the window's bound object; Unshadow lets go before it is gone.
    static void Shadow(CWnd* shadow, const CWnd* of)
    {
        shadow->m_pBridge = of->m_pBridge;
        shadow->m_hWnd = of->m_hWnd;
    }
    static void Unshadow(CWnd* shadow)
    {
        shadow->m_pBridge = nullptr;
        shadow->m_hWnd = nullptr;
    }
    static bool LayerOwned(const CWnd* pWnd) { return pWnd->m_bLayerOwned; }
    static void SetLayerOwned(CWnd* pWnd) { pWnd->m_bLayerOwned = true; }
    static CWndBridge* Bridge(const CWnd* pWnd) { return pWnd->m_pBridge; }
};

// The input event being turned into messages, for Default() to act on.
struct WndInput
{
    HWND hwnd;         // the window the messages go to
    QWidget* receiver; // the widget that got the event
    QEvent* event;     // the event itself
    UINT defaultMsg;   // the message whose default acts on the event
    WPARAM defaultW;   // ... with this wParam
    bool delivered = false;
    bool translated = false;
    unsigned int modifiers = 0; // Qt::KeyboardModifiers
    unsigned int buttons = 0;   // Qt::MouseButtons
};

// Inputs being handled, innermost last.
std::vector<WndInput*>& WndInputs();
// The innermost input for a window, when its default is still to come.
WndInput* PendingInput(HWND hwnd);

// Messages being handled by window objects, innermost last (for Default()).
std::vector<MSG>& WndMessagesInFlight();

// The Qt event that a sent input message stands for; null for other messages.
QEvent* SynthesizeInputEvent(QWidget* widget, UINT message, WPARAM wParam, LPARAM lParam);
bool IsInputMessage(UINT message);
// Offers an input message to the application and the windows from its target up to its
// top-level window; TRUE when one took it.
BOOL PreTranslateInput(MSG* pMsg);
// The key event that the layer is delivering, after offering it to the windows, to a widget
// inside a window (WndInner.cpp); the window's own handling does not offer it again.
QEvent*& RoutedKeyEvent();
// Watches the application's widgets that lie inside a window without being windows, so that
// their keys and focus changes reach the window (WndInner.cpp). Once per application.
void InstallInnerInputRouter();
// Makes `top` the active window (activation asked of the window system; offscreen at once).
void ActivateTopLevel(QWidget* top);
// Whether the window's map handles keys (key down or up, characters).
bool TakesKeys(const CWnd* pWnd);
// Destroys a window and its children (WM_DESTROY, WM_NCDESTROY), deleting the widget.
BOOL DestroyBridge(CWndBridge* bridge);
// Depth of Qt event handling by the layer; widgets are deleted later while above 0.
int& WndEventDepth();
// Paints what is invalid on a self-painting window now (UpdateWindow).
void PaintNow(CWndBridge* bridge);
// Records the input state (modifiers, buttons, cursor, keys down) of a Qt event.
void NoteInputState(QEvent* event);
// The character a key event types for WM_CHAR (Windows-1252), 0 when none.
UINT CharOfKeyEvent(const QKeyEvent* event);
// The character a virtual key types when a PreTranslateMessage changed the key (Enter into
// Tab); 0 when none.
UINT CharOfVirtualKey(UINT vk);
// lParam of a key message.
LPARAM KeyMessageLParam(const QKeyEvent* event, bool up, bool alt);
UINT MouseKeyFlags(unsigned int buttons, unsigned int modifiers);
