#include "platform/ui/Button.h"
#include "platform/ui/QtText.h"

#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/Font.h"
#include "platform/ui/GdiObject.h"
#include "platform/ui/Static.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <algorithm>

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNCREATE(CMFCButton, CButton)

namespace
{
bool IsCheckType(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadioType(DWORD type)
{
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool IsPushType(DWORD type)
{
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON || type == BS_PUSHBOX;
}

// One widget for every kind of button: the kind is read from the window's style each time,
// so that BM_SETSTYLE or a framework class turning a button owner-drawn takes effect at once.
class ButtonWidget : public QAbstractButton
{
public:
    ButtonWidget(HWND hWnd, QWidget* parent) : QAbstractButton(parent), m_hWnd(hWnd)
    {
        QObject::connect(this, &QAbstractButton::clicked, this, [this] { OnClicked(); });
    }

    DWORD Style() const { return static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE)); }
    DWORD Type() const { return Style() & BS_TYPEMASK; }

    void ApplyStyle()
    {
        const bool group = Type() == BS_GROUPBOX;
        setAttribute(Qt::WA_TransparentForMouseEvents, group);
        setFocusPolicy(group ? Qt::NoFocus : Qt::StrongFocus);
        if (group)
            lower();
        update();
    }

    void SetCheckState(int check)
    {
        if (check != m_check)
        {
            m_check = check;
            update();
        }
    }

    HWND m_hWnd;
    CString m_text;
    int m_check = BST_UNCHECKED;
    HBITMAP m_bitmap = nullptr;
    HICON m_icon = nullptr;

protected:
    QSize sizeHint() const override { return size(); }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const DWORD style = Style();
        const DWORD type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW)
            PaintOwnerDrawn(painter);
        else if (type == BS_GROUPBOX)
            PaintGroupBox(painter);
        else if ((IsCheckType(type) || IsRadioType(type)) && !(style & BS_PUSHLIKE))
            PaintCheck(painter, style, IsRadioType(type));
        else
            PaintPush(painter, style);
    }

