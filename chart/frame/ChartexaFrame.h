// CChartexaFrame: an MDI child frame for hosts that show the chart as a document window. It
// cannot be closed from its caption, keeps the document's name out of its caption, and
// repaints its view at once when resized.
#pragma once

#include "chart/ChartexaApi.h"
#include "platform/ui/MdiFrameWnd.h"

#include <cstdint>

class CHARTEXA_API CChartexaFrame : public CMDIChildWndEx
{
    DECLARE_DYNCREATE(CChartexaFrame)

public:
    CChartexaFrame() = default;
    ~CChartexaFrame() override = default;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Always without the document's name.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    int32_t m_Reserved = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
