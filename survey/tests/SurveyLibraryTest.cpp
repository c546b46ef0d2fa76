// The Survey library as a host meets it: loaded, its strings resolve through the resource chain
// from the host's own module, unloaded they are gone, and it offers the host its entry, its
// panes and device groups with the members a host calls, and its static tables.
#include "platform/ui/Resources.h"
#include "survey/SurveyLibrary.h"
#include "testsupport/ExternalTools.h"

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

// What a host links against: every pane with its constructor, destructor, run-time class,
// message map and Create, and the members all panes share (defined under the pane or the
// library's pane base); the device groups with their constructors and updates; the tables.
TEST(SurveyLibrary, ExportsThePanesGroupsAndTablesAHostUses)
{
    const std::set<std::string> symbols = ExportedSymbols(SURVEY_LIBRARY_FILE);
    ASSERT_FALSE(symbols.empty()) << "nm read nothing";
    const std::vector<std::string> shared = {"OnCreate(CREATESTRUCT*)",
                                             "OnSize(unsigned int, int, int)",
                                             "AdjustLayout()",
                                             "OnSetFocus(CWnd*)",
                                             "OnSettingChange(unsigned long, long)",
                                             "SetPropListFont()",
                                             "SetDaylightMode()",
                                             "SetNightMode(bool)",
                                             "GetNightMode()",
                                             "SetVSDotNetLook(int)",
                                             "InitPropList()"};
    const struct
    {
        std::string name;
        std::string create;
    } panes[] = {
        {"CCraneTipMonitoringPane", "Create(CWnd*, int, CBarge*, CGps*)"},
        {"CGeneralSurveyPane",
         "Create(CWnd*, int, CBarge*, CArray<CGps*, CGps*>*, CGyro*, CMru*, CBathyUnit*, double*, CWind*)"},
        {"CLegPinningPane", "Create(CWnd*, int, CBarge*, CArray<CGps*, CGps*>*, CGyro*, CMru*)"},
        {"CProjectPane", "Create(CWnd*, int, CJob*, bool)"},
        {"CTargetQCPane", "Create(char const*, CWnd*, int, CTrackObject*, CGyro*, CMru*)"},
        {"CTemplatePositioningPane", "Create(CWnd*, int, CTemplate*, CArray<CGps*, CGps*>*, CArray<CMru*, CMru*>*, "
                                     "CBarge*, CArray<CLaser*, CLaser*>*)"},
        {"CTrainingPane", "Create(CWnd*, int, CTraining*, CGridWaypointList*, CDesignRouteList*)"},
    };
    for (const auto& p : panes)
    {
        const std::string own = p.name + "::";
        for (const std::string& member :
             {p.name + "()", "~" + p.name + "()", p.create, std::string("GetRuntimeClass()"),
              std::string("GetMessageMap()"), "class" + p.name})
            EXPECT_TRUE(symbols.count(own + member)) << own << member;
        for (const std::string& member : shared)
            EXPECT_TRUE(symbols.count(own + member) || symbols.count("CSurveyPane::" + member))
                << own << member;
    }
    const std::vector<std::string> pane = {"CTargetQCPane::Update(char const*)",
                                           "CTargetQCPane::UpdateGyro()", "CTargetQCPane::UpdateMru(int)",
                                           "CProjectPane::OnPropertyChanged(unsigned long, long)",
                                           "CTemplatePositioningPane::UpdateGps(int)",
                                           "CTemplatePositioningPane::UpdateTotalStation(int)",
                                           "CTemplatePositioningPane::UpdateMru(int)",
                                           "CTemplatePositioningPane::UpdatePrimaryMru()",
                                           "CTemplatePositioningPane::UpdateCrp()",
                                           "CTemplatePositioningPane::UpdateQC()"};
    for (const std::string& member : pane)
        EXPECT_TRUE(symbols.count(member)) << member;

    const struct
    {
        std::string name;
        std::vector<std::string> members;
    } groups[] = {
        {"CMFCGpsGroupGridProperty", {"CMFCGpsGroupGridProperty(CString const&, CGps*, int)", "Update()"}},
        {"CMFCGpsHeadingGroupPropertyGrid",
         {"CMFCGpsHeadingGroupPropertyGrid()", "Update(char const*, char const*, double)", "ClearReading()"}},
        {"CMFCGyroGroupGridProperty",
         {"CMFCGyroGroupGridProperty(CGyro*, int)", "Update(bool)", "SetUse(bool)"}},
        {"CMFCHeadingComparisonGroupGridProperty",
         {"CMFCHeadingComparisonGroupGridProperty(CGyro*, CMru*)", "Update()"}},
        {"CMFCMruGroupGridProperty", {"CMFCMruGroupGridProperty(char const*, CMru*, int)", "Update()"}},
        {"CMFCCRPComparisonGroupGridProperty",
         {"CMFCCRPComparisonGroupGridProperty(char const*)", "Update(char const*, tagXY, char const*, tagXY)",
          "ClearReadings()"}},
    };
    for (const auto& g : groups)
    {
        std::vector<std::string> members = g.members;
        members.insert(members.end(), {"~" + g.name + "()", "GetRuntimeClass()", "class" + g.name});
        for (const std::string& member : members)
            EXPECT_TRUE(symbols.count(g.name + "::" + member)) << g.name << "::" << member;
    }

    for (const char* table : {"CTrainingPane::m_HelicopterModeTxt", "CTemplatePositioningPane::m_TotalStationTxt",
                              "CTemplatePositioningPane::m_MruTxt", "CTemplatePositioningPane::m_CrpOption"})
        EXPECT_TRUE(symbols.count(table)) << table;
}
} // namespace
