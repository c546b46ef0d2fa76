// The ROV library as a host meets it: loaded, its pane titles resolve through the resource
// chain from the host's own module, and unloaded they are gone; and the test host's frame,
// before any pane docks in it, is the one window a user sees.
#include "platform/core/WinApp.h"
#include "platform/ui/Resources.h"
#include "rov/RovLibrary.h"
#include "testsupport/ExternalTools.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace
{
const STRINGTABLE_ENTRY kHostStrings[] = {{1, "Navigation"}};

// The host's own module is the one searched first, as in a host program.
struct HostModule
{
    CString previous = AfxGetResourceModule();
    HostModule()
    {
        AfxRegisterStringTable("TestHost", kHostStrings, 1);
        AfxSetResourceModule("TestHost");
    }
    ~HostModule()
    {
        AfxSetResourceModule(previous);
        AfxUnregisterStringTable("TestHost");
    }
};

std::string Loaded(UINT id)
{
    CString text;
    return AfxLoadString(id, text) ? std::string(text) : std::string("(none)");
}

TEST(RovLibrary, PaneTitlesResolveThroughTheChainWhileLoaded)
{
    HostModule host;
    ASSERT_EQ(Loaded(IDS_ROV_TSS_PANE), "(none)") << "the titles are there before the library is";
    void* library = dlopen(ROV_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const std::vector<std::pair<UINT, std::string>> titles = {
        {10000, "TSS Pipe/Cable Tracker"},
        {10001, "Motion Reference Unit (Heading Pitch Roll)"},
        {10002, "Bathy Data (Depth & Altitude)"},
        {10003, "Ultra Short Baseline "},
        {10004, "Scanning Profiler"},
    };
    for (const auto& title : titles)
        EXPECT_EQ(Loaded(title.first), title.second) << title.first;
    EXPECT_EQ(Loaded(1), "Navigation") << "the host's own strings stay first";

    // The library's symbols stay its own: what it builds on is not offered to the host.
    EXPECT_NE(dlsym(library, "_Z15RovLibraryEntryj"), nullptr);
    EXPECT_EQ(dlsym(library, "_ZN7CMyFont11SelectSizedEP3CDCii"), nullptr);

    ASSERT_EQ(dlclose(library), 0);
    EXPECT_EQ(Loaded(10003), "(none)") << "the titles leave the chain with the library";
}

// What a host links against: every pane and view class of the library with its constructor,
// destructor and the creation, data and mode methods a host calls, each defined in the
// library under the class or one of its own bases in the library.
TEST(RovLibrary, ExportsThePanesAndViewsAHostCalls)
{
    const std::set<std::string> symbols = ExportedSymbols(ROV_LIBRARY_FILE);
    ASSERT_FALSE(symbols.empty()) << "nm read nothing";
    const std::vector<std::string> gridMode = {"SetTimeout(bool)", "SetDaylightMode()", "SetNightMode(bool)",
                                               "SetVSDotNetLook(int)"};
    const std::vector<std::string> graphMode = {"SetTimeout(bool)", "SetDaylightMode()", "SetNightMode(bool)"};
    const std::string five = "(double, double, double, double, double)";
    const struct
    {
        std::string name;
        std::vector<std::string> owners; // the class, then its bases in the library
        std::vector<std::string> methods;
    } classes[] = {
        {"CBathyPane", {"CRovGridPane"}, {"Create(CWnd*, int, CBathyUnit*)", "Update()"}},
        {"CBathyUnitPane",
         {"CScrollingGraphPane"},
         {"Create(CWnd*, char const*, int, CBathyUnit*)", "Create(CWnd*, char const*, int, CTritech*)", "Update()"}},
        {"CBubblePane",
         {},
         {"Create(CWnd*, int, bool)", "UpdateVessel" + five, "UpdateTemplate" + five,
          "UpdateTemplate2ndMRU(double, double)", "GetView()", "SetDaylightMode()", "SetNightMode(bool)",
          "GetNightMode()"}},
        {"CBubbleView",
         {},
         {"Create(CWnd*, bool)", "UpdateVessel" + five, "UpdateTemplate" + five, "UpdateTemplate2ndMRU(double, double)",
          "SetTitle(char const*)", "SetVesselOnly(bool)", "SetDaylightMode()", "SetNightMode(bool)", "GetNightMode()"}},
        {"CMruPane", {}, {"Create(CWnd*, int, CMru*)", "Update(int)"}},
        {"CPitchRollView",
         {},
         {"SetPitchRoll(double, double)", "SetTrueHeading(double)", "SetDepth(double)", "Draw(CDC*, CRect)",
          "SetTimeout(bool)", "SetNightMode(bool)", "SetDisplayText(bool)", "SetDisplayDepth(bool)",
          "SetRotateRose(bool)"}},
        {"CPipeTrackerPane", {"CScrollingGraphPane"}, {"Create(CWnd*, char const*, int, CTssPipeTracker*)", "Update()"}},
        {"CScanningProfilerPane",
         {},
         {"Create(CWnd*, int, CTritech*)", "Update(int)", "SetTimeout(int, bool)", "SetDaylightMode()",
          "SetNightMode(bool)"}},
        {"CScanView",
         {},
         {"SetData(CTritech*)", "SetRange(int)", "SetTimeout(bool)", "SetDaylightMode()", "SetNightMode(bool)"}},
        {"CScrollingGraphPane", {}, {"Create(CWnd*, char const*, int)", "Update(char const*, double, char const*, double)"}},
        {"CSpeedOfSoundInWaterPane",
         {"CRovGridPane"},
         {"Create(CWnd*, int)", "Update()", "SetGeog(tagXY)", "SetLatitude(double)", "UpdateGeographicals()", "Enable()",
          "SetDaylightMode()", "SetNightMode(bool)", "SetVSDotNetLook(int)"}},
        {"CTssPane", {"CRovGridPane"}, {"Create(CWnd*, int, CTssPipeTracker*)", "Update()", "GetNightMode()"}},
        {"CUsblPane", {"CRovGridPane"}, {"Create(CWnd*, int, CUsbl*, bool)", "Update(int)", "SetTimeout(int)"}},
    };
    for (const auto& c : classes)
    {
        std::vector<std::string> methods = c.methods;
        const bool grid = !c.owners.empty() && c.owners[0] == "CRovGridPane";
        const bool graph = c.name == "CScrollingGraphPane" || (!c.owners.empty() && c.owners[0] == "CScrollingGraphPane");
        if (grid && c.name != "CSpeedOfSoundInWaterPane")
            methods.insert(methods.end(), gridMode.begin(), gridMode.end());
        if (graph)
            methods.insert(methods.end(), graphMode.begin(), graphMode.end());
        if (c.name == "CMruPane")
            methods.insert(methods.end(), graphMode.begin(), graphMode.end());
        EXPECT_TRUE(symbols.count(c.name + "::" + c.name + "()")) << c.name << " constructor";
        EXPECT_TRUE(symbols.count(c.name + "::~" + c.name + "()")) << c.name << " destructor";
        for (const std::string& method : methods)
        {
            bool found = symbols.count(c.name + "::" + method) > 0;
            for (const std::string& owner : c.owners)
                found = found || symbols.count(owner + "::" + method) > 0;
            EXPECT_TRUE(found) << c.name << "::" << method;
        }
    }
}

TEST(TestHost, EmptyFrameIsTheOnlyWindowShown)
{
    CWinApp app("TestHostTest");
    CTestHost host;
    ASSERT_TRUE(host.CreateHost());
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {});
    // The records come wired as a host wires them.
    EXPECT_EQ(host.m_Records.m_Usbl.m_Transponders.GetSize(), CHostRecords::TRANSPONDERS);
    EXPECT_EQ(host.m_Records.m_Usbl.m_pReferenceLine, &host.m_Records.m_ReferenceLine);
    EXPECT_EQ(host.m_Records.m_Tritech[1].m_Profiles.GetCount(), 1);
    EXPECT_EQ(host.m_Records.m_Lasers[0].m_Observations.GetSize(), 1);
    EXPECT_TRUE(host.Messages().empty());
}
} // namespace
