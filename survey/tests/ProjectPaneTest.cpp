// The project pane over the host's job: its rows with their ids and prompts, the DP officers'
// rows by the host's flag, an edit made as a user makes it going into one field and the whole
// "JOB" file, escapes, a file that cannot be written, the host reading the file back, and the
// pane docked in the host.
#include "foundation/ConfigFile.h"
#include "platform/core/Path.h"
#include "platform/core/WinApp.h"
#include "survey/JobFile.h"
#include "survey/ProjectPane.h"
#include "testsupport/EventPump.h"
#include "testsupport/FrameProbe.h"
#include "testsupport/PaneProbes.h"
#include "testsupport/UserInput.h"
#include "testsupport/host/TestHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace
{
QString JobPath()
{
    return LinuxPathFromWindows(CConfigFile().GetSettingsFileName("JOB"));
}

QByteArray JobBytes()
{
    QFile file(JobPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

void FillJob(CJob& job)
{
    job.m_Company = "Seabed Ltd";
    job.m_Project = "Cable lay";
    job.m_ClientCompany = "Grid Co";
    job.m_ClientRepresentative = "A. Client";
    job.m_Location = "North Sea";
    job.m_Task = "Touchdown";
    job.m_JobNumber = "J-17";
    job.m_ReportId = "R-3";
    job.m_PartyChief = "P. Chief";
    job.m_SeniorSurveyorNight = "N. Owl";
    job.m_Master = "M. Skipper";
    job.m_SeniorDpo = "S. Dpo";
    job.m_Dpo = "D. Dpo";
    job.m_JackEngineer = "J. Eng";
}

struct ProjectFixture : ::testing::Test
{
    CWinApp app{"ProjectPaneTest"};
    CTestHost host;
    CProjectPane pane;

    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost(600, 800));
        FillJob(host.m_Records.m_Job);
    }
    CMyMFCPropertyGridCtrl& Grid() { return pane.GetPropertyGrid(); }
};

TEST_F(ProjectFixture, RowsCarryTheirIdsAndPrompts)
{
    ASSERT_TRUE(host.Dock(pane, 4901, &host.m_Records.m_Job, true));
    EXPECT_EQ(pane.m_strTitle, CString("Project Details"));
    EXPECT_EQ(GridGroupNames(Grid()),
              (std::vector<std::string>{"Company", "Project", "Client", "Survey", "Vessel"}));
    EXPECT_TRUE(Grid().IsDescriptionArea());
    const struct
    {
        int id;
        const char* group;
        const char* name;
        const char* prompt;
        const char* value;
    } rows[] = {
        {1, "Company", "Name", "Enter the name of the company", "Seabed Ltd"},
        {2, "Project", "Name", "Enter the name of the Project", "Cable lay"},
        {3, "Project", "Location", "Enter the name of the Location", "North Sea"},
        {4, "Project", "Task", "Enter the name of the Task", "Touchdown"},
        {5, "Project", "Job Number", "Enter the name of the Job Number", "J-17"},
        {6, "Project", "Report ID", "Enter the ID for the report", "R-3"},
        {7, "Client", "Company", "Enter the name of the Client Company", "Grid Co"},
        {8, "Client", "Rep.", "Enter the name of the Client Rep", "A. Client"},
        {9, "Survey", "Party Chief", "Enter the name of the Survey Party Chief", "P. Chief"},
        {10, "Survey", "Senior Surveyor", "Enter the name of the Senior Surveyor on the night shift",
         "N. Owl"},
        {11, "Vessel", "Master", "Enter the name of the Master", "M. Skipper"},
        {12, "Vessel", "Senior DPO", "Enter the name of the Senior DPO", "S. Dpo"},
        {13, "Vessel", "DPO", "Enter the name of the DPO", "D. Dpo"},
        {14, "Vessel", "Jack Engineer", "Enter the name of the Jack Engineer", "J. Eng"},
    };
    for (const auto& r : rows)
    {
        CMFCPropertyGridProperty* item = FindGridItem(Grid(), static_cast<DWORD_PTR>(r.id));
        ASSERT_NE(item, nullptr) << r.id;
        EXPECT_STREQ(item->GetParent()->GetName(), r.group) << r.id;
        EXPECT_STREQ(item->GetName(), r.name) << r.id;
        EXPECT_EQ(item->GetDescription(), CString(r.prompt)) << r.id;
        const GRID_ITEM_SEEN seen = SeeGridItem(Grid(), item);
        EXPECT_EQ(seen.value.toStdString(), r.value) << r.id;
        EXPECT_TRUE(seen.visible) << r.id;
        EXPECT_TRUE(seen.editable) << r.id;
    }
}

TEST_F(ProjectFixture, DpOfficersShowOnlyWhenAskedFor)
{
    ASSERT_TRUE(host.Dock(pane, 4902, &host.m_Records.m_Job, false));
    for (int id = CProjectPane::ROW_COMPANY; id <= CProjectPane::ROW_LAST; ++id)
    {
        const bool dp = id == CProjectPane::ROW_SENIOR_DPO || id == CProjectPane::ROW_DPO;
        EXPECT_EQ(SeeGridItem(Grid(), FindGridItem(Grid(), static_cast<DWORD_PTR>(id))).visible, !dp) << id;
    }
}

// One edit typed as the user types it changes one field and writes the whole file, the report
// id last, every line ended CR LF.
TEST_F(ProjectFixture, AnEditRewritesTheWholeJobFile)
{
    ASSERT_TRUE(host.Dock(pane, 4903, &host.m_Records.m_Job, true));
    CJob before;
    FillJob(before);
    ASSERT_TRUE(UserInput::EditGridRow(Grid(), "Rep.", "B. Client"));
    Pump();

    CJob& job = host.m_Records.m_Job;
    EXPECT_EQ(job.m_ClientRepresentative, CString("B. Client"));
    for (int id = CProjectPane::ROW_COMPANY; id <= CProjectPane::ROW_LAST; ++id)
    {
        if (id == CProjectPane::ROW_CLIENT_REP)
            continue;
        EXPECT_EQ(*CProjectPane::JobField(job, id), *CProjectPane::JobField(before, id)) << id;
    }
    EXPECT_EQ(JobBytes(), QByteArray("Company = Seabed Ltd\r\n"
                                     "Project = Cable lay\r\n"
                                     "Client Company = Grid Co\r\n"
                                     "Client Rep = B. Client\r\n"
                                     "Location = North Sea\r\n"
                                     "Task = Touchdown\r\n"
                                     "Project Number = J-17\r\n"
                                     "Party Chief = P. Chief\r\n"
                                     "Senior Surveyor Nights = N. Owl\r\n"
                                     "Master Name = M. Skipper\r\n"
                                     "Senior DPO = S. Dpo\r\n"
                                     "DPO = D. Dpo\r\n"
                                     "Jack Engineer = J. Eng\r\n"
                                     "Report ID = R-3\r\n"));

    // The host reads back what was written, escapes and all.
    host.m_Records.m_Job.m_Task = "Trench, then\r\nbackfill";
    ASSERT_TRUE(SaveJob(host.m_Records.m_Job));
    EXPECT_TRUE(JobBytes().contains("Task = Trench\xAB"
                                    "COMMA\xBB then\xAB"
                                    "CR\xBB\xAB"
                                    "LF\xBB"
                                    "backfill\r\n"))
        << JobBytes().toStdString();
    CJob read;
    ASSERT_TRUE(LoadJob(read));
    for (int id = CProjectPane::ROW_COMPANY; id <= CProjectPane::ROW_LAST; ++id)
        EXPECT_EQ(*CProjectPane::JobField(read, id), *CProjectPane::JobField(host.m_Records.m_Job, id)) << id;
}

// A comma and a line break typed into a row reach the file as escapes, on one line.
TEST_F(ProjectFixture, TypedCommaAndLineBreakAreEscaped)
{
    ASSERT_TRUE(host.Dock(pane, 4904, &host.m_Records.m_Job, true));
    CMFCPropertyGridProperty* location = FindGridItem(Grid(), CProjectPane::ROW_LOCATION);
    ASSERT_NE(location, nullptr);
    // The grid's one-line editor takes no line break: the value comes as the grid hands it on.
    ASSERT_TRUE(
        NotifyGridChange(Grid(), CProjectPane::ROW_LOCATION, COleVariant(CString("Block 7, North\nSea"))));
    EXPECT_EQ(host.m_Records.m_Job.m_Location, CString("Block 7, North\nSea"));
    EXPECT_TRUE(JobBytes().contains("\r\nLocation = Block 7\xAB"
                                    "COMMA\xBB North\xAB"
                                    "LF\xBB"
                                    "Sea\r\nTask = "))
        << JobBytes().toStdString();
    ASSERT_TRUE(UserInput::EditGridRow(Grid(), "Project/Name", "Cable, lay"));
    EXPECT_TRUE(JobBytes().contains("\r\nProject = Cable\xAB"
                                    "COMMA\xBB lay\r\n"));
}

// A file that cannot be written is left whole as it was; the record keeps what the user typed.
TEST_F(ProjectFixture, AFileThatCannotBeWrittenIsLeftAsItWas)
{
    ASSERT_TRUE(host.Dock(pane, 4905, &host.m_Records.m_Job, true));
    ASSERT_TRUE(SaveJob(host.m_Records.m_Job));
    const QByteArray old = JobBytes();
    // The new file is written beside the old one first; a folder in its way stops it.
    ASSERT_TRUE(QDir().mkpath(JobPath() + ".new~"));
    ASSERT_TRUE(UserInput::EditGridRow(Grid(), "Master", "New Master"));
    EXPECT_EQ(host.m_Records.m_Job.m_Master, CString("New Master"));
    EXPECT_EQ(JobBytes(), old);
    EXPECT_FALSE(SaveJob(host.m_Records.m_Job));
    QDir().rmdir(JobPath() + ".new~");
    ASSERT_TRUE(UserInput::EditGridRow(Grid(), "Master", "Newer Master"));
    EXPECT_TRUE(JobBytes().contains("Master Name = Newer Master\r\n"));
}

// Without a job there is nothing to show or change; a row of another id changes nothing.
TEST_F(ProjectFixture, NoJobAndForeignRowsChangeNothing)
{
    CProjectPane empty;
    ASSERT_TRUE(host.Dock(empty, 4906, nullptr, true));
    EXPECT_EQ(empty.GetPropertyGrid().GetPropertyCount(), 0);

    ASSERT_TRUE(host.Dock(pane, 4907, &host.m_Records.m_Job, true));
    auto* foreign = new CMFCPropertyGridProperty("Other", COleVariant(CString("x")), nullptr, 99);
    Grid().GetProperty(0)->AddSubItem(foreign);
    ASSERT_TRUE(NotifyGridChange(Grid(), 99, COleVariant(CString("y"))));
    EXPECT_EQ(JobBytes(), QByteArray("(no file)"));
    EXPECT_EQ(host.m_Records.m_Job.m_Company, CString("Seabed Ltd"));
}

TEST_F(ProjectFixture, DockedInTheHost)
{
    ASSERT_TRUE(host.Dock(pane, 4908, &host.m_Records.m_Job, true));
    const QString folder = QString(SUITE_VISUAL_DIR);
    QDir().mkpath(folder);
    FrameProbe::ExpectFrameAsUserSeesIt(&host, {{"Project Details", &pane}}, {},
                                        folder + "/project-details.png");
}
} // namespace
