#include "platform/ui/Static.h"

#include "platform/core/SysColor.h"
#include "platform/ui/Colour.h"
#include "platform/ui/Dc.h"
#include "platform/ui/GdiObject.h"

#include <QPainter>
#include <QPalette>
#include <QWidget>

#include <algorithm>

IMPLEMENT_DYNAMIC(CStatic, CWnd)

BOOL AfxGetControlColours(HWND hWndCtl, UINT nCtlColor, CONTROLCOLOURS* pColours, CDC* pDC)
{
    CONTROLCOLOURS colours;
    const bool window = nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX;
    const COLORREF text = GetSysColor(nCtlColor == CTLCOLOR_BTN ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
    const COLORREF back = GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE);

    CDC own;
    if (!pDC)
    {
        own.CreateCompatibleDC(nullptr);
        pDC = &own;
    }
    pDC->SetTextColor(text);
    pDC->SetBkColor(back);
    pDC->SetBkMode(OPAQUE);

    HBRUSH brush = nullptr;
    const HWND parent = GetParent(hWndCtl);
    if (parent && IsWindow(parent))
        brush = reinterpret_cast<HBRUSH>(SendMessage(parent, WM_CTLCOLORMSGBOX + nCtlColor,
                                                     reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                     reinterpret_cast<LPARAM>(hWndCtl)));
    colours.hBrush = brush;
    colours.brushColour = back;
    LOGBRUSH logBrush{};
    if (brush && GetObject(brush, sizeof(logBrush), &logBrush) == sizeof(logBrush))
    {
        colours.fill = logBrush.lbStyle != BS_NULL;
        colours.brushColour = logBrush.lbColor;
    }
    else
        brush = nullptr;
    colours.textColour = pDC->GetTextColor();
    colours.textBackColour = pDC->GetBkColor();
    colours.bkMode = pDC->GetBkMode();
    if (pColours)
        *pColours = colours;
    return brush != nullptr;
}

void AfxApplyControlColours(HWND hWndCtl, QWidget* widget, UINT nCtlColor)
{
    if (!widget)
        return;
    CONTROLCOLOURS colours;
    AfxGetControlColours(hWndCtl, nCtlColor, &colours);
    QPalette palette = widget->palette();
    const QColor back = ToQColor(colours.fill ? colours.brushColour : GetSysColor(COLOR_WINDOW));
    const QColor text = ToQColor(colours.textColour);
    for (const auto group : {QPalette::Active, QPalette::Inactive})
    {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
        palette.setColor(group, QPalette::ButtonText, text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, back);
    palette.setColor(QPalette::Disabled, QPalette::Window, back);
    palette.setColor(QPalette::Disabled, QPalette::Text, ToQColor(GetSysColor(COLOR_GRAYTEXT)));
    // Setting an equal palette would still schedule a repaint: only real changes go through.
    if (!(palette == widget->palette()))
        widget->setPalette(palette);
}

namespace
{

class StaticWidget : public QWidget
{
public:
    StaticWidget(HWND hWnd, QWidget* parent) : QWidget(parent), m_hWnd(hWnd) {}

    HWND m_hWnd;
    CString m_text;
    HBITMAP m_bitmap = nullptr;
    HICON m_icon = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        CDC dc;
        if (!dc.Attach(&painter))
            return;
        const DWORD style = static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE));
        const DWORD type = style & SS_TYPEMASK;
        CRect rc(0, 0, width(), height());
        CFont font;
        font.CreateFromQFont(this->font());
        CFont* oldFont = dc.SelectObject(&font);

        switch (type)
        {
        case SS_OWNERDRAW: {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_STATIC;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID(m_hWnd));
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = isEnabled() ? 0 : ODS_DISABLED;
            dis.hwndItem = m_hWnd;
            dis.hDC = dc.GetSafeHdc();
            dis.rcItem = rc;
            if (const HWND parent = GetParent(m_hWnd))
                SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
            break;
        }
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
            dc.FillSolidRect(rc, RectColour(type - SS_BLACKRECT));
            break;
        case SS_BLACKFRAME:
        case SS_GRAYFRAME:
        case SS_WHITEFRAME: {
            CBrush brush(RectColour(type - SS_BLACKFRAME));
            dc.FrameRect(rc, &brush);
            break;
        }
        case SS_ETCHEDHORZ:
            dc.DrawEdge(rc, EDGE_ETCHED, BF_TOP);
            break;
        case SS_ETCHEDVERT:
            dc.DrawEdge(rc, EDGE_ETCHED, BF_LEFT);
            break;
        case SS_ETCHEDFRAME:
            dc.DrawEdge(rc, EDGE_ETCHED, BF_RECT);
            break;
        case SS_BITMAP:
        case SS_ICON: {
            FillBackground(dc, rc);
            if (type == SS_BITMAP && m_bitmap)
                if (CBitmap* bitmap = CBitmap::FromHandle(m_bitmap))
                {
                    const QImage image = bitmap->ToImage();
                    QPoint at(0, 0);
                    if (style & SS_CENTERIMAGE)
                        at = QPoint((width() - image.width()) / 2, (height() - image.height()) / 2);
                    dc.GetPainter()->drawImage(at, image);
                }
            break;
        }
        default:
            PaintText(dc, rc, style, type);
            break;
        }
        if (style & SS_SUNKEN)
            dc.DrawEdge(rc, BDR_SUNKENOUTER, BF_RECT);
        if (style & WS_BORDER)
        {
            CBrush black(RGB(0, 0, 0));
            dc.FrameRect(rc, &black);
        }
        dc.SelectObject(oldFont);
    }

