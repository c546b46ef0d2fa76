#include "outside/panes/GroupProperty.h"

#include "outside/panes/PropertyGridColours.h"

CMFCGroupPropertyGridProperty::CMFCGroupPropertyGridProperty(const CString& strName, int nPosition)
    : CMFCPropertyGridProperty(strName), m_nPosition(nPosition)
{
}

void CMFCGroupPropertyGridProperty::Timeout(bool bTimedOut)
{
    if (m_bTimedOut == bTimedOut)
        return;
    m_bTimedOut = bTimedOut;
    Redraw();
}

bool CMFCGroupPropertyGridProperty::Trigger()
{
    const bool started = !m_bHighlighted;
    m_bHighlighted = true;
    m_bTimedOut = false;
    Redraw();
    return started;
}

void CMFCGroupPropertyGridProperty::Clear()
{
    if (!m_bHighlighted)
        return;
    m_bHighlighted = false;
    Redraw();
}

BOOL CMFCGroupPropertyGridProperty::GetMarkColours(COLORREF& clrText, COLORREF& clrBack) const
{
    if (m_bHighlighted)
    {
        clrText = PANES_HIGHLIGHT_TEXT;
        clrBack = PANES_HIGHLIGHT_BACK;
        return TRUE;
    }
    if (m_bTimedOut)
    {
        clrText = PANES_TIMEOUT_TEXT;
        clrBack = PANES_TIMEOUT_BACK;
        return TRUE;
    }
    return FALSE;
}
