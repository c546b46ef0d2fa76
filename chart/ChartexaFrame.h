// CChartexaFrame: the document window of hosts that show the chart inside their main window's
// area of documents. It cannot be closed by the user and keeps its own caption.
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/ui/MdiFrameWnd.h"

class CHARTEXA_API CChartexaFrame : public CMDIChildWndEx
{
    DECLARE_DYNCREATE(CChartexaFrame)

public:
    CChartexaFrame() = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The document's name never joins the caption.
    void OnUpdateFrameTitle(BOOL addToTitle) override;

    int32_t m_nReserved = 0;

protected:
    int OnCreate(LPCREATESTRUCT createStruct);
    void OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd);
    // Ignored: the window stays open.
    void OnClose();
    // The view is painted at once, so a resize never shows it stretched or empty.
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
