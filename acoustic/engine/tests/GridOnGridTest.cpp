#include "acoustic/engine/GridOnGrid.h"
#include "acoustic/engine/tests/FixtureLines.h"

#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace
{
struct FixtureCase
{
    std::string name;
    int mode = 0, rotation = 0, shift = 0;
    std::vector<GridOnGridDef> pairs;
    double want[8] = {}; // dE dN SF1 SF2 A B C D
};

std::vector<FixtureCase> ReadFixture()
{
    std::vector<FixtureCase> cases;
    ForEachFixtureLine("grid_on_grid.txt", [&cases](const std::string& kind, std::istringstream& fields) {
        if (kind == "case")
        {
            cases.emplace_back();
            fields >> cases.back().name >> cases.back().mode >> cases.back().rotation >> cases.back().shift;
        }
        else if (kind == "pt")
        {
            GridOnGridDef p{};
            fields >> p.EastingA >> p.NorthingA >> p.EastingB >> p.NorthingB;
            cases.back().pairs.push_back(p);
        }
        else if (kind == "want")
        {
            for (double& v : cases.back().want)
                fields >> v;
        }
    });
    return cases;
}

void Fill(CGridOnGrid& g, const std::vector<GridOnGridDef>& pairs)
{
    g.RemoveAll();
    for (const GridOnGridDef& p : pairs)
        g.Add(p);
}

std::vector<std::string> Report(const CGridOnGrid& g)
{
    CStringArray lines;
    lines.Add("left over");
    g.GetReport(lines);
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        out.emplace_back(lines[i].GetString());
    return out;
}

// A pure similarity: E = 1000 + 2 (cos 30 X + sin 30 Y), N = -500 + 2 (-sin 30 X + cos 30 Y).
std::vector<GridOnGridDef> Similarity(int count)
{
    const double c = 2 * std::cos(30 * M_PI / 180), s = 2 * std::sin(30 * M_PI / 180);
    std::vector<GridOnGridDef> pairs;
    const double xy[][2] = {{10, 20}, {-40, 5}, {33, -17}, {-8, -29}, {50, 44}};
    for (int i = 0; i < count; ++i)
    {
        const double x = xy[i][0], y = xy[i][1];
        pairs.push_back({x, y, 1000 + c * x + s * y, -500 - s * x + c * y});
    }
    return pairs;
}
} // namespace

TEST(GridOnGrid, EveryModelAgainstProjAndNumpy)
{
    const auto cases = ReadFixture();
    ASSERT_EQ(cases.size(), 26u);
    for (const FixtureCase& c : cases)
    {
        CGridOnGrid g;
        g.m_ScaleMode = c.mode;
        g.m_Rotation = static_cast<unsigned char>(c.rotation);
        g.m_Shift = static_cast<unsigned char>(c.shift);
        Fill(g, c.pairs);
        // A pair of zeros anywhere is passed over.
        g.InsertAt(3, GridOnGridDef{0, 0, 0, 0});
        ASSERT_TRUE(g.Compute()) << c.name;
        EXPECT_NEAR(g.m_dE, c.want[0], 1e-6) << c.name;
        EXPECT_NEAR(g.m_dN, c.want[1], 1e-6) << c.name;
        EXPECT_NEAR(g.m_SF1, c.want[2], 1e-9) << c.name;
        EXPECT_NEAR(g.m_SF2, c.want[3], 1e-9) << c.name;
        EXPECT_NEAR(g.m_A, c.want[4], 1e-10) << c.name;
        EXPECT_NEAR(g.m_B, c.want[5], 1e-10) << c.name;
        EXPECT_NEAR(g.m_C, c.want[6], 1e-10) << c.name;
        EXPECT_NEAR(g.m_D, c.want[7], 1e-10) << c.name;
        if (c.rotation)
        {
            // The rotation agrees with the matrix it came from.
            EXPECT_NEAR(g.m_SinR, std::sin(g.m_R / 57.2957795131), 1e-12) << c.name;
            EXPECT_NEAR(g.m_CosR, std::cos(g.m_R / 57.2957795131), 1e-12) << c.name;
            EXPECT_GE(g.m_R, 0.0);
            EXPECT_LT(g.m_R, 360.0);
        }
        else
        {
            EXPECT_EQ(g.m_R, 0.0) << c.name;
            EXPECT_EQ(g.m_SinR, 0.0) << c.name;
            EXPECT_EQ(g.m_CosR, 0.0) << c.name;
        }
    }
}

