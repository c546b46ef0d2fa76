// Feature files, design routes among them, with a number no survey grid can hold ("1e308", "1e999"
// read as infinity, "nan"): each reader refuses the whole file, naming the file and line, and the
// lists neither list it nor turn it into an empty feature whose save would write over it.
#include "features/Boundary.h"
#include "features/BoundaryList.h"
#include "features/DesignRoute.h"
#include "features/DesignRouteList.h"
#include "features/GridWaypoint.h"
#include "features/Pipeline.h"
#include "features/Route.h"
#include "features/RouteList.h"
#include "features/Rpl.h"
#include "features/SailLine.h"
#include "features/SailLineList.h"
#include "features/Structure.h"
#include "features/StructureList.h"
#include "features/tests/FeatureTestFiles.h"

#include <gtest/gtest.h>

#include <functional>

using namespace featuretest;

namespace
{
// What a reader made of a file: its Load result, the points it holds and its refusal.
struct Loaded
{
    bool result;
    INT_PTR count;
    CString refusal;
};

template <class Feature>
Loaded LoadFeature(const char* path)
{
    Feature feature;
    const bool result = feature.Load(path);
    return {result, feature.GetSize(), feature.m_strRefusal};
}

struct BadFileCase
{
    const char* fixture;
    const char* path;
    int line;
    const char* badText; // as the file holds it
    const char* shown;   // as the refusal gives it
    const char* goodText;
    std::function<Loaded(const char*)> load;
};

const BadFileCase kBadFiles[] = {
    {"bad_pipe_huge.csv", "C:\\MyData\\Pipelines\\Huge.csv", 3, "1e308", "1e+308", "2600.0",
     LoadFeature<CPipeline>},
    {"bad_route_inf.csv", "C:\\MyData\\Routes\\Inf.csv", 2, "1e999", "inf", "6233000.000", LoadFeature<CRoute>},
    {"bad_rpl_vertices.csv", "C:\\MyData\\RPL\\Vertices.csv", 2, "-1e400", "-inf", "200", LoadFeature<CRPL>},
    {"bad_rpl_radius.rlx", "C:\\MyData\\RPL\\Radius.rlx", 4, "1e15", "1e+15", "200.0000", LoadFeature<CRPL>},
    {"bad_struct_nan.dat", "C:\\MyData\\Structures\\Nan.dat", 14, "nan", "nan", "6232000.000",
     LoadFeature<CStructure>},
    {"bad_bnd_huge.txt", "C:\\MyData\\Boundaries\\Huge.txt", 3, "-1e12", "-1e+12", "400", LoadFeature<CBoundary>},
    {"bad_sail_inf.csv", "C:\\MyData\\Routes\\Sail.csv", 3, "1e999", "inf", "452500", LoadFeature<CSailLine>},
    {"bad_gw_inf.csv", "C:\\MyData\\Waypoints\\Inf.csv", 2, "1e999", "inf", "10.0", LoadFeature<CGridWaypoint>},
    {"bad_design_route_huge.txt", "C:\\MyData\\Design\\Huge.txt", 3, "1e308", "1e+308", "453000.000",
     LoadFeature<CDesignRoute>},
    {"bad_design_route_radius.txt", "C:\\MyData\\Design\\Radius.txt", 2, "1e11", "1e+11", "250",
     LoadFeature<CDesignRoute>},
};

CString Refusal(const char* path, int line, const char* shown)
{
    CString text;
    text.Format("%s, line %d: %s is not a number a survey grid can hold.", path, line, shown);
    return text;
}
} // namespace

TEST(FeatureFileBadInput, EachReaderRefusesAValueNoGridCanHoldWithFileAndLine)
{
    for (const BadFileCase& c : kBadFiles)
    {
        SCOPED_TRACE(c.fixture);
        const QByteArray bad = Fixture(c.fixture);
        ASSERT_TRUE(bad.contains(c.badText));
        WriteBytes(c.path, bad);
        const Loaded refused = c.load(c.path);
        EXPECT_FALSE(refused.result);
        EXPECT_EQ(refused.count, 0);
        EXPECT_EQ(refused.refusal, Refusal(c.path, c.line, c.shown));
        // The file itself is left as it was.
        EXPECT_EQ(ReadBytes(c.path), bad);

        // The same file with that one number mended loads, with no refusal.
        QByteArray mended = bad;
        mended.replace(c.badText, c.goodText);
        WriteBytes(c.path, mended);
        const Loaded loaded = c.load(c.path);
        EXPECT_TRUE(loaded.result);
        EXPECT_GT(loaded.count, 0);
        EXPECT_TRUE(loaded.refusal.IsEmpty()) << loaded.refusal.GetString();
    }
}