private:
    static COLORREF RectColour(DWORD which)
    {
        // Black, grey and white as the desktop scheme names them.
        return which == 0 ? GetSysColor(COLOR_WINDOWFRAME)
                          : (which == 1 ? GetSysColor(COLOR_BACKGROUND) : GetSysColor(COLOR_WINDOW));
    }

    CONTROLCOLOURS FillBackground(CDC& dc, const CRect& rc)
    {
        CONTROLCOLOURS colours;
        AfxGetControlColours(m_hWnd, CTLCOLOR_STATIC, &colours, &dc);
        if (colours.fill)
        {
            if (colours.hBrush)
                dc.FillRect(rc, CBrush::FromHandle(colours.hBrush));
            else
                dc.FillSolidRect(rc, colours.brushColour);
            // FillSolidRect changes the background colour: put back what the parent chose.
            dc.SetBkColor(colours.textBackColour);
        }
        return colours;
    }

    void PaintText(CDC& dc, CRect rc, DWORD style, DWORD type)
    {
        FillBackground(dc, rc);
        if (!isEnabled())
            dc.SetTextColor(GetSysColor(COLOR_GRAYTEXT));
        UINT format = DT_EXPANDTABS;
        switch (type)
        {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            format |= DT_LEFT | DT_SINGLELINE;
            break;
        default:
            format |= DT_LEFT | DT_WORDBREAK;
            break;
        }
        if (style & SS_NOPREFIX)
            format |= DT_NOPREFIX;
        if (style & SS_CENTERIMAGE)
            format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
        switch (style & SS_WORDELLIPSIS)
        {
        case SS_ENDELLIPSIS:
            format |= DT_END_ELLIPSIS;
            break;
        case SS_PATHELLIPSIS:
            format |= DT_PATH_ELLIPSIS;
            break;
        case SS_WORDELLIPSIS:
            format |= DT_WORD_ELLIPSIS;
            break;
        default:
            break;
        }
        dc.DrawText(m_text, rc, format);
    }
};

StaticWidget* WidgetOf(CWnd* pWnd)
{
    return pWnd ? dynamic_cast<StaticWidget*>(pWnd->GetWidget()) : nullptr;
}

void ApplyStyle(StaticWidget* w, DWORD style)
{
    // Statics without SS_NOTIFY are transparent to the mouse, as on Windows.
    w->setAttribute(Qt::WA_TransparentForMouseEvents, (style & SS_NOTIFY) == 0);
}

QWidget* MakeStatic(HWND hWnd, const CREATESTRUCT& cs, QWidget* parent)
{
    auto* w = new StaticWidget(hWnd, parent);
    w->m_text = cs.lpszName ? cs.lpszName : "";
    ApplyStyle(w, static_cast<DWORD>(cs.style));
    return w;
}

BOOL StaticProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    StaticWidget* w = WidgetOf(pWnd);
    if (!w)
        return FALSE;
    LRESULT& result = *pResult;
    result = 0;
    switch (message)
    {
    case WM_SETTEXT:
        w->m_text = reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "";
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
    case WM_ENABLE:
        w->update();
        return FALSE;
    case WM_STYLECHANGED:
        ApplyStyle(w, static_cast<DWORD>(GetWindowLong(w->m_hWnd, GWL_STYLE)));
        w->update();
        return FALSE;
    case WM_GETDLGCODE:
        result = DLGC_STATIC;
        return TRUE;
    case WM_LBUTTONDOWN:
        if (GetWindowLong(w->m_hWnd, GWL_STYLE) & SS_NOTIFY)
            AfxNotifyParent(w->m_hWnd, STN_CLICKED);
        return FALSE;
    case WM_LBUTTONDBLCLK:
        if (GetWindowLong(w->m_hWnd, GWL_STYLE) & SS_NOTIFY)
            AfxNotifyParent(w->m_hWnd, STN_DBLCLK);
        return FALSE;
    case STM_SETIMAGE:
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
    case STM_GETIMAGE:
        result = wParam == IMAGE_BITMAP ? reinterpret_cast<LRESULT>(w->m_bitmap)
                                        : reinterpret_cast<LRESULT>(w->m_icon);
        return TRUE;
    case STM_SETICON:
        result = reinterpret_cast<LRESULT>(w->m_icon);
        w->m_icon = reinterpret_cast<HICON>(wParam);
        w->update();
        return TRUE;
    case STM_GETICON:
        result = reinterpret_cast<LRESULT>(w->m_icon);
        return TRUE;
    default:
        return FALSE;
    }
}

const struct StaticClassRegistrar
{
    StaticClassRegistrar() { AfxRegisterControlClass(WC_STATIC, &MakeStatic, &StaticProc); }
} staticClassRegistrar;
} // namespace

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_STATIC, lpszText, dwStyle, rect, pParentWnd, nID);
}

HBITMAP CStatic::SetBitmap(HBITMAP hBitmap)
{
    return reinterpret_cast<HBITMAP>(
        SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap)));
}

HBITMAP CStatic::GetBitmap() const
{
    return reinterpret_cast<HBITMAP>(const_cast<CStatic*>(this)->SendMessage(STM_GETIMAGE, IMAGE_BITMAP));
}

HICON CStatic::SetIcon(HICON hIcon)
{
    return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon)));
}

HICON CStatic::GetIcon() const
{
    return reinterpret_cast<HICON>(const_cast<CStatic*>(this)->SendMessage(STM_GETICON));
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}