TEST(GridOnGrid, ReportLinesOfEveryModel)
{
    CGridOnGrid g;
    g.m_dE = 1234.5678;
    g.m_dN = -98.7654;
    g.m_R = 7.25;
    g.m_SinR = 0.126199;
    g.m_CosR = 0.992004;
    g.m_SF1 = 1.000123456;
    g.m_SF2 = 0.999876543;
    g.m_A = 1.1;
    g.m_B = 0.2;
    g.m_C = -0.3;
    g.m_D = 0.9;
    g.m_StatsE.StandardDeviation = 0.987654;
    g.m_StatsN.StandardDeviation = 0.012345;
    using Lines = std::vector<std::string>;
    struct
    {
        int mode, rotation, shift;
        Lines want;
    } rows[] = {
        {0,
         1,
         1,
         {"Easting   = dE + cos(R) * X + sin(R) * Y", "Northing  = dN - sin(R) * X + cos(R) * Y", "",
          "Origin Easting     1234.57", "Origin Northing     -98.77", "", "Rotation = 7.25000",
          "sin(R) = 0.12619900", "cos(R) = 0.99200400"}},
        {0,
         0,
         1,
         {"Easting   = dE + X", "Northing  = dN + Y", "", "Origin Easting     1234.57  S.E. 0.988",
          "Origin Northing     -98.77  S.E. 0.012"}},
        {0,
         1,
         0,
         {"Easting   = cos(R) * X + sin(R) * Y", "Northing  = - sin(R) * X + cos(R) * Y", "",
          "Rotation (R) = 7.25000", "sin(R) = 0.12619900", "cos(R) = 0.99200400"}},
        {0, 0, 0, {"Easting   = X", "Northing  = Y", ""}},
        {1,
         0,
         0,
         {"Easting   = SF * X", "Northing  = SF * Y", "", "Scale Factor 1.00012346  S.E. 0.98765400"}},
        {1,
         1,
         0,
         {"Easting   = SF * (cos(R) * X + sin(R) * Y)", "Northing  = SF * (-sin(R) * X + cos(R) * Y)", "",
          "Scale Factor 1.00012346", "", "Rotation = 7.25000", "sin(R) = 0.12619900", "cos(R) = 0.99200400"}},
        {1,
         1,
         1,
         {"Easting   = dE + SF * (cos(R) * X + sin(R) * Y)",
          "Northing  = dN + SF * (-sin(R) * X + cos(R) * Y)", "", "Origin Easting     1234.57",
          "Origin Northing     -98.77", "", "Scale Factor = 1.00012346", "", "Rotation (R) = 7.25000",
          "sin(R) = 0.12619900", "cos(R) = 0.99200400"}},
        {1,
         0,
         1,
         {"Easting   = dE + SF * X", "Northing  = dN + SF * Y", "", "Origin Easting     1234.57",
          "Origin Northing     -98.77", "", "Scale Factor = 1.00012346  S.E. 0.98765400"}},
        {2,
         1,
         1,
         {"Easting   = dE + A * X + B * Y", "Northing  = dN + C * X + D * Y", "",
          "Origin Easting     1234.57", "Origin Northing     -98.77", "", "A = 1.10000000", "B = 0.20000000",
          "C = -0.30000000", "D = 0.90000000"}},
        {2,
         0,
         1,
         {"Easting   = dE + SF1 * X", "Northing  = dN + SF2 * Y", "", "Origin Easting     1234.57",
          "Origin Northing     -98.77", "", "SF (Eng) = 1.00012346  Confidence 98.8%",
          "SF (Nng) = 0.99987654  Confidence 1.2%"}},
        {2,
         1,
         0,
         {"Easting   = A * X + B * Y", "Northing  = C * X + D * Y", "", "A = 1.10000000", "B = 0.20000000",
          "C = -0.30000000", "D = 0.90000000"}},
        {2,
         0,
         0,
         {"Easting   = SF1 * X", "Northing  = SF2 * Y", "", "SF (Eng) = 1.00012346  S.E. 0.98765400",
          "SF (Nng) = 0.99987654  S.E. 0.01234500"}},
    };
    for (const auto& row : rows)
    {
        g.m_ScaleMode = row.mode;
        g.m_Rotation = static_cast<unsigned char>(row.rotation);
        g.m_Shift = static_cast<unsigned char>(row.shift);
        EXPECT_EQ(Report(g), row.want) << row.mode << row.rotation << row.shift;
    }
    g.m_ScaleMode = 3;
    EXPECT_TRUE(Report(g).empty());
    g.m_ScaleMode = -1;
    EXPECT_TRUE(Report(g).empty());
}

