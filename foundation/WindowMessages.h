// The suite's registered window messages: the internal protocol between panes, views,
// frames, libraries and programs. Every name is "UM_", a name, a hyphen and a GUID in
// braces; the strings must stay exactly as they are, since other modules and the host
// program register the same strings to agree on the numbers.
#pragma once

#include "platform/core/WinTypes.h"

namespace WindowMessageNames
{
inline constexpr const char UM_ADD_FEATURE[] = "UM_ADD_FEATURE-{B17B9B27-AD15-4662-8CC1-ED2D57C54E71}";
inline constexpr const char UM_AIS_TARGET_DATA[] = "UM_AIS_TARGET_DATA-{AABD2EFD-0B79-4173-B733-B2DB0F734342}";
inline constexpr const char UM_BUTTON_BOX[] = "UM_BUTTON_BOX-{7B872FCA-B6B5-44EA-916B-47DA7F786E8F}";
inline constexpr const char UM_ZUDUZURO_MOUSE_DATA[] = "UM_ZUDUZURO_MOUSE_DATA-{E4838FFC-7656-4E23-BC2C-F73C1F4C12CD}";
inline constexpr const char UM_ZUDUZURO_ZOOM_DATA[] = "UM_ZUDUZURO_ZOOM_DATA-{5A16D551-8266-4FF7-AEB4-4A9153C20A82}";
inline constexpr const char UM_CLICK_ON_CHART[] = "UM_CLICK_ON_CHART-{8E0C70FA-1F26-4425-91C5-6837E0F0ADB6}";
inline constexpr const char UM_CLICK_ON_VESSEL_OUTLINE[] = "UM_CLICK_ON_VESSEL_OUTLINE-{50AB646D-CB71-47F2-8A18-A5A26150FCF8}";
inline constexpr const char UM_DATA_TIMEOUT[] = "UM_DATA_TIMEOUT-{2E7B1758-0EF5-4223-BB67-95FCFB8AA1C6}";
inline constexpr const char UM_DIG_THREAD[] = "UM_DIG_THREAD-{E133FF3E-0E67-4ED0-AC7B-AF761B5A2C91}";
inline constexpr const char UM_DTM_THREAD[] = "UM_DTM_THREAD-{9F2A6FA3-F880-49BD-A419-2FF832AEB925}";
inline constexpr const char UM_DXF_THREAD[] = "UM_DXF_THREAD-{975DB4D0-EECB-4E2D-9923-D997961574DC}";
inline constexpr const char UM_EDITBOX_FOCUS_DATA[] = "UM_EDITBOX_FOCUS_DATA-{67f4b673-533f-4e09-8003-365c753e8457}";
inline constexpr const char UM_EDITBOX_KILL_FOCUS_DATA[] = "UM_EDITBOX_KILL_FOCUS_DATA-{9db42070-6b61-4e40-861f-c7d57f74ec34}";
inline constexpr const char UM_EDIT_ANGLE[] = "UM_EDIT_ANGLE-{7D2954D2-4F1F-437B-A949-7C671A7D9B0A}";
inline constexpr const char UM_EDIT_CLOCK[] = "UM_EDIT_CLOCK-{31F9D04C-A8B1-4154-9C02-1E833A079E3B}";
inline constexpr const char UM_EDIT_UPDATE[] = "UM_EDIT_UPDATE-{152748D2-5AB3-468A-85C3-E383DF168347}";
inline constexpr const char UM_END_FEATURE_EDIT[] = "UM_END_FEATURE_EDIT-{91699B74-506B-4F2B-9254-330B15D1B89A}";
inline constexpr const char UM_FAIRLEAD_UPDATE[] = "UM_FAIRLEAD_UPDATE-{9DA399C4-DE95-47BF-84F0-A658EB769EBD}";
inline constexpr const char UM_FEATURE_CLICK[] = "UM_FEATURE_CLICK-{4978D3EA-A4BF-4038-B027-8BA13F563165}";
inline constexpr const char UM_FEATURE_UPDATE[] = "UM_FEATURE_UPDATE-{AEF9F662-572B-47C4-97DE-69C2B6BC940D}";
inline constexpr const char UM_GEODETIC_UPDATE[] = "UM_GEODETIC_UPDATE-{BFD3C2E8-E721-40C9-BE30-4F62AE03F478}";
inline constexpr const char UM_LIST_BUTTON_PRESS[] = "UM_LIST_BUTTON_PRESS-{9D0A06D6-A65D-4FFC-ACEF-101B0AC20CA4}";
inline constexpr const char UM_LIST_IMAGE_LIST[] = "UM_LIST_IMAGE_LIST-{7F2CA28D-1A45-4ECC-878A-15E64D3C92B9}";
inline constexpr const char UM_LIST_SET_ITEMS[] = "UM_LIST_SET_ITEMS-{DFD60003-CA7F-4702-B4EC-26E3A9B87C75}";
inline constexpr const char UM_LIST_START_EDIT[] = "UM_LIST_START_EDIT-{B151B0C2-F50D-45B6-A9D2-D394C0B04B07}";
inline constexpr const char UM_LIST_VALIDATE[] = "UM_LIST_VALIDATE-{6C311578-E643-42A6-84F5-4E453E27A11C}";
inline constexpr const char UM_LIVE_EDIT_MODE[] = "UM_LIVE_EDIT_MODE-{2E07FB4F-A1D2-4A63-9759-CBDF75627FDB}";
inline constexpr const char UM_MOVE_CHART[] = "UM_MOVE_CHART-{59F3CD45-65FB-4FC0-BC98-EC20CBF9A259}";
inline constexpr const char UM_NP159_TIDE_CURVE[] = "UM_NP159_TIDE_CURVE-{94D67B3E-9545-4523-A085-F52313D36B1E}";
inline constexpr const char UM_PAINT_WINDOW[] = "UM_PAINT_WINDOW-{73DA41D9-30B0-4F1A-8034-B33C62AD5197}";
inline constexpr const char UM_PANE_ADJUST[] = "UM_PANE_ADJUST-{FF735622-1A96-4124-92E0-124E63FD1EDC}";
inline constexpr const char UM_RECEIVE_DATA[] = "UM_RECEIVE_DATA-{DD9FC8F8-082F-44C1-832B-8D75C832129A}";
inline constexpr const char UM_RECOMPUTE_ZUDUZURO_DATA[] = "UM_RECOMPUTE_ZUDUZURO_DATA-{A4CE1045-EAC7-484E-BC98-51CEFF14CDBC}";
inline constexpr const char UM_REDRAW_CHART[] = "UM_REDRAW_CHART-{B4AB50B7-71FA-49B5-9AED-9542935FE08C}";
inline constexpr const char UM_REDRAW_VECTOR_DISPLAY[] = "UM_REDRAW_VECTOR_DISPLAY-{4A2F2607-858E-4441-A158-B5EAEC0DF087}";
inline constexpr const char UM_RESET_GRAPH[] = "UM_RESET_GRAPH-{26B62658-F4B5-492A-A1EB-45FD645A5CF1}";
inline constexpr const char UM_RESET_TIME_SPAN[] = "UM_RESET_TIME_SPAN-{CDEB9DB6-A4F7-4D10-8A0A-31B09A7C915E}";
inline constexpr const char UM_RESET_Y_SPAN[] = "UM_RESET_Y_SPAN-{642855E3-0920-4AC3-80F7-48C2FDC356DB}";
inline constexpr const char UM_RS232_PORT_FOUND[] = "UM_RS232_PORT_FOUND-{37CC25F6-DF52-462B-BEA9-1216FA2DAF8D}";
inline constexpr const char UM_SCROLLING_GRAPH[] = "UM_SCROLLING_GRAPH-{E2B34EFD-6C4C-428D-95DD-BD90EA2B4920}";
inline constexpr const char UM_SELECT_FEATURE[] = "UM_SELECT_FEATURE-{5C93CA4F-CAD5-40A0-9491-CEAE5415A58A}";
inline constexpr const char UM_SETTINGS_UPDATE[] = "UM_SETTINGS_UPDATE-{650DFEC8-C4F4-4980-A4C3-946F165CE350}";
inline constexpr const char UM_SET_FOCUS[] = "UM_SET_FOCUS-{4A2F2607-858E-4441-A158-B5EAEC0DF087}";
inline constexpr const char UM_SET_FOCUS_FEATURE[] = "UM_SET_FOCUS_FEATURE-{66638E31-1D19-4E04-8644-B1F2231F611C}";
inline constexpr const char UM_SHAPE_THREAD[] = "UM_SHAPE_THREAD-{818769EA-707B-473E-A385-13648520391D}";
inline constexpr const char UM_SOCKET_EVENT[] = "UM_SOCKET_EVENT-{19ED1659-6C08-4141-A652-628ABE80BE34}";
inline constexpr const char UM_TEMPLATE_CRP_UPDATE[] = "UM_TEMPLATE_CRP_UPDATE-{AE977688-C622-400E-AFE0-F8ACF5C3FA9E}";
inline constexpr const char UM_TEMPLATE_UPDATE[] = "UM_TEMPLATE_UPDATE-{B65E9B1A-5079-4479-AAEB-D82BC7F67284}";
inline constexpr const char UM_TRAINING[] = "UM_TRAINING-{1A610530-4137-4B1F-9795-9F393CD1CB36}";
inline constexpr const char UM_UPDATE_CABLE_WEIGHTS[] = "UM_UPDATE_CABLE_WEIGHTS-{1FE9490B-BA9D-4418-B07A-452F9D53E760}";
inline constexpr const char UM_UPDATE_ZUDUZURO_DATA[] = "UM_UPDATE_ZUDUZURO_DATA-{F36DB733-B2D5-4C50-88DA-9C129B52AD93}";
inline constexpr const char UM_UPDATE_DTM[] = "UM_UPDATE_DTM-{53EBC282-85B0-44E1-90AF-F76CF4143CFE}";
inline constexpr const char UM_UPDATE_FEATURE_POSITION[] = "UM_UPDATE_FEATURE_POSITION-{9C170A19-3E7A-40B6-8B43-6A0D798FB790}";
inline constexpr const char UM_UPDATE_STATION[] = "UM_UPDATE_STATION-{D1BAA4E7-933A-4D89-AE8E-B7AA68535619}";
inline constexpr const char UM_VELOCITY[] = "UM_VELOCITY-{1D15AD76-F60A-4A1D-A9DA-0C1DED6EBDE6}";
} // namespace WindowMessageNames

