#include "acoustic/engine/Graph.h"

#include <new>

CGraph::CGraph(CWnd* owner_) : owner(owner_)
{
    SetDefaults();
    legendBox.SetRectEmpty();
    plotArea.SetRectEmpty();
    graphArea.SetRectEmpty();
}

CGraph::~CGraph()
{
    RemoveAll();
}

void CGraph::SetDefaults()
{
    squarePlot = 0;
    shadow = 1;
    legendShadow = 0;
    mode = GRAPH_LINES;
    titleAtBottom = 0;
    legendPosition = GRAPH_LEGEND_NONE;
    legendFramePen = {PS_SOLID, 1, 0};
    graphFramePen = {PS_SOLID, 1, 0};
    hatchStyle = -1;
    barsAcrossHeight = 0;
    barGap = 2;
    labelScale = 1.0;
    titleColour = 0;
    legendTextColour = 0;
    legendBackground = 0xFFFFFF;
    graphBackground = 0xFFFFFF;
    plotBackground = 0xFFFFFF;
    hatchColour = 0;
    title.Empty();
}

CGraphSeries* CGraph::AddSeries(CXYArray* data)
{
    auto* series = new (std::nothrow) CGraphSeries;
    if (!series)
        return nullptr;
    if (data)
        series->data = data;
    seriesList.AddTail(series);
    return series;
}

void CGraph::RemoveAll()
{
    while (!seriesList.IsEmpty())
    {
        auto* series = static_cast<CGraphSeries*>(seriesList.RemoveHead());
        if (series->owned == 1)
            delete series;
    }
    for (CPtrList* axes : {&horizontalAxes, &verticalAxes})
        while (!axes->IsEmpty())
            delete static_cast<CGraphAxis*>(axes->RemoveHead());
}