private:
    void OnClicked()
    {
        const HWND hWnd = m_hWnd;
        switch (Type())
        {
        case BS_AUTOCHECKBOX:
            SetCheckState(m_check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
            break;
        case BS_AUTO3STATE:
            // Unchecked, checked, indeterminate, and round again.
            SetCheckState((m_check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            CheckInGroup();
            break;
        default:
            break;
        }
        // The parent may destroy the button while it handles the click: nothing after this.
        AfxNotifyParent(hWnd, BN_CLICKED);
    }

    // Clears the other automatic radio buttons of the group, then checks this one.
    void CheckInGroup();

    CONTROLCOLOURS Colours(QPainter& painter, UINT kind, bool fill)
    {
        CONTROLCOLOURS colours;
        CDC dc;
        if (!dc.Attach(&painter))
            return colours;
        AfxGetControlColours(m_hWnd, kind, &colours, &dc);
        if (fill && colours.fill && colours.hBrush)
            dc.FillRect(CRect(0, 0, width(), height()), CBrush::FromHandle(colours.hBrush));
        else if (fill && colours.fill && kind == CTLCOLOR_STATIC)
            dc.FillSolidRect(CRect(0, 0, width(), height()), colours.brushColour);
        return colours;
    }

    void PaintOwnerDrawn(QPainter& painter)
    {
        CDC dc;
        if (!dc.Attach(&painter))
            return;
        CFont font;
        font.CreateFromQFont(this->font());
        CFont* old = dc.SelectObject(&font);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = static_cast<UINT>(GetDlgCtrlID(m_hWnd));
        dis.itemAction = ODA_DRAWENTIRE;
        if (isDown())
            dis.itemState |= ODS_SELECTED;
        if (hasFocus())
            dis.itemState |= ODS_FOCUS;
        if (!isEnabled())
            dis.itemState |= ODS_DISABLED;
        dis.hwndItem = m_hWnd;
        dis.hDC = dc.GetSafeHdc();
        dis.rcItem = CRect(0, 0, width(), height());
        if (const HWND parent = GetParent(m_hWnd))
            SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        dc.SelectObject(old);
    }

    void PaintGroupBox(QPainter& painter)
    {
        const CONTROLCOLOURS colours = Colours(painter, CTLCOLOR_STATIC, false);
        QStyleOptionGroupBox option;
        option.initFrom(this);
        option.text = text();
        option.lineWidth = 1;
        option.midLineWidth = 0;
        option.textAlignment = Qt::AlignLeft;
        option.textColor = ToQColor(isEnabled() ? colours.textColour : GetSysColor(COLOR_GRAYTEXT));
        option.subControls = QStyle::SC_GroupBoxFrame;
        if (!option.text.isEmpty())
            option.subControls |= QStyle::SC_GroupBoxLabel;
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
    }

    void PaintCheck(QPainter& painter, DWORD style, bool radio)
    {
        const CONTROLCOLOURS colours = Colours(painter, CTLCOLOR_STATIC, true);
        QStyleOptionButton option;
        option.initFrom(this);
        option.text = text();
        option.state |= m_check == BST_CHECKED
                            ? QStyle::State_On
                            : (m_check == BST_INDETERMINATE ? QStyle::State_NoChange : QStyle::State_Off);
        if (isDown())
            option.state |= QStyle::State_Sunken;
        if (style & BS_LEFTTEXT)
            option.direction = Qt::RightToLeft;
        option.palette.setColor(QPalette::WindowText, ToQColor(colours.textColour));
        this->style()->drawControl(radio ? QStyle::CE_RadioButton : QStyle::CE_CheckBox, &option, &painter,
                                   this);
    }

    void PaintPush(QPainter& painter, DWORD style)
    {
        Colours(painter, CTLCOLOR_BTN, true);
        QStyleOptionButton option;
        option.initFrom(this);
        option.text = text();
        const bool pressed = isDown() || ((style & BS_PUSHLIKE) && m_check == BST_CHECKED);
        option.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
        if (pressed && (style & BS_PUSHLIKE))
            option.state |= QStyle::State_On;
        if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            option.features |= QStyleOptionButton::DefaultButton;
        if (style & BS_FLAT)
            option.features |= QStyleOptionButton::Flat;
        QImage image;
        if ((style & BS_BITMAP) && m_bitmap)
            if (CBitmap* bitmap = CBitmap::FromHandle(m_bitmap))
            {
                image = bitmap->ToImage();
                option.text.clear();
            }
        this->style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
        if (!image.isNull())
            painter.drawImage(QPoint((width() - image.width()) / 2 + (pressed ? 1 : 0),
                                     (height() - image.height()) / 2 + (pressed ? 1 : 0)),
                              image);
    }
};

ButtonWidget* WidgetOf(HWND hWnd)
{
    CWnd* wnd = CWnd::FromHandle(hWnd);
    return wnd ? dynamic_cast<ButtonWidget*>(wnd->GetWidget()) : nullptr;
}

// The siblings of a control's group: from the first with WS_GROUP at or before it up to the
// next with WS_GROUP.
std::vector<HWND> GroupOf(HWND hWnd)
{
    HWND start = hWnd;
    while (!(GetWindowLong(start, GWL_STYLE) & WS_GROUP))
    {
        const HWND previous = GetWindow(start, GW_HWNDPREV);
        if (!previous)
            break;
        start = previous;
    }
    std::vector<HWND> group;
    for (HWND h = start; h; h = GetWindow(h, GW_HWNDNEXT))
    {
        if (h != start && (GetWindowLong(h, GWL_STYLE) & WS_GROUP))
            break;
        group.push_back(h);
    }
    return group;
}

void ButtonWidget::CheckInGroup()
{
    for (const HWND h : GroupOf(m_hWnd))
        if (h != m_hWnd)
            if (ButtonWidget* other = WidgetOf(h))
                if (other->Type() == BS_AUTORADIOBUTTON)
                    other->SetCheckState(BST_UNCHECKED);
    SetCheckState(BST_CHECKED);
}

QWidget* MakeButton(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* w = new ButtonWidget(hWnd, parent);
    w->m_text = cs.lpszName ? cs.lpszName : "";
    w->setText(ToQ(w->m_text));
    const DWORD type = static_cast<DWORD>(cs.style) & BS_TYPEMASK;
    w->setAttribute(Qt::WA_TransparentForMouseEvents, type == BS_GROUPBOX);
    w->setFocusPolicy(type == BS_GROUPBOX ? Qt::NoFocus : Qt::StrongFocus);
    if (type == BS_GROUPBOX)
        w->lower();
    return w;
}

BOOL ButtonProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* w = dynamic_cast<ButtonWidget*>(pWnd->GetWidget());
    if (!w)
        return FALSE;
    const HWND hWnd = pWnd->GetSafeHwnd();
    LRESULT& result = *pResult;
    result = 0;
    const DWORD style = w->Style();
    const DWORD type = style & BS_TYPEMASK;
    switch (message)
    {
    case WM_SETTEXT:
        w->m_text = reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "";
        w->setText(ToQ(w->m_text));
        w->update();
        result = TRUE;
        return TRUE;
    case WM_GETTEXT: {
        char* buffer = reinterpret_cast<char*>(lParam);
        const int size = static_cast<int>(wParam);
        if (!buffer || size <= 0)
            return TRUE;
        const int n = std::min(size - 1, w->m_text.GetLength());
        std::copy(w->m_text.GetString(), w->m_text.GetString() + n, buffer);
        buffer[n] = '\0';
        result = n;
        return TRUE;
    }
    case WM_GETTEXTLENGTH:
        result = w->m_text.GetLength();
        return TRUE;
    case BM_GETCHECK:
        result = IsPushType(type) ? BST_UNCHECKED : w->m_check;
        return TRUE;
    case BM_SETCHECK:
        if (!IsPushType(type) && type != BS_GROUPBOX)
        {
            int check = static_cast<int>(wParam);
            if (check == BST_INDETERMINATE && type != BS_3STATE && type != BS_AUTO3STATE &&
                type != BS_OWNERDRAW)
                check = BST_CHECKED;
            w->SetCheckState(check == BST_INDETERMINATE ? BST_INDETERMINATE
                                                        : (check ? BST_CHECKED : BST_UNCHECKED));
        }
        return TRUE;
    case BM_GETSTATE:
        result = (IsPushType(type) ? 0 : w->m_check) | (w->isDown() ? BST_PUSHED : 0) |
                 (w->hasFocus() ? BST_FOCUS : 0);
        return TRUE;
    case BM_SETSTATE:
        w->setDown(wParam != 0);
        w->update();
        return TRUE;
    case BM_SETSTYLE:
        CWnd::ModifyStyle(hWnd, 0xFFFFu, static_cast<DWORD>(wParam) & 0xFFFFu, 0);
        w->ApplyStyle();
        return TRUE;
    case BM_CLICK:
        if (w->isEnabled())
            w->click();
        return TRUE;
    case BM_SETIMAGE:
        if (wParam == IMAGE_BITMAP)
        {
            result = reinterpret_cast<LRESULT>(w->m_bitmap);
            w->m_bitmap = reinterpret_cast<HBITMAP>(lParam);
        }
        else
        {
            result = reinterpret_cast<LRESULT>(w->m_icon);
            w->m_icon = reinterpret_cast<HICON>(lParam);
        }
        w->update();
        return TRUE;
    case BM_GETIMAGE:
        result = wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(w->m_bitmap)
                                        : reinterpret_cast<LRESULT>(w->m_icon);
        return TRUE;
    case WM_GETDLGCODE:
        if (type == BS_GROUPBOX)
            result = DLGC_STATIC;
        else if (IsRadioType(type))
            result = DLGC_BUTTON | DLGC_RADIOBUTTON;
        else if (type == BS_DEFPUSHBUTTON)
            result = DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        else if (IsPushType(type) || type == BS_OWNERDRAW)
            result = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        else
            result = DLGC_BUTTON;
        return TRUE;
    case WM_SETFOCUS:
        if (style & BS_NOTIFY)
            AfxNotifyParent(hWnd, BN_SETFOCUS);
        return FALSE;
    case WM_KILLFOCUS:
        if (style & BS_NOTIFY)
            AfxNotifyParent(hWnd, BN_KILLFOCUS);
        return FALSE;
    case WM_LBUTTONDBLCLK:
        if ((style & BS_NOTIFY) || IsRadioType(type) || type == BS_OWNERDRAW)
            AfxNotifyParent(hWnd, BN_DOUBLECLICKED);
        return FALSE;
    case WM_ENABLE:
        w->update();
        return FALSE;
    case WM_STYLECHANGED:
        w->ApplyStyle();
        return FALSE;
    default:
        return FALSE;
    }
}

const struct ButtonClassRegistrar
{
    ButtonClassRegistrar() { AfxRegisterControlClass(WC_BUTTON, &MakeButton, &ButtonProc); }
} buttonClassRegistrar;
} // namespace

