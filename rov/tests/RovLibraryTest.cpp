// The ROV library as a host meets it: loaded, its pane titles resolve through the resource
// chain from the host's own module, and unloaded they are gone; and the test host's frame,
// before any pane docks in it, is the one window a user sees.
#include "platform/core/WinApp.h"
#include "platform/ui/Resources.h"
#include "rov/RovLibrary.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

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
