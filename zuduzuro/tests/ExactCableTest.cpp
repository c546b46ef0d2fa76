// The anchor's cable against an independent exact catenary: cables of one and of three sections,
// over level and sloping seabeds, between supports at unequal heights, in 30 m and 300 m of
// water, under light and heavy tensions. The expected cables come from a solver that integrates
// the cable's equilibrium along its length in scipy (zuduzuro/tests/data/make_exact_cables.py,
// its output exact_cables.txt); the program solves them in closed form.
#include "zuduzuro/Anchor.h"
#include "zuduzuro/Solver.h"

#include "features/PipelineList.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace
{
const double kFairleadE = 500000.0, kFairleadN = 6000000.0; // the fairlead

// One case of the fixture: its settings, its results and its drawn points.
struct CaseDef
{
    std::map<std::string, std::string> Given;
    std::map<std::string, double> Result;
    std::vector<std::pair<double, double>> Points;  // range, depth at the seabed points
    std::vector<std::pair<double, double>> Between; // range, depth between them

    double Number(const std::string& key) const { return std::stod(Given.at(key)); }
    // "weight,length" of a section.
    std::pair<double, double> Section(const std::string& key) const
    {
        const std::string& text = Given.at(key);
        const size_t comma = text.find(',');
        return {std::stod(text.substr(0, comma)), std::stod(text.substr(comma + 1))};
    }
};

std::map<std::string, CaseDef> ReadCases()
{
    std::ifstream in(SUITE_SOURCE_DIR "/zuduzuro/tests/data/exact_cables.txt");
    std::map<std::string, CaseDef> cases;
    CaseDef current;
    std::string line;
    const auto pairs = [](std::istringstream& row, auto&& take) {
        std::string word;
        while (row >> word)
        {
            const size_t equals = word.find('=');
            if (equals != std::string::npos)
                take(word.substr(0, equals), word.substr(equals + 1));
        }
    };
    while (std::getline(in, line))
    {
        std::istringstream row(line);
        std::string head;
        row >> head;
        if (head == "case")
        {
            current = CaseDef();
            pairs(row, [&](const std::string& k, const std::string& v) { current.Given[k] = v; });
        }
        else if (head == "result")
        {
            pairs(row, [&](const std::string& k, const std::string& v) { current.Result[k] = std::stod(v); });
        }
        else if (head == "point" || head == "between")
        {
            double x = 0.0, z = 0.0;
            row >> x >> z;
            (head == "point" ? current.Points : current.Between).emplace_back(x, z);
        }
        else if (head == "end")
        {
            cases[current.Given["name"]] = current;
        }
    }
    return cases;
}

std::vector<const CaseDef*> OfKind(const std::map<std::string, CaseDef>& cases, const char* kind)
{
    std::vector<const CaseDef*> found;
    for (const auto& entry : cases)
        if (entry.second.Given.at("kind") == kind)
            found.push_back(&entry.second);
    return found;
}

// The anchor of a case: due east of the fairlead, no terrain (the program's straight seabed).
void Place(CAnchor& a, const CaseDef& c, int status)
{
    a.m_FairleadEasting = kFairleadE;
    a.m_FairleadNorthing = kFairleadN;
    a.m_Status = status;
    a.m_Tension = c.Number("tension");
    a.m_FairleadLevel = c.Number("fairlead");
    a.m_WaterDepth = c.Number("water");
    a.m_DepthAtAnchor = c.Given.count("anchordepth") ? c.Number("anchordepth") : 0.0;
    a.m_TugFairleadHeight = c.Given.count("tug") ? c.Number("tug") : 0.0;
    const auto upper = c.Section("upper");
    const auto lower = c.Section("lower");
    a.m_Cable.bUseUpperSection = c.Given.count("useupper") ? c.Number("useupper") != 0.0 : upper.second > 0.0;
    a.m_Cable.UpperWeight = upper.first;
    a.m_Cable.UpperLength = upper.second;
    a.m_Cable.LowerWeight = lower.first;
    a.m_Cable.LowerLength = lower.second;
    if (c.Given.count("chain"))
    {
        const auto chain = c.Section("chain");
        a.m_GroundChain.bUseGroundChain = chain.second > 0.0;
        a.m_GroundChain.GroundChainWeight = chain.first;
        a.m_GroundChain.GroundChainLength = chain.second;
    }
    const double range = c.Number("range");
    if (status == ANCHOR_LIVE)
        a.SetTugPosition(kFairleadE + range, kFairleadN);
    else
        a.SetAnchorPosition(kFairleadE + range, kFairleadN);
}

// The drawn cable against the fixture's at every seabed point to the anchor: the same points,
// each within 0.05 m, the first on the fairlead within 1 mm.
void ExpectDrawnCable(const CAnchor& a, const CaseDef& c, const std::string& name)
{
    ASSERT_EQ(a.m_CableProfile.GetSize(), static_cast<INT_PTR>(c.Points.size())) << name;
    double worst = 0.0;
    for (size_t i = 0; i < c.Points.size(); ++i)
    {
        const ProDataDef& p = a.m_CableProfile[static_cast<INT_PTR>(i)];
        ASSERT_NEAR(p.Range, c.Points[i].first, 1e-6) << name;
        EXPECT_NEAR(p.Depth, c.Points[i].second, 0.05) << name << " at " << p.Range;
        worst = std::max(worst, std::fabs(p.Depth - c.Points[i].second));
    }
    EXPECT_NEAR(a.m_CableProfile[0].Depth, -a.m_FairleadLevel, 0.001) << name;
    // Far inside the tolerance: the two solvers agree to the millimetre.
    EXPECT_LT(worst, 0.001) << name;
}
} // namespace