// Numbers, registered during static initialisation of the module. Each deliverable that
// links this library registers them in its own module, as every module of the suite does.
extern const UINT UM_ADD_FEATURE;
extern const UINT UM_AIS_TARGET_DATA;
extern const UINT UM_BUTTON_BOX;
extern const UINT UM_ZUDUZURO_MOUSE_DATA;
extern const UINT UM_ZUDUZURO_ZOOM_DATA;
extern const UINT UM_CLICK_ON_CHART;
extern const UINT UM_CLICK_ON_VESSEL_OUTLINE;
extern const UINT UM_DATA_TIMEOUT;
extern const UINT UM_DIG_THREAD;
extern const UINT UM_DTM_THREAD;
extern const UINT UM_DXF_THREAD;
extern const UINT UM_EDITBOX_FOCUS_DATA;
extern const UINT UM_EDITBOX_KILL_FOCUS_DATA;
extern const UINT UM_EDIT_ANGLE;
extern const UINT UM_EDIT_CLOCK;
extern const UINT UM_EDIT_UPDATE;
extern const UINT UM_END_FEATURE_EDIT;
extern const UINT UM_FAIRLEAD_UPDATE;
extern const UINT UM_FEATURE_CLICK;
extern const UINT UM_FEATURE_UPDATE;
extern const UINT UM_GEODETIC_UPDATE;
extern const UINT UM_LIST_BUTTON_PRESS;
extern const UINT UM_LIST_IMAGE_LIST;
extern const UINT UM_LIST_SET_ITEMS;
extern const UINT UM_LIST_START_EDIT;
extern const UINT UM_LIST_VALIDATE;
extern const UINT UM_LIVE_EDIT_MODE;
extern const UINT UM_MOVE_CHART;
extern const UINT UM_NP159_TIDE_CURVE;
extern const UINT UM_PAINT_WINDOW;
extern const UINT UM_PANE_ADJUST;
extern const UINT UM_RECEIVE_DATA;
extern const UINT UM_RECOMPUTE_ZUDUZURO_DATA;
extern const UINT UM_REDRAW_CHART;
extern const UINT UM_REDRAW_VECTOR_DISPLAY;
extern const UINT UM_RESET_GRAPH;
extern const UINT UM_RESET_TIME_SPAN;
extern const UINT UM_RESET_Y_SPAN;
extern const UINT UM_RS232_PORT_FOUND;
extern const UINT UM_SCROLLING_GRAPH;
extern const UINT UM_SELECT_FEATURE;
extern const UINT UM_SETTINGS_UPDATE;
extern const UINT UM_SET_FOCUS;
extern const UINT UM_SET_FOCUS_FEATURE;
extern const UINT UM_SHAPE_THREAD;
extern const UINT UM_SOCKET_EVENT;
extern const UINT UM_TEMPLATE_CRP_UPDATE;
extern const UINT UM_TEMPLATE_UPDATE;
extern const UINT UM_TRAINING;
extern const UINT UM_UPDATE_CABLE_WEIGHTS;
extern const UINT UM_UPDATE_ZUDUZURO_DATA;
extern const UINT UM_UPDATE_DTM;
extern const UINT UM_UPDATE_FEATURE_POSITION;
extern const UINT UM_UPDATE_STATION;
extern const UINT UM_VELOCITY;

// Every name of the table, in table order, for code that walks it.
extern const char* const g_RegisteredMessageNames[55];

// wParam of UM_EDIT_UPDATE: the control's identifier in the low word and the low 16 bits of
// the message's own number in the high word, so a receiver can tell it from a stray post.
inline WPARAM EditUpdateWParam(UINT controlId)
{
    return MAKEWPARAM(static_cast<WORD>(controlId), static_cast<WORD>(UM_EDIT_UPDATE));
}

// Static values set up with the table.
extern const COLORREF g_ButtonFaceColour;
extern const COLORREF g_BackgroundColour;
extern const COLORREF g_WhiteColour;
extern const char g_DxfPaletteName[];
extern const char g_DictionaryText[];
extern const char g_NoValueText[];
extern const char g_NotAvailableText[];
