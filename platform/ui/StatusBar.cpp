#include "platform/ui/StatusBar.h"

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

IMPLEMENT_DYNAMIC(CMFCStatusBar, CWnd)
IMPLEMENT_DYNAMIC(CStatusBar, CMFCStatusBar)

CMFCStatusBar::CMFCStatusBar() = default;

CMFCStatusBar::~CMFCStatusBar()
{
    m_pRow = nullptr;
}

BOOL CMFCStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || GetSafeHwnd() != nullptr)
        return FALSE;
    auto* row = new QWidget();
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(2);
    CRect client;
    pParentWnd->GetClientRect(&client);
    const int height = row->fontMetrics().height() + 8;
    const CRect rect(0, client.bottom - height, client.right, client.bottom);
    if (!CreateFromWidget(row, 0, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    m_pRow = row;
    // In a frame the bar sits along the frame's bottom edge.
    if (pParentWnd->IsFrameWnd())
        pParentWnd->ToFrameWnd()->AddControlBar(this);
    return TRUE;
}

BOOL CMFCStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (m_pRow == nullptr || nIDCount < 0 || (nIDCount > 0 && lpIDArray == nullptr))
        return FALSE;
    for (Pane& p : m_panes)
        delete p.label;
    m_panes.clear();
    auto* layout = static_cast<QHBoxLayout*>(m_pRow->layout());
    bool stretched = false;
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane pane;
        pane.id = lpIDArray[i];
        if (pane.id == ID_SEPARATOR && !stretched)
        {
            pane.style = SBPS_STRETCH | SBPS_NOBORDERS;
            stretched = true;
        }
        else if (pane.id != ID_SEPARATOR)
            AfxLoadString(pane.id, pane.text);
        pane.label = new QLabel(m_pRow);
        layout->addWidget(pane.label, (pane.style & SBPS_STRETCH) ? 1 : 0);
        ShowPane(pane);
        m_panes.push_back(pane);
    }
    return TRUE;
}

void CMFCStatusBar::ShowPane(Pane& pane)
{
    if (pane.label == nullptr)
        return;
    pane.label->setText(QString::fromLatin1(static_cast<LPCSTR>(pane.text)));
    pane.label->setFrameStyle((pane.style & SBPS_NOBORDERS) ? QFrame::NoFrame : (QFrame::Panel | QFrame::Sunken));
    pane.label->setEnabled(!(pane.style & SBPS_DISABLED));
    if (pane.style & SBPS_STRETCH)
    {
        pane.label->setMinimumWidth(0);
        pane.label->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    else if (pane.width > 0)
        pane.label->setFixedWidth(pane.width);
    if (auto* layout = m_pRow ? static_cast<QHBoxLayout*>(m_pRow->layout()) : nullptr)
        layout->setStretchFactor(pane.label, (pane.style & SBPS_STRETCH) ? 1 : 0);
}

UINT CMFCStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].id : 0;
}

int CMFCStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[static_cast<size_t>(i)].id == nIDFind)
            return i;
    return -1;
}

void CMFCStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.id = nID;
    pane.style = nStyle;
    pane.width = cxWidth;
    ShowPane(pane);
}

void CMFCStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        nID = 0;
        nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    nID = pane.id;
    nStyle = pane.style;
    cxWidth = pane.width;
}

UINT CMFCStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].style : 0;
}

void CMFCStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_panes[static_cast<size_t>(nIndex)].style = nStyle;
    ShowPane(m_panes[static_cast<size_t>(nIndex)]);
}

int CMFCStatusBar::GetPaneWidth(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    const Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    return (pane.style & SBPS_STRETCH) && pane.label ? pane.label->width() : pane.width;
}

void CMFCStatusBar::SetPaneWidth(int nIndex, int cx)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    m_panes[static_cast<size_t>(nIndex)].width = cx;
    ShowPane(m_panes[static_cast<size_t>(nIndex)]);
}

BOOL CMFCStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[static_cast<size_t>(nIndex)];
    pane.text = lpszNewText ? lpszNewText : "";
    if (pane.label)
    {
        pane.label->setText(QString::fromLatin1(static_cast<LPCSTR>(pane.text)));
        // Positions written while the mouse moves must show before the next event.
        if (bUpdate)
            pane.label->repaint();
    }
    return TRUE;
}

CString CMFCStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].text : CString();
}

void CMFCStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = CRect(0, 0, 0, 0);
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[static_cast<size_t>(nIndex)].label == nullptr)
        return;
    const QRect r = m_panes[static_cast<size_t>(nIndex)].label->geometry();
    *lpRect = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}
