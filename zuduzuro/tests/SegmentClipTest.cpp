// Clipping an anchor line to a closed outline: the cases of a square worked out by hand, and
// 2000 random segments over convex and star-shaped polygons against shapely.
#include "zuduzuro/SegmentClip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
// The square (0, 0)–(10, 10).
const tagXY kSquare[] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};

struct Piece
{
    double ax, ay, bx, by;
};

std::vector<Piece> Clip(double sx, double sy, double ex, double ey, const tagXY* polygon, int n)
{
    SegmentPieceDef* pieces = nullptr;
    const int count = ClipSegmentToPolygon(sx, sy, ex, ey, polygon, n, &pieces);
    std::vector<Piece> out;
    for (int i = 0; i < count; ++i)
        out.push_back({pieces[i].First.x, pieces[i].First.y, pieces[i].Last.x, pieces[i].Last.y});
    if (count == 0)
    {
        EXPECT_EQ(pieces, nullptr);
    }
    delete[] pieces;
    return out;
}

std::vector<double> Split(const std::string& line)
{
    std::vector<double> values;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ','))
        values.push_back(std::strtod(field.c_str(), nullptr));
    return values;
}
} // namespace

TEST(SegmentClip, SquareCases)
{
    struct Case
    {
        const char* what;
        double sx, sy, ex, ey;
        std::vector<Piece> want;
    };
    const Case cases[] = {
        {"inside", 2, 2, 8, 7, {{2, 2, 8, 7}}},
        {"outside", 12, 2, 18, 7, {}},
        {"in to out", 5, 5, 15, 5, {{5, 5, 10, 5}}},
        {"out to in", -5, 5, 5, 5, {{0, 5, 5, 5}}},
        {"through", -5, 5, 15, 5, {{0, 5, 10, 5}}},
        // Starting on an edge: that edge's crossing is not counted.
        {"starts on an edge, goes in", 0, 5, 5, 5, {{0, 5, 5, 5}}},
        {"starts on an edge, goes through", 0, 5, 15, 5, {{0, 5, 10, 5}}},
        // A start on the outline once counted as inside wherever the line went, so a line
        // leaving the square gave a piece lying wholly outside it.
        {"starts on an edge, goes out", 10, 5, 15, 5, {}},
        {"starts on a vertex, goes out", 10, 10, 15, 15, {}},
        {"starts on a vertex, goes in", 10, 10, 5, 5, {{10, 10, 5, 5}}},
    };
    for (const Case& c : cases)
    {
        const std::vector<Piece> got = Clip(c.sx, c.sy, c.ex, c.ey, kSquare, 4);
        ASSERT_EQ(got.size(), c.want.size()) << c.what;
        for (size_t i = 0; i < got.size(); ++i)
        {
            EXPECT_NEAR(got[i].ax, c.want[i].ax, 1e-12) << c.what;
            EXPECT_NEAR(got[i].ay, c.want[i].ay, 1e-12) << c.what;
            EXPECT_NEAR(got[i].bx, c.want[i].bx, 1e-12) << c.what;
            EXPECT_NEAR(got[i].by, c.want[i].by, 1e-12) << c.what;
        }
    }
}

TEST(SegmentClip, NothingToClip)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    SegmentPieceDef* pieces = new SegmentPieceDef[3];
    EXPECT_EQ(ClipSegmentToPolygon(1, 1, 5, 5, kSquare, 0, &pieces), 0);
    EXPECT_EQ(pieces, nullptr) << "the old pieces are freed and the pointer cleared";
    EXPECT_EQ(ClipSegmentToPolygon(nan, 1, 5, 5, kSquare, 4, &pieces), 0);
    EXPECT_EQ(ClipSegmentToPolygon(1, 1, 5, HUGE_VAL, kSquare, 4, &pieces), 0);
    const tagXY broken[] = {{0, 0}, {0, nan}, {10, 10}};
    EXPECT_EQ(ClipSegmentToPolygon(1, 1, 5, 5, broken, 3, &pieces), 0);
    EXPECT_EQ(pieces, nullptr);
}

// A long outline costs a sort, not repeated neighbour swaps: a circle of 200000 vertices
// crossed by a zig-zag-free line still gives its one piece.
TEST(SegmentClip, LargeOutline)
{
    const int n = 200000;
    std::vector<tagXY> circle(n);
    for (int i = 0; i < n; ++i)
        circle[i] = {100.0 * std::sin(2 * M_PI * i / n), 100.0 * std::cos(2 * M_PI * i / n)};
    const std::vector<Piece> got = Clip(-200.0, 0.5, 200.0, 0.5, circle.data(), n);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_NEAR(got[0].ax, -std::sqrt(100.0 * 100.0 - 0.25), 1e-3);
    EXPECT_NEAR(got[0].bx, std::sqrt(100.0 * 100.0 - 0.25), 1e-3);
}

TEST(SegmentClip, AgainstShapely)
{
    std::ifstream file(SUITE_SOURCE_DIR "/zuduzuro/tests/data/clip_cases.csv");
    ASSERT_TRUE(file.good());
    std::string line;
    std::getline(file, line); // the generating command
    std::map<int, std::vector<tagXY>> polygons;
    int cases = 0;
    while (std::getline(file, line))
    {
        const char kind = line[0];
        const std::vector<double> v = Split(line.substr(2));
        if (kind == 'P')
        {
            std::vector<tagXY>& points = polygons[static_cast<int>(v[0])];
            for (int i = 0; i < static_cast<int>(v[1]); ++i)
                points.push_back({v[2 + 2 * i], v[3 + 2 * i]});
            continue;
        }
        const std::vector<tagXY>& points = polygons.at(static_cast<int>(v[0]));
        const std::vector<Piece> got =
            Clip(v[1], v[2], v[3], v[4], points.data(), static_cast<int>(points.size()));
        const size_t want = static_cast<size_t>(v[5]);
        ASSERT_EQ(got.size(), want) << line;
        for (size_t i = 0; i < want; ++i)
        {
            const double* p = &v[6 + 4 * i];
            EXPECT_NEAR(got[i].ax, p[0], 1e-9) << line;
            EXPECT_NEAR(got[i].ay, p[1], 1e-9) << line;
            EXPECT_NEAR(got[i].bx, p[2], 1e-9) << line;
            EXPECT_NEAR(got[i].by, p[3], 1e-9) << line;
        }
        ++cases;
    }
    EXPECT_EQ(cases, 2000);
}