// ---------------------------------------------------------------------------------------
// CButton

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle, rect, pParentWnd, nID);
}

int CButton::GetCheck() const
{
    return static_cast<int>(const_cast<CButton*>(this)->SendMessage(BM_GETCHECK));
}

void CButton::SetCheck(int nCheck)
{
    SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
}

UINT CButton::GetState() const
{
    return static_cast<UINT>(const_cast<CButton*>(this)->SendMessage(BM_GETSTATE));
}

void CButton::SetState(BOOL bHighlight)
{
    SendMessage(BM_SETSTATE, static_cast<WPARAM>(bHighlight));
}

UINT CButton::GetButtonStyle() const
{
    return static_cast<UINT>(GetStyle() & 0xFFFFu);
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    SendMessage(BM_SETSTYLE, nStyle, static_cast<LPARAM>(bRedraw));
}

void CButton::Click()
{
    SendMessage(BM_CLICK);
}

HBITMAP CButton::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(
        SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CButton::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(const_cast<CButton*>(this)->SendMessage(BM_GETIMAGE, IMAGE_BITMAP));
}

HICON CButton::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CButton::GetIcon() const
{
    return reinterpret_cast<HICON>(const_cast<CButton*>(this)->SendMessage(BM_GETIMAGE, IMAGE_ICON));
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------------------------------
// CMFCButton

BEGIN_MESSAGE_MAP(CMFCButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CMFCButton::OnClicked)
END_MESSAGE_MAP()

DWORD CMFCButton::TakeButtonKind(DWORD dwStyle)
{
    const DWORD type = dwStyle & BS_TYPEMASK;
    if (type == BS_GROUPBOX || type == BS_OWNERDRAW)
    {
        m_bKindTaken = TRUE;
        return dwStyle;
    }
    m_bCheckButton = IsCheckType(type);
    m_bRadioButton = IsRadioType(type);
    m_bAutoCheck = type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
    m_bKindTaken = TRUE;
    return (dwStyle & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

BOOL CMFCButton::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = static_cast<LONG>(TakeButtonKind(static_cast<DWORD>(cs.style)));
    return CButton::PreCreateWindow(cs);
}

void CMFCButton::PreSubclassWindow()
{
    if (!m_bKindTaken || (GetStyle() & BS_TYPEMASK) != BS_OWNERDRAW)
    {
        const DWORD style = GetStyle();
        const DWORD owner = TakeButtonKind(style);
        if (owner != style)
            ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    }
    CButton::PreSubclassWindow();
}

BOOL CMFCButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CButton::OnChildNotify(message, wParam, lParam, pResult);
    DRAWITEMSTRUCT dis = *reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
    if ((m_bCheckButton || m_bRadioButton) && GetCheck() != BST_UNCHECKED)
    {
        dis.itemState |= ODS_CHECKED;
        if (m_bHighlightChecked)
            dis.itemState |= ODS_SELECTED;
    }
    m_bPushed = (dis.itemState & ODS_SELECTED) != 0;
    DrawItem(&dis);
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

BOOL CMFCButton::OnClicked()
{
    if (m_bAutoCheck)
    {
        if (m_bCheckButton)
            SetCheck(GetCheck() == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
        else if (m_bRadioButton)
        {
            for (const HWND h : GroupOf(m_hWnd))
                if (h != m_hWnd)
                    if (auto* other = dynamic_cast<CMFCButton*>(CWnd::FromHandle(h)))
                        if (other->m_bRadioButton && other->m_bAutoCheck)
                            other->SetCheck(BST_UNCHECKED);
            SetCheck(BST_CHECKED);
        }
        Invalidate();
    }
    // The parent sees the click too.
    return FALSE;
}

void CMFCButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHighlighted)
    {
        m_bHighlighted = TRUE;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
        TrackMouseEvent(&track);
        Invalidate();
    }
    CButton::OnMouseMove(nFlags, point);
}

void CMFCButton::OnMouseLeave()
{
    m_bHighlighted = FALSE;
    Invalidate();
    CButton::OnMouseLeave();
}

void CMFCButton::SetFaceColor(COLORREF crFace, BOOL bRepaint)
{
    m_clrFace = crFace;
    if (bRepaint && m_hWnd)
        Invalidate();
}

void CMFCButton::SetTextColor(COLORREF clrText)
{
    m_clrRegular = clrText;
    if (m_hWnd)
        Invalidate();
}

void CMFCButton::SetTextHotColor(COLORREF clrTextHot)
{
    m_clrHover = clrTextHot;
    if (m_hWnd)
        Invalidate();
}

void CMFCButton::SetTooltip(LPCTSTR lpszToolTipText)
{
    if (QWidget* w = GetWidget())
        w->setToolTip(lpszToolTipText ? Cp1252ToQString(lpszToolTipText) : QString());
}

void CMFCButton::SetMouseCursorHand()
{
    if (QWidget* w = GetWidget())
        w->setCursor(Qt::PointingHandCursor);
}

CSize CMFCButton::SizeToContent(BOOL bCalcOnly)
{
    QWidget* w = GetWidget();
    if (!w)
        return CSize();
    CString text;
    GetWindowText(text);
    const QFontMetrics metrics(w->font());
    const QSize extent = metrics.size(Qt::TextShowMnemonic, ToQ(text));
    const CSize size(extent.width() + 20, extent.height() + 10);
    if (!bCalcOnly)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

void CMFCButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (!pDC)
        return;
    CRect rc(lpDIS->rcItem);
    const bool pressed = (lpDIS->itemState & ODS_SELECTED) != 0;
    const bool disabled = (lpDIS->itemState & ODS_DISABLED) != 0;
    const COLORREF face = m_clrFace == static_cast<COLORREF>(-1) ? GetSysColor(COLOR_BTNFACE) : m_clrFace;
    COLORREF text = GetSysColor(COLOR_BTNTEXT);
    if (m_bHighlighted && m_clrHover != static_cast<COLORREF>(-1))
        text = m_clrHover;
    else if (m_clrRegular != static_cast<COLORREF>(-1))
        text = m_clrRegular;
    if (disabled && m_bGrayDisabled)
        text = GetSysColor(COLOR_GRAYTEXT);

    CString caption;
    GetWindowText(caption);
    const int saved = pDC->SaveDC();
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(text);

    if (m_bCheckButton || m_bRadioButton)
    {
        if (!m_bTransparent)
            pDC->FillSolidRect(rc, face);
        const int box = std::min(13, rc.Height());
        CRect mark(rc.left, rc.top + (rc.Height() - box) / 2, rc.left + box,
                   rc.top + (rc.Height() - box) / 2 + box);
        UINT state = m_bRadioButton ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
        if (lpDIS->itemState & ODS_CHECKED)
            state |= DFCS_CHECKED;
        if (disabled)
            state |= DFCS_INACTIVE;
        pDC->DrawFrameControl(mark, DFC_BUTTON, state);
        CRect label(mark.right + 4, rc.top, rc.right, rc.bottom);
        pDC->DrawText(caption, label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    else
    {
        if (!m_bTransparent)
            pDC->FillSolidRect(rc, face);
        switch (m_nFlatStyle)
        {
        case BUTTONSTYLE_3D:
            pDC->DrawEdge(rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            break;
        case BUTTONSTYLE_FLAT:
            if (pressed)
                pDC->DrawEdge(rc, BDR_SUNKENOUTER, BF_RECT);
            else if (m_bHighlighted)
                pDC->DrawEdge(rc, BDR_RAISEDINNER, BF_RECT);
            break;
        case BUTTONSTYLE_SEMIFLAT:
            pDC->DrawEdge(rc, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
            break;
        case BUTTONSTYLE_NOBORDERS:
            break;
        }
        CRect label(rc);
        if (pressed)
            label.OffsetRect(1, 1);
        UINT align = DT_CENTER;
        if (m_nAlignStyle == ALIGN_LEFT)
            align = DT_LEFT;
        else if (m_nAlignStyle == ALIGN_RIGHT)
            align = DT_RIGHT;
        label.DeflateRect(4, 0);
        pDC->DrawText(caption, label, DT_SINGLELINE | DT_VCENTER | align);
    }
    if (m_bDrawFocus && (lpDIS->itemState & ODS_FOCUS))
    {
        CRect focus(rc);
        focus.DeflateRect(3, 3);
        pDC->DrawFocusRect(focus);
    }
    pDC->RestoreDC(saved);
}