TEST(FeatureFileBadInput, ValuesAtTheGridLimitAreKept)
{
    const char path[] = "C:\\MyData\\Boundaries\\Edge.txt";
    WriteBytes(path, "-1e10,1e10\r\n1e10,-1e10\r\n");
    CBoundary edge;
    EXPECT_TRUE(edge.Load(path));
    EXPECT_EQ(edge.GetSize(), 2);
    EXPECT_TRUE(edge.m_strRefusal.IsEmpty());

    // A refusal does not outlive the file that caused it.
    WriteBytes(path, "0.5,1e11\r\n");
    EXPECT_FALSE(edge.Load(path));
    EXPECT_FALSE(edge.m_strRefusal.IsEmpty());
    WriteBytes(path, "1,2\r\n");
    EXPECT_TRUE(edge.Load(path));
    EXPECT_TRUE(edge.m_strRefusal.IsEmpty());
}

// A missing file still becomes a new feature to edit; a refused one is not added at all, so
// that no save writes an empty feature over the user's file.
TEST(FeatureFileBadInput, ListsDoNotAddARefusedFile)
{
    struct ListCase
    {
        const char* fixture;
        const char* path;
        std::function<bool(const char*, CString&, INT_PTR&)> add;
    };
    auto adder = [](auto* list) {
        return [list](const char* path, CString& refusal, INT_PTR& size) {
            const bool added = list->AddFile(path);
            refusal = list->m_strRefusal;
            size = list->GetSize();
            return added;
        };
    };
    CBoundaryList boundaries;
    CRouteList routes;
    CSailLineList sailLines;
    CStructureList structures;
    const ListCase cases[] = {
        {"bad_bnd_huge.txt", "C:\\MyData\\Boundaries\\Huge.txt", adder(&boundaries)},
        {"bad_route_inf.csv", "C:\\MyData\\Routes\\Inf.csv", adder(&routes)},
        {"bad_sail_inf.csv", "C:\\MyData\\Routes\\Sail.csv", adder(&sailLines)},
        {"bad_struct_nan.dat", "C:\\MyData\\Structures\\Nan.dat", adder(&structures)},
    };
    for (const ListCase& c : cases)
    {
        SCOPED_TRACE(c.fixture);
        const QByteArray bad = Fixture(c.fixture);
        WriteBytes(c.path, bad);
        CString refusal;
        INT_PTR size = -1;
        EXPECT_FALSE(c.add(c.path, refusal, size));
        EXPECT_EQ(size, 0);
        EXPECT_NE(refusal.Find(c.path), -1) << refusal.GetString();
        EXPECT_EQ(ReadBytes(c.path), bad);

        EXPECT_TRUE(c.add("C:\\MyData\\New\\Fresh.txt", refusal, size));
        EXPECT_EQ(size, 1);
        EXPECT_TRUE(refusal.IsEmpty());
    }
}

// A design route file is listed only when it reads: a refused one is not added, and says why.
TEST(FeatureFileBadInput, TheDesignRouteListDoesNotAddARefusedFile)
{
    const char path[] = "C:\\MyData\\Design\\Huge.txt";
    const QByteArray bad = Fixture("bad_design_route_huge.txt");
    WriteBytes(path, bad);
    CDesignRouteList list;
    list.m_ListName = "Design Routes";
    EXPECT_FALSE(list.AddFile(path));
    EXPECT_EQ(list.GetSize(), 0);
    EXPECT_EQ(list.m_strRefusal, Refusal(path, 3, "1e+308"));
    EXPECT_EQ(ReadBytes(path), bad);

    WriteBytes(path, "0, 0\r\n0, 1000, 100\r\n1000, 1000\r\n");
    EXPECT_TRUE(list.AddFile(path));
    EXPECT_EQ(list.GetSize(), 1);
    EXPECT_TRUE(list.m_strRefusal.IsEmpty());
}