TEST(ExactCable, OnBottomCableIsTheCatenaryFromTheFairleadToTheTouchdown)
{
    const auto cases = ReadCases();
    const std::vector<const CaseDef*> onBottom = OfKind(cases, "onbottom");
    ASSERT_GE(onBottom.size(), 12u);
    for (const CaseDef* c : onBottom)
    {
        const std::string name = c->Given.at("name");
        CAnchor a;
        Place(a, *c, ANCHOR_ON_BOTTOM);
        a.ComputeZuduzuro();
        EXPECT_EQ(a.m_StatusText, "") << name;
        EXPECT_FALSE(a.m_StraightCable) << name;
        ExpectDrawnCable(a, *c, name);
        // The touchdown, or the anchor itself where the cable lifts it.
        const double touchdown = a.GetDistanceToTouchdown();
        EXPECT_NEAR(touchdown, c->Result.at("touchdown"), 0.5) << name;
        // The drawn cable comes down onto the seabed there, and not before: its first point on
        // the seabed is the first seabed point at or past the touchdown.
        INT_PTR first = 0;
        while (first < a.m_CableProfile.GetSize() && a.m_CableProfile[first].Flag == 0)
            ++first;
        if (c->Result.at("lifted") == 0.0)
        {
            ASSERT_LT(first, a.m_CableProfile.GetSize()) << name;
            EXPECT_GE(a.m_CableProfile[first].Range, touchdown - 1e-6) << name;
            EXPECT_LT(a.m_CableProfile[first - 1].Range, touchdown + 1e-6) << name;
        }
        // Between the drawn points the cable is the same catenary, as the clearances read it.
        for (const auto& point : c->Between)
            EXPECT_NEAR(a.CableDepthAt(point.first), point.second, 0.05) << name << " at " << point.first;
    }
}

TEST(ExactCable, LiveCableHangsBetweenFairleadAndTugAtUnequalHeights)
{
    const auto cases = ReadCases();
    const std::vector<const CaseDef*> live = OfKind(cases, "live");
    ASSERT_GE(live.size(), 3u);
    for (const CaseDef* c : live)
    {
        const std::string name = c->Given.at("name");
        CAnchor a;
        Place(a, *c, ANCHOR_LIVE);
        a.ComputeZuduzuro();
        EXPECT_EQ(a.m_StatusText, "") << name;
        ExpectDrawnCable(a, *c, name);
        // The lowest point: the deepest of the drawn points (5 m apart where the cable is level).
        double lowest = -DBL_MAX;
        int lying = 0;
        for (INT_PTR i = 0; i < a.m_CableProfile.GetSize(); ++i)
        {
            lowest = std::max(lowest, a.m_CableProfile[i].Depth);
            lying += a.m_CableProfile[i].Flag;
        }
        EXPECT_NEAR(lowest, c->Result.at("lowest"), 0.5) << name;
        const double step = c->Points[1].first - c->Points[0].first;
        EXPECT_NEAR(std::max(0, lying - 1) * step, c->Result.at("lying"), step + 1e-6) << name;
    }
}

TEST(ExactCable, RangeAndTouchdownOfThreeSections)
{
    const auto cases = ReadCases();
    const std::vector<const CaseDef*> ranges = OfKind(cases, "range");
    ASSERT_EQ(ranges.size(), 4u);
    for (const CaseDef* c : ranges)
    {
        const std::string name = c->Given.at("name");
        CableSectionsDef sections;
        sections.bUseUpperSection = true;
        std::tie(sections.UpperWeight, sections.UpperLength) = c->Section("upper");
        std::tie(sections.LowerWeight, sections.LowerLength) = c->Section("lower");
        GroundChainDef chain;
        chain.bUseGroundChain = true;
        std::tie(chain.GroundChainWeight, chain.GroundChainLength) = c->Section("chain");
        double weight = 0.0, span = 0.0, suspended = 0.0, range = 0.0;
        ASSERT_TRUE(ComputeAnchorRange(sections, chain, c->Number("tension"), c->Number("height"), 0.0,
                                       weight, span, suspended, range))
            << name;
        EXPECT_NEAR(range, c->Result.at("range"), 0.0005 * c->Result.at("range")) << name;
        EXPECT_NEAR(span, c->Result.at("touchdown"), 0.5) << name;
        // Each of these touches down on its ground chain: all three sections hang.
        EXPECT_GT(suspended, sections.UpperLength + sections.LowerLength) << name;
        EXPECT_GT(weight, sections.UpperWeight) << name;
        EXPECT_LT(weight, chain.GroundChainWeight) << name;
    }
}

