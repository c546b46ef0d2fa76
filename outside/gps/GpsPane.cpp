#include "outside/gps/GpsPane.h"

#include "platform/ui/Font.h"
#include "platform/ui/WindowDc.h"

#include <QDockWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <cstring>

namespace
{
const UINT kViewId = 1;
} // namespace

BEGIN_MESSAGE_MAP(CGpsPaneView, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
END_MESSAGE_MAP()

void CGpsPaneView::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    if (m_pPane)
        m_pPane->Draw(&dc, rc);
}

BOOL CGpsPaneView::OnEraseBkgnd(CDC*)
{
    // Draw fills the whole client area, so erasing first would only flicker.
    return TRUE;
}

void CGpsPaneView::OnSize(UINT, int, int)
{
    Invalidate(FALSE);
}

CGpsPane::CGpsPane() : m_View(this) {}

CGpsPane::~CGpsPane()
{
    // The surface goes first: its paint would otherwise reach a pane half destroyed.
    if (m_View.GetSafeHwnd())
        m_View.DestroyWindow();
}

BOOL CGpsPane::Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle, CCreateContext* pContext)
{
    if (!CDockablePane::Create(lpszCaption, pParentWnd, rect, bHasGripper, nID, dwStyle, dwTabbedStyle,
                               dwControlBarStyle, pContext))
        return FALSE;
    CRect rc(0, 0, rect.right - rect.left, rect.bottom - rect.top);
    if (!m_View.Create(nullptr, "", WS_CHILD | WS_VISIBLE, rc, this, kViewId))
    {
        DestroyWindow();
        return FALSE;
    }
    // The surface lives in the dock's content area, which its layout keeps below the caption.
    QWidget* content = GetDockWidget() ? GetDockWidget()->widget() : nullptr;
    if (content)
    {
        auto* layout = new QVBoxLayout(content);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_View.GetWidget());
    }
    // The dock keeps room for the drawing to be read; a frame lays its panes out round that.
    if (QWidget* surface = m_View.GetWidget())
        surface->setMinimumHeight(GetMinimumHeight());
    return TRUE;
}

void CGpsPane::SetNightMode(bool bNight)
{
    m_bNight = bNight;
    Redraw();
}

void CGpsPane::Redraw()
{
    if (m_View.GetSafeHwnd())
        m_View.Invalidate(FALSE);
}

COLORREF CGpsPane::BackColour() const
{
    return m_bNight ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

COLORREF CGpsPane::TextColour() const
{
    return m_bNight ? RGB(192, 192, 192) : RGB(0, 0, 0);
}

COLORREF CGpsPane::GridColour() const
{
    return m_bNight ? RGB(64, 64, 64) : RGB(200, 200, 200);
}

CPaneFont::CPaneFont(CDC* pDC, int heightPixels, bool bold) : m_pDC(pDC), m_pFont(new CFont), m_pOld(nullptr)
{
    LOGFONT lf{};
    lf.lfHeight = -heightPixels;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = ANSI_CHARSET;
    std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
    if (m_pFont->CreateFontIndirect(&lf))
        m_pOld = m_pDC->SelectObject(m_pFont);
}

CPaneFont::~CPaneFont()
{
    if (m_pOld)
        m_pDC->SelectObject(m_pOld);
    delete m_pFont;
}