TEST(GridOnGrid, QuarterTurnReport)
{
    CGridOnGrid g;
    g.m_ScaleMode = 0;
    g.m_Rotation = 1;
    g.m_Shift = 1;
    for (const FixtureCase& c : ReadFixture())
        if (c.name == "quarter_turn_exact")
            Fill(g, c.pairs);
    ASSERT_TRUE(g.Compute());
    const auto lines = Report(g);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3], "Origin Easting      100.00");
    EXPECT_EQ(lines[4], "Origin Northing     200.00");
    EXPECT_EQ(lines[6], "Rotation = 90.00000");
    EXPECT_EQ(lines[7], "sin(R) = 1.00000000");
    EXPECT_EQ(lines[8], "cos(R) = 0.00000000");
}

TEST(GridOnGrid, TooFewOrDegeneratePairsKeepThePreviousSolution)
{
    CGridOnGrid g;
    g.m_ScaleMode = 1;
    g.m_Rotation = 1;
    g.m_Shift = 1;
    Fill(g, Similarity(3));
    EXPECT_FALSE(g.Compute()) << "the similarity needs four pairs";
    EXPECT_EQ(g.m_SF1, 1.0);
    EXPECT_EQ(g.m_dE, 0.0);
    Fill(g, Similarity(4));
    ASSERT_TRUE(g.Compute());
    EXPECT_NEAR(g.m_SF1, 2.0, 1e-12);
    EXPECT_NEAR(g.m_R, 30.0, 1e-9);
    EXPECT_NEAR(g.m_dE, 1000.0, 1e-9);
    const double previousE = g.m_dE, previousA = g.m_A;

    struct
    {
        const char* what;
        int mode, rotation, shift;
        std::vector<GridOnGridDef> pairs;
    } bad[] = {
        {"similarity, one place four times",
         1,
         1,
         1,
         {{5, 5, 7, 7}, {5, 5, 7, 7}, {5, 5, 7, 7}, {5, 5, 7, 7}}},
        {"affine, points on a line",
         2,
         1,
         1,
         {{0, 0, 10, 10}, {1, 2, 11, 12}, {2, 4, 12, 14}, {3, 6, 13, 16}}},
        {"affine, repeated points", 2, 1, 1, {{3.1, 4.7, 1, 1}, {3.1, 4.7, 1, 1}, {3.1, 4.7, 1, 1}}},
        {"linear, on a line through the origin", 2, 1, 0, {{1, 2, 3, 4}, {2, 4, 6, 8}, {-3, -6, 1, 1}}},
        {"line fits, every X the same",
         2,
         0,
         1,
         {{400123.456, 1, 5, 6}, {400123.456, 2, 7, 8}, {400123.456, 3, 9, 1}}},
        {"line fits, every Y the same",
         1,
         0,
         1,
         {{1, 6500000.1, 5, 6}, {2, 6500000.1, 7, 8}, {3, 6500000.1, 9, 1}}},
        {"scaled rotation, one pair", 1, 1, 0, {{1, 2, 3, 4}}},
        {"ratio, every X zero", 2, 0, 0, {{0, 2, 3, 4}, {0, 5, 6, 7}}},
        {"mean differences, only zero pairs", 0, 0, 1, {{0, 0, 0, 0}, {0, 0, 0, 0}}},
    };
    for (const auto& b : bad)
    {
        g.m_ScaleMode = b.mode;
        g.m_Rotation = static_cast<unsigned char>(b.rotation);
        g.m_Shift = static_cast<unsigned char>(b.shift);
        Fill(g, b.pairs);
        EXPECT_FALSE(g.Compute()) << b.what;
        EXPECT_EQ(g.m_dE, previousE) << b.what;
        EXPECT_EQ(g.m_A, previousA) << b.what;
        EXPECT_NEAR(g.m_SF1, 2.0, 1e-12) << b.what;
    }
    // A scale mode outside 0..2 leaves the solution too.
    g.m_ScaleMode = 7;
    Fill(g, Similarity(5));
    EXPECT_FALSE(g.Compute());
    EXPECT_EQ(g.m_dE, previousE);
}

