#include "navhost/MessageLogPane.h"

#include "foundation/WindowMessages.h"
#include "platform/core/RegisteredMessage.h"

#include <ctime>

IMPLEMENT_DYNAMIC(CMessageLogPane, CDockablePane)

BEGIN_MESSAGE_MAP(CMessageLogPane, CDockablePane)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace
{
const UINT kListId = 1;
const char* const kNames[] = {
    WindowMessageNames::UM_ADD_FEATURE,
    WindowMessageNames::UM_AIS_TARGET_DATA,
    WindowMessageNames::UM_BUTTON_BOX,
    WindowMessageNames::UM_ZUDUZURO_MOUSE_DATA,
    WindowMessageNames::UM_ZUDUZURO_ZOOM_DATA,
    WindowMessageNames::UM_CLICK_ON_CHART,
    WindowMessageNames::UM_CLICK_ON_VESSEL_OUTLINE,
    WindowMessageNames::UM_DATA_TIMEOUT,
    WindowMessageNames::UM_DIG_THREAD,
    WindowMessageNames::UM_DTM_THREAD,
    WindowMessageNames::UM_DXF_THREAD,
    WindowMessageNames::UM_EDITBOX_FOCUS_DATA,
    WindowMessageNames::UM_EDITBOX_KILL_FOCUS_DATA,
    WindowMessageNames::UM_EDIT_ANGLE,
    WindowMessageNames::UM_EDIT_CLOCK,
    WindowMessageNames::UM_EDIT_UPDATE,
    WindowMessageNames::UM_END_FEATURE_EDIT,
    WindowMessageNames::UM_FAIRLEAD_UPDATE,
    WindowMessageNames::UM_FEATURE_CLICK,
    WindowMessageNames::UM_FEATURE_UPDATE,
    WindowMessageNames::UM_GEODETIC_UPDATE,
    WindowMessageNames::UM_LIST_BUTTON_PRESS,
    WindowMessageNames::UM_LIST_IMAGE_LIST,
    WindowMessageNames::UM_LIST_SET_ITEMS,
    WindowMessageNames::UM_LIST_START_EDIT,
    WindowMessageNames::UM_LIST_VALIDATE,
    WindowMessageNames::UM_LIVE_EDIT_MODE,
    WindowMessageNames::UM_MOVE_CHART,
    WindowMessageNames::UM_NP159_TIDE_CURVE,
    WindowMessageNames::UM_PAINT_WINDOW,
    WindowMessageNames::UM_PANE_ADJUST,
    WindowMessageNames::UM_RECEIVE_DATA,
    WindowMessageNames::UM_RECOMPUTE_ZUDUZURO_DATA,
    WindowMessageNames::UM_REDRAW_CHART,
    WindowMessageNames::UM_REDRAW_VECTOR_DISPLAY,
    WindowMessageNames::UM_RESET_GRAPH,
    WindowMessageNames::UM_RESET_TIME_SPAN,
    WindowMessageNames::UM_RESET_Y_SPAN,
    WindowMessageNames::UM_RS232_PORT_FOUND,
    WindowMessageNames::UM_SCROLLING_GRAPH,
    WindowMessageNames::UM_SELECT_FEATURE,
    WindowMessageNames::UM_SETTINGS_UPDATE,
    WindowMessageNames::UM_SET_FOCUS,
    WindowMessageNames::UM_SET_FOCUS_FEATURE,
    WindowMessageNames::UM_SHAPE_THREAD,
    WindowMessageNames::UM_SOCKET_EVENT,
    WindowMessageNames::UM_TEMPLATE_CRP_UPDATE,
    WindowMessageNames::UM_TEMPLATE_UPDATE,
    WindowMessageNames::UM_TRAINING,
    WindowMessageNames::UM_UPDATE_CABLE_WEIGHTS,
    WindowMessageNames::UM_UPDATE_ZUDUZURO_DATA,
    WindowMessageNames::UM_UPDATE_DTM,
    WindowMessageNames::UM_UPDATE_FEATURE_POSITION,
    WindowMessageNames::UM_UPDATE_STATION,
    WindowMessageNames::UM_VELOCITY,
};
} // namespace

CString RegisteredMessageName(UINT message)
{
    for (const char* name : kNames)
        if (RegisterWindowMessage(name) == message)
        {
            CString text(name);
            const int hyphen = text.Find("-{");
            return hyphen > 0 ? text.Left(hyphen) : text;
        }
    CString number;
    number.Format("0x%04X", message);
    return number;
}

BOOL CMessageLogPane::Create(CWnd* pParent, UINT nID)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_BOTTOM | CBRS_FLOAT_MULTI;
    return CDockablePane::Create("Message Log", pParent, CRect(0, 0, 400, 120), TRUE, nID, style);
}

int CMessageLogPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDockablePane::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!m_List.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL, CRect(0, 0, 100, 100), this, kListId))
        return -1;
    return 0;
}

void CMessageLogPane::OnSize(UINT nType, int cx, int cy)
{
    CDockablePane::OnSize(nType, cx, cy);
    if (m_List.GetSafeHwnd())
        m_List.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMessageLogPane::Log(const char* text)
{
    if (!m_List.GetSafeHwnd())
        return;
    const std::time_t now = std::time(nullptr);
    char stamp[16] = {};
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    CString line;
    line.Format("%s  %s", stamp, text);
    while (m_List.GetCount() >= kMostLines)
        m_List.DeleteString(0);
    const int index = m_List.AddString(line);
    m_List.SetTopIndex(index);
}

void CMessageLogPane::LogMessage(UINT message, WPARAM wParam, LPARAM lParam, const char* note)
{
    CString text;
    text.Format("%s (%lu, %ld): %s", (LPCSTR)RegisteredMessageName(message), static_cast<unsigned long>(wParam),
                static_cast<long>(lParam), note);
    Log(text);
}

int CMessageLogPane::GetLineCount() const
{
    return m_List.GetSafeHwnd() ? m_List.GetCount() : 0;
}

CString CMessageLogPane::GetLine(int index) const
{
    CString text;
    if (m_List.GetSafeHwnd() && index >= 0 && index < m_List.GetCount())
        m_List.GetText(index, text);
    return text;
}
