// The Survey library as a host meets it: loaded, its strings resolve through the resource chain
// from the host's own module, unloaded they are gone, and it offers the host its entry, pane
// base and device groups.
#include "platform/ui/Resources.h"
#include "survey/SurveyLibrary.h"

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
        AfxRegisterStringTable("SurveyHost", kHostStrings, 1);
        AfxSetResourceModule("SurveyHost");
    }
    ~HostModule()
    {
        AfxSetResourceModule(previous);
        AfxUnregisterStringTable("SurveyHost");
    }
};

std::string Loaded(UINT id)
{
    CString text;
    return AfxLoadString(id, text) ? std::string(text) : std::string("(none)");
}

TEST(SurveyLibrary, StringsResolveThroughTheChainWhileLoaded)
{
    HostModule host;
    ASSERT_EQ(Loaded(IDS_SURVEY_LEG_PINNING), "(none)") << "the strings are there before the library is";
    void* library = dlopen(SURVEY_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    const std::vector<std::pair<UINT, std::string>> strings = {
        {1000, "Leg Pinning"},
        {1001, "General Survey"},
        {1002, "Reference Systems"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(Loaded(s.first), s.second) << s.first;
    EXPECT_EQ(Loaded(1), "Navigation") << "the host's own strings stay first";

    // The entry and the pane base are offered to the host.
    EXPECT_NE(dlsym(library, "_Z18SurveyLibraryEntryj"), nullptr);
    EXPECT_NE(dlsym(library, "_ZN11CSurveyPane12AdjustLayoutEv"), nullptr);
    // So are the device groups, each with its run-time class, for a host to build its own.
    for (const char* group : {"_ZN24CMFCGpsGroupGridProperty29classCMFCGpsGroupGridPropertyE",
                              "_ZN31CMFCGpsHeadingGroupPropertyGrid36classCMFCGpsHeadingGroupPropertyGridE",
                              "_ZN25CMFCGyroGroupGridProperty30classCMFCGyroGroupGridPropertyE",
                              "_ZN38CMFCHeadingComparisonGroupGridProperty43classCMFCHeadingComparisonGroupGridPropertyE",
                              "_ZN24CMFCMruGroupGridProperty29classCMFCMruGroupGridPropertyE",
                              "_ZN34CMFCCRPComparisonGroupGridProperty39classCMFCCRPComparisonGroupGridPropertyE"})
        EXPECT_NE(dlsym(library, group), nullptr) << group;

    ASSERT_EQ(dlclose(library), 0);
    EXPECT_EQ(Loaded(1001), "(none)") << "the strings leave the chain with the library";
}
} // namespace