TEST(GridOnGrid, NoRotationKeepsItsScale)
{
    // Scale 1.5 and a shift, no rotation: the scale must not collapse when sin R is 0, nor
    // when the rotation is a half turn.
    for (double turn : {1.0, -1.0})
    {
        for (int shift : {1, 0})
        {
            CGridOnGrid g;
            g.m_ScaleMode = 1;
            g.m_Rotation = 1;
            g.m_Shift = static_cast<unsigned char>(shift);
            std::vector<GridOnGridDef> pairs;
            for (const auto& xy : {std::make_pair(1.0, 2.0), {5.0, -3.0}, {-4.0, 7.0}, {8.0, 8.0}})
                pairs.push_back({xy.first, xy.second, 10.0 * shift + turn * 1.5 * xy.first,
                                 -20.0 * shift + turn * 1.5 * xy.second});
            Fill(g, pairs);
            ASSERT_TRUE(g.Compute());
            EXPECT_NEAR(g.m_SF1, 1.5, 1e-12) << turn << " " << shift;
            EXPECT_NEAR(g.m_A, 1.5 * turn, 1e-12);
            EXPECT_NEAR(g.m_D, 1.5 * turn, 1e-12);
            EXPECT_NEAR(g.m_B, 0.0, 1e-12);
            EXPECT_NEAR(g.m_R, turn > 0 ? 0.0 : 180.0, 1e-9);
            EXPECT_NEAR(g.m_dE, 10.0 * shift, 1e-9);
        }
    }
}

TEST(GridOnGrid, SingleScaleLineFitsReportTheMeanSlope)
{
    CGridOnGrid g;
    g.m_ScaleMode = 1;
    g.m_Rotation = 0;
    g.m_Shift = 1;
    // Slopes 1.002 (easting) and 0.998 (northing), exact lines.
    Fill(g, {{100, 200, 5 + 1.002 * 100, 7 + 0.998 * 200},
             {300, 250, 5 + 1.002 * 300, 7 + 0.998 * 250},
             {150, 900, 5 + 1.002 * 150, 7 + 0.998 * 900}});
    ASSERT_TRUE(g.Compute());
    EXPECT_NEAR(g.m_SF1, 1.0, 1e-12);
    EXPECT_EQ(g.m_SF2, g.m_SF1);
    EXPECT_EQ(g.m_A, g.m_SF1);
    EXPECT_EQ(g.m_D, g.m_SF1);
    EXPECT_NEAR(g.m_StatsE.StandardDeviation, 1.0, 1e-12) << "the mean of two perfect correlations";
    EXPECT_EQ(Report(g).back(), "Scale Factor = 1.00000000  S.E. 1.00000000");
}

TEST(GridOnGrid, SettingsFile)
{
    {
        CGridOnGrid g;
        EXPECT_EQ(g.m_ScaleMode, 2);
        EXPECT_EQ(g.m_Rotation, 1);
        EXPECT_EQ(g.m_Shift, 1);
        EXPECT_EQ(g.m_SF1, 1.0);
        EXPECT_EQ(g.m_SF2, 1.0);
        g.m_ScaleMode = 1;
        g.m_Rotation = 0;
        g.m_Shift = 1;
        ASSERT_TRUE(g.SaveSettings());
    }
    CConfigFile names;
    const QString path = LinuxPathFromWindows(names.GetSettingsFileName("Grid On Grid"));
    EXPECT_TRUE(path.endsWith("Grid_On_Grid.INI"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Scale Mode = 1\r\nRotation = 0\r\nShift = 1\r\n"));
    f.close();
    CGridOnGrid back;
    EXPECT_EQ(back.m_ScaleMode, 1);
    EXPECT_EQ(back.m_Rotation, 0);
    EXPECT_EQ(back.m_Shift, 1);

    // Missing lines and lines without '=' take their defaults.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("Scale Mode = 0\r\nno value\r\n");
    f.close();
    CGridOnGrid partial;
    EXPECT_EQ(partial.m_ScaleMode, 0);
    EXPECT_EQ(partial.m_Rotation, 1);
    EXPECT_EQ(partial.m_Shift, 1);
}
