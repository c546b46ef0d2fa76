#include "survey/JobFile.h"

#include "foundation/ConfigFile.h"
#include "survey/records/Job.h"

namespace
{
struct JobLineDef
{
    const char* key;
    CString CJob::*field;
};

// Keys in the order of the file; the reader relies on it.
const JobLineDef JOB_LINES[] = {
    {"Company", &CJob::m_Company},
    {"Project", &CJob::m_Project},
    {"Client Company", &CJob::m_ClientCompany},
    {"Client Rep", &CJob::m_ClientRepresentative},
    {"Location", &CJob::m_Location},
    {"Task", &CJob::m_Task},
    {"Project Number", &CJob::m_JobNumber},
    {"Party Chief", &CJob::m_PartyChief},
    {"Senior Surveyor Nights", &CJob::m_SeniorSurveyorNight},
    {"Master Name", &CJob::m_Master},
    {"Senior DPO", &CJob::m_SeniorDpo},
    {"DPO", &CJob::m_Dpo},
    {"Jack Engineer", &CJob::m_JackEngineer},
    {"Report ID", &CJob::m_ReportId},
};
} // namespace

const char* const JOB_SETTINGS_NAME = "JOB";

bool SaveJob(const CJob& job)
{
    return CConfigFile::WriteSettingsFile(JOB_SETTINGS_NAME, [&job](CConfigFile& file) {
        for (const JobLineDef& line : JOB_LINES)
            file.WriteText(line.key, job.*line.field);
    });
}

bool LoadJob(CJob& job)
{
    return CConfigFile::ReadSettingsFile(JOB_SETTINGS_NAME, [&job](CConfigFile& file) {
        for (const JobLineDef& line : JOB_LINES)
            job.*line.field = file.ReadText(job.*line.field);
    });
}
