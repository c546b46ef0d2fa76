// The clipping fixtures, written from shapely: data/clip_cases.txt (by
// data/clip_generate_fixtures.py) holds polygons with the area and pieces of their intersection
// with the view, points with whether the polygon contains them, and segments with their visible
// part; data/clip_edge_cases.txt (by data/clip_edge_generate_fixtures.py) holds polygons that
// meet the view's edges exactly, with points inside the view and whether their intersection
// with the view contains them.
#pragma once

#include "foundation/XYArray.h"

#include <vector>

struct ClipCasePoint
{
    double x;
    double y;
    bool inside;
};

struct ClipCasePolygon
{
    int id;
    std::vector<tagXY> points;
    int pieces; // pieces of the intersection
    int joined; // the same, pieces that touch at a point counted as one
    double area;
    std::vector<ClipCasePoint> probes;
};

struct ClipCaseSegment
{
    double x1, y1, x2, y2;
    int result;
    double cx1, cy1, cx2, cy2; // the visible part when result is 0
};

struct ClipCases
{
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    std::vector<ClipCasePolygon> polygons;
    std::vector<ClipCaseSegment> segments;

    // The fixtures, each read once; an unreadable file gives no cases (the tests check the
    // counts).
    static const ClipCases& Get();
    static const ClipCases& EdgeCases();
};

// Area (shoelace) and outline length of each piece of a ClipPolygon result (pieces end with
// DBL_MAX).
struct ClipPiece
{
    double area;
    double perimeter;
};
std::vector<ClipPiece> Pieces(const tagXY* points, int count);