TEST(ExactCable, LowestPointOfThreeSectionsBetweenUnequalSupports)
{
    const auto cases = ReadCases();
    const std::vector<const CaseDef*> between = OfKind(cases, "between");
    ASSERT_EQ(between.size(), 2u);
    for (const CaseDef* c : between)
    {
        const std::string name = c->Given.at("name");
        const auto upper = c->Section("upper"), lower = c->Section("lower"), chain = c->Section("chain");
        const double tension = c->Number("tension"), base = c->Number("base");
        const double s1 = c->Number("support1"), s2 = c->Number("support2");
        double w1 = 0.0, w2 = 0.0, span = 0.0;
        const double low =
            ComputeTwoSupportThreeSections(tension, base, s1, s2, upper.first, upper.second, lower.first,
                                           lower.second, chain.first, chain.second, w1, w2, span);
        EXPECT_NEAR(low, c->Result.at("lowest"), 0.5) << name;
        EXPECT_NEAR(span, c->Result.at("span"), 0.0005 * c->Result.at("span")) << name;

        // The same cable as the anchor's make-up.
        CableSectionsDef sections;
        sections.bUseUpperSection = true;
        std::tie(sections.UpperWeight, sections.UpperLength) = upper;
        std::tie(sections.LowerWeight, sections.LowerLength) = lower;
        GroundChainDef ground;
        ground.bUseGroundChain = true;
        std::tie(ground.GroundChainWeight, ground.GroundChainLength) = chain;
        double lying = -1.0;
        EXPECT_NEAR(ComputeTwoSupportCable(sections, &ground, tension, base, s1, s2, span, w1, w2, lying),
                    c->Result.at("lowest"), 0.5)
            << name;
        EXPECT_EQ(lying, 0.0) << name;
    }
}

// A 24-inch pipeline under the cable of "single-30-light": the warning fires exactly when the
// clearance asked for reaches the cable (the program's sweep of the pipeline's half circle), and
// the alarm exactly when the true clearance over the pipeline falls below the clearance less the
// tolerance.
TEST(ExactCable, ClearanceWarningAndAlarmFireAtTheTrueClearance)
{
    const auto cases = ReadCases();
    const CaseDef& cable = cases.at("single-30-light");
    const CaseDef& pipe = cases.at("single-30-light-pipeline");
    const double distance = pipe.Result.at("distance"), clearance = pipe.Result.at("clearance");
    const double threshold = pipe.Result.at("threshold");
    ASSERT_GT(clearance, threshold);

    CPipelineList pipelines;
    auto* pipeline = new CPipeline;
    pipeline->m_FilePath = "C:\\lines\\Export.txt";
    pipeline->m_Diameter = 24;
    PipelineDef end{};
    end.Easting = kFairleadE + distance;
    end.Northing = kFairleadN - 100.0;
    pipeline->Add(end);
    end.Northing = kFairleadN + 100.0;
    pipeline->Add(end);
    pipelines.Add(pipeline);

    struct Row
    {
        double clearance, tolerance;
        int level;
    } rows[] = {
        {threshold - 0.001, 0.0, ANCHOR_LEVEL_NONE},            // the circle stays clear of the cable
        {threshold + 0.001, 0.0, ANCHOR_LEVEL_WARNING},         // it reaches the cable: a warning
        {15.0, 15.0 - clearance - 0.001, ANCHOR_LEVEL_ALARM},   // true clearance just below 15 less tolerance
        {15.0, 15.0 - clearance + 0.001, ANCHOR_LEVEL_WARNING}, // ... and just above it
    };
    for (const Row& row : rows)
    {
        pipeline->m_Clearance = row.clearance;
        pipeline->m_Tolerance = row.tolerance;
        CAnchor a;
        Place(a, cable, ANCHOR_ON_BOTTOM);
        a.m_pPipelines = &pipelines;
        a.ComputeZuduzuro();
        ASSERT_EQ(a.m_Crossings.GetSize(), 1);
        EXPECT_NEAR(a.m_Crossings[0].Distance, distance, 1e-6);
        EXPECT_EQ(a.m_StatusLevel, row.level) << row.clearance << " " << row.tolerance;
        if (row.level != ANCHOR_LEVEL_NONE)
        {
            CString text;
            text.Format("Pipeline Export (%.1lf)", clearance);
            EXPECT_EQ(a.m_StatusText, text);
        }
    }
}
