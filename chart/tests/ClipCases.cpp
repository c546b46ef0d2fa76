#include "ClipCases.h"

#include <cfloat>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
ClipCases Read(const char* name)
{
    ClipCases cases;
    std::ifstream in(std::string(SUITE_SOURCE_DIR "/chart/tests/data/") + name);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream fields(line);
        std::string kind;
        fields >> kind;
        if (kind == "view")
            fields >> cases.xmin >> cases.ymin >> cases.xmax >> cases.ymax;
        else if (kind == "polygon")
        {
            ClipCasePolygon polygon{};
            int n = 0;
            fields >> polygon.id >> n >> polygon.pieces >> polygon.joined >> polygon.area;
            for (int i = 0; i < n && std::getline(in, line); ++i)
            {
                std::istringstream xy(line);
                tagXY p{};
                xy >> p.x >> p.y;
                polygon.points.push_back(p);
            }
            cases.polygons.push_back(polygon);
        }
        else if (kind == "point" && !cases.polygons.empty())
        {
            ClipCasePoint p{};
            int inside = 0;
            fields >> p.x >> p.y >> inside;
            p.inside = inside != 0;
            cases.polygons.back().probes.push_back(p);
        }
        else if (kind == "segment")
        {
            ClipCaseSegment s{};
            fields >> s.x1 >> s.y1 >> s.x2 >> s.y2 >> s.result;
            if (s.result == 0)
                fields >> s.cx1 >> s.cy1 >> s.cx2 >> s.cy2;
            cases.segments.push_back(s);
        }
    }
    return cases;
}
} // namespace

const ClipCases& ClipCases::Get()
{
    static const ClipCases cases = Read("clip_cases.txt");
    return cases;
}

const ClipCases& ClipCases::EdgeCases()
{
    static const ClipCases cases = Read("clip_edge_cases.txt");
    return cases;
}

std::vector<ClipPiece> Pieces(const tagXY* points, int count)
{
    std::vector<ClipPiece> pieces;
    double twice = 0.0, perimeter = 0.0;
    int start = 0;
    for (int i = 0; i < count; ++i)
    {
        if (points[i].x == DBL_MAX)
        {
            pieces.push_back({std::fabs(twice) / 2.0, perimeter});
            twice = perimeter = 0.0;
            start = i + 1;
            continue;
        }
        const bool last = i + 1 >= count || points[i + 1].x == DBL_MAX;
        const tagXY& next = last ? points[start] : points[i + 1];
        twice += points[i].x * next.y - next.x * points[i].y;
        perimeter += std::hypot(next.x - points[i].x, next.y - points[i].y);
    }
    return pieces;
}
