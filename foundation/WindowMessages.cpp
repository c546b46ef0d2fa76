#include "foundation/WindowMessages.h"

#include "platform/core/RegisteredMessage.h"
#include "platform/core/SysColor.h"

const UINT UM_ADD_FEATURE = RegisterWindowMessageA(WindowMessageNames::UM_ADD_FEATURE);
const UINT UM_AIS_TARGET_DATA = RegisterWindowMessageA(WindowMessageNames::UM_AIS_TARGET_DATA);
const UINT UM_BUTTON_BOX = RegisterWindowMessageA(WindowMessageNames::UM_BUTTON_BOX);
const UINT UM_ZUDUZURO_MOUSE_DATA = RegisterWindowMessageA(WindowMessageNames::UM_ZUDUZURO_MOUSE_DATA);
const UINT UM_ZUDUZURO_ZOOM_DATA = RegisterWindowMessageA(WindowMessageNames::UM_ZUDUZURO_ZOOM_DATA);
const UINT UM_CLICK_ON_CHART = RegisterWindowMessageA(WindowMessageNames::UM_CLICK_ON_CHART);
const UINT UM_CLICK_ON_VESSEL_OUTLINE = RegisterWindowMessageA(WindowMessageNames::UM_CLICK_ON_VESSEL_OUTLINE);
const UINT UM_DATA_TIMEOUT = RegisterWindowMessageA(WindowMessageNames::UM_DATA_TIMEOUT);
const UINT UM_DIG_THREAD = RegisterWindowMessageA(WindowMessageNames::UM_DIG_THREAD);
const UINT UM_DTM_THREAD = RegisterWindowMessageA(WindowMessageNames::UM_DTM_THREAD);
const UINT UM_DXF_THREAD = RegisterWindowMessageA(WindowMessageNames::UM_DXF_THREAD);
const UINT UM_EDITBOX_FOCUS_DATA = RegisterWindowMessageA(WindowMessageNames::UM_EDITBOX_FOCUS_DATA);
const UINT UM_EDITBOX_KILL_FOCUS_DATA = RegisterWindowMessageA(WindowMessageNames::UM_EDITBOX_KILL_FOCUS_DATA);
const UINT UM_EDIT_ANGLE = RegisterWindowMessageA(WindowMessageNames::UM_EDIT_ANGLE);
const UINT UM_EDIT_CLOCK = RegisterWindowMessageA(WindowMessageNames::UM_EDIT_CLOCK);
const UINT UM_EDIT_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_EDIT_UPDATE);
const UINT UM_END_FEATURE_EDIT = RegisterWindowMessageA(WindowMessageNames::UM_END_FEATURE_EDIT);
const UINT UM_FAIRLEAD_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_FAIRLEAD_UPDATE);
const UINT UM_FEATURE_CLICK = RegisterWindowMessageA(WindowMessageNames::UM_FEATURE_CLICK);
const UINT UM_FEATURE_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_FEATURE_UPDATE);
const UINT UM_GEODETIC_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_GEODETIC_UPDATE);
const UINT UM_LIST_BUTTON_PRESS = RegisterWindowMessageA(WindowMessageNames::UM_LIST_BUTTON_PRESS);
const UINT UM_LIST_IMAGE_LIST = RegisterWindowMessageA(WindowMessageNames::UM_LIST_IMAGE_LIST);
const UINT UM_LIST_SET_ITEMS = RegisterWindowMessageA(WindowMessageNames::UM_LIST_SET_ITEMS);
const UINT UM_LIST_START_EDIT = RegisterWindowMessageA(WindowMessageNames::UM_LIST_START_EDIT);
const UINT UM_LIST_VALIDATE = RegisterWindowMessageA(WindowMessageNames::UM_LIST_VALIDATE);
const UINT UM_LIVE_EDIT_MODE = RegisterWindowMessageA(WindowMessageNames::UM_LIVE_EDIT_MODE);
const UINT UM_MOVE_CHART = RegisterWindowMessageA(WindowMessageNames::UM_MOVE_CHART);
const UINT UM_NP159_TIDE_CURVE = RegisterWindowMessageA(WindowMessageNames::UM_NP159_TIDE_CURVE);
const UINT UM_PAINT_WINDOW = RegisterWindowMessageA(WindowMessageNames::UM_PAINT_WINDOW);
const UINT UM_PANE_ADJUST = RegisterWindowMessageA(WindowMessageNames::UM_PANE_ADJUST);
const UINT UM_RECEIVE_DATA = RegisterWindowMessageA(WindowMessageNames::UM_RECEIVE_DATA);
const UINT UM_RECOMPUTE_ZUDUZURO_DATA = RegisterWindowMessageA(WindowMessageNames::UM_RECOMPUTE_ZUDUZURO_DATA);
const UINT UM_REDRAW_CHART = RegisterWindowMessageA(WindowMessageNames::UM_REDRAW_CHART);
const UINT UM_REDRAW_VECTOR_DISPLAY = RegisterWindowMessageA(WindowMessageNames::UM_REDRAW_VECTOR_DISPLAY);
const UINT UM_RESET_GRAPH = RegisterWindowMessageA(WindowMessageNames::UM_RESET_GRAPH);
const UINT UM_RESET_TIME_SPAN = RegisterWindowMessageA(WindowMessageNames::UM_RESET_TIME_SPAN);
const UINT UM_RESET_Y_SPAN = RegisterWindowMessageA(WindowMessageNames::UM_RESET_Y_SPAN);
const UINT UM_RS232_PORT_FOUND = RegisterWindowMessageA(WindowMessageNames::UM_RS232_PORT_FOUND);
const UINT UM_SCROLLING_GRAPH = RegisterWindowMessageA(WindowMessageNames::UM_SCROLLING_GRAPH);
const UINT UM_SELECT_FEATURE = RegisterWindowMessageA(WindowMessageNames::UM_SELECT_FEATURE);
const UINT UM_SETTINGS_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_SETTINGS_UPDATE);
const UINT UM_SET_FOCUS = RegisterWindowMessageA(WindowMessageNames::UM_SET_FOCUS);
const UINT UM_SET_FOCUS_FEATURE = RegisterWindowMessageA(WindowMessageNames::UM_SET_FOCUS_FEATURE);
const UINT UM_SHAPE_THREAD = RegisterWindowMessageA(WindowMessageNames::UM_SHAPE_THREAD);
const UINT UM_SOCKET_EVENT = RegisterWindowMessageA(WindowMessageNames::UM_SOCKET_EVENT);
const UINT UM_TEMPLATE_CRP_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_TEMPLATE_CRP_UPDATE);
const UINT UM_TEMPLATE_UPDATE = RegisterWindowMessageA(WindowMessageNames::UM_TEMPLATE_UPDATE);
const UINT UM_TRAINING = RegisterWindowMessageA(WindowMessageNames::UM_TRAINING);
const UINT UM_UPDATE_CABLE_WEIGHTS = RegisterWindowMessageA(WindowMessageNames::UM_UPDATE_CABLE_WEIGHTS);
const UINT UM_UPDATE_ZUDUZURO_DATA = RegisterWindowMessageA(WindowMessageNames::UM_UPDATE_ZUDUZURO_DATA);
const UINT UM_UPDATE_DTM = RegisterWindowMessageA(WindowMessageNames::UM_UPDATE_DTM);
const UINT UM_UPDATE_FEATURE_POSITION = RegisterWindowMessageA(WindowMessageNames::UM_UPDATE_FEATURE_POSITION);
const UINT UM_UPDATE_STATION = RegisterWindowMessageA(WindowMessageNames::UM_UPDATE_STATION);
const UINT UM_VELOCITY = RegisterWindowMessageA(WindowMessageNames::UM_VELOCITY);

const char* const g_RegisteredMessageNames[55] = {
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

const COLORREF g_ButtonFaceColour = GetSysColor(COLOR_BTNFACE);
const COLORREF g_BackgroundColour = GetSysColor(COLOR_BTNFACE);
const COLORREF g_WhiteColour = 0xFFFFFF;
const char g_DxfPaletteName[] = "DXF Pallette";
const char g_DictionaryText[] = "Dictionary";
const char g_NoValueText[] = "n/a";
const char g_NotAvailableText[] = "n/a";
